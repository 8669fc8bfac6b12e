// Balancing the account on the real program: the first question, the help
// message, the statement dialog with its amount checks, and the three
// result messages.
#include "accounts_helpers.h"
#include "program_test.h"
#include "register_helpers.h"

namespace e2e {
namespace {

using accounts::AnswerMessageBox;
using accounts::SaveDialogShot;
using accounts::WaitForDialogShowing;
using accounts::WaitGone;

constexpr int kCmdBalance = 1010;
constexpr int kAmountField = 2120;
constexpr char kTitle[] = "Balance Ledgerpad";
constexpr char kQuestion[] =
    "Have you typed the letter \"R\" beside each transaction that is listed on your bank statement?";
constexpr char kDidNot[] = "Your account did not balance.\nThe difference is $  ";
constexpr char kTooLarge[] = "Your account did not balance. The difference is too large to display correctly.";

// Types into the dialog's field and waits until the field shows it: typed
// keys come through the input queue, behind any message posted meanwhile.
bool TypeInto(HWND dialog, int id, const std::string& text) {
    return accounts::TypeInto(dialog, id, text) &&
           WaitUntil([&] { return ControlText(dialog, id) == text; });
}

class BalanceTest : public ProgramTest {
protected:
    // Cleared records worth 100.00 and two open ones that do not count.
    void OpenAccount() {
        const std::string failure = reg::OpenWrittenAccount(
            app_, {{.date = "20260101", .description = "Opening", .deposit = 150.0, .cleared = true},
                   {.date = "20260102", .description = "Cleared rent", .payment = 50.0, .cleared = true},
                   {.date = "20260103", .description = "Open groceries", .payment = 20.0},
                   {.date = "20260104", .description = "Open pay", .deposit = 500.0}});
        ASSERT_EQ(failure, "");
    }

    // The command up to the statement dialog.
    HWND StatementDialog() {
        if (!PostCommand(app_.MainWindow(), kCmdBalance)) return nullptr;
        std::optional<MessageBoxText> question = AnswerMessageBox(app_, IDYES);
        if (!question || question->text != kQuestion || question->caption != kTitle) return nullptr;
        return WaitForDialogShowing(app_, kTitle, kAmountField);
    }

    // Types the statement balance and presses OK; the message it gave.
    std::optional<MessageBoxText> Balance(const std::string& statement) {
        HWND dialog = StatementDialog();
        if (!dialog || !TypeInto(dialog, kAmountField, statement) || !accounts::Press(app_, dialog, IDOK))
            return std::nullopt;
        return reg::TakeMessage(app_);
    }
};

TEST_F(BalanceTest, NoShowsOnlyTheHelpMessage) {
    ASSERT_NO_FATAL_FAILURE(OpenAccount());
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdBalance));
    std::optional<MessageBoxText> question = AnswerMessageBox(app_, IDNO);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->caption, kTitle);
    EXPECT_EQ(question->text, kQuestion);
    std::optional<MessageBoxText> help = reg::TakeMessage(app_);
    ASSERT_TRUE(help);
    EXPECT_EQ(help->text, "Select HELP for details on balancing your checking account.");
    EXPECT_TRUE(reg::NoMessage(app_));
    EXPECT_EQ(WaitForDialogShowing(app_, kTitle, kAmountField, nullptr, Duration(300)), nullptr);
}

TEST_F(BalanceTest, CancelInTheStatementDialogEndsSilently) {
    ASSERT_NO_FATAL_FAILURE(OpenAccount());
    HWND dialog = StatementDialog();
    ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(ControlText(dialog, kAmountField), "0.00");
    EXPECT_FALSE(SaveDialogShot(dialog, "balance-statement-dialog").empty());
    ASSERT_TRUE(ClickButton(dialog, IDCANCEL));
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_TRUE(reg::NoMessage(app_));
    // The register has the keyboard again.
    EXPECT_NE(reg::FocusedPlace(app_).row, -1);
}

TEST_F(BalanceTest, WrongAmountsAreRefusedInsideTheDialog) {
    ASSERT_NO_FATAL_FAILURE(OpenAccount());
    HWND dialog = StatementDialog();
    ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
    for (const char* wrong : {"12a", "1-2", "10000000"}) {
        ASSERT_TRUE(TypeInto(dialog, kAmountField, wrong)) << wrong;
        ASSERT_TRUE(ClickButton(dialog, IDOK));
        std::optional<MessageBoxText> error = AnswerMessageBox(app_);
        ASSERT_TRUE(error) << wrong;
        EXPECT_EQ(error->caption, "Amount Error");
        EXPECT_EQ(error->text, "Enter a valid amount in the following\nformat 0,000,000.00.");
        EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open after " << wrong;
        EXPECT_TRUE(accounts::HasFocus(dialog, kAmountField)) << wrong;
    }
    ASSERT_TRUE(TypeInto(dialog, kAmountField, "1,234.56"));
    ASSERT_TRUE(accounts::Press(app_, dialog, IDOK));
    std::optional<MessageBoxText> result = reg::TakeMessage(app_);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->text, std::string(kDidNot) + "1,134.56.");
}

struct ResultCase {
    const char* statement;
    std::string message;
};

TEST_F(BalanceTest, TheStatementBalanceDecidesTheMessage) {
    ASSERT_NO_FATAL_FAILURE(OpenAccount());
    const ResultCase cases[] = {
        {"100.00", "Your account balanced."},
        {"100.0004", "Your account balanced."},
        {"1,234,667.89", std::string(kDidNot) + "1,234,567.89."},
        {"90.00", std::string(kDidNot) + "-10.00."},
        {"-9999999.99", kTooLarge},
        {"", std::string(kDidNot) + "-100.00."},
    };
    for (const ResultCase& c : cases) {
        std::optional<MessageBoxText> result = Balance(c.statement);
        ASSERT_TRUE(result) << c.statement << "\n" << app_.DescribeWindows();
        EXPECT_EQ(result->caption, kTitle) << c.statement;
        EXPECT_EQ(result->text, c.message) << c.statement;
        EXPECT_TRUE(reg::NoMessage(app_)) << c.statement;
    }
}

}  // namespace
}  // namespace e2e
