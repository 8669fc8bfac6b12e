// Clicks and the scroll bar: a click on another row or a dropped thumb
// leaves the focused row, so the row is checked and committed before the
// focus or the rows move; a click just below the last record acts as Down.
#include "register/multi_records.h"

#include <algorithm>

#include "model/account.h"
#include "register/register_display.h"
#include "register/register_host.h"

bool MultiRecords::RunMouse(eventMsg& ev) {
    const bool thumbDrop = ev.m_Button == kButtonThumbDrop;
    const int row = ev.m_FieldNumber / MAX_FLD;
    const int field = ev.m_FieldNumber % MAX_FLD;
    m_EditFocus = FocusedRow().FocusField();
    m_PassToControl = 0;

    if (!thumbDrop && row == m_Focus) {
        if (field == m_EditFocus) {
            m_PassToControl = 1;  // the control places the caret
        } else {
            ClickInFocusedRow(field, ev);
        }
        return true;
    }
    if (!LeaveFocusedRow(ev)) return true;
    if (thumbDrop) {
        // What was committed is saved before the rows scroll away from it.
        SaveIfNeeded();
        m_PassToControl = 1;
        return true;
    }
    switch (CheckTarget(row, field, ev)) {
        case Target::Accepted: ClickOtherRow(row, field, ev); return true;
        case Target::BecameKey: SetFocusToRecordAndField(); return false;
        case Target::Refused: SetFocusToRecordAndField(); return true;
    }
    return true;
}

void MultiRecords::ClickInFocusedRow(int field, const eventMsg& ev) {
    if (FocusedRow().CheckRowDate() != kDateValid) {
        ShowRegisterDateError();
        SetFocusToRecordAndField();
        return;
    }
    if (!CommitRow(ev)) return;
    if (RecordNode* node = FocusedNode()) FocusedRow().setFields(*node->record);
    if (!BalancesDisplayable() || field == BALANCE_FLD) {
        SetFocusToRecordAndField();
        m_PassToControl = field == BALANCE_FLD ? 1 : 0;
        return;
    }
    SetFocusToRecordAndField(m_Focus, field);
}

// The focused row is checked (and committed) before another row or another
// place of the list gets the focus; false when it must keep the focus.
bool MultiRecords::LeaveFocusedRow(const eventMsg& ev) {
    const int state = FocusedRow().CheckRowDate();
    if (state == kDateInvalid || (state == kDateEmpty && !m_OnLastRecord)) {
        ShowRegisterDateError();
        SetFocusToRecordAndField();
        return false;
    }
    if (state == kDateEmpty) {
        if (m_Focus == 0) return CheckLastRecordDate();
        if (!FocusedRow().IsRecordEmpty()) {
            ShowRegisterDateError();
            SetFocusToRecordAndField();
            return false;
        }
        RemoveBlankTail();
        --m_Focus;
        return true;
    }
    if (!CommitRow(ev)) return false;
    if (RecordNode* node = FocusedNode()) FocusedRow().setFields(*node->record);
    if (!BalancesDisplayable()) {
        SetFocusToRecordAndField();
        return false;
    }
    return true;
}

MultiRecords::Target MultiRecords::CheckTarget(int row, int field, eventMsg& ev) {
    if (row >= kRegisterRows || field == BALANCE_FLD) return Target::Refused;
    if (row <= m_LastFilledRow) return DropEmptyLastRecord() ? Target::Accepted : Target::Refused;
    if (row > m_LastFilledRow + 1) return Target::Accepted;
    // The empty row right below the last record: acts as Down from the last
    // record's Date field. The row just left first takes its sorted place.
    DisplayRecords(g_Account.current);
    ev = KeyEvent(kKeyDown, FieldId(std::max(0, m_LastFilledRow), DATE_FLD) - kFirstFieldId);
    m_Focus = std::max(0, m_LastFilledRow);
    FocusedRow().SetFocusField(DATE_FLD);
    m_EditFocus = DATE_FLD;
    return Target::BecameKey;
}

void MultiRecords::ClickOtherRow(int row, int field, const eventMsg& ev) {
    const int left = m_Focus;
    if (!CommitRow(ev)) return;
    RecordNode* leftNode = FocusedNode();
    const bool leavesView = g_Account.view == ViewCurrent && leftNode && IsReconciled(*leftNode->record);
    const AcctRecord* clicked = m_RowNodes[row] ? m_RowNodes[row]->record.get() : nullptr;

    if (!leavesView) {
        DisplayRecords(g_Account.current);
        SetFocusToRecordAndField(row, field);
    } else {
        const int change = left < row && IsFilledRow(row) ? 1 : 0;
        SetFocusToRecordAndField(row, field, 'R', change);
        m_Focus -= change;
        SetFocusToRecordAndField(m_Focus, m_EditFocus);
    }
    if (g_Account.needsSaving == 1) {
        if (m_RowNodes[left]) m_EditR[left].setFields(*m_RowNodes[left]->record);
        RefreshBalances(g_Account.current);
        // The record now out of view still goes to its sorted place.
        if (leavesView && leftNode) {
            g_Account.MoveRecordBack(leftNode);
            g_Account.MoveRecordForward(leftNode);
        }
        Host().SaveAccount();
        if (m_EditR[left].FocusField() == RECONCILE_FLD) {
            if (g_Account.view == ViewCurrent)
                DisplayRecords(g_Account.current);
            else
                RefreshTotals();
        }
    }
    SetFocusToRecordAndField();
    if (!leavesView) SetFocusToRecordAndField(row, field);
    DisplayRecords(g_Account.current);
    // The clicked record keeps the focus even when sorting moved it.
    for (int r = 0; clicked && r <= m_LastFilledRow; ++r) {
        if (m_RowNodes[r] && m_RowNodes[r]->record.get() == clicked && r != m_Focus) {
            SetFocusToRecordAndField(r, field);
            break;
        }
    }
    UpdateScrollBar();
    m_PassToControl = 0;
}

// ---------------------------------------------------------------------------
// Scroll bar

void MultiRecords::ScrollBarKey(int key) { HandleEvent(KeyEvent(key, FocusedFieldNumber(), 1)); }

void MultiRecords::ThumbDrop(int position) {
    if (position == m_ScrollMax) return;
    m_ThumbPosition = position;
    if (HandleEvent(MouseEvent(kButtonThumbDrop, position)) == 0) return;
    if (position >= kPageRows || g_Account.visibleCount >= static_cast<unsigned>(kPageRows)) {
        g_Account.topIndex = position;
        Refill();
        SetFocusToRecordAndField(0, DATE_FLD);
    } else {
        SetFocusToRecordAndField(position, DATE_FLD);
    }
    HandleEvent(MouseEvent(kButtonNone, 0));
}

void MultiRecords::UpdateScrollBar() {
    const int visible = static_cast<int>(g_Account.visibleCount);
    m_ScrollMax = visible - 1;
    const int position = visible >= kPageRows ? g_Account.topIndex + m_Focus : m_Focus;
    Host().SetScrollBar(visible - 1, position);
}
