// Money amounts: limits, checking and cleaning of typed amount texts, and
// the display form with thousands separators.
#pragma once

#include <cstddef>

// Limits, compared as doubles.
inline constexpr double kLargestEntry = 999999.99;      // payment, deposit, starting balance
inline constexpr double kLargestBalance = 9999999.99;   // displayable; statement balance
inline constexpr double kSmallestBalance = -9999999.99; // displayable; both balance dialogs

// What a balance outside the displayable range shows.
inline constexpr const char kOverflowPositive[] = "*******.**";
inline constexpr const char kOverflowNegative[] = "-*******.**";

// Display texts are at most 13 characters ("-9,999,999.99"): 11 from
// FormatBalance plus two commas. This size holds that with room to spare.
inline constexpr std::size_t kAmountTextSize = 24;

inline constexpr const char kAmountErrorTitle[] = "Amount Error";
inline constexpr const char kEntryAmountError[] =
    "Enter an amount from 0 to 999,999.99\nin the following format 000,000.00.";
inline constexpr const char kStartingBalanceError[] =
    "Enter a valid amount in the following\nformat 000,000.00.";
inline constexpr const char kStatementBalanceError[] =
    "Enter a valid amount in the following\nformat 0,000,000.00.";

// "%1.2f" of the amount, no commas. Output is cut to fit size.
void FormatAmount(char* out, std::size_t size, double amount);
// The overflow text outside the displayable range, else FormatAmount.
void FormatBalance(char* out, std::size_t size, double amount);
// Inserts up to two commas into a FormatAmount/FormatBalance text, in
// place; returns text. A comma that would not fit in size is left out.
char* InsertThousandsSeparators(char* text, std::size_t size);

template <std::size_t N> void FormatAmount(char (&out)[N], double amount) { FormatAmount(out, N, amount); }
template <std::size_t N> void FormatBalance(char (&out)[N], double amount) { FormatBalance(out, N, amount); }
template <std::size_t N> char* InsertThousandsSeparators(char (&text)[N]) { return InsertThousandsSeparators(text, N); }

// Register Payment/Deposit text: only digits, '.', ',' and ' ' allowed.
bool HasInvalidEntryChars(const char* text);
// Keeps digits and '.'; true (error) when the value exceeds kLargestEntry.
bool CleanEntryAmount(char* text);

// Balance dialog text: digits, '.', ',' and a leading '-' allowed.
bool HasInvalidBalanceChars(const char* text);
// Keeps digits, '.' and a leading '-'; true (error) when the value is
// above kLargestEntry or below kSmallestBalance.
bool CleanStartingBalance(char* text);
// As CleanStartingBalance with the upper limit kLargestBalance.
bool CleanStatementBalance(char* text);

// Value of a cleaned amount text as the C library reads it: leading
// digits, an optional point and digits; the rest is ignored; empty is 0.
double AmountValue(const char* cleaned);
