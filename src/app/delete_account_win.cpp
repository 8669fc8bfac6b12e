// Delete Existing Account: the delete chooser (dialog 3), the confirmation
// (dialog 2), and when the open account was deleted, the "Account" choice
// (dialog 12) until another account is open or the user quits.
#include <windows.h>

#include "app/account_chooser_win.h"
#include "app/account_lifecycle.h"
#include "app/account_operations.h"
#include "app/commands.h"
#include "storage/account_info.h"
#include "base/bounded_text.h"
#include "base/log.h"
#include "base/wide_path_win.h"
#include "storage/options.h"
#include "storage/save_account.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_runner.h"
#include "ui/message_box.h"

namespace {

// Dialog 2: the chosen account's name and file name, OK or Cancel.
INT_PTR CALLBACK VerifyProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(dialog, msg, wParam, {kDlgDeleteVerify, EndingButtons::OkAndCancel}, result))
        return result;
    if (msg != WM_INITDIALOG) return FALSE;
    const auto* entry = reinterpret_cast<const AccountListEntry*>(lParam);
    SetDlgItemTextA(dialog, kIdAccountName, entry->name);
    SetDlgItemTextA(dialog, kIdAccountFileName, entry->fileName);
    return TRUE;
}

// Dialog 12: Create, Open or Quit.
INT_PTR CALLBACK AccountChoiceProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(dialog, msg, wParam, {kDlgAccountChoice, EndingButtons::Cancel}, result))
        return result;
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
        case kIdCreateAccount:
        case kIdOpenAccount: EndDialog(dialog, LOWORD(wParam)); return TRUE;
    }
    return FALSE;
}

// The account file, then its information file. False (the user told) when
// the account file stays.
bool DeleteAccountFiles(HWND hwnd, const AccountListEntry& entry) {
    if (!DeleteFileW(WidePath(entry.path).c_str())) {
        WriteLog("DeleteAccount: DeleteFile error %i\n%s", static_cast<int>(GetLastError()), entry.path);
        ShowMessage(hwnd, FormatPathMessage(kUnableToDeleteText, entry.path), kDeleteAccountTitle,
                    MB_OK | MB_ICONINFORMATION);
        return false;
    }
    AccountInfo info;
    const std::string infoFile = info.InfoFileName(entry.path);
    // A left-over information file is harmless: a new account in this slot
    // starts with empty information.
    if (!DeleteFileW(WidePath(infoFile).c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        WriteLog("DeleteAccount: DeleteFile error %i\n%s", static_cast<int>(GetLastError()), infoFile.c_str());
    return true;
}

void DeleteChosenAccount(HWND hwnd) {
    AccountList list;
    const AccountListEntry* chosen = RunAccountChooser(hwnd, kDlgDeleteAccount, kDeleteChooserTitle, list);
    if (!chosen) return;
    SetRequestedAccountFile(chosen->path);
    if (ShowModalDialog(hwnd, kDlgDeleteVerify, VerifyProc, reinterpret_cast<LPARAM>(chosen)) != kIdOk) return;
    if (!DeleteAccountFiles(hwnd, *chosen)) return;
    if (!g_Account.isOpen || !IsSameAccountPath(chosen->path, g_CurrentAccountFile)) return;

    CloseAccount(hwnd);
    g_Options.ClearMostRecent();
    SetRequestedAccountFile("");
    RunAccountChoice(hwnd);
}

}  // namespace

void DeleteAccount(HWND hwnd) {
    char kept[kPathSize];
    CopyBounded(kept, g_CurrentAccountFile);
    DeleteChosenAccount(hwnd);
    SetRequestedAccountFile(kept);
}

void RunAccountChoice(HWND hwnd) {
    SetCurrentAccountFile(kNewAccountPlaceholder);
    while (!g_Account.isOpen) {
        const INT_PTR choice = ShowModalDialog(hwnd, kDlgAccountChoice, AccountChoiceProc, 0);
        if (choice == kIdCreateAccount) {
            CreateAccount(hwnd);
        } else if (choice == kIdOpenAccount) {
            if (CountExistingAccountFiles() > 0) {
                SetRequestedAccountFile("");
                OpenAccount(hwnd);
            } else {
                Inform(hwnd, kNeedAccountToOpenText, kOpenExistingTitle);
            }
        } else {
            // Quit, or a dialog that could not be shown: never loop on it.
            SendMessageA(hwnd, WM_COMMAND, IDM_QUIT_START, 0);
            return;
        }
    }
}
