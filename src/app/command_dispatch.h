// The main window's menu commands: each command id has one entry that
// names the check run before it and the function that carries it out.
#pragma once

#include <windows.h>

// Runs command id (from the menu, an accelerator or a start screen).
// Returns false when id is not one of the program's commands, so that the
// caller hands the message to DefWindowProcA.
bool DispatchCommand(HWND hwnd, int id);

// Prepares the menu at window creation: the check marks of the view and
// the date format, and commands whose feature is not part of this build
// greyed out.
void InitCommandMenu(HMENU menu);

// Checks the View menu item id (IDM_VIEW_ALL or IDM_VIEW_CURRENT), unchecks
// the one checked before and remembers it; opening and creating an account
// select the Current view this way.
void SelectViewMenuItem(int id);
