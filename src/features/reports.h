// The numbers behind the Reports window: the balance day by day, money in
// and out by month, and where the payments went. Amounts are summed in whole
// cents (each record's amount taken as the register shows it), so every total
// is exact. Platform-free; reports_window_win.cpp shows these and
// report_chart_win.cpp draws them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct RecordNode;
class Date;

using Cents = std::int64_t;

enum class ReportKind { Balance, InOut, Payees };
inline constexpr int kReportKindCount = 3;
inline constexpr const char* const kReportTitles[kReportKindCount] = {
    "Balance over time",
    "Money in and out by month",
    "Where the money goes",
};

enum class RangeChoice { ThisYear, Last12Months, LastYear, All };
inline constexpr int kRangeChoiceCount = 4;
inline constexpr const char* const kRangeChoiceTexts[kRangeChoiceCount] = {
    "This year",
    "Last 12 months",
    "Last year",
    "All",
};

// How many payees "Where the money goes" names before "Everything else".
inline constexpr std::size_t kTopPayees = 15;
inline constexpr char kEverythingElse[] = "Everything else";
inline constexpr char kNoDescription[] = "(no description)";

// A day as the number YYYYMMDD, so that days compare as numbers.
using DayNumber = std::int32_t;

struct ReportRange {
    DayNumber from = 0;  // both included
    DayNumber to = 0;
    bool operator==(const ReportRange&) const = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// The day of a stored YYYYMMDD text, 0 when it is not a real date.
DayNumber DayOfStoredText(const char* stored);
// The stored YYYYMMDD text of a day.
std::string StoredText(DayNumber day);
// Days since 1 January 1970 (negative before it), for spacing days on a
// chart's time axis.
std::int32_t DaysSinceEpoch(DayNumber day);
// The day that many days after 1 January 1970.
DayNumber DayFromEpochDays(std::int32_t days);

// The days of a range choice, seen from today. "Last 12 months" is the
// current month and the eleven before it, whole, so that its months compare
// like with like; "All" spans the account's first to last dated record
// (today alone for an account without one).
ReportRange RangeFor(RangeChoice choice, DayNumber today, const RecordNode* first);

// The cents that the register shows for an amount in dollars.
Cents AmountCents(double dollars);

// The balance at the end of a day with records; the cleared balance counts
// only records marked "R".
struct BalancePoint {
    DayNumber day = 0;
    Cents balance = 0;
    Cents cleared = 0;
};

struct MonthTotals {
    int year = 0;
    int month = 0;
    Cents deposits = 0;
    Cents payments = 0;
    std::size_t count = 0;
    Cents Net() const { return deposits - payments; }
};

struct PayeeTotal {
    std::string name;  // as first written in the range, without surrounding spaces
    std::size_t count = 0;
    Cents total = 0;
};

struct ReportQuery {
    ReportKind kind = ReportKind::Balance;
    ReportRange range;
    bool clearedOnly = false;
};

struct Report {
    ReportQuery query;
    // Records inside the range (of the kind the query takes).
    std::size_t recordCount = 0;
    // Balance over time: where it stood before the range, then each day.
    Cents openingBalance = 0;
    Cents openingCleared = 0;
    std::vector<BalancePoint> days;
    // Money in and out: every month of the range, in order.
    std::vector<MonthTotals> months;
    // Where the money goes: the largest payees, largest first, then
    // "Everything else" when more payees paid; allPayments is their sum.
    std::vector<PayeeTotal> payees;
    Cents allPayments = 0;
};

// Walks the records from first (the blank record and undated records are
// no transactions and are left out).
Report ComputeReport(const RecordNode* first, const ReportQuery& query);

// Two case-folded descriptions without surrounding spaces are the same payee.
std::string PayeeKey(const char* description, std::size_t size);

// ---- Texts -----------------------------------------------------------------

// The amount as the register shows balances: thousands separators, and
// the "too large" text beyond what it displays.
std::string ReportAmountText(Cents cents);
// A share in tenths of a percent, rounded half up: "12.3%".
std::string ShareText(Cents part, Cents whole);
// A month in the date format: the format without its day ("MM/YY", "YY/MM").
std::string MonthText(int year, int month, int dateFormat);
// "No records between <from> and <to>." in the user's date format.
std::string EmptyRangeText(DayNumber from, DayNumber to, Date& date);
// What a report shows when its range holds records but nothing to draw:
// "Where the money goes" over a range of deposits only. Empty otherwise.
std::string NothingToShowText(const Report& report, Date& date);
// The heading over a chart and a printed page: the report, its range and,
// when chosen, "cleared (R) only".
std::string ReportHeading(const ReportQuery& query, Date& date);

enum class CellAlign { Left, Right };

struct ReportTable {
    std::vector<std::string> headers;
    std::vector<CellAlign> aligns;
    std::vector<std::vector<std::string>> rows;
};

// The exact numbers of a report, one row per day, month or payee.
ReportTable MakeReportTable(const Report& report, Date& date);
// Tab-separated, a header line first, each line ended with CR LF.
std::string TableText(const ReportTable& table);

// ---- Chart scale -------------------------------------------------------------

// Round steps for an axis from low to high (1, 2 or 5 times a power of ten,
// at least a dollar): the first and last ticks hold the range, with about
// maxTicks steps between them.
struct AxisTicks {
    Cents first = 0;
    Cents step = 1;
    int count = 1;  // ticks, first included
    Cents Last() const { return first + step * (count - 1); }
};
AxisTicks NiceTicks(Cents low, Cents high, int maxTicks);
