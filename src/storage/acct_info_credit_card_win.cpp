#include <windows.h>

#include <cstring>
#include <vector>

#include "storage/acct_info_credit_card.h"

#include "storage/deserializer.h"
#include "storage/exception_reporter.h"
#include "storage/exceptions.h"
#include "storage/log.h"
#include "storage/memory_stream.h"
#include "storage/serializer.h"

namespace {

// Whether the file holds exactly these bytes already.
bool FileHolds(const std::string& path, const std::vector<unsigned char>& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
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

bool AcctInfoCreditCard::Save(const char* accountFile, unsigned long* error) {
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

void AcctInfoCreditCard::LoadSaved(const char* accountFile) {
    InfoFileName(accountFile);
    ClearFields();
    try {
        // The reader is gone (and its file closed) before a catch runs, so
        // the file can be written anew there.
        DeSerializer reader(m_FileName.c_str());
        DeSerialize(reader);
        return;
    } catch (const ExceptionBase& e) {
        WriteLog("Initialization::LoadSaved ExceptionBase Exception caught");
        ExceptionReporter reporter;
        e.Describe(reporter);
    } catch (...) {
    }
    Save(accountFile);
}
