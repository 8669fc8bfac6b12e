#include "app/transaction_commands.h"

#include <algorithm>
#include <memory>

#include "model/account.h"
#include "register/multi_records.h"
#include "register/register_display.h"
#include "register/register_host.h"
#include "storage/save_account.h"
#include "ui/message_box.h"

namespace {

// The rows filled from the view's record topIndex, kept within the view.
void RefillFrom(int topIndex) {
    g_Account.ComputeBalances();
    const int last = std::max(0, static_cast<int>(g_Account.visibleCount) - 1);
    g_Account.topIndex = std::clamp(topIndex, 0, last);
    g_Account.PositionAtTop(g_Account.topIndex);
    DisplayRecords(g_Account.current);
}

// Saving exchanges records between nodes to sort them, so a record is
// found again by its own address.
RecordNode* NodeHolding(const AcctRecord* record) {
    for (RecordNode* n = g_Account.Head(); n; n = n->next)
        if (n->record.get() == record) return n;
    return nullptr;
}

void RefillKeepingFocus() {
    DisplayRecords(g_Account.current);
    g_MultiRecords.SetFocusToRecordAndField();
}

}  // namespace

void NewTransaction() {
    if (!g_Account.isOpen) return;
    MultiRecords& reg = g_MultiRecords;
    const int row = reg.Focus();
    RecordNode* focused = reg.FocusedNodeInList();
    if (!focused) {
        RefillKeepingFocus();
        return;
    }
    // A row without a valid date is finished first: no blank goes above
    // the blank row waiting at the end, and a date typed wrong is shown
    // as wrong, with its text kept for correcting.
    switch (reg.CheckRowDate(row)) {
        case kDateValid: break;
        case kDateInvalid: reg.ValidateRowDate(row); [[fallthrough]];
        default: reg.SetFocusToRecordAndField(); return;
    }
    const AcctRecord* record = focused->record.get();
    if (!reg.Row(row).GetInput(*focused->record)) {
        reg.SetFocusToRecordAndField();
        return;
    }
    // No blank goes in while the change before it cannot be saved.
    const bool saved = !g_Account.needsSaving || Host().SaveAccount();
    RecordNode* below = saved ? NodeHolding(record) : nullptr;
    if (!below) {
        RefillKeepingFocus();
        return;
    }

    RecordNode* added = g_Account.InsertBefore(below);
    g_Account.needsSaving = 1;
    // The blank takes the focused row's place on the screen; the record it
    // went above moves one row down.
    const int index = g_Account.ViewIndexOf(added);
    RefillFrom(index - row);
    reg.SetFocusToRecordAndField(index - g_Account.topIndex, DATE_FLD);
    g_AccountHistory.NameNextChange(kNewTransactionChange);
    Host().SaveAccount();
    reg.UpdateScrollBar();
}

void DeleteTransaction() {
    if (!g_Account.isOpen) return;
    MultiRecords& reg = g_MultiRecords;
    const int row = reg.Focus();
    RecordNode* focused = reg.FocusedNodeInList();
    if (!focused) {
        RefillKeepingFocus();
        return;
    }
    // Kept alive until the rows have been refilled: until then a row still
    // names it.
    UnlinkedNode removed = g_Account.Unlink(focused);
    if (!removed) {
        ShowRegisterMessage(kLastTransactionText, kDeleteTransactionTitle);
        reg.SetFocusToRecordAndField();
        return;
    }
    // Whatever was refused in the row went with its record.
    reg.Row(row).TakeError();
    RefillFrom(g_Account.topIndex);
    reg.SetFocusToRecordAndField(std::max(0, row - 1), DATE_FLD);
    g_Account.needsSaving = 1;
    g_AccountHistory.NameNextChange(kDeleteTransactionTitle);
    Host().SaveAccount();
    reg.UpdateScrollBar();
}

void RunNewTransactionCommand(HWND, int) { NewTransaction(); }

void RunDeleteTransactionCommand(HWND hwnd, int) {
    if (!g_Account.isOpen) return;
    if (ShowMessage(hwnd, kAreYouSureText, kDeleteTransactionTitle, MB_YESNO | MB_ICONQUESTION,
                    FindDialogBeforeMessage::Close) != IDYES) {
        g_MultiRecords.SetFocusToRecordAndField();
        return;
    }
    DeleteTransaction();
}
