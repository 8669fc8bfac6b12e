// The messages of the storage layer. Storage only returns what happened
// to a file; the window that asked tells the user with these, so that each
// result keeps one text, title and icon wherever it arises. Win32
// (storage_messages_win.cpp).
#pragma once

#include "storage/datafile_base.h"
#include "storage/save_attempt.h"

class Account;
class DataFile;
struct HWND__;

// "An error occured while trying to write to the file." for Failed, with
// no owner; true only for Written. Used for the options file.
bool TellFileWrite(FileWriteResult result);

// "Error Saving File" for Failed, owned by owner; true only for Saved.
bool TellSaveResult(HWND__* owner, SaveResult result);

// Saves the open account (SaveOpenAccount) and tells a failure: "There is
// no open account to save." or "Error Saving File", owned by the window of
// g_DataFile. True when both files were written.
bool SaveAccount();

// The safety net (storage/backups.h): SaveAccount makes the open account's
// first backup of the day before it saves; BackUpNow makes one whatever the
// day (before an import). A backup that cannot be made is logged and told
// once a run ("Ledgerpad could not make a backup of <file>: <reason>"),
// after the save that follows it and only when that save succeeded: one
// action tells one failure. What follows a failed backup goes on.
struct BackupResult;
BackupResult BackUpNow();
void TellBackupFailure(HWND__* owner, const BackupResult& result);
inline constexpr char kBackupErrorTitle[] = "Backup";

// DataFile::WriteAccountFile, a failure told as by SaveAccount.
bool WriteAccountFile(DataFile& file, const char* name, Account& account);

// DataFile::ReadAccountFile with its failure told, owned by the file's
// window: "Unable to open account <name>.", the read error with the path
// and reason, or "This is not a Ledgerpad file or the file has been
// damaged.". True when the account was read.
bool ReadAccountFile(DataFile& file, const char* name, Account& account);

// DataFile::OpenFileForReading, "Unable to open account <name>." told when
// the file cannot be opened.
bool OpenFileForReading(DataFile& file, const char* name);
