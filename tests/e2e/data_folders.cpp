#include "data_folders.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "unique_handle.h"

namespace e2e {
namespace {

constexpr char kMakerFolder[] = "TallwoodWorks";
constexpr char kProductFolder[] = "Ledgerpad";

std::string SpecialFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return path;
}

std::string MakerFolderIn(int csidl) {
    std::string root = SpecialFolder(csidl);
    return root.empty() ? root : root + "\\" + kMakerFolder + "\\";
}

std::string ProductFolderIn(int csidl) {
    std::string maker = MakerFolderIn(csidl);
    return maker.empty() ? maker : maker + kProductFolder + "\\";
}

// Deletes `folder` (with its trailing backslash) and everything below it.
// Read-only files are made writable first, as a user deleting them would.
bool RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
    return !FolderExists(folder);
}

bool ResetIn(int csidl) {
    std::string product = ProductFolderIn(csidl);
    if (product.empty()) return false;
    if (FolderExists(product) && !RemoveTree(product)) return false;
    RemoveDirectoryA(MakerFolderIn(csidl).c_str());  // only succeeds when empty
    return true;
}

}  // namespace

std::string AccountsFolder() { return ProductFolderIn(CSIDL_PERSONAL); }
std::string OptionsFolder() { return ProductFolderIn(CSIDL_APPDATA); }

bool ResetDataFolders() {
    bool documents = ResetIn(CSIDL_PERSONAL);
    bool appData = ResetIn(CSIDL_APPDATA);
    return documents && appData;
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
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
    return CreateDirectoryA(trimmed.c_str(), nullptr) || FolderExists(trimmed);
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    size_t cut = path.find_last_of("\\/");
    if (cut != std::string::npos && !MakeFolders(path.substr(0, cut))) return false;
    UniqueHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD done = 0;
    return bytes.empty() ||
           (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
            done == bytes.size());
}

}  // namespace e2e
