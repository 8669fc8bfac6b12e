// DeSerializer: the typed stream read from a file, value by value.
// Win32 (deserializer_win.cpp).
#pragma once

#include <cstdint>

#include "storage/typed_stream.h"

class DeSerializer : public TypedStreamReader {
public:
    // Throws ExceptionsDeSerializer code 0 when the file cannot be opened,
    // code 1 when its size cannot be read.
    explicit DeSerializer(const char* fileName);
    ~DeSerializer() override;
    DeSerializer(const DeSerializer&) = delete;
    DeSerializer& operator=(const DeSerializer&) = delete;

protected:
    ReadResult ReadBytes(void* bytes, std::uint32_t count) override;
    std::uint64_t BytesLeft() const override;

private:
    void* m_Handle = nullptr;
    std::uint32_t m_Size = 0;
    std::uint64_t m_Position = 0;
};
