// The password at start-up: asked after the start screen's choice, Cancel
// goes back to the start screen, Retry asks again, Quit ends the program;
// Quit on the start screen itself never asks.
#include "accounts_helpers.h"
#include "program_test.h"

namespace e2e {
namespace {

using namespace accounts;

constexpr char kPasswordDialog[] = "Password";
constexpr char kIncorrectDialog[] = "Password Incorrect";
constexpr char kPassword[] = "Open8Me2";  // the longest a password can be

class PasswordStartupTest : public ProgramTest {
protected:
    // A run that creates an account and protects it with the password.
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
        ASSERT_EQ(CreateFromStartScreen(app_, "Protected"), "");
        ASSERT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Protected]"), "Ledgerpad - [Protected]");
        ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdCreatePassword));
        for (const char* caption : {"Create Password", "Confirm Password"}) {
            HWND dialog = WaitForDialogShowing(app_, caption, kPasswordField);
            ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
            ASSERT_TRUE(TypeInto(dialog, kPasswordField, kPassword));
            ASSERT_TRUE(Press(app_, dialog, IDOK));
        }
        ASSERT_TRUE(AnswerMessageBox(app_));
        ASSERT_TRUE(app_.Stop());
        ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    }

    HWND PasswordAfter(int button) {
        HWND start = WaitForStartScreen(app_);
        if (!start || !ClickButton(start, button)) return nullptr;
        return WaitForDialogShowing(app_, kPasswordDialog, kPasswordField);
    }
};

TEST_F(PasswordStartupTest, CancelShowsTheStartScreenAgainAndTheRightPasswordOpens) {
    HWND ask = PasswordAfter(kRecentButton);
    ASSERT_NE(ask, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(ControlText(ask, kLabel), "Enter Password:");
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(ask, kPasswordField), GWL_STYLE) & ES_PASSWORD) << "the entry is masked";
    EXPECT_FALSE(SaveDialogShot(ask, "password-startup").empty());
    ASSERT_TRUE(Press(app_, ask, IDCANCEL));
    EXPECT_NE(WaitForStartScreen(app_), nullptr) << app_.DescribeWindows();
    EXPECT_EQ(WindowText(app_.MainWindow()), "Ledgerpad") << "nothing opened";

    // Create asks too, before its first dialog.
    ask = PasswordAfter(kCreateButton);
    ASSERT_NE(ask, nullptr);
    EXPECT_TRUE(TopLevelWindows(app_.Id(), kDialogClass, kCreateCaption).empty());
    ASSERT_TRUE(Press(app_, ask, IDCANCEL));

    ask = PasswordAfter(kRecentButton);
    ASSERT_NE(ask, nullptr);
    ASSERT_TRUE(EnterPassword(app_, ask, kPassword));
    EXPECT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Protected]"), "Ledgerpad - [Protected]");
}

TEST_F(PasswordStartupTest, WrongPasswordOffersRetryWithAnEmptyFieldThenQuit) {
    HWND ask = PasswordAfter(kRecentButton);
    ASSERT_NE(ask, nullptr) << app_.DescribeWindows();
    ASSERT_TRUE(EnterPassword(app_, ask, "open8me2"));  // wrong in case only

    HWND incorrect = WaitForDialogShowing(app_, kIncorrectDialog, kRetryButton);
    ASSERT_NE(incorrect, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(ControlText(incorrect, kLabel), "The password you entered is not correct.");
    EXPECT_EQ(ControlText(incorrect, kRetryButton), "&Retry");
    EXPECT_EQ(ControlText(incorrect, IDCANCEL), "&Quit");
    EXPECT_FALSE(SaveDialogShot(incorrect, "password-incorrect").empty());
    ASSERT_TRUE(Press(app_, incorrect, kRetryButton));

    ask = WaitForDialogShowing(app_, kPasswordDialog, kPasswordField);
    ASSERT_NE(ask, nullptr);
    EXPECT_EQ(SendMessageA(GetDlgItem(ask, kPasswordField), WM_GETTEXTLENGTH, 0, 0), 0) << "asked again, empty";
    ASSERT_TRUE(EnterPassword(app_, ask, "Open8"));
    incorrect = WaitForDialogShowing(app_, kIncorrectDialog, kRetryButton);
    ASSERT_NE(incorrect, nullptr);
    ASSERT_TRUE(ClickButton(incorrect, IDCANCEL));
    ASSERT_TRUE(app_.WaitForExit()) << app_.DescribeWindows();
    EXPECT_EQ(app_.ExitCode(), 0u);
    EXPECT_EQ(StoredName(FileBytes(kFirstSlot)), "Protected");
}

// The field takes eight characters; a longer text put there by another
// program is not the password it starts with.
TEST_F(PasswordStartupTest, TheFieldTakesEightCharactersAndALongerTextIsRefused) {
    const std::string longer = std::string(kPassword) + "XYZ";
    HWND ask = PasswordAfter(kRecentButton);
    ASSERT_NE(ask, nullptr) << app_.DescribeWindows();
    SendMessageA(GetDlgItem(ask, kPasswordField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(longer.c_str()));
    ASSERT_TRUE(Press(app_, ask, IDOK));
    HWND incorrect = WaitForDialogShowing(app_, kIncorrectDialog, kRetryButton);
    ASSERT_NE(incorrect, nullptr) << app_.DescribeWindows();
    ASSERT_TRUE(Press(app_, incorrect, kRetryButton));

    ask = WaitForDialogShowing(app_, kPasswordDialog, kPasswordField);
    ASSERT_NE(ask, nullptr) << app_.DescribeWindows();
    ASSERT_TRUE(EnterPassword(app_, ask, longer, 8)) << "only eight of the eleven keys are taken";
    EXPECT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Protected]"), "Ledgerpad - [Protected]");
}

TEST_F(PasswordStartupTest, QuitOnTheStartScreenDoesNotAsk) {
    HWND start = WaitForStartScreen(app_);
    ASSERT_NE(start, nullptr);
    ASSERT_TRUE(ClickButton(start, kQuitButton));
    ASSERT_TRUE(app_.WaitForExit()) << app_.DescribeWindows();
    EXPECT_EQ(app_.ExitCode(), 0u);
}

// An options file in use by another program is no missing one: defaults
// in its place would start the program without its password. The start
// stops with the reason, and the file is left as it was.
TEST_F(PasswordStartupTest, OptionsFileInUseStopsTheStartAndKeepsThePassword) {
    ASSERT_TRUE(app_.Stop());
    const std::string options = OptionsFolder() + "Options.dta";
    const auto before = ReadFileBytes(options);
    ASSERT_TRUE(before);
    {
        UniqueHandle held = HoldFile(options);
        ASSERT_TRUE(held);
        ASSERT_TRUE(app_.Launch());
        std::optional<MessageBoxText> told = AnswerMessageBox(app_);
        ASSERT_TRUE(told) << app_.DescribeWindows();
        EXPECT_EQ(told->caption, "File Read Error");
        EXPECT_EQ(told->text, "Ledgerpad cannot start because its options file could not be read:\n" + options +
                                  "\n\n" + SystemErrorText(ERROR_SHARING_VIOLATION));
        ASSERT_TRUE(app_.WaitForExit()) << app_.DescribeWindows();
        EXPECT_EQ(app_.ExitCode(), 1u);
        EXPECT_EQ(FindTopLevel(app_.Id(), kMainClass), nullptr) << "no main window came up";
    }
    EXPECT_EQ(ReadFileBytes(options), before);

    // Once the other program lets go, the password still guards the start.
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    EXPECT_NE(PasswordAfter(kRecentButton), nullptr) << app_.DescribeWindows();
}

}  // namespace
}  // namespace e2e
