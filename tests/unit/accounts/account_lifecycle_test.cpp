// The platform-free rules of the account lifecycle: slots, lists, the
// checks of the create dialogs and the start-screen choices.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/account_slots.h"
#include "model/account_lifecycle.h"
#include "ui/start_choice.h"
#include "ui/dialog_ids.h"

namespace {

// Files by path: present ones with a header, some that cannot be opened.
class FakeFiles : public AccountFileProbe {
public:
    std::map<std::string, std::string> names;  // path -> account name in the header
    std::set<std::string> unreadable;
    std::vector<std::string> reads;

    bool Exists(const char* path) override { return names.count(path) || unreadable.count(path); }
    bool ReadHeader(const char* path, AccountHeader& header) override {
        reads.push_back(path);
        if (unreadable.count(path)) return false;
        std::memset(&header, 0, sizeof header);
        header.marker = kAccountFileMarker;
        CopyFixedText(header.name, names[path].c_str());
        return true;
    }
};

std::vector<std::string> SlotPathStrings() {
    std::vector<std::string> paths;
    for (int slot = 1; slot < kAccountSlotCount; ++slot)
        paths.push_back(std::string("C:\\Docs\\TallwoodWorks\\Ledgerpad\\") + kAccountSlotNames[slot]);
    return paths;
}

std::vector<const char*> Pointers(const std::vector<std::string>& strings) {
    std::vector<const char*> out;
    for (const std::string& s : strings) out.push_back(s.c_str());
    return out;
}

TEST(AccountSlots, NewAccountTakesFirstFreeUserSlotNeverTheSample) {
    struct Case {
        const char* name;
        std::set<int> taken;
        int expected;
    };
    const Case cases[] = {
        {"none taken", {}, 1},
        {"sample only", {2}, 1},
        {"first taken, sample free", {1}, 3},
        {"first and sample", {1, 2}, 3},
        {"a gap", {1, 3, 5}, 4},
        {"first freed again", {3, 4}, 1},
        {"only the last free", {1, 2, 3, 4, 5, 6, 7, 8, 9}, 10},
        {"all user slots taken", {1, 3, 4, 5, 6, 7, 8, 9, 10}, -1},
        {"everything taken", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FirstFreeUserSlot(kAccountSlotCount, kSampleAccountSlot,
                                    [&](int slot) { return c.taken.count(slot) > 0; }),
                  c.expected)
            << c.name;
    }
}

TEST(AccountList, ListsExistingFilesInSlotOrderWithNameAndFileName) {
    const auto paths = SlotPathStrings();
    FakeFiles files;
    files.names[paths[8]] = "Savings at Home";      // LEDGR8.LPD
    files.names[paths[1]] = "Sample Checking";      // SAMPLE.LPD
    files.names[paths[0]] = "Tom's Checking";       // LEDGR1.LPD
    files.names[paths[2]] = "State Bank";           // LEDGR2.LPD

    AccountList list;
    BuildAccountList(list, kOpenChooserTitle, Pointers(paths), files);

    ASSERT_EQ(list.entries.size(), 4u);
    const char* names[] = {"Tom's Checking", "Sample Checking", "State Bank", "Savings at Home"};
    const char* fileNames[] = {"LEDGR1.LPD", "SAMPLE.LPD", "LEDGR2.LPD", "LEDGR8.LPD"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_STREQ(list.entries[i].name, names[i]) << i;
        EXPECT_STREQ(list.entries[i].fileName, fileNames[i]) << i;
        EXPECT_STREQ(FileNameOfPath(list.entries[i].path), fileNames[i]) << i;
    }
    EXPECT_STREQ(list.title, kOpenChooserTitle);
    EXPECT_EQ(list.selected, 1);
    EXPECT_EQ(list.result, kChooserCancelled);
    EXPECT_EQ(list.Chosen(), nullptr) << "nothing is chosen until the user chooses";
    EXPECT_EQ(CountExistingAccounts(Pointers(paths), files), 4);
}

TEST(AccountList, SkipsFilesThatCannotBeReadAndReadsOnlyExistingOnes) {
    const auto paths = SlotPathStrings();
    FakeFiles files;
    files.unreadable.insert(paths[0]);
    files.names[paths[2]] = "Second";

    AccountList list;
    BuildAccountList(list, kDeleteChooserTitle, Pointers(paths), files);
    ASSERT_EQ(list.entries.size(), 1u);
    EXPECT_STREQ(list.entries[0].name, "Second");
    EXPECT_EQ(files.reads, (std::vector<std::string>{paths[0], paths[2]}));
    EXPECT_EQ(CountExistingAccounts(Pointers(paths), files), 2) << "an unreadable file still exists";
}

TEST(AccountList, HeaderNameWithoutItsNulIsCutAtItsField) {
    class LongName : public FakeFiles {
        bool ReadHeader(const char*, AccountHeader& header) override {
            std::memset(&header, 'X', sizeof header);
            return true;
        }
    } files;
    files.names["C:\\A\\LEDGR1.LPD"] = "";
    const char* paths[] = {"C:\\A\\LEDGR1.LPD"};
    AccountList list;
    BuildAccountList(list, kOpenChooserTitle, paths, files);
    ASSERT_EQ(list.entries.size(), 1u);
    EXPECT_EQ(std::strlen(list.entries[0].name), kAccountNameMaxLength);
}

TEST(AccountList, ChosenEntryFollowsTheOneBasedSelection) {
    AccountList list;
    list.entries.resize(3);
    CopyFixedText(list.entries[2].name, "third");
    list.result = kChooserChosen;
    list.selected = 3;
    ASSERT_NE(list.Chosen(), nullptr);
    EXPECT_STREQ(list.Chosen()->name, "third");
    for (int bad : {0, 4, -1}) {
        list.selected = bad;
        EXPECT_EQ(list.Chosen(), nullptr) << bad;
    }
}

TEST(AccountPaths, FileNameAndSameness) {
    EXPECT_STREQ(FileNameOfPath("C:\\Users\\me\\Documents\\TallwoodWorks\\Ledgerpad\\LEDGR3.LPD"), "LEDGR3.LPD");
    EXPECT_STREQ(FileNameOfPath("C:/x/SAMPLE.LPD"), "SAMPLE.LPD");
    EXPECT_STREQ(FileNameOfPath("LEDGR1.LPD"), "LEDGR1.LPD");
    EXPECT_STREQ(FileNameOfPath(""), "");
    EXPECT_TRUE(IsSameAccountPath("C:\\A\\ledgr1.lpd", "c:\\a\\LEDGR1.LPD"));
    EXPECT_FALSE(IsSameAccountPath("C:\\A\\LEDGR1.LPD", "C:\\A\\LEDGR1.LPDX"));
    EXPECT_FALSE(IsSameAccountPath("C:\\A\\LEDGR1.LPD", "C:\\A\\LEDGR2.LPD"));
    EXPECT_FALSE(IsSameAccountPath(nullptr, "x"));
}

TEST(CreateChecks, AccountNameMustNotBeEmpty) {
    EXPECT_FALSE(IsValidAccountName(""));
    EXPECT_FALSE(IsValidAccountName(nullptr));
    EXPECT_TRUE(IsValidAccountName("State Bank"));
    EXPECT_TRUE(IsValidAccountName(" "));
}

TEST(CreateChecks, StartingBalanceTexts) {
    struct Case {
        const char* typed;
        bool ok;
        const char* cleaned;
    };
    const Case cases[] = {
        {"0.00", true, "0.00"},
        {"1,234.56", true, "1234.56"},
        {"999,999.99", true, "999999.99"},
        {"-9999999.99", true, "-9999999.99"},
        {"-250", true, "-250"},
        {"", true, ""},
        {"5-", false, ""},
        {"1000000", false, ""},
        {"1 000", false, ""},
        {"$12", false, ""},
        {"12a", false, ""},
        {"--5", false, ""},
        {"-10000000", false, ""},
    };
    for (const Case& c : cases) {
        char cleaned[32] = "untouched";
        EXPECT_EQ(CheckStartingBalanceText(c.typed, cleaned, sizeof cleaned), c.ok) << c.typed;
        EXPECT_STREQ(cleaned, c.ok ? c.cleaned : "untouched") << c.typed;
    }
}

TEST(StartScreen, ChoicesLeadTo) {
    struct Case {
        int choice;
        int existing;
        const char* recent;
        StartAction expected;
    };
    const char* recent = "C:\\A\\LEDGR1.LPD";
    const Case cases[] = {
        {kIdCreateAccount, 0, "", StartAction::Create},
        {kIdCreateAccount, 3, recent, StartAction::Create},
        {kIdOpenAccount, 0, recent, StartAction::TellNoAccountToOpen},
        {kIdOpenAccount, 1, "", StartAction::OpenFromList},
        {kIdOpenRecent, 0, recent, StartAction::TellNoAccountForRecent},
        {kIdOpenRecent, 0, "", StartAction::TellNoAccountForRecent},
        {kIdOpenRecent, 2, "", StartAction::TellNoRecentAccount},
        {kIdOpenRecent, 2, nullptr, StartAction::TellNoRecentAccount},
        {kIdOpenRecent, 2, recent, StartAction::OpenMostRecent},
        {kIdCancel, 2, recent, StartAction::Quit},
        {-1, 2, recent, StartAction::Quit},  // the screen could not be shown
        {0, 2, recent, StartAction::Quit},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecideStartChoice(c.choice, c.existing, c.recent), c.expected)
            << "choice " << c.choice << " existing " << c.existing;
    }
}

}  // namespace
