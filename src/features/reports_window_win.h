// The Reports window (View > Reports..., Ctrl+R): a chart of the open
// account with the table of its exact numbers, to copy, save as a picture
// or print. Modal, owned by the main window.
#pragma once

#include <windows.h>

// Reports (1045). With no account open it does nothing.
void RunReportsCommand(HWND hwnd, int id);
