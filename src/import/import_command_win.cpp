// Import Bank Statement: the Open dialog, reading the file, the choice of
// account, the preview, and carrying out what the user ticked.
#include "import/import_command.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/log.h"
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
#include "storage/whole_file.h"
#include "ui/common_dialogs_win.h"
#include "ui/message_box.h"
#include "ui/storage_messages.h"
#include "values/date.h"

namespace {

constexpr DWORD kOpenFlags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;

void Tell(HWND owner, const std::string& text, UINT icon) {
    ShowMessage(owner, text.c_str(), kImportTitle, MB_OK | icon);
}

// The Open dialog, in the folder the system remembers (where statements
// were downloaded last); false when the user cancelled.
bool AskForFile(HWND owner, std::string& path) {
    char buffer[MAX_PATH] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kImportFilter;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = sizeof buffer;
    ofn.lpstrTitle = kImportTitle;
    ofn.Flags = kOpenFlags;
    if (!ShowOpenFileDialog(&ofn)) return false;
    path = buffer;
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
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
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

// The register refilled after the change: the same place when the view
// still reaches it, else its last screenful.
void RefillRegister() {
    const int balances = g_Account.ComputeBalances();
    if (balances != kBalancesOk) ShowBalanceError(balances);
    g_Account.topIndex = std::clamp(static_cast<int>(g_Account.topIndex), 0, LastScreenTopIndex());
    g_Account.PositionAtTop(g_Account.topIndex);
    DisplayRecords(g_Account.current);
    g_MultiRecords.UpdateScrollBar();
}

void ImportFile(HWND owner, const std::string& path) {
    Statement statement;
    if (!ReadStatement(owner, path, statement)) return;
    const std::string name = FileNameOf(path);
    std::vector<ImportRow> rows = MatchStatement(statement, g_Account);
    std::vector<bool> ticked;
    if (!PreviewImport(owner, name, statement, rows, ticked)) return;

    const ImportCounts counts = ApplyImport(g_Account, statement, rows, ticked);
    if (counts.markedR + counts.added > 0) {
        g_Account.needsSaving = 1;
        SaveAccount();
        RefillRegister();
    }
    Tell(owner, ImportSummaryText(name, counts), MB_ICONINFORMATION);
    if (statement.endingBalanceCents) BalanceAccount(owner, TypedBalanceText(*statement.endingBalanceCents).c_str());
}

}  // namespace

void RunImportCommand(HWND hwnd, int) {
    if (!g_Account.isOpen) return;
    std::string path;
    if (AskForFile(hwnd, path)) ImportFile(hwnd, path);
}
