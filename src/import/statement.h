// A bank statement as read from a file the bank lets the user download
// (OFX/QFX, QIF or CSV), before it meets the register. The readers fill it;
// matching and the preview take it from there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One transaction as the bank lists it.
struct StatementTransaction {
    int line = 0;             // line of the file where it starts, 1-based
    std::string date;         // YYYYMMDD; "" when refused for its date
    std::int64_t cents = 0;   // deposits positive, payments negative
    std::string checkNumber;  // as the bank gives it; "" when none (or 0)
    std::string payee;        // OFX NAME, QIF P, CSV description column
    std::string memo;         // OFX MEMO, QIF M
    std::string fitid;        // OFX's transaction id; "" elsewhere
    std::string refused;      // why it cannot be imported; "" when it can
};

struct Statement {
    std::string accountType;  // "Checking", "Savings", "Credit card", ...; "" when unknown
    std::string accountId;    // as the file gives it; "" when unknown
    std::string periodStart;  // YYYYMMDD or ""
    std::string periodEnd;    // YYYYMMDD or ""
    std::optional<std::int64_t> endingBalanceCents;
    std::vector<StatementTransaction> transactions;
    // Lines of the file that hold no transaction at all (notes, totals,
    // "***END OF FILE***"): skipped, not listed; counted in the file's
    // first statement.
    std::size_t skippedLines = 0;
};

// What a reader found. A file that is no statement, or holds no transaction,
// or none that can be read, gives an error and no statements.
struct StatementFile {
    std::vector<Statement> statements;  // several when an OFX file holds several accounts
    std::string error;                  // "" when read; else what is wrong, "Line N: ..." where it helps
};

// Which part of an ambiguous date like 01/02/26 comes first when nothing in
// the file decides it: the program's date format setting.
enum class DayOrder { MonthFirst, DayFirst };

// Files above this size are refused before they are read.
inline constexpr std::size_t kLargestStatementFile = 50u * 1024 * 1024;
// A file of more transactions than this, the refused ones counted too, is
// refused: the readers stop there, so that a file of millions of tiny rows
// costs no more memory than a real statement does.
inline constexpr std::size_t kMostStatementTransactions = 100'000;

// What StatementFile::error says when the whole file is refused.
inline constexpr const char kEmptyStatementFile[] = "The file is empty.";
inline constexpr const char kStatementFileTooLarge[] =
    "The file is larger than 50 MB: too large for a bank statement.";
inline constexpr const char kNotAStatement[] =
    "This file is not a bank statement that Ledgerpad can read. It reads OFX, QFX, QIF and CSV files.";
inline constexpr const char kNoTransactions[] = "The statement holds no transactions.";
inline constexpr const char kTooManyTransactions[] =
    "The statement holds more than 100,000 transactions: too many to import at once.";

// Reads a statement file of any of the three kinds, told apart by content.
StatementFile ReadStatementFile(std::string_view bytes, DayOrder preferred);
