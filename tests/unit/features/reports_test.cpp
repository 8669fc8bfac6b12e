// The numbers of the three reports: ranges, exact cent sums, the tables and
// their texts, and the steps of a chart axis.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "feature_fixture.h"
#include "features/reports.h"

namespace {

using namespace feature_test;

class ReportsTest : public AccountTest {
protected:
    Report Run(ReportKind kind, DayNumber from, DayNumber to, bool clearedOnly = false) {
        return ComputeReport(account.Head(), {kind, {from, to}, clearedOnly});
    }
    ReportTable Table(ReportKind kind, DayNumber from, DayNumber to, bool clearedOnly = false) {
        return MakeReportTable(Run(kind, from, to, clearedOnly), g_Date);
    }
};

std::string Rows(const ReportTable& table) {
    std::string text;
    for (const auto& row : table.rows) {
        for (std::size_t i = 0; i < row.size(); ++i) text += (i ? " | " : "") + row[i];
        text += "\n";
    }
    return text;
}

// ---- ranges --------------------------------------------------------------------

struct RangeCase {
    RangeChoice choice;
    DayNumber today;
    ReportRange expected;
};

TEST(ReportRanges, ChoicesSeenFromToday) {
    const RangeCase cases[] = {
        {RangeChoice::ThisYear, 20260315, {20260101, 20261231}},
        {RangeChoice::ThisYear, 20261231, {20260101, 20261231}},
        {RangeChoice::LastYear, 20260101, {20250101, 20251231}},
        {RangeChoice::LastYear, 20250615, {20240101, 20241231}},
        // Whole months, the current one last: across a year end ...
        {RangeChoice::Last12Months, 20260315, {20250401, 20260331}},
        {RangeChoice::Last12Months, 20261211, {20260101, 20261231}},
        {RangeChoice::Last12Months, 20250115, {20240201, 20250131}},
        // ... and ending on a leap day.
        {RangeChoice::Last12Months, 20240210, {20230301, 20240229}},
        {RangeChoice::Last12Months, 20230210, {20220301, 20230228}},
    };
    for (const RangeCase& c : cases) {
        const ReportRange got = RangeFor(c.choice, c.today, nullptr);
        EXPECT_EQ(got.from, c.expected.from) << kRangeChoiceTexts[static_cast<int>(c.choice)] << " on " << c.today;
        EXPECT_EQ(got.to, c.expected.to) << kRangeChoiceTexts[static_cast<int>(c.choice)] << " on " << c.today;
    }
}

TEST_F(ReportsTest, AllSpansTheDatedRecordsOrTodayAlone) {
    EXPECT_EQ(RangeFor(RangeChoice::All, 20260315, account.Head()), (ReportRange{20260315, 20260315}));
    Build({{.desc = "b", .date = "20240229", .payment = 1},
           {.desc = "a", .date = "20211130", .deposit = 1},
           {.desc = ""}});  // the blank record has no date
    EXPECT_EQ(RangeFor(RangeChoice::All, 20260315, account.Head()), (ReportRange{20211130, 20240229}));
}

TEST(ReportDates, StoredTextsThatAreRealDays) {
    const std::pair<const char*, DayNumber> cases[] = {
        {"20240229", 20240229}, {"20230229", 0}, {"19000229", 0}, {"20000229", 20000229}, {"20261231", 20261231},
        {"20261301", 0},        {"20260100", 0}, {"2026011", 0},  {"", 0},                 {"2026O101", 0},
    };
    for (const auto& [text, day] : cases) EXPECT_EQ(DayOfStoredText(text), day) << '"' << text << '"';
}

TEST(ReportDates, DaysSinceEpochSpanLeapDaysAndYearEnds) {
    const std::pair<DayNumber, int> cases[] = {
        {19700101, 0}, {19691231, -1}, {20000229, 11016}, {20000301, 11017}, {20240229, 19782}, {20241231, 20088},
        {20250101, 20089},
    };
    for (const auto& [day, days] : cases) {
        EXPECT_EQ(DaysSinceEpoch(day), days) << day;
        EXPECT_EQ(DayFromEpochDays(days), day) << days;
    }
}

// ---- cents -------------------------------------------------------------------------

TEST(ReportCents, EachAmountCountsAsTheRegisterShowsIt) {
    const std::pair<double, Cents> cases[] = {
        {0.0, 0},     {12.5, 1250},  {0.1, 10},    {0.2, 20},          {1.005, 100},  // 1.00499.. in binary
        {2.675, 267}, {0.015, 1},    {-3.5, -350}, {999999.99, 99999999}, {1e300, 10'000'000'000'000},
    };
    for (const auto& [dollars, cents] : cases) EXPECT_EQ(AmountCents(dollars), cents) << dollars;
}

TEST_F(ReportsTest, SumsAreExactWhereDoublesDrift) {
    std::vector<Tx> txs;
    for (int i = 0; i < 1000; ++i) txs.push_back({.desc = "Coffee", .date = "20260105", .payment = 0.1});
    Build(txs);
    const Report report = Run(ReportKind::Payees, 20260101, 20261231);
    ASSERT_EQ(report.payees.size(), 1u);
    EXPECT_EQ(report.payees[0].total, 10000);
    EXPECT_EQ(ReportAmountText(report.payees[0].total), "100.00");
}

TEST_F(ReportsTest, EachRecordCountsInTheCentsItShows) {
    // Three deposits that each show as 0.00 add nothing, though their
    // dollars together would round to a cent.
    Build({{.desc = "a", .date = "20260105", .deposit = 0.004},
           {.desc = "b", .date = "20260105", .deposit = 0.004},
           {.desc = "c", .date = "20260105", .deposit = 0.004},
           {.desc = "d", .date = "20260105", .deposit = 1.0}});
    EXPECT_EQ(Rows(Table(ReportKind::InOut, 20260101, 20260131)), "01/26 | 1.00 | 0.00 | 1.00 | 4\n");
}

// ---- balance over time ------------------------------------------------------------

TEST_F(ReportsTest, BalanceStartsBeforeTheRangeAndStepsEachDayAcrossAYearEnd) {
    Build({Cleared({.desc = "OPENING BALANCE", .date = "20251101", .deposit = 1000}),
           {.desc = "Rent", .date = "20251201", .payment = 800},
           Cleared({.desc = "Pay", .date = "20251231", .deposit = 500}),
           {.desc = "Grocer", .date = "20251231", .payment = 50.25},
           Cleared({.desc = "Gas", .date = "20260102", .payment = 700}),
           {.desc = "Later", .date = "20260201", .payment = 1}});
    const Report report = Run(ReportKind::Balance, 20251215, 20260115);
    EXPECT_EQ(report.openingBalance, 20000);
    EXPECT_EQ(report.openingCleared, 100000);
    EXPECT_EQ(report.recordCount, 3u);
    EXPECT_EQ(Rows(MakeReportTable(report, g_Date)),
              "12/31/25 | 649.75 | 1,500.00\n"
              "01/02/26 | -50.25 | 800.00\n");
    EXPECT_EQ(MakeReportTable(report, g_Date).headers, (std::vector<std::string>{"Date", "Balance", "Cleared balance"}));
}

TEST_F(ReportsTest, ClearedOnlyLeavesOutWhatIsNotMarkedR) {
    Build({Cleared({.desc = "OPENING BALANCE", .date = "20260101", .deposit = 100}),
           {.desc = "Pending", .date = "20260102", .payment = 30},
           Cleared({.desc = "Shop", .date = "20260103", .payment = 10})});
    EXPECT_EQ(Rows(Table(ReportKind::Balance, 20260101, 20261231, true)),
              "01/01/26 | 100.00 | 100.00\n"
              "01/03/26 | 90.00 | 90.00\n");
    EXPECT_EQ(Rows(Table(ReportKind::InOut, 20260101, 20260131, true)), "01/26 | 100.00 | 10.00 | 90.00 | 2\n");
    EXPECT_EQ(Rows(Table(ReportKind::Payees, 20260101, 20261231, true)), "Shop | 1 | 10.00 | 100.0%\n");
    EXPECT_EQ(ReportHeading({ReportKind::InOut, {20260101, 20260131}, true}, g_Date),
              "Money in and out by month, 01/01/26 to 01/31/26, cleared (R) only");
    EXPECT_EQ(ReportHeading({ReportKind::Balance, {20251215, 20260115}, false}, g_Date),
              "Balance over time, 12/15/25 to 01/15/26");
}

TEST_F(ReportsTest, DepositsAloneLeaveNoPaymentsToShow) {
    Build({{.desc = "Pay", .date = "20260105", .deposit = 100}});
    const Report payees = Run(ReportKind::Payees, 20260101, 20260131);
    EXPECT_TRUE(payees.payees.empty());
    EXPECT_EQ(NothingToShowText(payees, g_Date), "No payments between 01/01/26 and 01/31/26.");
    EXPECT_EQ(NothingToShowText(Run(ReportKind::InOut, 20260101, 20260131), g_Date), "");
}

TEST_F(ReportsTest, RecordsOutOfDateOrderAreTakenInOrder) {
    Build({{.desc = "b", .date = "20260105", .payment = 5}, {.desc = "a", .date = "20260103", .deposit = 20}});
    EXPECT_EQ(Rows(Table(ReportKind::Balance, 20260101, 20261231)),
              "01/03/26 | 20.00 | 0.00\n"
              "01/05/26 | 15.00 | 0.00\n");
}

// ---- money in and out by month --------------------------------------------------------

TEST_F(ReportsTest, MonthsAcrossAYearEndIncludeALeapDayAndEmptyMonths) {
    Build({{.desc = "a", .date = "20231130", .deposit = 99},  // before the range
           {.desc = "b", .date = "20231201", .deposit = 100},
           {.desc = "c", .date = "20231231", .payment = 40.5},
           {.desc = "d", .date = "20240229", .payment = 10},
           {.desc = "e", .date = "20240301", .deposit = 1}});  // after it
    EXPECT_EQ(Rows(Table(ReportKind::InOut, 20231201, 20240229)),
              "12/23 | 100.00 | 40.50 | 59.50 | 2\n"
              "01/24 | 0.00 | 0.00 | 0.00 | 0\n"
              "02/24 | 0.00 | 10.00 | -10.00 | 1\n");
    g_Date.SetDateFormat(kFormatYYMMDD);
    EXPECT_EQ(Table(ReportKind::InOut, 20231201, 20240229).rows[2][0], "24/02");
}

TEST_F(ReportsTest, OneRecordGivesOneRowInEachReport) {
    Build({{.desc = "Only", .date = "20260704", .payment = 12.34}});
    EXPECT_EQ(Rows(Table(ReportKind::Balance, 20260704, 20260704)), "07/04/26 | -12.34 | 0.00\n");
    EXPECT_EQ(Rows(Table(ReportKind::InOut, 20260704, 20260704)), "07/26 | 0.00 | 12.34 | -12.34 | 1\n");
    EXPECT_EQ(Rows(Table(ReportKind::Payees, 20260704, 20260704)), "Only | 1 | 12.34 | 100.0%\n");
}

TEST_F(ReportsTest, AnEmptyRangeGivesEmptyTablesInEveryReport) {
    Build({{.desc = "x", .date = "20250101", .payment = 1}, {.desc = ""}});
    for (int kind = 0; kind < kReportKindCount; ++kind) {
        const Report report = Run(static_cast<ReportKind>(kind), 20260101, 20261231);
        EXPECT_EQ(report.recordCount, 0u) << kReportTitles[kind];
        EXPECT_TRUE(MakeReportTable(report, g_Date).rows.empty()) << kReportTitles[kind];
    }
    EXPECT_EQ(EmptyRangeText(20260101, 20261231, g_Date), "No records between 01/01/26 and 12/31/26.");
    EXPECT_EQ(NothingToShowText(Run(ReportKind::Payees, 20260101, 20261231), g_Date),
              "No records between 01/01/26 and 12/31/26.");
    g_Date.SetDateFormat(kFormatDDMMYY);
    EXPECT_EQ(EmptyRangeText(20260101, 20261231, g_Date), "No records between 01/01/26 and 31/12/26.");
}

// ---- where the money goes ------------------------------------------------------------------

TEST_F(ReportsTest, PayeesMatchWithoutCaseOrSurroundingSpaces) {
    Build({{.desc = "  Corner Grocer ", .date = "20260102", .payment = 10},
           {.desc = "CORNER GROCER", .date = "20260103", .payment = 20},
           {.desc = "corner grocer", .date = "20260104", .payment = 30},
           {.desc = "Corner  Grocer", .date = "20260105", .payment = 1},  // inner spaces count
           {.desc = "CAF\xC9", .date = "20260106", .payment = 2},
           {.desc = "caf\xE9", .date = "20260107", .payment = 2},
           {.desc = "   ", .date = "20260108", .payment = 4},
           {.desc = "Salary", .date = "20260109", .deposit = 500}});  // not a payment
    EXPECT_EQ(Rows(Table(ReportKind::Payees, 20260101, 20261231)),
              "Corner Grocer | 3 | 60.00 | 87.0%\n"
              "CAF\xC9 | 2 | 4.00 | 5.8%\n"
              "(no description) | 1 | 4.00 | 5.8%\n"
              "Corner  Grocer | 1 | 1.00 | 1.4%\n");
}

TEST_F(ReportsTest, FifteenLargestThenEverythingElse) {
    std::vector<std::string> names;
    std::vector<Tx> txs;
    for (int i = 1; i <= 18; ++i) names.push_back("Payee " + std::to_string(i));
    for (int i = 1; i <= 18; ++i)
        txs.push_back({.desc = names[i - 1].c_str(), .date = "20260110", .payment = static_cast<double>(i)});
    txs.push_back({.desc = "payee 1", .date = "20260111", .payment = 0.5});
    Build(txs);
    const Report report = Run(ReportKind::Payees, 20260101, 20261231);
    ASSERT_EQ(report.payees.size(), kTopPayees + 1);
    EXPECT_EQ(report.payees[0].name, "Payee 18");
    EXPECT_EQ(report.payees[14].name, "Payee 4");
    EXPECT_EQ(report.payees[15].name, kEverythingElse);
    EXPECT_EQ(report.payees[15].count, 4u);   // payees 1 (twice), 2 and 3
    EXPECT_EQ(report.payees[15].total, 650);  // 1 + 0.5 + 2 + 3
    EXPECT_EQ(report.allPayments, 17150);     // 1 + ... + 18 + 0.5
}

TEST_F(ReportsTest, EqualTotalsAreOrderedByCountThenName) {
    Build({{.desc = "b", .date = "20260101", .payment = 10},
           {.desc = "a", .date = "20260101", .payment = 10},
           {.desc = "c", .date = "20260101", .payment = 5},
           {.desc = "c", .date = "20260101", .payment = 5}});
    EXPECT_EQ(Rows(Table(ReportKind::Payees, 20260101, 20260101)),
              "c | 2 | 10.00 | 33.3%\n"
              "a | 1 | 10.00 | 33.3%\n"
              "b | 1 | 10.00 | 33.3%\n");
}

// ---- the display limit ----------------------------------------------------------------------

TEST_F(ReportsTest, TotalsBeyondTheDisplayShowTheTooLargeText) {
    std::vector<Tx> txs;
    for (int i = 0; i < 10; ++i) txs.push_back({.desc = "Big", .date = "20260101", .deposit = 999999.99});
    txs.push_back({.desc = "Top up", .date = "20260102", .deposit = 0.09});  // 9,999,999.99 exactly
    txs.push_back({.desc = "Cent", .date = "20260103", .deposit = 0.01});
    for (int i = 0; i < 21; ++i) txs.push_back({.desc = "Out", .date = "20260104", .payment = 999999.99});
    Build(txs);
    EXPECT_EQ(Rows(Table(ReportKind::Balance, 20260101, 20261231)),
              "01/01/26 | 9,999,999.90 | 0.00\n"
              "01/02/26 | 9,999,999.99 | 0.00\n"
              "01/03/26 | *******.** | 0.00\n"
              "01/04/26 | -*******.** | 0.00\n");
    EXPECT_EQ(Rows(Table(ReportKind::InOut, 20260101, 20260131)),
              "01/26 | *******.** | *******.** | -*******.** | 33\n");
    EXPECT_EQ(Rows(Table(ReportKind::Payees, 20260101, 20261231)), "Out | 21 | *******.** | 100.0%\n");
}

struct CentsTextCase {
    Cents cents;
    const char* text;
};

TEST(ReportTexts, AmountsAsTheRegisterShowsThem) {
    const CentsTextCase cases[] = {
        {0, "0.00"},          {5, "0.05"},          {-5, "-0.05"},          {123456, "1,234.56"},
        {-123456, "-1,234.56"}, {999999999, "9,999,999.99"}, {-999999999, "-9,999,999.99"},
        {1000000000, "*******.**"}, {-1000000000, "-*******.**"}, {INT64_MAX / 2, "*******.**"},
    };
    for (const CentsTextCase& c : cases) EXPECT_EQ(ReportAmountText(c.cents), c.text) << c.cents;
}

TEST(ReportTexts, SharesInTenthsRoundedHalfUp) {
    const std::tuple<Cents, Cents, const char*> cases[] = {
        {1, 3, "33.3%"},    {2, 3, "66.7%"},       {1, 1, "100.0%"}, {0, 7, "0.0%"},
        {1, 2000, "0.1%"},  {1, 2001, "0.0%"},     {1, 0, ""},       {999999999999LL, 1000000000000LL, "100.0%"},
    };
    for (const auto& [part, whole, text] : cases) EXPECT_EQ(ShareText(part, whole), text) << part << "/" << whole;
}

TEST(ReportTexts, MonthsInEachDateFormat) {
    EXPECT_EQ(MonthText(2026, 3, kFormatMMDDYY), "03/26");
    EXPECT_EQ(MonthText(2026, 3, kFormatDDMMYY), "03/26");
    EXPECT_EQ(MonthText(2026, 3, kFormatYYMMDD), "26/03");
    EXPECT_EQ(MonthText(2000, 12, kFormatYYDDMM), "00/12");
}

TEST(ReportTexts, TableTextIsTabSeparatedWithAHeaderLine) {
    const ReportTable table{{"Month", "Net"}, {CellAlign::Left, CellAlign::Right}, {{"01/26", "1.00"}, {"02/26", "-2.00"}}};
    EXPECT_EQ(TableText(table), "Month\tNet\r\n01/26\t1.00\r\n02/26\t-2.00\r\n");
    EXPECT_EQ(TableText({{"Date"}, {CellAlign::Left}, {}}), "Date\r\n");
}

// ---- axis steps ------------------------------------------------------------------------------

struct TickCase {
    Cents low;
    Cents high;
    int maxTicks;
    AxisTicks expected;
};

TEST(ReportAxis, RoundStepsThatHoldTheRange) {
    const TickCase cases[] = {
        {0, 100000, 5, {0, 20000, 6}},
        {-15000, 95000, 5, {-50000, 50000, 4}},
        {12345, 12345, 4, {12200, 100, 4}},   // a flat line
        {0, 50, 5, {0, 100, 2}},              // never below a dollar
        {-300, -100, 4, {-300, 100, 3}},
        {0, 999999999, 6, {0, 200000000, 6}},
    };
    for (const TickCase& c : cases) {
        const AxisTicks got = NiceTicks(c.low, c.high, c.maxTicks);
        EXPECT_EQ(got.first, c.expected.first) << c.low << ".." << c.high;
        EXPECT_EQ(got.step, c.expected.step) << c.low << ".." << c.high;
        EXPECT_EQ(got.count, c.expected.count) << c.low << ".." << c.high;
        EXPECT_LE(got.first, std::min(c.low, c.high));
        EXPECT_GE(got.Last(), std::max(c.low, c.high));
    }
}

}  // namespace
