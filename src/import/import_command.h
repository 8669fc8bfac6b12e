// Import Bank Statement (1041): a statement file the bank lets the user
// download is read, matched against the open account, shown, and on OK its
// ticked rows are carried out and saved at once. Win32
// (import_command_win.cpp).
#pragma once

#include <windows.h>

// The command as the command table runs it once its guard has passed;
// nothing happens without an open account. The command dispatch refills
// the register and gives it the focus afterwards.
void RunImportCommand(HWND hwnd, int id);
