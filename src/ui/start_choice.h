// The start screen's buttons and what each leads to. Platform-free.
#pragma once

// What a start-screen button leads to, given how many account files exist
// and the most recently used account.
enum class StartAction {
    OpenFromList,
    OpenMostRecent,
    Create,
    Quit,
    TellNoAccountToOpen,    // Open with no account file
    TellNoAccountForRecent, // Most Recently Used with no account file
    TellNoRecentAccount,    // Most Recently Used with none recorded
};
// choice is the start screen's result: its button id (dialog_ids.h), or
// any other value when the screen could not be shown, which quits rather
// than showing it again and again.
StartAction DecideStartChoice(int choice, int existingAccounts, const char* mostRecent);
