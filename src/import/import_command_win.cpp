// Import Bank Statement: the Open dialog, reading the file, the choice of
// account, the preview, and carrying out what the user ticked.
#include "import/import_command.h"

#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/log.h"
#include "base/path_size.h"
#include "base/wide_path_win.h"
#include "features/balance_account.h"
#include "import/import_dialogs_win.h"
#include "import/import_texts.h"
#include "import/statement_match.h"
#include "model/account.h"
#include "model/model_texts.h"
#include "register/multi_records.h"
#include "register/register_display.h"
#include "register/register_host.h"
#include "storage/last_error.h"
#include "storage/backups.h"
#include "storage/save_account.h"
#include "storage/whole_file.h"
#include "ui/common_dialogs_win.h"
#include "ui/message_box.h"
#include "ui/storage_messages.h"
#include "values/date.h"

namespace {

constexpr DWORD kOpenFlags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;

void Tell(HWND owner, const PathMessage& text, UINT icon) {
    ShowMessage(owner, text, kImportTitle, MB_OK | icon);
}

// The folder of the statement opened last in this run.
std::string g_lastFolder;

// The user's Downloads folder, where a statement from the bank lands; ""
// when the system names none.
std::string DownloadsFolder() {
    PWSTR wide = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Downloads, 0, nullptr, &wide))) folder = NarrowPath(wide);
    CoTaskMemFree(wide);
    return folder;
}

// The Open dialog, in the folder used last, the Downloads folder the first
// time; false when the user cancelled.
bool AskForFile(HWND owner, std::string& path) {
    const std::string folder = g_lastFolder.empty() ? DownloadsFolder() : g_lastFolder;
    char buffer[kPathSize] = {};
    const FileDialogTexts texts{kImportFilter, kImportTitle, nullptr, folder.empty() ? nullptr : folder.c_str(),
                                kOpenFlags};
    if (!AskOpenFilePath(owner, texts, buffer, sizeof buffer)) return false;
    path = buffer;
    const std::size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos) g_lastFolder = path.substr(0, slash + 1);
    return true;
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_Handle(handle) {}
    ~FileHandle() {
        if (m_Handle != INVALID_HANDLE_VALUE) CloseHandle(m_Handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return m_Handle; }

private:
    HANDLE m_Handle;
};

// The file's bytes, or false with the reason it cannot be had.
bool ReadStatementBytes(const std::string& path, std::string& bytes, std::string& reason) {
    FileHandle file(CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE) {
        reason = SystemErrorText(GetLastError());
        return false;
    }
    const WholeFileRead read = ReadWholeFile(file.Get(), kLargestStatementFile, [&](std::size_t size) {
        bytes.resize(size);
        return reinterpret_cast<unsigned char*>(bytes.data());
    });
    if (read.tooLarge) {
        reason = kStatementFileTooLarge;
        return false;
    }
    if (!read.Complete()) {
        reason = read.Reason();
        return false;
    }
    return true;
}

// The statement to import, or false after telling why there is none.
bool ReadStatement(HWND owner, const std::string& path, Statement& statement) {
    const std::string name = FileNameOf(path);
    std::string bytes, reason;
    if (!ReadStatementBytes(path, bytes, reason)) {
        WriteLog("Import: cannot read %s: %s", path.c_str(), reason.c_str());
        Tell(owner, ImportErrorText(name, reason), MB_ICONEXCLAMATION);
        return false;
    }
    StatementFile file = ReadStatementFile(bytes, DayOrderOfFormat(g_Date.GetDateFormat()));
    if (!file.error.empty() || file.statements.empty()) {
        Tell(owner, ImportErrorText(name, file.error.empty() ? kNotAStatement : file.error), MB_ICONEXCLAMATION);
        return false;
    }
    int chosen = 0;
    if (file.statements.size() > 1) {
        chosen = ChooseStatement(owner, file.statements);
        if (chosen < 0) return false;
    }
    statement = std::move(file.statements[static_cast<std::size_t>(chosen)]);
    return true;
}

// The register refilled after the change, from the view's record
// topIndex, kept to a full last screen.
void RefillRegister(int topIndex) {
    const int balances = g_Account.ComputeBalances();
    if (balances != kBalancesOk) ShowBalanceError(balances);
    g_Account.topIndex = std::clamp(topIndex, 0, LastScreenTopIndex());
    g_Account.PositionAtTop(g_Account.topIndex);
    DisplayRecords(g_Account.current);
    g_MultiRecords.UpdateScrollBar();
}

void ImportFile(HWND owner, const std::string& path, ShowAllViewFunction showAllView) {
    Statement statement;
    if (!ReadStatement(owner, path, statement)) return;
    const std::string name = FileNameOf(path);
    std::vector<ImportRow> rows = MatchStatement(statement, g_Account);
    std::vector<bool> ticked;
    if (!PreviewImport(owner, name, statement, rows, ticked)) return;

    // What the register would refuse to show is refused here, before
    // anything changes, rather than left for every later command to trip on.
    const ImportPlan plan = PlanImport(g_Account, statement, rows, ticked);
    const BalanceOverflow overflow = CheckImportBalances(g_Account, plan);
    if (overflow.result != kBalancesOk) {
        WriteLog("Import: %s refused, balance out of range (%d)", name.c_str(), overflow.result);
        Tell(owner, ImportErrorText(name, BalanceLimitText(overflow)), MB_ICONEXCLAMATION);
        return;
    }
    if (plan.ChangesAnything()) {
        const BackupResult backup = BackUpNow();
        const int firstTouched = CarryOutImport(g_Account, plan);
        g_Account.needsSaving = 1;
        g_AccountHistory.NameNextChange("Import of " + name);
        const bool saved = SaveAccount();
        // The records marked "R" would vanish from the Current view.
        showAllView();
        RefillRegister(firstTouched);
        // The save's own message has told the failure; the change waits
        // for the next save, and nothing is summed up as done.
        if (!saved) return;
        TellBackupFailure(owner, backup);
    }
    // The summary starts with the file's name, which is UTF-8.
    std::string summary = ImportSummaryText(name, plan.counts);
    if (plan.ChangesAnything()) summary += kShownInAllViewText;
    Tell(owner, PathMessage{"", name, summary.substr(name.size())}, MB_ICONINFORMATION);
    if (statement.endingBalanceCents)
        BalanceAfterImport(owner, TypedBalanceText(*statement.endingBalanceCents).c_str());
}

}  // namespace

void RunImportCommand(HWND hwnd, ShowAllViewFunction showAllView) {
    if (!g_Account.isOpen) return;
    // An allocation that fails ends at the command's boundary, which tells
    // it; an import fails whole (CarryOutImport), so the account is as it
    // was or as the import left it, never in between.
    std::string path;
    if (AskForFile(hwnd, path)) ImportFile(hwnd, path, showAllView);
}
