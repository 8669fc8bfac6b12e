// The register object: routes every event of the 19-row register to the
// focused row, then carries out the movement it asks for — which row and
// field get the focus, when a row is written back into its record and the
// account saved, when the rows are refilled from another place in the list,
// and the blank record that waits at the end while the user types there.
#pragma once

#include <array>
#include <cstddef>

#include "register/edit_record.h"
#include "register/event_msg.h"

struct RecordNode;

// Keyboard focus to "keep" in SetFocusToRecordAndField.
inline constexpr int kKeep = -1;
inline constexpr int kLastRow = kRegisterRows - 1;  // 18
// Rows moved by Page Up and Page Down.
inline constexpr int kPageRows = 18;

class MultiRecords {
public:
    MultiRecords();

    // Routes one key, click, scroll or Insert Date to the focused row and
    // carries out what it asks for. Returns 1 when the edit control should
    // also handle the input, 0 when the input is swallowed.
    int HandleEvent(eventMsg ev);

    // Each argument kKeep for "keep". The row is clamped to the last filled
    // row (then the Date field, unless onRectifiedField is 'R' and
    // iChangeFocus is not 0).
    void SetFocusToRecordAndField(int focusRecord = kKeep, int focusField = kKeep, int onRectifiedField = kKeep,
                                  int iChangeFocus = kKeep);
    // As above without moving the keyboard focus.
    void SetFocusWithoutActivating(int row, int field);

    // Checks run before menu commands (see the command guards).
    bool DropEmptyLastRecord();
    bool CheckLastRecordDate();
    bool CommitAllRows();
    // The focused row passes its checks and, when something changed, every
    // row is committed, the account saved and the register refilled. False
    // when a check or the save failed.
    bool CheckFocusedRow();

    int CheckRowDate(int row) { return m_EditR[row].CheckRowDate(); }
    int ValidateRowDate(int row) { return m_EditR[row].ValidateRowDate(); }

    // The scroll bar: line and page actions (kKeyUp, kKeyDown, kKeyPageUp,
    // kKeyPageDown), the thumb dropped at a position, and its update.
    void ScrollBarKey(int key);
    void ThumbDrop(int position);
    void UpdateScrollBar();

    // Before the rows are filled for another view: the untouched blank
    // record at the end goes, since the refill adds one back only where the
    // view has no record to show.
    void DropBlankTail();

    // After opening an account or changing the view or the date format:
    // the last screenful of the view, the focus on the last record's Date.
    void ShowLastRecords();

    // Selection of the focused field, for Find.
    bool GetSelection(int& start, int& end);
    bool GetSelectedText(int& start, int& end, char* text, std::size_t size);
    int GetSelectionEnd();
    void SetSelection(int start, int end);

    int Focus() const { return m_Focus; }
    int EditFocus() const { return m_EditFocus; }
    void SetEditFocus(int field) { m_EditFocus = field; }
    int FocusedFieldNumber() const { return m_Focus * MAX_FLD + m_EditFocus; }
    EditRecord& Row(int row) { return m_EditR[row]; }
    EditWindow& OpeningBox() { return m_OpeningBox; }
    EditWindow& EndingBox() { return m_EndingBox; }
    // The focused row's node, or nullptr.
    RecordNode* FocusedNode() const;
    // As FocusedNode, and only when the node is still in the account's
    // list: a command may have taken it out (Delete Transaction) or closed
    // the account since the rows were filled. Walks the list.
    RecordNode* FocusedNodeInList() const;

    // Back to no account: row 0, Date field.
    void ResetFocus();

    // The node shown in each row, or nullptr for an empty row.
    RecordNode* RowNode(int row) const { return m_RowNodes[row]; }
    // Row index of the last filled row; -1 when no row is filled.
    int LastFilledRow() const { return m_LastFilledRow; }
    bool IsFilledRow(int row) const { return row >= 0 && row <= m_LastFilledRow; }
    // For the refill, which fills the rows from the top: no row shows a
    // node, then row after row is paired with its node.
    void EmptyRows();
    void FillRow(int row, RecordNode* node);
    // True while the event being handled started with the focus on the
    // account's tail record and the row below it empty (below row 18 counts
    // as empty).
    bool OnLastRecord() const { return m_OnLastRecord; }
    // The last scroll-bar thumb position, and the scroll bar's largest value.
    int ThumbPosition() const { return m_ThumbPosition; }
    int ScrollMax() const { return m_ScrollMax; }

private:
    enum class Target { Accepted, Refused, BecameKey };

    EditRecord& FocusedRow() { return m_EditR[m_Focus]; }
    // The balances are in range, so the rows may show them.
    bool BalancesDisplayable();
    void ComputeOnLastRecord();
    bool DateFieldEmpty(int row);
    bool IsUntouchedBlankRow(int row);
    bool CommitRow(const eventMsg& ev);
    int Advance() const;
    void SaveIfNeeded();
    void Refill();
    void AppendBlankRecord();
    void RemoveBlankTail();
    void ClampFocus();

    void ActOnResult(const eventMsg& ev);
    void NextRecord(const eventMsg& ev);
    void PreviousRecord(const eventMsg& ev);
    void PageDown(const eventMsg& ev);
    void PageUp(const eventMsg& ev);

    // Clicks and thumb drops; false when the event became a key event.
    bool RunMouse(eventMsg& ev);
    void ClickInFocusedRow(int field, const eventMsg& ev);
    bool LeaveFocusedRow(const eventMsg& ev);
    Target CheckTarget(int row, int field, eventMsg& ev);
    void ClickOtherRow(int row, int field, const eventMsg& ev);

    int m_Focus = 0;
    int m_EditFocus = DATE_FLD;
    // What HandleEvent returns: 1 when the edit control also handles the input.
    int m_PassToControl = 1;
    std::array<RecordNode*, kRegisterRows> m_RowNodes = {};
    int m_LastFilledRow = -1;
    bool m_OnLastRecord = false;
    // This event has just computed the balances and found them in range (a
    // committed row, a range check) and changed nothing since: the check,
    // the save and the refill that follow take them without walking the
    // whole account again. Cleared by every event and by a sort that moves
    // a record.
    bool m_BalancesCurrent = false;
    int m_ThumbPosition = 0;
    int m_ScrollMax = 0;
    EditWindow m_OpeningBox;
    EditWindow m_EndingBox;
    std::array<EditRecord, kRegisterRows> m_EditR;
};

// The one register.
extern MultiRecords g_MultiRecords;
