// Deleting and renaming accounts: the delete chooser and its confirmation,
// the "Account" choice after the open account is deleted, and the rename
// dialog with what it changes.
#include "accounts_helpers.h"
#include "program_test.h"

namespace e2e {
namespace {

using namespace accounts;

constexpr char kDeleteChooser[] = "Delete Existing Account";
constexpr char kVerify[] = "Delete Account Verification";
constexpr char kAccountChoice[] = "Account";

// Opens the account of `slot` from the start screen's chooser (the first
// entry of the list, then Down `downs` times).
std::string OpenFromStart(Program& app, int downs, const std::string& title) {
    HWND start = WaitForStartScreen(app);
    if (!start || !ClickButton(start, kOpenButton)) return "no start screen";
    HWND chooser = WaitForDialogShowing(app, "Open Existing Account", kAccountList);
    if (!chooser) return "no chooser";
    if (!FocusControl(GetDlgItem(chooser, kAccountList))) return "no focus";
    for (int i = 0; i < downs; ++i) PressKey(VK_DOWN);
    if (!WaitUntil([&] {
            return SendMessageA(GetDlgItem(chooser, kAccountList), LB_GETCURSEL, 0, 0) == downs;
        }))
        return "selection did not move";
    if (!Press(app, chooser, IDOK)) return "OK did nothing";
    return WaitForTitle(app.MainWindow(), title) == title ? "" : "title is " + WindowText(app.MainWindow());
}

// Delete command, choose entry `index`, confirm (or not). Returns the
// verification dialog's name and file name texts.
struct Verified {
    std::string name;
    std::string fileName;
};

std::optional<Verified> DeleteEntry(Program& app, int index, int answer) {
    if (!PostCommand(app.MainWindow(), kCmdDelete)) return std::nullopt;
    HWND chooser = WaitForDialogShowing(app, kDeleteChooser, kAccountList);
    if (!chooser || !FocusControl(GetDlgItem(chooser, kAccountList))) return std::nullopt;
    for (int i = 0; i < index; ++i) PressKey(VK_DOWN);
    if (!WaitUntil([&] { return SendMessageA(GetDlgItem(chooser, kAccountList), LB_GETCURSEL, 0, 0) == index; }))
        return std::nullopt;
    if (!Press(app, chooser, IDOK)) return std::nullopt;
    HWND verify = WaitForDialogShowing(app, kVerify, kFileName);
    if (!verify) return std::nullopt;
    Verified shown{ControlText(verify, kAccountList), ControlText(verify, kFileName)};
    if (!Press(app, verify, answer)) return std::nullopt;
    return shown;
}

class DeleteAccountTest : public ProgramTest {};

TEST_F(DeleteAccountTest, DeletingAnotherAccountLeavesTheOpenOne) {
    ASSERT_TRUE(WriteAccount(kFirstSlot, {HeaderBlock("Keep Me"), RecordBlock("20260902", "Rent", 900, 0, false)}));
    ASSERT_TRUE(WriteAccount(kSecondSlot, {HeaderBlock("Old Savings")}));
    ASSERT_TRUE(WriteFileBytes(AccountPath("LEDGR2I.LPD"), std::vector<uint8_t>(44, 0)));
    ASSERT_TRUE(app_.Start());
    ASSERT_EQ(OpenFromStart(app_, 0, "Ledgerpad - [Keep Me]"), "");
    ASSERT_TRUE(app_.WaitIdle());
    const std::vector<uint8_t> kept = FileBytes(kFirstSlot);

    // The chooser and the confirmation, as they look.
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdDelete));
    HWND chooser = WaitForDialogShowing(app_, kDeleteChooser, kAccountList);
    ASSERT_NE(chooser, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(ControlText(chooser, kFileName), "LEDGR1.LPD");
    EXPECT_FALSE(SaveDialogShot(chooser, "accounts-delete-chooser").empty());
    ASSERT_TRUE(FocusControl(GetDlgItem(chooser, kAccountList)));
    ASSERT_TRUE(PressKey(VK_DOWN));
    ASSERT_TRUE(WaitUntil([&] { return ControlText(chooser, kFileName) == kSecondSlot; }));
    ASSERT_TRUE(Press(app_, chooser, IDOK));
    HWND verify = WaitForDialogShowing(app_, kVerify, kFileName);
    ASSERT_NE(verify, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(ControlText(verify, kAccountList), "Old Savings");
    EXPECT_EQ(ControlText(verify, kFileName), "LEDGR2.LPD");
    EXPECT_EQ(ControlText(verify, 2502), "Deletion of this account is permanent.");
    EXPECT_FALSE(SaveDialogShot(verify, "accounts-delete-verification").empty());

    // Cancel deletes nothing.
    ASSERT_TRUE(Press(app_, verify, IDCANCEL));
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_TRUE(FileExists(AccountPath(kSecondSlot)));

    std::optional<Verified> shown = DeleteEntry(app_, 1, IDOK);
    ASSERT_TRUE(shown) << app_.DescribeWindows();
    EXPECT_TRUE(WaitUntil([] { return !FileExists(AccountPath(kSecondSlot)); }));
    EXPECT_TRUE(WaitUntil([] { return !FileExists(AccountPath("LEDGR2I.LPD")); })) << "its information file too";
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_EQ(WindowText(app_.MainWindow()), "Ledgerpad - [Keep Me]");
    EXPECT_EQ(FileBytes(kFirstSlot), kept);
    EXPECT_EQ(TopLevelWindows(app_.Id(), kDialogClass, kAccountChoice).size(), 0u) << "no Account choice";
}

TEST_F(DeleteAccountTest, DeletingTheOpenAccountAsksUntilAnotherIsOpen) {
    ASSERT_TRUE(WriteAccount(kFirstSlot, {HeaderBlock("Doomed")}));
    ASSERT_TRUE(app_.Start());
    ASSERT_EQ(OpenFromStart(app_, 0, "Ledgerpad - [Doomed]"), "");

    std::optional<Verified> shown = DeleteEntry(app_, 0, IDOK);
    ASSERT_TRUE(shown) << app_.DescribeWindows();
    EXPECT_EQ(shown->name, "Doomed");
    HWND choice = WaitForDialogShowing(app_, kAccountChoice, kCreateButton);
    ASSERT_NE(choice, nullptr) << app_.DescribeWindows();
    EXPECT_FALSE(FileExists(AccountPath(kFirstSlot)));
    EXPECT_FALSE(FileExists(AccountPath("LEDGR1I.LPD")));
    EXPECT_EQ(WindowText(app_.MainWindow()), "Ledgerpad") << "no account is open";
    EXPECT_EQ(ControlText(choice, kCreateButton), "Create &New Account");
    EXPECT_EQ(ControlText(choice, kOpenButton), "&Open Existing Account");
    EXPECT_EQ(ControlText(choice, kQuitButton), "&Quit");
    EXPECT_FALSE(SaveDialogShot(choice, "accounts-account-choice").empty());

    // Nothing to open: told, and asked again.
    ASSERT_TRUE(ClickButton(choice, kOpenButton));
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Open Existing Account");
    EXPECT_EQ(told->text, "You need to create an account to open.");
    choice = WaitForDialogShowing(app_, kAccountChoice, kCreateButton);
    ASSERT_NE(choice, nullptr);

    // A cancelled create asks again; a finished one ends the questions.
    ASSERT_TRUE(ClickButton(choice, kCreateButton));
    HWND name = WaitForDialogShowing(app_, kCreateCaption, kLabel, kNameLabel);
    ASSERT_NE(name, nullptr);
    ASSERT_TRUE(Press(app_, name, IDCANCEL));
    choice = WaitForDialogShowing(app_, kAccountChoice, kCreateButton);
    ASSERT_NE(choice, nullptr);
    ASSERT_TRUE(ClickButton(choice, kCreateButton));
    ASSERT_EQ(FillCreateDialogs(app_, "Fresh Start", "0.00", "9/1/26"), "");
    EXPECT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Fresh Start]"), "Ledgerpad - [Fresh Start]");
    EXPECT_TRUE(WaitUntil([&] { return TopLevelWindows(app_.Id(), kDialogClass, kAccountChoice).empty(); }));
    EXPECT_EQ(StoredName(FileBytes(kFirstSlot)), "Fresh Start") << "the freed slot is taken again";
    EXPECT_EQ(FileBytes("LEDGR1I.LPD").size(), 44u);
}

TEST_F(DeleteAccountTest, QuitAfterDeletingTheOpenAccountForgetsItAsTheRecentOne) {
    ASSERT_TRUE(WriteAccount(kFirstSlot, {HeaderBlock("Doomed")}));
    ASSERT_TRUE(WriteAccount(kSecondSlot, {HeaderBlock("Survivor")}));
    ASSERT_TRUE(app_.Start());
    ASSERT_EQ(OpenFromStart(app_, 0, "Ledgerpad - [Doomed]"), "");
    ASSERT_TRUE(app_.Stop());  // Doomed is now the recent account

    ASSERT_TRUE(app_.Start());
    HWND start = WaitForStartScreen(app_);
    ASSERT_NE(start, nullptr);
    ASSERT_TRUE(ClickButton(start, kRecentButton));
    ASSERT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Doomed]"), "Ledgerpad - [Doomed]");
    ASSERT_TRUE(DeleteEntry(app_, 0, IDOK));
    HWND choice = WaitForDialogShowing(app_, kAccountChoice, kCreateButton);
    ASSERT_NE(choice, nullptr);
    ASSERT_TRUE(ClickButton(choice, kQuitButton));
    ASSERT_TRUE(app_.WaitForExit()) << app_.DescribeWindows();
    EXPECT_EQ(app_.ExitCode(), 0u);

    ASSERT_TRUE(app_.Start());
    start = WaitForStartScreen(app_);
    ASSERT_NE(start, nullptr);
    ASSERT_TRUE(ClickButton(start, kRecentButton));
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Most Recently Used Account");
    EXPECT_EQ(told->text.substr(0, 40), "You have not recently opened an account.");
}

TEST_F(DeleteAccountTest, OpeningFromTheAccountChoiceEndsIt) {
    ASSERT_TRUE(WriteAccount(kFirstSlot, {HeaderBlock("Doomed")}));
    ASSERT_TRUE(WriteAccount(kSampleSlot, {HeaderBlock("Sample Checking")}));
    ASSERT_TRUE(app_.Start());
    ASSERT_EQ(OpenFromStart(app_, 0, "Ledgerpad - [Doomed]"), "");
    ASSERT_TRUE(DeleteEntry(app_, 0, IDOK));
    HWND choice = WaitForDialogShowing(app_, kAccountChoice, kCreateButton);
    ASSERT_NE(choice, nullptr);
    ASSERT_TRUE(ClickButton(choice, kOpenButton));
    HWND chooser = WaitForDialogShowing(app_, "Open Existing Account", kAccountList);
    ASSERT_NE(chooser, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(ControlText(chooser, kFileName), "SAMPLE.LPD") << "only what is left is listed";
    ASSERT_TRUE(Press(app_, chooser, IDOK));
    EXPECT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Sample Checking]"), "Ledgerpad - [Sample Checking]");
    EXPECT_TRUE(WaitUntil([&] { return TopLevelWindows(app_.Id(), kDialogClass, kAccountChoice).empty(); }));
}

class RenameAccountTest : public ProgramTest {};

TEST_F(RenameAccountTest, NewNameInTitleFileAndChooserUnderTheSameFileName) {
    ASSERT_TRUE(app_.Start());
    ASSERT_EQ(CreateFromStartScreen(app_, "Old Name"), "");
    ASSERT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Old Name]"), "Ledgerpad - [Old Name]");
    ASSERT_TRUE(WaitUntil([] { return FileBytes(kFirstSlot).size() == 256u; }));
    const std::vector<uint8_t> before = FileBytes(kFirstSlot);

    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdRename));
    HWND rename = WaitForDialogShowing(app_, "Rename Account", kNewName);
    ASSERT_NE(rename, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(ControlText(rename, kOldName), "Old Name");
    EXPECT_EQ(ControlText(rename, kNewName), "");
    EXPECT_FALSE(SaveDialogShot(rename, "accounts-rename").empty());

    // An empty name is refused and the dialog stays.
    ASSERT_TRUE(Press(app_, rename, IDOK));
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Name Error");
    EXPECT_EQ(told->text, "Account must have a name.");
    ASSERT_TRUE(IsWindow(rename) && IsWindowVisible(rename));
    EXPECT_TRUE(HasFocus(rename, kNewName));
    EXPECT_EQ(WindowText(app_.MainWindow()), "Ledgerpad - [Old Name]");

    ASSERT_TRUE(TypeInto(rename, kNewName, "Household Checking"));
    ASSERT_TRUE(WaitUntil([&] { return ControlText(rename, kNewName) == "Household Checking"; }));
    ASSERT_TRUE(Press(app_, rename, IDOK));
    EXPECT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Household Checking]"), "Ledgerpad - [Household Checking]");
    EXPECT_TRUE(WaitUntil([] { return StoredName(FileBytes(kFirstSlot)) == "Household Checking"; }));
    // The header changed, the opening balance did not, and the register's
    // blank row waiting for typing is not saved.
    std::vector<uint8_t> after = FileBytes(kFirstSlot);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_TRUE(std::equal(before.begin() + 128, before.end(), after.begin() + 128)) << "the records are as they were";
    EXPECT_TRUE(std::equal(before.begin() + 91, before.begin() + 128, after.begin() + 91)) << "balance and date kept";
    EXPECT_FALSE(FileExists(AccountPath(kSecondSlot))) << "the file keeps its name";

    // Cancel keeps the name.
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdRename));
    rename = WaitForDialogShowing(app_, "Rename Account", kNewName);
    ASSERT_NE(rename, nullptr);
    EXPECT_EQ(ControlText(rename, kOldName), "Household Checking");
    ASSERT_TRUE(TypeInto(rename, kNewName, "Not This"));
    ASSERT_TRUE(WaitUntil([&] { return ControlText(rename, kNewName) == "Not This"; }));
    ASSERT_TRUE(Press(app_, rename, IDCANCEL));
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_EQ(WindowText(app_.MainWindow()), "Ledgerpad - [Household Checking]");
    EXPECT_EQ(StoredName(FileBytes(kFirstSlot)), "Household Checking");

    // The chooser lists the new name.
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdOpen));
    HWND chooser = WaitForDialogShowing(app_, "Open Existing Account", kAccountList);
    ASSERT_NE(chooser, nullptr);
    wchar_t entry[128] = {};
    SendMessageW(GetDlgItem(chooser, kAccountList), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(entry));
    EXPECT_EQ(std::wstring(entry), L"Household Checking");
    EXPECT_EQ(ControlText(chooser, kFileName), "LEDGR1.LPD");
    ASSERT_TRUE(Press(app_, chooser, IDCANCEL));
}

}  // namespace
}  // namespace e2e
