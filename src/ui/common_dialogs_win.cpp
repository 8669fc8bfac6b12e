#include "ui/common_dialogs_win.h"

#include "base/log.h"

namespace {

// The entry point of the common-dialog library, loaded on first use and
// kept for the rest of the run.
template <typename Function> Function CommonDialogEntry(const char* name) {
    static HMODULE library = LoadLibraryA("comdlg32.dll");
    if (library == nullptr) {
        WriteLog("CommonDialogs: LoadLibrary comdlg32: error %lu", GetLastError());
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
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
