// Typed dates come straight from the user: any bytes, in every format, must
// parse or be refused without touching memory outside the input, and a date of
// the two-digit-year window must come back from its display form unchanged.
#include <cstdint>
#include <cstring>
#include <string>

#include "values/date.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int format = data[0] % kDateFormatCount;
    std::string typed(reinterpret_cast<const char*>(data + 1), size - 1);
    Date date;
    date.SetDateFormat(format);
    std::string buffer = typed;  // Parse writes terminators into its input
    if (!date.Parse(buffer.data())) return 0;
    std::string stored = date.GetText();
    if (stored.size() != 8) __builtin_trap();
    const int year = date.GetYear();
    if (year < 1980 || year > 2079) return 0;  // display keeps two year digits
    std::string shown = date.ToDisplay(stored.c_str());
    if (!date.Parse(shown.data()) || stored != date.GetText()) __builtin_trap();
    return 0;
}
