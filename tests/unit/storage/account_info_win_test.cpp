#include "storage/account_info.h"

#include <string>
#include <vector>

#include "storage/last_error.h"
#include "base/log.h"
#include "storage/whole_file.h"
#include "account_files_fixture.h"
#include "account_golden.h"
#include "info_file_builder.h"

namespace {

using namespace account_files_test;
using namespace info_file_test;
using account_golden::EmptyInfoFile;

const std::vector<std::string> kSample = {"Bank", "1 Road\r\nTown", "555", "42", "Checking", "1%", "n"};
const std::vector<std::string> kEmpty(kInfoFieldCount);

std::vector<std::string> LogLines(const std::string& path) {
    std::vector<std::string> lines;
    std::string text(reinterpret_cast<const char*>(ReadBytes(path).data()), ReadBytes(path).size());
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t tab = line.find(":\t");
        lines.push_back(tab == std::string::npos ? line : line.substr(tab + 2));
    }
    return lines;
}

class AcctInfoFileTest : public AccountFilesTest {
protected:
    void SetUp() override {
        AccountFilesTest::SetUp();
        AccountInfo::ClearFields();
        accountPath = Path("LEDGR1.LPD");
        infoPath = Path("LEDGR1I.LPD");
    }
    void TearDown() override {
        StopLogForTesting();
        AccountInfo::ClearFields();
        AccountFilesTest::TearDown();
    }
    std::string accountPath, infoPath;
    AccountInfo info;
};

TEST_F(AcctInfoFileTest, SaveWritesTheFileBesideTheAccount) {
    EXPECT_TRUE(info.Save(accountPath.c_str()));
    EXPECT_EQ(ReadBytes(infoPath), EmptyInfoFile());
    EXPECT_EQ(info.FileName(), infoPath);
    for (int i = 0; i < kInfoFieldCount; ++i) AccountInfo::SetField(i, kSample[i]);
    EXPECT_TRUE(info.Save(accountPath.c_str()));
    EXPECT_EQ(ReadBytes(infoPath), InfoFile("LDGRINFO", 0xEF11ABCDu, kSample));
    EXPECT_EQ(FolderEntries(Folder()), std::vector<std::string>{"LEDGR1I.LPD"});
}

TEST_F(AcctInfoFileTest, AFileThatHoldsTheTextsAlreadyIsNotWrittenAgain) {
    AccountInfo::SetField(kInfoPhone, "555");
    ASSERT_TRUE(info.Save(accountPath.c_str()));
    const Bytes saved = ReadBytes(infoPath);
    SetAtomicFileFaultsForTesting({.failCreate = true});  // any write would fail now
    EXPECT_TRUE(info.Save(accountPath.c_str())) << "nothing to write";
    AccountInfo::SetField(kInfoPhone, "556");
    EXPECT_FALSE(info.Save(accountPath.c_str())) << "a change must be written";
    EXPECT_EQ(ReadBytes(infoPath), saved);
    ClearAtomicFileFaultsForTesting();
    EXPECT_TRUE(info.Save(accountPath.c_str()));
    EXPECT_NE(ReadBytes(infoPath), saved);
}

TEST_F(AcctInfoFileTest, LoadSavedReadsAValidFileAndLeavesIt) {
    const Bytes valid = InfoFile("LDGRINFO", 0xEF11ABCDu, kSample);
    WriteBytes(infoPath, valid);
    info.LoadSaved(accountPath.c_str());
    EXPECT_EQ(Fields(), kSample);
    EXPECT_EQ(ReadBytes(infoPath), valid);
}

// A missing, foreign or damaged file: the texts read so far stay, and the
// file is written anew from them so the next open finds a valid one.
TEST_F(AcctInfoFileTest, LoadSavedRewritesWhatItCannotRead) {
    const Bytes valid = InfoFile("LDGRINFO", 0xEF11ABCDu, kSample);
    Bytes beyond = InfoFile("LDGRINFO", 0xEF11ABCDu, {"Bank", "Addr"});
    AppendLong(beyond, 5000);  // third text claims far more than is left
    beyond.insert(beyond.end(), {'x', 'y'});
    std::vector<std::string> firstTwo = kEmpty;
    firstTwo[0] = "Bank";
    firstTwo[1] = "Addr";
    std::vector<std::string> allButLast = kSample;
    allButLast[6] = "";

    const struct { const char* name; bool present; Bytes bytes; std::vector<std::string> fields; } cases[] = {
        {"missing file", false, {}, kEmpty},
        {"empty file", true, {}, kEmpty},
        {"wrong version text", true, InfoFile("LDGRINFX", 0xEF11ABCDu, kSample), kEmpty},
        {"wrong version number", true, InfoFile("LDGRINFO", 0x12345678u, kSample), kEmpty},
        {"cut inside the last text", true, Bytes(valid.begin(), valid.end() - 1), allButLast},
        {"length prefix beyond the end", true, beyond, firstTwo},
    };
    for (const auto& c : cases) {
        DeleteFileA(infoPath.c_str());
        if (c.present) WriteBytes(infoPath, c.bytes);
        for (int i = 0; i < kInfoFieldCount; ++i) AccountInfo::SetField(i, "stale");
        info.LoadSaved(accountPath.c_str());
        EXPECT_EQ(Fields(), c.fields) << c.name;
        EXPECT_EQ(ReadBytes(infoPath), InfoFile("LDGRINFO", 0xEF11ABCDu, c.fields)) << c.name;
    }
    EXPECT_TRUE(ShownBoxes().empty()) << "the information file never troubles the user";
}

// Only a file that is not there is missing. One that is there but cannot
// be opened or read in full still holds the user's texts: it is neither
// taken (the texts of the open account stay) nor written over.
TEST_F(AcctInfoFileTest, AFileThereButUnreadableIsNeitherTakenNorWritten) {
    const Bytes valid = InfoFile("LDGRINFO", 0xEF11ABCDu, kSample);
    WriteBytes(infoPath, valid);
    const std::vector<std::string> kept(kInfoFieldCount, "open account");
    const struct { const char* name; bool held; FileReadFaults faults; std::string reason; } cases[] = {
        {"in use by another program", true, {}, SystemErrorText(ERROR_SHARING_VIOLATION)},
        {"read fails", false, {.failReadNumber = 1}, SystemErrorText(ERROR_READ_FAULT)},
        {"read ends early", false, {.failReadNumber = 1, .shortRead = true},
         "Only " + std::to_string(valid.size() / 2) + " of its " + std::to_string(valid.size()) +
             " bytes could be read."},
    };
    for (const auto& c : cases) {
        for (int i = 0; i < kInfoFieldCount; ++i) AccountInfo::SetField(i, kept[i]);
        HeldOpen held(c.held ? infoPath : Path("none"));
        SetFileReadFaultsForTesting(c.faults);
        const SavedInfoFile saved = info.ReadSavedFile(accountPath.c_str());
        EXPECT_EQ(saved.state, SavedInfoFile::State::Unreadable) << c.name;
        EXPECT_EQ(saved.reason, c.reason) << c.name;
        SetFileReadFaultsForTesting(c.faults);
        EXPECT_FALSE(info.LoadSaved(accountPath.c_str())) << c.name;
        ClearFileReadFaultsForTesting();
        EXPECT_EQ(Fields(), kept) << c.name;
        EXPECT_EQ(info.FileName(), infoPath) << c.name;
    }
    EXPECT_EQ(ReadBytes(infoPath), valid);
    EXPECT_EQ(FolderEntries(Folder()), std::vector<std::string>{"LEDGR1I.LPD"});
    EXPECT_TRUE(info.LoadSaved(accountPath.c_str())) << "free again, it is read";
    EXPECT_EQ(Fields(), kSample);
}

TEST_F(AcctInfoFileTest, SaveIntoAMissingFolderFailsQuietly) {
    const std::string gone = Folder() + "\\gone\\LEDGR1.LPD";
    AccountInfo::SetField(0, "kept");
    EXPECT_FALSE(info.Save(gone.c_str()));
    info.LoadSaved(gone.c_str());  // cannot read, cannot rewrite: no throw
    EXPECT_EQ(Fields(), kEmpty);
    EXPECT_TRUE(ShownBoxes().empty());
}

TEST_F(AcctInfoFileTest, RefusedFilesLeaveTheirStoryInTheLog) {
    const std::string program = Path("Ledgerpad.exe");
    ASSERT_TRUE(StartLog(Path("probe.txt").c_str(), program.c_str()));
    const Bytes valid = InfoFile("LDGRINFO", 0xEF11ABCDu, kSample);

    WriteBytes(infoPath, InfoFile("LDGRINFO", 0xEF11ABCEu, kSample));
    info.LoadSaved(accountPath.c_str());
    WriteBytes(infoPath, Bytes(valid.begin(), valid.begin() + 22));
    info.LoadSaved(accountPath.c_str());
    StopLogForTesting();

    std::vector<std::string> lines = LogLines(Path("Log.txt"));
    ASSERT_GE(lines.size(), 3u);
    lines.erase(lines.begin(), lines.begin() + 3);  // the log's own opening lines
    const std::vector<std::string> expected = {
        "versionNumber EF11ABCE  ms_VersionNumber EF11ABCD",
        "Initialization::LoadSaved ExceptionBase Exception caught",
        "ExceptionsInitialization Error: ",
        "Initialization: Version number is incorrect.",
        "versionNumber EF11ABCD  ms_VersionNumber EF11ABCD",
        "DeSerializer::GetString: bytesRead not correct",
        "Initialization::LoadSaved ExceptionBase Exception caught",
        "DeSerializerExceptions Error: ",
        "DeSerializer: Number of bytes read is not correct.",
    };
    EXPECT_EQ(lines, expected);
}

}  // namespace
