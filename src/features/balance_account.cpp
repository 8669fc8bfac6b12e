#include "features/balance_account.h"

#include <cstring>

#include "features/amount_text.h"
#include "values/amount.h"

namespace {

// Below a tenth of a cent two sums of cents are the same amount.
constexpr double kZeroBand = 0.001;

// The statement step: the dialog, then the comparison.
int StatementStep(double reconciledBalance, BalancePrompts& prompts, const char* typedBalance,
                  double& difference) {
    difference = 0.0;
    StatementText text = {};
    std::strncpy(text, typedBalance, kStatementTextSize - 1);
    if (prompts.StatementDialog(text) != kStatementDialogOk)
        return kBalanceStopped;
    text[kStatementTextSize - 1] = '\0';
    difference = BalanceDifference(AmountValue(text), reconciledBalance);
    return difference == 0.0 ? kBalanceBalanced : kBalanceNotBalanced;
}

}  // namespace

double BalanceDifference(double statementBalance, double reconciledBalance) {
    const double difference = statementBalance - reconciledBalance;
    return (difference > -kZeroBand && difference < kZeroBand) ? 0.0 : difference;
}

std::string BalanceResultText(double difference) {
    if (difference == 0.0)
        return kBalancedText;
    if (!(difference >= kSmallestBalance && difference <= kLargestBalance))
        return kDifferenceTooLargeText;
    char amount[kAmountTextCapacity];
    FormatAmountText(amount, difference);
    InsertThousandsSeparators(amount);
    return std::string(kNotBalancedText) + amount + kNotBalancedEnd;
}

bool AcceptStatementText(char* text) {
    if (text == nullptr)
        return false;
    if (HasInvalidBalanceChars(text))
        return false;
    return !CleanStatementBalance(text);
}

namespace {

// From the statement dialog to the message that ends the flow.
int BalanceFromStatement(double reconciledBalance, BalancePrompts& prompts, const char* typedBalance) {
    double difference = 0.0;
    // Every pass ends the flow, so the dialog opens once per command.
    int state = kBalanceStatement;
    while (state == kBalanceStatement)
        state = StatementStep(reconciledBalance, prompts, typedBalance ? typedBalance : kStatementStartText,
                              difference);
    if (state != kBalanceStopped)
        prompts.Message(BalanceResultText(difference).c_str(), kBalanceTitle,
                        balancebox::kOkInformation);
    return state;
}

}  // namespace

int RunBalanceAccount(double reconciledBalance, BalancePrompts& prompts, const char* typedBalance) {
    const int answer = prompts.Message(kBalanceQuestion, kBalanceTitle, balancebox::kYesNoInformation);
    if (answer != balancebox::kAnswerYes) {
        prompts.Message(kBalanceHelpText, kBalanceTitle, balancebox::kOkInformation);
        return kBalanceStopped;
    }
    return BalanceFromStatement(reconciledBalance, prompts, typedBalance);
}

int RunBalanceAfterImport(double reconciledBalance, BalancePrompts& prompts, const char* statementBalance) {
    return BalanceFromStatement(reconciledBalance, prompts, statementBalance);
}
