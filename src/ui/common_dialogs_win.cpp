#include "ui/common_dialogs_win.h"

#include <string>

#include "base/log.h"
#include "base/utf16.h"
#include "base/wide_path_win.h"

namespace {

// An entry point of a system library, loaded on first use and kept for the
// rest of the run.
template <typename Function> Function LibraryEntry(HMODULE library, const char* libraryName, const char* name) {
    if (library == nullptr) {
        WriteLog("CommonDialogs: LoadLibrary %s: error %lu", libraryName, GetLastError());
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

template <typename Function> Function CommonDialogEntry(const char* name) {
    static HMODULE library = LoadLibraryA("comdlg32.dll");
    return LibraryEntry<Function>(library, "comdlg32", name);
}

template <typename Dialog> BOOL Show(const char* name, Dialog* dialog) {
    using Function = BOOL(WINAPI*)(Dialog*);
    static const Function show = CommonDialogEntry<Function>(name);
    return show != nullptr ? show(dialog) : FALSE;
}

// The program's text in UTF-16, NULs inside it kept (a filter is a list of
// NUL-ended texts); length counts every character but the final NUL.
std::wstring WideText(const char* text, std::size_t length) {
    std::wstring wide;
    for (std::size_t start = 0; text && start < length;) {
        const std::u16string part = Cp1252ToUtf16(text + start);
        wide.append(part.begin(), part.end());
        wide.push_back(L'\0');
        start += part.size() + 1;
    }
    return wide;
}

std::wstring WideText(const char* text) {
    return text ? WideText(text, std::char_traits<char>::length(text)) : std::wstring();
}

// A filter's length: up to the empty text that ends its list.
std::size_t FilterLength(const char* filter) {
    std::size_t length = 0;
    while (filter && filter[length] != '\0') length += std::char_traits<char>::length(filter + length) + 1;
    return length;
}

bool AskFilePath(BOOL (*show)(OPENFILENAMEW*), HWND owner, const FileDialogTexts& texts, char* path,
                 std::size_t size) {
    // The dialogs' own limit on a path, in characters.
    wchar_t buffer[MAX_PATH] = {};
    const std::wstring proposed = WidePath(path);
    proposed.copy(buffer, MAX_PATH - 1);
    const std::wstring filter = WideText(texts.filter, FilterLength(texts.filter));
    const std::wstring title = WideText(texts.title);
    const std::wstring extension = WideText(texts.defaultExtension);
    const std::wstring folder = texts.initialFolder ? WidePath(texts.initialFolder) : std::wstring();
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = texts.flags;
    ofn.lpstrDefExt = texts.defaultExtension ? extension.c_str() : nullptr;
    if (!show(&ofn)) return false;
    if (NarrowPath(buffer, path, size)) return true;
    WriteLog("CommonDialogs: the chosen path does not fit %u bytes", static_cast<unsigned>(size));
    return false;
}

}  // namespace

BOOL ShowSaveFileDialog(OPENFILENAMEW* ofn) { return Show("GetSaveFileNameW", ofn); }
BOOL ShowOpenFileDialog(OPENFILENAMEW* ofn) { return Show("GetOpenFileNameW", ofn); }

bool AskSaveFilePath(HWND owner, const FileDialogTexts& texts, char* path, std::size_t size) {
    return AskFilePath(ShowSaveFileDialog, owner, texts, path, size);
}

bool AskOpenFilePath(HWND owner, const FileDialogTexts& texts, char* path, std::size_t size) {
    return AskFilePath(ShowOpenFileDialog, owner, texts, path, size);
}

BOOL ShowPrintDialog(PRINTDLGA* pd) { return Show("PrintDlgA", pd); }

BOOL InitCommonControlClasses(DWORD classes) {
    using Function = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static HMODULE library = LoadLibraryA("comctl32.dll");
    static const Function init = LibraryEntry<Function>(library, "comctl32", "InitCommonControlsEx");
    INITCOMMONCONTROLSEX controls{sizeof controls, classes};
    return init != nullptr ? init(&controls) : FALSE;
}
