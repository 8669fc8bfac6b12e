#include "storage/data_folders.h"

#include <cstring>

#include "base/bounded_text.h"

namespace {

char g_documentsRoot[kPathSize];
char g_appDataRoot[kPathSize];
char g_accountsFolder[kPathSize];
char g_optionsFolder[kPathSize];

bool g_rootsOverridden = false;
char g_testDocumentsRoot[kPathSize];
char g_testAppDataRoot[kPathSize];

// Roots are kept without a trailing "\" ("D:\" becomes "D:").
void SetRoot(char (&root)[kPathSize], const char* path) {
    CopyBounded(root, path);
    std::size_t length = std::strlen(root);
    while (length > 0 && (root[length - 1] == '\\' || root[length - 1] == '/')) root[--length] = '\0';
}

void JoinPath(char (&out)[kPathSize], const char* a, const char* b, const char* c = "",
              const char* d = "") {
    CopyBounded(out, a);
    AppendBounded(out, b);
    AppendBounded(out, c);
    AppendBounded(out, d);
}

// Tests both roots first, then creates what is missing, application-data
// side first. True when the documents side was missing.
bool EnsureFolderPair(FolderSystem& folders, const char* appDataPath, const char* documentsPath) {
    bool appDataExists = folders.IsFolder(appDataPath);
    bool documentsExists = folders.IsFolder(documentsPath);
    if (!appDataExists) folders.CreateFolder(appDataPath);
    if (!documentsExists) folders.CreateFolder(documentsPath);
    return !documentsExists;
}

void BuildPath(const char* folder, char* buffer, std::size_t size, const char* fileName) {
    if (!buffer || size == 0) return;
    std::memset(buffer, 0, size);
    CopyBounded(buffer, size, folder);
    AppendBounded(buffer, size, fileName ? fileName : "");
}

}  // namespace

bool DataFolders::PrepareFolders(const char* productName, const char* documentsRoot,
                                 const char* appDataRoot, FolderSystem& folders) {
    char productFolder[kPathSize];
    JoinPath(productFolder, kPathSeparator, productName ? productName : "");
    SetRoot(g_documentsRoot, documentsRoot ? documentsRoot : "");
    SetRoot(g_appDataRoot, appDataRoot ? appDataRoot : "");

    char appDataPath[kPathSize];
    char documentsPath[kPathSize];
    JoinPath(appDataPath, g_appDataRoot, kMakerFolder);
    JoinPath(documentsPath, g_documentsRoot, kMakerFolder);
    EnsureFolderPair(folders, appDataPath, documentsPath);

    JoinPath(appDataPath, g_appDataRoot, kMakerFolder, productFolder);
    JoinPath(documentsPath, g_documentsRoot, kMakerFolder, productFolder);
    const bool accountsFolderNew = EnsureFolderPair(folders, appDataPath, documentsPath);

    JoinPath(g_accountsFolder, g_documentsRoot, kMakerFolder, productFolder, kPathSeparator);
    JoinPath(g_optionsFolder, g_appDataRoot, kMakerFolder, productFolder, kPathSeparator);
    return accountsFolderNew;
}

std::string GetAccountsFolder() {
    return g_accountsFolder;
}

std::string GetOptionsFolder() {
    return g_optionsFolder;
}

std::string GetAppDataFolder() {
    return g_appDataRoot;
}

std::string GetDocumentsFolder() {
    return g_documentsRoot;
}

void BuildAccountPath(char* buffer, std::size_t size, const char* fileName) {
    BuildPath(g_accountsFolder, buffer, size, fileName);
}

void BuildOptionsPath(char* buffer, std::size_t size, const char* fileName) {
    BuildPath(g_optionsFolder, buffer, size, fileName);
}

void SetDataRootsForTesting(const char* documentsRoot, const char* appDataRoot) {
    g_rootsOverridden = documentsRoot && appDataRoot;
    CopyBounded(g_testDocumentsRoot, g_rootsOverridden ? documentsRoot : "");
    CopyBounded(g_testAppDataRoot, g_rootsOverridden ? appDataRoot : "");
}

const char* DocumentsRootForTesting() {
    return g_rootsOverridden ? g_testDocumentsRoot : nullptr;
}

const char* AppDataRootForTesting() {
    return g_rootsOverridden ? g_testAppDataRoot : nullptr;
}
