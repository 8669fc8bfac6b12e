#include "values/amount.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Removes in place every character that keep() refuses; position is the
// character's index in the original text.
template <typename Keep>
void RemoveUnless(char* text, Keep keep) {
    char* out = text;
    for (const char* in = text; *in != '\0'; ++in) {
        if (keep(*in, in - text))
            *out++ = *in;
    }
    *out = '\0';
}

// Cleans a balance dialog text and checks it against [lowest, highest].
bool CleanBalance(char* text, double lowest, double highest) {
    if (text == nullptr)
        return false;
    RemoveUnless(text, [](char c, std::ptrdiff_t pos) {
        return IsDigit(c) || c == '.' || (c == '-' && pos == 0);
    });
    const double value = AmountValue(text);
    return value > highest || value < lowest;
}

// Moves the tail that starts at pos one place right and puts a comma at pos.
void InsertCommaAt(char* text, std::size_t length, std::size_t pos) {
    std::memmove(text + pos + 1, text + pos, length - pos + 1);
    text[pos] = ',';
}

bool NeedsFirstComma(std::size_t length, bool negative) {
    return negative ? length >= 8 : length > 6;
}

bool NeedsSecondComma(std::size_t length, bool negative) {
    return negative ? length >= 12 : length > 10;
}

} // namespace

void FormatAmount(char* out, std::size_t size, double amount) {
    if (out != nullptr && size > 0)
        std::snprintf(out, size, "%1.2f", amount);
}

void FormatBalance(char* out, std::size_t size, double amount) {
    if (out == nullptr || size == 0)
        return;
    if (amount > kLargestBalance)
        std::snprintf(out, size, "%s", kOverflowPositive);
    else if (amount < kSmallestBalance)
        std::snprintf(out, size, "%s", kOverflowNegative);
    else
        FormatAmount(out, size, amount);
}

char* InsertThousandsSeparators(char* text, std::size_t size) {
    if (text == nullptr)
        return text;
    std::size_t length = 0;
    while (length < size && text[length] != '\0')
        ++length;
    if (length >= size)
        return text; // not terminated inside its buffer: leave it alone

    const bool negative = text[0] == '-';
    const bool first = NeedsFirstComma(length, negative);
    const bool second = first && NeedsSecondComma(length + 1, negative);
    // Half-grouped digits would mislead, so group fully or not at all.
    if (length + first + second + 1 > size)
        return text;
    if (first) {
        InsertCommaAt(text, length, length - 6);
        ++length;
    }
    if (second)
        InsertCommaAt(text, length, length - 10);
    return text;
}

bool HasInvalidEntryChars(const char* text) {
    if (text == nullptr)
        return false;
    for (; *text != '\0'; ++text) {
        const char c = *text;
        if (!IsDigit(c) && c != '.' && c != ',' && c != ' ')
            return true;
    }
    return false;
}

bool CleanEntryAmount(char* text) {
    if (text == nullptr)
        return false;
    RemoveUnless(text, [](char c, std::ptrdiff_t) { return IsDigit(c) || c == '.'; });
    return AmountValue(text) > kLargestEntry;
}

bool HasInvalidBalanceChars(const char* text) {
    if (text == nullptr)
        return false;
    for (const char* p = text; *p != '\0'; ++p) {
        const char c = *p;
        if (IsDigit(c) || c == '.' || c == ',' || (c == '-' && p == text))
            continue;
        return true;
    }
    return false;
}

bool CleanStartingBalance(char* text) {
    return CleanBalance(text, kSmallestBalance, kLargestEntry);
}

bool CleanStatementBalance(char* text) {
    return CleanBalance(text, kSmallestBalance, kLargestBalance);
}

double AmountValue(const char* cleaned) {
    // Cleaned texts hold only digits, points and a leading '-', so strtod
    // reads exactly "digits, optional point, digits" and stops there.
    return cleaned == nullptr ? 0.0 : std::strtod(cleaned, nullptr);
}
