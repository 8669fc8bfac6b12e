// Bringing accounts in and out of the main window: create, open, delete,
// rename and close, the start screen and the "Account" choice that follow
// when no account is open, and the account information dialog. Each
// operation shows its own dialogs and messages; the rules they follow are
// in model/account_lifecycle.h.
#pragma once

#include <windows.h>

#include "storage/storage_constants.h"

// Commands keep the current file name here while they run and put it back
// when the user cancels; the open and delete operations also receive the
// chosen or most recently used path in it. The current file name itself is
// g_CurrentAccountFile (storage/save_account.h).
extern char g_RequestedAccountFile[kPathSize];

// Empties the register, frees the records and leaves no account open.
void CloseAccount(HWND hwnd);

// Three dialogs (name, ending balance, statement date), then a new account
// file in the first free slot, open in the Current view. Cancel at any step
// leaves everything as it was.
void CreateAccount(HWND hwnd);

// With an empty requested name the user chooses from the open chooser;
// with "new" nothing happens; with a path that account is opened. A file
// that cannot be read is refused and the account open before stays open.
void OpenAccount(HWND hwnd);
// Reads the account at path and its information file and shows it, as
// Open Existing Account does once the path is chosen and the open account's
// change saved. A file that cannot be read is told and leaves the open
// account as it was.
void OpenAccountFiles(HWND hwnd, const char* path);

// "The disk is not ready." when the current folder holds no file at all.
bool CheckDisk(HWND hwnd);

// The delete chooser, the confirmation, and when the open account was
// deleted, the "Account" choice until an account is open or the user quits.
void DeleteAccount(HWND hwnd);

// Dialog 12 again and again until an account is open or the user quits.
void RunAccountChoice(HWND hwnd);

// Dialog 11; the new name goes into the header, the title and the file.
void RenameAccount(HWND hwnd);

// The start screen, run from the main window's first paint; returns once
// an account is open or after it has sent the quit command.
void RunStartScreen(HWND hwnd);

// Dialog 21 on the seven account-information texts; saves the account.
void RunAccountInfo(HWND hwnd);

// Slots 1 and up whose account file exists.
int CountExistingAccountFiles();
