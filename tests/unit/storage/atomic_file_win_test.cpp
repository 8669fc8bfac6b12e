#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "base/wide_path_win.h"
#include "storage/atomic_file.h"
#include "scratch_folder_win.h"

namespace {

const FileBytes kOld{'o', 'l', 'd', ' ', 'b', 'y', 't', 'e', 's', 0, 0xFF};

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        target = folder.Path("LEDGR1.LPD");
        WriteFileBytes(target, kOld);
    }
    void TearDown() override { ClearAtomicFileFaultsForTesting(); }

    // Three writes of 128 bytes, as an account file of two records.
    bool WriteThreeBlocks(AtomicFileWriter& writer) {
        unsigned char block[128];
        bool ok = writer.Open(target.c_str());
        for (int i = 0; i < 3 && ok; ++i) {
            memset(block, 'a' + i, sizeof block);
            std::uint32_t written = 0;
            ok = writer.Write(block, sizeof block, &written) && written == sizeof block;
        }
        return writer.Commit() && ok;
    }

    // Only the target is left in the folder: no temporary file.
    bool OnlyTheTarget() const { return FilesIn(folder.Path()) == std::vector<std::string>{"LEDGR1.LPD"}; }

    ScratchFolder folder;
    std::string target;
};

}  // namespace

TEST_F(AtomicFileTest, ReplacesTheFileAndLeavesNoTemporaryFile) {
    const FileBytes content{1, 2, 3, 4, 5};
    unsigned long error = 99;
    ASSERT_TRUE(ReplaceFileContents(target.c_str(), content.data(), content.size(), &error));
    EXPECT_EQ(error, 0u);
    EXPECT_EQ(ReadFileBytes(target), content);
    EXPECT_TRUE(OnlyTheTarget());

    std::string fresh = folder.Path("new.dta");
    ASSERT_TRUE(ReplaceFileContents(fresh.c_str(), content.data(), 0));
    EXPECT_TRUE(FileExists(fresh));
    EXPECT_TRUE(ReadFileBytes(fresh).empty());
}

TEST_F(AtomicFileTest, WritesLandOnlyAtCommit) {
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.Open(target.c_str()));
    ASSERT_TRUE(writer.Write("new", 3));
    EXPECT_EQ(ReadFileBytes(target), kOld);
    EXPECT_TRUE(FileExists(writer.TempPath()));
    EXPECT_TRUE(IsAtomicFileTempName(target, writer.TempPath().substr(folder.Path().size() + 1)));
    ASSERT_TRUE(writer.Commit());
    EXPECT_EQ(ReadFileBytes(target), (FileBytes{'n', 'e', 'w'}));
    EXPECT_FALSE(FileExists(writer.TempPath()));
}

TEST_F(AtomicFileTest, AnyFailedStepKeepsTheOldFileByteForByte) {
    struct Case {
        const char* name;
        AtomicFileFaults faults;
        unsigned long error;
    };
    const Case cases[] = {
        {"temporary file not created", {.failCreate = true}, ERROR_ACCESS_DENIED},
        {"first write fails", {.failWriteNumber = 1}, ERROR_DISK_FULL},
        {"second write fails", {.failWriteNumber = 2}, ERROR_DISK_FULL},
        {"third write short", {.failWriteNumber = 3, .shortWrite = true}, ERROR_DISK_FULL},
        {"flush fails", {.failFlush = true}, ERROR_DISK_FULL},
        {"move fails", {.failMove = true}, ERROR_ACCESS_DENIED},
    };
    for (const Case& c : cases) {
        SetAtomicFileFaultsForTesting(c.faults);
        AtomicFileWriter writer;
        EXPECT_FALSE(WriteThreeBlocks(writer)) << c.name;
        EXPECT_EQ(writer.LastError(), c.error) << c.name;
        EXPECT_EQ(ReadFileBytes(target), kOld) << c.name;
        EXPECT_TRUE(OnlyTheTarget()) << c.name;
    }
    ClearAtomicFileFaultsForTesting();
    AtomicFileWriter writer;
    EXPECT_TRUE(WriteThreeBlocks(writer));
    EXPECT_EQ(ReadFileBytes(target).size(), 384u);
}

TEST_F(AtomicFileTest, CommitAfterAShortWriteIsRefusedEvenIfTheCallerIgnoresIt) {
    SetAtomicFileFaultsForTesting({.failWriteNumber = 1, .shortWrite = true});
    AtomicFileWriter writer;
    ASSERT_TRUE(writer.Open(target.c_str()));
    std::uint32_t written = 0;
    EXPECT_TRUE(writer.Write("abcdef", 6, &written));
    EXPECT_EQ(written, 3u);
    EXPECT_FALSE(writer.Commit());
    EXPECT_EQ(ReadFileBytes(target), kOld);
}

TEST_F(AtomicFileTest, TargetInUseIsNotReplaced) {
    ExclusiveHold hold(target);
    ASSERT_TRUE(hold.Held());
    const FileBytes content{9, 9, 9};
    unsigned long error = 0;
    EXPECT_FALSE(ReplaceFileContents(target.c_str(), content.data(), content.size(), &error));
    EXPECT_NE(error, 0u);
    EXPECT_TRUE(OnlyTheTarget());
}

// A scanner or backup tool that reads the file just after a save lets go
// soon; the save waits for it instead of failing. (This reader does not
// share deletion, so no Windows lets the file be replaced while it is open.)
TEST_F(AtomicFileTest, AReaderThatLetsGoSoonDoesNotFailTheSave) {
    HANDLE reader = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    std::thread letGo([reader] {
        Sleep(150);
        CloseHandle(reader);
    });
    const FileBytes content{7, 7, 7};
    unsigned long error = 99;
    const bool saved = ReplaceFileContents(target.c_str(), content.data(), content.size(), &error);
    letGo.join();
    ASSERT_TRUE(saved) << error;
    EXPECT_EQ(ReadFileBytes(target), content);
    EXPECT_TRUE(OnlyTheTarget());
}

// What a scanner does to a new file: opens it as soon as it is closed and
// lets go after a while (0: keeps it until the test lets go).
struct Scanner {
    static HANDLE& Handle() {
        static HANDLE handle = INVALID_HANDLE_VALUE;
        return handle;
    }
    static void Open(const std::string& temp) {
        Handle() = CreateFileW(WidePath(temp).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    static void LetGo() {
        if (Handle() != INVALID_HANDLE_VALUE) CloseHandle(Handle());
        Handle() = INVALID_HANDLE_VALUE;
    }
};

// A first save has no target yet; the scanner that opens each new file for
// a moment holds our temporary file instead, and the save waits for it too.
TEST_F(AtomicFileTest, AFirstSaveWaitsForItsTemporaryFileHeldForAMoment) {
    const std::string fresh = folder.Path("LEDGR2I.LPD");
    AtomicFileFaults faults;
    faults.beforeMove = Scanner::Open;
    SetAtomicFileFaultsForTesting(faults);
    std::thread letGo([] {
        Sleep(150);
        Scanner::LetGo();
    });
    unsigned long error = 99;
    const bool saved = ReplaceFileContents(fresh.c_str(), "first", 5, &error);
    letGo.join();
    ASSERT_TRUE(saved) << error;
    EXPECT_EQ(ReadFileBytes(fresh), (FileBytes{'f', 'i', 'r', 's', 't'}));
    EXPECT_EQ(FilesIn(folder.Path()), (std::vector<std::string>{"LEDGR1.LPD", "LEDGR2I.LPD"}));
}

// One that stays held fails the first save after the short wait, as a held
// target does; the target is not made.
TEST_F(AtomicFileTest, AFirstSaveWhoseTemporaryFileStaysHeldFails) {
    const std::string fresh = folder.Path("LEDGR2I.LPD");
    AtomicFileFaults faults;
    faults.beforeMove = Scanner::Open;
    SetAtomicFileFaultsForTesting(faults);
    const DWORD start = GetTickCount();
    unsigned long error = 0;
    EXPECT_FALSE(ReplaceFileContents(fresh.c_str(), "first", 5, &error));
    EXPECT_GE(GetTickCount() - start, 300u) << "the save waited before it gave up";
    EXPECT_NE(error, 0u);
    Scanner::LetGo();
    EXPECT_FALSE(FileExists(fresh));
}

TEST_F(AtomicFileTest, AbandonedWriterLeavesTheTargetAlone) {
    {
        AtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(target.c_str()));
        ASSERT_TRUE(writer.Write("partial", 7));
    }
    EXPECT_EQ(ReadFileBytes(target), kOld);
    EXPECT_TRUE(OnlyTheTarget());
}

// The user's own files beside the target keep their bytes, even those whose
// names come close to our temporary names; only this target's leftovers from
// a crash go, whatever attributes they carry.
TEST_F(AtomicFileTest, SavingRemovesOnlyOurLeftoversAndNoUserFile) {
    const std::vector<std::string> users = {
        "LEDGR1.LPD.tmp",               // the name the writer once used
        "LEDGR1.LPD.~lp1234567.tmp",    // one digit short
        "LEDGR1.LPD.~lp12345678.txt",   // another ending
        "LEDGR1.LPD.~lp1234567G.tmp",   // not a hex digit
        "LEDGR2.LPD.~lp12345678.tmp",   // another target's
        "LEDGR1.LPDX.~lp12345678.tmp",
    };
    const std::vector<std::string> leftovers = {"LEDGR1.LPD.~lp0A1B2C3D.tmp", "ledgr1.lpd.~LPffffffff.TMP"};
    for (const std::string& name : users) WriteFileBytes(folder.Path(name), FileBytes(7, 'u'));
    for (const std::string& name : leftovers) {
        WriteFileBytes(folder.Path(name), FileBytes(5000, 'x'));
        SetFileAttributesA(folder.Path(name).c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    }

    ASSERT_TRUE(ReplaceFileContents(target.c_str(), "ok", 2));
    EXPECT_EQ(ReadFileBytes(target), (FileBytes{'o', 'k'}));
    std::vector<std::string> expected = users;
    expected.push_back("LEDGR1.LPD");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FilesIn(folder.Path()), expected);
    for (const std::string& name : users) EXPECT_EQ(ReadFileBytes(folder.Path(name)), FileBytes(7, 'u')) << name;
}

// A file that already has the temporary name is never overwritten: the
// writer takes another name.
TEST_F(AtomicFileTest, TemporaryFilesAreCreatedNewUnderNamesOfTheirOwn) {
    AtomicFileWriter first, second;
    ASSERT_TRUE(first.Open(target.c_str()));
    ASSERT_TRUE(first.Write("first", 5));
    ASSERT_TRUE(second.Open(target.c_str()));  // the first one's file is in use: kept
    EXPECT_NE(first.TempPath(), second.TempPath());
    ASSERT_TRUE(second.Write("second", 6));
    ASSERT_TRUE(second.Commit());
    ASSERT_TRUE(first.Commit());
    EXPECT_EQ(ReadFileBytes(target), (FileBytes{'f', 'i', 'r', 's', 't'}));
    EXPECT_TRUE(OnlyTheTarget());
}

TEST_F(AtomicFileTest, MissingFolderOrEmptyNameFailsWithoutAFile) {
    std::string missing = folder.Path("no-such-folder\\Options.dta");
    EXPECT_FALSE(ReplaceFileContents(missing.c_str(), "x", 1));
    EXPECT_TRUE(OnlyTheTarget());
    AtomicFileWriter writer;
    EXPECT_FALSE(writer.Open(""));
    EXPECT_TRUE(writer.TempPath().empty());
}
