// The program's data folders, seen from the driver, and the files in them.
// The driver runs in the same Wine prefix as the program, so the special
// folders it finds are the program's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Paths are UTF-8, as the program keeps them; they reach the system through
// its wide calls, so that a user's folders may be named in any script.
std::wstring Wide(const std::string& path);
std::string Utf8(const wchar_t* text);

// The user's profile folder (C:\users\<name>).
std::string ProfileFolder();

// Documents\TallwoodWorks\Ledgerpad\ and AppData\TallwoodWorks\Ledgerpad\,
// each with its trailing backslash; empty when the special folder is unknown.
std::string AccountsFolder();
std::string OptionsFolder();

// Removes both product folders with everything in them, and the maker
// folders when nothing else is left in them, so that the program starts as
// on a fresh machine. True when both product folders are gone.
bool ResetDataFolders();

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path);
// The names of the files in `path`'s folder whose names start with its
// name, sorted: the file and whatever a save left beside it.
std::vector<std::string> FilesStartingWith(const std::string& path);
// Writes `bytes` as the whole file, making its folder first.
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// Makes `folder` and any missing folders above it.
bool MakeFolders(const std::string& folder);

}  // namespace e2e
