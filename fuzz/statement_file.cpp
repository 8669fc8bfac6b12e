// The whole road of an opened statement file: telling OFX, QIF and CSV apart
// (UTF-16 included) and reading it, whatever the bytes. The first byte picks
// the date order the program's settings would prefer.
#include <cstdint>
#include <string_view>

#include "import/statement.h"
#include "statement_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (size == 0) return 0;
    const DayOrder preferred = data[0] % 2 ? DayOrder::DayFirst : DayOrder::MonthFirst;
    CheckStatementFile(ReadStatementFile(bytes.substr(1), preferred));
    return 0;
}
