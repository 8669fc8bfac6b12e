// The main window: one top-level window of fixed size whose client area is
// the register.
#pragma once

#include <windows.h>

extern HWND g_hWnd;
extern HINSTANCE g_hInst;
extern HMENU g_hMenu;

// Size of the window whatever the options say: the register panel plus
// the frame, caption and menu.
struct MainWindowMetrics {
    int fixedWidth;
    int fixedHeight;
    int panelWidth;  // W: the register panel's width
};
MainWindowMetrics GetMainWindowMetrics();

bool RegisterMainClass(HINSTANCE instance);
// Creates, fills and shows the main window; null on failure.
HWND CreateMainWindow(HINSTANCE instance, int showCommand);

// "Ledgerpad", or "Ledgerpad - [name]" with the open account's name.
void SetTitle(HWND hwnd, bool withAccount);

// The window rectangle last recorded while moving or sizing; dialogs are
// centred on it.
RECT GetSavedWindowRect();

// Closes the Find dialog when it is open.
void CloseFindDialog();
