#include "features/reports.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

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
    std::uint32_t order;  // place in the list, so that sorting keeps it for one day
    Cents payment;
    Cents deposit;
    bool cleared;
    const AcctRecord* record;
};

int YearOf(DayNumber day) { return day / 10000; }
int MonthOf(DayNumber day) { return day / 100 % 100; }
DayNumber MakeDay(int year, int month, int day) { return year * 10000 + month * 100 + day; }

// The record's day; its date field is 9 bytes, which DayOfStoredText never
// reads past.
DayNumber DayOf(const AcctRecord& r) { return DayOfStoredText(r.date); }

std::vector<Entry> ReadEntries(const RecordNode* first, bool clearedOnly) {
    std::vector<Entry> entries;
    std::uint32_t order = 0;
    for (const RecordNode* node = first; node != nullptr; node = node->next, ++order) {
        const AcctRecord& r = *node->record;
        if (clearedOnly && !IsReconciled(r)) continue;
        const DayNumber day = DayOf(r);
        // The blank record has no date, so it is left out here too.
        if (day == 0) continue;
        entries.push_back({day, order, AmountCents(r.payment), AmountCents(r.deposit), IsReconciled(r), &r});
    }
    // The register keeps its records in date order; a list that is not (a
    // record moved while being edited) is put in order here.
    auto byDay = [](const Entry& a, const Entry& b) { return a.day != b.day ? a.day < b.day : a.order < b.order; };
    if (!std::is_sorted(entries.begin(), entries.end(), byDay)) std::sort(entries.begin(), entries.end(), byDay);
    return entries;
}

bool Inside(const Entry& e, const ReportRange& range) { return e.day >= range.from && e.day <= range.to; }

// The dated records in date order. A list in date order (as the register
// keeps it) is read in place; only one out of order is copied and sorted.
class Entries {
public:
    Entries(const RecordNode* first, bool clearedOnly) : m_First(first), m_ClearedOnly(clearedOnly) {
        DayNumber last = 0;
        for (const RecordNode* node = first; node != nullptr; node = node->next) {
            const AcctRecord& r = *node->record;
            if (m_ClearedOnly && !IsReconciled(r)) continue;
            const DayNumber day = DayOf(r);
            if (day == 0) continue;
            if (day < last) {
                m_Sorted = ReadEntries(first, clearedOnly);
                m_InOrder = false;
                return;
            }
            last = day;
        }
    }

    template <typename Visit> void ForEach(Visit visit) const {
        if (!m_InOrder) {
            for (const Entry& e : m_Sorted) visit(e);
            return;
        }
        std::uint32_t order = 0;
        for (const RecordNode* node = m_First; node != nullptr; node = node->next, ++order) {
            const AcctRecord& r = *node->record;
            if (m_ClearedOnly && !IsReconciled(r)) continue;
            const DayNumber day = DayOf(r);
            if (day == 0) continue;
            visit(Entry{day, order, AmountCents(r.payment), AmountCents(r.deposit), IsReconciled(r), &r});
        }
    }

private:
    const RecordNode* m_First;
    bool m_ClearedOnly;
    bool m_InOrder = true;
    std::vector<Entry> m_Sorted;
};

void ComputeBalance(const Entries& entries, Report& report) {
    Cents balance = 0, cleared = 0;
    const ReportRange range = report.query.range;
    entries.ForEach([&](const Entry& e) {
        if (e.day > range.to) return;
        balance += e.deposit - e.payment;
        if (e.cleared) cleared += e.deposit - e.payment;
        if (e.day < range.from) {
            report.openingBalance = balance;
            report.openingCleared = cleared;
            return;
        }
        if (!report.days.empty() && report.days.back().day == e.day)
            report.days.back() = {e.day, balance, cleared};
        else
            report.days.push_back({e.day, balance, cleared});
    });
}

void ComputeMonths(const Entries& entries, Report& report) {
    if (report.recordCount == 0) return;
    const ReportRange& range = report.query.range;
    const int firstYear = YearOf(range.from), firstMonth = MonthOf(range.from);
    const int count = (YearOf(range.to) - firstYear) * 12 + MonthOf(range.to) - firstMonth + 1;
    for (int i = 0; i < count; ++i) {
        const int index = firstMonth - 1 + i;
        report.months.push_back({firstYear + index / 12, index % 12 + 1});
    }
    entries.ForEach([&](const Entry& e) {
        if (!Inside(e, range)) return;
        MonthTotals& m = report.months[(YearOf(e.day) - firstYear) * 12 + MonthOf(e.day) - firstMonth];
        m.deposits += e.deposit;
        m.payments += e.payment;
        ++m.count;
    });
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

// A description without its surrounding spaces, as it lies in its record.
struct TextView {
    const char* text = nullptr;
    std::size_t length = 0;
};

TextView TrimmedView(const char* text, std::size_t size) {
    std::size_t end = strnlen(text, size), start = 0;
    while (start < end && text[start] == ' ') ++start;
    while (end > start && text[end - 1] == ' ') --end;
    return {text + start, end - start};
}

std::uint64_t FoldedHash(TextView view) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (std::size_t i = 0; i < view.length; ++i)
        hash = (hash ^ FoldCase(static_cast<unsigned char>(view.text[i]))) * 1099511628211ull;
    return hash;
}

// Compares two descriptions as PayeeKey would: <0, 0 or >0.
int CompareFolded(TextView a, TextView b) {
    for (std::size_t i = 0; i < a.length && i < b.length; ++i) {
        const int x = FoldCase(static_cast<unsigned char>(a.text[i])), y = FoldCase(static_cast<unsigned char>(b.text[i]));
        if (x != y) return x - y;
    }
    return a.length < b.length ? -1 : a.length > b.length ? 1 : 0;
}

struct Payee {
    TextView name;  // as first written in the range
    std::uint64_t hash;
    std::size_t count = 0;
    Cents total = 0;
};

// The payees met so far, found by their folded description. An open
// table: most accounts have few payees, a long one tens of thousands, and
// nothing is copied out of the records until the largest are known.
class PayeeTable {
public:
    explicit PayeeTable(std::size_t most) {
        std::size_t capacity = 16;
        while (capacity < most * 2) capacity *= 2;
        m_Slots.assign(capacity, kEmpty);
    }

    Payee& Find(TextView name) {
        const std::uint64_t hash = FoldedHash(name);
        const std::size_t mask = m_Slots.size() - 1;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            const std::uint32_t slot = m_Slots[at];
            if (slot == kEmpty) {
                m_Slots[at] = static_cast<std::uint32_t>(payees.size());
                payees.push_back({name, hash});
                return payees.back();
            }
            Payee& payee = payees[slot];
            if (payee.hash == hash && CompareFolded(payee.name, name) == 0) return payee;
        }
    }

    std::vector<Payee> payees;

private:
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
    std::vector<std::uint32_t> m_Slots;
};

std::string NameOf(TextView view) {
    return view.length == 0 ? std::string(kNoDescription) : std::string(view.text, view.length);
}

void ComputePayees(const Entries& entries, std::size_t payments, Report& report) {
    PayeeTable table(payments);
    entries.ForEach([&](const Entry& e) {
        if (!Inside(e, report.query.range) || e.payment <= 0) return;
        Payee& payee = table.Find(TrimmedView(e.record->description, sizeof e.record->description));
        ++payee.count;
        payee.total += e.payment;
        report.allPayments += e.payment;
    });
    std::vector<Payee>& payees = table.payees;
    // Ties fall back to the count, then the folded name, so the order never
    // depends on the table.
    auto larger = [](const Payee& a, const Payee& b) {
        if (a.total != b.total) return a.total > b.total;
        if (a.count != b.count) return a.count > b.count;
        return CompareFolded(a.name, b.name) < 0;
    };
    const std::size_t named = std::min(payees.size(), kTopPayees);
    std::partial_sort(payees.begin(), payees.begin() + static_cast<std::ptrdiff_t>(named), payees.end(), larger);
    PayeeTotal rest{kEverythingElse};
    for (std::size_t i = 0; i < payees.size(); ++i) {
        if (i < named) {
            report.payees.push_back({NameOf(payees[i].name), payees[i].count, payees[i].total});
        } else {
            rest.count += payees[i].count;
            rest.total += payees[i].total;
        }
    }
    if (rest.count > 0) report.payees.push_back(std::move(rest));
}

// The digits of a whole number, written backwards from end; returns where
// they start.
char* DigitsBackwards(char* end, unsigned long long value, int atLeast) {
    int written = 0;
    do {
        *--end = static_cast<char>('0' + value % 10);
        value /= 10;
        ++written;
    } while (value != 0 || written < atLeast);
    return end;
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
    char* end = text + sizeof text;
    char* start = DigitsBackwards(end, static_cast<unsigned long long>(day < 0 ? 0 : day), 8);
    return std::string(start, end);
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
    for (const RecordNode* node = first; node != nullptr; node = node->next) {
        const DayNumber day = DayOf(*node->record);
        if (day == 0) continue;
        if (all.from == 0 || day < all.from) all.from = day;
        all.to = std::max(all.to, day);
    }
    return all.from == 0 ? ReportRange{today, today} : all;
}

Cents AmountCents(double dollars) {
    if (std::isnan(dollars)) return 0;
    if (std::fabs(dollars) >= static_cast<double>(kLargestRecordCents / 100))
        return dollars < 0 ? -kLargestRecordCents : kLargestRecordCents;
    // The cents the register shows: FormatAmountText's own test, made here
    // without the text, and its text where that test cannot decide.
    const double magnitude = std::fabs(dollars);
    if (magnitude < 1e9) {
        const double scaled = magnitude * 100.0;
        const double whole = std::floor(scaled);
        const double fraction = scaled - whole;
        if (std::fabs(fraction - 0.5) >= 1e-4) {
            const Cents cents = static_cast<Cents>(whole) + (fraction > 0.5 ? 1 : 0);
            return std::signbit(dollars) ? -cents : cents;
        }
    }
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
    const Entries entries(first, query.clearedOnly);
    std::size_t payments = 0;
    entries.ForEach([&](const Entry& e) {
        if (!Inside(e, query.range)) return;
        ++report.recordCount;
        payments += e.payment > 0 ? 1 : 0;
    });
    switch (query.kind) {
        case ReportKind::Balance: ComputeBalance(entries, report); break;
        case ReportKind::InOut: ComputeMonths(entries, report); break;
        case ReportKind::Payees: ComputePayees(entries, payments, report); break;
    }
    return report;
}

std::string ReportAmountText(Cents cents) {
    if (cents > kLargestShownCents) return kOverflowPositive;
    if (cents < -kLargestShownCents) return kOverflowNegative;
    // As FormatBalance and InsertThousandsSeparators give it, without the
    // C library's formatting, which tables of thousands of rows feel.
    char text[kAmountTextSize];
    char* end = text + sizeof text;
    const unsigned long long magnitude = static_cast<unsigned long long>(cents < 0 ? -cents : cents);
    char* start = DigitsBackwards(end, magnitude % 100, 2);
    *--start = '.';
    unsigned long long whole = magnitude / 100;
    for (int group = 0;; ++group) {
        if (group > 0) *--start = ',';
        start = DigitsBackwards(start, whole % 1000, whole >= 1000 ? 3 : 1);
        whole /= 1000;
        if (whole == 0) break;
    }
    if (cents < 0) *--start = '-';
    return std::string(start, end);
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
