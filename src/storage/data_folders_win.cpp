#include <windows.h>
#include <shlobj.h>

#include "base/bounded_text.h"
#include "storage/data_folders.h"

namespace {

// Path of a shell special folder, or the empty text when the shell cannot
// give it. Asked for the path directly: the item-list route would load the
// COM libraries at every start.
void SpecialFolderPath(int csidl, char (&path)[kPathSize]) {
    path[0] = '\0';
    char found[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, found))) CopyBounded(path, found);
}

class Win32Folders : public FolderSystem {
public:
    bool IsFolder(const char* path) override {
        DWORD attributes = GetFileAttributesA(path);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    void CreateFolder(const char* path) override { CreateDirectoryA(path, nullptr); }
};

}  // namespace

bool DataFolders::PrepareFolders(const char* productName) {
    char documents[kPathSize];
    char appData[kPathSize];
    if (DocumentsRootForTesting()) {
        CopyBounded(documents, DocumentsRootForTesting());
        CopyBounded(appData, AppDataRootForTesting());
    } else {
        SpecialFolderPath(CSIDL_PERSONAL, documents);
        SpecialFolderPath(CSIDL_APPDATA, appData);
    }
    Win32Folders folders;
    return PrepareFolders(productName, documents, appData, folders);
}
