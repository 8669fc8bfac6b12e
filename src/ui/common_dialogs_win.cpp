#include "ui/common_dialogs_win.h"

#include "base/log.h"

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

}  // namespace

BOOL ShowSaveFileDialog(OPENFILENAMEA* ofn) { return Show("GetSaveFileNameA", ofn); }
BOOL ShowOpenFileDialog(OPENFILENAMEA* ofn) { return Show("GetOpenFileNameA", ofn); }
BOOL ShowPrintDialog(PRINTDLGA* pd) { return Show("PrintDlgA", pd); }

BOOL InitCommonControlClasses(DWORD classes) {
    using Function = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static HMODULE library = LoadLibraryA("comctl32.dll");
    static const Function init = LibraryEntry<Function>(library, "comctl32", "InitCommonControlsEx");
    INITCOMMONCONTROLSEX controls{sizeof controls, classes};
    return init != nullptr ? init(&controls) : FALSE;
}
