// Restore from Backup: the open account's backups, newest first, and one
// of them put back in its place after one question; the account as it is
// now is kept as a backup too.
#pragma once

#include <windows.h>

#include <string>

#include "storage/backups.h"

inline constexpr char kRestoreTitle[] = "Restore from Backup";
inline constexpr int kIdRestoreText = 1500;
inline constexpr int kIdRestoreList = 1501;

// "05/01/26 09:30:07", the date in the program's format.
std::string BackupTimeText(const BackupTime& time);
// One line of the list: the time, the number of transactions and the
// ending balance, separated by tabs.
std::string BackupLineText(const BackupEntry& entry);
// "Replace <account> with its backup of <time>? The account as it is now is
// kept as a backup too."
std::string RestoreQuestion(const char* accountName, const BackupTime& time);

void RunRestoreBackupCommand(HWND hwnd, int id);
