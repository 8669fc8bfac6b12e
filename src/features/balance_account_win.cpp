// Balancing on the screen: dialog 10 for the statement balance and the
// message boxes, owned by the main window.
#include <windows.h>

#include "features/balance_account.h"
#include "features/feature_commands.h"
#include "model/account.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_runner.h"
#include "ui/message_box.h"
#include "values/amount.h"

namespace {

char* TextOf(HWND dialog) { return reinterpret_cast<char*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

// OK: the typed amount must pass the checks; else the "Amount Error" box,
// owned by the dialog, and the dialog stays open at the field.
void OnStatementOk(HWND dialog) {
    char* text = TextOf(dialog);
    GetDlgItemTextA(dialog, kIdEntryField, text, static_cast<int>(kStatementTextSize));
    if (AcceptStatementText(text)) {
        EndDialog(dialog, kIdOk);
        return;
    }
    SetFocus(GetDlgItem(dialog, kIdEntryField));
    ShowMessage(dialog, kStatementBalanceError, kAmountErrorTitle, MB_OK | MB_ICONINFORMATION);
}

INT_PTR CALLBACK StatementDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(dialog, msg, wParam, {kDlgBalance, EndingButtons::Cancel}, result)) return result;
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetDlgItemTextA(dialog, kIdEntryField, TextOf(dialog));
        return TRUE;
    }
    if (msg != WM_COMMAND || LOWORD(wParam) != IDOK) return FALSE;
    OnStatementOk(dialog);
    return TRUE;
}

class ScreenBalancePrompts : public BalancePrompts {
public:
    explicit ScreenBalancePrompts(HWND owner) : m_Owner(owner) {}
    int Message(const char* text, const char* title, unsigned type) override {
        return ShowMessage(m_Owner, text, title, type);
    }
    int StatementDialog(StatementText& text) override {
        return static_cast<int>(
            ShowModalDialog(m_Owner, kDlgBalance, StatementDialogProc, reinterpret_cast<LPARAM>(text)));
    }

private:
    HWND m_Owner;
};

}  // namespace

void BalanceAccount(HWND owner, const char* typedBalance) {
    ScreenBalancePrompts prompts(owner);
    RunBalanceAccount(g_Account.reconciledBalance, prompts, typedBalance);
}

void BalanceAfterImport(HWND owner, const char* statementBalance) {
    ScreenBalancePrompts prompts(owner);
    RunBalanceAfterImport(g_Account.reconciledBalance, prompts, statementBalance);
}

void RunBalanceCommand(HWND hwnd, int) {
    if (g_Account.isOpen) BalanceAccount(hwnd);
}
