#include "app/sample_account.h"

#include <windows.h>

#include <iterator>

#include "app/account_slots.h"
#include "base/log.h"
#include "base/path_size.h"
#include "base/wide_path_win.h"

namespace {

constexpr const char* kSampleFiles[] = {"SAMPLEI.LPD", kAccountSlotNames[kSampleAccountSlot]};

bool IsFile(const std::string& path) {
    DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ProgramFolder() {
    wchar_t path[kPathSize] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, kPathSize);
    if (length == 0 || length >= kPathSize) return {};
    std::string folder = NarrowPath(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

}  // namespace

bool CopySampleAccount(const std::string& programFolder, const std::string& accountsFolder) {
    for (const char* name : kSampleFiles)
        if (!IsFile(programFolder + name)) return false;
    // The information file goes first: the account file never stands
    // without it.
    for (size_t i = 0; i < std::size(kSampleFiles); ++i) {
        const std::string target = accountsFolder + kSampleFiles[i];
        if (CopyFileW(WidePath(programFolder + kSampleFiles[i]).c_str(), WidePath(target).c_str(), TRUE)) continue;
        WriteLog("CopySampleAccount: %s  error %lu", target.c_str(), GetLastError());
        while (i-- > 0) DeleteFileW(WidePath(accountsFolder + kSampleFiles[i]).c_str());
        return false;
    }
    return true;
}

bool CopySampleAccountBesideProgram(const std::string& accountsFolder) {
    const std::string programFolder = ProgramFolder();
    return !programFolder.empty() && CopySampleAccount(programFolder, accountsFolder);
}
