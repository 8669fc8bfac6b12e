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
// Creates and shows the main window, without the register's fields: they
// cost most of the start and are made once the start screen is painted.
HWND CreateMainWindow(HINSTANCE instance, int showCommand);
// Makes the register's fields, their procedures and font, once; false (and
// logged) when the system refuses a control. Every use of the register
// comes after it.
bool MakeRegisterFields(HWND hwnd);
bool RegisterFieldsMade();

// "Ledgerpad", or "Ledgerpad - [name]" with the open account's name.
void SetTitle(HWND hwnd, bool withAccount);

// The window rectangle last recorded while moving or sizing; dialogs are
// centred on it.
RECT GetSavedWindowRect();

// Closes the Find dialog when it is open.
void CloseFindDialog();
