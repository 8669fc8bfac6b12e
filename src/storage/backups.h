// The safety net: copies of an account's two files in the Backups folder
// beside them, made before the first change of each day and before every
// import, and put back by Restore from Backup. The newest 20 of an account
// are kept. Win32 (backups_win.cpp); the names are backup_names.h's.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "storage/backup_names.h"

// One backup, as Restore from Backup lists it.
struct BackupEntry {
    std::string accountPath;  // the copy of the account file
    std::string infoPath;     // the copy of its information file; "" when none was made
    BackupTime time;
    std::uint64_t records = 0;  // transactions in it
    double endingBalance = 0.0; // after its last transaction, every record counted
};

struct BackupResult {
    bool made = false;          // a backup was made now
    bool failed = false;        // one was due and could not be made (logged)
    unsigned long error = 0;    // the system's reason
};

BackupTime LocalTimeNow();
// Copies accountFile and its information file (when there is one) into the
// Backups folder beside accountFile, then removes the account's backups
// beyond the newest 20.
BackupResult MakeBackup(const char* accountFile, const BackupTime& now);
// The same, only when no backup of the account was made on the day of now.
BackupResult MakeFirstBackupOfTheDay(const char* accountFile, const BackupTime& now);
// The account's backups, newest first; one that cannot be read is left out.
std::vector<BackupEntry> ListBackups(const char* accountFile);
// Puts the backup's bytes in place of accountFile and its information file
// through the crash-safe writer (the information file is removed when the
// backup has none), after keeping the account as it is now as a backup
// made at `now`. The backup is read first, so keeping the newest 20 cannot
// take it away. Nothing is replaced unless it was read and the account as
// it is now was kept.
enum class RestoreStep { Restored, ReadingTheBackup, KeepingTheAccount, Writing };
struct RestoreResult {
    RestoreStep step = RestoreStep::Restored;  // where it stopped
    unsigned long error = 0;
};
RestoreResult RestoreBackup(const char* accountFile, const BackupEntry& backup, const BackupTime& now);
// The folder of accountFile's backups.
std::string BackupFolderOf(const char* accountFile);
