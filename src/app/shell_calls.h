// What the main window asks of the parts built on top of it: the register
// (rows, painting, focus, scroll bar), the saving of the account, the start
// screen and the Find search. Each call has one body in shell_calls.cpp,
// which forwards to the part that does the work; where that part does not
// exist yet the body does nothing and says so.
#pragma once

#include <windows.h>

namespace shell {

// Register.
void AttachFieldProcedures();                  // typing and navigation in the fields
void PaintRegister(HDC dc);                    // frame and headers, in the selected font
void ScrollRegister(WPARAM wParam, LPARAM lParam);
void DisplayRecords();                         // the 19 rows from the account's current record
void ClearRegister();                          // all rows and both balance boxes empty
void UpdateScrollBar();
// Keyboard focus to a row and field of the register; -1 keeps the
// register's focused row or field.
void SetFocusToRecordAndField(int row, int field);
int LastFilledRow();                           // -1 when no row is filled
void DropBlankTail();                          // before the rows show another view

// Checks of the command guards; true when they pass.
bool DropEmptyLastRecord();
bool CheckLastRecordDate();
bool CheckFocusedRow(HWND hwnd);   // only called with an account open
bool CommitAllRows();

// Rewrites the open account's files; false when the save failed.
bool SaveAccount();

// The start screen, run from the first paint.
void RunStartScreen(HWND hwnd);

// A Find Next request from the Find dialog.
void RunFindRequest(HWND hwnd, WPARAM wParam, LPARAM lParam);

}  // namespace shell
