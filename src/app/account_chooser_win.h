// The account choosers: dialog 1 (open) and dialog 3 (delete) list every
// existing account file by its account name, in slot order.
#pragma once

#include <windows.h>

#include "model/account_lifecycle.h"

// Builds the list and lets the user choose. With no account file at all
// the user is told "There are no accounts to select." and the list comes
// back cancelled. Returns the chosen entry, or nullptr.
const AccountListEntry* RunAccountChooser(HWND hwnd, int dialogNumber, const char* title, AccountList& list);
