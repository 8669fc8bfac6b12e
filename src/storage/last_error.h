// The system's text of a Windows error. Win32 (last_error_win.cpp).
#pragma once

#include <string>

// The system's text for an error code, without its line end; "Unknown
// error" when the system has none, empty for 0 (no error to tell).
std::string SystemErrorText(unsigned long error);
