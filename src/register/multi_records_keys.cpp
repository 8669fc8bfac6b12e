// Every event enters at HandleEvent; this file holds the keys and the
// wheel. Each key the focused row does not keep for itself moves the focus
// to another row or another screenful, and the row it leaves is committed
// first. A wheel line and a scroll-bar arrow or page click arrive as keys.
#include "register/multi_records.h"

#include <algorithm>

#include "model/account.h"
#include "register/register_display.h"
#include "register/register_host.h"
#include "storage/save_attempt.h"

// Rows to move down after leaving a row: in the Current view a record just
// marked "R" leaves the view, and the next one moves up into its row.
int MultiRecords::Advance() const {
    RecordNode* node = FocusedNode();
    return g_Account.view == ViewCurrent && node && IsReconciled(*node->record) ? 0 : 1;
}

int MultiRecords::HandleEvent(eventMsg ev) {
    if (!g_Account.isOpen || m_LastFilledRow < 0) return ev.m_Type == KEYBD ? 1 : 0;
    // One key, click or scroll is one action: one save attempt, one message.
    SaveAttempt attempt;
    if (ev.m_Type == INSERTDATE) {
        FocusedRow().setDateField();
        return 0;
    }
    m_PassToControl = 1;
    m_BalancesCurrent = false;
    ComputeOnLastRecord();
    if (ev.m_Type == MBUTTON && (ev.m_Button == kButtonField || ev.m_Button == kButtonThumbDrop)) {
        if (RunMouse(ev)) return m_PassToControl;
        ComputeOnLastRecord();  // the click became a key on another row
    }
    m_EditFocus = FocusedRow().FocusField();
    if (ev.m_Type == KEYBD && !CheckLastRecordDate()) return 1;
    if (ev.m_Type == MBUTTON) {
        m_PassToControl = 0;
    } else {
        FocusedRow().RunWindow(ev);
        ActOnResult(ev);
    }
    UpdateScrollBar();
    return m_PassToControl;
}

void MultiRecords::ActOnResult(const eventMsg& ev) {
    switch (FocusedRow().Result()) {
        case kResultNextRecord: NextRecord(ev); break;
        case kResultPreviousRecord: PreviousRecord(ev); break;
        case kResultPageDown: PageDown(ev); break;
        case kResultPageUp: PageUp(ev); break;
        case kResultDateAccepted:
        case kResultOtherField:
            if (!CommitRow(ev)) return;
            if (RecordNode* node = FocusedNode()) FocusedRow().setFields(*node->record);
            // The Balance column follows the amount at once.
            RefreshBalances(g_Account.current);
            SetFocusToRecordAndField();
            break;
        case kResultRefused: SetFocusToRecordAndField(); break;
        default: break;
    }
}

void MultiRecords::NextRecord(const eventMsg& ev) {
    if (!CommitRow(ev)) return;
    const int advance = Advance();
    if (m_Focus != kLastRow) {
        if (m_Focus == m_LastFilledRow && FocusedRow().DateState() == kDateInvalid) {
            Refill();
            SetFocusToRecordAndField();
            return;
        }
        SaveIfNeeded();
        if (g_Account.view == ViewCurrent && advance == 0) DisplayRecords(g_Account.current);
        m_Focus = std::min(m_Focus + advance, kLastRow);
        if (!FocusedNode()) {
            AppendBlankRecord();
            SetFocusToRecordAndField(m_Focus, DATE_FLD);
            return;
        }
    } else {
        DisplayRecords(g_Account.current);
        if (FocusedRow().DateState() != kDateInvalid) SaveIfNeeded();
        // A record that just left the Current view already made room.
        if (m_RowNodes[kLastRow]) g_Account.topIndex += advance;
        Refill();
        if (!m_RowNodes[kLastRow]) {
            AppendBlankRecord();
            m_EditFocus = DATE_FLD;
        }
    }
    DisplayRecords(g_Account.current, m_BalancesCurrent);
    SetFocusToRecordAndField(m_Focus, ev.m_Key == kKeyEnter ? DATE_FLD : m_EditFocus);
}

void MultiRecords::PreviousRecord(const eventMsg& ev) {
    if (m_OnLastRecord && DateFieldEmpty(m_Focus)) {
        // Leaving the untouched blank record at the end takes it away.
        if (m_Focus > 0) {
            RemoveBlankTail();
            --m_Focus;
            DisplayRecords(g_Account.current);
        } else if (g_Account.topIndex >= 1) {
            RemoveBlankTail();
            --g_Account.topIndex;
            Refill();
        } else {
            Host().Beep();
        }
        SetFocusToRecordAndField(m_Focus, m_EditFocus);
        return;
    }
    if (!CommitRow(ev)) return;
    if (FocusedRow().DateState() == kDateValid && BalancesDisplayable()) {
        SaveIfNeeded();
        if (m_Focus >= 1) {
            --m_Focus;
        } else if (g_Account.topIndex >= 1) {
            --g_Account.topIndex;
        } else {
            Host().Beep();
        }
        Refill();
        if (m_RowNodes[0] && m_RowNodes[0] == g_Account.Tail()) m_EditFocus = DATE_FLD;
    }
    SetFocusToRecordAndField(m_Focus, m_EditFocus);
}

void MultiRecords::PageDown(const eventMsg& ev) {
    if (!CommitRow(ev)) return;
    if (m_Focus != kLastRow && m_Focus == m_LastFilledRow && FocusedRow().DateState() == kDateInvalid) return;
    if (BalancesDisplayable()) {
        const int advance = Advance();
        SaveIfNeeded();
        if (g_Account.view == ViewCurrent && advance == 0) DisplayRecords(g_Account.current);
        if (m_LastFilledRow == kLastRow) {
            g_Account.topIndex += kPageRows;
            Refill();
            ClampFocus();
        } else {
            Refill();
            m_Focus = std::max(0, m_LastFilledRow);
        }
    }
    SetFocusToRecordAndField(m_Focus, DATE_FLD);
}

void MultiRecords::PageUp(const eventMsg& ev) {
    int& topIndex = g_Account.topIndex;
    if (m_OnLastRecord && DateFieldEmpty(m_Focus)) {
        if (m_Focus == 0 && topIndex == 0) {
            Host().Beep();
        } else if (topIndex == 0) {
            RemoveBlankTail();
            m_Focus = 0;
        } else {
            RemoveBlankTail();
            topIndex = topIndex >= kPageRows ? topIndex - kPageRows : 0;
            Refill();
            ClampFocus();
        }
        SetFocusToRecordAndField(m_Focus, DATE_FLD);
        return;
    }
    if (!CommitRow(ev)) return;
    if (FocusedRow().DateState() == kDateValid && BalancesDisplayable()) {
        SaveIfNeeded();
        DisplayRecords(g_Account.current);
        if (topIndex >= kPageRows) {
            topIndex -= kPageRows;
            Refill();
            ClampFocus();
        } else if (topIndex == 0 && m_Focus == 0) {
            Host().Beep();
            Refill();
        } else {
            topIndex = 0;
            m_Focus = 0;
            Refill();
        }
    }
    SetFocusToRecordAndField(m_Focus, DATE_FLD);
}
