// The backups' names: made and read back, told apart from other accounts'
// and from the information file's, ordered newest first, the oldest beyond
// twenty chosen for removal, and the first change of a day found.
#include "storage/backup_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(BackupNames, NameAndTimeGoBothWays) {
    const BackupTime t{2026, 5, 1, 9, 30, 7};
    EXPECT_EQ(BackupFileName("LEDGR1.LPD", t), "LEDGR1 2026-05-01 09.30.07.LPD");
    EXPECT_EQ(BackupFileName("LEDGR1I.LPD", t), "LEDGR1I 2026-05-01 09.30.07.LPD");
    EXPECT_EQ(BackupTimeOf("LEDGR1.LPD", "LEDGR1 2026-05-01 09.30.07.LPD"), t);
    EXPECT_EQ(BackupTimeOf("LEDGR1.LPD", "ledgr1 2026-05-01 09.30.07.lpd"), t) << "Windows names ignore case";
}

TEST(BackupNames, OnlyThisFilesBackupsAreRead) {
    const struct { const char* name; bool isBackup; } cases[] = {
        {"LEDGR1 2026-05-01 09.30.07.LPD", true},
        {"LEDGR1I 2026-05-01 09.30.07.LPD", false},  // its information file's
        {"LEDGR2 2026-05-01 09.30.07.LPD", false},   // another account's
        {"LEDGR1.LPD", false},
        {"LEDGR1 2026-05-01 09.30.07.LPD.tmp", false},
        {"LEDGR1 2026-13-01 09.30.07.LPD", false},
        {"LEDGR1 2026-05-01 24.30.07.LPD", false},
        {"LEDGR1 2026-05-01 09-30-07.LPD", false},
        {"LEDGR1 2026-05-0x 09.30.07.LPD", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(BackupTimeOf("LEDGR1.LPD", c.name).has_value(), c.isBackup) << c.name;
}

TEST(BackupNames, NewestFirstAndTheOldestBeyondTwentyGo) {
    std::vector<std::string> names = {"LEDGR1I 2026-01-01 00.00.00.LPD", "SAMPLE.LPD", "notes.txt"};
    for (int day = 1; day <= 25; ++day)
        names.push_back(BackupFileName("LEDGR1.LPD", {2026, 1 + (day * 7) % 12, day, 12, 0, 0}));
    const std::vector<std::string> newest = BackupsOf("LEDGR1.LPD", names);
    ASSERT_EQ(newest.size(), 25u);
    for (std::size_t i = 1; i < newest.size(); ++i)
        EXPECT_GT(*BackupTimeOf("LEDGR1.LPD", newest[i - 1]), *BackupTimeOf("LEDGR1.LPD", newest[i]));
    const std::vector<std::string> beyond = BackupsBeyond("LEDGR1.LPD", names);
    EXPECT_EQ(beyond, std::vector<std::string>(newest.begin() + 20, newest.end()));
    EXPECT_TRUE(BackupsBeyond("LEDGR1.LPD", std::vector<std::string>(newest.begin(), newest.begin() + 20)).empty());
}

TEST(BackupNames, TheFirstChangeOfADay) {
    const std::vector<std::string> names = {"LEDGR1 2026-05-01 23.59.59.LPD", "LEDGR2 2026-05-02 08.00.00.LPD"};
    EXPECT_FALSE(FirstChangeOfTheDay("LEDGR1.LPD", names, {2026, 5, 1, 23, 59, 59}));
    EXPECT_TRUE(FirstChangeOfTheDay("LEDGR1.LPD", names, {2026, 5, 2, 0, 0, 0}));
    EXPECT_FALSE(FirstChangeOfTheDay("LEDGR2.LPD", names, {2026, 5, 2, 9, 0, 0}));
    EXPECT_TRUE(FirstChangeOfTheDay("LEDGR1.LPD", {}, {2026, 5, 1, 0, 0, 0}));
}

}  // namespace
