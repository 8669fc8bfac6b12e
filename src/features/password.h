// Password protection: one password of 1 to 8 characters kept in the
// options record, asked for at start-up and created, changed or removed by
// the three Password Protect commands. The rules here are platform-free;
// the dialogs and message boxes they need come through PasswordPrompts, and
// the stored password through PasswordStore (Win32 ones: password_win.cpp).
#pragma once

#include <cstddef>
#include <string>

#include "storage/save_messages.h"

struct HWND__;

// What the user left in a password field, whole. The fields take at most
// kPasswordMaxLength characters, but a longer text can still get there (set
// by another program): it is never cut down to a password it does not spell,
// so it never matches and is never stored.
using PasswordText = std::string;
inline constexpr std::size_t kPasswordMaxLength = 8;

// 1 to 8 characters: what a password may be.
bool IsPasswordLength(const PasswordText& text);

// The commands of the Password Protect submenu.
inline constexpr int kCreatePasswordCommand = 1035;
inline constexpr int kChangePasswordCommand = 1036;
inline constexpr int kRemovePasswordCommand = 1037;

// Results of Password::AskPassword.
inline constexpr int kPasswordAccepted = 0;   // no password, or the right one
inline constexpr int kPasswordCancelled = 1;  // show the start screen again
inline constexpr int kPasswordGiveUp = 2;     // quit the program

// Message box types and answers (the Windows values).
namespace pwbox {
inline constexpr unsigned kOk = 0x00;           // MB_OK
inline constexpr unsigned kYesNo = 0x04;        // MB_YESNO
inline constexpr unsigned kRetryCancel = 0x05;  // MB_RETRYCANCEL
inline constexpr unsigned kIconQuestion = 0x20;
inline constexpr unsigned kIconInformation = 0x40;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerRetry = 4;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;
}  // namespace pwbox

// Dialog results.
inline constexpr int kPasswordDialogOk = 1;
inline constexpr int kPasswordDialogCancel = 2;
inline constexpr int kPasswordDialogRetry = 4;  // dialog 16
inline constexpr int kPasswordDialogQuit = 2;   // dialog 16

// Texts.
inline constexpr char kPasswordErrorTitle[] = "Password Error";
inline constexpr char kPasswordLengthText[] =
    "Your password needs to be between 1 to 8 characters long.";
inline constexpr char kOldPasswordLengthText[] =
    "Your old password needs to be between 1 to 8 characters long.";
inline constexpr char kNewPasswordLengthText[] =
    "Your new password needs to be between 1 to 8 characters long.";

inline constexpr char kPasswordProtectTitle[] = "Password Protect";
inline constexpr char kAlreadyHavePasswordText[] =
    "You already have a password.\nSelect \"Change Password\" instead.";
inline constexpr char kNoPasswordToChangeText[] =
    "You do not have a password.\nSelect \"Create Password\" instead.";
inline constexpr char kNoPasswordToRemoveText[] = "You have not created a password.";

inline constexpr char kPasswordIncorrectTitle[] = "Password Incorrect";
inline constexpr char kPasswordsDoNotMatchText[] = "The two passwords you entered do not match.";
inline constexpr char kOldPasswordWrongText[] = "The old password you entered is not correct.";
inline constexpr char kPasswordWrongText[] = "The password you entered is not correct.";

inline constexpr char kPasswordSetTitle[] = "Password Set";
inline constexpr char kPasswordSetText[] =
    "Your password has been set. If you forget your password,\n"
    "you can reset it by reinstalling Ledgerpad.";
inline constexpr char kNewPasswordSetTitle[] = "New Password Set";
inline constexpr char kNewPasswordSetText[] =
    "Your new password has been set. If you forget your password,\n"
    "you can reset it by reinstalling Ledgerpad.";

inline constexpr char kRemovePasswordTitle[] = "Remove Password";
inline constexpr char kRemovePasswordQuestion[] =
    "Are you sure you want to remove password protection?";
inline constexpr char kPasswordRemovedText[] = "Password protection has been removed.";

// When the options file cannot be written the change stays in memory (the
// save at exit tries again) and the user is told instead of being promised
// a password that the next start would not know.
inline constexpr const auto& kOptionsSaveErrorTitle = kSaveErrorTitle;
inline constexpr const auto& kOptionsSaveErrorText = kSaveErrorText;

// The dialogs and boxes of the password commands. Each dialog runs modally
// on the texts given and returns its EndDialog value.
class PasswordPrompts {
public:
    virtual ~PasswordPrompts() = default;
    // Dialogs 13, 14 and 19: shows the text, refuses one that is not 1 to 8
    // characters long; 1 with the entry in text, or 2.
    virtual int NewPassword(HWND__* owner, int dialogNumber, PasswordText& text) = 0;
    // Dialogs 15 and 17: starts empty, accepts anything; 1 or 2.
    virtual int EnterPassword(HWND__* owner, int dialogNumber, PasswordText& text) = 0;
    // Dialog 16: 4 (Retry) or 2 (Quit).
    virtual int PasswordIncorrect(HWND__* owner) = 0;
    // Dialog 18: shows both texts, refuses one that is not 1 to 8
    // characters long; 1 or 2.
    virtual int OldAndNewPassword(HWND__* owner, PasswordText& oldPassword, PasswordText& newPassword) = 0;
    // A message box; returns the button pressed.
    virtual int Message(HWND__* owner, const char* text, const char* title, unsigned type) = 0;
};

// Where the password lives between runs: the options record.
class PasswordStore {
public:
    virtual ~PasswordStore() = default;
    virtual std::string Get() const = 0;
    virtual void Set(const char* password) = 0;
    virtual void Clear() = 0;
    // Writes the options file; false when it could not be written.
    virtual bool Save() = 0;
};

class Password {
public:
    // Win32 (password_win.cpp): the program's dialogs and options record.
    Password();
    Password(PasswordPrompts& prompts, PasswordStore& store) : m_Prompts(prompts), m_Store(store) {}

    // 1035 creates, 1036 changes, 1037 removes the password (0 returned);
    // any other command is returned unchanged.
    int OnCommand(HWND__* owner, int command);

    // Takes the stored password as the working copy; true when one is set.
    bool HasPassword();
    // The start-up question: kPasswordAccepted, kPasswordCancelled or
    // kPasswordGiveUp.
    int AskPassword(HWND__* owner);

    void CreatePassword(HWND__* owner);
    void ChangePassword(HWND__* owner);
    void RemovePassword(HWND__* owner);

private:
    // The whole entry against the stored password, case-sensitive.
    bool Matches(const PasswordText& entry) const;
    // Saves the options and shows `done`, or the save error.
    void SaveAndTell(HWND__* owner, const char* doneText, const char* doneTitle);
    int Tell(HWND__* owner, const char* text, const char* title, unsigned type);

    PasswordPrompts& m_Prompts;
    PasswordStore& m_Store;
    std::string m_Working;
};
