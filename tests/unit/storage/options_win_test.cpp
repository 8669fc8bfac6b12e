#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "storage/atomic_file.h"
#include "storage/datafile_base.h"
#include "base/bounded_text.h"
#include "storage/last_error.h"
#include "storage/options.h"
#include "storage/whole_file.h"
#include "storage/save_account.h"
#include "values/date.h"
#include "log_capture.h"
#include "scratch_folder_win.h"
#include "ui/storage_messages.h"

// <windows.h> renames GetDateFormat to GetDateFormatA.
#undef GetDateFormat

namespace {

const FileBytes kFirstStartHead{0xFD, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                                0,    0,    0,    0,    0, 0, 0, 0, 0x20, 3, 0, 0, 0x58, 2, 0, 0};

class OptionsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        optionsPath = folder.Path("Options.dta");
        accounts = folder.Path("Accounts") + "\\";
    }
    void TearDown() override {
        ClearAtomicFileFaultsForTesting();
        ClearFileReadFaultsForTesting();
        g_Date.SetDateFormat(kFormatMMDDYY);
    }

    // An options file saved with the password "secret"; its bytes.
    FileBytes SaveWithPassword() const {
        Options first;
        first.LoadOptions(optionsPath.c_str(), accounts.c_str());
        first.SetPassword("secret");
        EXPECT_EQ(first.SaveOptions("C:\\x\\LEDGR1.LPD"), FileWriteResult::Written);
        return ReadFileBytes(optionsPath);
    }

    FileBytes Head(const FileBytes& bytes) const {
        return FileBytes(bytes.begin(), bytes.begin() + std::min<std::size_t>(32, bytes.size()));
    }

    ScratchFolder folder;
    std::string optionsPath;
    std::string accounts;
    MessageBoxCapture boxes;
};

}  // namespace

TEST_F(OptionsFileTest, FirstStartWritesTheDefaultsAndTheyLoadAsValid) {
    Options options;
    options.LoadOptions(optionsPath.c_str(), accounts.c_str());
    FileBytes written = ReadFileBytes(optionsPath);
    ASSERT_EQ(written.size(), 813u);
    EXPECT_EQ(Head(written), kFirstStartHead);
    EXPECT_EQ(options.WindowWidth(), 800);
    EXPECT_EQ(options.WindowHeight(), 600);
    EXPECT_FALSE(options.HasPassword());
    EXPECT_STREQ(options.MostRecent(), "");
    EXPECT_EQ(g_Date.GetDateFormat(), kFormatMMDDYY);

    Options again;
    LogCapture log;
    again.LoadOptions(optionsPath.c_str(), accounts.c_str());
    EXPECT_EQ(log.Messages(), std::vector<std::string>{"OPTIONS_INIT::LoadOptions: Most Recent: "});
    EXPECT_EQ(ReadFileBytes(optionsPath), written);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(OptionsFileTest, SavedOptionsComeBackAtTheNextStart) {
    {
        Options options;
        options.LoadOptions(optionsPath.c_str(), accounts.c_str());
        options.SetPassword("ab");
        options.SetShowState(2);
        options.SetWindowRect(10, 20, 900, 640);
        g_Date.SetDateFormat(kFormatDDMMYY);
        CopyBounded(g_CurrentAccountFile, "D:\\Old\\TallwoodWorks\\Ledgerpad\\LEDGR1.LPD");
        ASSERT_EQ(options.SaveOptions(), FileWriteResult::Written);
        g_CurrentAccountFile[0] = '\0';
    }
    g_Date.SetDateFormat(kFormatMMDDYY);
    Options options;
    options.LoadOptions(optionsPath.c_str(), accounts.c_str());
    char password[kPasswordSize];
    options.GetPassword(password);
    EXPECT_STREQ(password, "ab");
    EXPECT_EQ(std::string(options.MostRecent()), accounts + "LEDGR1.LPD");
    EXPECT_EQ(g_Date.GetDateFormat(), kFormatDDMMYY);
    EXPECT_EQ(options.ShowState(), 3);
    EXPECT_EQ(options.SavedShowState(), 3);
    EXPECT_EQ(options.WindowWidth(), 900);
    EXPECT_EQ(options.WindowLeft(), 10);
}

TEST_F(OptionsFileTest, DamagedFilesAreReplacedByTheDefaults) {
    const FileBytes good = SaveWithPassword();

    struct Case {
        const char* name;
        FileBytes content;
    };
    FileBytes badSignature = good;
    badSignature[0] = 0xFE;
    FileBytes format4 = good;
    format4[4] = 4;
    FileBytes show2 = good;
    show2[8] = 2;
    const Case cases[] = {
        {"812 bytes", FileBytes(good.begin(), good.end() - 1)},
        {"814 bytes", [&] { FileBytes b = good; b.push_back(0); return b; }()},
        {"huge", FileBytes(100000, 0xFD)},
        {"empty", FileBytes{}},
        {"signature", badSignature},
        {"date format 4", format4},
        {"show state 2", show2},
    };
    for (const Case& c : cases) {
        WriteFileBytes(optionsPath, c.content);
        Options options;
        options.LoadOptions(optionsPath.c_str(), accounts.c_str());
        EXPECT_FALSE(options.HasPassword()) << c.name;
        FileBytes written = ReadFileBytes(optionsPath);
        EXPECT_EQ(written.size(), 813u) << c.name;
        EXPECT_EQ(Head(written), kFirstStartHead) << c.name;
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(OptionsFileTest, FailedWriteTellsTheUserAndKeepsTheOldFile) {
    Options options;
    options.LoadOptions(optionsPath.c_str(), accounts.c_str());
    const FileBytes before = ReadFileBytes(optionsPath);
    options.SetPassword("changed");
    SetAtomicFileFaultsForTesting({.failWriteNumber = 1});
    EXPECT_FALSE(TellFileWrite(options.SaveOptions("C:\\x\\LEDGR1.LPD")));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const CapturedBox& box = boxes.Boxes()[0];
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.text, "An error occured while trying to write to the file.");
    EXPECT_EQ(box.title, "Error: DATAFILEOUTPUT::Write");
    EXPECT_EQ(box.type, static_cast<unsigned>(MB_OK));
    EXPECT_EQ(ReadFileBytes(optionsPath), before);
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"Options.dta"});
    // The options in memory stay as they are, for the next save.
    char password[kPasswordSize];
    options.GetPassword(password);
    EXPECT_STREQ(password, "changed");

    ClearAtomicFileFaultsForTesting();
    ExclusiveHold hold(optionsPath);  // in use: the move over it fails
    EXPECT_FALSE(TellFileWrite(options.SaveOptions("C:\\x\\LEDGR1.LPD")));
    EXPECT_EQ(boxes.Boxes().size(), 2u);
}

// A caller that words its own message (the password commands) gets no box
// from the file class: the user sees one message for one failed save.
TEST_F(OptionsFileTest, FailedWriteLeftToTheCallerShowsNoBox) {
    Options options;
    options.LoadOptions(optionsPath.c_str(), accounts.c_str());
    const FileBytes before = ReadFileBytes(optionsPath);
    options.SetPassword("changed");
    {
        ExclusiveHold hold(optionsPath);
        ASSERT_TRUE(hold.Held());
        EXPECT_NE(options.SaveOptions("C:\\x\\LEDGR1.LPD"), FileWriteResult::Written);
    }
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(ReadFileBytes(optionsPath), before);
}

// The file holds the password: defaults written over it would start the
// program unprotected. Only a missing file gets the defaults.
TEST_F(OptionsFileTest, AFileThereButUnreadableIsRefusedAndNeverWritten) {
    const FileBytes saved = SaveWithPassword();
    const struct { const char* name; bool held; FileReadFaults faults; std::string reason; } cases[] = {
        {"in use by another program", true, {}, SystemErrorText(ERROR_SHARING_VIOLATION)},
        {"read fails", false, {.failReadNumber = 1}, SystemErrorText(ERROR_READ_FAULT)},
        {"read ends early", false, {.failReadNumber = 1, .shortRead = true},
         "Only 406 of its 813 bytes could be read."},
    };
    for (const auto& c : cases) {
        Options options;
        std::string failure;
        {
            ExclusiveHold hold(c.held ? optionsPath : folder.Path("none"));
            SetFileReadFaultsForTesting(c.faults);
            EXPECT_FALSE(options.LoadOptions(optionsPath.c_str(), accounts.c_str(), &failure)) << c.name;
            ClearFileReadFaultsForTesting();
        }
        EXPECT_EQ(failure, c.reason) << c.name;
        EXPECT_EQ(ReadFileBytes(optionsPath), saved) << c.name;
        EXPECT_FALSE(TellFileWrite(options.SaveOptions("C:\\x\\LEDGR2.LPD"))) << c.name << ": nothing at exit either";
        EXPECT_EQ(ReadFileBytes(optionsPath), saved) << c.name;
    }
    EXPECT_TRUE(boxes.Boxes().empty()) << "the caller tells the user";

    Options options;
    std::string failure = "stale";
    EXPECT_TRUE(options.LoadOptions(optionsPath.c_str(), accounts.c_str(), &failure)) << "free again, it is read";
    EXPECT_EQ(failure, "");
    EXPECT_TRUE(options.HasPassword());
}

TEST_F(OptionsFileTest, FileThatCannotBeCreatedFailsSilently) {
    std::string missing = folder.Path("gone\\Options.dta");
    Options options;
    options.LoadOptions(missing.c_str(), accounts.c_str());
    EXPECT_FALSE(TellFileWrite(options.SaveOptions("new")));
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_FALSE(FileExists(missing));
    EXPECT_EQ(options.WindowWidth(), 800);  // defaults in memory all the same
}

TEST_F(OptionsFileTest, ReadOnlyOptionsFileIsReplacedAtSave) {
    Options options;
    options.LoadOptions(optionsPath.c_str(), accounts.c_str());
    SetFileAttributesA(optionsPath.c_str(), FILE_ATTRIBUTE_READONLY);
    options.SetPassword("pw");
    EXPECT_EQ(options.SaveOptions("new"), FileWriteResult::Written);
    Options reloaded;
    reloaded.LoadOptions(optionsPath.c_str(), accounts.c_str());
    EXPECT_TRUE(reloaded.HasPassword());
}

TEST_F(OptionsFileTest, WholeFileInputReadsOnlyWhatFits) {
    WriteFileBytes(optionsPath, FileBytes(20, 7));
    unsigned char buffer[16];
    EXPECT_EQ(DataFileInput(optionsPath.c_str()).Read(buffer, sizeof buffer), 0u);
    unsigned char big[32] = {};
    EXPECT_EQ(DataFileInput(optionsPath.c_str()).Read(big, sizeof big), 20u);
    EXPECT_EQ(big[19], 7);
    EXPECT_EQ(big[20], 0);

    LogCapture log;
    EXPECT_EQ(DataFileInput(folder.Path("none.dta").c_str()).Read(big, sizeof big), 0u);
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{
                                  "DATAFILEBASE::DATAFILEBASE: SetFileAttributes: error 2",
                                  "DATAFILEINPUT::INVALID_HANDLE_VALUE -1",
                              }));
}
