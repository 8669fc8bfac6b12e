// Help > Ledgerpad Help: the help page that ships beside the program.
#pragma once

#include <windows.h>

#include <cstddef>

// Full path of the help page: the program's folder + LedgerpadHelp.html.
// False when the program's path cannot be had or does not fit.
bool BuildHelpPagePath(char* out, std::size_t size);

// Opens the help page in the user's browser; tells the user when it cannot.
bool OpenHelpPage(HWND owner);
