// The Password Protect commands: create with its confirmation loop, change,
// remove with its question, the messages in the wrong state, and the
// options file written after every change.
#include "accounts_helpers.h"
#include "program_test.h"

namespace e2e {
namespace {

using namespace accounts;

constexpr char kCreateDialog[] = "Create Password";
constexpr char kConfirmDialog[] = "Confirm Password";
constexpr char kChangeDialog[] = "Change Password";
constexpr char kConfirmNewDialog[] = "Confirm New Password";
constexpr char kRemoveDialog[] = "Remove Password";
constexpr char kLengthText[] = "Your password needs to be between 1 to 8 characters long.";

// The password's nine bytes in the options file as it is on disk now.
std::vector<uint8_t> StoredPassword() {
    auto bytes = ReadFileBytes(OptionsFolder() + "Options.dta");
    if (!bytes || bytes->size() != 813) return {};
    return std::vector<uint8_t>(bytes->begin() + 804, bytes->end());
}

class PasswordCommandsTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
        ASSERT_EQ(CreateFromStartScreen(app_, "Guarded"), "");
        ASSERT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Guarded]"), "Ledgerpad - [Guarded]");
        noPassword_ = StoredPassword();
        ASSERT_EQ(noPassword_.size(), 9u);
    }

    // Types into the dialog's field and presses OK.
    void Enter(HWND dialog, const std::string& text, int id = kPasswordField) {
        ASSERT_TRUE(TypeInto(dialog, id, text));
        ASSERT_TRUE(Press(app_, dialog, IDOK));
    }

    HWND Dialog(const char* caption) { return WaitForDialogShowing(app_, caption, kPasswordField); }

    // Create Password through both dialogs.
    void CreatePassword(const std::string& password) {
        ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdCreatePassword));
        HWND first = Dialog(kCreateDialog);
        ASSERT_NE(first, nullptr) << app_.DescribeWindows();
        Enter(first, password);
        HWND confirm = Dialog(kConfirmDialog);
        ASSERT_NE(confirm, nullptr) << app_.DescribeWindows();
        Enter(confirm, password);
        std::optional<MessageBoxText> told = AnswerMessageBox(app_);
        ASSERT_TRUE(told);
        ASSERT_EQ(told->caption, "Password Set");
    }

    // Puts a text into a field the way another program can: past the
    // field's limit.
    static void SetText(HWND dialog, int id, const std::string& text) {
        SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

    // The message a command shows, answered with OK.
    std::optional<MessageBoxText> MessageOf(int command) {
        if (!PostCommand(app_.MainWindow(), command)) return std::nullopt;
        return AnswerMessageBox(app_);
    }

    std::vector<uint8_t> noPassword_;
};

TEST_F(PasswordCommandsTest, EachCommandInTheWrongStateOnlyExplains) {
    auto told = MessageOf(kCmdChangePassword);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Password Protect");
    EXPECT_EQ(told->text, "You do not have a password.\nSelect \"Create Password\" instead.");
    told = MessageOf(kCmdRemovePassword);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Password Protect");
    EXPECT_EQ(told->text, "You have not created a password.");

    CreatePassword("pw");
    told = MessageOf(kCmdCreatePassword);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Password Protect");
    EXPECT_EQ(told->text, "You already have a password.\nSelect \"Change Password\" instead.");
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_TRUE(TopLevelWindows(app_.Id(), kDialogClass, kCreateDialog).empty()) << "no dialog after it";
}

TEST_F(PasswordCommandsTest, CreateRefusesEmptyLimitsToEightAndConfirmsCaseSensitively) {
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdCreatePassword));
    HWND first = Dialog(kCreateDialog);
    ASSERT_NE(first, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(ControlText(first, kLabel), "Enter Password:");
    EXPECT_FALSE(SaveDialogShot(first, "password-create").empty());

    // Empty: refused, the dialog stays with the focus on its field.
    ASSERT_TRUE(Press(app_, first, IDOK));
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Password Error");
    EXPECT_EQ(told->text, kLengthText);
    ASSERT_TRUE(IsWindow(first) && IsWindowVisible(first));
    EXPECT_TRUE(HasFocus(first, kPasswordField));

    // A ninth character cannot be typed.
    ASSERT_TRUE(TypeInto(first, kPasswordField, "Secret123", "Secret12"));
    Enter(first, "Secret");

    // A confirmation that differs only in case does not match; the first
    // dialog comes back with the first entry.
    HWND confirm = Dialog(kConfirmDialog);
    ASSERT_NE(confirm, nullptr);
    EXPECT_EQ(ControlText(confirm, kPasswordField), "");
    EXPECT_FALSE(SaveDialogShot(confirm, "password-confirm").empty());
    Enter(confirm, "secret");
    told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Password Incorrect");
    EXPECT_EQ(told->text, "The two passwords you entered do not match.");
    first = Dialog(kCreateDialog);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ControlText(first, kPasswordField), "Secret");
    EXPECT_EQ(StoredPassword(), noPassword_) << "nothing stored yet";

    // Cancel in the confirmation goes back to the first dialog too.
    ASSERT_TRUE(Press(app_, first, IDOK));
    confirm = Dialog(kConfirmDialog);
    ASSERT_NE(confirm, nullptr);
    ASSERT_TRUE(Press(app_, confirm, IDCANCEL));
    first = Dialog(kCreateDialog);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ControlText(first, kPasswordField), "Secret");
    ASSERT_TRUE(Press(app_, first, IDOK));
    confirm = Dialog(kConfirmDialog);
    ASSERT_NE(confirm, nullptr);
    Enter(confirm, "Secret");
    told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Password Set");
    EXPECT_EQ(told->text,
              "Your password has been set. If you forget your password,\n"
              "you can reset it by reinstalling Ledgerpad.");
    EXPECT_NE(StoredPassword(), noPassword_) << "the options file holds the password at once";
}

TEST_F(PasswordCommandsTest, ChangeChecksTheOldPasswordAndConfirmsTheNewOne) {
    CreatePassword("Secret");
    const std::vector<uint8_t> first = StoredPassword();

    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdChangePassword));
    HWND change = Dialog(kChangeDialog);
    ASSERT_NE(change, nullptr) << app_.DescribeWindows();
    EXPECT_FALSE(SaveDialogShot(change, "password-change").empty());

    // Both fields must hold something, each told apart.
    ASSERT_TRUE(Press(app_, change, IDOK));
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Password Error");
    EXPECT_EQ(told->text, "Your old password needs to be between 1 to 8 characters long.");
    EXPECT_TRUE(HasFocus(change, kPasswordField));
    ASSERT_TRUE(TypeInto(change, kPasswordField, "secret"));
    ASSERT_TRUE(Press(app_, change, IDOK));
    told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->text, "Your new password needs to be between 1 to 8 characters long.");
    EXPECT_TRUE(HasFocus(change, kNewPasswordField));
    ASSERT_TRUE(TypeInto(change, kNewPasswordField, "123456789", "12345678"));
    Enter(change, "Newer1", kNewPasswordField);

    // The old one differs in case: Retry shows what was typed.
    told = AnswerMessageBox(app_, IDRETRY);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Password Incorrect");
    EXPECT_EQ(told->text, "The old password you entered is not correct.");
    change = Dialog(kChangeDialog);
    ASSERT_NE(change, nullptr);
    EXPECT_EQ(ControlText(change, kPasswordField), "secret");
    EXPECT_EQ(ControlText(change, kNewPasswordField), "Newer1");
    ASSERT_TRUE(TypeInto(change, kPasswordField, "Secret"));
    ASSERT_TRUE(Press(app_, change, IDOK));

    HWND confirm = Dialog(kConfirmNewDialog);
    ASSERT_NE(confirm, nullptr) << app_.DescribeWindows();
    EXPECT_FALSE(SaveDialogShot(confirm, "password-confirm-new").empty());
    Enter(confirm, "Newer1");
    told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "New Password Set");
    EXPECT_EQ(told->text,
              "Your new password has been set. If you forget your password,\n"
              "you can reset it by reinstalling Ledgerpad.");
    const std::vector<uint8_t> second = StoredPassword();
    EXPECT_NE(second, first);
    EXPECT_NE(second, noPassword_);

    // Cancel after a wrong old password changes nothing.
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdChangePassword));
    change = Dialog(kChangeDialog);
    ASSERT_NE(change, nullptr);
    ASSERT_TRUE(TypeInto(change, kPasswordField, "Secret"));
    Enter(change, "Third", kNewPasswordField);
    told = AnswerMessageBox(app_, IDCANCEL);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->text, "The old password you entered is not correct.");
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_EQ(StoredPassword(), second);
}

TEST_F(PasswordCommandsTest, RemoveAsksForThePasswordThenYesOrNo) {
    CreatePassword("Secret");
    const std::vector<uint8_t> withPassword = StoredPassword();

    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdRemovePassword));
    HWND remove = Dialog(kRemoveDialog);
    ASSERT_NE(remove, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(ControlText(remove, kLabel), "To remove password protection, enter your password:");
    EXPECT_FALSE(SaveDialogShot(remove, "password-remove").empty());
    Enter(remove, "SECRET");
    std::optional<MessageBoxText> told = AnswerMessageBox(app_, IDRETRY);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Password Incorrect");
    EXPECT_EQ(told->text, "The password you entered is not correct.");
    remove = Dialog(kRemoveDialog);
    ASSERT_NE(remove, nullptr);
    EXPECT_EQ(ControlText(remove, kPasswordField), "") << "asked again from an empty field";
    Enter(remove, "Secret");

    told = AnswerMessageBox(app_, IDNO);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Remove Password");
    EXPECT_EQ(told->text, "Are you sure you want to remove password protection?");
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_EQ(StoredPassword(), withPassword) << "No keeps the password";

    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdRemovePassword));
    remove = Dialog(kRemoveDialog);
    ASSERT_NE(remove, nullptr);
    Enter(remove, "Secret");
    told = AnswerMessageBox(app_, IDYES);
    ASSERT_TRUE(told);
    told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Remove Password");
    EXPECT_EQ(told->text, "Password protection has been removed.");
    EXPECT_EQ(StoredPassword(), noPassword_) << "the options file has no password at once";

    told = MessageOf(kCmdRemovePassword);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->text, "You have not created a password.");
}

// The options file held by another program: the new password cannot be
// written. One message, owned by the main window, says so; the password
// stays in memory and is written at the exit once the file is free.
TEST_F(PasswordCommandsTest, AFailedSaveOfThePasswordIsToldOnce) {
    UniqueHandle held(CreateFileA((OptionsFolder() + "Options.dta").c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdCreatePassword));
    HWND first = Dialog(kCreateDialog);
    ASSERT_NE(first, nullptr) << app_.DescribeWindows();
    Enter(first, "pw");
    HWND confirm = Dialog(kConfirmDialog);
    ASSERT_NE(confirm, nullptr) << app_.DescribeWindows();
    Enter(confirm, "pw");

    HWND box = WaitForMessageBox(app_);
    ASSERT_NE(box, nullptr) << app_.DescribeWindows();
    const std::optional<MessageBoxText> told = ReadMessageBox(box);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Error Saving File");
    EXPECT_EQ(told->text,
              "Cannot save Ledgerpad data because there is not enough free disk space.\n"
              "Delete files to free disk space and then try again.");
    EXPECT_EQ(GetWindow(box, GW_OWNER), app_.MainWindow());
    ASSERT_TRUE(ClickButton(box, IDOK));
    ASSERT_TRUE(WaitGone(box));
    EXPECT_EQ(WaitForMessageBox(app_, Duration(1500)), nullptr) << "a second message";

    held.reset();
    EXPECT_EQ(StoredPassword(), noPassword_);
    ASSERT_TRUE(app_.Stop());
    EXPECT_NE(StoredPassword(), noPassword_) << "the exit writes the password";
}

// Every password field takes 8 characters, and a longer text put there by
// another program is never taken for the password it starts with.
TEST_F(PasswordCommandsTest, PasswordFieldsTakeEightCharactersAndALongerTextIsRefused) {
    const std::string password = "abcdefgh";
    const std::string longer = password + "XYZ";

    // Create: refused for its length, not cut to eight.
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdCreatePassword));
    HWND create = Dialog(kCreateDialog);
    ASSERT_NE(create, nullptr) << app_.DescribeWindows();
    SetText(create, kPasswordField, longer);
    ASSERT_TRUE(Press(app_, create, IDOK));
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Password Error");
    EXPECT_EQ(told->text, kLengthText);
    ASSERT_TRUE(Press(app_, create, IDCANCEL));
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_EQ(StoredPassword(), noPassword_);

    CreatePassword(password);
    const std::vector<uint8_t> withPassword = StoredPassword();

    // Remove: eleven typed keys leave eight; eleven set are not the password.
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdRemovePassword));
    HWND remove = Dialog(kRemoveDialog);
    ASSERT_NE(remove, nullptr) << app_.DescribeWindows();
    ASSERT_TRUE(TypeInto(remove, kPasswordField, longer, password));
    SetText(remove, kPasswordField, longer);
    ASSERT_TRUE(Press(app_, remove, IDOK));
    told = AnswerMessageBox(app_, IDCANCEL);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Password Incorrect");
    EXPECT_EQ(told->text, "The password you entered is not correct.");

    // Change: the same for the old password, refused for its length.
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdChangePassword));
    HWND change = Dialog(kChangeDialog);
    ASSERT_NE(change, nullptr) << app_.DescribeWindows();
    ASSERT_TRUE(TypeInto(change, kPasswordField, longer, password));
    ASSERT_TRUE(TypeInto(change, kNewPasswordField, "Newer1"));
    SetText(change, kPasswordField, longer);
    ASSERT_TRUE(Press(app_, change, IDOK));
    told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Password Error");
    EXPECT_EQ(told->text, "Your old password needs to be between 1 to 8 characters long.");
    EXPECT_TRUE(HasFocus(change, kPasswordField));
    ASSERT_TRUE(Press(app_, change, IDCANCEL));
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_TRUE(TopLevelWindows(app_.Id(), kDialogClass, kConfirmNewDialog).empty());
    EXPECT_EQ(StoredPassword(), withPassword);
}

}  // namespace
}  // namespace e2e
