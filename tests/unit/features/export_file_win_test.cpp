// Writing the export file on a real disk: the whole text replaces the
// target, and when any step fails the target keeps its old bytes and no
// half-written file is left behind.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "features/export_file.h"
#include "storage/atomic_file.h"
#include "storage/scratch_folder_win.h"

namespace {

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

struct FaultCase {
    const char* name;
    AtomicFileFaults faults;
};

class ExportWriting : public ::testing::Test {
protected:
    void TearDown() override { ClearAtomicFileFaultsForTesting(); }
    ScratchFolder folder;
};

TEST_F(ExportWriting, TheTextBecomesTheWholeFile) {
    const std::string path = folder.Path("out.txt");
    Write(path, "an older and much longer file that must not shine through\r\n");
    unsigned long error = 0;
    ASSERT_TRUE(WriteExportText(path.c_str(), "a\tb\r\n", &error));
    EXPECT_EQ(Read(path), "a\tb\r\n");
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"out.txt"});
}

TEST_F(ExportWriting, AFailedStepKeepsTheOldFileAndLeavesNothingBehind) {
    const FaultCase cases[] = {
        {"cannot create", {.failCreate = true}},
        {"disk full", {.failWriteNumber = 1}},
        {"short write", {.failWriteNumber = 1, .shortWrite = true}},
        {"flush fails", {.failFlush = true}},
        {"move fails", {.failMove = true}},
    };
    for (const FaultCase& c : cases) {
        const std::string path = folder.Path("kept.txt");
        Write(path, "old\r\n");
        SetAtomicFileFaultsForTesting(c.faults);
        unsigned long error = 0;
        EXPECT_FALSE(WriteExportText(path.c_str(), std::string(5000, 'x'), &error)) << c.name;
        ClearAtomicFileFaultsForTesting();
        EXPECT_NE(error, 0u) << c.name;
        EXPECT_EQ(Read(path), "old\r\n") << c.name;
        EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"kept.txt"}) << c.name;
    }
}

TEST_F(ExportWriting, AMissingFolderIsAFailureWithItsReason) {
    const std::string path = folder.Path("no such folder\\out.txt");
    unsigned long error = 0;
    EXPECT_FALSE(WriteExportText(path.c_str(), "x\r\n", &error));
    EXPECT_EQ(error, static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
}

}  // namespace
