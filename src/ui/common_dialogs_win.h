// The system's file and print dialogs, from a library loaded when one is
// first shown: loading it at start costs more than a tenth of a second
// under Wine, and most runs never show one. Each returns what the system
// function returns; FALSE also when the library cannot be had.
#pragma once

#include <windows.h>
#include <commdlg.h>

BOOL ShowSaveFileDialog(OPENFILENAMEA* ofn);
BOOL ShowOpenFileDialog(OPENFILENAMEA* ofn);
BOOL ShowPrintDialog(PRINTDLGA* pd);
