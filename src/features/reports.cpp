#include "features/reports.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "features/amount_text.h"
#include "model/account.h"
#include "values/amount.h"
#include "values/date.h"

namespace {

// A record's amounts beyond this (only a damaged file could hold one) are
// held here, so that the sums of any number of records stay inside 64 bits.
constexpr Cents kLargestRecordCents = 10'000'000'000'000;  // 100 billion dollars
// What the register displays: kLargestBalance in cents.
constexpr Cents kLargestShownCents = 999'999'999;

// One dated transaction as the reports read it.
struct Entry {
    DayNumber day;
    Cents payment;
    Cents deposit;
    bool cleared;
    const AcctRecord* record;
};

int YearOf(DayNumber day) { return day / 10000; }
int MonthOf(DayNumber day) { return day / 100 % 100; }
DayNumber MakeDay(int year, int month, int day) { return year * 10000 + month * 100 + day; }

std::vector<Entry> ReadEntries(const RecordNode* first, bool clearedOnly) {
    std::vector<Entry> entries;
    for (const RecordNode* node = first; node != nullptr; node = node->next) {
        const AcctRecord& r = *node->record;
        if (IsBlankRecord(r) || (clearedOnly && !IsReconciled(r))) continue;
        char stored[kDateTextSize];
        CopyFixedText(stored, r.date);
        const DayNumber day = DayOfStoredText(stored);
        if (day == 0) continue;
        entries.push_back({day, AmountCents(r.payment), AmountCents(r.deposit), IsReconciled(r), &r});
    }
    // The register keeps its records in date order; a list that is not (a
    // record moved while being edited) is put in order here.
    auto byDay = [](const Entry& a, const Entry& b) { return a.day < b.day; };
    if (!std::is_sorted(entries.begin(), entries.end(), byDay))
        std::stable_sort(entries.begin(), entries.end(), byDay);
    return entries;
}

bool Inside(const Entry& e, const ReportRange& range) { return e.day >= range.from && e.day <= range.to; }

void ComputeBalance(const std::vector<Entry>& entries, Report& report) {
    Cents balance = 0, cleared = 0;
    for (const Entry& e : entries) {
        if (e.day > report.query.range.to) break;
        balance += e.deposit - e.payment;
        if (e.cleared) cleared += e.deposit - e.payment;
        if (e.day < report.query.range.from) {
            report.openingBalance = balance;
            report.openingCleared = cleared;
            continue;
        }
        if (!report.days.empty() && report.days.back().day == e.day)
            report.days.back() = {e.day, balance, cleared};
        else
            report.days.push_back({e.day, balance, cleared});
    }
}

void ComputeMonths(const std::vector<Entry>& entries, Report& report) {
    if (report.recordCount == 0) return;
    const ReportRange& range = report.query.range;
    const int firstYear = YearOf(range.from), firstMonth = MonthOf(range.from);
    const int count = (YearOf(range.to) - firstYear) * 12 + MonthOf(range.to) - firstMonth + 1;
    for (int i = 0; i < count; ++i) {
        const int index = firstMonth - 1 + i;
        report.months.push_back({firstYear + index / 12, index % 12 + 1});
    }
    for (const Entry& e : entries) {
        if (!Inside(e, range)) continue;
        MonthTotals& m = report.months[(YearOf(e.day) - firstYear) * 12 + MonthOf(e.day) - firstMonth];
        m.deposits += e.deposit;
        m.payments += e.payment;
        ++m.count;
    }
}

std::string Trimmed(const char* text, std::size_t size) {
    std::size_t end = strnlen(text, size);
    std::size_t start = 0;
    while (start < end && text[start] == ' ') ++start;
    while (end > start && text[end - 1] == ' ') --end;
    return std::string(text + start, end - start);
}

// Case folding of the code page the records are written in (1252): ASCII,
// the accented Latin letters, and the few pairs in 0x8A..0x9F.
unsigned char FoldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8A: return 0x9A;  // S caron
        case 0x8C: return 0x9C;  // OE
        case 0x8E: return 0x9E;  // Z caron
        case 0x9F: return 0xFF;  // Y diaeresis
    }
    return c;
}

void ComputePayees(const std::vector<Entry>& entries, Report& report) {
    std::vector<PayeeTotal> payees;
    std::vector<std::string> keys;
    std::unordered_map<std::string, std::size_t> index;
    for (const Entry& e : entries) {
        if (!Inside(e, report.query.range) || e.payment <= 0) continue;
        const char* description = e.record->description;
        std::string key = PayeeKey(description, sizeof e.record->description);
        auto [it, added] = index.try_emplace(key, payees.size());
        if (added) {
            std::string name = Trimmed(description, sizeof e.record->description);
            payees.push_back({name.empty() ? kNoDescription : std::move(name)});
            keys.push_back(std::move(key));
        }
        PayeeTotal& payee = payees[it->second];
        ++payee.count;
        payee.total += e.payment;
        report.allPayments += e.payment;
    }
    std::vector<std::size_t> order(payees.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    // Ties fall back to the count, then the folded name, so the order never
    // depends on the hash map.
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (payees[a].total != payees[b].total) return payees[a].total > payees[b].total;
        if (payees[a].count != payees[b].count) return payees[a].count > payees[b].count;
        return keys[a] < keys[b];
    });
    PayeeTotal rest{kEverythingElse};
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i < kTopPayees) {
            report.payees.push_back(std::move(payees[order[i]]));
        } else {
            rest.count += payees[order[i]].count;
            rest.total += payees[order[i]].total;
        }
    }
    if (rest.count > 0) report.payees.push_back(std::move(rest));
}

// Digits of a non-negative amount below 10^18 with two decimals.
std::string PlainCents(Cents cents) {
    char text[kAmountTextSize];
    const Cents magnitude = cents < 0 ? -cents : cents;
    std::snprintf(text, sizeof text, "%s%lld.%02lld", cents < 0 ? "-" : "", static_cast<long long>(magnitude / 100),
                  static_cast<long long>(magnitude % 100));
    return text;
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

DayNumber DayOfStoredText(const char* stored) {
    if (stored == nullptr) return 0;
    DayNumber value = 0;
    for (int i = 0; i < 8; ++i) {
        if (stored[i] < '0' || stored[i] > '9') return 0;
        value = value * 10 + (stored[i] - '0');
    }
    if (stored[8] != '\0') return 0;
    const int year = YearOf(value), month = MonthOf(value), day = value % 100;
    if (year < 1 || day < 1 || day > DaysInMonth(year, month)) return 0;
    return value;
}

std::string StoredText(DayNumber day) {
    char text[16];
    std::snprintf(text, sizeof text, "%08d", static_cast<int>(day));
    return text;
}

std::int32_t DaysSinceEpoch(DayNumber day) {
    // Whole days of the proleptic Gregorian calendar, counted in 400-year eras.
    int y = YearOf(day);
    const int m = MonthOf(day), d = day % 100;
    y -= m <= 2 ? 1 : 0;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

DayNumber DayFromEpochDays(std::int32_t days) {
    const int z = days + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int dayOfEra = z - era * 146097;
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int mp = (5 * dayOfYear + 2) / 153;
    const int day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const int month = mp < 10 ? mp + 3 : mp - 9;
    const int year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return MakeDay(year, month, day);
}

ReportRange RangeFor(RangeChoice choice, DayNumber today, const RecordNode* first) {
    const int year = YearOf(today), month = MonthOf(today);
    switch (choice) {
        case RangeChoice::ThisYear: return {MakeDay(year, 1, 1), MakeDay(year, 12, 31)};
        case RangeChoice::LastYear: return {MakeDay(year - 1, 1, 1), MakeDay(year - 1, 12, 31)};
        case RangeChoice::Last12Months: {
            const int start = year * 12 + (month - 1) - 11;
            return {MakeDay(start / 12, start % 12 + 1, 1), MakeDay(year, month, DaysInMonth(year, month))};
        }
        case RangeChoice::All: break;
    }
    ReportRange all{0, 0};
    for (const Entry& e : ReadEntries(first, false)) {
        if (all.from == 0 || e.day < all.from) all.from = e.day;
        all.to = std::max(all.to, e.day);
    }
    return all.from == 0 ? ReportRange{today, today} : all;
}

Cents AmountCents(double dollars) {
    if (std::isnan(dollars)) return 0;
    if (std::fabs(dollars) >= static_cast<double>(kLargestRecordCents / 100))
        return dollars < 0 ? -kLargestRecordCents : kLargestRecordCents;
    // The register's own text of the amount decides the cents, so a sum
    // agrees with the figures the user sees.
    char text[kAmountTextCapacity];
    FormatAmountText(text, dollars);
    const char* p = text;
    const bool negative = *p == '-';
    if (negative) ++p;
    Cents cents = 0;
    for (; *p != '\0'; ++p) {
        if (*p >= '0' && *p <= '9') cents = cents * 10 + (*p - '0');
    }
    return negative ? -cents : cents;
}

std::string PayeeKey(const char* description, std::size_t size) {
    std::string key = Trimmed(description, size);
    for (char& c : key) c = static_cast<char>(FoldCase(static_cast<unsigned char>(c)));
    return key;
}

Report ComputeReport(const RecordNode* first, const ReportQuery& query) {
    Report report;
    report.query = query;
    const std::vector<Entry> entries = ReadEntries(first, query.clearedOnly);
    for (const Entry& e : entries) report.recordCount += Inside(e, query.range) ? 1 : 0;
    switch (query.kind) {
        case ReportKind::Balance: ComputeBalance(entries, report); break;
        case ReportKind::InOut: ComputeMonths(entries, report); break;
        case ReportKind::Payees: ComputePayees(entries, report); break;
    }
    return report;
}

std::string ReportAmountText(Cents cents) {
    if (cents > kLargestShownCents) return kOverflowPositive;
    if (cents < -kLargestShownCents) return kOverflowNegative;
    char text[kAmountTextSize];
    std::snprintf(text, sizeof text, "%s", PlainCents(cents).c_str());
    return InsertThousandsSeparators(text);
}

std::string ShareText(Cents part, Cents whole) {
    if (whole <= 0 || part < 0) return "";
    // Long division in unsigned 64 bits: the remainder stays below whole,
    // so ten times it cannot overflow.
    const auto w = static_cast<std::uint64_t>(whole);
    std::uint64_t tenths = static_cast<std::uint64_t>(part) / w;
    std::uint64_t rest = static_cast<std::uint64_t>(part) % w;
    for (int digit = 0; digit < 3; ++digit) {
        rest *= 10;
        tenths = tenths * 10 + rest / w;
        rest %= w;
    }
    if (rest * 2 >= w) ++tenths;
    char text[32];
    std::snprintf(text, sizeof text, "%llu.%llu%%", static_cast<unsigned long long>(tenths / 10),
                  static_cast<unsigned long long>(tenths % 10));
    return text;
}

std::string MonthText(int year, int month, int dateFormat) {
    char text[16];
    const int yy = ((year % 100) + 100) % 100;
    if (dateFormat == kFormatYYMMDD || dateFormat == kFormatYYDDMM)
        std::snprintf(text, sizeof text, "%02d/%02d", yy, month);
    else
        std::snprintf(text, sizeof text, "%02d/%02d", month, yy);
    return text;
}

std::string EmptyRangeText(DayNumber from, DayNumber to, Date& date) {
    const std::string fromText = date.ToDisplay(StoredText(from).c_str());
    const std::string toText = date.ToDisplay(StoredText(to).c_str());
    return "No records between " + fromText + " and " + toText + ".";
}

std::string NothingToShowText(const Report& report, Date& date) {
    const ReportRange& range = report.query.range;
    if (report.recordCount == 0) return EmptyRangeText(range.from, range.to, date);
    if (report.query.kind != ReportKind::Payees || !report.payees.empty()) return "";
    const std::string fromText = date.ToDisplay(StoredText(range.from).c_str());
    return "No payments between " + fromText + " and " + date.ToDisplay(StoredText(range.to).c_str()) + ".";
}

std::string ReportHeading(const ReportQuery& query, Date& date) {
    const std::string fromText = date.ToDisplay(StoredText(query.range.from).c_str());
    std::string heading = std::string(kReportTitles[static_cast<int>(query.kind)]) + ", " + fromText + " to " +
                          date.ToDisplay(StoredText(query.range.to).c_str());
    return query.clearedOnly ? heading + ", cleared (R) only" : heading;
}

ReportTable MakeReportTable(const Report& report, Date& date) {
    ReportTable table;
    constexpr CellAlign L = CellAlign::Left, R = CellAlign::Right;
    switch (report.query.kind) {
        case ReportKind::Balance:
            table.headers = {"Date", "Balance", "Cleared balance"};
            table.aligns = {L, R, R};
            for (const BalancePoint& p : report.days)
                table.rows.push_back(
                    {date.ToDisplay(StoredText(p.day).c_str()), ReportAmountText(p.balance), ReportAmountText(p.cleared)});
            break;
        case ReportKind::InOut:
            table.headers = {"Month", "Deposits", "Payments", "Net", "Records"};
            table.aligns = {L, R, R, R, R};
            for (const MonthTotals& m : report.months)
                table.rows.push_back({MonthText(m.year, m.month, date.GetDateFormat()), ReportAmountText(m.deposits),
                                      ReportAmountText(m.payments), ReportAmountText(m.Net()), std::to_string(m.count)});
            break;
        case ReportKind::Payees:
            table.headers = {"Description", "Payments", "Total", "Share"};
            table.aligns = {L, R, R, R};
            for (const PayeeTotal& p : report.payees)
                table.rows.push_back(
                    {p.name, std::to_string(p.count), ReportAmountText(p.total), ShareText(p.total, report.allPayments)});
            break;
    }
    return table;
}

std::string TableText(const ReportTable& table) {
    std::string text;
    auto line = [&text](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) text += (i ? "\t" : "") + cells[i];
        text += "\r\n";
    };
    line(table.headers);
    for (const auto& row : table.rows) line(row);
    return text;
}

namespace {

// Floor and ceiling of a / b for b > 0, also for negative a.
Cents FloorDiv(Cents a, Cents b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
Cents CeilDiv(Cents a, Cents b) { return -FloorDiv(-a, b); }

}  // namespace

AxisTicks NiceTicks(Cents low, Cents high, int maxTicks) {
    if (high < low) std::swap(low, high);
    if (maxTicks < 1) maxTicks = 1;
    // A flat line still gets an axis around it.
    if (high == low) {
        low -= 100;
        high += 100;
    }
    const Cents rough = (high - low + maxTicks - 1) / maxTicks;
    // Steps of 1, 2 or 5 times a power of ten, never below one dollar.
    Cents step = 100;
    for (Cents magnitude = 100;; magnitude *= 10) {
        if (magnitude >= rough) { step = magnitude; break; }
        if (magnitude * 2 >= rough) { step = magnitude * 2; break; }
        if (magnitude * 5 >= rough) { step = magnitude * 5; break; }
    }
    AxisTicks ticks;
    ticks.step = step;
    ticks.first = FloorDiv(low, step) * step;
    const Cents last = CeilDiv(high, step) * step;
    ticks.count = static_cast<int>((last - ticks.first) / step) + 1;
    return ticks;
}
