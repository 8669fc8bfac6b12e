#include "register/register_display.h"

#include "model/account.h"
#include "register/multi_records.h"
#include "values/amount.h"

namespace {

bool Hidden(const RecordNode* node) { return g_Account.view == ViewCurrent && IsReconciled(*node->record); }

RecordNode* SkipHidden(RecordNode* node) {
    while (node && Hidden(node)) node = node->next;
    return node;
}

void ShowInRow(int row, RecordNode* node) {
    EditRecord& editRow = g_MultiRecords.Row(row);
    g_MultiRecords.FillRow(row, node);
    editRow.setFields(*node->record);
    editRow.ShowBalance(node->balance);
}

void WriteTotals() {
    char text[kAmountTextSize];
    FormatBalance(text, g_Account.reconciledBalance);
    g_MultiRecords.OpeningBox().SetText(text);
    FormatBalance(text, g_Account.endingBalance);
    g_MultiRecords.EndingBox().SetText(text);
}

// The focused row's record moves to its sorted place. Only records change
// places, so a start node that was the account's first shown node is
// taken again from the repositioned cursor. moved tells whether it did.
RecordNode* SortFocusedRecord(RecordNode* start, bool& moved) {
    moved = false;
    // A command may have taken the row's node out of the list since.
    RecordNode* focused = g_MultiRecords.FocusedNodeInList();
    if (!focused) return start;
    const bool startWasCurrent = start == g_Account.current;
    moved = g_Account.MoveRecordBack(focused);
    moved = g_Account.MoveRecordForward(focused) || moved;
    return startWasCurrent ? g_Account.current : start;
}

}  // namespace

void DisplayRecords(RecordNode* start, bool balancesCurrent) {
    if (!g_Account.isOpen || !g_Account.Head()) {
        ClearRegister();
        return;
    }
    bool moved = false;
    start = SortFocusedRecord(start, moved);
    g_MultiRecords.EmptyRows();
    if (moved || !balancesCurrent) g_Account.ComputeBalances();

    RecordNode* node = start;
    for (int row = 0; row < kRegisterRows; ++row) {
        node = SkipHidden(node);
        if (node) {
            ShowInRow(row, node);
            node = node->next;
        } else if (row != 0) {
            g_MultiRecords.Row(row).ClearRow();
        } else {
            // Nothing to show: a blank record to type into.
            RecordNode* blank = g_Account.AppendRecord();
            g_Account.ComputeBalances();
            ShowInRow(0, blank);
            g_Account.current = blank;
            g_MultiRecords.Row(0).SetFocusField(DATE_FLD);
            g_MultiRecords.SetEditFocus(DATE_FLD);
            node = nullptr;
        }
    }
    WriteTotals();
}

void RefreshBalances(RecordNode* /*start*/) {
    g_Account.ComputeBalances();
    ShowBalances();
}

void ShowBalances() {
    for (int row = 0; row < kRegisterRows; ++row)
        if (RecordNode* node = g_MultiRecords.RowNode(row)) g_MultiRecords.Row(row).ShowBalance(node->balance);
    WriteTotals();
}

void RefreshTotals() {
    g_Account.ComputeBalances();
    WriteTotals();
}

void ClearRegister() {
    for (int row = 0; row < kRegisterRows; ++row) g_MultiRecords.Row(row).ClearRow();
    g_MultiRecords.EmptyRows();
    g_MultiRecords.OpeningBox().Clear();
    g_MultiRecords.EndingBox().Clear();
    g_MultiRecords.ResetFocus();
}

int LastScreenTopIndex() {
    // The last screenful starts kLastRow records before the end of the view.
    const int visible = static_cast<int>(g_Account.visibleCount);
    return visible >= kLastRow ? visible - kLastRow : 0;
}
