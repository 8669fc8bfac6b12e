// What importing a statement does to the register: each statement
// transaction either marks a register record "R", is already there, is
// added, or is refused. Matching decides it, applying carries it out on the
// account in memory. Platform-free.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "import/statement.h"

#include "model/account.h"

enum class ImportAction { MarkR, Add, AlreadyThere, Refused };

// Days apart a statement date and a register date may be and still match.
inline constexpr int kMatchWindowDays = 10;

// The largest amount one record holds, in cents (a payment or deposit of
// 999,999.99).
inline constexpr std::int64_t kLargestEntryCents = 99999999;

// The plan for one statement transaction, in statement order.
struct ImportRow {
    ImportAction action = ImportAction::Add;
    // The record a MarkR row marks, or the cleared record an AlreadyThere
    // row found; null otherwise. Records keep their address while the list
    // is sorted, nodes do not.
    AcctRecord* record = nullptr;
    std::string refused;  // the reason of a Refused row
    // An Add row dated before the account's opening balance: the
    // statement may be another account's, so the row starts unticked.
    bool beforeOpening = false;
};

// Matches every transaction of the statement against every record of the
// account (whatever the view). A transaction matches a record of the same
// side (payment or deposit) and amount in cents, the same check number when
// both have one, and a date at most kMatchWindowDays apart. The closest
// date wins, then the earlier transaction, then the earlier record; each
// record matches once. A match with a record not marked "R" marks it; one
// with a record marked "R" is already there. Whether a record is marked
// decides nothing in the choice, so that importing a file again finds what
// the first import marked or added, even where the register's date differs
// from the bank's, and marks nothing more. The rest is
// added; transactions the reader refused, and amounts one record cannot
// hold, are refused. An Add row dated before the account's opening balance
// (the header's statement date) is flagged beforeOpening.
std::vector<ImportRow> MatchStatement(const Statement& statement, const Account& account);

// Turns every amount of the statement to the other side, its ending balance
// too: for a file that lists payments as positive numbers, as credit-card
// files do. Match again afterwards.
void ReverseSigns(Statement& statement);

struct ImportCounts {
    int markedR = 0;
    int added = 0;
    int already = 0;  // AlreadyThere rows left unticked
};

// What the ticked rows (ticked[i] for rows[i]) will do to the account,
// worked out without changing it: MarkR rows mark their record "R"; ticked
// Add and AlreadyThere rows become new records marked "R", each in its
// date order among all records, past any blank record New Transaction
// left between them, and before the blank row waiting at the end. Valid
// while the account is not changed otherwise.
struct ImportPlan {
    struct Insertion {
        RecordNode* before = nullptr;  // null: after the last record
        AcctRecord record{};
    };
    ImportCounts counts;
    std::vector<AcctRecord*> marks;
    std::vector<Insertion> insertions;  // in list order

    bool ChangesAnything() const { return !marks.empty() || !insertions.empty(); }
};

// rows must come from MatchStatement on the same statement and account.
ImportPlan PlanImport(const Account& account, const Statement& statement, const std::vector<ImportRow>& rows,
                      const std::vector<bool>& ticked);

// The first balance the register could not show once the plan is carried
// out, in either view; kBalancesOk in its result when there is none.
BalanceOverflow CheckImportBalances(const Account& account, const ImportPlan& plan);

// Carries out the plan on the account it was made for. Whole or not at
// all: it allocates everything first, and a std::bad_alloc leaves the
// account as it was. Returns the place in the list (the All view) of the
// first record it marked or added; -1 when it changed nothing. Neither
// saves nor computes balances.
int CarryOutImport(Account& account, const ImportPlan& plan);

// PlanImport and CarryOutImport in one, without the check of the balances.
ImportCounts ApplyImport(Account& account, const Statement& statement, const std::vector<ImportRow>& rows,
                         const std::vector<bool>& ticked);

// The record an Add row becomes: cleared, dated, the check number when it
// is 1 to 9999, the payee (else the memo) cut to the field, the amount as
// payment or deposit.
AcctRecord RecordFromTransaction(const StatementTransaction& transaction);

// Whether a row starts ticked in the preview, and whether it may be ticked.
inline bool StartsTicked(const ImportRow& row) {
    return row.action == ImportAction::MarkR || (row.action == ImportAction::Add && !row.beforeOpening);
}
inline bool CanBeTicked(ImportAction action) { return action != ImportAction::Refused; }

// How many rows are flagged beforeOpening.
int CountBeforeOpening(const std::vector<ImportRow>& rows);

// "<file>: N marked R, M added, K already in the register."
std::string ImportSummaryText(const std::string& fileName, const ImportCounts& counts);
