// The texts of the Import Bank Statement command: its titles and filter,
// the preview's columns and lines, and its messages. Platform-free.
#pragma once

#include <cstdint>
#include <string>

#include "import/statement.h"
#include "storage/file_messages.h"
#include "import/statement_match.h"

inline constexpr char kImportTitle[] = "Import Bank Statement";
// The Open dialog's filter: pairs of name and pattern, ending with an empty
// name.
inline constexpr char kImportFilter[] =
    "Bank statements (*.ofx;*.qfx;*.qif;*.csv)\0*.ofx;*.qfx;*.qif;*.csv\0All files (*.*)\0*.*\0";
// The summary's second line after an import that marked or added records.
inline constexpr char kShownInAllViewText[] =
    "\nThe register shows View All, from the first transaction the import marked or added.";
inline constexpr char kChooseStatementText[] = "This file holds several accounts. Choose the one to import:";

// The file's name without its folder ("\" or "/").
std::string FileNameOf(const std::string& path);

// "<file> cannot be imported.\n<reason>"
// The file's name is kept apart: it is UTF-8, the rest the program's text.
PathMessage ImportErrorText(const std::string& fileName, const std::string& reason);

// Why an import the register could not show is refused, naming the
// balance and the limit it would pass: "The cleared balance would go above
// 9,999,999.99, the largest balance the register shows."
std::string BalanceLimitText(const BalanceOverflow& overflow);

// The account a statement is for: its type and the last four characters
// of its id, e.g. "Checking ...6789"; "Account" alone when the file says
// neither.
std::string StatementAccountText(const Statement& statement);

// The preview's line about the account: "Account: " and the account when
// the file names one (gives its id), else "".
std::string AccountLineText(const Statement& statement);

// What the preview shows a row will do: "Mark R", "Add", "Add (before the
// account's opening balance)", "Already there", or "Refused: <why>".
std::string ActionText(const ImportRow& row);

// The preview's line above the list when some transactions are dated
// before the account's opening balance (a statement of another account?);
// "" for none. The date is YYYYMMDD, shown in the program's format.
std::string BeforeOpeningText(int count, const char* openingDate);

// Signed amount with thousands separators: "1,234.56", "-42.50".
std::string CentsText(std::int64_t cents);

// The amount as typed into the Balance dialog: "1234.56", "-12.00".
std::string TypedBalanceText(std::int64_t cents);

// The preview's line above its list: a statement's period and ending
// balance, with its dates in the program's date format, and how many lines
// of the file hold no transaction; "" when there is none of the three.
std::string PeriodText(const Statement& statement);

// "3 lines without a transaction were skipped."
std::string SkippedLinesText(std::size_t lines);

// The date order of the program's date format (values/date.h).
DayOrder DayOrderOfFormat(int dateFormat);
