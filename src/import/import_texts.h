// The texts of the Import Bank Statement command: its titles and filter,
// the preview's columns and lines, and its messages. Platform-free.
#pragma once

#include <cstdint>
#include <string>

#include "import/statement.h"
#include "import/statement_match.h"

inline constexpr char kImportTitle[] = "Import Bank Statement";
// The Open dialog's filter: pairs of name and pattern, ending with an empty
// name.
inline constexpr char kImportFilter[] =
    "Bank statements (*.ofx;*.qfx;*.qif;*.csv)\0*.ofx;*.qfx;*.qif;*.csv\0All files (*.*)\0*.*\0";
inline constexpr char kChooseStatementText[] = "This file holds several accounts. Choose the one to import:";

// The file's name without its folder ("\" or "/").
std::string FileNameOf(const std::string& path);

// "<file> cannot be imported.\n<reason>"
std::string ImportErrorText(const std::string& fileName, const std::string& reason);

// The account a statement is for: its type and the last four characters
// of its id, e.g. "Checking ...6789"; "Account" alone when the file says
// neither.
std::string StatementAccountText(const Statement& statement);

// What the preview shows a row will do: "Mark R", "Add", "Already there",
// or "Refused: <why>".
std::string ActionText(const ImportRow& row);

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
