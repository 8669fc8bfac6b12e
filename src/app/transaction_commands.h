// New Transaction and Delete Transaction: a blank record put above the
// focused row of the register, and the focused record taken out of the
// account. Both are written to the account file at once.
#pragma once

#include <windows.h>

inline constexpr char kDeleteTransactionTitle[] = "Delete Transaction";  // also its Undo name
inline constexpr char kNewTransactionChange[] = "New Transaction";
inline constexpr char kAreYouSureText[] = "Are you sure?";
inline constexpr char kLastTransactionText[] =
    "An account needs at least one transaction.\n"
    "The transaction you are trying to delete is the last remaining transaction.\n"
    "Enter another transaction if you want to delete this transaction.";

// A zero-filled record inserted above the focused row; the focus goes to
// its Date field. Nothing is added while the focused row has no valid date
// (the blank row waiting at the end, or a date typed wrong, which is shown
// with its message).
void NewTransaction();
// Takes the focused record out of the account, refills the register with
// the focus one row up, and saves. The last record of an account stays,
// with a message.
void DeleteTransaction();

// The command table's functions: New Transaction runs after its guard;
// Delete Transaction asks "Are you sure?" first and has no guard, so that
// a row whose input is refused can still be deleted.
void RunNewTransactionCommand(HWND hwnd, int id);
void RunDeleteTransactionCommand(HWND hwnd, int id);
