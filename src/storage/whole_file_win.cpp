#include <windows.h>

#include <algorithm>

#include "storage/file_messages.h"
#include "storage/last_error.h"
#include "storage/whole_file.h"

namespace {

// The most one ReadFile is asked for.
constexpr std::uint64_t kLargestRead = 1u << 30;

FileReadFaults g_faults;
int g_readCount = 0;
bool g_atEnd = false;  // a short read was injected: the file seems to end

// ReadFile, or the failure a test asked for.
BOOL ReadOnce(HANDLE file, unsigned char* bytes, DWORD count, DWORD* read) {
    *read = 0;
    if (g_faults.failReadNumber == 0) return ReadFile(file, bytes, count, read, nullptr);
    if (g_atEnd) return TRUE;
    if (++g_readCount != g_faults.failReadNumber) return ReadFile(file, bytes, count, read, nullptr);
    if (!g_faults.shortRead) {
        SetLastError(ERROR_READ_FAULT);
        return FALSE;
    }
    g_atEnd = true;
    return ReadFile(file, bytes, count / 2, read, nullptr);
}

}  // namespace

void SetFileReadFaultsForTesting(const FileReadFaults& faults) {
    g_faults = faults;
    g_readCount = 0;
    g_atEnd = false;
}

void ClearFileReadFaultsForTesting() { SetFileReadFaultsForTesting(FileReadFaults{}); }

std::string WholeFileRead::Reason() const {
    // A file too large to be ours would not fit in memory as a whole.
    if (tooLarge) return SystemErrorText(ERROR_NOT_ENOUGH_MEMORY);
    if (error != 0) return SystemErrorText(error);
    return ShortReadReason(read, size);
}

WholeFileRead ReadWholeFile(void* file, std::uint64_t limit,
                            const std::function<unsigned char*(std::size_t size)>& reserve) {
    WholeFileRead result;
    const HANDLE handle = static_cast<HANDLE>(file);
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(handle, &length) || length.QuadPart < 0) {
        result.error = GetLastError();
        return result;
    }
    result.size = static_cast<std::uint64_t>(length.QuadPart);
    if (result.size > limit) {
        result.tooLarge = true;
        return result;
    }
    if (result.size == 0) return result;
    unsigned char* bytes = reserve(static_cast<std::size_t>(result.size));
    if (bytes == nullptr) {
        result.error = ERROR_NOT_ENOUGH_MEMORY;
        return result;
    }
    while (result.read < result.size) {
        const auto count = static_cast<DWORD>(std::min(result.size - result.read, kLargestRead));
        DWORD read = 0;
        if (!ReadOnce(handle, bytes + result.read, count, &read)) {
            result.error = GetLastError();
            break;
        }
        if (read == 0) break;  // the file ended before its size
        result.read += read;
    }
    return result;
}
