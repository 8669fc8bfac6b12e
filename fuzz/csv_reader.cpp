// Statement files come from anywhere the user downloads them: any bytes must
// give statements or a reason, never a read outside the input or a
// transaction the register could not hold. The first byte picks the date
// order the program's settings would prefer.
#include <cstdint>
#include <string_view>

#include "import/csv_reader.h"
#include "statement_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (size == 0) return 0;
    const DayOrder preferred = data[0] % 2 ? DayOrder::DayFirst : DayOrder::MonthFirst;
    CheckStatementFile(ReadCsv(bytes.substr(1), preferred));
    return 0;
}
