// Amount texts come from the register and the two balance dialogs: the
// checks and cleaners must survive any bytes, and a cleaned text that is not
// refused must hold only what its rule allows and stay within its limits.
#include <cstdint>
#include <cstring>
#include <string>

#include "values/amount.h"

namespace {

void CheckCleaned(const std::string& text, bool allowMinus) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool ok = (c >= '0' && c <= '9') || c == '.' || (allowMinus && c == '-' && i == 0);
        if (!ok) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string typed = input.substr(0, input.find('\0'));

    HasInvalidEntryChars(typed.c_str());
    HasInvalidBalanceChars(typed.c_str());

    std::string entry = typed;
    if (!CleanEntryAmount(entry.data())) {
        entry.resize(std::strlen(entry.c_str()));
        CheckCleaned(entry, false);
        if (AmountValue(entry.c_str()) > kLargestEntry) __builtin_trap();
    }
    std::string start = typed;
    if (!CleanStartingBalance(start.data())) {
        start.resize(std::strlen(start.c_str()));
        CheckCleaned(start, true);
        const double v = AmountValue(start.c_str());
        if (v > kLargestEntry || v < kSmallestBalance) __builtin_trap();
    }
    std::string statement = typed;
    if (!CleanStatementBalance(statement.data())) {
        statement.resize(std::strlen(statement.c_str()));
        CheckCleaned(statement, true);
    }

    // Display of any amount value the bytes spell, with separators.
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        char shown[32];
        FormatBalance(shown, value);
        InsertThousandsSeparators(shown);
        if (std::strlen(shown) > 20) __builtin_trap();
    }
    return 0;
}
