#include "register/multi_records.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "model/account.h"
#include "register/register_display.h"
#include "register/register_host.h"
#include "storage/save_attempt.h"

MultiRecords g_MultiRecords;

namespace {

template <std::size_t... I> std::array<EditRecord, sizeof...(I)> MakeRows(std::index_sequence<I...>) {
    return {EditRecord(static_cast<int>(I))...};
}

}  // namespace

bool MultiRecords::BalancesDisplayable() { return g_Account.ComputeBalances() == kBalancesOk; }

MultiRecords::MultiRecords()
    : m_OpeningBox(kOpeningBalanceId, kKindBalance),
      m_EndingBox(kEndingBalanceId, kKindBalance),
      m_EditR(MakeRows(std::make_index_sequence<kRegisterRows>{})) {}

RecordNode* MultiRecords::FocusedNode() const {
    return m_Focus >= 0 && m_Focus < kRegisterRows ? m_RowNodes[m_Focus] : nullptr;
}

RecordNode* MultiRecords::FocusedNodeInList() const {
    RecordNode* focused = FocusedNode();
    for (RecordNode* node = g_Account.Head(); focused && node; node = node->next)
        if (node == focused) return focused;
    return nullptr;
}

void MultiRecords::ResetFocus() {
    m_Focus = 0;
    m_EditFocus = DATE_FLD;
}

void MultiRecords::EmptyRows() {
    m_RowNodes.fill(nullptr);
    m_LastFilledRow = -1;
}

void MultiRecords::FillRow(int row, RecordNode* node) {
    m_RowNodes[row] = node;
    ++m_LastFilledRow;
}

// ---------------------------------------------------------------------------
// Helpers

void MultiRecords::ComputeOnLastRecord() {
    RecordNode* node = FocusedNode();
    const bool rowBelowEmpty = m_Focus == kLastRow || m_RowNodes[m_Focus + 1] == nullptr;
    m_OnLastRecord = node != nullptr && node == g_Account.Tail() && rowBelowEmpty;
}

bool MultiRecords::DateFieldEmpty(int row) {
    char text[kFieldReadSize];
    Host().GetText(m_EditR[row].Field(DATE_FLD).Index(), text, sizeof text);
    return text[0] == '\0';
}

// Reads the focused row into its record; on a refusal the focus goes back
// to the field it was in and the input is swallowed.
bool MultiRecords::CommitRow(const eventMsg& ev) {
    RecordNode* node = FocusedNode();
    if (!node) return true;
    if (FocusedRow().GetInput(*node->record, ev.m_Type == KEYBD) == 0) return true;
    SetFocusToRecordAndField();
    m_PassToControl = 0;
    return false;
}

// Rows to move down after leaving a row: in the Current view a record just
// marked "R" leaves the view, and the next one moves up into its row.
int MultiRecords::Advance() const {
    RecordNode* node = FocusedNode();
    return g_Account.view == ViewCurrent && node && IsReconciled(*node->record) ? 0 : 1;
}

void MultiRecords::SaveIfNeeded() {
    if (g_Account.needsSaving != 1) return;
    if (RecordNode* node = FocusedNode()) FocusedRow().setFields(*node->record);
    RefreshBalances(g_Account.current);
    Host().SaveAccount();
}

void MultiRecords::Refill() {
    // The first row always shows a record of the view.
    g_Account.ComputeBalances();
    const int last = std::max(0, static_cast<int>(g_Account.visibleCount) - 1);
    g_Account.topIndex = std::clamp(g_Account.topIndex, 0, last);
    g_Account.PositionAtTop(g_Account.topIndex);
    DisplayRecords(g_Account.current);
}

void MultiRecords::AppendBlankRecord() {
    g_Account.AppendRecord();
    DisplayRecords(g_Account.current);
}

// Takes the untouched blank record at the end of the list away again.
void MultiRecords::RemoveBlankTail() {
    RecordNode* tail = g_Account.Tail();
    if (!g_Account.Unlink(tail)) return;  // the last record of an account stays
    for (int row = 0; row < kRegisterRows; ++row) {
        if (m_RowNodes[row] != tail) continue;
        m_RowNodes[row] = nullptr;
        m_EditR[row].ClearRow();
        --m_LastFilledRow;
    }
    g_Account.ComputeBalances();
}

void MultiRecords::ClampFocus() {
    if (m_Focus > m_LastFilledRow) m_Focus = std::max(0, m_LastFilledRow);
}

// ---------------------------------------------------------------------------
// Events

int MultiRecords::HandleEvent(eventMsg ev) {
    if (!g_Account.isOpen || m_LastFilledRow < 0) return ev.m_Type == KEYBD ? 1 : 0;
    // One key, click or scroll is one action: one save attempt, one message.
    SaveAttempt attempt;
    if (ev.m_Type == INSERTDATE) {
        FocusedRow().setDateField();
        return 0;
    }
    m_PassToControl = 1;
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
    DisplayRecords(g_Account.current);
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

// ---------------------------------------------------------------------------
// Clicks and thumb drops

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
// Focus

void MultiRecords::SetFocusToRecordAndField(int focusRecord, int focusField, int onRectifiedField,
                                            int iChangeFocus) {
    if (focusRecord != kKeep) m_Focus = focusRecord;
    if (m_LastFilledRow < 0) {
        m_Focus = 0;
        return;
    }
    m_Focus = std::clamp(m_Focus, 0, kLastRow);
    if (m_Focus <= m_LastFilledRow) {
        FocusedRow().SetRecordFocus(focusField);
        m_EditFocus = FocusedRow().FocusField();
        return;
    }
    m_Focus = m_LastFilledRow;
    if (!(onRectifiedField == 'R' && iChangeFocus != 0 && iChangeFocus != kKeep)) m_EditFocus = DATE_FLD;
    FocusedRow().SetRecordFocus(m_EditFocus);
}

void MultiRecords::SetFocusWithoutActivating(int row, int field) {
    m_Focus = row;
    if (m_LastFilledRow < 0) {
        m_Focus = 0;
        return;
    }
    m_Focus = std::clamp(m_Focus, 0, kLastRow);
    if (m_Focus > m_LastFilledRow) {
        m_Focus = m_LastFilledRow;
        field = DATE_FLD;
    }
    if (field >= 0 && field < MAX_FLD) FocusedRow().SetFocusField(field);
    m_EditFocus = FocusedRow().FocusField();
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

bool MultiRecords::CommitAllRows() {
    if (!g_Account.isOpen) return true;
    if (FocusedRow().ValidateRowDate() == kDateInvalid) {
        SetFocusToRecordAndField();
        return false;
    }
    for (int row = 0; row <= m_LastFilledRow; ++row) {
        RecordNode* node = m_RowNodes[row];
        if (!node || m_EditR[row].GetInput(*node->record) == 0) continue;
        // The row that was refused gets the focus, so it can be corrected.
        SetFocusToRecordAndField(row);
        return false;
    }
    return true;
}

bool MultiRecords::CheckFocusedRow() {
    if (!g_Account.isOpen) return true;
    RecordNode* node = FocusedNode();
    if (node && !FocusedRow().IsRecordEmpty() && FocusedRow().GetInput(*node->record) != 0) {
        SetFocusToRecordAndField();
        return false;
    }
    if (!g_Account.needsSaving) return true;
    if (!CommitAllRows()) {
        FocusedRow().SetDateState(kDateInvalid);
        return false;
    }
    if (FocusedRow().TestError() != 0) {
        SetFocusToRecordAndField();
        return false;
    }
    // A change that cannot be saved stops the command: it would otherwise
    // act on (or close) an account whose change is only in memory.
    const bool saved = Host().SaveAccount();
    DisplayRecords(g_Account.current);
    return saved;
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

void MultiRecords::ShowLastRecords() {
    if (!g_Account.isOpen) return;
    g_Account.ComputeBalances();
    const int visible = static_cast<int>(g_Account.visibleCount);
    g_Account.topIndex = visible >= kPageRows ? visible - kPageRows : 0;
    Refill();
    SetFocusToRecordAndField(m_LastFilledRow, DATE_FLD);
    UpdateScrollBar();
}

// ---------------------------------------------------------------------------
// Selection of the focused field

bool MultiRecords::GetSelection(int& start, int& end) {
    Host().GetSelection(FocusedFieldNumber(), start, end);
    return start < end;
}

bool MultiRecords::GetSelectedText(int& start, int& end, char* text, std::size_t size) {
    if (size == 0) return false;
    text[0] = '\0';
    if (!GetSelection(start, end)) return false;
    char whole[kFieldReadSize];
    Host().GetText(FocusedFieldNumber(), whole, sizeof whole);
    const int length = static_cast<int>(std::strlen(whole));
    const int from = std::clamp(start, 0, length);
    const int to = std::clamp(end, from, length);
    const std::size_t count = std::min(static_cast<std::size_t>(to - from), size - 1);
    std::memcpy(text, whole + from, count);
    text[count] = '\0';
    return true;
}

int MultiRecords::GetSelectionEnd() {
    int start = 0, end = 0;
    GetSelection(start, end);
    return end;
}

void MultiRecords::SetSelection(int start, int end) { Host().SetSelection(FocusedFieldNumber(), start, end); }
