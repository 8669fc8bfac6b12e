// Open Existing Account, from the open chooser or by a path (the most
// recently used account), and the disk check before the chooser.
#include <windows.h>

#include <cstring>

#include "app/account_chooser_win.h"
#include "app/account_lifecycle.h"
#include "app/account_operations.h"
#include "app/main_window.h"
#include "register/register_display.h"
#include "storage/account_info.h"
#include "base/bounded_text.h"
#include "storage/data_file.h"
#include "storage/file_messages.h"
#include "storage/save_account.h"
#include "ui/message_box.h"
#include "ui/storage_messages.h"
#include "ui/dialog_ids.h"

namespace {

// The path to open: the requested one, or the user's choice. False when
// there is nothing to open.
bool ChoosePath(HWND hwnd, char (&path)[kPathSize]) {
    if (g_RequestedAccountFile[0] != '\0') {
        CopyBounded(path, g_RequestedAccountFile);
        return true;
    }
    // The current name stays the open account's while the user chooses,
    // so that anything saved meanwhile goes to the right file.
    SetRequestedAccountFile(g_CurrentAccountFile);
    AccountList list;
    const AccountListEntry* chosen = nullptr;
    if (CheckDisk(hwnd)) chosen = RunAccountChooser(hwnd, kDlgOpenAccount, kOpenChooserTitle, list);
    if (!chosen) return false;
    CopyBounded(path, chosen->path);
    return true;
}

// Shows the account just read: the Current view at its last screenful.
void ShowOpenedAccount(HWND hwnd) {
    SelectAccountView(ViewCurrent);
    ReportBalanceResult(hwnd, g_Account.ComputeBalances());
    g_Account.topIndex = LastScreenTopIndex();
    SetTitle(hwnd, true);
    g_Account.isOpen = 1;
    g_Account.needsSaving = 0;
    g_AccountHistory.Reset(g_Account);
    RefillRegister();
}

}  // namespace

bool CheckDisk(HWND hwnd) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"*.*", &found);
    if (search == INVALID_HANDLE_VALUE) {
        Inform(hwnd, kDiskNotReadyText, kDiskErrorTitle);
        return false;
    }
    FindClose(search);
    return true;
}

void OpenAccount(HWND hwnd) {
    if (std::strcmp(g_RequestedAccountFile, kNewAccountPlaceholder) == 0) return;
    char path[kPathSize] = {};
    if (!ChoosePath(hwnd, path)) return;
    if (!SavePendingChanges()) return;
    OpenAccountFiles(hwnd, path);
}

void OpenAccountFiles(HWND hwnd, const char* path) {
    // Both files are read before the open account is let go: a file that
    // cannot be opened or read, or is no account file, is refused with the
    // open account still there, and nothing of it is lost or written.
    AccountInfo info;
    const SavedInfoFile savedInfo = info.ReadSavedFile(path);
    if (savedInfo.state == SavedInfoFile::State::Unreadable) {
        ShowMessage(hwnd, FileErrorMessage(kInfoReadErrorText, info.FileName().c_str(), savedInfo.reason.c_str()),
                    kFileReadErrorTitle, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const bool wasOpen = g_Account.isOpen != 0;
    if (wasOpen) ClearRegister();
    if (!ReadAccountFile(g_DataFile, path, g_Account)) {
        if (wasOpen && g_Account.Head() != nullptr) RefillRegister();
        else if (wasOpen) CloseAccount(hwnd);
        return;
    }
    SetCurrentAccountFile(path);
    ShowOpenedAccount(hwnd);
    info.TakeSaved(g_CurrentAccountFile, savedInfo);
}
