#include "storage/backups.h"

#include <windows.h>

#include <memory>

#include "base/log.h"
#include "base/wide_path_win.h"
#include "model/account.h"
#include "storage/account_image.h"
#include "storage/account_info.h"
#include "storage/atomic_file.h"
#include "storage/whole_file.h"

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string InfoPathOf(const char* accountFile) {
    AccountInfo info;
    return info.InfoFileName(accountFile);
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(WidePath(folder + "*.LPD").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(NarrowPath(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

bool ReadFileBytes(const std::string& path, std::vector<unsigned char>& bytes) {
    HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const WholeFileRead read = ReadWholeFile(file, kLargestWholeFile, [&](std::size_t size) {
        bytes.resize(size);
        return bytes.data();
    });
    CloseHandle(file);
    return read.Complete();
}

BackupResult Failed(const char* step, const std::string& path) {
    BackupResult result;
    result.failed = true;
    result.error = GetLastError();
    WriteLog("Backup: %s failed, error %lu\n%s", step, result.error, path.c_str());
    return result;
}

void RemoveOldest(const char* accountFile, const std::string& folder) {
    const std::string accountName = NameOf(accountFile);
    const std::string infoName = NameOf(InfoPathOf(accountFile));
    for (const std::string& old : BackupsBeyond(accountName, NamesIn(folder))) {
        const std::optional<BackupTime> time = BackupTimeOf(accountName, old);
        DeleteFileW(WidePath(folder + old).c_str());
        if (time) DeleteFileW(WidePath(folder + BackupFileName(infoName, *time)).c_str());
    }
}

// Within the day: a backup made just before midnight keeps its day.
BackupTime OneSecondLater(BackupTime t) {
    if (++t.second < 60) return t;
    t.second = 0;
    if (++t.minute < 60) return t;
    t.minute = 0;
    if (t.hour < 23) ++t.hour;
    else t.second = t.minute = 59;
    return t;
}

}  // namespace

std::string BackupFolderOf(const char* accountFile) {
    return FolderOf(accountFile ? accountFile : "") + kBackupFolderName + "\\";
}

BackupTime LocalTimeNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

BackupResult MakeBackup(const char* accountFile, const BackupTime& now) {
    const std::string folder = BackupFolderOf(accountFile);
    if (!CreateDirectoryW(WidePath(folder).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return Failed("CreateDirectory", folder);
    // A backup is never written over: two in one second take the next free
    // second's name.
    BackupTime time = now;
    std::string copy;
    for (int tries = 0;; ++tries) {
        copy = folder + BackupFileName(NameOf(accountFile), time);
        if (CopyFileW(WidePath(accountFile).c_str(), WidePath(copy).c_str(), TRUE)) break;
        if (GetLastError() != ERROR_FILE_EXISTS || tries == 59) return Failed("CopyFile", copy);
        time = OneSecondLater(time);
    }
    const std::string info = InfoPathOf(accountFile);
    if (Exists(info)) {
        const std::string infoCopy = folder + BackupFileName(NameOf(info), time);
        if (!CopyFileW(WidePath(info).c_str(), WidePath(infoCopy).c_str(), FALSE)) {
            const BackupResult failed = Failed("CopyFile", infoCopy);
            DeleteFileW(WidePath(copy).c_str());  // no half backup
            return failed;
        }
    }
    RemoveOldest(accountFile, folder);
    return {.made = true};
}

BackupResult MakeFirstBackupOfTheDay(const char* accountFile, const BackupTime& now) {
    if (!FirstChangeOfTheDay(NameOf(accountFile), NamesIn(BackupFolderOf(accountFile)), now)) return {};
    return MakeBackup(accountFile, now);
}

std::vector<BackupEntry> ListBackups(const char* accountFile) {
    const std::string folder = BackupFolderOf(accountFile);
    const std::string accountName = NameOf(accountFile);
    const std::string infoName = NameOf(InfoPathOf(accountFile));
    std::vector<BackupEntry> entries;
    for (const std::string& name : BackupsOf(accountName, NamesIn(folder))) {
        BackupEntry entry;
        entry.accountPath = folder + name;
        entry.time = *BackupTimeOf(accountName, name);
        const std::string info = folder + BackupFileName(infoName, entry.time);
        if (Exists(info)) entry.infoPath = info;
        std::vector<unsigned char> bytes;
        Account account;
        if (!ReadFileBytes(entry.accountPath, bytes) || FindDamagedAmount(bytes.data(), bytes.size()) ||
            !LoadAccountImage(bytes.data(), bytes.size(), account))
            continue;
        for (const RecordNode* n = account.Head(); n; n = n->next)
            if (!IsBlankRecord(*n->record)) ++entry.records;
        account.view = ViewAll;
        account.ComputeBalances();
        entry.endingBalance = account.endingBalance;
        entries.push_back(std::move(entry));
    }
    return entries;
}

RestoreResult RestoreBackup(const char* accountFile, const BackupEntry& backup, const BackupTime& now) {
    std::vector<unsigned char> account, info;
    if (!ReadFileBytes(backup.accountPath, account) || (!backup.infoPath.empty() && !ReadFileBytes(backup.infoPath, info))) {
        const unsigned long error = GetLastError();
        WriteLog("Restore: reading the backup failed, error %lu\n%s", error, backup.accountPath.c_str());
        return {RestoreStep::ReadingTheBackup, error};
    }
    const BackupResult kept = MakeBackup(accountFile, now);
    if (!kept.made) return {RestoreStep::KeepingTheAccount, kept.error};
    const std::string infoFile = InfoPathOf(accountFile);
    unsigned long error = 0;
    if (!ReplaceFileContents(accountFile, account.data(), account.size(), &error)) return {RestoreStep::Writing, error};
    if (backup.infoPath.empty()) {
        DeleteFileW(WidePath(infoFile).c_str());
    } else if (!ReplaceFileContents(infoFile.c_str(), info.data(), info.size(), &error)) {
        return {RestoreStep::Writing, error};
    }
    return {};
}
