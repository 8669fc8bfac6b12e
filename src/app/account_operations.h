// Steps shared by the account operations: the slot files as the choosers
// see them, showing a freshly opened or created account, and the messages
// every operation shows the same way.
#pragma once

#include <windows.h>

#include <vector>

#include "model/account_lifecycle.h"

// The slot files on disk.
class SlotFiles : public AccountFileProbe {
public:
    bool Exists(const char* path) override;
    // Tells the user ("Unable to open account") when the file cannot be opened.
    bool ReadHeader(const char* path, AccountHeader& header) override;
};

// The paths of slots 1 and up, in slot order.
std::vector<const char*> AccountSlotPathList();

void SetCurrentAccountFile(const char* path);
void SetRequestedAccountFile(const char* path);

// An information box owned by owner.
void Inform(HWND owner, const char* text, const char* title);

// The "Data Entry Error" message for a ComputeBalances result of 1 or 2.
void ReportBalanceResult(HWND hwnd, int result);

// Checks the View menu item of the view and makes it the account's view.
void SelectAccountView(int view);

// Positions the open account at topIndex, empties and refills the register,
// focuses its last filled row and updates the scroll bar.
void RefillRegister();

// A change that an earlier save could not write is written before the
// account is closed; false (the user has been told) when it still cannot
// be, and the account must then stay open.
bool SavePendingChanges();

