#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "storage/options.h"
#include "values/date.h"
#include "log_capture.h"

namespace {

using Image = std::vector<unsigned char>;

constexpr const char kFolder[] = "C:\\Docs\\TallwoodWorks\\Ledgerpad\\";

Image SaveImage(Options& options, const char* current) {
    unsigned char image[kOptionsRecordSize];
    options.MakeSaveImage(current, image);
    return Image(image, image + kOptionsRecordSize);
}

Image ImageOf(const OptionsRecord& record) {
    unsigned char image[kOptionsRecordSize];
    EncodeOptionsRecord(record, image);
    return Image(image, image + kOptionsRecordSize);
}

class OptionsTest : public ::testing::Test {
protected:
    void TearDown() override { g_Date.SetDateFormat(kFormatMMDDYY); }
    Options options;
};

}  // namespace

TEST_F(OptionsTest, ValidImageSetsDateFormatAndMovesTheMostRecentIntoTheAccountsFolder) {
    OptionsRecord record = DefaultOptionsRecord();
    record.dateFormat = kFormatYYDDMM;
    record.width = 1000;
    std::strcpy(record.mostRecent, "D:\\Old\\LEDGR1.LPD");
    std::strcpy(record.password, "secret");
    Image image = ImageOf(record);

    LogCapture log;
    ASSERT_TRUE(options.TakeLoadedImage(image.data(), image.size(), kFolder));
    EXPECT_EQ(g_Date.GetDateFormat(), kFormatYYDDMM);
    EXPECT_EQ(std::string(options.MostRecent()), std::string(kFolder) + "LEDGR1.LPD");
    EXPECT_EQ(options.WindowWidth(), 1000);
    char password[16];
    options.GetPassword(password);
    EXPECT_STREQ(password, "secret");
    EXPECT_EQ(log.Messages(),
              std::vector<std::string>{"OPTIONS_INIT::LoadOptions: Most Recent: D:\\Old\\LEDGR1.LPD"});
}

TEST_F(OptionsTest, EmptyMostRecentStaysEmpty) {
    Image image = ImageOf(DefaultOptionsRecord());
    ASSERT_TRUE(options.TakeLoadedImage(image.data(), image.size(), kFolder));
    EXPECT_STREQ(options.MostRecent(), "");
}

TEST_F(OptionsTest, InvalidImagePutsTheDefaultsInPlace) {
    options.SetPassword("pw");
    options.SetMostRecent("C:\\x\\LEDGR1.LPD");
    options.SetWindowRect(1, 2, 3, 4);
    g_Date.SetDateFormat(kFormatDDMMYY);
    Image image = ImageOf(DefaultOptionsRecord());
    image[0] = 0;
    EXPECT_FALSE(options.TakeLoadedImage(image.data(), image.size(), kFolder));
    EXPECT_EQ(g_Date.GetDateFormat(), kFormatMMDDYY);
    EXPECT_FALSE(options.HasPassword());
    EXPECT_STREQ(options.MostRecent(), "");
    EXPECT_EQ(options.WindowWidth(), 800);
    EXPECT_EQ(options.WindowHeight(), 600);
    EXPECT_EQ(options.ShowState(), 1);
    EXPECT_EQ(ImageOf(options.Record()), ImageOf(DefaultOptionsRecord()));
}

TEST_F(OptionsTest, SaveTakesTheMostRecentFromTheCurrentAccountName) {
    struct Case {
        const char* current;
        const char* mostRecent;
    };
    const Case cases[] = {
        {"C:\\Docs\\LEDGR2.LPD", "C:\\Docs\\LEDGR2.LPD"},
        {"new", "C:\\before\\LEDGR1.LPD"},   // no account opened in this run
        {"abc", "C:\\before\\LEDGR1.LPD"},
        {"abcd", "abcd"},
        {"", ""},
        {nullptr, "C:\\before\\LEDGR1.LPD"},
    };
    for (const Case& c : cases) {
        Options fresh;
        fresh.SetMostRecent("C:\\before\\LEDGR1.LPD");
        SaveImage(fresh, c.current);
        EXPECT_STREQ(fresh.MostRecent(), c.mostRecent) << (c.current ? c.current : "(none)");
    }
}

TEST_F(OptionsTest, SaveCopiesShowStateAndDateFormatAndKeepsTextsPlain) {
    options.SetShowState(2);
    g_Date.SetDateFormat(kFormatYYMMDD);
    options.SetPassword("pw");
    Image image = SaveImage(options, "C:\\Docs\\LEDGR1.LPD");
    EXPECT_EQ(options.SavedShowState(), 3);
    EXPECT_EQ(image[4], 2);
    EXPECT_EQ(image[8], 3);
    EXPECT_EQ(image[12], 3);
    char password[16];
    options.GetPassword(password);
    EXPECT_STREQ(password, "pw");
    EXPECT_STREQ(options.MostRecent(), "C:\\Docs\\LEDGR1.LPD");

    Options reloaded;
    ASSERT_TRUE(reloaded.TakeLoadedImage(image.data(), image.size(), "E:\\New\\"));
    EXPECT_STREQ(reloaded.MostRecent(), "E:\\New\\LEDGR1.LPD");
    EXPECT_EQ(g_Date.GetDateFormat(), kFormatYYMMDD);
    EXPECT_EQ(reloaded.ShowState(), 3);
}

TEST_F(OptionsTest, TwoSavesOfTheSameStateAreIdentical) {
    options.SetPassword("12345678");
    Image first = SaveImage(options, "C:\\Docs\\LEDGR1.LPD");
    Image second = SaveImage(options, "C:\\Docs\\LEDGR1.LPD");
    EXPECT_EQ(first, second);
}

TEST_F(OptionsTest, ShowStateFollowsResizeTypes) {
    struct Case {
        int resizeType;
        int before;
        int after;
    };
    const Case cases[] = {{2, 1, 3}, {0, 3, 1}, {1, 3, 3}, {1, 1, 1}, {3, 1, 1}, {4, 3, 3}, {-1, 1, 1}};
    for (const Case& c : cases) {
        Options fresh;
        fresh.SetShowState(c.before == 3 ? 2 : 0);
        ASSERT_EQ(fresh.ShowState(), c.before);
        fresh.SetShowState(c.resizeType);
        EXPECT_EQ(fresh.ShowState(), c.after) << c.resizeType;
    }
}

TEST_F(OptionsTest, TextsAreBoundedOnTheWayInAndOut) {
    options.SetPassword("123456789012");
    char password[kPasswordSize];
    options.GetPassword(password);
    EXPECT_STREQ(password, "12345678");
    char tiny[3];
    options.GetPassword(tiny);
    EXPECT_STREQ(tiny, "12");
    options.ClearPassword();
    EXPECT_FALSE(options.HasPassword());

    std::string huge(5000, 'h');
    options.SetMostRecent(huge.c_str());
    EXPECT_EQ(std::strlen(options.MostRecent()), kMaxPathLength);
    char small[8];
    options.GetMostRecent(small);
    EXPECT_STREQ(small, "hhhhhhh");
    options.ClearMostRecent();
    for (char c : options.Record().mostRecent) ASSERT_EQ(c, 0);

    Image image = SaveImage(options, huge.c_str());
    EXPECT_EQ(std::strlen(options.MostRecent()), kMaxPathLength);
    EXPECT_EQ(image.size(), kOptionsRecordSize);
}
