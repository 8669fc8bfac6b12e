// The checks that run before a menu command: the row being edited must
// pass its checks and be saved, or the command does not run.
#pragma once

#include <windows.h>

// True when the command may run.
bool CheckForErrors(HWND hwnd);
// As CheckForErrors, with the last record's date checked first (which also
// fails without an open account) and the register refilled after saving.
bool CheckForErrorBeforeFind(HWND hwnd);

// After a command: refill the register of the open account and, when
// focus is true, give it the keyboard focus.
void RefreshAfterCommand(bool focus);
