// Edit > Calculator: starts the system calculator.
#pragma once

#include <windows.h>

// Starts "calc"; tells the user (owned by owner) when it cannot be started.
// Returns true when the calculator was started.
bool StartCalculator(HWND owner);
