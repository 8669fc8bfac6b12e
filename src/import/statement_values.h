// Amounts and dates as bank files write them: amounts to whole cents without
// floating point (a statement must add up to the cent), dates to the stored
// YYYYMMDD, and the rule that tells day-first files from month-first ones.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/statement.h"
#include "values/amount.h"

// Why a transaction is refused; "%s" stands for the value as the file has it.
inline constexpr const char kNoDateReason[] = "The transaction has no date.";
inline constexpr const char kBadDateReason[] = "The date %s cannot be read.";
// A file's dates decide day first only by one whose first part is a day
// above 12, so only that order can stand against a date.
inline constexpr const char kDateNotDayFirstReason[] =
    "The date %s cannot be read day first, as other dates of this file are written.";
inline constexpr const char kNoAmountReason[] = "The transaction has no amount.";
inline constexpr const char kBadAmountReason[] = "The amount %s cannot be read.";
inline constexpr const char kAmountTooLargeReason[] = "The amount %s is above 999,999.99.";

// A reason with the quoted value in place of "%s".
std::string WithValue(const char* reason, std::string_view value);

// The largest payment or deposit the register takes, in cents.
inline constexpr std::int64_t kLargestEntryCents = 99'999'999;
static_assert(kLargestEntryCents == static_cast<std::int64_t>(kLargestEntry * 100 + 0.5));
// The largest statement balance the program shows, in cents.
inline constexpr std::int64_t kLargestBalanceCents = 999'999'999;
static_assert(kLargestBalanceCents == static_cast<std::int64_t>(kLargestBalance * 100 + 0.5));

// Which character separates the cents: '.', ',' (the other one, a space or
// a no-break space then groups thousands), or for OFX either of them with
// no grouping unless both appear.
enum class DecimalMark { Point, Comma, Either };

// Cents of an amount text: a sign (leading '-' or '+', trailing '-', or
// parentheses), currency signs ($, euro, pound, yen) and spaces around it,
// thousands groups of three digits, and at most two decimals that are not
// zero. Nothing when the text is anything else.
std::optional<std::int64_t> ParseCents(std::string_view text, DecimalMark mark);

// Which decimal mark a file's amounts use: the preset unless they show the
// other one. An amount ending in a mark and one or two digits shows its
// decimal mark beyond doubt (thousands come in threes); a file that shows
// both keeps the preset, and the amounts that disagree are refused.
class DecimalMarkEvidence {
public:
    void See(std::string_view amount);
    DecimalMark Decide(DecimalMark preset) const;

private:
    bool m_point = false;
    bool m_comma = false;
};

// A transaction amount: "" and cents set, or why it is refused.
std::string ReadTransactionAmount(std::string_view text, DecimalMark mark, std::int64_t& cents);

// "YYYYMMDD" of a real calendar date in years 1900..9999, else "".
std::string StoredDate(int year, int month, int day);

// A date as written in a QIF or CSV file: 1/15/26, 15.01.2026, 1/15'26,
// 2026-01-15, or with the month's English name: 15 Jan 2026, Jan 15, 2026,
// 15-Jan-26 (a time after it is ignored). Two-digit years 00..79 are
// 2000..2079 and 80..99 are 1980..1999, as the register reads them; the
// apostrophe form is always 2000 on. first and second are the day and the
// month in an order the file's other dates decide, unless orderKnown (then
// first is the month).
struct WrittenDate {
    int first = 0;
    int second = 0;
    int year = 0;
    bool orderKnown = false;  // year first, or the month by name: no question of order
};
std::optional<WrittenDate> SplitWrittenDate(std::string_view text);

// A file's day order: a date whose first part is above 12 makes the file
// day-first, else one whose second part is above 12 makes it month-first,
// else the program's date format decides.
DayOrder FileDayOrder(const std::vector<std::string_view>& dates, DayOrder preferred);

// The readers of QIF and CSV leave each transaction's date as written; this
// decides the file's day order and turns every date into YYYYMMDD, refusing
// a transaction whose date is missing or cannot be read (its date then "").
void SettleWrittenDates(std::vector<Statement>& statements, DayOrder preferred);
