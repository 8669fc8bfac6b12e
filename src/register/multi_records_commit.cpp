// Committing and saving: a row's texts go into its record only after its
// checks pass, and the account is saved when something changed. Menu
// commands run the same checks first, so no command acts on a row the
// user has not finished.
#include "register/multi_records.h"

#include "model/account.h"
#include "register/register_display.h"
#include "register/register_host.h"

// Reads the focused row into its record; on a refusal the focus goes back
// to the field it was in and the input is swallowed.
bool MultiRecords::CommitRow(const eventMsg& ev) {
    RecordNode* node = FocusedNode();
    if (!node) return true;
    if (FocusedRow().GetInput(*node->record, ev.m_Type == KEYBD)) {
        m_BalancesCurrent = true;  // the row's checks computed them, in range
        return true;
    }
    SetFocusToRecordAndField();
    m_PassToControl = 0;
    return false;
}

void MultiRecords::SaveIfNeeded() {
    if (g_Account.needsSaving != 1) return;
    if (RecordNode* node = FocusedNode()) FocusedRow().setFields(*node->record);
    if (m_BalancesCurrent)
        ShowBalances();
    else
        RefreshBalances(g_Account.current);
    // The save puts the record in its sorted place first; done here, the
    // balances stay current when it stays where it is.
    if (RecordNode* focused = FocusedNodeInList()) {
        const bool movedBack = g_Account.MoveRecordBack(focused);
        if (g_Account.MoveRecordForward(focused) || movedBack) m_BalancesCurrent = false;
    }
    Host().SaveAccount();
}

// ---------------------------------------------------------------------------
// Checks before commands

bool MultiRecords::DropEmptyLastRecord() {
    if (!g_Account.isOpen) return true;
    RecordNode* node = FocusedNode();
    if (!node || node != g_Account.Tail() || !DateFieldEmpty(m_Focus)) return true;
    if (!FocusedRow().IsRecordEmpty()) {
        FocusedRow().GetInput(*node->record);  // shows the date message
        SetFocusToRecordAndField();
        return false;
    }
    const int row = m_Focus;
    RemoveBlankTail();
    if (m_Focus > 0) --m_Focus;
    m_EditR[row].SetFocusField(DATE_FLD);
    FocusedRow().SetFocusField(DATE_FLD);
    Host().SaveAccount();
    if (row == 0) {
        // Row 0 may not stay empty while the view has records.
        if (g_Account.topIndex > 0) --g_Account.topIndex;
        Refill();
    }
    return true;
}

void MultiRecords::DropBlankTail() {
    RecordNode* tail = g_Account.Tail();
    if (!g_Account.isOpen || !tail || !IsBlankRecord(*tail->record)) return;
    // Typed text not yet in the record keeps its row.
    for (int row = 0; row <= m_LastFilledRow; ++row)
        if (m_RowNodes[row] == tail && (!DateFieldEmpty(row) || !m_EditR[row].IsRecordEmpty())) return;
    RemoveBlankTail();
}

bool MultiRecords::CheckLastRecordDate() {
    if (!g_Account.isOpen) return false;
    RecordNode* node = FocusedNode();
    if (!node || node != g_Account.Tail() || !DateFieldEmpty(m_Focus) || FocusedRow().IsRecordEmpty()) return true;
    ShowRegisterDateError();
    SetFocusToRecordAndField();
    return false;
}

bool MultiRecords::IsUntouchedBlankRow(int row) {
    return m_RowNodes[row] != nullptr && m_RowNodes[row] == g_Account.Tail() && DateFieldEmpty(row) &&
           m_EditR[row].IsRecordEmpty();
}

bool MultiRecords::CommitAllRows() {
    if (!g_Account.isOpen) return true;
    // The blank row waiting at the end holds nothing to commit, even while an
    // earlier change is still waiting for a save that succeeds.
    if (!IsUntouchedBlankRow(m_Focus) && FocusedRow().ValidateRowDate() == kDateInvalid) {
        SetFocusToRecordAndField();
        return false;
    }
    for (int row = 0; row <= m_LastFilledRow; ++row) {
        RecordNode* node = m_RowNodes[row];
        if (!node || IsUntouchedBlankRow(row) || m_EditR[row].GetInput(*node->record)) continue;
        // The row that was refused gets the focus, so it can be corrected.
        SetFocusToRecordAndField(row);
        return false;
    }
    return true;
}

bool MultiRecords::CheckFocusedRow() {
    if (!g_Account.isOpen) return true;
    RecordNode* node = FocusedNode();
    if (node && !FocusedRow().IsRecordEmpty() && !FocusedRow().GetInput(*node->record)) {
        SetFocusToRecordAndField();
        return false;
    }
    if (!g_Account.needsSaving) return true;
    if (!CommitAllRows()) {
        FocusedRow().SetDateState(kDateInvalid);
        return false;
    }
    if (FocusedRow().TakeError()) {
        SetFocusToRecordAndField();
        return false;
    }
    // A change that cannot be saved stops the command: it would otherwise
    // act on (or close) an account whose change is only in memory.
    const bool saved = Host().SaveAccount();
    DisplayRecords(g_Account.current);
    return saved;
}
