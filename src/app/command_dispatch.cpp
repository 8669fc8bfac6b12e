#include "app/command_dispatch.h"

#include <iterator>

#include "app/about_dialog.h"
#include "app/account_commands.h"
#include "app/calculator.h"
#include "app/command_guards.h"
#include "app/commands.h"
#include "app/help_page.h"
#include "app/main_window.h"
#include "app/restore_backup_win.h"
#include "app/transaction_commands.h"
#include "app/undo_commands.h"
#include "features/feature_commands.h"
#include "features/reports_window_win.h"
#include "import/import_command.h"
#include "model/account.h"
#include "register/multi_records.h"
#include "register/register.h"
#include "register/register_display.h"
#include "storage/save_attempt.h"
#include "values/date.h"
#include "ui/command_boundary.h"

namespace {

enum class Guard {
    None,
    Errors,                  // CheckForErrors
    BeforeFind,              // CheckForErrorBeforeFind
    LastDateThenErrors,      // only with an account whose last date is good
    DropEmptyThenErrors,
};

using CommandFunction = void (*)(HWND hwnd, int id);

struct CommandEntry {
    int id;
    Guard guard;
    // Null while the feature behind the command is not part of the build:
    // its menu item is greyed and the command does nothing.
    CommandFunction run;
};

// The checked item of the View menu.
int g_ViewItem = IDM_VIEW_CURRENT;

bool RunGuard(HWND hwnd, Guard guard) {
    switch (guard) {
        case Guard::None: return true;
        case Guard::Errors: return CheckForErrors(hwnd);
        case Guard::BeforeFind: return CheckForErrorBeforeFind(hwnd);
        case Guard::LastDateThenErrors:
            return g_MultiRecords.CheckLastRecordDate() && CheckForErrors(hwnd);
        case Guard::DropEmptyThenErrors:
            return g_MultiRecords.DropEmptyLastRecord() && CheckForErrors(hwnd);
    }
    return false;
}

// After a change of view or date format: the last screenful of the view,
// refilled, with the focus on the last filled row.
void RedisplayOpenAccount(bool keepField) {
    if (!g_Account.isOpen) return;
    g_MultiRecords.DropBlankTail();
    g_Account.ComputeBalances();
    g_Account.topIndex = LastScreenTopIndex();
    g_Account.PositionAtTop(g_Account.topIndex);
    DisplayRecords(g_Account.current);
    g_MultiRecords.SetFocusToRecordAndField(g_MultiRecords.LastFilledRow(), keepField ? -1 : 1);
    g_MultiRecords.UpdateScrollBar();
}

void RunAbout(HWND hwnd, int) {
    ShowAboutBox(hwnd);
    RefreshAfterCommand(true);
}

// The feature commands leave the register to be refilled here, the layer
// that owns it.
void RunBalance(HWND hwnd, int id) {
    RunBalanceCommand(hwnd, id);
    RefreshAfterCommand(true);
}

void RunExport(HWND hwnd, int id) {
    RunExportCommand(hwnd, id);
    RefreshAfterCommand(true);
}

void ShowAllView() {
    SelectViewMenuItem(IDM_VIEW_ALL);
    g_Account.view = ViewAll;
}

void RunImport(HWND hwnd, int) {
    RunImportCommand(hwnd, ShowAllView);
    RefreshAfterCommand(true);
}

void RunPrint(HWND hwnd, int id) {
    RunPrintCommand(hwnd, id);
    RefreshAfterCommand(true);
}

void RunReports(HWND hwnd, int id) {
    RunReportsCommand(hwnd, id);
    RefreshAfterCommand(true);
}

void RunQuitFromStart(HWND hwnd, int) { PostMessageA(hwnd, WM_CLOSE, 0, 0); }

void RunView(HWND, int id) {
    SelectViewMenuItem(id);
    g_Account.view = id - IDM_VIEW_ALL;
    RedisplayOpenAccount(false);
}

void RunHelp(HWND hwnd, int) {
    RefreshAfterCommand(true);
    OpenHelpPage(hwnd);
}

void RunInsertDate(HWND, int) { InsertDate(); }

void RunCalculator(HWND hwnd, int) {
    StartCalculator(hwnd);
    RefreshAfterCommand(true);
}

void RunExit(HWND hwnd, int) {
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    g_MultiRecords.SetFocusToRecordAndField(-1, -1);
}

void RunDateFormat(HWND, int id) {
    CheckMenuItem(g_hMenu, IDM_DATE_MMDDYY + g_Date.GetDateFormat(), MF_BYCOMMAND | MF_UNCHECKED);
    g_Date.SetDateFormat(id - IDM_DATE_MMDDYY);
    CheckMenuItem(g_hMenu, IDM_DATE_MMDDYY + g_Date.GetDateFormat(), MF_BYCOMMAND | MF_CHECKED);
    RedisplayOpenAccount(true);
}

// Commands whose run is null come with the features that carry them out.
constexpr CommandEntry kCommands[] = {
    {IDM_ABOUT, Guard::Errors, RunAbout},
    {IDM_QUIT_START, Guard::None, RunQuitFromStart},
    {IDM_CREATE_ACCOUNT, Guard::Errors, RunCreateAccountCommand},
    {IDM_OPEN_ACCOUNT, Guard::Errors, RunOpenAccountCommand},
    {IDM_DELETE_ACCOUNT, Guard::LastDateThenErrors, RunDeleteAccountCommand},
    {IDM_PRINT, Guard::Errors, RunPrint},
    {IDM_NEW_TRANSACTION, Guard::BeforeFind, RunNewTransactionCommand},
    {IDM_DELETE_TRANSACTION, Guard::None, RunDeleteTransactionCommand},
    {IDM_BALANCE, Guard::Errors, RunBalance},
    {IDM_VIEW_ALL, Guard::Errors, RunView},
    {IDM_VIEW_CURRENT, Guard::Errors, RunView},
    {IDM_HELP, Guard::Errors, RunHelp},
    {IDM_INSERT_DATE, Guard::None, RunInsertDate},
    {IDM_CALCULATOR, Guard::Errors, RunCalculator},
    // Closing runs the checks and the save itself, and asks when the change
    // cannot be saved.
    {IDM_EXIT, Guard::None, RunExit},
    {IDM_DATE_MMDDYY, Guard::DropEmptyThenErrors, RunDateFormat},
    {IDM_DATE_DDMMYY, Guard::DropEmptyThenErrors, RunDateFormat},
    {IDM_DATE_YYMMDD, Guard::DropEmptyThenErrors, RunDateFormat},
    {IDM_DATE_YYDDMM, Guard::DropEmptyThenErrors, RunDateFormat},
    {IDM_RENAME_ACCOUNT, Guard::None, RunRenameAccountCommand},
    {IDM_EXPORT, Guard::Errors, RunExport},
    {IDM_IMPORT, Guard::Errors, RunImport},
    {IDM_CREATE_PASSWORD, Guard::Errors, RunPasswordCommand},
    {IDM_CHANGE_PASSWORD, Guard::Errors, RunPasswordCommand},
    {IDM_REMOVE_PASSWORD, Guard::Errors, RunPasswordCommand},
    {IDM_ACCOUNT_INFO, Guard::Errors, RunAccountInfoCommand},
    {IDM_FIND, Guard::BeforeFind, RunFindCommand},
    // Undo takes typing back itself, so no check commits it first.
    {IDM_UNDO, Guard::None, RunUndoCommand},
    {IDM_REDO, Guard::None, RunRedoCommand},
    {IDM_RESTORE_BACKUP, Guard::Errors, RunRestoreBackupCommand},
    {IDM_REPORTS, Guard::Errors, RunReports},
};

const CommandEntry* FindCommand(int id) {
    for (const CommandEntry& entry : kCommands) {
        if (entry.id == id) return &entry;
    }
    return nullptr;
}

}  // namespace

void SelectViewMenuItem(int id) {
    CheckMenuItem(g_hMenu, g_ViewItem, MF_BYCOMMAND | MF_UNCHECKED);
    CheckMenuItem(g_hMenu, id, MF_BYCOMMAND | MF_CHECKED);
    g_ViewItem = id;
}

bool DispatchCommand(HWND hwnd, int id) {
    const CommandEntry* entry = FindCommand(id);
    if (!entry) return false;
    if (!entry->run) return true;
    SaveAttempt attempt;
    RunToCommandBoundary(hwnd, [&] {
        if (RunGuard(hwnd, entry->guard)) entry->run(hwnd, id);
    });
    return true;
}

void InitCommandMenu(HMENU menu) {
    for (const CommandEntry& entry : kCommands) {
        if (!entry.run) EnableMenuItem(menu, entry.id, MF_BYCOMMAND | MF_GRAYED);
    }
    CheckMenuItem(menu, IDM_DATE_MMDDYY + g_Date.GetDateFormat(), MF_BYCOMMAND | MF_CHECKED);
}
