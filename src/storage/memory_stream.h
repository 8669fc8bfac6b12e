// The typed stream on memory: for tests and fuzzing, and for building a
// file image that is then written in one piece.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "storage/typed_stream.h"

class MemorySerializer : public TypedStreamWriter {
public:
    const std::vector<unsigned char>& Bytes() const { return m_Bytes; }

    // Tests: the write with this number (1 = the first byte write of this
    // object) fails (code 1), or with shortWrite stores half and comes up
    // short (code 2). 0 switches it off.
    void FailWrite(int number, bool shortWrite = false);

protected:
    WriteResult WriteBytes(const void* bytes, std::uint32_t count) override;

private:
    std::vector<unsigned char> m_Bytes;
    int m_WriteCount = 0;
    int m_FailAt = 0;
    bool m_ShortWrite = false;
};

// Reads from bytes it does not own; they must outlive the reader.
class MemoryDeSerializer : public TypedStreamReader {
public:
    MemoryDeSerializer(const void* bytes, std::size_t size);
    explicit MemoryDeSerializer(const std::vector<unsigned char>& bytes)
        : MemoryDeSerializer(bytes.data(), bytes.size()) {}

    std::size_t Position() const { return m_Position; }

    // Tests: the read with this number (1 = the first) fails (code 2).
    void FailRead(int number) { m_FailAt = number; }

protected:
    ReadResult ReadBytes(void* bytes, std::uint32_t count) override;
    std::uint64_t BytesLeft() const override { return m_Size - m_Position; }

private:
    const unsigned char* m_Bytes;
    std::size_t m_Size;
    std::size_t m_Position = 0;
    int m_ReadCount = 0;
    int m_FailAt = 0;
};
