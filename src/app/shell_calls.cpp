// The bodies behind shell_calls.h. The register's editing, painting and
// scrolling, the saving of an account, the start screen and the Find
// search are built on top of the main window; until a part is in the
// program its calls below do nothing, and with no row being edited the
// checks of the command guards have nothing to refuse.
#include "app/shell_calls.h"

#include "app/account_lifecycle.h"
#include "model/account.h"

namespace shell {

void AttachFieldProcedures() {}
void PaintRegister(HDC) {}
void ScrollRegister(WPARAM, LPARAM) {}
void DisplayRecords() {}
void ClearRegister() {}
void UpdateScrollBar() {}
void SetFocusToRecordAndField(int, int) {}
int LastFilledRow() { return -1; }

bool DropEmptyLastRecord() { return true; }
// Fails without an open account: New Transaction and Find need one.
bool CheckLastRecordDate() { return g_Account.isOpen != 0; }
bool CheckFocusedRow(HWND) { return true; }
bool CommitAllRows() { return true; }

void SaveAccount() {}

void RunStartScreen(HWND hwnd) { ::RunStartScreen(hwnd); }

void RunFindRequest(HWND, WPARAM, LPARAM) {}

}  // namespace shell
