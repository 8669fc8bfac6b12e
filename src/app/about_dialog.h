// Help > About: dialog 9 with the program's name, version, maker and the
// maker's web address as a link.
#pragma once

#include <windows.h>

void ShowAboutBox(HWND owner);
INT_PTR CALLBACK AboutDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
