#include "app/account_info_dialog_win.h"

#include "app/account_lifecycle.h"
#include "app/command_guards.h"
#include "model/account.h"
#include "storage/account_info.h"
#include "storage/save_account.h"
#include "ui/storage_messages.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_runner.h"

static_assert(kIdInfoFieldCount == kInfoFieldCount, "one dialog item per information text");

int AccountInfoDialog::GetDialogNumber() { return kDlgAccountInfo; }

BOOL AccountInfoDialog::OnInitDialog(HWND, LPARAM) {
    PlaceDialog(GetHwnd(), kDlgAccountInfo, kDialogFontSansSerif, 0);
    for (int i = 0; i < kInfoFieldCount; ++i) SetItemText(kIdInfoFirst + i, AccountInfo::GetField(i).c_str());
    return TRUE;
}

BOOL AccountInfoDialog::OnCommand(WORD id, HWND, WORD) {
    if (id == kIdOk) {
        for (int i = 0; i < kInfoFieldCount; ++i) AccountInfo::SetField(i, GetItemText(kIdInfoFirst + i));
        EndDialog(GetHwnd(), kIdOk);
        return TRUE;
    }
    if (id == kIdCancel) {
        EndDialog(GetHwnd(), kIdCancel);
        return TRUE;
    }
    return FALSE;
}

void RunAccountInfo(HWND hwnd) {
    // The texts belong to an account: without one there is nothing to edit
    // and nowhere to keep them.
    if (!g_Account.isOpen) return;
    AccountInfoDialog dialog;
    dialog.doModal(hwnd, kDlgAccountInfo);
    RefreshAfterCommand(true);
    SaveAccount();
}
