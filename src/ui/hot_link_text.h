// "HotLinkText": a control that shows its window text as an underlined blue
// link and opens its stored address in the user's browser when clicked.
#pragma once

#include <windows.h>

inline constexpr char kHotLinkClassName[] = "HotLinkText";
inline constexpr char kHandCursorName[] = "HAND";
// wParam points to the zero-terminated address that a click opens; the
// control keeps its own copy.
inline constexpr UINT kHotLinkSetTarget = WM_USER + 1;

// Registers the class once for the instance, with the named cursor. With a
// colour flag the control sits on the button-face colour instead of white.
bool RegisterHotLinkText(HINSTANCE instance, const char* cursorName, int colorFlag);

// Tests: replaces what a click does with the target (ShellExecuteA by
// default; nullptr restores it) and returns the previous function.
using HotLinkOpenFunction = void (*)(HWND hwnd, const char* target);
HotLinkOpenFunction SetHotLinkOpenFunction(HotLinkOpenFunction function);
