// The account-information reader on arbitrary bytes, through the memory
// reader: a damaged or crafted information file may only end in one of the
// stream's own exceptions, never in a crash, an over-read or a huge
// allocation; whatever it accepts must write back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "storage/account_info.h"
#include "storage/exceptions.h"
#include "storage/memory_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    AccountInfo info;
    AccountInfo::ClearFields();
    MemoryDeSerializer reader(data, size);
    try {
        info.DeSerialize(reader);
    } catch (const ExceptionBase&) {
        return 0;
    }
    if (reader.Position() > size) std::abort();
    MemorySerializer writer;
    info.Serialize(writer);
    const auto& written = writer.Bytes();
    if (written.size() != reader.Position()) std::abort();
    for (std::size_t i = 0; i < written.size(); ++i)
        if (written[i] != data[i]) std::abort();
    return 0;
}
