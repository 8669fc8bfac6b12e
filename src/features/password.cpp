#include "features/password.h"

#include "ui/dialog_ids.h"

bool IsPasswordLength(const PasswordText& text) {
    return !text.empty() && text.size() <= kPasswordMaxLength;
}

int Password::OnCommand(HWND__* owner, int command) {
    switch (command) {
        case kCreatePasswordCommand: CreatePassword(owner); return 0;
        case kChangePasswordCommand: ChangePassword(owner); return 0;
        case kRemovePasswordCommand: RemovePassword(owner); return 0;
        default: return command;
    }
}

bool Password::HasPassword() {
    m_Working = m_Store.Get();
    return !m_Working.empty();
}

bool Password::Matches(const PasswordText& entry) const { return entry == m_Working; }

int Password::Tell(HWND__* owner, const char* text, const char* title, unsigned type) {
    return m_Prompts.Message(owner, text, title, type | pwbox::kIconInformation);
}

void Password::SaveAndTell(HWND__* owner, const char* doneText, const char* doneTitle) {
    if (m_Store.Save()) Tell(owner, doneText, doneTitle, pwbox::kOk);
    else Tell(owner, kOptionsSaveErrorText, kOptionsSaveErrorTitle, pwbox::kOk);
}

int Password::AskPassword(HWND__* owner) {
    if (!HasPassword()) return kPasswordAccepted;
    PasswordText entry;
    for (;;) {
        entry.clear();
        if (m_Prompts.EnterPassword(owner, kDlgPassword, entry) != kPasswordDialogOk) return kPasswordCancelled;
        if (Matches(entry)) return kPasswordAccepted;
        if (m_Prompts.PasswordIncorrect(owner) != kPasswordDialogRetry) return kPasswordGiveUp;
    }
}

void Password::CreatePassword(HWND__* owner) {
    if (HasPassword()) {
        Tell(owner, kAlreadyHavePasswordText, kPasswordProtectTitle, pwbox::kOk);
        return;
    }
    PasswordText first;
    PasswordText confirm;
    for (;;) {
        // The first dialog shows what was typed before, so a mistyped
        // confirmation only costs the second entry.
        if (m_Prompts.NewPassword(owner, kDlgCreatePassword, first) != kPasswordDialogOk) return;
        confirm.clear();
        if (m_Prompts.NewPassword(owner, kDlgConfirmPassword, confirm) != kPasswordDialogOk) continue;
        if (first == confirm) break;
        Tell(owner, kPasswordsDoNotMatchText, kPasswordIncorrectTitle, pwbox::kOk);
    }
    m_Store.Set(first.c_str());
    m_Working = first;
    SaveAndTell(owner, kPasswordSetText, kPasswordSetTitle);
}

void Password::ChangePassword(HWND__* owner) {
    if (!HasPassword()) {
        Tell(owner, kNoPasswordToChangeText, kPasswordProtectTitle, pwbox::kOk);
        return;
    }
    PasswordText oldEntry;
    PasswordText newEntry;
    PasswordText confirm;
    for (;;) {
        if (m_Prompts.OldAndNewPassword(owner, oldEntry, newEntry) != kPasswordDialogOk) return;
        if (!Matches(oldEntry)) {
            if (Tell(owner, kOldPasswordWrongText, kPasswordIncorrectTitle, pwbox::kRetryCancel) !=
                pwbox::kAnswerRetry)
                return;
            continue;
        }
        confirm.clear();
        if (m_Prompts.NewPassword(owner, kDlgConfirmNewPassword, confirm) != kPasswordDialogOk) continue;
        if (newEntry == confirm) break;
        Tell(owner, kPasswordsDoNotMatchText, kPasswordIncorrectTitle, pwbox::kOk);
    }
    m_Store.Set(newEntry.c_str());
    m_Working = newEntry;
    SaveAndTell(owner, kNewPasswordSetText, kNewPasswordSetTitle);
}

void Password::RemovePassword(HWND__* owner) {
    if (!HasPassword()) {
        Tell(owner, kNoPasswordToRemoveText, kPasswordProtectTitle, pwbox::kOk);
        return;
    }
    PasswordText entry;
    for (;;) {
        entry.clear();
        if (m_Prompts.EnterPassword(owner, kDlgRemovePassword, entry) != kPasswordDialogOk) return;
        if (Matches(entry)) break;
        if (Tell(owner, kPasswordWrongText, kPasswordIncorrectTitle, pwbox::kRetryCancel) != pwbox::kAnswerRetry)
            return;
    }
    if (m_Prompts.Message(owner, kRemovePasswordQuestion, kRemovePasswordTitle,
                          pwbox::kYesNo | pwbox::kIconQuestion) != pwbox::kAnswerYes)
        return;
    m_Working.clear();
    m_Store.Clear();
    SaveAndTell(owner, kPasswordRemovedText, kRemovePasswordTitle);
}
