// The safety net on real files: both files copied into Backups under their
// names and the time, one backup a day before changes, the oldest beyond
// twenty removed with their information files, the list newest first with
// its records and balance, and a restore giving the backup's bytes.
#include "storage/backups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "account_golden.h"
#include "scratch_folder_win.h"

namespace {

using account_golden::NewAccountFile;
using account_golden::PutRecord;

class BackupsTest : public testing::Test {
protected:
    void SetUp() override {
        account_ = folder_.Path("LEDGR1.LPD");
        info_ = folder_.Path("LEDGR1I.LPD");
        WriteFileBytes(account_, Account(1));
        WriteFileBytes(info_, {1, 2, 3});
    }
    // An account file of the opening balance and `extra` payments of 10.
    static FileBytes Account(int extra) {
        FileBytes bytes = NewAccountFile();
        bytes.resize(128 * (2 + extra), 0);
        for (int i = 1; i <= extra; ++i) PutRecord(bytes, i, "", "20260301", 2026, 60, "paid", 10.0);
        return bytes;
    }
    std::string Backups() const { return folder_.Path("Backups"); }

    ScratchFolder folder_;
    std::string account_, info_;
};

TEST_F(BackupsTest, BothFilesAreCopiedUnderTheirNamesAndTheTime) {
    const BackupResult result = MakeBackup(account_.c_str(), {2026, 5, 1, 9, 30, 7});
    ASSERT_TRUE(result.made);
    EXPECT_FALSE(result.failed);
    EXPECT_EQ(FilesIn(Backups()),
              (std::vector<std::string>{"LEDGR1 2026-05-01 09.30.07.LPD", "LEDGR1I 2026-05-01 09.30.07.LPD"}));
    EXPECT_EQ(ReadFileBytes(Backups() + "\\LEDGR1 2026-05-01 09.30.07.LPD"), Account(1));
    EXPECT_EQ(ReadFileBytes(Backups() + "\\LEDGR1I 2026-05-01 09.30.07.LPD"), (FileBytes{1, 2, 3}));
}

TEST_F(BackupsTest, TwoBackupsInOneSecondAreBothKept) {
    ASSERT_TRUE(MakeBackup(account_.c_str(), {2026, 5, 1, 9, 30, 7}).made);
    WriteFileBytes(account_, Account(2));
    ASSERT_TRUE(MakeBackup(account_.c_str(), {2026, 5, 1, 9, 30, 7}).made);
    EXPECT_EQ(ReadFileBytes(Backups() + "\\LEDGR1 2026-05-01 09.30.07.LPD"), Account(1));
    EXPECT_EQ(ReadFileBytes(Backups() + "\\LEDGR1 2026-05-01 09.30.08.LPD"), Account(2));
    EXPECT_TRUE(FileExists(Backups() + "\\LEDGR1I 2026-05-01 09.30.08.LPD"));
}

TEST_F(BackupsTest, OneBackupADayBeforeChanges) {
    EXPECT_TRUE(MakeFirstBackupOfTheDay(account_.c_str(), {2026, 5, 1, 9, 0, 0}).made);
    EXPECT_FALSE(MakeFirstBackupOfTheDay(account_.c_str(), {2026, 5, 1, 18, 0, 0}).made);
    EXPECT_TRUE(MakeFirstBackupOfTheDay(account_.c_str(), {2026, 5, 2, 0, 0, 1}).made);
    EXPECT_EQ(FilesIn(Backups()).size(), 4u);
}

TEST_F(BackupsTest, TheNewestTwentyAreKeptWithTheirInformationFiles) {
    for (int day = 1; day <= 23; ++day) ASSERT_TRUE(MakeBackup(account_.c_str(), {2026, 1, day, 12, 0, 0}).made);
    const std::vector<std::string> left = FilesIn(Backups());
    ASSERT_EQ(left.size(), 40u);
    EXPECT_EQ(left.front(), "LEDGR1 2026-01-04 12.00.00.LPD");
    EXPECT_EQ(left.back(), "LEDGR1I 2026-01-23 12.00.00.LPD");
}

TEST_F(BackupsTest, TheListIsNewestFirstWithRecordsAndBalance) {
    ASSERT_TRUE(MakeBackup(account_.c_str(), {2026, 5, 1, 9, 0, 0}).made);
    WriteFileBytes(account_, Account(3));
    ASSERT_TRUE(MakeBackup(account_.c_str(), {2026, 5, 2, 9, 0, 0}).made);
    const std::vector<BackupEntry> list = ListBackups(account_.c_str());
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].time, (BackupTime{2026, 5, 2, 9, 0, 0}));
    EXPECT_EQ(list[0].records, 4u);
    EXPECT_DOUBLE_EQ(list[0].endingBalance, 100.0 - 30.0);
    EXPECT_EQ(list[1].records, 2u);
    EXPECT_DOUBLE_EQ(list[1].endingBalance, 90.0);
    EXPECT_EQ(list[1].infoPath, Backups() + "\\LEDGR1I 2026-05-01 09.00.00.LPD");
}

TEST_F(BackupsTest, ARestoreGivesTheBackupsBytes) {
    ASSERT_TRUE(MakeBackup(account_.c_str(), {2026, 5, 1, 9, 0, 0}).made);
    WriteFileBytes(account_, Account(3));
    WriteFileBytes(info_, {9, 9});
    const std::vector<BackupEntry> list = ListBackups(account_.c_str());
    ASSERT_EQ(list.size(), 1u);
    const RestoreResult result = RestoreBackup(account_.c_str(), list[0], {2026, 5, 3, 8, 0, 0});
    ASSERT_EQ(result.step, RestoreStep::Restored) << result.error;
    EXPECT_EQ(ReadFileBytes(account_), Account(1));
    EXPECT_EQ(ReadFileBytes(info_), (FileBytes{1, 2, 3}));
    // What was replaced is a backup now, at the top of the list.
    const std::vector<BackupEntry> after = ListBackups(account_.c_str());
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0].time, (BackupTime{2026, 5, 3, 8, 0, 0}));
    EXPECT_EQ(ReadFileBytes(after[0].accountPath), Account(3));
    EXPECT_EQ(ReadFileBytes(after[0].infoPath), (FileBytes{9, 9}));
}

// Twenty backups already: keeping the account as it is now pushes the
// oldest out, and that one can still be restored.
TEST_F(BackupsTest, TheOldestOfTwentyCanBeRestored) {
    ASSERT_TRUE(MakeBackup(account_.c_str(), {2026, 1, 1, 12, 0, 0}).made);
    WriteFileBytes(account_, Account(2));
    for (int day = 2; day <= 20; ++day) ASSERT_TRUE(MakeBackup(account_.c_str(), {2026, 1, day, 12, 0, 0}).made);
    const std::vector<BackupEntry> list = ListBackups(account_.c_str());
    ASSERT_EQ(list.size(), 20u);
    EXPECT_EQ(RestoreBackup(account_.c_str(), list.back(), {2026, 2, 1, 0, 0, 0}).step, RestoreStep::Restored);
    EXPECT_EQ(ReadFileBytes(account_), Account(1));
}

TEST_F(BackupsTest, ABackupThatCannotBeMadeSaysSo) {
    // A file where the folder should be.
    WriteFileBytes(Backups(), {0});
    const BackupResult result = MakeBackup(account_.c_str(), {2026, 5, 1, 9, 0, 0});
    EXPECT_FALSE(result.made);
    EXPECT_TRUE(result.failed);
    EXPECT_NE(result.error, 0u);
}

}  // namespace
