// The menu commands of the account operations, password protection and
// account information, in the form of the command table's functions.
#pragma once

#include <windows.h>

void RunCreateAccountCommand(HWND hwnd, int id);
void RunOpenAccountCommand(HWND hwnd, int id);
void RunDeleteAccountCommand(HWND hwnd, int id);
void RunRenameAccountCommand(HWND hwnd, int id);
void RunPasswordCommand(HWND hwnd, int id);  // create, change or remove
void RunAccountInfoCommand(HWND hwnd, int id);
