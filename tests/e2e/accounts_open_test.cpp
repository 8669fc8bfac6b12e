// Opening accounts: the chooser and its list, the most recently used
// account after a restart, damaged and short files, and accounts whose
// files went away.
#include "accounts_helpers.h"
#include "program_test.h"

namespace e2e {
namespace {

using namespace accounts;

constexpr int kFirstField = 1130;  // row 0, field 0 of the register
constexpr int kFieldsPerRow = 7;
constexpr int kDescriptionField = 3;
constexpr int kDateField = 1;
constexpr int kOpeningBalanceBox = 1263;
constexpr int kEndingBalanceBox = 1264;
constexpr int kCmdViewAll = 1011;

std::string RowText(HWND main, int row, int field) {
    return ControlText(main, kFirstField + kFieldsPerRow * row + field);
}

// Every entry of the chooser's list, in order.
std::vector<std::string> ListEntries(HWND dialog) {
    HWND list = GetDlgItem(dialog, kAccountList);
    std::vector<std::string> entries;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    // Across processes the list answers in wide characters.
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        std::string entry;
        for (const wchar_t* c = text; *c; ++c) entry += static_cast<char>(*c);
        entries.push_back(entry);
    }
    return entries;
}

HWND StartAndPress(Program& app, int button) {
    if (!app.Start()) return nullptr;
    HWND start = WaitForStartScreen(app);
    if (!start || !ClickButton(start, button)) return nullptr;
    return start;
}

class OpenAccountTest : public ProgramTest {};

// File > Open Existing Account, the list's entry of that file, OK.
void ChooseFromMenu(Program& app, const std::string& fileName) {
    ASSERT_TRUE(PostCommand(app.MainWindow(), kCmdOpen));
    HWND chooser = WaitForDialogShowing(app, "Open Existing Account", kAccountList);
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(FocusControl(GetDlgItem(chooser, kAccountList)));
    if (ControlText(chooser, kFileName) != fileName) ASSERT_TRUE(PressKey(VK_DOWN));
    ASSERT_TRUE(WaitUntil([&] { return ControlText(chooser, kFileName) == fileName; }));
    ASSERT_TRUE(Press(app, chooser, IDOK));
}

// The shipped sample account, as a first start copies it in: both files in
// the accounts folder.
TEST_F(OpenAccountTest, ShippedSampleAccountOpensWithItsTransactionsAndInformation) {
    for (const char* name : {"SAMPLE.LPD", "SAMPLEI.LPD"}) {
        auto bytes = ReadFileBytes(ShippedSampleFile(name));
        ASSERT_TRUE(bytes) << ShippedSampleFile(name);
        ASSERT_TRUE(WriteFileBytes(AccountPath(name), *bytes));
    }
    ASSERT_NE(StartAndPress(app_, kOpenButton), nullptr) << app_.DescribeWindows();
    HWND chooser = WaitForDialogShowing(app_, "Open Existing Account", kAccountList);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(ControlText(chooser, kFileName), "SAMPLE.LPD");
    ASSERT_TRUE(Press(app_, chooser, IDOK));
    ASSERT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Sample Checking]"), "Ledgerpad - [Sample Checking]");

    // The Current view holds the transactions not yet cleared, ending with
    // the newest; the cleared months make up the opening balance.
    HWND main = app_.MainWindow();
    EXPECT_TRUE(WaitUntil([&] { return RowText(main, 0, kDescriptionField) == "Springfield Auto Repair"; }))
        << RowText(main, 0, kDescriptionField);
    EXPECT_EQ(RowText(main, 8, kDescriptionField), "Springfield Library book sale");
    EXPECT_NE(ControlText(main, kOpeningBalanceBox), "");
    EXPECT_NE(ControlText(main, kOpeningBalanceBox), ControlText(main, kEndingBalanceBox));
    ASSERT_TRUE(app_.WaitIdle());
    SaveScreenshot("accounts-sample-account");

    ASSERT_TRUE(PostCommand(main, kCmdAccountInfo));
    HWND info = WaitForDialogShowing(app_, "Checking Account Info", kInfoFirstField);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(ControlText(info, kInfoFirstField), "Riverside Community Bank");
    EXPECT_EQ(ControlText(info, kInfoFirstField + 1), "120 Main Street\r\nSpringfield, OH 45501");
    ASSERT_TRUE(Press(app_, info, IDCANCEL));
}

TEST_F(OpenAccountTest, ChooserListsEveryAccountInSlotOrderAndOpensTheChosenOne) {
    ASSERT_TRUE(WriteAccount("LEDGR3.LPD", {HeaderBlock("Holiday Fund"),
                                            RecordBlock("20260901", "Deposit", 0, 50, false)}));
    ASSERT_TRUE(WriteAccount(kSampleSlot, {HeaderBlock("Sample Checking"),
                                           RecordBlock("20260901", "Paycheck", 0, 1000, true),
                                           RecordBlock("20260902", "Groceries", 25.5, 0, false)}));
    ASSERT_TRUE(WriteAccount(kFirstSlot, {HeaderBlock("Tom's Checking")}));

    ASSERT_NE(StartAndPress(app_, kOpenButton), nullptr) << app_.DescribeWindows();
    HWND chooser = WaitForDialogShowing(app_, "Open Existing Account", kAccountList);
    ASSERT_NE(chooser, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(ListEntries(chooser), (std::vector<std::string>{"Tom's Checking", "Sample Checking", "Holiday Fund"}));
    EXPECT_EQ(ControlText(chooser, kFileName), "LEDGR1.LPD");
    EXPECT_TRUE(HasFocus(chooser, kAccountList));
    EXPECT_FALSE(SaveDialogShot(chooser, "accounts-open-chooser").empty());

    // The file name follows the selection.
    ASSERT_TRUE(FocusControl(GetDlgItem(chooser, kAccountList)));
    ASSERT_TRUE(PressKey(VK_DOWN));
    EXPECT_TRUE(WaitUntil([&] { return ControlText(chooser, kFileName) == "SAMPLE.LPD"; }))
        << ControlText(chooser, kFileName);
    ASSERT_TRUE(Press(app_, chooser, IDOK));
    EXPECT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Sample Checking]"), "Ledgerpad - [Sample Checking]");

    // Opened in the Current view: the cleared paycheck is not shown, the
    // groceries are; the opening balance is the cleared paycheck.
    HWND main = app_.MainWindow();
    EXPECT_TRUE(WaitUntil([&] { return RowText(main, 0, kDescriptionField) == "Groceries"; }))
        << RowText(main, 0, kDescriptionField);
    EXPECT_EQ(ControlText(main, kOpeningBalanceBox), "1,000.00");
    EXPECT_EQ(ControlText(main, kEndingBalanceBox), "974.50");
    ASSERT_TRUE(PostCommand(main, kCmdViewAll));
    EXPECT_TRUE(WaitUntil([&] { return RowText(main, 0, kDescriptionField) == "Paycheck"; }));
}

TEST_F(OpenAccountTest, DoubleClickInTheChooserOpensAndCancelKeepsTheStartScreen) {
    ASSERT_TRUE(WriteAccount(kFirstSlot, {HeaderBlock("Only One")}));
    ASSERT_NE(StartAndPress(app_, kOpenButton), nullptr) << app_.DescribeWindows();
    HWND chooser = WaitForDialogShowing(app_, "Open Existing Account", kAccountList);
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(Press(app_, chooser, IDCANCEL));
    HWND start = WaitForStartScreen(app_);
    ASSERT_NE(start, nullptr) << "Cancel shows the start screen again";
    EXPECT_EQ(WindowText(app_.MainWindow()), "Ledgerpad");

    ASSERT_TRUE(ClickButton(start, kOpenButton));
    chooser = WaitForDialogShowing(app_, "Open Existing Account", kAccountList);
    ASSERT_NE(chooser, nullptr);
    HWND list = GetDlgItem(chooser, kAccountList);
    ASSERT_TRUE(PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(kAccountList, LBN_DBLCLK),
                             reinterpret_cast<LPARAM>(list)));
    EXPECT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Only One]"), "Ledgerpad - [Only One]");
}

TEST_F(OpenAccountTest, MostRecentlyUsedAccountOpensAfterARestartWithEnter) {
    ASSERT_TRUE(WriteAccount(kFirstSlot, {HeaderBlock("First")}));
    ASSERT_TRUE(WriteAccount(kSecondSlot, {HeaderBlock("Second")}));

    // Nothing recent on a first start.
    HWND start = StartAndPress(app_, kRecentButton);
    ASSERT_NE(start, nullptr) << app_.DescribeWindows();
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Most Recently Used Account");
    EXPECT_EQ(told->text,
              "You have not recently opened an account. \n"
              "After you open an account and then quit, you will \n"
              "be able to open your most recently used account.");

    start = WaitForStartScreen(app_);
    ASSERT_NE(start, nullptr);
    ASSERT_TRUE(ClickButton(start, kOpenButton));
    HWND chooser = WaitForDialogShowing(app_, "Open Existing Account", kAccountList);
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(FocusControl(GetDlgItem(chooser, kAccountList)));
    ASSERT_TRUE(PressKey(VK_DOWN));
    ASSERT_TRUE(WaitUntil([&] { return ControlText(chooser, kFileName) == kSecondSlot; }));
    ASSERT_TRUE(Press(app_, chooser, IDOK));
    ASSERT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Second]"), "Ledgerpad - [Second]");
    ASSERT_TRUE(app_.Stop());

    // Enter on the start screen is its default button, the recent account.
    ASSERT_TRUE(app_.Start());
    start = WaitForStartScreen(app_);
    ASSERT_NE(start, nullptr);
    ASSERT_TRUE(FocusControl(GetDlgItem(start, kRecentButton)));
    ASSERT_TRUE(PressKey(VK_RETURN));
    EXPECT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Second]"), "Ledgerpad - [Second]");
}

// A file that is no account file is refused and opens nothing.
struct DamagedFile {
    const char* name;
    std::vector<uint8_t> bytes;
};

class DamagedFileTest : public ProgramTest, public ::testing::WithParamInterface<DamagedFile> {};

TEST_P(DamagedFileTest, IsRefusedAndLeftUntouched) {
    ASSERT_TRUE(WriteFileBytes(AccountPath(kFirstSlot), GetParam().bytes));
    ASSERT_NE(StartAndPress(app_, kOpenButton), nullptr) << app_.DescribeWindows();
    HWND chooser = WaitForDialogShowing(app_, "Open Existing Account", kAccountList);
    ASSERT_NE(chooser, nullptr) << "a damaged file is still listed";
    ASSERT_TRUE(Press(app_, chooser, IDOK));

    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told) << app_.DescribeWindows();
    EXPECT_EQ(told->caption, "File Type Error");
    EXPECT_EQ(told->text, "This is not a Ledgerpad file or the file has been damaged.");
    EXPECT_NE(WaitForStartScreen(app_), nullptr) << "nothing opened: the start screen again";
    EXPECT_EQ(WindowText(app_.MainWindow()), "Ledgerpad");
    EXPECT_EQ(FileBytes(kFirstSlot), GetParam().bytes);
    EXPECT_FALSE(FileExists(AccountPath("LEDGR1I.LPD"))) << "no information file made for it";

    // Quitting now keeps no trace of it as the most recent account.
    ASSERT_TRUE(ClickButton(WaitForStartScreen(app_), kQuitButton));
    ASSERT_TRUE(app_.WaitForExit());
    ASSERT_NE(StartAndPress(app_, kRecentButton), nullptr);
    told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Most Recently Used Account");
}

std::vector<uint8_t> FirstByteZero() {
    std::vector<uint8_t> bytes = HeaderBlock("Looks Right");
    bytes[0] = 0x00;
    bytes.resize(256, 0);
    return bytes;
}

std::vector<uint8_t> Short50() {
    std::vector<uint8_t> bytes = HeaderBlock("Cut Short");
    bytes.resize(50);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedFileTest,
                         ::testing::Values(DamagedFile{"FirstByteZero", FirstByteZero()},
                                           DamagedFile{"Only50Bytes", Short50()}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpenAccountTest, DamagedFileChosenFromTheMenuKeepsTheOpenAccount) {
    ASSERT_TRUE(WriteAccount(kFirstSlot, {HeaderBlock("Good One"), RecordBlock("20260905", "Books", 12, 0, false)}));
    std::vector<uint8_t> damaged = FirstByteZero();
    ASSERT_TRUE(WriteFileBytes(AccountPath(kSecondSlot), damaged));
    ASSERT_TRUE(app_.Start());
    ASSERT_EQ(OpenFirstFromStartScreen(app_, "Ledgerpad - [Good One]"), "");
    const std::vector<uint8_t> good = FileBytes(kFirstSlot);

    ASSERT_NO_FATAL_FAILURE(ChooseFromMenu(app_, kSecondSlot));
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "File Type Error");

    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_EQ(WindowText(app_.MainWindow()), "Ledgerpad - [Good One]");
    EXPECT_TRUE(WaitUntil([&] { return RowText(app_.MainWindow(), 0, kDescriptionField) == "Books"; }));
    EXPECT_EQ(FileBytes(kSecondSlot), damaged);
    EXPECT_EQ(FileBytes(kFirstSlot), good);

    // The account open at exit is the recent one, not the refused file.
    ASSERT_TRUE(app_.Stop());
    ASSERT_NE(StartAndPress(app_, kRecentButton), nullptr);
    EXPECT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Good One]"), "Ledgerpad - [Good One]");
}

// An information file in use by another program is no missing file: the
// account is refused, the open one stays, and no file is written.
TEST_F(OpenAccountTest, InformationFileInUseRefusesTheAccountAndKeepsTheOpenOne) {
    ASSERT_TRUE(WriteAccount(kFirstSlot, {HeaderBlock("Other One"), RecordBlock("20260906", "Rent", 700, 0, false)}));
    ASSERT_TRUE(WriteAccount(kSecondSlot, {HeaderBlock("Good One"), RecordBlock("20260905", "Books", 12, 0, false)}));
    // The first account gets information of its own ...
    ASSERT_TRUE(app_.Start());
    ASSERT_EQ(OpenFirstFromStartScreen(app_, "Ledgerpad - [Other One]"), "");
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdAccountInfo));
    HWND dialog = WaitForDialogShowing(app_, "Checking Account Info", kInfoFirstField);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(TypeInto(dialog, kInfoFirstField, "River Bank"));
    ASSERT_TRUE(Press(app_, dialog, IDOK));
    // ... and the second is open when another program takes the first's.
    ASSERT_NO_FATAL_FAILURE(ChooseFromMenu(app_, kSecondSlot));
    ASSERT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Good One]"), "Ledgerpad - [Good One]");
    ASSERT_TRUE(app_.WaitIdle());
    const char* const files[] = {kFirstSlot, "LEDGR1I.LPD", kSecondSlot, "LEDGR2I.LPD"};
    std::vector<std::vector<uint8_t>> before;
    for (const char* name : files) before.push_back(FileBytes(name));
    {
        UniqueHandle held = HoldFile(AccountPath("LEDGR1I.LPD"));
        ASSERT_TRUE(held);
        ASSERT_NO_FATAL_FAILURE(ChooseFromMenu(app_, kFirstSlot));
        std::optional<MessageBoxText> told = AnswerMessageBox(app_);
        ASSERT_TRUE(told) << app_.DescribeWindows();
        EXPECT_EQ(told->caption, "File Read Error");
        EXPECT_EQ(told->text, "The account information file could not be read:\n" + AccountPath("LEDGR1I.LPD") +
                                  "\n\n" + SystemErrorText(ERROR_SHARING_VIOLATION));
        ASSERT_TRUE(app_.WaitIdle());
        EXPECT_EQ(WindowText(app_.MainWindow()), "Ledgerpad - [Good One]");
        EXPECT_TRUE(WaitUntil([&] { return RowText(app_.MainWindow(), 0, kDescriptionField) == "Books"; }));
    }
    std::vector<std::vector<uint8_t>> after;
    for (const char* name : files) after.push_back(FileBytes(name));
    EXPECT_EQ(after, before) << "no file written";

    // Once the other program lets go, the account opens with its information.
    ASSERT_NO_FATAL_FAILURE(ChooseFromMenu(app_, kFirstSlot));
    ASSERT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Other One]"), "Ledgerpad - [Other One]");
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdAccountInfo));
    dialog = WaitForDialogShowing(app_, "Checking Account Info", kInfoFirstField);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, kInfoFirstField), "River Bank");
    ASSERT_TRUE(Press(app_, dialog, IDCANCEL));
}

// The open account keeps its file name while the user chooses another:
// the program closed meanwhile saves it to its own file without a word.
TEST_F(OpenAccountTest, ClosedWhileChoosingTheOpenAccountStaysTheRecentOne) {
    ASSERT_TRUE(WriteAccount(kFirstSlot, {HeaderBlock("Open One")}));
    ASSERT_TRUE(WriteAccount(kSecondSlot, {HeaderBlock("Other One")}));
    ASSERT_NE(StartAndPress(app_, kOpenButton), nullptr);
    HWND chooser = WaitForDialogShowing(app_, "Open Existing Account", kAccountList);
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(Press(app_, chooser, IDOK));
    ASSERT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Open One]"), "Ledgerpad - [Open One]");

    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdOpen));
    ASSERT_NE(WaitForDialogShowing(app_, "Open Existing Account", kAccountList), nullptr);
    ASSERT_TRUE(PostMessageA(app_.MainWindow(), WM_CLOSE, 0, 0));
    ASSERT_TRUE(app_.WaitForExit()) << app_.DescribeWindows();
    EXPECT_EQ(app_.ExitCode(), 0u);

    ASSERT_NE(StartAndPress(app_, kRecentButton), nullptr);
    EXPECT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Open One]"), "Ledgerpad - [Open One]");
    EXPECT_EQ(StoredName(FileBytes(kSecondSlot)), "Other One");
}

TEST_F(OpenAccountTest, FileOfOnlyTheHeaderOpensWithOneBlankRecord) {
    ASSERT_TRUE(WriteAccount(kFirstSlot, {HeaderBlock("Header Only")}));
    ASSERT_NE(StartAndPress(app_, kOpenButton), nullptr);
    HWND chooser = WaitForDialogShowing(app_, "Open Existing Account", kAccountList);
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(Press(app_, chooser, IDOK));
    ASSERT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Header Only]"), "Ledgerpad - [Header Only]");
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_EQ(FileBytes(kFirstSlot).size(), 128u) << "opening does not write the file";

    HWND main = app_.MainWindow();
    ASSERT_TRUE(PostCommand(main, kCmdViewAll));
    ASSERT_TRUE(app_.WaitIdle());
    for (int field : {kDateField, kDescriptionField})
        EXPECT_EQ(RowText(main, 0, field), "") << "one blank record, field " << field;
    EXPECT_EQ(RowText(main, 1, kDescriptionField), "");
    EXPECT_EQ(ControlText(main, kEndingBalanceBox), "0.00");
}

TEST_F(OpenAccountTest, AccountFilesThatWentAwayAreTold) {
    ASSERT_TRUE(WriteAccount(kFirstSlot, {HeaderBlock("Going Away")}));
    ASSERT_TRUE(app_.Start());
    HWND start = WaitForStartScreen(app_);
    ASSERT_NE(start, nullptr);

    // Deleted behind the program's back while the start screen shows: the
    // chooser has nothing to list.
    ASSERT_TRUE(DeleteFileA(AccountPath(kFirstSlot).c_str()));
    ASSERT_TRUE(ClickButton(start, kOpenButton));
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told) << app_.DescribeWindows();
    EXPECT_EQ(told->caption, "No Accounts Found");
    EXPECT_EQ(told->text, "There are no accounts to select. Create an account first.");
    start = WaitForStartScreen(app_);
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(WindowText(app_.MainWindow()), "Ledgerpad");

    // An account opened and quit becomes the recent one ...
    ASSERT_TRUE(WriteAccount(kFirstSlot, {HeaderBlock("Going Away")}));
    ASSERT_TRUE(ClickButton(start, kOpenButton));
    HWND chooser = WaitForDialogShowing(app_, "Open Existing Account", kAccountList);
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(Press(app_, chooser, IDOK));
    ASSERT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Going Away]"), "Ledgerpad - [Going Away]");
    ASSERT_TRUE(app_.Stop());

    // ... and when no account file exists at all, that is what is said.
    ASSERT_TRUE(DeleteFileA(AccountPath(kFirstSlot).c_str()));
    DeleteFileA(AccountPath("LEDGR1I.LPD").c_str());
    ASSERT_NE(StartAndPress(app_, kRecentButton), nullptr);
    told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Most Recently Used Account");
    EXPECT_EQ(told->text, "You need to create an account to open.");

    // With another account there, the recent one is looked for and missed.
    ASSERT_TRUE(WriteAccount(kSecondSlot, {HeaderBlock("Still Here")}));
    ASSERT_TRUE(app_.Stop());
    ASSERT_NE(StartAndPress(app_, kRecentButton), nullptr);
    told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "File Read Error");
    EXPECT_EQ(told->text, "Unable to open account " + AccountPath(kFirstSlot) + ".");
    EXPECT_NE(WaitForStartScreen(app_), nullptr);
}

}  // namespace
}  // namespace e2e
