// Dates: the four two-digit-year display formats, parsing of typed dates,
// and the YYYYMMDD stored form. One object, g_Date, serves the program.
#pragma once

#include <cstddef>

// Values of m_DateFormat; the Date Format menu command is 1026 + format.
inline constexpr int kFormatMMDDYY = 0;
inline constexpr int kFormatDDMMYY = 1;
inline constexpr int kFormatYYMMDD = 2;
inline constexpr int kFormatYYDDMM = 3;
inline constexpr int kDateFormatCount = 4;

// Buffer sizes (terminating zero included).
inline constexpr std::size_t kStoredDateSize = 9;         // "YYYYMMDD"
inline constexpr std::size_t kDisplayDateSize = 9;        // "MM/DD/YY"
inline constexpr std::size_t kDateFormatNameSize = 9;     // "MM/DD/YY"
inline constexpr std::size_t kDateHelpSize = 256;         // three help lines
inline constexpr std::size_t kDateErrorMessageSize = 512; // message + help

// Kinds of the "Incorrect Date Format" message.
inline constexpr int kDateErrorRegister = 0;   // register date field
inline constexpr int kDateErrorStatement = 1;  // statement date of a new account
inline constexpr int kDateErrorRangeFrom = 2;  // "Range From" of print/export
inline constexpr int kDateErrorRangeTo = 3;    // "Range To" of print/export
inline constexpr int kDateErrorKindCount = 4;

inline constexpr const char kDateErrorTitle[] = "Incorrect Date Format";
// "%s" stands for the help text of FormatHelp.
inline constexpr const char* const kDateErrorTexts[kDateErrorKindCount] = {
    "Enter a valid date in one of the following formats: \n\n%s\n\nOr delete this transaction.",
    "Enter a valid date in one of the following formats: \n\n%s",
    "Enter a valid \"Range From\" date in one of the following formats: \n\n%s",
    "Enter a valid \"Range To\" date in one of the following formats: \n\n%s",
};


class Date {
public:
    Date() = default;

    // A format outside 0..3 (a damaged options file) falls back to 0.
    void SetDateFormat(int format);
    int GetDateFormat() const { return m_DateFormat; }

    // Parses a typed date in the current format. The input is altered
    // (separators become terminators). On success fills day, month, year,
    // text and day of year; on failure the text keeps the last good date.
    bool Parse(char* input);

    const char* GetText() const { return m_Text; }
    short GetYear() const { return m_Year; }
    short GetMonth() const { return m_Month; }
    short GetDay() const { return m_Day; }
    short GetDayOfYear() const { return m_DayOfYear; }

    // Display form ("MM/DD/YY" etc.) of a stored YYYYMMDD text, in a buffer
    // owned by this object that the next call overwrites. Empty stays empty.
    const char* ToDisplay(const char* stored);

    // Today's local date as YYYYMMDD; out needs kStoredDateSize bytes.
    void Today(char* out, std::size_t size) const;
    // Name of the current format, e.g. "MM/DD/YY".
    void FormatName(char* out, std::size_t size) const;
    // The three-line help text naming the accepted ways to type a date.
    void FormatHelp(char* out, std::size_t size);
    // Full text of the date error message of the given kind (0..3; any
    // other kind is treated as 0), with the help text in place of "%s".
    void ErrorMessage(int kind, char* out, std::size_t size);

    template <std::size_t N> void Today(char (&out)[N]) const { Today(out, N); }
    template <std::size_t N> void FormatName(char (&out)[N]) const { FormatName(out, N); }
    template <std::size_t N> void FormatHelp(char (&out)[N]) { FormatHelp(out, N); }

    // On the object's own day, month and year.
    bool IsLeapYear() const;
    bool IsValidMonth() const;
    bool IsValidDay() const;
    // Stores and returns the day of year (1..366).
    short ComputeDayOfYear();

    // Tests pin "today" so that help texts are predictable; a year of 0
    // goes back to the system clock.
    static void SetTodayForTesting(int year, int month, int day);

private:
    short m_Day = 0;
    short m_Month = 0;
    short m_Year = 0;
    char m_Text[kStoredDateSize] = {};
    short m_DayOfYear = 0;
    int m_DateFormat = kFormatMMDDYY;
    char m_Display[kDisplayDateSize] = {};
};

extern Date g_Date;
