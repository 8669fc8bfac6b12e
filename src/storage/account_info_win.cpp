#include <windows.h>

#include <cstring>
#include <vector>

#include "base/wide_path_win.h"
#include "storage/account_info.h"

#include "storage/last_error.h"
#include "base/log.h"
#include "storage/memory_stream.h"
#include "storage/serializer.h"
#include "storage/whole_file.h"

namespace {

// Whether the file holds exactly these bytes already.
bool FileHolds(const std::string& path, const std::vector<unsigned char>& bytes) {
    HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    std::vector<unsigned char> held(bytes.size());
    DWORD read = 0;
    const bool same = GetFileSizeEx(file, &size) && size.QuadPart == static_cast<LONGLONG>(bytes.size()) &&
                      ReadFile(file, held.data(), static_cast<DWORD>(held.size()), &read, nullptr) &&
                      read == held.size() && held == bytes;
    CloseHandle(file);
    return same;
}

}  // namespace

bool AccountInfo::Save(const char* accountFile, unsigned long* error) {
    unsigned long failed = 0;
    try {
        // Most saves change only the account file: a file that already holds
        // these texts is left alone, which spares a flush of the disk.
        MemorySerializer image;
        Serialize(image);
        if (FileHolds(InfoFileName(accountFile), image.Bytes())) return true;

        Serializer writer(m_FileName.c_str(), &failed);
        Serialize(writer);
        writer.Commit();
        return true;
    } catch (...) {
        // The typed stream has logged what failed; the old file is intact.
        if (error) *error = failed != 0 ? failed : ERROR_WRITE_FAULT;
        return false;
    }
}

bool AccountInfo::LoadSaved(const char* accountFile) {
    return TakeSaved(accountFile, ReadSavedFile(accountFile));
}

SavedInfoFile AccountInfo::ReadSavedFile(const char* accountFile) {
    SavedInfoFile saved;
    const std::string& path = InfoFileName(accountFile);
    HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // Only a file that is not there is missing: one in use or barred to
        // us still holds the user's texts and must not be written over.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return saved;
        saved.state = SavedInfoFile::State::Unreadable;
        saved.reason = SystemErrorText(error);
        WriteLog("AcctInfoCreditCard::ReadSavedFile: CreateFile error %i\n%s", static_cast<int>(error),
                 path.c_str());
        return saved;
    }
    const WholeFileRead read = ReadWholeFile(file, kLargestWholeFile, [&](std::size_t size) {
        saved.bytes.resize(size);
        return saved.bytes.data();
    });
    CloseHandle(file);
    if (read.Complete()) {
        saved.state = SavedInfoFile::State::Read;
        return saved;
    }
    saved.state = SavedInfoFile::State::Unreadable;
    saved.reason = read.Reason();
    saved.bytes.clear();
    WriteLog("AcctInfoCreditCard::ReadSavedFile: %llu of %llu bytes read, error %lu\n%s", read.read, read.size,
             read.error, path.c_str());
    return saved;
}

bool AccountInfo::TakeSaved(const char* accountFile, const SavedInfoFile& file) {
    using State = SavedInfoFile::State;
    if (file.state == State::Unreadable) return false;
    // A missing, damaged or foreign file is written anew from what could be
    // read, so that the next open finds a valid one.
    if (file.state == State::Missing) ClearFields();
    if (file.state == State::Missing || !TakeImage(file.bytes)) Save(accountFile);
    return true;
}
