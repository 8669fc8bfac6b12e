// The safety net's file names: before the first change of a day to an
// account, and before every import, its two files are copied into the
// Backups folder as "<file name> YYYY-MM-DD HH.MM.SS.LPD" (LEDGR1.LPD gives
// "LEDGR1 2026-05-01 09.30.00.LPD", its information file LEDGR1I.LPD
// "LEDGR1I 2026-05-01 09.30.00.LPD"). The newest 20 of an account are kept.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

inline constexpr char kBackupFolderName[] = "Backups";
inline constexpr std::size_t kBackupsKept = 20;

struct BackupTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    auto operator<=>(const BackupTime&) const = default;
};

// fileName is the account's or its information file's name, without folder.
std::string BackupFileName(const std::string& fileName, const BackupTime& time);
// The time in a backup's name of that file; nothing when name is no backup
// of it (another account's, another file, a damaged name).
std::optional<BackupTime> BackupTimeOf(const std::string& fileName, const std::string& name);

// Of the names in the folder, the backups of fileName, newest first.
std::vector<std::string> BackupsOf(const std::string& fileName, const std::vector<std::string>& names);
// The backups of fileName beyond the newest `kept`, to be removed.
std::vector<std::string> BackupsBeyond(const std::string& fileName, const std::vector<std::string>& names,
                                       std::size_t kept = kBackupsKept);
// True when none of the backups of fileName was made on the day of now.
bool FirstChangeOfTheDay(const std::string& fileName, const std::vector<std::string>& names, const BackupTime& now);
