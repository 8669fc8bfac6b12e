#include "storage/memory_stream.h"

#include <cstring>

void MemorySerializer::FailWrite(int number, bool shortWrite) {
    m_FailAt = number;
    m_ShortWrite = shortWrite;
}

TypedStreamWriter::WriteResult MemorySerializer::WriteBytes(const void* bytes, std::uint32_t count) {
    const auto* begin = static_cast<const unsigned char*>(bytes);
    if (++m_WriteCount == m_FailAt) {
        if (!m_ShortWrite) return WriteResult::Failed;
        m_Bytes.insert(m_Bytes.end(), begin, begin + count / 2);
        return WriteResult::Short;
    }
    m_Bytes.insert(m_Bytes.end(), begin, begin + count);
    return WriteResult::Written;
}

MemoryDeSerializer::MemoryDeSerializer(const void* bytes, std::size_t size)
    : m_Bytes(static_cast<const unsigned char*>(bytes)), m_Size(bytes ? size : 0) {}

TypedStreamReader::ReadResult MemoryDeSerializer::ReadBytes(void* bytes, std::uint32_t count) {
    if (++m_ReadCount == m_FailAt) return ReadResult::Failed;
    std::size_t available = m_Size - m_Position;
    std::size_t taken = count < available ? count : available;
    if (taken) std::memcpy(bytes, m_Bytes + m_Position, taken);
    m_Position += taken;
    return taken == count ? ReadResult::Read : ReadResult::Short;
}
