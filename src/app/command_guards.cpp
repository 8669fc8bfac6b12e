#include "app/command_guards.h"

#include "app/shell_calls.h"
#include "model/account.h"
#include "storage/log.h"

namespace {

// The row with the focus must pass its own checks and, when something was
// typed, every row must be committed and the account saved.
bool CheckFocusedRow(HWND hwnd) {
    if (!g_Account.isOpen) return true;
    return shell::CheckFocusedRow(hwnd);
}

bool CommitAndSave() {
    if (!g_Account.needsSaving) return true;
    if (!shell::CommitAllRows()) return false;
    return shell::SaveAccount();
}

}  // namespace

bool CheckForErrors(HWND hwnd) {
    if (!shell::DropEmptyLastRecord()) return false;
    if (!CheckFocusedRow(hwnd)) {
        WriteLog("CheckForErrors( hWnd )");
        return false;
    }
    return CommitAndSave();
}

bool CheckForErrorBeforeFind(HWND hwnd) {
    if (!shell::CheckLastRecordDate()) return false;
    if (!CheckFocusedRow(hwnd)) {
        WriteLog("CheckForErrorBeforeFind - CheckForErrors( hWnd )");
        return false;
    }
    const bool saving = g_Account.needsSaving != 0;
    if (!CommitAndSave()) return false;
    if (saving) shell::DisplayRecords();
    return true;
}

void RefreshAfterCommand(bool focus) {
    if (!g_Account.isOpen) return;
    g_Account.PositionAtTop(g_Account.topIndex);
    shell::DisplayRecords();
    if (focus) shell::SetFocusToRecordAndField(-1, -1);
    shell::UpdateScrollBar();
}
