// The text of the last Windows error, shown or logged. Win32
// (last_error_win.cpp).
#pragma once

#include <string>

// The system's text for an error code, without its line end ("Unknown
// error" when the system has none).
std::string SystemErrorText(unsigned long error);

// A box titled "Windows SDK Error Report": "No error" without an icon when
// the last error is 0, else the system's text (or "Unknown error") with the
// stop icon.
void ShowLastError();

// The same, as the log line "LogLastError: %s", "Unknown error" or "No error".
void LogLastError();
