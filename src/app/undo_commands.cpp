#include "app/undo_commands.h"

#include <algorithm>
#include <optional>

#include "app/account_operations.h"
#include "app/command_dispatch.h"
#include "app/command_guards.h"
#include "app/commands.h"
#include "base/utf16.h"
#include "model/account.h"
#include "register/multi_records.h"
#include "register/register_display.h"
#include "storage/save_account.h"
#include "ui/storage_messages.h"

namespace {

// Typing in the register that no save has recorded yet: text in a row
// not read into its record, or records changed since the last save that
// succeeded (a save that failed included).
bool TypingToTakeBack() { return g_Account.isOpen && g_Account.needsSaving; }

std::wstring Wide(const std::string& utf8) {
    std::u16string wide;
    Utf8ToUtf16(utf8.c_str(), wide);
    return std::wstring(wide.begin(), wide.end());
}

RecordNode* NodeAt(std::size_t position) {
    RecordNode* node = g_Account.Head();
    while (node && node->next && position-- > 0) node = node->next;
    return node;
}

// The register shows the record a change touched, in the view that holds
// it: a cleared record brings the All view.
void ShowRecordAt(std::size_t position) {
    g_MultiRecords.DropBlankTail();
    RecordNode* node = NodeAt(position);
    if (node && g_Account.view == ViewCurrent && IsReconciled(*node->record)) {
        SelectViewMenuItem(IDM_VIEW_ALL);
        SelectAccountView(ViewAll);
    }
    g_Account.ComputeBalances();
    const int index = g_Account.ViewIndexOf(node);
    g_Account.topIndex = std::clamp(index, 0, LastScreenTopIndex());
    g_Account.PositionAtTop(g_Account.topIndex);
    ClearRegister();
    DisplayRecords(g_Account.current);
    g_MultiRecords.SetFocusToRecordAndField(std::min(index - g_Account.topIndex, g_MultiRecords.LastFilledRow()),
                                            DATE_FLD);
    g_MultiRecords.UpdateScrollBar();
}

// The change in memory is saved at once; a failed save is told once and
// leaves it pending, as it shows.
void SaveAndShow(std::size_t position) {
    g_Account.needsSaving = 1;
    SaveAccount();
    ShowRecordAt(position);
}

}  // namespace

std::string UndoItemText(const std::string& name) {
    return std::string(kUndoItemText) + (name.empty() ? "" : " " + name) + "\tCtrl+Z";
}

std::string RedoItemText(const std::string& name) {
    return std::string(kRedoItemText) + (name.empty() ? "" : " " + name) + "\tCtrl+Y";
}

void UpdateUndoMenuItems(HMENU menu) {
    const bool typing = TypingToTakeBack();
    const bool canUndo = g_Account.isOpen && (typing || g_AccountHistory.CanUndo());
    const bool canRedo = g_Account.isOpen && !typing && g_AccountHistory.CanRedo();
    const std::string undo = UndoItemText(!canUndo ? "" : typing ? kUndoTypingName : g_AccountHistory.UndoName());
    const std::string redo = RedoItemText(canRedo ? g_AccountHistory.RedoName() : "");
    // The names are UTF-8: an import's names its file.
    ModifyMenuW(menu, IDM_UNDO, MF_BYCOMMAND | MF_STRING | (canUndo ? MF_ENABLED : MF_GRAYED), IDM_UNDO,
                Wide(undo).c_str());
    ModifyMenuW(menu, IDM_REDO, MF_BYCOMMAND | MF_STRING | (canRedo ? MF_ENABLED : MF_GRAYED), IDM_REDO,
                Wide(redo).c_str());
}

void RunUndoCommand(HWND, int) {
    if (!g_Account.isOpen) return;
    if (TypingToTakeBack()) {
        // The records go back to what the history holds, the rows show them
        // again, and that is saved: the flag is cleared only by a save that
        // succeeds (an undo whose save failed stays pending here).
        const std::optional<std::size_t> first = g_AccountHistory.RevertUnrecorded(g_Account);
        SaveAccount();
        if (first) {
            ShowRecordAt(*first);
        } else {
            // Only the rows' text went back: they show their records again.
            g_MultiRecords.DropBlankTail();
            g_Account.ComputeBalances();
            RefreshAfterCommand(true);
        }
        return;
    }
    if (const std::optional<std::size_t> touched = g_AccountHistory.Undo(g_Account)) SaveAndShow(*touched);
}

void RunRedoCommand(HWND, int) {
    if (!g_Account.isOpen || TypingToTakeBack()) return;
    if (const std::optional<std::size_t> touched = g_AccountHistory.Redo(g_Account)) SaveAndShow(*touched);
}
