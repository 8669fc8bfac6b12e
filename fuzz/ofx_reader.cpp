// Statement files come from anywhere the user downloads them: any bytes must
// give statements or a reason, never a read outside the input or a
// transaction the register could not hold.
#include <cstdint>
#include <string_view>

#include "import/ofx_reader.h"
#include "statement_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckStatementFile(ReadOfx(bytes));
    return 0;
}
