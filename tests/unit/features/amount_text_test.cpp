// The quick amount texts must be exactly what the C library's "%1.2f"
// gives, on whichever library the program runs with (this test also runs
// under Wine), including the half-cent ties and negative zero.
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "features/amount_text.h"

namespace {

// As snprintf gives it in a buffer of the same size.
std::string Library(double amount) {
    char text[kAmountTextCapacity];
    std::snprintf(text, sizeof text, "%1.2f", amount);
    return text;
}

std::string Quick(double amount) {
    char text[kAmountTextCapacity];
    const std::size_t length = FormatAmountText(text, amount);
    EXPECT_EQ(length, std::string(text).size()) << amount;
    return text;
}

TEST(AmountText, MatchesTheLibraryOnChosenValues) {
    const double values[] = {
        0.0, -0.0, 0.001, -0.001, 0.004999, 0.005, 0.015, 0.025, 0.125, 0.375, 1.005, 2.675,
        12.5, 12.345, -12.345, 999999.99, 1000000.0, 1234567.89, -1234567.89, 9999999.99,
        -9999999.99, 10000000.0, 0.1 + 0.2, 99.995, 1e9 - 0.005, 1e9, 1e12 + 0.5, -1e15, 1e300,
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::denorm_min(),
    };
    for (double v : values)
        EXPECT_EQ(Quick(v), Library(v)) << "value " << v;
}

TEST(AmountText, MatchesTheLibraryOnManyAmounts) {
    std::mt19937_64 random(20240501);
    std::uniform_int_distribution<long long> cents(-999999999LL, 999999999LL);
    std::uniform_real_distribution<double> anyAmount(-2e7, 2e7);
    for (int i = 0; i < 50000; ++i) {
        // Typed amounts (whole cents, with their binary error), sums of
        // them, half cents, and arbitrary doubles.
        const double typed = static_cast<double>(cents(random)) / 100.0;
        const double half = (static_cast<double>(cents(random)) + 0.5) / 100.0;
        const double any = anyAmount(random);
        for (double v : {typed, typed + 0.1, half, any}) {
            ASSERT_EQ(Quick(v), Library(v)) << "value " << v;
        }
    }
}

TEST(AmountText, CutsToTheBufferLikeTheLibrary) {
    char small[5];
    EXPECT_EQ(FormatAmountText(small, 1234.5), 4u);
    EXPECT_STREQ(small, "1234");
    char one[1];
    EXPECT_EQ(FormatAmountText(one, 7.0), 0u);
    EXPECT_STREQ(one, "");
}

}  // namespace
