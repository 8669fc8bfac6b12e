#include <windows.h>

#include "base/wide_path_win.h"
#include "storage/exceptions.h"
#include "base/log.h"
#include "storage/serializer.h"

Serializer::Serializer(const char* fileName, unsigned long* error) : m_Error(error) {
    // A read-only or hidden file of that name is replaced all the same.
    if (!SetFileAttributesW(WidePath(fileName).c_str(), FILE_ATTRIBUTE_NORMAL))
        WriteLog("Serializer::Serializer: SetFileAttributes: error %i", static_cast<int>(GetLastError()));
    if (!m_File.Open(fileName)) {
        KeepError();
        throw ExceptionsSerializer(ExceptionsSerializer::kCannotCreate);
    }
}

void Serializer::KeepError() {
    if (m_Error) *m_Error = m_File.LastError();
}

void Serializer::Commit() {
    if (!m_File.Commit()) {
        WriteLog("Serializer::Commit: the file was not replaced, error %i",
                 static_cast<int>(m_File.LastError()));
        KeepError();
        throw ExceptionsSerializer(ExceptionsSerializer::kWriteFailed);
    }
}

TypedStreamWriter::WriteResult Serializer::WriteBytes(const void* bytes, std::uint32_t count) {
    std::uint32_t written = 0;
    const bool ok = m_File.Write(bytes, count, &written);
    if (!ok || written != count) KeepError();
    if (!ok) return WriteResult::Failed;
    return written == count ? WriteResult::Written : WriteResult::Short;
}
