// Every message box of the program goes through ShowMessage, so that tests
// can capture boxes instead of blocking on them.
#pragma once

#include "storage/file_messages.h"

// Window handles without <windows.h>: windows.h declares HWND as HWND__*.
struct HWND__;

// The modeless Find dialog must never hide a message about the register:
// such a message closes it first (Close). The Find dialog installs the
// function that closes it; until then nothing is closed.
enum class FindDialogBeforeMessage { Keep, Close };
using CloseFindDialogFunction = void (*)();
// Installs the closing function and returns the previous one.
CloseFindDialogFunction SetCloseFindDialogFunction(CloseFindDialogFunction function);

// Shows a message box (MessageBoxA) and returns the button pressed.
int ShowMessage(HWND__* owner, const char* text, const char* title, unsigned type,
                FindDialogBeforeMessage find = FindDialogBeforeMessage::Keep);

// A message that names a path: shown with MessageBoxW, the program's texts
// and the path each converted from its own encoding, so that a path in any
// script shows its real characters. A test's function (below) receives
// message.Text().
int ShowMessage(HWND__* owner, const PathMessage& message, const char* title, unsigned type,
                FindDialogBeforeMessage find = FindDialogBeforeMessage::Keep);

// Replaces the function behind ShowMessage and returns the previous one;
// nullptr puts MessageBoxA back. Tests install a function that records the
// box and returns the button the test chooses.
using MessageBoxFunction = int (*)(HWND__* owner, const char* text, const char* title,
                                   unsigned type);
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function);
