#include <windows.h>

#include "model/account.h"
#include "base/wide_path_win.h"
#include "storage/backups.h"
#include "storage/data_file.h"
#include "storage/last_error.h"
#include "storage/file_messages.h"
#include "storage/save_account.h"
#include "storage/save_messages.h"
#include "ui/message_box.h"
#include "ui/storage_messages.h"

namespace {

constexpr UINT kInfoBox = MB_OK | MB_ICONINFORMATION;
constexpr char kWriteErrorText[] = "An error occured while trying to write to the file.";
constexpr char kWriteErrorTitle[] = "Error: DATAFILEOUTPUT::Write";

void TellCannotOpen(HWND owner, const char* name) {
    ShowMessage(owner, FormatPathMessage(kUnableToOpenText, name), kFileReadErrorTitle, kInfoBox);
}

}  // namespace

bool TellFileWrite(FileWriteResult result) {
    if (result == FileWriteResult::Failed) ShowMessage(nullptr, kWriteErrorText, kWriteErrorTitle, MB_OK);
    return result == FileWriteResult::Written;
}

bool TellSaveResult(HWND owner, SaveResult result) {
    switch (result) {
        case SaveResult::Saved: return true;
        case SaveResult::Failed: ShowMessage(owner, kSaveErrorText, kSaveErrorTitle, kInfoBox); return false;
        case SaveResult::NoAccount:
            ShowMessage(owner, kNoAccountToSaveText, kNoAccountToSaveTitle, kInfoBox);
            return false;
        case SaveResult::FailedUntold: return false;
    }
    return false;
}

namespace {

bool g_backupFailureTold = false;
// The account whose backup of the day is known to be made, and that day.
std::string g_backedUpAccount;
BackupTime g_backedUpDay;

bool IsAccountFile(const char* path) {
    return g_Account.isOpen && path[0] != '\0' && GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}


// The day's backup before a save; a failure is told after the save, and
// only when the save itself succeeded: one action tells one failure, and a
// backup that failed is tried again at the next save.
BackupResult BackUpBeforeFirstChangeOfTheDay() {
    if (!IsAccountFile(g_CurrentAccountFile)) return {};
    const BackupTime now = LocalTimeNow();
    const bool sameDay = now.year == g_backedUpDay.year && now.month == g_backedUpDay.month && now.day == g_backedUpDay.day;
    if (sameDay && g_backedUpAccount == g_CurrentAccountFile) return {};
    const BackupResult result = MakeFirstBackupOfTheDay(g_CurrentAccountFile, now);
    if (result.failed) return result;
    g_backedUpAccount = g_CurrentAccountFile;
    g_backedUpDay = now;
    return result;
}

}  // namespace

void TellBackupFailure(HWND owner, const BackupResult& result) {
    if (!result.failed || g_backupFailureTold) return;
    g_backupFailureTold = true;
    ShowMessage(owner,
                PathMessage{"Ledgerpad could not make a backup of ", g_CurrentAccountFile,
                            ": " + SystemErrorText(result.error) + "\nYour changes are saved as usual."},
                kBackupErrorTitle, MB_OK | MB_ICONEXCLAMATION);
}

BackupResult BackUpNow() {
    if (!IsAccountFile(g_CurrentAccountFile)) return {};
    return MakeBackup(g_CurrentAccountFile, LocalTimeNow());
}

bool SaveAccount() {
    const BackupResult backup = BackUpBeforeFirstChangeOfTheDay();
    const bool saved = TellSaveResult(g_DataFile.Owner(), SaveOpenAccount());
    if (saved) TellBackupFailure(g_DataFile.Owner(), backup);
    return saved;
}

bool WriteAccountFile(DataFile& file, const char* name, Account& account) {
    return TellSaveResult(file.Owner(), file.WriteAccountFile(name, account));
}

bool ReadAccountFile(DataFile& file, const char* name, Account& account) {
    switch (file.ReadAccountFile(name, account)) {
        case AccountReadResult::Read: return true;
        case AccountReadResult::CannotOpen: TellCannotOpen(file.Owner(), name); return false;
        case AccountReadResult::ReadFailed:
        case AccountReadResult::DamagedAmount:
            ShowMessage(file.Owner(),
                        FileErrorMessage(kAccountReadErrorText, name, file.ReadFailure().c_str()),
                        kFileReadErrorTitle, kInfoBox);
            return false;
        case AccountReadResult::NotAccountFile:
            ShowMessage(file.Owner(), kNotAccountFileText, kFileTypeErrorTitle, kInfoBox);
            return false;
    }
    return false;
}

bool OpenFileForReading(DataFile& file, const char* name) {
    if (file.OpenFileForReading(name)) return true;
    TellCannotOpen(file.Owner(), name);
    return false;
}
