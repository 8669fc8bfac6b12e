// Rename Open Account: dialog 11 asks for the new name; the name lives only
// in the account's header, so the header, the title and the file change.
// The file keeps its file name.
#include <windows.h>

#include <cstring>

#include "app/account_lifecycle.h"
#include "app/account_operations.h"
#include "app/main_window.h"
#include "base/bounded_text.h"
#include "storage/save_account.h"
#include "ui/storage_messages.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_runner.h"

namespace {

using NameBuffer = char[kAccountNameSize];

INT_PTR CALLBACK RenameProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(dialog, msg, wParam, {kDlgRenameAccount, EndingButtons::Cancel}, result))
        return result;
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        char* name = reinterpret_cast<char*>(lParam);
        SetDlgItemTextA(dialog, kIdOldName, name);
        std::memset(name, 0, kAccountNameSize);
        SendDlgItemMessageA(dialog, kIdNewName, EM_LIMITTEXT, kAccountNameMaxLength, 0);
        return TRUE;
    }
    if (msg != WM_COMMAND || LOWORD(wParam) != kIdOk) return FALSE;
    char* name = reinterpret_cast<char*>(GetWindowLongPtrA(dialog, DWLP_USER));
    std::memset(name, 0, kAccountNameSize);
    GetDlgItemTextA(dialog, kIdNewName, name, static_cast<int>(kAccountNameSize));
    if (!IsValidAccountName(name)) {
        Inform(dialog, kAccountNeedsNameText, kNameErrorTitle);
        SetFocus(GetDlgItem(dialog, kIdNewName));
        return TRUE;
    }
    EndDialog(dialog, kIdOk);
    return TRUE;
}

}  // namespace

void RenameAccount(HWND hwnd) {
    if (!g_Account.isOpen) return;
    // The dialog clears the buffer it is given, so it gets a copy.
    NameBuffer name;
    CopyFixedText(name, g_Account.header.name);
    if (ShowModalDialog(hwnd, kDlgRenameAccount, RenameProc, reinterpret_cast<LPARAM>(name)) != kIdOk) return;

    CopyFixedText(g_Account.header.name, name);
    SetTitle(hwnd, true);
    // A row still being typed stays pending: the save of the new name must
    // not make the register forget to commit it.
    const int pending = g_Account.needsSaving;
    SaveAccount();
    if (pending) g_Account.needsSaving = 1;
    // A renamed account starts a new history.
    g_AccountHistory.Reset(g_Account);
}
