// The system's file and print dialogs, and its list view, from libraries
// loaded when one is first shown: loading them at start costs more than a
// tenth of a second under Wine, and most runs never show one. Each returns
// what the system function returns; FALSE also when the library cannot be
// had.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

BOOL ShowSaveFileDialog(OPENFILENAMEA* ofn);
BOOL ShowOpenFileDialog(OPENFILENAMEA* ofn);
BOOL ShowPrintDialog(PRINTDLGA* pd);
// Registers the common-control window classes named by classes (ICC_*).
BOOL InitCommonControlClasses(DWORD classes);
