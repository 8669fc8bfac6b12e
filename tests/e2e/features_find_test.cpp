// Find on the real program: Ctrl+F with the register's selection, Find
// Next selecting matches in the register (scrolling it when needed) while
// the dialog keeps the keyboard, the wrap to the top, the "Cannot find"
// message once per press, and a menu of the main window closing the dialog.
#include "accounts_helpers.h"
#include "program_test.h"
#include "register_helpers.h"

namespace e2e {
namespace {

using accounts::AnswerMessageBox;
using accounts::WaitForDialogShowing;
using accounts::WaitGone;

constexpr int kCmdFind = 1040;
constexpr int kFindText = 2310;
constexpr int kWholeWord = 2311;
constexpr char kFindCaption[] = "Find";

// The selection of a register field, as EM_GETSEL gives it.
std::pair<int, int> Selection(const Program& app, int row, int field) {
    const LRESULT both = SendMessageA(reg::FieldWindow(app.MainWindow(), row, field), EM_GETSEL, 0, 0);
    return {LOWORD(both), HIWORD(both)};
}

// Types into the dialog's field and waits until the field shows it: typed
// keys come through the input queue, behind any message posted meanwhile.
bool TypeInto(HWND dialog, int id, const std::string& text) {
    return accounts::TypeInto(dialog, id, text) &&
           WaitUntil([&] { return ControlText(dialog, id) == text; });
}

class FindTest : public ProgramTest {
protected:
    void Open(const std::vector<reg::Tx>& records) { ASSERT_EQ(reg::OpenWrittenAccount(app_, records), ""); }

    HWND OpenFindDialog() {
        if (!PostCommand(app_.MainWindow(), kCmdFind)) return nullptr;
        return WaitForDialogShowing(app_, kFindCaption, kFindText);
    }

    // Find Next, once the program has handled it.
    bool FindNext(HWND dialog) { return ClickButton(dialog, IDOK) && app_.WaitIdle(); }

    // The keyboard is in the Find dialog.
    bool DialogHasFocus(HWND dialog) {
        HWND focus = FocusedWindow(app_.MainWindow());
        return focus && (focus == dialog || GetAncestor(focus, GA_ROOT) == dialog);
    }

    static std::vector<reg::Tx> Shopping() {
        return {{.date = "20260101", .description = "Gas station", .payment = 40},
                {.date = "20260102", .description = "Coffee", .payment = 3.5},
                {.date = "20260103", .description = "Groceries", .payment = 80},
                {.date = "20260104", .description = "Gas again, more gas", .payment = 35}};
    }
};

TEST_F(FindTest, CtrlFOpensTheDialogWithTheRegistersSelection) {
    ASSERT_NO_FATAL_FAILURE(Open(Shopping()));
    ASSERT_TRUE(reg::Click(app_, 1, reg::Desc));
    SendMessageA(reg::FieldWindow(app_.MainWindow(), 1, reg::Desc), EM_SETSEL, 0, 3);
    ASSERT_TRUE(reg::Press(app_, 'F', {VK_CONTROL}));
    HWND dialog = WaitForDialogShowing(app_, kFindCaption, kFindText);
    ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(ControlText(dialog, kFindText), "Cof");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    EXPECT_EQ(Selection(app_, 1, reg::Desc), std::make_pair(0, 3)) << "the selection is kept";

    // Emptying the text disables Find Next and makes Cancel the default.
    ASSERT_TRUE(TypeInto(dialog, kFindText, ""));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(GetDlgItem(dialog, IDOK)); }));
    EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDCANCEL);
    ASSERT_TRUE(TypeText("g"));
    ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, kFindText) == "g"; }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE; }));
    EXPECT_EQ(LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0)), IDOK);
}

TEST_F(FindTest, FindNextSelectsEachOccurrenceAndWraps) {
    ASSERT_NO_FATAL_FAILURE(Open(Shopping()));
    ASSERT_TRUE(reg::Click(app_, 0, reg::Desc));
    SendMessageA(reg::FieldWindow(app_.MainWindow(), 0, reg::Desc), EM_SETSEL, 0, 0);
    HWND dialog = OpenFindDialog();
    ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
    ASSERT_TRUE(TypeInto(dialog, kFindText, "gas"));

    // From the caret at the start of "Gas station".
    ASSERT_TRUE(FindNext(dialog));
    EXPECT_EQ(Selection(app_, 0, reg::Desc), std::make_pair(0, 3));
    EXPECT_TRUE(DialogHasFocus(dialog));
    ASSERT_TRUE(FindNext(dialog));
    EXPECT_EQ(Selection(app_, 3, reg::Desc), std::make_pair(0, 3));
    ASSERT_TRUE(FindNext(dialog));
    EXPECT_EQ(Selection(app_, 3, reg::Desc), std::make_pair(16, 19));
    // Nothing after it: the wrap finds the first one again.
    ASSERT_TRUE(FindNext(dialog));
    EXPECT_EQ(Selection(app_, 0, reg::Desc), std::make_pair(0, 3));
    EXPECT_TRUE(DialogHasFocus(dialog));
    EXPECT_TRUE(reg::NoMessage(app_));

    const std::string shot = SaveScreenshot("find-dialog-over-register");
    EXPECT_FALSE(shot.empty());
}

TEST_F(FindTest, AMatchFurtherDownScrollsItToTheFirstRow) {
    ASSERT_NO_FATAL_FAILURE(Open(reg::Numbered(40)));
    HWND dialog = OpenFindDialog();
    ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
    ASSERT_TRUE(TypeInto(dialog, kFindText, "r35"));
    ASSERT_TRUE(FindNext(dialog));
    EXPECT_TRUE(WaitUntil([&] { return reg::FieldText(app_, 0, reg::Desc) == "r35"; }))
        << reg::FieldText(app_, 0, reg::Desc);
    EXPECT_EQ(Selection(app_, 0, reg::Desc), std::make_pair(0, 3));
    EXPECT_TRUE(DialogHasFocus(dialog));

    // Whole word: "r3" is found in r3 only, before the caret, by the wrap.
    ASSERT_TRUE(TypeInto(dialog, kFindText, "r3"));
    CheckDlgButton(dialog, kWholeWord, BST_CHECKED);
    ASSERT_TRUE(FindNext(dialog));
    EXPECT_TRUE(WaitUntil([&] { return reg::FieldText(app_, 0, reg::Desc) == "r3"; }))
        << reg::FieldText(app_, 0, reg::Desc);
}

TEST_F(FindTest, AMissingTextIsToldOncePerPress) {
    ASSERT_NO_FATAL_FAILURE(Open(Shopping()));
    HWND dialog = OpenFindDialog();
    ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
    ASSERT_TRUE(TypeInto(dialog, kFindText, "Pharmacy"));
    for (int press = 0; press < 2; ++press) {
        ASSERT_TRUE(ClickButton(dialog, IDOK));
        std::optional<MessageBoxText> told = AnswerMessageBox(app_);
        ASSERT_TRUE(told) << "press " << press;
        EXPECT_EQ(told->caption, "Ledgerpad");
        EXPECT_EQ(told->text, "Cannot find \"Pharmacy\"");
        EXPECT_TRUE(reg::NoMessage(app_)) << "press " << press;
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_TRUE(WaitUntil([&] { return DialogHasFocus(dialog); }));
    }
}

// A zero payment or deposit shows as an empty field and holds nothing to
// find: a search for "0" that the register shows nowhere is told as not
// found on every press, instead of stopping in an empty field for ever.
TEST_F(FindTest, AZeroAmountIsNotFoundAndTheSearchEnds) {
    ASSERT_NO_FATAL_FAILURE(Open({{.date = "20251231", .description = "Rent", .payment = 12.25},
                                  {.date = "20251231", .description = "Pay", .deposit = 7.25}}));
    HWND dialog = OpenFindDialog();
    ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
    for (const char* search : {"0", ".00"}) {
        ASSERT_TRUE(TypeInto(dialog, kFindText, search));
        for (int press = 0; press < 2; ++press) {
            ASSERT_TRUE(ClickButton(dialog, IDOK));
            std::optional<MessageBoxText> told = AnswerMessageBox(app_);
            ASSERT_TRUE(told) << search << ", press " << press << "\n" << app_.DescribeWindows();
            EXPECT_EQ(told->text, std::string("Cannot find \"") + search + "\"");
            ASSERT_TRUE(app_.WaitIdle());
        }
    }
    // Shown amounts are still found, from the focus on the last record's
    // date onwards, then by the wrap.
    ASSERT_TRUE(TypeInto(dialog, kFindText, "."));
    ASSERT_TRUE(FindNext(dialog));
    EXPECT_EQ(Selection(app_, 1, reg::Deposit), std::make_pair(1, 2));
    ASSERT_TRUE(FindNext(dialog));
    EXPECT_EQ(Selection(app_, 0, reg::Payment), std::make_pair(2, 3));
    EXPECT_TRUE(reg::NoMessage(app_));
}

// Ctrl+F typed in the register while Find is open brings that same dialog
// forward where the user left it, with the register's selection as its text.
TEST_F(FindTest, CtrlFInTheRegisterKeepsTheOpenDialog) {
    ASSERT_NO_FATAL_FAILURE(Open(Shopping()));
    HWND dialog = OpenFindDialog();
    ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
    ASSERT_TRUE(TypeInto(dialog, kFindText, "gas"));
    ASSERT_TRUE(SetWindowPos(dialog, nullptr, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_TRUE(app_.WaitIdle());
    RECT placed{};
    GetWindowRect(dialog, &placed);

    HWND coffee = reg::FieldWindow(app_.MainWindow(), 1, reg::Desc);
    const struct {
        int selectionEnd;  // 0: nothing selected
        const char* text;  // what the dialog then shows
    } presses[] = {{0, "gas"}, {3, "Cof"}};
    for (const auto& press : presses) {
        ASSERT_TRUE(reg::Click(app_, 1, reg::Desc));
        ASSERT_EQ(reg::FocusedPlace(app_), (reg::Place{1, reg::Desc}));
        SendMessageA(coffee, EM_SETSEL, 0, press.selectionEnd);
        ASSERT_TRUE(reg::Press(app_, 'F', {VK_CONTROL}));
        ASSERT_TRUE(WaitUntil([&] { return DialogHasFocus(dialog); })) << press.text << "\n" << app_.DescribeWindows();
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ(TopLevelWindows(app_.Id(), kDialogClass, kFindCaption).size(), 1u);
        EXPECT_EQ(ControlText(dialog, kFindText), press.text);
        RECT now{};
        GetWindowRect(dialog, &now);
        EXPECT_TRUE(EqualRect(&now, &placed)) << press.text << ": at " << now.left << "," << now.top;
    }
}

TEST_F(FindTest, ReconciledRecordsAreNotFoundInTheCurrentView) {
    std::vector<reg::Tx> records = Shopping();
    records[1].cleared = true;  // Coffee
    ASSERT_NO_FATAL_FAILURE(Open(records));
    HWND dialog = OpenFindDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(TypeInto(dialog, kFindText, "coffee"));
    ASSERT_TRUE(ClickButton(dialog, IDOK));
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->text, "Cannot find \"coffee\"");
}

TEST_F(FindTest, OpeningAMenuClosesTheDialogAndFindBringsItBack) {
    ASSERT_NO_FATAL_FAILURE(Open(Shopping()));
    ASSERT_TRUE(reg::Click(app_, 2, reg::Desc));
    SendMessageA(reg::FieldWindow(app_.MainWindow(), 2, reg::Desc), EM_SETSEL, 0, 0);
    HWND dialog = OpenFindDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(TypeInto(dialog, kFindText, "Coffee"));
    ASSERT_TRUE(FindNext(dialog));
    EXPECT_EQ(Selection(app_, 1, reg::Desc), std::make_pair(0, 6));
    // A second Find brings the open dialog forward.
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdFind));
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_EQ(WaitForDialogShowing(app_, kFindCaption, kFindText), dialog);
    EXPECT_EQ(ControlText(dialog, kFindText), "Coffee");
    EXPECT_EQ(TopLevelWindows(app_.Id(), kDialogClass, kFindCaption).size(), 1u);

    // The Edit menu, opened as Alt+E does.
    PostMessageA(app_.MainWindow(), WM_SYSCOMMAND, SC_KEYMENU, 'e');
    EXPECT_TRUE(WaitGone(dialog));
    ASSERT_TRUE(PressKey(VK_ESCAPE));
    ASSERT_TRUE(PressKey(VK_ESCAPE));
    ASSERT_TRUE(app_.WaitIdle());

    // Without a selection in the register the dialog shows the text searched last.
    const reg::Place focus = reg::FocusedPlace(app_);
    ASSERT_NE(focus.row, -1);
    SendMessageA(reg::FieldWindow(app_.MainWindow(), focus.row, focus.field), EM_SETSEL, 0, 0);
    HWND again = OpenFindDialog();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(ControlText(again, kFindText), "Coffee");
}

}  // namespace
}  // namespace e2e
