#include "app/account_commands.h"

#include "app/account_lifecycle.h"
#include "features/password.h"

void RunCreateAccountCommand(HWND hwnd, int) { CreateAccount(hwnd); }

void RunOpenAccountCommand(HWND hwnd, int) {
    // An empty requested name opens from the chooser.
    g_RequestedAccountFile[0] = '\0';
    OpenAccount(hwnd);
}

void RunDeleteAccountCommand(HWND hwnd, int) { DeleteAccount(hwnd); }

void RunRenameAccountCommand(HWND hwnd, int) { RenameAccount(hwnd); }

void RunPasswordCommand(HWND hwnd, int id) { Password().OnCommand(hwnd, id); }

void RunAccountInfoCommand(HWND hwnd, int) { RunAccountInfo(hwnd); }
