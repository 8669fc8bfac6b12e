#include "values/date.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "base/bounded_text.h"

Date g_Date;

namespace {

// Which typed part (0..2) holds the month, the day and the year.
struct PartOrder {
    int month;
    int day;
    int year;
};

constexpr PartOrder kPartOrder[kDateFormatCount] = {
    {0, 1, 2}, // MM/DD/YY
    {1, 0, 2}, // DD/MM/YY
    {1, 2, 0}, // YY/MM/DD
    {2, 1, 0}, // YY/DD/MM
};

constexpr const char* kFormatNames[kDateFormatCount] = {
    "MM/DD/YY", "DD/MM/YY", "YY/MM/DD", "YY/DD/MM",
};

constexpr int kDaysInMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// The stored text has room for four year digits only.
constexpr int kLargestYear = 9999;

constexpr std::size_t kShortestInput = 5;
constexpr std::size_t kLongestInput = 8;

int g_TestYear = 0;
int g_TestMonth = 0;
int g_TestDay = 0;

bool IsDateChar(char c) {
    return (c >= '0' && c <= '9') || c == '/' || c == ' ';
}

bool IsSeparator(char c) {
    return c == '/' || c == ' ';
}

int ToNumber(const char* digits, std::size_t count) {
    int value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value = value * 10 + (digits[i] - '0');
    return value;
}

// Two-digit years 80..99 are the 1900s; everything else is 2000 + part.
int YearFromPart(int part) {
    return (part >= 80 && part <= 99) ? 1900 + part : 2000 + part;
}

// Splits "a/b c" (exactly two separators, no empty part) into numbers.
bool SplitAtSeparators(char* input, std::size_t length, int parts[3]) {
    std::size_t start = 0;
    int count = 0;
    for (std::size_t i = 0; i <= length; ++i) {
        if (i < length && !IsSeparator(input[i]))
            continue;
        if (count == 3 || i == start)
            return false;
        parts[count++] = ToNumber(input + start, i - start);
        if (i < length)
            input[i] = '\0';
        start = i + 1;
    }
    return count == 3;
}

// Appends src to out (capacity size), always terminating; never overflows.
void Append(char* out, std::size_t size, std::size_t& used, const char* src, std::size_t count) {
    if (used >= size)
        return;
    used += CopyBoundedField(out + used, size - used, src, count);
}

// One help line: "    N (i.e. T) - leading zeros ...".
void AppendHelpLine(char* out, std::size_t size, std::size_t& used,
                    const char* name, const char* example, const char* remark) {
    char line[96];
    std::snprintf(line, sizeof line, "    %s (i.e. %s) - %s", name, example, remark);
    Append(out, size, used, line, sizeof line);
}

// Replaces each '/' by replacement, or drops it when replacement is 0.
void ReplaceSlashes(const char* src, char* out, std::size_t size, char replacement) {
    std::size_t used = 0;
    for (; *src != '\0' && used + 1 < size; ++src) {
        if (*src != '/')
            out[used++] = *src;
        else if (replacement != '\0')
            out[used++] = replacement;
    }
    if (size > 0)
        out[used] = '\0';
}

} // namespace

void Date::SetDateFormat(int format) {
    m_DateFormat = (format < 0 || format >= kDateFormatCount) ? kFormatMMDDYY : format;
}

bool Date::Parse(char* input) {
    m_Day = m_Month = m_Year = m_DayOfYear = 0;
    if (input == nullptr)
        return false;

    std::size_t length = 0;
    bool hasSeparator = false;
    for (; input[length] != '\0'; ++length) {
        if (!IsDateChar(input[length]) || length >= kLongestInput)
            return false;
        hasSeparator = hasSeparator || IsSeparator(input[length]);
    }
    if (length < kShortestInput)
        return false;

    int parts[3] = {};
    if (hasSeparator) {
        if (!SplitAtSeparators(input, length, parts))
            return false;
    } else {
        if (length != 6)
            return false;
        for (int i = 0; i < 3; ++i)
            parts[i] = ToNumber(input + 2 * i, 2);
    }

    const PartOrder& order = kPartOrder[m_DateFormat];
    const int year = YearFromPart(parts[order.year]);
    if (year > kLargestYear)
        return false;
    // Parts have at most four digits here, so they fit the 16-bit fields.
    m_Month = static_cast<short>(parts[order.month]);
    m_Day = static_cast<short>(parts[order.day]);
    m_Year = static_cast<short>(year);
    if (!IsValidMonth() || !IsValidDay())
        return false;

    std::snprintf(m_Text, sizeof m_Text, "%4u%02d%02d",
                  static_cast<unsigned>(m_Year), m_Month, m_Day);
    ComputeDayOfYear();
    return true;
}

const char* Date::ToDisplay(const char* stored) {
    if (stored == nullptr || stored[0] == '\0') {
        m_Display[0] = '\0';
        return m_Display;
    }
    // A damaged stored text shorter than eight characters leaves zeros in
    // the slots it cannot fill rather than reading past its end.
    char digits[kStoredDateSize] = "00000000";
    for (std::size_t i = 0; i + 1 < kStoredDateSize && stored[i] != '\0'; ++i)
        digits[i] = stored[i];

    const char* month = digits + 4;
    const char* day = digits + 6;
    const char* year = digits + 2;
    const char* slots[kDateFormatCount][3] = {
        {month, day, year},
        {day, month, year},
        {year, month, day},
        {year, day, month},
    };
    std::memcpy(m_Display, "00/00/00", kDisplayDateSize);
    for (int slot = 0; slot < 3; ++slot) {
        m_Display[3 * slot] = slots[m_DateFormat][slot][0];
        m_Display[3 * slot + 1] = slots[m_DateFormat][slot][1];
    }
    return m_Display;
}

void Date::SetTodayForTesting(int year, int month, int day) {
    g_TestYear = year;
    g_TestMonth = month;
    g_TestDay = day;
}

void Date::Today(char* out, std::size_t size) const {
    if (out == nullptr || size == 0)
        return;
    int year = g_TestYear, month = g_TestMonth, day = g_TestDay;
    if (year == 0) {
        // Single-threaded program: the shared buffer of localtime is safe.
        std::time_t now = std::time(nullptr);
        const std::tm* local = std::localtime(&now);
        if (local == nullptr) {
            out[0] = '\0';
            return;
        }
        year = local->tm_year + 1900;
        month = local->tm_mon + 1;
        day = local->tm_mday;
    }
    std::snprintf(out, size, "%4d%02d%02d", year, month, day);
}

void Date::FormatName(char* out, std::size_t size) const {
    if (out != nullptr)
        CopyBounded(out, size, kFormatNames[m_DateFormat]);
}

void Date::FormatHelp(char* out, std::size_t size) {
    if (out == nullptr || size == 0)
        return;
    char today[kStoredDateSize];
    Today(today, sizeof today);
    char example[kDisplayDateSize];
    CopyBounded(example, sizeof example, ToDisplay(today));
    const char* name = kFormatNames[m_DateFormat];

    char spacedName[kDateFormatNameSize], spacedExample[kDisplayDateSize];
    char bareName[kDateFormatNameSize], bareExample[kDisplayDateSize];
    ReplaceSlashes(name, spacedName, sizeof spacedName, ' ');
    ReplaceSlashes(example, spacedExample, sizeof spacedExample, ' ');
    ReplaceSlashes(name, bareName, sizeof bareName, '\0');
    ReplaceSlashes(example, bareExample, sizeof bareExample, '\0');

    std::size_t used = 0;
    out[0] = '\0';
    AppendHelpLine(out, size, used, name, example, "leading zeros not required\n");
    AppendHelpLine(out, size, used, spacedName, spacedExample, "leading zeros not required\n");
    AppendHelpLine(out, size, used, bareName, bareExample, "leading zeros required");
}

void Date::ErrorMessage(int kind, char* out, std::size_t size) {
    if (out == nullptr || size == 0)
        return;
    if (kind < 0 || kind >= kDateErrorKindCount)
        kind = kDateErrorRegister;
    char help[kDateHelpSize];
    FormatHelp(help, sizeof help);

    const char* text = kDateErrorTexts[kind];
    const char* mark = std::strstr(text, "%s");
    std::size_t used = 0;
    out[0] = '\0';
    Append(out, size, used, text, static_cast<std::size_t>(mark - text));
    Append(out, size, used, help, sizeof help);
    Append(out, size, used, mark + 2, std::strlen(mark + 2));
}

bool Date::IsLeapYear() const {
    return (m_Year % 4 == 0 && m_Year % 100 != 0) || m_Year % 400 == 0;
}

bool Date::IsValidMonth() const {
    return m_Month >= 1 && m_Month <= 12;
}

bool Date::IsValidDay() const {
    if (!IsValidMonth() || m_Day < 1 || m_Year == 0)
        return false;
    int longest = kDaysInMonth[m_Month - 1];
    if (m_Month == 2 && IsLeapYear())
        longest = 29;
    return m_Day <= longest;
}

short Date::ComputeDayOfYear() {
    int total = m_Day;
    for (int month = 1; month < m_Month && month <= 12; ++month)
        total += kDaysInMonth[month - 1] + ((month == 2 && IsLeapYear()) ? 1 : 0);
    m_DayOfYear = static_cast<short>(total);
    return m_DayOfYear;
}
