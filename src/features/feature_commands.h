// The menu commands of balancing, Find, export and printing, as the main
// window's command table runs them once their guards have passed, and the
// search request that the Find dialog sends to the main window. Win32.
#pragma once

#include <windows.h>

// Balance (1010): the questions and dialog 10. The command dispatch then
// refills the register and gives it the focus back, as after export and
// printing.
void RunBalanceCommand(HWND hwnd, int id);
// Find (1040): the register's selection as the text to find, then the
// Find dialog opens (or comes to the front).
void RunFindCommand(HWND hwnd, int id);
// The registered message "finddlg_Find": Find Next from the dialog.
void RunFindRequest(HWND hwnd);
// Export Account Data (1031).
void RunExportCommand(HWND hwnd, int id);
// Print (1007).
void RunPrintCommand(HWND hwnd, int id);
