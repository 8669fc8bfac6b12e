#include "storage/save_account.h"
#include "ui/storage_messages.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "model/account.h"
#include "storage/account_info.h"
#include "storage/data_file.h"
#include "storage/save_attempt.h"
#include "account_files_fixture.h"
#include "account_golden.h"

namespace {

using namespace account_files_test;
using account_golden::EmptyInfoFile;
using account_golden::NewAccountFile;

RecordNode* g_focused = nullptr;
RecordNode* FocusedNode() { return g_focused; }

class SaveAccountTest : public AccountFilesTest {
protected:
    void SetUp() override {
        AccountFilesTest::SetUp();
        AccountInfo::ClearFields();
        g_Account.ClearAccount();
        g_Account.isOpen = 0;
        g_focused = nullptr;
        SetFocusedNodeSource(FocusedNode);
        accountPath = Path("LEDGR1.LPD");
        infoPath = Path("LEDGR1I.LPD");
        std::strcpy(g_CurrentAccountFile, accountPath.c_str());
    }

    void TearDown() override {
        SetFocusedNodeSource(nullptr);
        g_Account.ClearAccount();
        g_Account.isOpen = 0;
        g_Account.needsSaving = 0;
        g_CurrentAccountFile[0] = '\0';
        AccountInfo::ClearFields();
        AccountFilesTest::TearDown();
    }

    // A new account "Checking" (100.00 on 15 January 2026), saved once.
    void CreateAndSave() {
        g_Account.CreateInMemory("Checking", 100.0, "20260115", 2026, 15);
        g_Account.view = ViewAll;
        g_Account.ComputeBalances();
        ASSERT_TRUE(SaveAccount());
        ASSERT_TRUE(ShownBoxes().empty());
    }

    // Appends a typed, unreconciled record and marks the account changed.
    RecordNode* Type(const char* date, std::uint16_t year, std::uint16_t day, const char* desc,
                     double payment) {
        RecordNode* node = g_Account.AppendRecord();
        CopyFixedText(node->record->date, date);
        node->record->year = year;
        node->record->dayOfYear = day;
        CopyFixedText(node->record->description, desc);
        node->record->payment = payment;
        g_Account.needsSaving = 1;
        return node;
    }

    std::vector<std::string> SavedDescriptions() {
        std::vector<std::string> out;
        const Bytes bytes = ReadBytes(accountPath);
        for (std::size_t at = 128; at + 128 <= bytes.size(); at += 128)
            out.emplace_back(reinterpret_cast<const char*>(bytes.data() + at + 22));
        return out;
    }

    std::string accountPath;
    std::string infoPath;
};

TEST_F(SaveAccountTest, ANewAccountGivesTheGoldenFilePair) {
    CreateAndSave();
    EXPECT_EQ(ReadBytes(accountPath), NewAccountFile());
    EXPECT_EQ(ReadBytes(infoPath), EmptyInfoFile());
    EXPECT_EQ(g_Account.needsSaving, 0);
    std::vector<std::string> entries = FolderEntries(Folder());
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"LEDGR1.LPD", "LEDGR1I.LPD"}));
}

TEST_F(SaveAccountTest, TwoSavesOfOneStateGiveIdenticalFiles) {
    CreateAndSave();
    Type("20260120", 2026, 20, "Rent", 850.0);
    AccountInfo::SetField(kInfoInstitution, "First Harbor");
    ASSERT_TRUE(SaveAccount());
    const Bytes account = ReadBytes(accountPath), info = ReadBytes(infoPath);
    ASSERT_TRUE(SaveAccount());
    EXPECT_EQ(ReadBytes(accountPath), account);
    EXPECT_EQ(ReadBytes(infoPath), info);
    EXPECT_EQ(account.size(), 3u * 128);
}

TEST_F(SaveAccountTest, TheCurrentViewStillWritesReconciledRecords) {
    CreateAndSave();
    Type("20260120", 2026, 20, "Rent", 850.0);
    g_Account.view = ViewCurrent;
    g_Account.ComputeBalances();
    ASSERT_EQ(g_Account.visibleCount, 1u);
    ASSERT_TRUE(SaveAccount());
    EXPECT_EQ(SavedDescriptions(), (std::vector<std::string>{"OPENING BALANCE", "Rent"}));
    EXPECT_EQ(ReadBytes(accountPath)[128], 'R');
}

TEST_F(SaveAccountTest, TheFocusedRecordIsStoredInDateOrder) {
    CreateAndSave();
    Type("20260301", 2026, 60, "March", 1);
    Type("20260401", 2026, 91, "April", 1);
    // The user redates the last record to February.
    RecordNode* edited = Type("20260201", 2026, 32, "February", 1);
    g_focused = edited;
    ASSERT_TRUE(SaveAccount());
    EXPECT_EQ(SavedDescriptions(),
              (std::vector<std::string>{"OPENING BALANCE", "February", "March", "April"}));
    // ... and a record moved the other way.
    g_focused = g_Account.Head()->next;  // February, redated to May
    CopyFixedText(g_focused->record->date, "20260501");
    g_focused->record->dayOfYear = 121;
    ASSERT_TRUE(SaveAccount());
    EXPECT_EQ(SavedDescriptions(),
              (std::vector<std::string>{"OPENING BALANCE", "March", "April", "February"}));
}

TEST_F(SaveAccountTest, WithNoAccountOpenNothingIsWritten) {
    g_Account.needsSaving = 1;
    EXPECT_FALSE(SaveAccount());
    ASSERT_EQ(ShownBoxes().size(), 1u);
    EXPECT_EQ(ShownBoxes()[0].text, "There is no open account to save.");
    EXPECT_EQ(ShownBoxes()[0].title, "File Error");
    EXPECT_EQ(ShownBoxes()[0].type, unsigned(MB_OK | MB_ICONINFORMATION));
    EXPECT_TRUE(FolderEntries(Folder()).empty());
}

// Every way a save can break part-way: the previous file pair stays byte
// for byte, the user is told, and the change stays in memory and pending.
TEST_F(SaveAccountTest, AFailedSaveKeepsThePreviousFilesAndTheChange) {
    enum Breakage { Inject, HoldOpen, ReadOnly };
    struct Case {
        const char* name;
        Breakage how;
        AtomicFileFaults faults;
        bool accountKept;  // else only the information file failed
    };
    const Case cases[] = {
        {"temporary file cannot be created", Inject, {.failCreate = true}, true},
        {"disk full on the write", Inject, {.failWriteNumber = 1}, true},
        {"short write", Inject, {.failWriteNumber = 1, .shortWrite = true}, true},
        {"flush fails", Inject, {.failFlush = true}, true},
        {"replace fails", Inject, {.failMove = true}, true},
        {"account file held open by another program", HoldOpen, {}, true},
        {"read-only account file", ReadOnly, {}, true},
        {"information file write fails", Inject, {.failWriteNumber = 2}, false},
    };
    for (const Case& c : cases) {
        ShownBoxes().clear();
        g_Account.ClearAccount();
        CreateAndSave();
        const Bytes accountBefore = ReadBytes(accountPath), infoBefore = ReadBytes(infoPath);

        Type("20260120", 2026, 20, "Rent", 850.0);
        AccountInfo::SetField(kInfoNotes, "changed");
        {
            std::unique_ptr<HeldOpen> held;
            if (c.how == Inject) SetAtomicFileFaultsForTesting(c.faults);
            if (c.how == HoldOpen) held = std::make_unique<HeldOpen>(accountPath);
            if (c.how == ReadOnly) SetFileAttributesA(accountPath.c_str(), FILE_ATTRIBUTE_READONLY);
            EXPECT_FALSE(SaveAccount()) << c.name;
            ClearAtomicFileFaultsForTesting();
            SetFileAttributesA(accountPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        const std::string& kept = c.accountKept ? accountPath : infoPath;
        EXPECT_EQ(ReadBytes(kept), c.accountKept ? accountBefore : infoBefore) << c.name;
        ASSERT_EQ(ShownBoxes().size(), 1u) << c.name;
        EXPECT_EQ(ShownBoxes()[0].text, kSaveErrorText) << c.name;
        EXPECT_EQ(ShownBoxes()[0].title, kSaveErrorTitle) << c.name;
        EXPECT_EQ(g_Account.needsSaving, 1) << c.name;
        EXPECT_STREQ(g_Account.Tail()->record->description, "Rent") << c.name;
        std::vector<std::string> entries = FolderEntries(Folder());
        std::sort(entries.begin(), entries.end());
        // The Backups folder is the safety net's, no leftover.
        EXPECT_EQ(entries, (std::vector<std::string>{"Backups", "LEDGR1.LPD", "LEDGR1I.LPD"}))
            << c.name << ": no temporary file left";

        // The next save writes the change that failed.
        ShownBoxes().clear();
        EXPECT_TRUE(SaveAccount()) << c.name;
        EXPECT_EQ(g_Account.needsSaving, 0) << c.name;
        EXPECT_EQ(SavedDescriptions(), (std::vector<std::string>{"OPENING BALANCE", "Rent"})) << c.name;
        AccountInfo::ClearFields();
        AccountInfo().LoadSaved(accountPath.c_str());
        EXPECT_EQ(AccountInfo::GetField(kInfoNotes), "changed") << c.name;
        AccountInfo::ClearFields();
    }
}

// Within one action a failed save is neither tried nor told again; a
// scope that keeps its failure (closing the program) shows nothing and
// knows which file failed and why.
TEST_F(SaveAccountTest, OneActionMakesOneAttempt) {
    CreateAndSave();
    Type("20260120", 2026, 20, "Rent", 850.0);
    {
        HeldOpen held(accountPath);
        SaveAttempt action;
        EXPECT_FALSE(SaveAccount());
        EXPECT_FALSE(SaveAccount());
        EXPECT_EQ(ShownBoxes().size(), 1u);
    }
    {
        HeldOpen held(accountPath);
        SaveAttempt closing(SaveAttempt::Report::Keep);
        EXPECT_FALSE(SaveAccount());
        EXPECT_EQ(ShownBoxes().size(), 1u) << "nothing shown while closing";
        ASSERT_TRUE(closing.Failed());
        EXPECT_EQ(closing.Failure().file, accountPath);
        EXPECT_NE(closing.Failure().error, 0u);
    }
    {
        AccountInfo::SetField(kInfoNotes, "changed");
        SetAtomicFileFaultsForTesting({.failWriteNumber = 2});  // the information file
        SaveAttempt closing(SaveAttempt::Report::Keep);
        EXPECT_FALSE(SaveAccount());
        ClearAtomicFileFaultsForTesting();
        EXPECT_EQ(closing.Failure().file, infoPath);
        EXPECT_EQ(closing.Failure().error, static_cast<unsigned long>(ERROR_DISK_FULL));
    }
    EXPECT_EQ(g_Account.needsSaving, 1);
    EXPECT_TRUE(SaveAccount());
    EXPECT_EQ(SavedDescriptions(), (std::vector<std::string>{"OPENING BALANCE", "Rent"}));
}

TEST_F(SaveAccountTest, AMissingFolderFailsTheSaveAndCreatesNothing) {
    g_Account.CreateInMemory("Checking", 100.0, "20260115", 2026, 15);
    const std::string gone = Folder() + "\\gone\\LEDGR1.LPD";
    std::strcpy(g_CurrentAccountFile, gone.c_str());
    g_Account.needsSaving = 1;
    EXPECT_FALSE(SaveAccount());
    ASSERT_EQ(ShownBoxes().size(), 1u) << "one message for the pair";
    EXPECT_EQ(ShownBoxes()[0].text, kSaveErrorText);
    EXPECT_EQ(g_Account.needsSaving, 1);
    EXPECT_TRUE(FolderEntries(Folder()).empty());
}

}  // namespace
