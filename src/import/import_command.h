// Import Bank Statement (1041): a statement file the bank lets the user
// download is read, matched against the open account, shown, and on OK its
// ticked rows are carried out and saved at once. Win32
// (import_command_win.cpp).
#pragma once

#include <windows.h>

// Switches the register to the All view, its View menu item checked; the
// program around the command owns the menu.
using ShowAllViewFunction = void (*)();

// The command as the command table runs it once its guard has passed;
// nothing happens without an open account. An import that marks or adds
// records leaves the register in the All view (showAllView), from the
// first record it touched, since the Current view hides the records it
// marked "R". The command dispatch refills the register from there and
// gives it the focus afterwards.
void RunImportCommand(HWND hwnd, ShowAllViewFunction showAllView);
