// Filling the register's 19 rows and two balance boxes from the account.
#pragma once

struct RecordNode;

// Fills every row from start onwards (in the Current view records marked
// "R" are stepped over) and the two boxes; an empty view gets a blank
// record in row 0 for typing. The focused row's record first takes its
// sorted place. balancesCurrent: the caller has the balances computed for
// the list as it is; they are computed again only when the sort moves a
// record.
void DisplayRecords(RecordNode* start, bool balancesCurrent = false);
// Recomputes the balances and rewrites only the Balance fields and boxes.
// Every row keeps its record: pairing a row with another node without
// rewriting its texts (a record that just left the Current view) would let
// the next commit write one record's texts into another. The refill that
// follows such a change moves the rows. start is where the rows begin
// (the account's current node).
void RefreshBalances(RecordNode* start);
// The same without recomputing: the balances computed last.
void ShowBalances();
// Recomputes the balances and rewrites only the two boxes.
void RefreshTotals();
// No account: every row and both boxes empty.
void ClearRegister();
// The first row of the last screenful of the view (its balances computed).
int LastScreenTopIndex();
