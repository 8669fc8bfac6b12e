#include "data_folders.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "base/utf16.h"
#include "unique_handle.h"

namespace e2e {
namespace {

constexpr char kMakerFolder[] = "TallwoodWorks";
constexpr char kProductFolder[] = "Ledgerpad";

std::string KnownFolder(REFKNOWNFOLDERID id) {
    wchar_t* found = nullptr;
    std::string path;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &found))) path = Utf8(found);
    CoTaskMemFree(found);
    return path;
}

std::string MakerFolderIn(REFKNOWNFOLDERID id) {
    std::string root = KnownFolder(id);
    return root.empty() ? root : root + "\\" + kMakerFolder + "\\";
}

std::string ProductFolderIn(REFKNOWNFOLDERID id) {
    std::string maker = MakerFolderIn(id);
    return maker.empty() ? maker : maker + kProductFolder + "\\";
}

// Deletes `folder` (with its trailing backslash) and everything below it.
// Read-only files are made writable first, as a user deleting them would.
bool RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Wide(folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = Utf8(found.cFileName);
            if (name == "." || name == "..") continue;
            std::string path = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(Wide(path).c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(Wide(folder).c_str());
    return !FolderExists(folder);
}

bool ResetIn(REFKNOWNFOLDERID id) {
    std::string product = ProductFolderIn(id);
    if (product.empty()) return false;
    if (FolderExists(product) && !RemoveTree(product)) return false;
    RemoveDirectoryW(Wide(MakerFolderIn(id)).c_str());  // only succeeds when empty
    return true;
}

}  // namespace

std::wstring Wide(const std::string& path) {
    std::u16string wide;
    Utf8ToUtf16(path.c_str(), wide);
    return std::wstring(wide.begin(), wide.end());
}

std::string Utf8(const wchar_t* text) {
    std::string narrow;
    Utf16ToUtf8(reinterpret_cast<const char16_t*>(text), narrow);
    return narrow;
}

std::string AccountsFolder() { return ProductFolderIn(FOLDERID_Documents); }
std::string OptionsFolder() { return ProductFolderIn(FOLDERID_RoamingAppData); }
std::string ProfileFolder() { return KnownFolder(FOLDERID_Profile); }

bool ResetDataFolders() {
    bool documents = ResetIn(FOLDERID_Documents);
    bool appData = ResetIn(FOLDERID_RoamingAppData);
    return documents && appData;
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path) {
    UniqueHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > (1LL << 30)) return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD done = 0;
    if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) ||
                           done != bytes.size()))
        return std::nullopt;
    return bytes;
}

std::vector<std::string> FilesStartingWith(const std::string& path) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Wide(path + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(Utf8(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

bool MakeFolders(const std::string& folder) {
    if (folder.empty() || FolderExists(folder)) return true;
    std::string trimmed = folder;
    while (!trimmed.empty() && (trimmed.back() == '\\' || trimmed.back() == '/')) trimmed.pop_back();
    size_t cut = trimmed.find_last_of("\\/");
    if (cut != std::string::npos && cut > 2 && !MakeFolders(trimmed.substr(0, cut))) return false;
    return CreateDirectoryW(Wide(trimmed).c_str(), nullptr) || FolderExists(trimmed);
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    size_t cut = path.find_last_of("\\/");
    if (cut != std::string::npos && !MakeFolders(path.substr(0, cut))) return false;
    UniqueHandle file(
        CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD done = 0;
    return bytes.empty() ||
           (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
            done == bytes.size());
}

}  // namespace e2e
