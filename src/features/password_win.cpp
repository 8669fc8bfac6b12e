// The password dialogs (13 to 19) and the options record as the program's
// PasswordPrompts and PasswordStore.
#include <windows.h>

#include <string>

#include "features/password.h"
#include "storage/options.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_runner.h"
#include "ui/message_box.h"

namespace {

// What a password dialog works on: its own number and one or two texts.
struct PasswordExchange {
    int dialogNumber;
    PasswordText* first;
    PasswordText* second;  // dialog 18 only: the new password
};

PasswordExchange* ExchangeOf(HWND dialog) {
    return reinterpret_cast<PasswordExchange*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

PasswordExchange* TakeExchange(HWND dialog, LPARAM lParam) {
    auto* exchange = reinterpret_cast<PasswordExchange*>(lParam);
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    PlaceDialog(dialog, exchange->dialogNumber, kDialogFontBold, 0);
    return exchange;
}

// Typing stops at 8 characters; the field starts with `text`.
void PrepareField(HWND dialog, int id, const PasswordText& text) {
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kPasswordMaxLength, 0);
    SetDlgItemTextA(dialog, id, text.c_str());
}

// The field's whole text, however long: a text set past the limit must not
// be cut down to a password it does not spell.
PasswordText ReadField(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    PasswordText text(static_cast<std::size_t>(GetWindowTextLengthA(field)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(field, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Refuse(HWND dialog, int id, const char* text) {
    SetFocus(GetDlgItem(dialog, id));
    ShowMessage(dialog, text, kPasswordErrorTitle, MB_OK | MB_ICONINFORMATION);
}

// Cancel ends every password dialog with its own id, which the prompts
// read as kPasswordDialogCancel (kPasswordDialogQuit for dialog 16).
static_assert(kPasswordDialogCancel == kIdCancel && kPasswordDialogQuit == kIdCancel);

// One procedure serves several dialog numbers, so the exchange places the
// dialog (TakeExchange).
constexpr PlainDialog kExchangeDialog{kPlacedByProcedure, EndingButtons::Cancel};

// Dialogs 13, 14 and 19.
INT_PTR CALLBACK NewPasswordProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(dialog, msg, wParam, kExchangeDialog, result)) return result;
    if (msg == WM_INITDIALOG) {
        PrepareField(dialog, kIdPasswordField, *TakeExchange(dialog, lParam)->first);
        return TRUE;
    }
    if (msg != WM_COMMAND || LOWORD(wParam) != kIdOk) return FALSE;
    PasswordText& entry = *ExchangeOf(dialog)->first;
    entry = ReadField(dialog, kIdPasswordField);
    if (!IsPasswordLength(entry)) {
        Refuse(dialog, kIdPasswordField, kPasswordLengthText);
        return TRUE;
    }
    EndDialog(dialog, kPasswordDialogOk);
    return TRUE;
}

// Dialogs 15 (masked) and 17.
INT_PTR CALLBACK EnterPasswordProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(dialog, msg, wParam, kExchangeDialog, result)) return result;
    if (msg == WM_INITDIALOG) {
        PrepareField(dialog, kIdPasswordField, *TakeExchange(dialog, lParam)->first);
        return TRUE;
    }
    if (msg != WM_COMMAND || LOWORD(wParam) != kIdOk) return FALSE;
    *ExchangeOf(dialog)->first = ReadField(dialog, kIdPasswordField);
    EndDialog(dialog, kPasswordDialogOk);
    return TRUE;
}

// Dialog 16: Retry or Quit.
INT_PTR CALLBACK PasswordIncorrectProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(dialog, msg, wParam, {kDlgPasswordIncorrect, EndingButtons::Cancel}, result))
        return result;
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg != WM_COMMAND || LOWORD(wParam) != kIdRetry) return FALSE;
    EndDialog(dialog, kPasswordDialogRetry);
    return TRUE;
}

// Dialog 18: the old and the new password.
INT_PTR CALLBACK OldAndNewProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(dialog, msg, wParam, kExchangeDialog, result)) return result;
    if (msg == WM_INITDIALOG) {
        PasswordExchange* exchange = TakeExchange(dialog, lParam);
        PrepareField(dialog, kIdPasswordField, *exchange->first);
        PrepareField(dialog, kIdNewPasswordField, *exchange->second);
        return TRUE;
    }
    if (msg != WM_COMMAND || LOWORD(wParam) != kIdOk) return FALSE;
    PasswordExchange* exchange = ExchangeOf(dialog);
    *exchange->first = ReadField(dialog, kIdPasswordField);
    *exchange->second = ReadField(dialog, kIdNewPasswordField);
    if (!IsPasswordLength(*exchange->first)) {
        Refuse(dialog, kIdPasswordField, kOldPasswordLengthText);
        return TRUE;
    }
    if (!IsPasswordLength(*exchange->second)) {
        Refuse(dialog, kIdNewPasswordField, kNewPasswordLengthText);
        return TRUE;
    }
    EndDialog(dialog, kPasswordDialogOk);
    return TRUE;
}

int Run(HWND owner, int dialogNumber, DLGPROC proc, PasswordText* first, PasswordText* second = nullptr) {
    PasswordExchange exchange{dialogNumber, first, second};
    return static_cast<int>(ShowModalDialog(owner, dialogNumber, proc, reinterpret_cast<LPARAM>(&exchange)));
}

class DialogPrompts : public PasswordPrompts {
public:
    int NewPassword(HWND owner, int dialogNumber, PasswordText& text) override {
        return Run(owner, dialogNumber, NewPasswordProc, &text);
    }
    int EnterPassword(HWND owner, int dialogNumber, PasswordText& text) override {
        return Run(owner, dialogNumber, EnterPasswordProc, &text);
    }
    int PasswordIncorrect(HWND owner) override {
        return Run(owner, kDlgPasswordIncorrect, PasswordIncorrectProc, nullptr);
    }
    int OldAndNewPassword(HWND owner, PasswordText& oldPassword, PasswordText& newPassword) override {
        return Run(owner, kDlgChangePassword, OldAndNewProc, &oldPassword, &newPassword);
    }
    int Message(HWND owner, const char* text, const char* title, unsigned type) override {
        return ShowMessage(owner, text, title, type);
    }
};

class OptionsPasswordStore : public PasswordStore {
public:
    std::string Get() const override {
        char password[kPasswordSize] = {};
        g_Options.GetPassword(password);
        return password;
    }
    void Set(const char* password) override { g_Options.SetPassword(password); }
    void Clear() override { g_Options.ClearPassword(); }
    // The password command words the one message of a failed save.
    bool Save() override { return g_Options.SaveOptions() == FileWriteResult::Written; }
};

DialogPrompts g_DialogPrompts;
OptionsPasswordStore g_OptionsStore;

}  // namespace

Password::Password() : Password(g_DialogPrompts, g_OptionsStore) {}
