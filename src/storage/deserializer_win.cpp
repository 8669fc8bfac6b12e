#include <windows.h>

#include "base/wide_path_win.h"
#include "storage/deserializer.h"
#include "storage/exceptions.h"
#include "base/log.h"

DeSerializer::DeSerializer(const char* fileName) {
    HANDLE handle = CreateFileW(WidePath(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) throw ExceptionsDeSerializer(ExceptionsDeSerializer::kCannotOpen);
    DWORD size = GetFileSize(handle, nullptr);
    if (size == INVALID_FILE_SIZE) {
        CloseHandle(handle);  // no destructor runs for a constructor that throws
        throw ExceptionsDeSerializer(ExceptionsDeSerializer::kNoFileSize);
    }
    m_Handle = handle;
    m_Size = size;
}

DeSerializer::~DeSerializer() {
    if (m_Handle && !CloseHandle(static_cast<HANDLE>(m_Handle)))
        WriteLog("DeSerializer::~DeSerializer CloseHandle failed error %i", static_cast<int>(GetLastError()));
}

TypedStreamReader::ReadResult DeSerializer::ReadBytes(void* bytes, std::uint32_t count) {
    DWORD read = 0;
    if (!ReadFile(static_cast<HANDLE>(m_Handle), bytes, count, &read, nullptr)) return ReadResult::Failed;
    m_Position += read;
    return read == count ? ReadResult::Read : ReadResult::Short;
}

std::uint64_t DeSerializer::BytesLeft() const {
    return m_Position < m_Size ? m_Size - m_Position : 0;
}
