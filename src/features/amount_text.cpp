#include "features/amount_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Below this magnitude the cents of a double are exact enough that a
// product a * 100 decides the rounding, except right at a half cent.
constexpr double kFastLimit = 1e9;
// How close to a half cent the product may come before the C library has
// to decide (the product is off by far less than this below kFastLimit).
constexpr double kTieMargin = 1e-4;

std::size_t Fallback(char* out, std::size_t size, double amount) {
    const int n = std::snprintf(out, size, "%1.2f", amount);
    if (n < 0) {
        out[0] = '\0';
        return 0;
    }
    return static_cast<std::size_t>(n) < size ? static_cast<std::size_t>(n) : size - 1;
}

}  // namespace

std::size_t FormatAmountText(char* out, std::size_t size, double amount) {
    if (out == nullptr || size == 0)
        return 0;
    const double magnitude = std::fabs(amount);
    if (!(magnitude < kFastLimit))  // also NaN and the infinities
        return Fallback(out, size, amount);
    const double scaled = magnitude * 100.0;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) < kTieMargin)
        return Fallback(out, size, amount);
    const unsigned long long cents =
        static_cast<unsigned long long>(whole) + (fraction > 0.5 ? 1 : 0);
    // Negative amounts that round to zero print as "-0.00" in one C library
    // and "0.00" in another: leave that to the library in use.
    const bool negative = std::signbit(amount);
    if (negative && cents == 0)
        return Fallback(out, size, amount);

    char digits[kAmountTextCapacity];
    std::size_t length = 0;
    unsigned long long rest = cents;
    // Two decimals, the point, then at least one whole digit.
    for (int i = 0; i < 2; ++i, rest /= 10)
        digits[length++] = static_cast<char>('0' + rest % 10);
    digits[length++] = '.';
    do {
        digits[length++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (negative)
        digits[length++] = '-';

    std::size_t written = 0;
    while (length > 0 && written + 1 < size)
        out[written++] = digits[--length];
    out[written] = '\0';
    return written;
}
