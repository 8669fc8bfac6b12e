// The slot table: the file names of the accounts a user can keep, and
// the information file beside each.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/account_slots.h"
#include "storage/account_info.h"

namespace {

TEST(AccountSlots, UserSlotsBesideTheSampleAndTheirInformationFiles) {
    const std::vector<std::string> expected = {"",           "LEDGR1.LPD", "SAMPLE.LPD", "LEDGR2.LPD",
                                               "LEDGR3.LPD", "LEDGR4.LPD", "LEDGR5.LPD", "LEDGR6.LPD",
                                               "LEDGR7.LPD", "LEDGR8.LPD", "LEDGR9.LPD"};
    ASSERT_EQ(kAccountSlotCount, static_cast<int>(expected.size()));
    for (int slot = 0; slot < kAccountSlotCount; ++slot) EXPECT_EQ(kAccountSlotNames[slot], expected[slot]);
    EXPECT_EQ(kSampleAccountSlot, 2);

    AccountInfo info;
    EXPECT_EQ(info.InfoFileName("C:\\A\\LEDGR2.LPD"), "C:\\A\\LEDGR2I.LPD");
    EXPECT_EQ(info.InfoFileName("C:\\A\\SAMPLE.LPD"), "C:\\A\\SAMPLEI.LPD");
}

}  // namespace
