// Saving the open account: every change the user confirms rewrites the
// account file and its information file at once. There is no Save command.
#pragma once

#include "model/undo_history.h"
#include "storage/save_attempt.h"
#include "storage/storage_constants.h"

struct RecordNode;

// Full path of the open account's file; empty while a create or an open
// from the list is choosing, "new" while the start screen shows with no
// account open.
extern char g_CurrentAccountFile[kPathSize];

inline constexpr const char kNoAccountToSaveTitle[] = "File Error";
inline constexpr const char kNoAccountToSaveText[] = "There is no open account to save.";

// Writes g_Account to g_CurrentAccountFile, then its information file.
// The record of the register's focused row first moves to its sorted place.
// A save that fails leaves the previous files as they were, records the
// failure in the action (save_attempt.h) and keeps g_Account.needsSaving set, so
// the change is written by the next save. Within an action whose save
// failed already, nothing is tried again. The program saves through
// SaveAccount (ui/storage_messages.h), which tells the user.
SaveResult SaveOpenAccount();

// The register names the node of its focused row here, so that a record
// whose date was just typed is stored in date order. Without a source (or
// when it gives none) nothing is moved.
using FocusedNodeSource = RecordNode* (*)();
void SetFocusedNodeSource(FocusedNodeSource source);

// What the open account's saves have changed, for Undo and Redo. Every save
// that succeeds records its change here; opening, creating, closing and
// renaming an account start it anew.
extern AccountHistory g_AccountHistory;
