#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "base/wide_path_win.h"
#include "storage/account_image.h"
#include "storage/atomic_file.h"
#include "base/bounded_text.h"
#include "storage/data_file.h"
#include "storage/save_attempt.h"
#include "base/log.h"

DataFile g_DataFile;

namespace {

// Large images go down in pieces WriteFile can take in one call.
constexpr std::size_t kLargestWrite = 1u << 30;

HANDLE AsHandle(void* handle) { return static_cast<HANDLE>(handle); }

// Whole file into a buffer of its own, which the account keeps as the
// memory of its records. A file too large for an account is not read (the
// image stays empty and is refused as damaged).
WholeFileRead ReadImage(HANDLE file, std::unique_ptr<unsigned char[]>& bytes, std::size_t& size) {
    size = 0;
    const WholeFileRead read = ReadWholeFile(file, kLargestAccountFile, [&](std::size_t wanted) {
        bytes.reset(new (std::nothrow) unsigned char[wanted ? wanted : 1]);
        return bytes.get();
    });
    if (read.Complete()) size = static_cast<std::size_t>(read.read);
    return read;
}

// Creating the account file afresh is refused for a read-only file, and so
// must be putting a new one in its place (Wine would allow the move).
bool IsReadOnly(const char* path) {
    const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    SetLastError(ERROR_ACCESS_DENIED);
    return true;
}

}  // namespace

bool DataFile::TakeName(const char* name) {
    // A cut name would be another file: a name that does not fit is refused.
    if (CopyBounded(m_FileName, name)) return true;
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
}

bool DataFile::OpenFileForReading(const char* name) {
    CloseFile();
    m_CreationDisposition = OPEN_EXISTING;
    HANDLE file = INVALID_HANDLE_VALUE;
    if (TakeName(name)) {
        if (!SetFileAttributesW(WidePath(m_FileName).c_str(), FILE_ATTRIBUTE_NORMAL))
            WriteLog("DataFile::OpenFileForReading: SetFileAttributes: error %i",
                     static_cast<int>(GetLastError()));
        file = CreateFileW(WidePath(m_FileName).c_str(), m_DesiredAccess, m_ShareMode, nullptr,
                           m_CreationDisposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (file != INVALID_HANDLE_VALUE) {
        m_hFile = file;
        return true;
    }
    WriteLog("DataFile::OpenFileForReading: CreateFile: m_hFile %i, error %i\n%s",
             static_cast<int>(reinterpret_cast<INT_PTR>(file)), static_cast<int>(GetLastError()),
             name ? name : "");
    m_hFile = nullptr;
    return false;
}

void DataFile::CloseFile() {
    if (m_hFile == nullptr) return;
    if (!CloseHandle(AsHandle(m_hFile)))
        WriteLog("DataFile::CloseFile: nResult %i, error %i",
                 static_cast<int>(reinterpret_cast<INT_PTR>(m_hFile)),
                 static_cast<int>(GetLastError()));
    m_hFile = nullptr;
}

bool DataFile::ReadBlock(void* block) {
    std::memset(block, 0, kBlockSize);
    DWORD read = 0;
    return m_hFile != nullptr &&
           ReadFile(AsHandle(m_hFile), block, kBlockSize, &read, nullptr) && read == kBlockSize;
}

bool DataFile::ReadAccountData(AccountHeader& header) {
    const bool whole = ReadBlock(&header);
    TerminateTextFields(header);
    return whole;
}

bool DataFile::FileExists(const char* name) {
    return name != nullptr && GetFileAttributesW(WidePath(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

AccountReadResult DataFile::ReadAccountFile(const char* name, Account& account) {
    m_RecordCount = 0;
    m_ReadFailure.clear();
    if (!OpenFileForReading(name)) return AccountReadResult::CannotOpen;
    std::unique_ptr<unsigned char[]> bytes;
    std::size_t size = 0;
    const WholeFileRead read = ReadImage(AsHandle(m_hFile), bytes, size);
    CloseFile();
    // Taking what arrived would open the account short of records, and the
    // next save would make that loss permanent.
    if (!read.Complete() && !read.tooLarge) {
        WriteLog("DataFile::ReadAccountFile: %llu of %llu bytes read, error %lu\n%s", read.read, read.size,
                 read.error, m_FileName);
        m_ReadFailure = read.Reason();
        return AccountReadResult::ReadFailed;
    }

    // Refused before the open account is let go: it stays as it was, and
    // nothing of the damaged file is shown or written back.
    if (IsAccountFileImage(bytes.get(), size)) {
        if (const AmountDamage damage = FindDamagedAmount(bytes.get(), size)) {
            m_ReadFailure = AmountDamageReason(damage);
            WriteLog("DataFile::ReadAccountFile: %s\n%s", m_ReadFailure.c_str(), m_FileName);
            return AccountReadResult::DamagedAmount;
        }
    }

    bool loaded = false;
    try {
        loaded = LoadAccountImage(std::move(bytes), size, account);
    } catch (const std::bad_alloc&) {
        account.ClearAccount();  // no half-built account
        WriteLog("DataFile::ReadAccountFile: out of memory for %s", m_FileName);
    }
    if (!loaded) return AccountReadResult::NotAccountFile;
    m_RecordCount = static_cast<std::uint32_t>(CountRecordBlocks(size));
    return AccountReadResult::Read;
}

SaveResult DataFile::SaveFailed(const char* name, unsigned long error) const {
    return SaveAttempt::RecordFailure(name ? name : "", error);
}

SaveResult DataFile::WriteAccountFile(const char* name, Account& account) {
    m_RecordCount = 0;
    CloseFile();
    m_CreationDisposition = CREATE_ALWAYS;

    AtomicFileWriter file;
    unsigned long error = 0;
    if (!TakeName(name)) error = ERROR_INVALID_NAME;
    else if (IsReadOnly(m_FileName)) error = ERROR_ACCESS_DENIED;
    else if (!file.Open(m_FileName)) error = file.LastError();
    if (error != 0) {
        WriteLog("DataFile::OpenFileForWriting: CreateFile: error %i\n%s", static_cast<int>(error),
                 name ? name : "");
        return SaveFailed(name, error);
    }

    // The image goes down in as few writes as the records' places in memory
    // allow (the format is one block after another, so this is byte for
    // byte the same file as block-by-block writes).
    std::size_t total = 0;
    bool wrote = false;
    try {
        wrote = WriteAccountImage(account, m_Staging, [&](const unsigned char* bytes, std::size_t size) {
            for (std::size_t at = 0; at < size;) {
                const auto chunk = static_cast<std::uint32_t>(std::min(size - at, kLargestWrite));
                std::uint32_t written = 0;
                const bool ok = file.Write(bytes + at, chunk, &written);
                if (!ok || written != chunk) {
                    WriteLog("DataFile::write bResult %i lpNumberOfBytesWritten %i", ok ? 1 : 0,
                             static_cast<int>(written));
                    return false;
                }
                at += chunk;
            }
            total += size;
            return true;
        });
    } catch (const std::bad_alloc&) {
        WriteLog("DataFile::WriteAccountFile: out of memory for %s", name ? name : "");
        return SaveFailed(name, ERROR_NOT_ENOUGH_MEMORY);  // the writer removes its temporary file
    }
    if (!wrote) return SaveFailed(name, file.LastError());  // the writer removes its temporary file
    if (!file.Commit()) {
        WriteLog("DataFile::WriteAccountFile: replacing %s failed, error %lu", m_FileName,
                 file.LastError());
        return SaveFailed(name, file.LastError());
    }
    m_RecordCount = static_cast<std::uint32_t>(total / kBlockSize - 1);
    return SaveResult::Saved;
}
