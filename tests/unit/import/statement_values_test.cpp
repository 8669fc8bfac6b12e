#include "import/statement_values.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr std::int64_t kUnreadable = INT64_MIN;

std::int64_t CentsOrUnreadable(std::string_view text, DecimalMark mark) {
    return ParseCents(text, mark).value_or(kUnreadable);
}

TEST(StatementAmountTest, PointAmountsWithSignsCurrencyAndThousands) {
    const struct {
        const char* text;
        std::int64_t cents;
    } cases[] = {
        {"12.50", 1250},
        {"12.5", 1250},
        {"12", 1200},
        {".07", 7},
        {"12.", 1200},
        {"0.00", 0},
        {"-12.50", -1250},
        {"+12.50", 1250},
        {"12.50-", -1250},
        {"(12.50)", -1250},
        {"( $1,234.56 )", -123456},
        {"$1,234.56", 123456},
        {"-$1,234.56", -123456},
        {"$-1,234.56", -123456},
        {"1,234,567.89", 123456789},
        {" 12.50 ", 1250},
        {"\x80 12.50", 1250},   // euro sign
        {"\xA3" "12.50", 1250}, // pound sign
        {"12.50 $", 1250},
        {"12.5000", 1250},
        {"1234567890123", 123456789012300},
        // What cannot be read, rather than read wrong.
        {"", kUnreadable},
        {"-", kUnreadable},
        {"$", kUnreadable},
        {".", kUnreadable},
        {"12.345", kUnreadable},
        {"12.5.0", kUnreadable},
        {"1,23.00", kUnreadable},
        {"1234,567.00", kUnreadable},
        {",123.00", kUnreadable},
        {"1,234,56", kUnreadable},
        {"12,50", kUnreadable},
        {"--12", kUnreadable},
        {"(-12)", kUnreadable},
        {"-12-", kUnreadable},
        {"(12", kUnreadable},
        {"12a", kUnreadable},
        {"1 234.00", kUnreadable},
        {"1e3", kUnreadable},
        {"12345678901234", kUnreadable},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CentsOrUnreadable(c.text, DecimalMark::Point), c.cents) << '"' << c.text << '"';
}

TEST(StatementAmountTest, CommaAmountsGroupWithPointsOrSpaces) {
    const struct {
        const char* text;
        std::int64_t cents;
    } cases[] = {
        {"12,50", 1250},
        {"-12,5", -1250},
        {"1.234,56", 123456},
        {"1 234,56", 123456},
        {"1\xA0" "234,56 \x80", 123456},
        {"1.234.567", 123456700},
        {"12", 1200},
        {"12.50", kUnreadable},
        {"1.234 567,00", kUnreadable},
        {"12,345", kUnreadable},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CentsOrUnreadable(c.text, DecimalMark::Comma), c.cents) << '"' << c.text << '"';
}

TEST(StatementAmountTest, EitherMarkTakesTheLastOneAsDecimal) {
    const struct {
        const char* text;
        std::int64_t cents;
    } cases[] = {
        {"12.50", 1250},
        {"12,50", 1250},
        {"1,234.56", 123456},
        {"1.234,56", 123456},
        {"1.234.567", 123456700},
        {"-00000000001500.0000", -150000},  // padded to a fixed width
        {"00000000000000000000.01", 1},
        {"10000000000000.00", kUnreadable},
        {"1,234", kUnreadable},  // a comma as decimal point with three decimals
        {"1.2.3", kUnreadable},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CentsOrUnreadable(c.text, DecimalMark::Either), c.cents) << '"' << c.text << '"';
}

TEST(StatementAmountTest, TransactionAmountsStopAtTheRegistersLimit) {
    const struct {
        const char* text;
        std::string reason;
        std::int64_t cents;
    } cases[] = {
        {"999,999.99", "", 99999999},
        {"-999,999.99", "", -99999999},
        {"1,000,000.00", "The amount \"1,000,000.00\" is above 999,999.99.", 0},
        {"(1000000)", "The amount \"(1000000)\" is above 999,999.99.", 0},
        {"12.3.4", "The amount \"12.3.4\" cannot be read.", 0},
        {"  ", "The transaction has no amount.", 0},
    };
    for (const auto& c : cases) {
        std::int64_t cents = 0;
        EXPECT_EQ(ReadTransactionAmount(c.text, DecimalMark::Point, cents), c.reason) << c.text;
        EXPECT_EQ(cents, c.cents) << c.text;
    }
}

TEST(StatementDateTest, StoredDatesAreRealCalendarDates) {
    const struct {
        int year, month, day;
        const char* stored;
    } cases[] = {
        {2026, 1, 15, "20260115"}, {2024, 2, 29, "20240229"}, {2000, 2, 29, "20000229"},
        {1900, 1, 1, "19000101"},  {9999, 12, 31, "99991231"}, {2025, 2, 29, ""},
        {1900, 2, 29, ""},         {2026, 4, 31, ""},          {2026, 13, 1, ""},
        {2026, 0, 1, ""},          {2026, 1, 0, ""},           {1899, 12, 31, ""},
        {10000, 1, 1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StoredDate(c.year, c.month, c.day), c.stored) << c.year << "-" << c.month << "-" << c.day;
}

TEST(StatementDateTest, WrittenDatesSplitIntoTheirParts) {
    const struct {
        const char* text;
        const char* parts;  // "first second year" or "Y year month day"; "" when unreadable
    } cases[] = {
        {"1/15/26", "1 15 2026"},
        {"01/15/2026", "1 15 2026"},
        {"15.01.2026", "15 1 2026"},
        {"15-01-26", "15 1 2026"},
        {"1/15/79", "1 15 2079"},
        {"1/15/80", "1 15 1980"},
        {"1/15/99", "1 15 1999"},
        {"1/15'26", "1 15 2026"},
        {"1/15'99", "1 15 2099"},
        {" 1/ 5' 6", "1 5 2006"},
        {"1/15/2026 10:30:00", "1 15 2026"},
        {"1/15/2026 10:30 PM", "1 15 2026"},
        {"2026-01-15", "Y 2026 1 15"},
        {"2026/1/5", "Y 2026 1 5"},
        {"2026-01-15T10:30:00Z", "Y 2026 1 15"},
        {"20260115", "Y 2026 1 15"},
        {"", ""},
        {"1/15", ""},
        {"1/15/26/1", ""},
        {"1//26", ""},
        {"1/15/026", ""},
        {"123/1/26", ""},
        {"2026-01-15'", ""},
        {"1/15/26x", ""},
        // The month by name settles the order.
        {"01 Jan 2001", "Y 2001 1 1"},
        {"04 Nov 2009", "Y 2009 11 4"},
        {"01 Jan 01", "Y 2001 1 1"},
        {"Jan 4, 2009", "Y 2009 1 4"},
        {"Jan 15 2026", "Y 2026 1 15"},
        {"4-Nov-09", "Y 2009 11 4"},
        {"28-Mar-2020", "Y 2020 3 28"},
        {"15 january 2026 10:30", "Y 2026 1 15"},
        {"Sept 3, 2026", "Y 2026 9 3"},
        {"31 Feb 2026", "Y 2026 2 31"},
        {"Ja 4, 2009", ""},
        {"4 Nov", ""},
        {"4 Nov 209", ""},
        {"Pending", ""},
        {"Nov 4 2009 x", ""},
        {"114 Nov 2009", ""},
        {"1'15/26", ""},
        {"2026'01-15", ""},
        {"12345/1/1", ""},
    };
    for (const auto& c : cases) {
        const auto date = SplitWrittenDate(c.text);
        std::string parts;
        if (date && date->orderKnown)
            parts = "Y " + std::to_string(date->year) + " " + std::to_string(date->first) + " " + std::to_string(date->second);
        else if (date)
            parts = std::to_string(date->first) + " " + std::to_string(date->second) + " " + std::to_string(date->year);
        EXPECT_EQ(parts, c.parts) << '"' << c.text << '"';
    }
}

TEST(StatementDateTest, AFirstPartAbove12DecidesTheFileOtherwiseThePreference) {
    const struct {
        const char* name;
        std::vector<std::string_view> dates;
        DayOrder preferred;
        DayOrder decided;
    } cases[] = {
        {"all ambiguous, month first preferred", {"01/02/26", "03/04/26"}, DayOrder::MonthFirst, DayOrder::MonthFirst},
        {"all ambiguous, day first preferred", {"01/02/26", "03/04/26"}, DayOrder::DayFirst, DayOrder::DayFirst},
        {"a first part of 13", {"01/02/26", "13/04/26"}, DayOrder::MonthFirst, DayOrder::DayFirst},
        {"a second part of 31", {"01/02/26", "04/31/26"}, DayOrder::DayFirst, DayOrder::MonthFirst},
        {"both: the day-first one wins", {"04/31/26", "13/04/26"}, DayOrder::MonthFirst, DayOrder::DayFirst},
        {"a part above 31 is no day", {"45/01/26", "01/02/26"}, DayOrder::MonthFirst, DayOrder::MonthFirst},
        {"year-first dates tell nothing", {"2026-01-13", "01/02/26"}, DayOrder::DayFirst, DayOrder::DayFirst},
        {"unreadable dates tell nothing", {"13/01", "x", ""}, DayOrder::MonthFirst, DayOrder::MonthFirst},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileDayOrder(c.dates, c.preferred), c.decided) << c.name;
}

TEST(StatementDateTest, SettlingTurnsWrittenDatesIntoStoredOnesOrRefusals) {
    const struct {
        const char* name;
        std::vector<const char*> written;
        DayOrder preferred;
        std::vector<std::string> result;  // stored date or refusal reason
    } cases[] = {
        {"month first by preference", {"01/02/26", "2026-03-04"}, DayOrder::MonthFirst, {"20260102", "20260304"}},
        {"day first by preference", {"01/02/26", "03/04/2026"}, DayOrder::DayFirst, {"20260201", "20260403"}},
        {"day first by a 13", {"01/02/26", "13/02/26"}, DayOrder::MonthFirst, {"20260201", "20260213"}},
        {"month first by a 31, against the preference", {"02/03/26", "01/31/26"}, DayOrder::DayFirst, {"20260203", "20260131"}},
        {"contradicting dates: the month-first one is refused", {"02/13/26", "13/02/26", "02/03/26"}, DayOrder::MonthFirst,
         {"The date \"02/13/26\" cannot be read day first, as other dates of this file are written.", "20260213", "20260302"}},
        {"dates no order reads", {"02/30/26", "30/01/26x", "01/02/26"}, DayOrder::MonthFirst,
         {"The date \"02/30/26\" cannot be read.", "The date \"30/01/26x\" cannot be read.", "20260102"}},
        {"named months, whatever the order", {"04 Nov 2009", "Nov 5, 2009", "31 Feb 2009"}, DayOrder::DayFirst,
         {"20091104", "20091105", "The date \"31 Feb 2009\" cannot be read."}},
        {"no date and a bad one", {"", "2/29/25"}, DayOrder::MonthFirst,
         {"The transaction has no date.", "The date \"2/29/25\" cannot be read."}},
    };
    for (const auto& c : cases) {
        std::vector<Statement> statements(1);
        for (const char* written : c.written) {
            statements[0].transactions.emplace_back();
            statements[0].transactions.back().date = written;
        }
        SettleWrittenDates(statements, c.preferred);
        std::vector<std::string> result;
        for (const auto& t : statements[0].transactions)
            result.push_back(t.refused.empty() ? t.date : t.refused);
        EXPECT_EQ(result, c.result) << c.name;
    }
}

TEST(StatementDateTest, AnEarlierRefusalStaysAndTheDateStillSettles) {
    std::vector<Statement> statements(1);
    statements[0].transactions.resize(2);
    statements[0].transactions[0].date = "1/2/26";
    statements[0].transactions[0].refused = "The amount \"x\" cannot be read.";
    statements[0].transactions[1].date = "x";
    statements[0].transactions[1].refused = "The amount \"y\" cannot be read.";
    SettleWrittenDates(statements, DayOrder::MonthFirst);
    EXPECT_EQ(statements[0].transactions[0].date, "20260102");
    EXPECT_EQ(statements[0].transactions[0].refused, "The amount \"x\" cannot be read.");
    EXPECT_EQ(statements[0].transactions[1].date, "");
    EXPECT_EQ(statements[0].transactions[1].refused, "The amount \"y\" cannot be read.");
}

} // namespace
