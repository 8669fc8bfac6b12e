// CSV statements: comma, semicolon or tab separated, quoted fields with
// doubled quotes, and a header row that names the columns.
#pragma once

#include <string_view>

#include "import/statement.h"

inline constexpr const char kCsvNoHeader[] =
    "This file has no header row that names a date column and an amount, debit or credit column.";
inline constexpr const char kDebitAndCreditReason[] = "The row has both a debit and a credit.";

// Whether a header row is found among the file's first rows.
bool LooksLikeCsv(std::string_view bytes);
// Whether the file is text whose first line is split by a comma, semicolon
// or tab: a CSV file, even when its header names no column this reads.
bool LooksLikeSeparatedText(std::string_view bytes);

// One statement of every row below the header row. Debit (withdrawal)
// values are payments and credit (deposit) values deposits, written with a
// minus or not. Amounts take a decimal comma in a semicolon-separated file,
// unless its amounts show otherwise (see DecimalMarkEvidence); dates are read as the file's dates
// decide (see FileDayOrder), else in the preferred order.
StatementFile ReadCsv(std::string_view bytes, DayOrder preferred);
