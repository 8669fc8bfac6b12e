// Typing into the register of the real program: the road of one payment
// to the file on disk, where Tab and Enter lead, the refusals with their
// messages, the payment/deposit rule, the check number, Insert Date, and a
// refused row that keeps a command from running.
#include <cstdio>
#include <cstring>

#include "program_test.h"
#include "register_helpers.h"

namespace e2e {
namespace {

using namespace reg;

class RegisterTypingTest : public ProgramTest {
protected:
    // A new account with only its opening balance: the Current view shows
    // one blank row with the focus on its Date field.
    void StartNewAccount() {
        ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
        ASSERT_EQ(accounts::CreateFromStartScreen(app_, "Register Test", "100.00", "8/31/26"), "");
        ASSERT_EQ(WaitForFocus(app_, 0, Date), (Place{0, Date})) << app_.DescribeWindows();
    }
    void OpenAccount(const std::vector<reg::Tx>& records) {
        ASSERT_EQ(OpenWrittenAccount(app_, records), "");
    }
    void ExpectMessage(const char* caption, const std::string& text) {
        const std::optional<MessageBoxText> box = TakeMessage(app_);
        ASSERT_TRUE(box) << "no message box; expected " << caption;
        EXPECT_EQ(box->caption, caption);
        EXPECT_EQ(box->text, text);
    }
};

// Puts text on the clipboard, as copying it in another program does.
bool PutOnClipboard(const std::string& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory) return false;
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    if (!OpenClipboard(nullptr)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool put = SetClipboardData(CF_TEXT, memory) != nullptr;
    CloseClipboard();
    if (!put) GlobalFree(memory);
    return put;
}

constexpr char kDateHelpStart[] = "Enter a valid date in one of the following formats: \n\n";

TEST_F(RegisterTypingTest, TheRoadOfOneTypedPayment) {
    StartNewAccount();
    ASSERT_TRUE(Type(app_, "9/5/26\t\tLater\t20\n"));
    ASSERT_EQ(WaitForFocus(app_, 1, Date), (Place{1, Date}));
    ASSERT_TRUE(Type(app_, "9/1/26\t101\tCoffee\t12.50\n"));
    EXPECT_EQ(WaitForFocus(app_, 2, Date), (Place{2, Date}));
    EXPECT_TRUE(NoMessage(app_));

    // Sorted into place on the screen and in the file.
    EXPECT_EQ(FieldText(app_, 0, Desc), "Coffee");
    EXPECT_EQ(FieldText(app_, 0, Date), "09/01/26");
    EXPECT_EQ(FieldText(app_, 0, Num), "101");
    EXPECT_EQ(FieldText(app_, 0, Payment), "12.50");
    EXPECT_EQ(FieldText(app_, 0, Balance), "87.50");
    EXPECT_EQ(FieldText(app_, 1, Desc), "Later");
    EXPECT_EQ(FieldText(app_, 1, Balance), "67.50");
    EXPECT_EQ(FieldText(app_, 2, Desc), "");
    EXPECT_EQ(BoxText(app_, kOpeningBox), "100.00");
    EXPECT_EQ(BoxText(app_, kEndingBox), "67.50");

    const std::vector<reg::Tx> stored = StoredRecords();
    ASSERT_EQ(stored.size(), 3u) << "the blank row for typing is not saved";
    EXPECT_EQ(Descriptions(stored), "OPENING BALANCE Coffee Later");
    EXPECT_EQ(stored[1].date, "20260901");
    EXPECT_EQ(stored[1].num, "101");
    EXPECT_EQ(stored[1].payment, 12.5);
    EXPECT_EQ(stored[2].payment, 20.0);
    SaveScreenshot("register-two-payments", app_.MainWindow());
}

// Text copied from elsewhere may hold tabs and line breaks; pasted into the
// register they become spaces, so that the file (and every export of it)
// never holds them.
TEST_F(RegisterTypingTest, APastedTabOrLineBreakIsStoredAsASpace) {
    StartNewAccount();
    ASSERT_TRUE(Type(app_, "9/1/26\t"));
    ASSERT_EQ(WaitForFocus(app_, 0, Num), (Place{0, Num}));
    ASSERT_TRUE(PutOnClipboard("1\t2"));
    ASSERT_TRUE(Press(app_, 'V', {VK_CONTROL}));
    ASSERT_TRUE(Press(app_, VK_TAB));
    ASSERT_EQ(WaitForFocus(app_, 0, Desc), (Place{0, Desc}));
    ASSERT_TRUE(PutOnClipboard("Rent\tMay\r\nJune"));
    ASSERT_TRUE(Press(app_, 'V', {VK_CONTROL}));
    EXPECT_TRUE(WaitUntil([&] { return FieldText(app_, 0, Desc) == "Rent May June"; })) << FieldText(app_, 0, Desc);
    ASSERT_TRUE(Type(app_, "\t12.50\n"));
    ASSERT_EQ(WaitForFocus(app_, 1, Date), (Place{1, Date}));
    EXPECT_TRUE(NoMessage(app_));

    const std::vector<reg::Tx> stored = StoredRecords();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].num, "1 2");
    EXPECT_EQ(stored[1].description, "Rent May June");
    EXPECT_EQ(stored[1].payment, 12.5);
}

TEST_F(RegisterTypingTest, TabCyclesTheRowAndEnterLeavesFromPaymentAndDeposit) {
    OpenAccount({{.date = "20260105", .description = "a", .payment = 5}, {.date = "20260106", .description = "b"}});
    ASSERT_EQ(WaitForFocus(app_, 1, Date), (Place{1, Date}));
    ASSERT_TRUE(Click(app_, 0, R));
    const int order[] = {Date, Num, Desc, Payment, Deposit, R, Date};
    for (int field : order) {
        ASSERT_TRUE(Press(app_, VK_TAB));
        EXPECT_EQ(WaitForFocus(app_, 0, field), (Place{0, field}));
    }
    EXPECT_TRUE(Press(app_, VK_TAB, {VK_SHIFT}));  // Shift+Tab goes forward too
    EXPECT_EQ(WaitForFocus(app_, 0, Num), (Place{0, Num}));

    // Enter in Payment with a payment: the next record's Date.
    ASSERT_TRUE(Click(app_, 0, Payment));
    ASSERT_TRUE(Press(app_, VK_RETURN));
    EXPECT_EQ(WaitForFocus(app_, 1, Date), (Place{1, Date}));
    // Enter in an empty Payment: its Deposit; Enter there: the next record.
    ASSERT_TRUE(Click(app_, 1, Payment));
    ASSERT_TRUE(Press(app_, VK_RETURN));
    EXPECT_EQ(WaitForFocus(app_, 1, Deposit), (Place{1, Deposit}));
    ASSERT_TRUE(Press(app_, VK_RETURN));
    EXPECT_EQ(WaitForFocus(app_, 2, Date), (Place{2, Date}));
    EXPECT_TRUE(NoMessage(app_));
}

TEST_F(RegisterTypingTest, RefusedInputKeepsTheFocusAndTheText) {
    OpenAccount({{.date = "20260105", .description = "a"}});
    ASSERT_EQ(WaitForFocus(app_, 0, Date), (Place{0, Date}));

    // The R column: another letter is refused and the field emptied.
    ASSERT_TRUE(Click(app_, 0, R));
    ASSERT_TRUE(Type(app_, "x\t"));
    ExpectMessage("Entry Error", "You can only type the letter \"R\" in this field.");
    EXPECT_EQ(WaitForFocus(app_, 0, R), (Place{0, R}));
    EXPECT_EQ(FieldText(app_, 0, R), "");

    // A date that does not exist: the register's date message for the
    // current format, the text as typed.
    ASSERT_TRUE(Type(app_, "\t"));
    ASSERT_EQ(WaitForFocus(app_, 0, Date), (Place{0, Date}));
    ASSERT_TRUE(Type(app_, "2/30/26\t"));
    const std::optional<MessageBoxText> box = TakeMessage(app_);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Incorrect Date Format");
    EXPECT_EQ(box->text.rfind(kDateHelpStart, 0), 0u) << box->text;
    EXPECT_NE(box->text.find("    MM/DD/YY (i.e. "), std::string::npos) << box->text;
    EXPECT_NE(box->text.find("    MM DD YY (i.e. "), std::string::npos) << box->text;
    EXPECT_NE(box->text.find("    MMDDYY (i.e. "), std::string::npos) << box->text;
    EXPECT_EQ(box->text.substr(box->text.size() - 29), "\n\nOr delete this transaction.");
    EXPECT_EQ(WaitForFocus(app_, 0, Date), (Place{0, Date}));
    EXPECT_EQ(FieldText(app_, 0, Date), "2/30/26");
    ASSERT_TRUE(Type(app_, "1/6/26\t"));
    EXPECT_EQ(WaitForFocus(app_, 0, Num), (Place{0, Num}));

    // Amounts: a sign, a letter, more than the largest entry. After each
    // refusal the field has the focus with its text selected, so the next
    // try replaces it.
    ASSERT_TRUE(Click(app_, 0, Payment));
    for (const char* amount : {"$12", "-5", "1,000,000", "12a"}) {
        ASSERT_TRUE(Type(app_, std::string(amount) + "\t"));
        ExpectMessage("Amount Error", "Enter an amount from 0 to 999,999.99\nin the following format 000,000.00.");
        EXPECT_EQ(WaitForFocus(app_, 0, Payment), (Place{0, Payment})) << amount;
        EXPECT_EQ(FieldText(app_, 0, Payment), amount);
    }
    ASSERT_TRUE(Type(app_, "999,999.99\t"));
    EXPECT_EQ(WaitForFocus(app_, 0, Deposit), (Place{0, Deposit}));
    EXPECT_TRUE(NoMessage(app_));
    EXPECT_EQ(FieldText(app_, 0, Payment), "999,999.99");
}

TEST_F(RegisterTypingTest, ADepositBeyondTheDisplayableBalanceIsRefused) {
    OpenAccount({{.date = "20260101", .description = "OPENING BALANCE", .deposit = 9500000, .cleared = true},
                 {.date = "20260105", .description = "big"}});
    ASSERT_EQ(WaitForFocus(app_, 0, Date), (Place{0, Date}));
    ASSERT_TRUE(Click(app_, 0, Deposit));
    ASSERT_TRUE(Type(app_, "600000\t"));
    ExpectMessage("Data Entry Error", "The ending balance will be too large to display correctly.");
    EXPECT_EQ(WaitForFocus(app_, 0, Deposit), (Place{0, Deposit}));
    EXPECT_EQ(FieldText(app_, 0, Deposit), "600000");
    // Still held in the row when trying to leave it.
    ASSERT_TRUE(Press(app_, VK_DOWN));
    ExpectMessage("Data Entry Error", "The ending balance will be too large to display correctly.");
    EXPECT_EQ(WaitForFocus(app_, 0, Deposit), (Place{0, Deposit}));
    EXPECT_EQ(StoredRecords()[1].deposit, 0.0) << "nothing refused reaches the file";

    // Corrected, it is kept.
    ASSERT_TRUE(Type(app_, "400000\t"));
    EXPECT_EQ(WaitForFocus(app_, 0, R), (Place{0, R}));
    EXPECT_TRUE(NoMessage(app_));
    EXPECT_EQ(BoxText(app_, kEndingBox), "9,900,000.00");
    EXPECT_TRUE(app_.Stop());
    EXPECT_EQ(StoredRecords()[1].deposit, 400000.0);
}

TEST_F(RegisterTypingTest, APaymentThenADepositKeepsTheDepositAndNumbersHaveFourCharacters) {
    OpenAccount({{.date = "20260105", .description = "a"}, {.date = "20260106", .description = "b"}});
    ASSERT_TRUE(Click(app_, 0, Num));
    ASSERT_TRUE(Type(app_, "12345\t\t10\t5\t"));
    EXPECT_EQ(WaitForFocus(app_, 0, R), (Place{0, R}));
    EXPECT_EQ(FieldText(app_, 0, Payment), "");
    EXPECT_EQ(FieldText(app_, 0, Deposit), "5.00");
    ASSERT_TRUE(Press(app_, VK_DOWN));
    EXPECT_EQ(WaitForFocus(app_, 1, R), (Place{1, R}));
    EXPECT_EQ(FieldText(app_, 0, Num), "1234");
    const std::vector<reg::Tx> stored = StoredRecords();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].num, "1234");
    EXPECT_EQ(stored[0].payment, 0.0);
    EXPECT_EQ(stored[0].deposit, 5.0);
}

TEST_F(RegisterTypingTest, InsertDateOnlyInTheDateField) {
    OpenAccount({{.date = "20260105", .description = "a"}});
    ASSERT_EQ(WaitForFocus(app_, 0, Date), (Place{0, Date}));
    SYSTEMTIME now;
    GetLocalTime(&now);
    char today[9];
    std::snprintf(today, sizeof today, "%02d/%02d/%02d", now.wMonth, now.wDay, now.wYear % 100);
    ASSERT_TRUE(Press(app_, 'D', {VK_MENU}));
    EXPECT_TRUE(WaitUntil([&] { return FieldText(app_, 0, Date) == today; })) << FieldText(app_, 0, Date);
    EXPECT_TRUE(NoMessage(app_));

    ASSERT_TRUE(Click(app_, 0, Desc));
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdInsertDate));
    ExpectMessage("Incorrect Location", "You must have the cursor in the date field.");
    EXPECT_EQ(WaitForFocus(app_, 0, Desc), (Place{0, Desc}));
    EXPECT_EQ(FieldText(app_, 0, Date), today);
}

TEST_F(RegisterTypingTest, ARefusedRowKeepsTheWindowOpenOnExit) {
    OpenAccount({{.date = "20260105", .description = "a"}});
    ASSERT_TRUE(Click(app_, 0, Payment));
    ASSERT_TRUE(Type(app_, "$5"));
    PostMessageA(app_.MainWindow(), WM_CLOSE, 0, 0);
    ExpectMessage("Amount Error", "Enter an amount from 0 to 999,999.99\nin the following format 000,000.00.");
    EXPECT_TRUE(app_.Running());
    EXPECT_TRUE(IsWindow(app_.MainWindow()));
    EXPECT_EQ(WaitForFocus(app_, 0, Payment), (Place{0, Payment}));

    // Corrected, the row is saved and the window closes.
    ASSERT_TRUE(Press(app_, VK_HOME));
    ASSERT_TRUE(Press(app_, VK_DELETE));
    EXPECT_EQ(FieldText(app_, 0, Payment), "5");
    EXPECT_TRUE(app_.Stop());
    EXPECT_EQ(StoredRecords()[0].payment, 5.0);
}

TEST_F(RegisterTypingTest, ARefusedRowKeepsACommandFromRunning) {
    OpenAccount({{.date = "20260101", .description = "cleared", .deposit = 50, .cleared = true},
                 {.date = "20260105", .description = "a"}});
    ASSERT_EQ(FieldText(app_, 0, Desc), "a");
    ASSERT_TRUE(Click(app_, 0, Deposit));
    ASSERT_TRUE(Type(app_, "12a"));
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdViewAll));
    ExpectMessage("Amount Error", "Enter an amount from 0 to 999,999.99\nin the following format 000,000.00.");
    // Still the Current view (the cleared record stays hidden), the text as
    // typed, the focus on it. (Wine cannot read another process's menu, so
    // the view shows itself through the rows.)
    EXPECT_EQ(FieldText(app_, 0, Desc), "a");
    EXPECT_EQ(FieldText(app_, 0, Deposit), "12a");
    EXPECT_EQ(WaitForFocus(app_, 0, Deposit), (Place{0, Deposit}));

    // Corrected, the command runs after the row is saved.
    ASSERT_TRUE(Type(app_, "12"));
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdViewAll));
    EXPECT_TRUE(WaitUntil([&] { return FieldText(app_, 0, Desc) == "cleared"; }));
    EXPECT_EQ(FieldText(app_, 1, Deposit), "12.00");
    EXPECT_EQ(StoredRecords()[1].deposit, 12.0);
}

}  // namespace
}  // namespace e2e
