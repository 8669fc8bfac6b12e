#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/wide_path_win.h"
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

// Our temporary files are "<target>.~lp<8 hex digits>.tmp": a name no user
// gives a file, and one that tells a leftover of this target from anything
// else in the folder.
constexpr char kTempInfix[] = ".~lp";
constexpr char kTempSuffix[] = ".tmp";
constexpr std::size_t kTempDigits = 8;
constexpr int kTempNameTries = 100;

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The part of a path after its folder.
std::string NamePart(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderPart(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A leftover of ours is removed, whatever attributes a crash left on it;
// one that is still open (another writer's) stays.
void RemoveLeftoverTempFiles(const std::string& target) {
    const std::string folder = FolderPart(target);
    const std::string pattern = target + kTempInfix + "*" + kTempSuffix;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(WidePath(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::string name = NarrowPath(found.cFileName);
        if (!IsAtomicFileTempName(target, name)) continue;
        const std::wstring leftover = WidePath(folder + name);
        SetFileAttributesW(leftover.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(leftover.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// Leftovers come from a run that ended in the middle of a write: looking
// once per target and run finds them all, and spares every later save a
// search of the folder.
bool FirstWriteOfTheRun(const std::string& target) {
    static std::vector<std::string> written;
    if (std::find(written.begin(), written.end(), target) != written.end()) return false;
    written.push_back(target);
    return true;
}

// A new number for each name tried: the process, the time and a counter,
// mixed so that names made close together differ in every digit.
std::uint32_t NextTempNumber() {
    static std::uint32_t counter = 0;
    std::uint32_t x = GetCurrentProcessId() * 0x9E3779B1u ^ GetTickCount() ^ (++counter * 0x85EBCA6Bu);
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    return x;
}

std::string TempName(const std::string& target, std::uint32_t number) {
    char digits[kTempDigits + 1];
    std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(number));
    return target + kTempInfix + digits + kTempSuffix;
}

// A file cannot be replaced while another program has it open. Virus
// scanners, indexers and backup tools open a file for a moment just after
// it changed, so a refused move is tried again for a short while before the
// save is reported as failed. The same scanners open our temporary file as
// soon as it is closed, so a first save, with no target yet, waits for it
// alike. A read-only target is refused at once.
constexpr int kMoveTries = 20;
constexpr DWORD kMoveRetryMs = 25;

bool MightBeHeldForAMoment(DWORD error, const std::wstring& target) {
    if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION)
        return false;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
    return !(attributes & FILE_ATTRIBUTE_READONLY);
}

BOOL MoveOverTarget(const std::string& tempPath, const std::string& targetPath) {
    const std::wstring temp = WidePath(tempPath);
    const std::wstring target = WidePath(targetPath);
    for (int tries = 1;; ++tries) {
        if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return TRUE;
        const DWORD error = GetLastError();
        if (tries == kMoveTries || !MightBeHeldForAMoment(error, target)) {
            SetLastError(error);
            return FALSE;
        }
        Sleep(kMoveRetryMs);
    }
}

}  // namespace

bool IsAtomicFileTempName(const std::string& target, const std::string& name) {
    // Compared as the file system sees names: in UTF-16, without regard to
    // case, in any script.
    const std::wstring prefix = WidePath(NamePart(target) + kTempInfix);
    const std::wstring wide = WidePath(name);
    const std::wstring suffix = WidePath(kTempSuffix);
    if (prefix.empty() || wide.size() != prefix.size() + kTempDigits + suffix.size()) return false;
    if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, wide.c_str(), static_cast<int>(prefix.size()),
                       prefix.c_str(), static_cast<int>(prefix.size())) != CSTR_EQUAL)
        return false;
    for (std::size_t i = prefix.size(); i < prefix.size() + kTempDigits; ++i)
        if (wide[i] > 0x7F || !IsHexDigit(static_cast<char>(wide[i]))) return false;
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, wide.c_str() + wide.size() - suffix.size(),
                          static_cast<int>(suffix.size()), suffix.c_str(),
                          static_cast<int>(suffix.size())) == CSTR_EQUAL;
}

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
    m_Temp.clear();
    if (m_Target.empty() || g_faults.failCreate) {
        m_Error = m_Target.empty() ? ERROR_INVALID_NAME : ERROR_ACCESS_DENIED;
        SetLastError(m_Error);
        return false;
    }
    if (FirstWriteOfTheRun(m_Target)) RemoveLeftoverTempFiles(m_Target);
    // CREATE_NEW: a file that already has the name, however unlikely, is
    // never overwritten; another name is tried instead.
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (int tries = 0; tries < kTempNameTries && handle == INVALID_HANDLE_VALUE; ++tries) {
        m_Temp = TempName(m_Target, NextTempNumber());
        handle = CreateFileW(WidePath(m_Temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
        if (handle == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS &&
            GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    if (handle == INVALID_HANDLE_VALUE) {
        m_Error = GetLastError();
        m_Temp.clear();
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
    if (g_faults.beforeMove) g_faults.beforeMove(m_Temp);
    BOOL moved = g_faults.failMove ? InjectedFailure(ERROR_ACCESS_DENIED) : MoveOverTarget(m_Temp, m_Target);
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
        DeleteFileW(WidePath(m_Temp).c_str());
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
