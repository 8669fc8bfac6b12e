// Amount texts for the features that format many amounts at once (Find
// searches every payment and deposit, export writes every balance). The
// result is exactly what snprintf "%1.2f" gives, only without its cost for
// the ordinary amounts of a checkbook.
#pragma once

#include <cstddef>

// Longest text: a sign, 16 digits, a point and two decimals, with room for
// the two commas of InsertThousandsSeparators; larger values go through
// snprintf and are cut to fit.
inline constexpr std::size_t kAmountTextCapacity = 40;

// Writes "%1.2f" of amount into out (cut to fit size) and returns the
// length written.
std::size_t FormatAmountText(char* out, std::size_t size, double amount);
template <std::size_t N> std::size_t FormatAmountText(char (&out)[N], double amount) {
    return FormatAmountText(out, N, amount);
}
