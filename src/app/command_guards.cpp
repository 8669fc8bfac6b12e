#include "app/command_guards.h"

#include "model/account.h"
#include "register/multi_records.h"
#include "register/register_display.h"
#include "storage/save_account.h"
#include "ui/storage_messages.h"
#include "base/log.h"

namespace {

// The row with the focus must pass its own checks and, when something was
// typed, every row must be committed and the account saved.
bool CheckFocusedRow() {
    if (!g_Account.isOpen) return true;
    return g_MultiRecords.CheckFocusedRow();
}

bool CommitAndSave() {
    if (!g_Account.needsSaving) return true;
    if (!g_MultiRecords.CommitAllRows()) return false;
    return SaveAccount();
}

}  // namespace

bool CheckForErrors(HWND) {
    if (!g_MultiRecords.DropEmptyLastRecord()) return false;
    if (!CheckFocusedRow()) {
        WriteLog("CheckForErrors( hWnd )");
        return false;
    }
    return CommitAndSave();
}

bool CheckForErrorBeforeFind(HWND) {
    if (!g_MultiRecords.CheckLastRecordDate()) return false;
    if (!CheckFocusedRow()) {
        WriteLog("CheckForErrorBeforeFind - CheckForErrors( hWnd )");
        return false;
    }
    const bool saving = g_Account.needsSaving != 0;
    if (!CommitAndSave()) return false;
    if (saving) DisplayRecords(g_Account.current);
    return true;
}

void RefreshAfterCommand(bool focus) {
    if (!g_Account.isOpen) return;
    g_Account.PositionAtTop(g_Account.topIndex);
    DisplayRecords(g_Account.current);
    if (focus) g_MultiRecords.SetFocusToRecordAndField(-1, -1);
    g_MultiRecords.UpdateScrollBar();
}
