#include <windows.h>

#include "storage/atomic_file.h"

namespace {

AtomicFileFaults g_faults;
int g_writeCount = 0;

HANDLE AsHandle(void* handle) {
    return static_cast<HANDLE>(handle);
}

// Injected failures look to the caller like the real ones: FALSE and an
// error code in GetLastError.
BOOL InjectedFailure(DWORD error) {
    SetLastError(error);
    return FALSE;
}

}  // namespace

void SetAtomicFileFaultsForTesting(const AtomicFileFaults& faults) {
    g_faults = faults;
    g_writeCount = 0;
}

void ClearAtomicFileFaultsForTesting() {
    SetAtomicFileFaultsForTesting(AtomicFileFaults{});
}

bool AtomicFileWriter::Open(const char* target) {
    Abandon();
    m_Error = 0;
    m_Broken = false;
    m_Target = target ? target : "";
    m_Temp = m_Target + ".tmp";
    if (m_Target.empty() || g_faults.failCreate) {
        m_Error = m_Target.empty() ? ERROR_INVALID_NAME : ERROR_ACCESS_DENIED;
        SetLastError(m_Error);
        return false;
    }
    // A temporary file left behind by a crash may carry odd attributes.
    SetFileAttributesA(m_Temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE handle = CreateFileA(m_Temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        m_Error = GetLastError();
        SetLastError(m_Error);
        return false;
    }
    m_Handle = handle;
    m_TempCreated = true;
    return true;
}

bool AtomicFileWriter::Write(const void* bytes, std::uint32_t count, std::uint32_t* written) {
    DWORD done = 0;
    BOOL ok;
    if (!m_Handle) {
        ok = InjectedFailure(ERROR_INVALID_HANDLE);
    } else if (++g_writeCount == g_faults.failWriteNumber && !g_faults.shortWrite) {
        ok = InjectedFailure(ERROR_DISK_FULL);
    } else {
        DWORD asked = g_writeCount == g_faults.failWriteNumber ? count / 2 : count;
        ok = WriteFile(AsHandle(m_Handle), bytes, asked, &done, nullptr);
    }
    if (written) *written = done;
    if (!ok) m_Error = GetLastError();
    else if (done != count) m_Error = ERROR_DISK_FULL;
    // An incomplete file must never replace the target.
    if (!ok || done != count) m_Broken = true;
    return ok != FALSE;
}

bool AtomicFileWriter::Commit() {
    if (!m_Handle || m_Broken) {
        if (!m_Error) m_Error = ERROR_INVALID_HANDLE;
        return Fail();
    }
    HANDLE handle = AsHandle(m_Handle);
    BOOL flushed = g_faults.failFlush ? InjectedFailure(ERROR_DISK_FULL) : FlushFileBuffers(handle);
    if (!flushed) {
        m_Error = GetLastError();
        return Fail();
    }
    m_Handle = nullptr;
    if (!CloseHandle(handle)) {
        m_Error = GetLastError();
        return Fail();
    }
    BOOL moved = g_faults.failMove
                     ? InjectedFailure(ERROR_ACCESS_DENIED)
                     : MoveFileExA(m_Temp.c_str(), m_Target.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!moved) {
        m_Error = GetLastError();
        return Fail();
    }
    m_TempCreated = false;
    return true;
}

bool AtomicFileWriter::Fail() {
    unsigned long error = m_Error;
    Abandon();
    m_Error = error;
    SetLastError(error);
    return false;
}

void AtomicFileWriter::Abandon() {
    if (m_Handle) {
        CloseHandle(AsHandle(m_Handle));
        m_Handle = nullptr;
    }
    if (m_TempCreated) {
        DeleteFileA(m_Temp.c_str());
        m_TempCreated = false;
    }
}

bool ReplaceFileContents(const char* path, const void* bytes, std::size_t size,
                         unsigned long* error) {
    AtomicFileWriter writer;
    bool ok = writer.Open(path);
    const auto* next = static_cast<const unsigned char*>(bytes);
    while (ok && size > 0) {
        std::uint32_t chunk = size > 0x40000000u ? 0x40000000u : static_cast<std::uint32_t>(size);
        std::uint32_t written = 0;
        ok = writer.Write(next, chunk, &written) && written == chunk;
        next += chunk;
        size -= chunk;
    }
    ok = ok && writer.Commit();
    if (!ok) writer.Abandon();
    if (error) *error = ok ? 0 : writer.LastError();
    return ok;
}
