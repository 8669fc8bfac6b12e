// Where a command, a key or a window message ends: an allocation that fails
// anywhere inside is told there ("Insufficient memory.") and goes no
// further, so no exception unwinds through the system's window code.
#pragma once

#include <functional>

struct HWND__;

// Runs body; false when it ran out of memory, after telling the user.
bool RunToCommandBoundary(HWND__* owner, const std::function<void()>& body);
