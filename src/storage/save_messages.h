// The message every failed save shows: the account pair, the options file
// after a password change, one text wherever a save can fail.
#pragma once

inline constexpr const char kSaveErrorTitle[] = "Error Saving File";
inline constexpr const char kSaveErrorText[] =
    "Cannot save Ledgerpad data because there is not enough free disk space.\n"
    "Delete files to free disk space and then try again.";

// Closing the program while a change cannot be saved: the file, then the
// system's reason for the failure.
inline constexpr const char kQuitAnywayTitle[] = "Error Saving File";
inline constexpr const char kQuitAnywayText[] =
    "Ledgerpad could not save your last change to %s: %s. Quit anyway and lose it?";
