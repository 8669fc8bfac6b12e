// QIF: the bank, cash and credit card sections of a file ("!Type:Bank",
// "!Type:Cash", "!Type:CCard"), one transaction per record ended by "^".
// Other sections (investments, categories, memorized payees...) hold no
// statement and are passed over.
#pragma once

#include <string_view>

#include "import/statement.h"

inline constexpr const char kQifNoBankSection[] =
    "This QIF file holds no bank, cash or credit card transactions.";

// Whether the first line that is not blank opens a QIF section or list.
bool LooksLikeQif(std::string_view bytes);

// A statement per account and section type in the file: a "!Account" block
// names the account (its N line becomes the account id). Dates are read as
// the file's dates decide (see FileDayOrder), else in the preferred order;
// amounts take a decimal point unless the file's amounts show a decimal
// comma (see DecimalMarkEvidence).
StatementFile ReadQif(std::string_view bytes, DayOrder preferred);
