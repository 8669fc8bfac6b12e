// The register's entry points for the main window. The navigation and the
// checks the command guards need are members of g_MultiRecords
// (multi_records.h); filling the rows is register_display.h.
#pragma once

#include <windows.h>

// Once CreateRegisterControls has made the controls: puts the field window
// procedure on all 135 of them and connects the register to them (the
// Win32 host, the account save, the sort of the focused record at save
// time). False when a control could not be subclassed.
bool AttachFieldProcedures();

// WM_PAINT, with the register font (g_Fonts.RegisterFont()) selected: the
// panel's frame and separating lines, then the nine header and footer
// texts, for the panel at offset left (L) of width W.
void DrawRegisterFrame(HDC dc, int left, int width);
void DrawRegisterHeaders(HDC dc, int left);

// WM_VSCROLL from the register's scroll bar.
void ScrollRegister(WPARAM wParam, LPARAM lParam);
// Insert Date (command 1017, Alt+D).
void InsertDate();
