// The bodies behind shell_calls.h: each forwards to the part that does the
// work. The Find search is built on top of the main window; until it is in
// the program its call below does nothing.
#include "app/shell_calls.h"

#include "app/account_lifecycle.h"
#include "app/main_window.h"
#include "features/find_hook.h"
#include "features/feature_commands.h"
#include "model/account.h"
#include "register/multi_records.h"
#include "register/register.h"
#include "register/register_display.h"
#include "register/register_layout.h"
#include "storage/save_account.h"

namespace shell {

namespace {

// L: where the register panel starts in the client area, read back from
// the first field (3 pixels into the panel).
int PanelLeft() {
    HWND first = g_hFieldWindows[0];
    if (!first) return 0;
    RECT rect;
    GetWindowRect(first, &rect);
    MapWindowPoints(nullptr, GetParent(first), reinterpret_cast<POINT*>(&rect), 2);
    return rect.left - kFieldColumns[RECONCILE_FLD].x;
}

}  // namespace

void AttachFieldProcedures() {
    ::AttachFieldProcedures();
    SetCloseFindDialogFunction(CloseFindDialog);
}
void PaintRegister(HDC dc) {
    const int left = PanelLeft();
    DrawRegisterFrame(dc, left, GetMainWindowMetrics().panelWidth);
    DrawRegisterHeaders(dc, left);
}
void ScrollRegister(WPARAM wParam, LPARAM lParam) { ::ScrollRegister(wParam, lParam); }
void DisplayRecords() { ::DisplayRecords(g_Account.current); }
void ClearRegister() { ::ClearRegister(); }
void UpdateScrollBar() { g_MultiRecords.UpdateScrollBar(); }
void SetFocusToRecordAndField(int row, int field) { g_MultiRecords.SetFocusToRecordAndField(row, field); }
int LastFilledRow() { return g_MultiRecords.LastFilledRow(); }
void DropBlankTail() { g_MultiRecords.DropBlankTail(); }

bool DropEmptyLastRecord() { return g_MultiRecords.DropEmptyLastRecord(); }
bool CheckLastRecordDate() { return g_MultiRecords.CheckLastRecordDate(); }
bool CheckFocusedRow(HWND) { return g_MultiRecords.CheckFocusedRow(); }
bool CommitAllRows() { return g_MultiRecords.CommitAllRows(); }

bool SaveAccount() { return ::SaveAccount(); }

void RunStartScreen(HWND hwnd) { ::RunStartScreen(hwnd); }

void RunFindRequest(HWND hwnd, WPARAM, LPARAM) { ::RunFindRequest(hwnd); }

}  // namespace shell
