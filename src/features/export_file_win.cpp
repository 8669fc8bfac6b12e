// Export: the range dialog, the save-file dialog and the file.
#include <windows.h>

#include <commdlg.h>

#include <cstdio>
#include <cstring>

#include "features/date_range.h"
#include "features/export_file.h"
#include "features/feature_commands.h"
#include "features/range_dialog_win.h"
#include "model/account.h"
#include "storage/atomic_file.h"
#include "storage/data_folders.h"
#include "storage/last_error.h"
#include "base/log.h"
#include "ui/common_dialogs_win.h"
#include "ui/message_box.h"

namespace {

void Tell(HWND owner, const char* text, const char* title) {
    ShowMessage(owner, text, title, MB_OK | MB_ICONINFORMATION);
}

// The save-file dialog; false when the user cancelled.
bool AskForFile(HWND owner, char (&path)[kExportPathSize]) {
    std::snprintf(path, sizeof path, "%s", kExportDefaultName);
    const std::string folder = GetAccountsFolder();
    WriteLog("Folder: %s", folder.c_str());
    const FileDialogTexts texts{kExportFilter, kExportSaveTitle, kExportDefaultExtension, folder.c_str(),
                                kExportSaveFlags};
    return AskSaveFilePath(owner, texts, path, sizeof path);
}

}  // namespace

bool WriteExportText(const char* path, const std::string& text, unsigned long* error) {
    AtomicFileWriter writer;
    const bool ok = writer.Open(path) &&
                    (text.empty() || writer.Write(text.data(), static_cast<std::uint32_t>(text.size()))) &&
                    writer.Commit();
    if (!ok && error != nullptr) *error = writer.LastError();
    return ok;
}

bool ExportFile::Export(HWND owner, const RecordNode* first, int view) {
    if (RunRangeDialog(owner, g_DateRange, kExportRangeTitle) != kIdOk) return false;
    switch (g_DateRange.HasRecords(first, view)) {
        case kRangeNothingInRange: Tell(owner, kExportNoDataInRangeText, kExportRangeTitle); return false;
        case kRangeOnlyReconciled: Tell(owner, kExportNoDataText, kExportRangeTitle); return false;
    }
    char path[kExportPathSize] = {};
    if (!AskForFile(owner, path)) return false;
    m_FileName = path;
    const std::string text = BuildExportText(first, view, g_DateRange);
    unsigned long error = 0;
    if (!WriteExportText(path, text, &error)) {
        WriteLog("ExportFile::Export: cannot write %s, error %lu", path, error);
        ShowMessage(owner, ExportErrorMessage(path, SystemErrorText(error).c_str()), kExportErrorTitle,
                    MB_OK | MB_ICONINFORMATION);
        return false;
    }
    return true;
}

void RunExportCommand(HWND hwnd, int) {
    if (g_Account.isOpen) {
        // The running balances of the view as the register shows them.
        g_Account.ComputeBalances();
        ExportFile file;
        file.Export(hwnd, g_Account.Head(), g_Account.view);
    }
}
