// Balancing the account against a bank statement: the user confirms that
// the cleared transactions are marked "R", types the statement's ending
// balance, and is told whether the account balanced and by how much it did
// not. Nothing in the account changes. The flow and its texts are
// platform-free; dialog 10 and the message boxes come through
// BalancePrompts (Win32: balance_account_win.cpp).
#pragma once

#include <cstddef>
#include <string>

struct HWND__;

inline constexpr char kBalanceTitle[] = "Balance Ledgerpad";
inline constexpr char kBalanceQuestion[] =
    "Have you typed the letter \"R\" beside each transaction that is listed on your bank "
    "statement?";
inline constexpr char kBalanceHelpText[] =
    "Select HELP for details on balancing your checking account.";
inline constexpr char kBalancedText[] = "Your account balanced.";
// The difference follows the two blanks after "$", then a full stop.
inline constexpr char kNotBalancedText[] = "Your account did not balance.\nThe difference is $  ";
inline constexpr char kNotBalancedEnd[] = ".";
inline constexpr char kDifferenceTooLargeText[] =
    "Your account did not balance. The difference is too large to display correctly.";

// The amount exchanged with dialog 10: 14 characters and a NUL.
inline constexpr std::size_t kStatementTextSize = 15;
using StatementText = char[kStatementTextSize];
inline constexpr char kStatementStartText[] = "0.00";

// The flow's states, in order of the questions.
inline constexpr int kBalanceStopped = 0;
inline constexpr int kBalanceAsking = 1;
inline constexpr int kBalanceStatement = 2;
inline constexpr int kBalanceBalanced = 3;
inline constexpr int kBalanceNotBalanced = 4;

// Message box types and answers (the Windows values).
namespace balancebox {
inline constexpr unsigned kOkInformation = 0x40;     // MB_OK | MB_ICONINFORMATION
inline constexpr unsigned kYesNoInformation = 0x44;  // MB_YESNO | MB_ICONINFORMATION
inline constexpr int kAnswerYes = 6;
}  // namespace balancebox

inline constexpr int kStatementDialogOk = 1;

// Statement balance minus reconciled balance; a difference strictly
// between -0.001 and 0.001 is exactly 0.
double BalanceDifference(double statementBalance, double reconciledBalance);

// The message for a difference: balanced, not balanced by the amount (sign
// kept, thousands separated), or too large to show.
std::string BalanceResultText(double difference);

// Dialog 10's check of its field at OK. Refuses characters other than
// digits, "." and "," (a "-" only in first place), then cleans the text to
// digits, "." and a leading "-" and refuses a value outside
// -9,999,999.99 .. 9,999,999.99. True when accepted; text is then cleaned.
bool AcceptStatementText(char* text);

class BalancePrompts {
public:
    virtual ~BalancePrompts() = default;
    // A message box owned by the main window; returns the button pressed.
    virtual int Message(const char* text, const char* title, unsigned type) = 0;
    // Runs dialog 10 on the buffer (shown at opening, cleaned at OK);
    // returns its EndDialog value.
    virtual int StatementDialog(StatementText& text) = 0;
};

// The whole command; returns the state it ended in (stopped, balanced or
// not balanced). The statement dialog opens with typedBalance in its field
// (cut to the field): "0.00" for the command, a statement's own ending
// balance after an import.
int RunBalanceAccount(double reconciledBalance, BalancePrompts& prompts,
                      const char* typedBalance = kStatementStartText);

// The flow after an import, which marked the statement's transactions
// itself: the question whether they are marked is answered already, so
// it starts at the dialog, with the statement's ending balance typed.
int RunBalanceAfterImport(double reconciledBalance, BalancePrompts& prompts, const char* statementBalance);

// Win32 (balance_account_win.cpp): the command and the flow after an
// import, on the open account, their boxes owned by owner (the main
// window).
void BalanceAccount(HWND__* owner, const char* typedBalance = kStatementStartText);
void BalanceAfterImport(HWND__* owner, const char* statementBalance);
