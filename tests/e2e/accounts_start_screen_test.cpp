// The start screen: what a first-time user sees, what each button does with
// no account file, and that Quit ends the program.
#include "accounts_helpers.h"
#include "program_test.h"

namespace e2e {
namespace {

using namespace accounts;

class StartScreenTest : public ProgramTest {};

TEST_F(StartScreenTest, ShowsItsPicturesAndFourButtonsWithMostRecentAsDefault) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    HWND start = WaitForStartScreen(app_);
    ASSERT_NE(start, nullptr) << app_.DescribeWindows();

    EXPECT_EQ(WindowText(start), "");
    EXPECT_EQ(GetWindow(start, GW_OWNER), app_.MainWindow());
    EXPECT_FALSE(IsWindowEnabled(app_.MainWindow())) << "the start screen is modal";
    EXPECT_EQ(ControlText(start, kCreateButton), "Create &New Account");
    EXPECT_EQ(ControlText(start, kOpenButton), "&Open Existing Account");
    EXPECT_EQ(ControlText(start, kRecentButton), "Open Most &Recently Used Account");
    EXPECT_EQ(ControlText(start, kQuitButton), "&Quit");
    DWORD_PTR defId = 0;
    ASSERT_TRUE(SendMessageTimeoutA(start, DM_GETDEFID, 0, 0, SMTO_NORMAL, 5000, &defId));
    EXPECT_EQ(LOWORD(defId), kRecentButton);
    EXPECT_TRUE(HasFocus(start, kRecentButton));
    EXPECT_EQ(WindowText(app_.MainWindow()), "Ledgerpad");

    // The two pictures fill the area above the buttons: many colours there,
    // where a screen without them would be plain white.
    ASSERT_TRUE(app_.WaitIdle());
    std::optional<Image> screen = CaptureScreen();
    ASSERT_TRUE(screen);
    RECT frame{};
    ASSERT_TRUE(GetWindowRect(start, &frame));
    RECT button{};
    ASSERT_TRUE(GetWindowRect(GetDlgItem(start, kCreateButton), &button));
    RECT pictures = {frame.left + 2, frame.top + 2, frame.right - 2, button.top - 2};
    EXPECT_GT(Crop(*screen, pictures).ColourCount(), 8u);
    EXPECT_FALSE(SaveDialogShot(start, "accounts-start-screen").empty());
    EXPECT_FALSE(SaveScreenshot("accounts-start-screen-over-main-window").empty());
}

struct NoAccountCase {
    const char* name;
    int button;
    const char* caption;
};

class NoAccountTest : public ProgramTest, public ::testing::WithParamInterface<NoAccountCase> {};

TEST_P(NoAccountTest, SaysCreateAnAccountFirstAndShowsTheStartScreenAgain) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    HWND start = WaitForStartScreen(app_);
    ASSERT_NE(start, nullptr) << app_.DescribeWindows();
    ASSERT_TRUE(ClickButton(start, GetParam().button));

    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told) << app_.DescribeWindows();
    EXPECT_EQ(told->caption, GetParam().caption);
    EXPECT_EQ(told->text, "You need to create an account to open.");
    EXPECT_NE(WaitForStartScreen(app_), nullptr) << app_.DescribeWindows();
    EXPECT_TRUE(AccountsFolder().empty() || !FileExists(AccountPath(kFirstSlot)));
}

INSTANTIATE_TEST_SUITE_P(WithoutAccounts, NoAccountTest,
                         ::testing::Values(NoAccountCase{"Open", kOpenButton, "Open Existing Account"},
                                           NoAccountCase{"MostRecent", kRecentButton, "Most Recently Used Account"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Quit, Escape and Alt+F4 on the start screen all end the program.
struct QuitWay {
    const char* name;
    bool (*quit)(HWND start);
};

class StartScreenQuitTest : public ProgramTest, public ::testing::WithParamInterface<QuitWay> {};

TEST_P(StartScreenQuitTest, EndsTheProgramWithExitCodeZero) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    HWND start = WaitForStartScreen(app_);
    ASSERT_NE(start, nullptr) << app_.DescribeWindows();
    ASSERT_TRUE(GetParam().quit(start));
    ASSERT_TRUE(app_.WaitForExit()) << app_.DescribeWindows();
    EXPECT_EQ(app_.ExitCode(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, StartScreenQuitTest,
    ::testing::Values(QuitWay{"QuitButton", [](HWND start) { return ClickButton(start, kQuitButton); }},
                      QuitWay{"Escape",
                              [](HWND start) {
                                  return FocusControl(GetDlgItem(start, kRecentButton)) && PressKey(VK_ESCAPE);
                              }},
                      QuitWay{"AltF4",
                              [](HWND start) {
                                  return FocusControl(GetDlgItem(start, kRecentButton)) &&
                                         PressKey(VK_F4, {VK_MENU});
                              }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartScreenTest, CreateRunsTheThreeDialogsAndOpensTheAccount) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    HWND start = WaitForStartScreen(app_);
    ASSERT_NE(start, nullptr);
    ASSERT_TRUE(ClickButton(start, kCreateButton));

    // Each dialog as it first shows.
    struct Expected {
        const char* label;
        const char* shot;
    };
    const Expected steps[] = {{kNameLabel, "accounts-create-name"},
                              {kBalanceLabel, "accounts-create-balance"},
                              {kDateLabel, "accounts-create-date"}};
    const char* typed[] = {"State Bank", "1,234.56", "08/31/26"};
    for (int i = 0; i < 3; ++i) {
        HWND dialog = WaitForDialogShowing(app_, kCreateCaption, kLabel, steps[i].label);
        ASSERT_NE(dialog, nullptr) << steps[i].label << "\n" << app_.DescribeWindows();
        EXPECT_FALSE(IsWindow(start) && IsWindowVisible(start)) << "the start screen has closed";
        EXPECT_TRUE(HasFocus(dialog, kEntryField)) << steps[i].label;
        if (i == 1) {
            EXPECT_EQ(ControlText(dialog, kEntryField), "0.00");
        }
        if (i == 2) {
            EXPECT_EQ(ControlText(dialog, 2501), "Enter the date from your last statement for this checking account.");
            EXPECT_EQ(ControlText(dialog, kEntryField).size(), 8u) << "today as MM/DD/YY";
        }
        EXPECT_FALSE(SaveDialogShot(dialog, steps[i].shot).empty());
        ASSERT_TRUE(TypeInto(dialog, kEntryField, typed[i]));
        ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, kEntryField) == typed[i]; }))
            << ControlText(dialog, kEntryField);
        ASSERT_TRUE(Press(app_, dialog, IDOK));
    }
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Create New Account");
    EXPECT_EQ(told->text,
              "You will now need to enter any outstanding transactions\n"
              "that are not shown on your last statement for this checking account.");
    EXPECT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [State Bank]"), "Ledgerpad - [State Bank]");
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_.MainWindow()); })) << "the start screen is gone";
    EXPECT_EQ(FileBytes(kFirstSlot).size(), 256u);
}

}  // namespace
}  // namespace e2e
