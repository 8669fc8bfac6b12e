#include "storage/data_file.h"

#include <cstddef>
#include <cstring>
#include <limits>
#include <string>

#include "storage/last_error.h"
#include "base/log.h"
#include "storage/whole_file.h"
#include "ui/storage_messages.h"
#include "account_files_fixture.h"
#include "account_golden.h"

namespace {

using namespace account_files_test;
using account_golden::NewAccountFile;
using account_golden::PutRecord;

const HWND kMainWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));

class DataFileTest : public AccountFilesTest {
protected:
    void SetUp() override {
        AccountFilesTest::SetUp();
        file.SetOwner(kMainWindow);
        // What a failed open must not disturb.
        account.CreateInMemory("Untouched", 1.0, "20250101", 2025, 1);
    }

    void ExpectOneBox(const std::string& text, const std::string& title, const char* context) {
        ASSERT_EQ(ShownBoxes().size(), 1u) << context;
        EXPECT_EQ(ShownBoxes()[0].text, text) << context;
        EXPECT_EQ(ShownBoxes()[0].title, title) << context;
        EXPECT_EQ(ShownBoxes()[0].owner, kMainWindow) << context;
        EXPECT_EQ(ShownBoxes()[0].type, unsigned(MB_OK | MB_ICONINFORMATION)) << context;
    }

    void ExpectAccountUntouched(const char* context) {
        EXPECT_STREQ(account.header.name, "Untouched") << context;
        ASSERT_NE(account.Head(), nullptr) << context;
        EXPECT_STREQ(account.Head()->record->description, "OPENING BALANCE") << context;
    }

    DataFile file;
    Account account;
};

std::size_t CountNodes(const Account& a) {
    std::size_t n = 0;
    for (RecordNode* p = a.Head(); p; p = p->next) ++n;
    return n;
}

TEST_F(DataFileTest, OpensByTheFileSizeAndMarker) {
    const struct { const char* name; std::size_t size; unsigned char marker; bool opens; std::size_t records; } cases[] = {
        {"0 bytes", 0, 0xFE, false, 0},
        {"50 bytes", 50, 0xFE, false, 0},
        {"127 bytes", 127, 0xFE, false, 0},
        {"128 bytes", 128, 0xFE, true, 1},
        {"256 bytes", 256, 0xFE, true, 1},
        {"300 bytes", 300, 0xFE, true, 1},
        {"marker 0x00", 256, 0x00, false, 0},
        {"marker 0xFF", 256, 0xFF, false, 0},
    };
    for (const auto& c : cases) {
        ShownBoxes().clear();
        account.CreateInMemory("Untouched", 1.0, "20250101", 2025, 1);
        Bytes bytes = NewAccountFile();
        bytes.resize(c.size, 0x5A);
        if (c.size > 0) bytes[0] = c.marker;
        const std::string path = Path("LEDGR1.LPD");
        WriteBytes(path, bytes);

        EXPECT_EQ(ReadAccountFile(file, path.c_str(), account), c.opens) << c.name;
        EXPECT_FALSE(file.IsOpen()) << c.name;
        EXPECT_EQ(ReadBytes(path), bytes) << c.name << ": the file is left as it was";
        if (c.opens) {
            EXPECT_TRUE(ShownBoxes().empty()) << c.name;
            EXPECT_EQ(CountNodes(account), c.records) << c.name;
            EXPECT_EQ(file.RecordCount(), c.size >= 256 ? 1u : 0u) << c.name;
            EXPECT_STREQ(account.header.name, "Checking") << c.name;
        } else {
            ExpectOneBox(kNotAccountFileText, kFileTypeErrorTitle, c.name);
            ExpectAccountUntouched(c.name);
        }
    }
}

TEST_F(DataFileTest, ReadsEveryRecordInFileOrder) {
    Bytes bytes = NewAccountFile();
    bytes.resize(128 * 4 + 100, 0);
    PutRecord(bytes, 1, "", "20260301", 2026, 60, "March", 12.5);
    PutRecord(bytes, 2, "R", "20260201", 2026, 32, "February", 0, 40);
    WriteBytes(Path("A.LPD"), bytes);
    ASSERT_TRUE(ReadAccountFile(file, Path("A.LPD").c_str(), account));
    EXPECT_EQ(file.RecordCount(), 3u);
    const char* expected[] = {"OPENING BALANCE", "March", "February"};
    RecordNode* node = account.Head();
    for (const char* desc : expected) {
        ASSERT_NE(node, nullptr);
        EXPECT_STREQ(node->record->description, desc);
        node = node->next;
    }
    EXPECT_EQ(node, nullptr);
    EXPECT_EQ(account.Tail()->record->payment + account.Tail()->record->deposit, 40.0);
}

TEST_F(DataFileTest, AFileThatCannotBeOpenedIsNamedInTheMessage) {
    const std::string missing = Path("LEDGR1.LPD");
    const std::string noFolder = Folder() + "\\gone\\LEDGR1.LPD";
    const std::string tooLong = Folder() + "\\" + std::string(300, 'x') + ".LPD";
    WriteBytes(Path("HELD.LPD"), NewAccountFile());
    HeldOpen held(Path("HELD.LPD"));
    ASSERT_TRUE(held.ok());
    const std::string heldPath = Path("HELD.LPD");
    for (const std::string& path : {missing, noFolder, tooLong, heldPath}) {
        ShownBoxes().clear();
        EXPECT_FALSE(ReadAccountFile(file, path.c_str(), account)) << path;
        ExpectOneBox("Unable to open account " + path + ".", kFileReadErrorTitle, path.c_str());
        ExpectAccountUntouched(path.c_str());
        EXPECT_FALSE(file.IsOpen());
    }
    EXPECT_FALSE(Exists(missing)) << "reading never creates a file";
}

// Taking what arrived would open the account short of records, and its
// next save would lose the rest for good.
TEST_F(DataFileTest, AReadThatFailsOrEndsEarlyRefusesTheAccount) {
    Bytes bytes = NewAccountFile();
    bytes.resize(128 * 3, 0);
    PutRecord(bytes, 1, "", "20260301", 2026, 60, "March", 12.5);
    const std::string path = Path("LEDGR1.LPD");
    WriteBytes(path, bytes);
    const struct { const char* name; FileReadFaults faults; std::string reason; } cases[] = {
        {"read fails", {.failReadNumber = 1}, SystemErrorText(ERROR_READ_FAULT)},
        {"read ends early", {.failReadNumber = 1, .shortRead = true}, "Only 192 of its 384 bytes could be read."},
    };
    for (const auto& c : cases) {
        ShownBoxes().clear();
        SetFileReadFaultsForTesting(c.faults);
        EXPECT_FALSE(ReadAccountFile(file, path.c_str(), account)) << c.name;
        ClearFileReadFaultsForTesting();
        ExpectOneBox("The account file could not be read:\n" + path + "\n\n" + c.reason, kFileReadErrorTitle,
                     c.name);
        ExpectAccountUntouched(c.name);
        EXPECT_EQ(CountNodes(account), 1u) << c.name;
        EXPECT_FALSE(file.IsOpen()) << c.name;
        EXPECT_EQ(ReadBytes(path), bytes) << c.name;
    }
    ASSERT_TRUE(ReadAccountFile(file, path.c_str(), account)) << "read in full it opens";
    EXPECT_EQ(CountNodes(account), 2u);
}

// A damaged block whose amount is no number: the file is refused, naming
// the transaction, and the open account and the file stay as they were.
TEST_F(DataFileTest, AnAmountThatIsNoNumberRefusesTheAccount) {
    Bytes bytes = NewAccountFile();
    bytes.resize(128 * 5, 0);  // the header, the opening balance and three records
    PutRecord(bytes, 1, "", "20260301", 2026, 60, "March", 12.5);
    PutRecord(bytes, 2, "", "20260302", 2026, 61, "Damaged", 1.0);
    PutRecord(bytes, 3, "", "20260303", 2026, 62, "After", 2.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::memcpy(&bytes[128 * 3 + offsetof(AcctRecord, deposit)], &nan, sizeof nan);
    const std::string path = Path("LEDGR1.LPD");
    WriteBytes(path, bytes);
    ShownBoxes().clear();
    EXPECT_FALSE(ReadAccountFile(file, path.c_str(), account));
    ExpectOneBox("The account file could not be read:\n" + path +
                     "\n\nTransaction 3 of the file holds an amount that is not a number: the file is damaged.",
                 kFileReadErrorTitle, "not a number");
    ExpectAccountUntouched("not a number");
    EXPECT_EQ(ReadBytes(path), bytes);
}

TEST_F(DataFileTest, AReadOnlyAccountFileOpens) {
    const std::string path = Path("LEDGR1.LPD");
    WriteBytes(path, NewAccountFile());
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(ReadAccountFile(file, path.c_str(), account));
    EXPECT_TRUE(ShownBoxes().empty());
    EXPECT_STREQ(account.header.name, "Checking");
    EXPECT_EQ(ReadBytes(path), NewAccountFile());
}

TEST_F(DataFileTest, SingleStepsReadTheHeader) {
    const std::string path = Path("LEDGR1.LPD");
    Bytes bytes = NewAccountFile();
    bytes.resize(128 * 3, 0);
    PutRecord(bytes, 1, "", "20260120", 2026, 20, "second");
    WriteBytes(path, bytes);

    ASSERT_TRUE(OpenFileForReading(file, path.c_str()));
    AccountHeader header{};
    EXPECT_TRUE(file.ReadAccountData(header));
    EXPECT_STREQ(header.name, "Checking");
    file.CloseFile();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_TRUE(ShownBoxes().empty());

    EXPECT_FALSE(OpenFileForReading(file, Path("GONE.LPD").c_str()));
    ExpectOneBox("Unable to open account " + Path("GONE.LPD") + ".", kFileReadErrorTitle, "missing");
}

TEST_F(DataFileTest, FileExistsForFilesAndFolders) {
    WriteBytes(Path("A.LPD"), {1});
    EXPECT_TRUE(DataFile::FileExists(Path("A.LPD").c_str()));
    EXPECT_TRUE(DataFile::FileExists(Folder().c_str()));
    EXPECT_FALSE(DataFile::FileExists(Path("B.LPD").c_str()));
    EXPECT_FALSE(DataFile::FileExists(nullptr));
}

TEST_F(DataFileTest, WritesTheWholeAccountAndOpensItBackTheSame) {
    account.CreateInMemory("Checking", 100.0, "20260115", 2026, 15);
    const std::string path = Path("LEDGR1.LPD");
    ASSERT_TRUE(WriteAccountFile(file, path.c_str(), account));
    EXPECT_EQ(ReadBytes(path), NewAccountFile());
    EXPECT_EQ(FolderEntries(Folder()), std::vector<std::string>{"LEDGR1.LPD"}) << "no temporary file left";

    Account reopened;
    ASSERT_TRUE(ReadAccountFile(file, path.c_str(), reopened));
    ASSERT_TRUE(WriteAccountFile(file, path.c_str(), reopened));
    EXPECT_EQ(ReadBytes(path), NewAccountFile());
    EXPECT_TRUE(ShownBoxes().empty());
}

// Log lines without their time stamps, the log's own opening lines left out.
std::vector<std::string> LoggedLines(const std::string& path) {
    const Bytes bytes = ReadBytes(path);
    const std::string text(bytes.begin(), bytes.end());
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t tab = line.find(":\t");
        lines.push_back(tab == std::string::npos ? line : line.substr(tab + 2));
    }
    return lines.size() > 3 ? std::vector<std::string>(lines.begin() + 3, lines.end())
                            : std::vector<std::string>{};
}

TEST_F(DataFileTest, FailuresLeaveTheirLinesInTheLog) {
    ASSERT_TRUE(StartLog(Path("probe.txt").c_str(), Path("Ledgerpad.exe").c_str()));
    const std::string missing = Path("LEDGR1.LPD");
    ReadAccountFile(file, missing.c_str(), account);
    SetAtomicFileFaultsForTesting({.failWriteNumber = 1});
    WriteAccountFile(file, missing.c_str(), account);
    ClearAtomicFileFaultsForTesting();
    StopLogForTesting();

    const std::vector<std::string> expected = {
        "DataFile::OpenFileForReading: SetFileAttributes: error 2",
        "DataFile::OpenFileForReading: CreateFile: m_hFile -1, error 2",
        missing,
        "DataFile::write bResult 0 lpNumberOfBytesWritten 0",
    };
    EXPECT_EQ(LoggedLines(Path("Log.txt")), expected);
}

}  // namespace
