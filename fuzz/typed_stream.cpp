// The typed stream reader meets whatever an information file holds. Input:
// byte 0 gives the number of reads (1 to 16), the next bytes choose each
// read (long, double, string, bool), the rest is the stream. No read may
// go past the stream or allocate more than it holds, and writing back the
// values read must give exactly the bytes consumed.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "storage/exceptions.h"
#include "storage/memory_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    size_t reads = data[0] % 16 + 1;
    if (size < 1 + reads) return 0;
    const uint8_t* stream = data + 1 + reads;
    size_t streamSize = size - 1 - reads;

    MemoryDeSerializer reader(stream, streamSize);
    MemorySerializer writer;
    for (size_t i = 0; i < reads; ++i) {
        try {
            switch (data[1 + i] % 4) {
                case 0: writer.PutLong(static_cast<uint32_t>(reader.GetLong())); break;
                case 1: writer.PutDouble(reader.GetDouble()); break;
                case 2: {
                    std::string text = reader.GetString();
                    if (text.size() > streamSize) __builtin_trap();
                    writer.PutString(text);
                    break;
                }
                default: writer.PutBool(reader.GetBool()); break;
            }
        } catch (const ExceptionsDeSerializer& e) {
            if (e.Code() != ExceptionsDeSerializer::kShortRead &&
                e.Code() != ExceptionsDeSerializer::kBadBool)
                __builtin_trap();
            break;
        }
    }
    if (reader.Position() > streamSize) __builtin_trap();
    const std::vector<unsigned char>& again = writer.Bytes();
    // Failed reads may have consumed bytes that were not written back.
    if (again.size() > reader.Position()) __builtin_trap();
    if (!again.empty() && std::memcmp(again.data(), stream, again.size()) != 0) __builtin_trap();
    return 0;
}
