#include <windows.h>
#include <shlobj.h>

#include "base/bounded_text.h"
#include "base/wide_path_win.h"
#include "storage/data_folders.h"

namespace {

// Path of a known folder of the user, or the empty text when the shell
// cannot give it or it does not fit a path buffer whole. Asked for the path
// directly: the item-list route would load the COM libraries at every start.
void KnownFolderPath(REFKNOWNFOLDERID id, char (&path)[kPathSize]) {
    path[0] = '\0';
    wchar_t* found = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &found))) NarrowPath(found, path);
    CoTaskMemFree(found);
}

class Win32Folders : public FolderSystem {
public:
    bool IsFolder(const char* path) override {
        DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    void CreateFolder(const char* path) override { CreateDirectoryW(WidePath(path).c_str(), nullptr); }
};

}  // namespace

bool DataFolders::PrepareFolders(const char* productName) {
    char documents[kPathSize];
    char appData[kPathSize];
    if (DocumentsRootForTesting()) {
        CopyBounded(documents, DocumentsRootForTesting());
        CopyBounded(appData, AppDataRootForTesting());
    } else {
        KnownFolderPath(FOLDERID_Documents, documents);
        KnownFolderPath(FOLDERID_RoamingAppData, appData);
    }
    Win32Folders folders;
    return PrepareFolders(productName, documents, appData, folders);
}
