// The register object itself: its rows and the nodes they show, the
// focus, the refill from the account and the selection Find works on. What
// the events do is in the files beside it, one per kind of input:
// multi_records_keys.cpp (keys and the wheel), multi_records_mouse.cpp
// (clicks and the scroll bar) and multi_records_commit.cpp (writing rows
// back and saving, also before menu commands).
#include "register/multi_records.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "model/account.h"
#include "register/register_display.h"
#include "register/register_host.h"

MultiRecords g_MultiRecords;

namespace {

template <std::size_t... I> std::array<EditRecord, sizeof...(I)> MakeRows(std::index_sequence<I...>) {
    return {EditRecord(static_cast<int>(I))...};
}

}  // namespace

bool MultiRecords::BalancesDisplayable() {
    if (!m_BalancesCurrent) m_BalancesCurrent = g_Account.ComputeBalances() == kBalancesOk;
    return m_BalancesCurrent;
}

MultiRecords::MultiRecords()
    : m_OpeningBox(kOpeningBalanceId, kKindBalance),
      m_EndingBox(kEndingBalanceId, kKindBalance),
      m_EditR(MakeRows(std::make_index_sequence<kRegisterRows>{})) {}

RecordNode* MultiRecords::FocusedNode() const {
    return m_Focus >= 0 && m_Focus < kRegisterRows ? m_RowNodes[m_Focus] : nullptr;
}

RecordNode* MultiRecords::FocusedNodeInList() const {
    RecordNode* focused = FocusedNode();
    return g_Account.Contains(focused) ? focused : nullptr;
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
