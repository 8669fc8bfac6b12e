// The texts the import command shows.
#include <gtest/gtest.h>

#include "import/import_texts.h"
#include "values/date.h"

namespace {

TEST(ImportTexts, FileNameWithoutItsFolder) {
    EXPECT_EQ(FileNameOf("C:\\Users\\me\\Downloads\\may.ofx"), "may.ofx");
    EXPECT_EQ(FileNameOf("/tmp/june.qif"), "june.qif");
    EXPECT_EQ(FileNameOf("plain.csv"), "plain.csv");
    const PathMessage error = ImportErrorText("x.csv", "Line 3: the amount cannot be read.");
    EXPECT_EQ(error.Text(), "x.csv cannot be imported.\nLine 3: the amount cannot be read.");
    EXPECT_EQ(error.path, "x.csv");
}

TEST(ImportTexts, AccountByTypeAndLastFourOfItsId) {
    const struct {
        const char* type;
        const char* id;
        const char* text;
    } cases[] = {
        {"Checking", "000123456789", "Checking ...6789"},
        {"Savings", "12", "Savings ...12"},
        {"", "987654", "Account ...7654"},
        {"Credit card", "", "Credit card"},
        {"", "", "Account"},
    };
    for (const auto& c : cases) {
        Statement s;
        s.accountType = c.type;
        s.accountId = c.id;
        EXPECT_EQ(StatementAccountText(s), c.text) << c.type << "/" << c.id;
    }
}

// The preview names the account only when the file gives its id; a QIF
// list's type ("Bank") or a CSV file names none.
TEST(ImportTexts, AccountLineOnlyWhenTheFileNamesTheAccount) {
    const struct {
        const char* type;
        const char* id;
        const char* line;
    } cases[] = {
        {"Checking", "000123456789", "Account: Checking ...6789"},
        {"", "987654", "Account: Account ...7654"},
        {"Bank", "", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        Statement s;
        s.accountType = c.type;
        s.accountId = c.id;
        EXPECT_EQ(AccountLineText(s), c.line) << c.type << "/" << c.id;
    }
}

TEST(ImportTexts, TransactionsBeforeTheOpeningBalance) {
    ImportRow early{ImportAction::Add, nullptr, ""};
    early.beforeOpening = true;
    EXPECT_EQ(ActionText(early), "Add (before the account's opening balance)");
    g_Date.SetDateFormat(kFormatMMDDYY);
    EXPECT_EQ(BeforeOpeningText(0, "20260501"), "");
    EXPECT_EQ(BeforeOpeningText(1, "20260501"),
              "1 transaction is dated before the account's opening balance (05/01/26); it is left unticked. "
              "Is this statement for this account?");
    EXPECT_EQ(BeforeOpeningText(3, "20260501"),
              "3 transactions are dated before the account's opening balance (05/01/26); they are left unticked. "
              "Is this statement for this account?");
}

TEST(ImportTexts, BalanceLimitNamesTheBalanceAndTheLimit) {
    EXPECT_EQ(BalanceLimitText({kRunningOutOfRange, true}),
              "The running balance would go above 9,999,999.99, the largest balance the register shows.");
    EXPECT_EQ(BalanceLimitText({kRunningOutOfRange, false}),
              "The running balance would go below -9,999,999.99, the smallest balance the register shows.");
    EXPECT_EQ(BalanceLimitText({kReconciledOutOfRange, true}),
              "The cleared balance would go above 9,999,999.99, the largest balance the register shows.");
}

TEST(ImportTexts, ActionsAndAmounts) {
    EXPECT_EQ(ActionText({ImportAction::MarkR, nullptr, ""}), "Mark R");
    EXPECT_EQ(ActionText({ImportAction::Add, nullptr, ""}), "Add");
    EXPECT_EQ(ActionText({ImportAction::AlreadyThere, nullptr, ""}), "Already there");
    EXPECT_EQ(ActionText({ImportAction::Refused, nullptr, "Line 7: no date"}), "Refused: Line 7: no date");
    EXPECT_EQ(CentsText(-4250), "-42.50");
    EXPECT_EQ(CentsText(123456789), "1,234,567.89");
    EXPECT_EQ(TypedBalanceText(123456), "1234.56");
    EXPECT_EQ(TypedBalanceText(-5), "-0.05");
    EXPECT_EQ(TypedBalanceText(0), "0.00");
}

TEST(ImportTexts, PeriodInTheProgramsDateFormat) {
    Statement s;
    EXPECT_EQ(PeriodText(s), "");
    s.periodStart = "20260501";
    s.periodEnd = "20260531";
    g_Date.SetDateFormat(kFormatDDMMYY);
    EXPECT_EQ(PeriodText(s), "Period: 01/05/26 to 31/05/26");
    g_Date.SetDateFormat(kFormatMMDDYY);
    s.endingBalanceCents = -150000;
    EXPECT_EQ(PeriodText(s), "Period: 05/01/26 to 05/31/26    Ending balance: -1,500.00");
    s.periodStart = s.periodEnd = "";
    EXPECT_EQ(PeriodText(s), "Ending balance: -1,500.00");
}

TEST(ImportTexts, SkippedLinesAreCountedOnTheLineAboveTheList) {
    Statement s;
    s.skippedLines = 1;
    EXPECT_EQ(PeriodText(s), "1 line without a transaction was skipped.");
    s.skippedLines = 3;
    s.endingBalanceCents = 100;
    EXPECT_EQ(PeriodText(s), "Ending balance: 1.00    3 lines without a transaction were skipped.");
}

TEST(ImportTexts, DayOrderFollowsTheDateFormat) {
    EXPECT_EQ(DayOrderOfFormat(kFormatMMDDYY), DayOrder::MonthFirst);
    EXPECT_EQ(DayOrderOfFormat(kFormatDDMMYY), DayOrder::DayFirst);
    EXPECT_EQ(DayOrderOfFormat(kFormatYYMMDD), DayOrder::MonthFirst);
    EXPECT_EQ(DayOrderOfFormat(kFormatYYDDMM), DayOrder::DayFirst);
}

}  // namespace
