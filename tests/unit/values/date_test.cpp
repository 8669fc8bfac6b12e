#include "values/date.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

namespace {

class DateTest : public ::testing::Test {
protected:
    void SetUp() override { Date::SetTodayForTesting(2026, 12, 5); }
    void TearDown() override { Date::SetTodayForTesting(0, 0, 0); }

    // Parse takes a writable buffer it may alter, as callers pass copies.
    static bool ParseCopy(Date& date, const std::string& input) {
        std::unique_ptr<char[]> copy(new char[input.size() + 1]);
        std::memcpy(copy.get(), input.c_str(), input.size() + 1);
        return date.Parse(copy.get());
    }
};

struct ParseCase {
    int format;
    const char* input;
    const char* text; // nullptr: refused
    int dayOfYear;
};

TEST_F(DateTest, ParseAcceptsAndRefusesAsTyped) {
    const ParseCase cases[] = {
        // Separators, leading zeros or none.
        {0, "1/5/26", "20260105", 5},
        {0, "01/05/26", "20260105", 5},
        {0, "1 5 26", "20260105", 5},
        {0, "01 05 26", "20260105", 5},
        {0, "1/05 26", "20260105", 5},
        {0, "010526", "20260105", 5},
        {0, "1 1 1", "20010101", 1},
        // Shape of the input.
        {0, "1052026", nullptr, 0},   // no separator, not six digits
        {0, "10526", nullptr, 0},     // no separator, five digits
        {0, "11/05", nullptr, 0},     // one separator
        {0, "1/5", nullptr, 0},       // too short
        {0, "1//26", nullptr, 0},     // empty part
        {0, "1/5/26/", nullptr, 0},   // three separators
        {0, "/1/5/26", nullptr, 0},   // empty first part
        {0, " 1/5/26", nullptr, 0},   // leading space is an empty part
        {0, "1/5/26 ", nullptr, 0},   // trailing separator
        {0, "12-05-26", nullptr, 0},  // hyphen
        {0, "1.5.26", nullptr, 0},
        {0, "1/5/2a", nullptr, 0},
        {0, "\t1/5/26", nullptr, 0},
        {0, "", nullptr, 0},
        {0, "123456789", nullptr, 0}, // nine characters
        {0, "01/05/2026", nullptr, 0},
        // Months and days.
        {0, "2/29/24", "20240229", 60},
        {0, "2/29/25", nullptr, 0},
        {0, "2/29/00", "20000229", 60},
        {0, "2/29/96", "19960229", 60},
        {0, "2/29/100", nullptr, 0}, // 2100 is not a leap year
        {0, "2/29/400", "24000229", 60},
        {0, "2/28/25", "20250228", 59},
        {0, "4/31/26", nullptr, 0},
        {0, "4/30/26", "20260430", 120},
        {0, "1/31/26", "20260131", 31},
        {0, "1/32/26", nullptr, 0},
        {0, "0/10/26", nullptr, 0},
        {0, "10/0/26", nullptr, 0},
        {0, "000000", nullptr, 0},
        {0, "13/01/26", nullptr, 0},
        {0, "3/1/24", "20240301", 61},
        {0, "3/1/25", "20250301", 60},
        {0, "12/31/24", "20241231", 366},
        {0, "12/31/26", "20261231", 365},
        // Two-digit years and longer year parts.
        {0, "1/1/79", "20790101", 1},
        {0, "1/1/80", "19800101", 1},
        {0, "1/1/99", "19990101", 1},
        {0, "1/1/00", "20000101", 1},
        {0, "1/1/2005", "40050101", 1},
        {0, "1/1/7999", "99990101", 1},
        {0, "1/1/8000", nullptr, 0}, // would be year 10000
        {0, "1/1/9999", nullptr, 0},
        // The other formats.
        {1, "13/01/26", "20260113", 13},
        {1, "5/1/26", "20260105", 5},
        {1, "050126", "20260105", 5},
        {2, "26/01/05", "20260105", 5},
        {2, "260105", "20260105", 5},
        {2, "2005/1/1", "40050101", 1},
        {2, "8000/1/1", nullptr, 0},
        {3, "26/05/01", "20260105", 5},
        {3, "26 5 1", "20260105", 5},
        {3, "26/01/13", nullptr, 0},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(std::string("format ") + std::to_string(c.format) + " input \"" + c.input + "\"");
        Date date;
        date.SetDateFormat(c.format);
        const bool ok = ParseCopy(date, c.input);
        ASSERT_EQ(ok, c.text != nullptr);
        if (!ok)
            continue;
        EXPECT_STREQ(date.GetText(), c.text);
        EXPECT_EQ(date.GetYear(), std::atoi(std::string(c.text, 4).c_str()));
        EXPECT_EQ(date.GetMonth(), std::atoi(std::string(c.text + 4, 2).c_str()));
        EXPECT_EQ(date.GetDay(), std::atoi(std::string(c.text + 6, 2).c_str()));
        EXPECT_EQ(date.GetDayOfYear(), c.dayOfYear);
    }
}

TEST_F(DateTest, FailedParseKeepsLastGoodText) {
    Date date;
    ASSERT_TRUE(ParseCopy(date, "1/5/26"));
    EXPECT_FALSE(ParseCopy(date, "4/31/26"));
    EXPECT_STREQ(date.GetText(), "20260105");
    EXPECT_FALSE(ParseCopy(date, "garbage"));
    EXPECT_STREQ(date.GetText(), "20260105");
}

TEST_F(DateTest, ParseRefusesLongAndGarbageInputWithoutOverrun) {
    Date date;
    const std::string inputs[] = {
        std::string(1000, '1'),
        std::string(1000, '/'),
        std::string(1000, ' '),
        "1/5/26" + std::string(994, '6'),
        std::string(999, 'x'),
        std::string("1/5/26\xff", 7),
    };
    for (const std::string& input : inputs) {
        SCOPED_TRACE("input of " + std::to_string(input.size()) + " chars starting \"" + input.substr(0, 8) + "\"");
        EXPECT_FALSE(ParseCopy(date, input));
    }
    EXPECT_FALSE(date.Parse(nullptr));
}

TEST_F(DateTest, EveryDayRoundTripsThroughDisplayInEveryFormat) {
    for (int format = 0; format < kDateFormatCount; ++format) {
        for (int year : {1980, 1999, 2000, 2024, 2026, 2079}) {
            Date date;
            date.SetDateFormat(format);
            const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
            const int monthDays[12] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
            int dayOfYear = 0;
            for (int month = 1; month <= 12; ++month) {
                for (int day = 1; day <= monthDays[month - 1]; ++day) {
                    ++dayOfYear;
                    char stored[kStoredDateSize];
                    std::snprintf(stored, sizeof stored, "%04d%02d%02d", year, month, day);
                    char typed[kDisplayDateSize];
                    std::snprintf(typed, sizeof typed, "%s", date.ToDisplay(stored));
                    SCOPED_TRACE(std::string("format ") + std::to_string(format) + " date " + stored + " shown " + typed);
                    ASSERT_TRUE(date.Parse(typed));
                    ASSERT_STREQ(date.GetText(), stored);
                    ASSERT_EQ(date.GetDayOfYear(), dayOfYear);
                }
                // The day after the month's last is refused.
                char typed[16];
                std::snprintf(typed, sizeof typed, "%d/%d/%02d", month, monthDays[month - 1] + 1, year % 100);
                Date mmdd;
                ASSERT_FALSE(mmdd.Parse(typed)) << typed;
            }
        }
    }
}

TEST_F(DateTest, ToDisplayFollowsFormat) {
    const char* expected[kDateFormatCount] = {"01/05/26", "05/01/26", "26/01/05", "26/05/01"};
    Date date;
    for (int format = 0; format < kDateFormatCount; ++format) {
        date.SetDateFormat(format);
        EXPECT_STREQ(date.ToDisplay("20260105"), expected[format]) << "format " << format;
        EXPECT_STREQ(date.ToDisplay(""), "") << "format " << format;
    }
}

TEST_F(DateTest, ToDisplayOfShortDamagedTextStaysInsideIt) {
    // Exactly sized heap copies: the sanitizer catches any read past the end.
    Date date;
    const struct {
        const char* stored;
        const char* shown;
    } cases[] = {{"2026", "00/00/26"}, {"202601", "01/00/26"}, {"2", "00/00/00"}};
    for (const auto& c : cases) {
        const std::size_t size = std::strlen(c.stored) + 1;
        std::unique_ptr<char[]> copy(new char[size]);
        std::memcpy(copy.get(), c.stored, size);
        EXPECT_STREQ(date.ToDisplay(copy.get()), c.shown) << "stored \"" << c.stored << "\"";
    }
}

TEST_F(DateTest, SetDateFormatFallsBackToZero) {
    const struct {
        int given;
        int kept;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 0}, {7, 0}, {-1, 0}, {1000000, 0}};
    for (const auto& c : cases) {
        Date date;
        date.SetDateFormat(2);
        date.SetDateFormat(c.given);
        EXPECT_EQ(date.GetDateFormat(), c.kept) << "given " << c.given;
    }
}

TEST_F(DateTest, NewDateIsEmptyInFormatZero) {
    Date date;
    EXPECT_EQ(date.GetDateFormat(), 0);
    EXPECT_EQ(date.GetDay(), 0);
    EXPECT_EQ(date.GetMonth(), 0);
    EXPECT_EQ(date.GetYear(), 0);
    EXPECT_EQ(date.GetDayOfYear(), 0);
    EXPECT_STREQ(date.GetText(), "");
}

TEST_F(DateTest, FormatNames) {
    const char* names[kDateFormatCount] = {"MM/DD/YY", "DD/MM/YY", "YY/MM/DD", "YY/DD/MM"};
    Date date;
    for (int format = 0; format < kDateFormatCount; ++format) {
        date.SetDateFormat(format);
        char name[kDateFormatNameSize];
        date.FormatName(name);
        EXPECT_STREQ(name, names[format]);
    }
}

TEST_F(DateTest, TodayUsesPinnedDateOrLocalClock) {
    Date date;
    char today[kStoredDateSize];
    date.Today(today);
    EXPECT_STREQ(today, "20261205");

    Date::SetTodayForTesting(0, 0, 0);
    const std::time_t before = std::time(nullptr);
    date.Today(today);
    const std::time_t after = std::time(nullptr);
    char expected[2][kStoredDateSize];
    const std::time_t moments[2] = {before, after};
    for (int i = 0; i < 2; ++i) {
        const std::tm* local = std::localtime(&moments[i]);
        std::snprintf(expected[i], sizeof expected[i], "%4d%02d%02d",
                      local->tm_year + 1900, local->tm_mon + 1, local->tm_mday);
    }
    EXPECT_TRUE(std::strcmp(today, expected[0]) == 0 || std::strcmp(today, expected[1]) == 0) << today;
}

TEST_F(DateTest, FormatHelpShowsTheThreeWaysToType) {
    const struct {
        int format;
        const char* help;
    } cases[] = {
        {0,
         "    MM/DD/YY (i.e. 12/05/26) - leading zeros not required\n"
         "    MM DD YY (i.e. 12 05 26) - leading zeros not required\n"
         "    MMDDYY (i.e. 120526) - leading zeros required"},
        {1,
         "    DD/MM/YY (i.e. 05/12/26) - leading zeros not required\n"
         "    DD MM YY (i.e. 05 12 26) - leading zeros not required\n"
         "    DDMMYY (i.e. 051226) - leading zeros required"},
        {2,
         "    YY/MM/DD (i.e. 26/12/05) - leading zeros not required\n"
         "    YY MM DD (i.e. 26 12 05) - leading zeros not required\n"
         "    YYMMDD (i.e. 261205) - leading zeros required"},
        {3,
         "    YY/DD/MM (i.e. 26/05/12) - leading zeros not required\n"
         "    YY DD MM (i.e. 26 05 12) - leading zeros not required\n"
         "    YYDDMM (i.e. 260512) - leading zeros required"},
    };
    for (const auto& c : cases) {
        Date date;
        date.SetDateFormat(c.format);
        char help[kDateHelpSize];
        date.FormatHelp(help);
        EXPECT_STREQ(help, c.help) << "format " << c.format;
    }
}

TEST_F(DateTest, FormatHelpIsCutToASmallBuffer) {
    Date date;
    char help[21];
    std::memset(help, '#', sizeof help);
    date.FormatHelp(help, 20);
    EXPECT_STREQ(help, "    MM/DD/YY (i.e. ");
    EXPECT_EQ(help[20], '#');
}

TEST_F(DateTest, ErrorMessagesCarryTheHelpText) {
    const char* help =
        "    MM/DD/YY (i.e. 12/05/26) - leading zeros not required\n"
        "    MM DD YY (i.e. 12 05 26) - leading zeros not required\n"
        "    MMDDYY (i.e. 120526) - leading zeros required";
    const std::string expected[kDateErrorKindCount] = {
        std::string("Enter a valid date in one of the following formats: \n\n") + help +
            "\n\nOr delete this transaction.",
        std::string("Enter a valid date in one of the following formats: \n\n") + help,
        std::string("Enter a valid \"Range From\" date in one of the following formats: \n\n") + help,
        std::string("Enter a valid \"Range To\" date in one of the following formats: \n\n") + help,
    };
    Date date;
    for (int kind = 0; kind < kDateErrorKindCount; ++kind) {
        char message[kDateErrorMessageSize];
        date.ErrorMessage(kind, message, sizeof message);
        EXPECT_EQ(std::string(message), expected[kind]) << "kind " << kind;
    }
    char message[kDateErrorMessageSize];
    date.ErrorMessage(9, message, sizeof message);
    EXPECT_EQ(std::string(message), expected[0]) << "unknown kind shows the register message";
}

TEST_F(DateTest, ErrorMessageIsCutToASmallBuffer) {
    Date date;
    char message[16];
    date.ErrorMessage(0, message, sizeof message);
    EXPECT_STREQ(message, "Enter a valid d");
}

TEST_F(DateTest, ParseLeavesFormatAndDisplayAlone) {
    // The register shows dates through g_Date while it parses typed ones.
    g_Date.SetDateFormat(1);
    char typed[] = "5/1/26";
    ASSERT_TRUE(g_Date.Parse(typed));
    EXPECT_EQ(g_Date.GetDateFormat(), 1);
    EXPECT_STREQ(g_Date.ToDisplay(g_Date.GetText()), "05/01/26");
    g_Date.SetDateFormat(0);
}

} // namespace
