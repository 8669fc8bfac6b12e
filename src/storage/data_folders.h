// The data folders: <documents>\TallwoodWorks\<product>\ holds the account
// files, <application data>\TallwoodWorks\<product>\ the options file. The
// folder texts are process-wide; PrepareFolders fills them once at start-up.
#pragma once

#include <cstddef>
#include <string>

#include "storage/storage_constants.h"

// What PrepareFolders needs of the file system, so that its order of tests
// and creations can be checked without touching real folders.
class FolderSystem {
public:
    virtual ~FolderSystem() = default;
    // True when path names an existing folder (a file of that name is not one).
    virtual bool IsFolder(const char* path) = 0;
    // Creates the folder; a failure is not reported.
    virtual void CreateFolder(const char* path) = 0;
};

class DataFolders {
public:
    virtual ~DataFolders() = default;

    // Win32 (data_folders_win.cpp): takes the documents and application-data
    // folders from the shell (or the roots set for tests) and makes sure
    // the maker and product folders exist under both. True when the
    // accounts folder was missing, that is, on a first start.
    bool PrepareFolders(const char* productName);

    // The same on given roots and file system. An empty root (the shell
    // lookup failed) puts the folders under the root of the current drive.
    bool PrepareFolders(const char* productName, const char* documentsRoot,
                        const char* appDataRoot, FolderSystem& folders);
};

// The folder texts, valid after PrepareFolders.
std::string GetAccountsFolder();   // with its trailing "\"
std::string GetOptionsFolder();    // with its trailing "\"
std::string GetAppDataFolder();    // the application-data root
std::string GetDocumentsFolder();  // the documents root

// buffer = accounts (options) folder + fileName, cut to fit, and the rest of
// the buffer zero-filled. The empty name gives the folder itself.
void BuildAccountPath(char* buffer, std::size_t size, const char* fileName);
void BuildOptionsPath(char* buffer, std::size_t size, const char* fileName);
template <std::size_t N> void BuildAccountPath(char (&buffer)[N], const char* fileName) {
    BuildAccountPath(buffer, N, fileName);
}
template <std::size_t N> void BuildOptionsPath(char (&buffer)[N], const char* fileName) {
    BuildOptionsPath(buffer, N, fileName);
}

// Tests: PrepareFolders uses these roots instead of the user's real folders
// (nullptr goes back to the shell's folders).
void SetDataRootsForTesting(const char* documentsRoot, const char* appDataRoot);
// The roots set for tests, or nullptr when none are set.
const char* DocumentsRootForTesting();
const char* AppDataRootForTesting();
