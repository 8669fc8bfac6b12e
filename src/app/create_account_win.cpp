// Create New Account: the name (dialog 4), the ending balance of the last
// statement (dialog 5) and its date (dialog 6), then the new account file in
// the first free slot with its opening-balance record.
#include <windows.h>

#include <cstring>

#include "app/account_lifecycle.h"
#include "app/account_operations.h"
#include "app/account_slots.h"
#include "app/main_window.h"
#include "model/account_lifecycle.h"
#include "register/register_display.h"
#include "storage/account_info.h"
#include "base/bounded_text.h"
#include "storage/data_file.h"
#include "storage/save_account.h"
#include "ui/storage_messages.h"
#include "ui/dialog_ids.h"
#include "ui/date_message.h"
#include "ui/dialog_runner.h"
#include "values/amount.h"
#include "values/date.h"

namespace {

// The prompt of the statement-date dialog, in its second static text.
constexpr int kStatementDatePromptId = kIdText1;
constexpr char kStatementDatePrompt[] = "Enter the date from your last statement for this checking account.";

// What the three dialogs collect.
struct NewAccountFacts {
    char name[kAccountNameSize] = {};
    char balance[kBalanceTextMaxLength + 1] = {};  // cleaned
    char date[kStoredDateSize] = {};               // YYYYMMDD
    std::uint16_t year = 0;
    std::uint16_t dayOfYear = 0;
};

NewAccountFacts& FactsOf(HWND dialog) {
    return *reinterpret_cast<NewAccountFacts*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

HWND Field(HWND dialog) { return GetDlgItem(dialog, kIdEntryField); }

// Every field is limited to what is read from it, so that nothing typed
// is silently left out.
void InitField(HWND dialog, LPARAM facts, std::size_t limit, const char* text) {
    SetWindowLongPtrA(dialog, DWLP_USER, facts);
    SendMessageA(Field(dialog), EM_LIMITTEXT, limit, 0);
    SetWindowTextA(Field(dialog), text);
}

// After a refusal the focus goes back to the field, its text as typed.
void RefocusField(HWND dialog) {
    SetFocus(Field(dialog));
    SendMessageA(Field(dialog), EM_SETSEL, 0, -1);
}

void ReadField(HWND dialog, char* buffer, std::size_t size) {
    std::memset(buffer, 0, size);
    GetWindowTextA(Field(dialog), buffer, static_cast<int>(size));
}

// Shared frame of the three procedures: the plain dialog's skeleton, and OK
// handed to the step's own check, which ends the dialog when the entry is
// good. At WM_INITDIALOG the step's own set-up follows.
using AcceptEntry = bool (*)(HWND dialog);

INT_PTR StepProc(HWND dialog, UINT msg, WPARAM wParam, int dialogNumber, AcceptEntry accept) {
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(dialog, msg, wParam, {dialogNumber, EndingButtons::Cancel}, result)) return result;
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg != WM_COMMAND || LOWORD(wParam) != kIdOk) return FALSE;
    if (accept(dialog)) EndDialog(dialog, kIdOk);
    else RefocusField(dialog);
    return TRUE;
}

bool AcceptName(HWND dialog) {
    NewAccountFacts& facts = FactsOf(dialog);
    ReadField(dialog, facts.name, sizeof facts.name);
    if (IsValidAccountName(facts.name)) return true;
    Inform(dialog, kAccountNeedsNameText, kNameErrorTitle);
    return false;
}

bool AcceptBalance(HWND dialog) {
    char typed[kBalanceTextMaxLength + 1];
    ReadField(dialog, typed, sizeof typed);
    NewAccountFacts& facts = FactsOf(dialog);
    if (CheckStartingBalanceText(typed, facts.balance, sizeof facts.balance)) return true;
    Inform(dialog, kStartingBalanceError, kAmountErrorTitle);
    return false;
}

bool AcceptDate(HWND dialog) {
    char typed[kStatementDateMaxLength + 1];
    ReadField(dialog, typed, sizeof typed);
    if (!g_Date.Parse(typed)) {
        ShowDateError(g_Date, dialog, kDateErrorStatement);
        return false;
    }
    NewAccountFacts& facts = FactsOf(dialog);
    CopyBounded(facts.date, g_Date.GetText());
    facts.year = static_cast<std::uint16_t>(g_Date.GetYear());
    facts.dayOfYear = static_cast<std::uint16_t>(g_Date.GetDayOfYear());
    return true;
}

INT_PTR CALLBACK NameProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    const INT_PTR result = StepProc(dialog, msg, wParam, kDlgNewAccountName, AcceptName);
    if (msg == WM_INITDIALOG) InitField(dialog, lParam, kAccountNameMaxLength, "");
    return result;
}

INT_PTR CALLBACK BalanceProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    const INT_PTR result = StepProc(dialog, msg, wParam, kDlgNewAccountBalance, AcceptBalance);
    if (msg == WM_INITDIALOG) InitField(dialog, lParam, kBalanceTextMaxLength, kInitialBalanceText);
    return result;
}

INT_PTR CALLBACK DateProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    const INT_PTR result = StepProc(dialog, msg, wParam, kDlgNewAccountDate, AcceptDate);
    if (msg == WM_INITDIALOG) {
        char today[kStoredDateSize];
        g_Date.Today(today);
        InitField(dialog, lParam, kStatementDateMaxLength, g_Date.ToDisplay(today));
        // The field is only as wide as a date: without the edit's own
        // margins all eight characters fit, so the last one can be typed.
        SendMessageA(Field(dialog), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(1, 1));
        SetDlgItemTextA(dialog, kStatementDatePromptId, kStatementDatePrompt);
    }
    return result;
}

bool RunStep(HWND hwnd, int dialogNumber, DLGPROC proc, NewAccountFacts& facts) {
    return ShowModalDialog(hwnd, dialogNumber, proc, reinterpret_cast<LPARAM>(&facts)) == kIdOk;
}

bool AskForFacts(HWND hwnd, NewAccountFacts& facts) {
    return RunStep(hwnd, kDlgNewAccountName, NameProc, facts) &&
           RunStep(hwnd, kDlgNewAccountBalance, BalanceProc, facts) &&
           RunStep(hwnd, kDlgNewAccountDate, DateProc, facts);
}

// The path of the first free user slot, or nullptr when every one is taken.
const char* FreeSlotPath() {
    const int slot = FirstFreeUserSlot(kAccountSlotCount, kSampleAccountSlot, [](int s) {
        return DataFile::FileExists(g_AccountSlotPaths[s]);
    });
    return slot < 0 ? nullptr : g_AccountSlotPaths[slot];
}

// The header alone is written first: the slot is taken on disk before the
// account is shown, and a file that cannot be created stops the create.
bool WriteNewAccountFile(HWND hwnd, const NewAccountFacts& facts) {
    g_Account.ClearAccount();
    FillAccountHeader(g_Account.header, facts.name, AmountValue(facts.balance), facts.date, facts.year,
                      facts.dayOfYear);
    SetTitle(hwnd, true);
    if (!WriteAccountFile(g_DataFile, g_CurrentAccountFile, g_Account)) {
        SetTitle(hwnd, false);
        return false;
    }
    g_Account.isOpen = 1;
    return true;
}

void ShowNewAccount(HWND hwnd) {
    FillOpeningBalanceRecord(*g_Account.AppendRecord()->record, g_Account.header);
    // A new account has nothing to take back, not even its opening balance.
    g_AccountHistory.Reset(g_Account);

    SelectAccountView(ViewAll);
    g_Account.topIndex = 0;
    g_Account.PositionAtTop(0);
    ReportBalanceResult(hwnd, g_Account.ComputeBalances());
    RefillRegister();

    // A new account starts with empty information, even when a file of an
    // account deleted from this slot was left behind.
    AccountInfo::ClearFields();
    SaveAccount();

    // The opening balance is cleared, so the Current view starts empty,
    // ready for the outstanding transactions.
    SelectAccountView(ViewCurrent);
    g_Account.ComputeBalances();
    g_Account.topIndex = LastScreenTopIndex();
    RefillRegister();
}

}  // namespace

void CreateAccount(HWND hwnd) {
    // The open account is closed once the three dialogs are confirmed; a
    // change an earlier save could not write must be written first.
    if (!SavePendingChanges()) return;
    SetRequestedAccountFile(g_CurrentAccountFile);
    const char* path = FreeSlotPath();
    if (!path) {
        Inform(hwnd, kAllSlotsTakenText, kCreateAccountTitle);
        return;
    }
    // The current name stays the open account's until the new one takes
    // its place: anything saved meanwhile goes to the right file.
    NewAccountFacts facts;
    if (!AskForFacts(hwnd, facts)) return;
    if (g_Account.isOpen) CloseAccount(hwnd);
    SetCurrentAccountFile(path);
    if (!WriteNewAccountFile(hwnd, facts)) {
        // Nothing was created and no account is open.
        SetCurrentAccountFile(kNewAccountPlaceholder);
        return;
    }
    Inform(hwnd, kOutstandingTransactionsText, kCreateAccountTitle);
    ShowNewAccount(hwnd);
}
