// The sample account beside the program reaches a new accounts folder: both
// files or neither, never over a file already there, a failure logged.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/sample_account.h"
#include "storage/log_capture.h"
#include "storage/scratch_folder_win.h"

namespace {

const FileBytes kAccountBytes = {0xFE, 'S', 'a', 'm', 'p', 'l', 'e', 0x00};
const FileBytes kInfoBytes = {0x01, 'i', 'n', 'f', 'o'};

// A program folder and an empty accounts folder side by side.
class SampleAccountTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA(ProgramFolder().c_str(), nullptr);
        CreateDirectoryA(AccountsFolder().c_str(), nullptr);
    }
    std::string ProgramFolder() const { return scratch_.Path("program") + "\\"; }
    std::string AccountsFolder() const { return scratch_.Path("accounts") + "\\"; }
    void ShipSample(bool account = true, bool info = true) {
        if (account) WriteFileBytes(ProgramFolder() + "SAMPLE.LPD", kAccountBytes);
        if (info) WriteFileBytes(ProgramFolder() + "SAMPLEI.LPD", kInfoBytes);
    }
    bool Copy() { return CopySampleAccount(ProgramFolder(), AccountsFolder()); }
    bool InAccounts(const char* name) const { return FileExists(AccountsFolder() + name); }

    ScratchFolder scratch_;
};

TEST_F(SampleAccountTest, BothFilesAreCopiedByteForByte) {
    ShipSample();
    ASSERT_TRUE(Copy());
    EXPECT_EQ(ReadFileBytes(AccountsFolder() + "SAMPLE.LPD"), kAccountBytes);
    EXPECT_EQ(ReadFileBytes(AccountsFolder() + "SAMPLEI.LPD"), kInfoBytes);
}

// A program built without the sample (or with half of it) copies nothing.
TEST_F(SampleAccountTest, NothingIsCopiedUnlessBothFilesShip) {
    struct Case {
        const char* name;
        bool account;
        bool info;
    };
    for (const Case& c : {Case{"none", false, false}, Case{"account only", true, false},
                          Case{"information only", false, true}}) {
        ShipSample(c.account, c.info);
        EXPECT_FALSE(Copy()) << c.name;
        EXPECT_FALSE(InAccounts("SAMPLE.LPD")) << c.name;
        EXPECT_FALSE(InAccounts("SAMPLEI.LPD")) << c.name;
        DeleteFileA((ProgramFolder() + "SAMPLE.LPD").c_str());
        DeleteFileA((ProgramFolder() + "SAMPLEI.LPD").c_str());
    }
}

TEST_F(SampleAccountTest, AnAccountAlreadyThereIsNeverReplaced) {
    ShipSample();
    const FileBytes mine = {0xFE, 'M', 'i', 'n', 'e'};
    WriteFileBytes(AccountsFolder() + "SAMPLE.LPD", mine);
    EXPECT_FALSE(Copy());
    EXPECT_EQ(ReadFileBytes(AccountsFolder() + "SAMPLE.LPD"), mine);
    EXPECT_FALSE(InAccounts("SAMPLEI.LPD")) << "half a sample was left beside the user's file";
}

// The account file cannot be read (another program holds it): the copy
// fails, is logged, and takes the information file back out.
TEST_F(SampleAccountTest, AFailedCopyIsLoggedAndLeavesNeitherFile) {
    LogCapture log;
    ASSERT_TRUE(log.Started());
    ShipSample();
    ExclusiveHold hold(ProgramFolder() + "SAMPLE.LPD");
    ASSERT_TRUE(hold.Held());

    EXPECT_FALSE(Copy());
    EXPECT_FALSE(InAccounts("SAMPLE.LPD"));
    EXPECT_FALSE(InAccounts("SAMPLEI.LPD"));
    const std::vector<std::string> messages = log.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "CopySampleAccount: " + AccountsFolder() + "SAMPLE.LPD  error 32");
}

TEST_F(SampleAccountTest, AMissingAccountsFolderFailsQuietly) {
    ShipSample();
    EXPECT_FALSE(CopySampleAccount(ProgramFolder(), scratch_.Path("gone") + "\\"));
    EXPECT_FALSE(FolderExists(scratch_.Path("gone")));
}

}  // namespace
