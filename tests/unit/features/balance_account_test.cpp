// Balancing: the difference and its message, dialog 10's check of the
// typed amount, and the flow of questions with a scripted user.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "features/balance_account.h"

namespace {

struct DifferenceCase {
    double reconciled;
    double statement;
    const char* expected;
};

constexpr char kDidNot[] = "Your account did not balance.\nThe difference is $  ";

TEST(BalanceResult, MessageForEachDifference) {
    const std::string balanced = "Your account balanced.";
    const std::string tooLarge =
        "Your account did not balance. The difference is too large to display correctly.";
    const DifferenceCase cases[] = {
        {100.00, 100.00, "balanced"},
        {100.00, 100.0009, "balanced"},
        {100.00, 99.9991, "balanced"},
        {0.10 + 0.20, 0.30, "balanced"},
        {100.00, 1234667.89, "1,234,567.89"},
        {100.00, 90.00, "-10.00"},
        {100.00, 1100.00, "1,000.00"},
        {1000000.00, 0.00, "-1,000,000.00"},
        {0.00, 0.002, "0.00"},
        {0.00, 9999999.99, "9,999,999.99"},
        {0.00, -9999999.99, "-9,999,999.99"},
        {-0.01, 9999999.99, "too large"},
        {-1.00, 9999999.99, "too large"},
        {5000000.00, -5000000.00, "too large"},
    };
    for (const DifferenceCase& c : cases) {
        const double difference = BalanceDifference(c.statement, c.reconciled);
        const std::string expected = std::string(c.expected) == "balanced" ? balanced
                                     : std::string(c.expected) == "too large"
                                         ? tooLarge
                                         : std::string(kDidNot) + c.expected + ".";
        EXPECT_EQ(BalanceResultText(difference), expected)
            << "reconciled " << c.reconciled << ", statement " << c.statement;
    }
}

TEST(BalanceResult, DifferenceSnapsToZeroOnlyInsideATenthOfACent) {
    EXPECT_EQ(BalanceDifference(100.0005, 100.0), 0.0);
    EXPECT_EQ(BalanceDifference(99.9995, 100.0), 0.0);
    EXPECT_NE(BalanceDifference(100.0015, 100.0), 0.0);
    EXPECT_NE(BalanceDifference(99.9985, 100.0), 0.0);
}

struct EntryCase {
    const char* typed;
    bool accepted;
    const char* cleaned;  // the buffer after an accepted entry
};

TEST(StatementEntry, AcceptsAmountsAndRefusesTheRest) {
    const EntryCase cases[] = {
        {"1,234.56", true, "1234.56"},
        {"0.00", true, "0.00"},
        {"", true, ""},
        {"-5", true, "-5"},
        {"9999999.99", true, "9999999.99"},
        {"-9999999.99", true, "-9999999.99"},
        {"9,999,999.99", true, "9999999.99"},
        {"12a", false, nullptr},
        {"1-2", false, nullptr},
        {"5-", false, nullptr},
        {"$5", false, nullptr},
        {" 5", false, nullptr},
        {"10000000", false, nullptr},
        {"-10000000", false, nullptr},
        {"10,000,000.00", false, nullptr},
    };
    for (const EntryCase& c : cases) {
        StatementText text = {};
        std::snprintf(text, sizeof text, "%s", c.typed);
        EXPECT_EQ(AcceptStatementText(text), c.accepted) << "typed \"" << c.typed << "\"";
        if (c.accepted) {
            EXPECT_STREQ(text, c.cleaned) << "typed \"" << c.typed << "\"";
        }
    }
}

// A user who answers the question and the dialog as told, and what the
// program showed.
class ScriptedUser : public BalancePrompts {
public:
    struct Box {
        std::string text;
        std::string title;
        unsigned type;
    };

    int Message(const char* text, const char* title, unsigned type) override {
        boxes.push_back({text, title, type});
        return boxes.size() == 1 ? questionAnswer : 1;
    }
    int StatementDialog(StatementText& text) override {
        ++dialogRuns;
        shownText = text;
        std::snprintf(text, sizeof text, "%s", typed.c_str());
        return dialogResult;
    }

    int questionAnswer = balancebox::kAnswerYes;
    int dialogResult = kStatementDialogOk;
    std::string typed;
    std::string shownText;
    int dialogRuns = 0;
    std::vector<Box> boxes;
};

constexpr int kAnswerNo = 7;
constexpr int kDialogCancel = 2;

TEST(BalanceFlow, NoShowsOnlyTheHelpMessage) {
    ScriptedUser user;
    user.questionAnswer = kAnswerNo;
    EXPECT_EQ(RunBalanceAccount(100.0, user), kBalanceStopped);
    EXPECT_EQ(user.dialogRuns, 0);
    ASSERT_EQ(user.boxes.size(), 2u);
    EXPECT_EQ(user.boxes[0].text, kBalanceQuestion);
    EXPECT_EQ(user.boxes[0].title, "Balance Ledgerpad");
    EXPECT_EQ(user.boxes[0].type, 0x44u);  // Yes/No, information icon
    EXPECT_EQ(user.boxes[1].text, "Select HELP for details on balancing your checking account.");
    EXPECT_EQ(user.boxes[1].type, 0x40u);
}

TEST(BalanceFlow, CancelInTheDialogEndsSilently) {
    ScriptedUser user;
    user.dialogResult = kDialogCancel;
    user.typed = "100.00";
    EXPECT_EQ(RunBalanceAccount(100.0, user), kBalanceStopped);
    EXPECT_EQ(user.dialogRuns, 1);
    EXPECT_EQ(user.boxes.size(), 1u);  // the question only
}

struct FlowCase {
    double reconciled;
    const char* typed;  // as dialog 10 hands it back, cleaned
    int state;
    const char* message;
};

TEST(BalanceFlow, TheStatementDecidesTheMessage) {
    const FlowCase cases[] = {
        {100.0, "100.00", kBalanceBalanced, "Your account balanced."},
        {0.0, "", kBalanceBalanced, "Your account balanced."},
        {100.0, "1234667.89", kBalanceNotBalanced,
         "Your account did not balance.\nThe difference is $  1,234,567.89."},
        {100.0, "90.00", kBalanceNotBalanced,
         "Your account did not balance.\nThe difference is $  -10.00."},
        {-5000000.0, "5000000", kBalanceNotBalanced,
         "Your account did not balance. The difference is too large to display correctly."},
    };
    for (const FlowCase& c : cases) {
        ScriptedUser user;
        user.typed = c.typed;
        EXPECT_EQ(RunBalanceAccount(c.reconciled, user), c.state) << c.typed;
        EXPECT_EQ(user.dialogRuns, 1);
        EXPECT_EQ(user.shownText, "0.00") << "the dialog opens with 0.00";
        ASSERT_EQ(user.boxes.size(), 2u) << c.typed;
        EXPECT_EQ(user.boxes[1].text, c.message);
        EXPECT_EQ(user.boxes[1].title, "Balance Ledgerpad");
        EXPECT_EQ(user.boxes[1].type, 0x40u);
    }
}

// After an import the dialog opens with the statement's ending balance;
// a text longer than the field is cut, never overrun.
TEST(BalanceFlow, StartsWithATypedBalance) {
    const struct {
        const char* given;
        const char* shown;
    } cases[] = {
        {"1234.56", "1234.56"},
        {"-12.00", "-12.00"},
        {"123456789012345678", "12345678901234"},
    };
    for (const auto& c : cases) {
        ScriptedUser user;
        user.dialogResult = kDialogCancel;
        RunBalanceAccount(0.0, user, c.given);
        EXPECT_EQ(user.shownText, c.shown) << c.given;
    }
}

// After an import the question about the marks is the import's to
// answer: the flow starts at the dialog, with the statement's balance.
TEST(BalanceFlow, AfterAnImportStartsAtTheDialog) {
    const FlowCase cases[] = {
        {2883.73, "2883.73", kBalanceBalanced, "Your account balanced."},
        {2800.00, "2883.73", kBalanceNotBalanced, "Your account did not balance.\nThe difference is $  83.73."},
    };
    for (const FlowCase& c : cases) {
        ScriptedUser user;
        user.questionAnswer = kAnswerNo;  // would stop the flow if it were asked
        user.typed = c.typed;
        EXPECT_EQ(RunBalanceAfterImport(c.reconciled, user, "2883.73"), c.state) << c.typed;
        EXPECT_EQ(user.dialogRuns, 1);
        EXPECT_EQ(user.shownText, "2883.73");
        ASSERT_EQ(user.boxes.size(), 1u) << "no question, only the result";
        EXPECT_EQ(user.boxes[0].text, c.message);
    }
    ScriptedUser cancelled;
    cancelled.dialogResult = kDialogCancel;
    EXPECT_EQ(RunBalanceAfterImport(0.0, cancelled, "1.00"), kBalanceStopped);
    EXPECT_TRUE(cancelled.boxes.empty());
}

}  // namespace
