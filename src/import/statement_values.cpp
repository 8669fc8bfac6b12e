#include "import/statement_values.h"

#include <algorithm>
#include <cstdio>

#include "import/statement_text.h"

namespace {

// More integer digits than this, leading zeros aside, cannot be a statement
// amount, and keep the arithmetic far from overflow.
constexpr std::size_t kMostIntegerDigits = 13;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsCurrencyOrSpace(char c) {
    // '$', and in Windows-1252 the euro (0x80), pound (0xA3), yen (0xA5) and
    // no-break space (0xA0).
    return c == ' ' || c == '\t' || c == '$' || c == '\x80' || c == '\xA3' || c == '\xA5' || c == '\xA0';
}

std::string_view StripCurrencyAndSpace(std::string_view text) {
    while (!text.empty() && IsCurrencyOrSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsCurrencyOrSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsGroupMark(char c, DecimalMark mark, char either) {
    switch (mark) {
    case DecimalMark::Point: return c == ',';
    case DecimalMark::Comma: return c == '.' || c == ' ' || c == '\xA0';
    case DecimalMark::Either: return c == either;
    }
    return false;
}

// For DecimalMark::Either: which of '.' and ',' separates the cents (the
// later one when both appear, the only one when it appears once) and which
// groups thousands; '\0' for none.
void ChooseEitherMarks(std::string_view number, char& decimal, char& group) {
    const std::size_t point = number.rfind('.');
    const std::size_t comma = number.rfind(',');
    decimal = group = '\0';
    if (point != std::string_view::npos && comma != std::string_view::npos) {
        decimal = point > comma ? '.' : ',';
        group = point > comma ? ',' : '.';
        return;
    }
    const char only = point != std::string_view::npos ? '.' : comma != std::string_view::npos ? ',' : '\0';
    if (only == '\0')
        return;
    if (number.find(only) == number.rfind(only))
        decimal = only;
    else
        group = only;
}

// Whole units of "1,234,567" (groups of three after the first, one kind of
// group mark) or of plain digits.
std::optional<std::int64_t> IntegerPart(std::string_view digits, DecimalMark mark, char either) {
    std::int64_t value = 0;
    std::size_t count = 0, sinceGroup = 0;
    char groupMark = '\0';
    for (char c : digits) {
        if (IsDigit(c)) {
            value = value * 10 + (c - '0');
            ++sinceGroup;
            // Some banks pad every amount with zeros to a fixed width.
            count += value != 0;
            if (count > kMostIntegerDigits)
                return std::nullopt;
            continue;
        }
        const bool firstGroupOk = groupMark != '\0' ? sinceGroup == 3 : sinceGroup >= 1 && sinceGroup <= 3;
        if (!IsGroupMark(c, mark, either) || (groupMark != '\0' && c != groupMark) || !firstGroupOk)
            return std::nullopt;
        groupMark = c;
        sinceGroup = 0;
    }
    if (groupMark != '\0' && sinceGroup != 3)
        return std::nullopt;
    return value;
}

// Cents of the decimals: digits only, none but zeros after the second.
std::optional<std::int64_t> CentsPart(std::string_view digits) {
    std::int64_t cents = 0;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (!IsDigit(digits[i]) || (i >= 2 && digits[i] != '0'))
            return std::nullopt;
        if (i < 2)
            cents += (digits[i] - '0') * (i == 0 ? 10 : 1);
    }
    return cents;
}

std::optional<std::int64_t> UnsignedCents(std::string_view number, DecimalMark mark) {
    char decimal = mark == DecimalMark::Point ? '.' : ',';
    char either = '\0';
    if (mark == DecimalMark::Either)
        ChooseEitherMarks(number, decimal, either);
    const std::size_t at = decimal ? number.find(decimal) : std::string_view::npos;
    if (at != std::string_view::npos && number.find(decimal, at + 1) != std::string_view::npos)
        return std::nullopt;
    const std::string_view whole = number.substr(0, at);
    const std::string_view fraction = at == std::string_view::npos ? std::string_view() : number.substr(at + 1);
    if (whole.empty() && fraction.empty())
        return std::nullopt;
    const auto units = IntegerPart(whole, mark, either);
    const auto cents = CentsPart(fraction);
    if (!units || !cents)
        return std::nullopt;
    return *units * 100 + *cents;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Reads up to four digits at text[i]; how many were read in digitCount.
bool ReadDatePart(std::string_view text, std::size_t& i, int& value, int& digitCount) {
    while (i < text.size() && text[i] == ' ')
        ++i;
    value = digitCount = 0;
    while (i < text.size() && IsDigit(text[i])) {
        if (++digitCount > 4)
            return false;
        value = value * 10 + (text[i++] - '0');
    }
    while (i < text.size() && text[i] == ' ')
        ++i;
    return digitCount > 0;
}

bool IsDateSeparator(char c) {
    return c == '/' || c == '-' || c == '.';
}

// What may follow a date: nothing, or a time of day ("10:30", "T10:30:00Z",
// " 10:30 PM") that the register has no place for.
bool IsTimeTail(std::string_view tail) {
    if (tail.empty())
        return true;
    if (tail.front() != ' ' && tail.front() != 'T')
        return false;
    return tail.find_first_not_of("0123456789:. APMapmZ+-", 1) == std::string_view::npos;
}

// "YYYYMMDD" without separators.
std::optional<WrittenDate> SplitCompactDate(std::string_view text) {
    if (text.size() != 8 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t length) {
        return std::stoi(std::string(text.substr(at, length)));
    };
    return WrittenDate{number(4, 2), number(6, 2), number(0, 4), true};
}

// 1..12 for an English month name or its abbreviation of at least three
// letters ("Jan", "Sept", "january"), else 0.
int MonthOfName(std::string_view name) {
    static constexpr std::string_view kMonths[12] = {"january", "february", "march",     "april",   "may",      "june",
                                                     "july",    "august",   "september", "october", "november", "december"};
    for (int month = 0; month < 12 && name.size() >= 3; ++month) {
        if (name.size() <= kMonths[month].size() && EqualsNoCase(name, kMonths[month].substr(0, name.size())))
            return month + 1;
    }
    return 0;
}

int YearOfPart(int value, int digitCount, bool apostrophe);

// "15 Jan 2026", "15-Jan-26", "Jan 15, 2026": the month by name leaves no
// question of order.
std::optional<WrittenDate> SplitNamedMonthDate(std::string_view text) {
    const auto isSeparator = [](char c) { return c == ' ' || c == ',' || IsDateSeparator(c); };
    const auto isWordCharacter = [](char c) { return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    std::string_view tokens[3];
    std::size_t i = 0;
    for (std::string_view& token : tokens) {
        while (i < text.size() && isSeparator(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && isWordCharacter(text[i]))
            ++i;
        token = text.substr(start, i - start);
    }
    const auto number = [](std::string_view digits, std::size_t most) {
        int value = 0;
        if (digits.empty() || digits.size() > most || digits.find_first_not_of("0123456789") != std::string_view::npos)
            return -1;
        for (char c : digits)
            value = value * 10 + (c - '0');
        return value;
    };
    const bool monthFirst = MonthOfName(tokens[0]) != 0;
    const int month = MonthOfName(tokens[monthFirst ? 0 : 1]);
    const int day = number(tokens[monthFirst ? 1 : 0], 2);
    const int yearPart = number(tokens[2], 4);
    if (month == 0 || day < 0 || yearPart < 0 || (tokens[2].size() != 2 && tokens[2].size() != 4)
        || !IsTimeTail(text.substr(i)))
        return std::nullopt;
    return WrittenDate{month, day, YearOfPart(yearPart, static_cast<int>(tokens[2].size()), false), true};
}

int YearOfPart(int value, int digitCount, bool apostrophe) {
    if (digitCount == 4)
        return value;
    if (digitCount > 2)
        return 0;
    return apostrophe || value < 80 ? 2000 + value : 1900 + value;
}

// The stored date of a written one in the given order, "" when it is none.
std::string StoredWrittenDate(const WrittenDate& date, DayOrder order) {
    if (date.orderKnown)
        return StoredDate(date.year, date.first, date.second);
    return order == DayOrder::DayFirst ? StoredDate(date.year, date.second, date.first)
                                       : StoredDate(date.year, date.first, date.second);
}

// Why a written date is refused: when month first would read it, the
// file's other dates are what stand against it.
std::string DateRefusal(std::string_view written, const std::optional<WrittenDate>& date, DayOrder order) {
    if (TrimSpace(written).empty())
        return kNoDateReason;
    if (order == DayOrder::DayFirst && date && !date->orderKnown && !StoredWrittenDate(*date, DayOrder::MonthFirst).empty())
        return WithValue(kDateNotDayFirstReason, written);
    return WithValue(kBadDateReason, written);
}

void SettleDate(StatementTransaction& transaction, DayOrder order) {
    const auto date = SplitWrittenDate(transaction.date);
    const std::string stored = date ? StoredWrittenDate(*date, order) : std::string();
    if (stored.empty() && transaction.refused.empty())
        transaction.refused = DateRefusal(transaction.date, date, order);
    transaction.date = stored;
}

} // namespace

std::string WithValue(const char* reason, std::string_view value) {
    std::string text(reason);
    const std::size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, Quoted(value));
    return text;
}

std::optional<std::int64_t> ParseCents(std::string_view text, DecimalMark mark) {
    std::string_view number = StripCurrencyAndSpace(text);
    bool negative = false, signSeen = false;
    if (number.size() >= 2 && number.front() == '(' && number.back() == ')') {
        negative = signSeen = true;
        number = StripCurrencyAndSpace(number.substr(1, number.size() - 2));
    }
    if (!number.empty() && (number.front() == '-' || number.front() == '+') && !signSeen) {
        negative = number.front() == '-';
        signSeen = true;
        number = StripCurrencyAndSpace(number.substr(1));
    } else if (!number.empty() && number.back() == '-' && !signSeen) {
        negative = true;
        number = StripCurrencyAndSpace(number.substr(0, number.size() - 1));
    }
    const auto cents = UnsignedCents(number, mark);
    if (!cents)
        return std::nullopt;
    return negative ? -*cents : *cents;
}

void DecimalMarkEvidence::See(std::string_view amount) {
    const std::size_t last = amount.find_last_of("0123456789");
    const std::size_t mark = last == std::string_view::npos ? last : amount.find_last_not_of("0123456789", last);
    if (mark == std::string_view::npos || last - mark > 2)
        return;
    m_point = m_point || amount[mark] == '.';
    m_comma = m_comma || amount[mark] == ',';
}

DecimalMark DecimalMarkEvidence::Decide(DecimalMark preset) const {
    if (m_point != m_comma)
        return m_point ? DecimalMark::Point : DecimalMark::Comma;
    return preset;
}

std::string ReadTransactionAmount(std::string_view text, DecimalMark mark, std::int64_t& cents) {
    if (TrimSpace(text).empty())
        return kNoAmountReason;
    const auto parsed = ParseCents(text, mark);
    if (!parsed)
        return WithValue(kBadAmountReason, text);
    if (*parsed > kLargestEntryCents || *parsed < -kLargestEntryCents)
        return WithValue(kAmountTooLargeReason, text);
    cents = *parsed;
    return {};
}

std::string StoredDate(int year, int month, int day) {
    if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return {};
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, day);
    return text;
}

std::optional<WrittenDate> SplitWrittenDate(std::string_view text) {
    text = TrimSpace(text);
    if (const auto compact = SplitCompactDate(text.substr(0, text.find_first_of(" T"))))
        return IsTimeTail(text.substr(std::min(text.size(), std::size_t{8}))) ? compact : std::nullopt;
    if (text.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz") < std::min(text.size(), std::size_t{4}))
        return SplitNamedMonthDate(text);
    int parts[3] = {}, digits[3] = {};
    bool apostrophe = false;
    std::size_t i = 0;
    for (int k = 0; k < 3; ++k) {
        if (k > 0) {
            const bool separator = i < text.size() && (IsDateSeparator(text[i]) || (k == 2 && text[i] == '\''));
            if (!separator)
                return std::nullopt;
            apostrophe = text[i++] == '\'';
        }
        if (!ReadDatePart(text, i, parts[k], digits[k]))
            return std::nullopt;
    }
    if (!IsTimeTail(text.substr(i > 0 && text[i - 1] == ' ' ? i - 1 : i)))
        return std::nullopt;
    if (digits[0] == 4 && !apostrophe && digits[1] <= 2 && digits[2] <= 2)
        return WrittenDate{parts[1], parts[2], parts[0], true};
    const int year = YearOfPart(parts[2], digits[2], apostrophe);
    if (digits[0] > 2 || digits[1] > 2 || year == 0)
        return std::nullopt;
    return WrittenDate{parts[0], parts[1], year, false};
}

DayOrder FileDayOrder(const std::vector<std::string_view>& dates, DayOrder preferred) {
    bool monthFirstSeen = false;
    for (std::string_view text : dates) {
        const auto date = SplitWrittenDate(text);
        // Only a part that can be a day tells anything.
        if (!date || date->orderKnown)
            continue;
        if (date->first > 12 && date->first <= 31)
            return DayOrder::DayFirst;
        monthFirstSeen = monthFirstSeen || (date->second > 12 && date->second <= 31);
    }
    return monthFirstSeen ? DayOrder::MonthFirst : preferred;
}

void SettleWrittenDates(std::vector<Statement>& statements, DayOrder preferred) {
    std::vector<std::string_view> dates;
    for (const Statement& statement : statements) {
        for (const StatementTransaction& transaction : statement.transactions)
            dates.push_back(transaction.date);
    }
    const DayOrder order = FileDayOrder(dates, preferred);
    for (Statement& statement : statements) {
        for (StatementTransaction& transaction : statement.transactions)
            SettleDate(transaction, order);
    }
}
