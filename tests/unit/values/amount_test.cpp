#include "values/amount.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(AmountFormatTest, FormatAmountPrintsTwoDecimals) {
    const struct {
        double amount;
        const char* text;
    } cases[] = {
        {0.0, "0.00"},
        {12.5, "12.50"},
        {0.004, "0.00"},
        {0.996, "1.00"},
        {-5.0, "-5.00"},
        {999999.99, "999999.99"},
        {1234567.891, "1234567.89"},
    };
    for (const auto& c : cases) {
        char text[kAmountTextSize];
        FormatAmount(text, c.amount);
        EXPECT_STREQ(text, c.text) << "amount " << c.amount;
    }
}

TEST(AmountFormatTest, FormatBalanceShowsOverflowOutsideDisplayableRange) {
    const struct {
        double amount;
        const char* plain;
        const char* grouped;
    } cases[] = {
        {9999999.99, "9999999.99", "9,999,999.99"},
        {-9999999.99, "-9999999.99", "-9,999,999.99"},
        {10000000.0, "*******.**", "*,***,***.**"},
        {9999999.991, "*******.**", "*,***,***.**"},
        {-10000000.0, "-*******.**", "-*,***,***.**"},
        {1e300, "*******.**", "*,***,***.**"},
        {-1e300, "-*******.**", "-*,***,***.**"},
        {0.0, "0.00", "0.00"},
        {-0.5, "-0.50", "-0.50"},
    };
    for (const auto& c : cases) {
        char text[kAmountTextSize];
        FormatBalance(text, c.amount);
        EXPECT_STREQ(text, c.plain) << "amount " << c.amount;
        EXPECT_STREQ(InsertThousandsSeparators(text), c.grouped) << "amount " << c.amount;
    }
}

TEST(AmountFormatTest, InsertThousandsSeparatorsAddsAtMostTwoCommas) {
    const struct {
        const char* text;
        const char* grouped;
    } cases[] = {
        {"0.00", "0.00"},
        {"999.99", "999.99"},
        {"-999.99", "-999.99"},
        {"1234.50", "1,234.50"},
        {"-1234.50", "-1,234.50"},
        {"123456.00", "123,456.00"},
        {"-123456.00", "-123,456.00"},
        {"999999.99", "999,999.99"},
        {"1234567.89", "1,234,567.89"},
        {"-1234567.89", "-1,234,567.89"},
        {"12345678901.00", "12345,678,901.00"},
        {"", ""},
    };
    for (const auto& c : cases) {
        char text[kAmountTextSize];
        std::strcpy(text, c.text);
        EXPECT_EQ(InsertThousandsSeparators(text), text);
        EXPECT_STREQ(text, c.grouped) << "text \"" << c.text << "\"";
    }
}

TEST(AmountFormatTest, InsertThousandsSeparatorsNeverWritesPastTheBuffer) {
    // "1234.50" needs 9 bytes grouped; with 8 it stays as it is.
    char exact[9] = "1234.50";
    EXPECT_STREQ(InsertThousandsSeparators(exact, sizeof exact), "1,234.50");
    char tight[9] = "1234.50";
    EXPECT_STREQ(InsertThousandsSeparators(tight, 8), "1234.50");
    // Room for one comma but not for both: no half-grouped text.
    char one[12] = "1234567.89";
    EXPECT_STREQ(InsertThousandsSeparators(one, sizeof one), "1234567.89");
    char both[13] = "1234567.89";
    EXPECT_STREQ(InsertThousandsSeparators(both, sizeof both), "1,234,567.89");
    // A text that is not terminated inside its size is left untouched.
    char unterminated[4] = {'1', '2', '3', '4'};
    InsertThousandsSeparators(unterminated, sizeof unterminated);
    EXPECT_EQ(std::string(unterminated, 4), "1234");
}

TEST(AmountFormatTest, FormatIsCutToTheBuffer) {
    char text[6];
    std::memset(text, '#', sizeof text);
    FormatAmount(text, 5, 123456.78);
    EXPECT_STREQ(text, "1234");
    EXPECT_EQ(text[5], '#');
}

struct EntryCase {
    const char* typed;
    bool invalidChars;
    bool outOfRange;
    const char* cleaned;
    double value;
};

TEST(AmountEntryTest, RegisterEntryIsCheckedAndCleaned) {
    const EntryCase cases[] = {
        {"1,234.56", false, false, "1234.56", 1234.56},
        {"1 234.56", false, false, "1234.56", 1234.56},
        {"999,999.99", false, false, "999999.99", 999999.99},
        {"999999.991", false, true, "999999.991", 999999.991},
        {"1,000,000", false, true, "1000000", 1000000.0},
        {"", false, false, "", 0.0},
        {"12.3.4", false, false, "12.3.4", 12.3},
        {"0.004", false, false, "0.004", 0.004},
        {".5", false, false, ".5", 0.5},
        {"$12", true, false, "12", 12.0},
        {"-5", true, false, "5", 5.0},
        {"12a", true, false, "12", 12.0},
        {"1e5", true, false, "15", 15.0},
        {"\t3", true, false, "3", 3.0},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(std::string("typed \"") + c.typed + "\"");
        char text[32];
        std::strcpy(text, c.typed);
        EXPECT_EQ(HasInvalidEntryChars(text), c.invalidChars);
        EXPECT_EQ(CleanEntryAmount(text), c.outOfRange);
        EXPECT_STREQ(text, c.cleaned);
        EXPECT_DOUBLE_EQ(AmountValue(text), c.value);
    }
}

TEST(AmountEntryTest, LongEntryIsRefusedAsTooLarge) {
    std::string typed(1000, '9');
    EXPECT_FALSE(HasInvalidEntryChars(typed.data()));
    EXPECT_TRUE(CleanEntryAmount(typed.data()));
}

enum class Dialog { Starting, Statement };

struct BalanceCase {
    Dialog dialog;
    const char* typed;
    bool invalidChars;
    bool outOfRange;
    const char* cleaned;
};

TEST(AmountBalanceTest, BalanceDialogsCheckCharsAndRange) {
    const BalanceCase cases[] = {
        {Dialog::Starting, "-9,999,999.99", false, false, "-9999999.99"},
        {Dialog::Starting, "999,999.99", false, false, "999999.99"},
        {Dialog::Starting, "1000000", false, true, "1000000"},
        {Dialog::Starting, "-10,000,000", false, true, "-10000000"},
        {Dialog::Starting, "5-", true, false, "5"},
        {Dialog::Starting, "1 000", true, false, "1000"},
        {Dialog::Starting, "--5", true, false, "-5"},
        {Dialog::Starting, "$5", true, false, "5"},
        {Dialog::Starting, "", false, false, ""},
        {Dialog::Starting, "-", false, false, "-"},
        {Dialog::Starting, "0.00", false, false, "0.00"},
        {Dialog::Statement, "9,999,999.99", false, false, "9999999.99"},
        {Dialog::Statement, "10,000,000", false, true, "10000000"},
        {Dialog::Statement, "-9,999,999.99", false, false, "-9999999.99"},
        {Dialog::Statement, "-9,999,999.991", false, true, "-9999999.991"},
        {Dialog::Statement, "1,000,000", false, false, "1000000"},
        {Dialog::Statement, "12-", true, false, "12"},
    };
    for (const BalanceCase& c : cases) {
        const bool starting = c.dialog == Dialog::Starting;
        SCOPED_TRACE(std::string(starting ? "starting" : "statement") + " balance \"" + c.typed + "\"");
        char text[32];
        std::strcpy(text, c.typed);
        EXPECT_EQ(HasInvalidBalanceChars(text), c.invalidChars);
        EXPECT_EQ(starting ? CleanStartingBalance(text) : CleanStatementBalance(text), c.outOfRange);
        EXPECT_STREQ(text, c.cleaned);
    }
}

TEST(AmountValueTest, ReadsLikeTheCLibrary) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"", 0.0}, {"-", 0.0}, {".", 0.0}, {"007.50", 7.5},
        {"12.3.4", 12.3}, {"-9999999.99", -9999999.99}, {"1234.", 1234.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(AmountValue(c.text), c.value) << "text \"" << c.text << "\"";
}

} // namespace
