// Find between the dialog and the register: the start of each search from
// the register's focus and caret, and the match shown as the register's
// selection while the dialog keeps the keyboard focus.
#include <windows.h>

#include "features/feature_commands.h"
#include "features/find_dialog_win.h"
#include "features/text_finder.h"
#include "model/account.h"
#include "register/multi_records.h"
#include "register/register_display.h"
#include "storage/save_account.h"
#include "ui/message_box.h"

namespace {

// Longer selections are cut: the Find field shows one line of text.
constexpr std::size_t kSelectedTextSize = 256;

TextFinder& TheTextFinder() {
    static TextFinder finder;
    return finder;
}

void ShowMatch(TextFinder& finder, const FindMatch& match) {
    const FindPlacement place =
        PlaceMatch(match.record, static_cast<int>(g_Account.visibleCount), g_Account.topIndex);
    g_Account.topIndex = place.topIndex;
    g_Account.PositionAtTop(g_Account.topIndex);
    DisplayRecords(g_Account.current);
    g_MultiRecords.SetFocusWithoutActivating(place.row, match.field);
    g_MultiRecords.SetSelection(match.start, match.end);
    int start = 0, end = 0;
    g_MultiRecords.GetSelection(start, end);
    finder.NoteShownMatch(match, start, end);
    g_MultiRecords.UpdateScrollBar();
}

void TellNotFound(HWND hwnd, const TextFinder& finder) {
    ShowMessage(hwnd, CannotFindMessage(finder.SearchText()).c_str(), kCannotFindTitle,
                MB_OK | MB_ICONEXCLAMATION);
    TheFindDialog().Activate();
    g_MultiRecords.SetSelection(finder.KeptSelectionStart(), finder.KeptSelectionEnd());
}

}  // namespace

void RunFindCommand(HWND hwnd, int) {
    if (!g_Account.isOpen) return;
    TextFinder& finder = TheTextFinder();
    int start = 0, end = 0;
    char selected[kSelectedTextSize] = {};
    const bool hasSelection = g_MultiRecords.GetSelectedText(start, end, selected, sizeof selected);
    if (!hasSelection) g_MultiRecords.GetSelection(start, end);
    finder.KeepSelection(start, end);
    if (hasSelection)
        finder.SetSearch(selected, TheFindDialog().WholeWord(), TheFindDialog().MatchCase());
    // An open dialog keeps what the user typed into it unless text is
    // selected in the register.
    const bool newText = hasSelection || !TheFindDialog().IsOpen();
    TheFindDialog().Open(hwnd, newText ? finder.SearchText() : std::string());
    g_MultiRecords.SetSelection(start, end);
}

void RunFindRequest(HWND hwnd) {
    if (!g_Account.isOpen) return;
    TextFinder& finder = TheTextFinder();
    const FindDialog& dialog = TheFindDialog();
    finder.SetSearch(dialog.FindText(), dialog.WholeWord(), dialog.MatchCase());
    int start = 0, end = 0;
    g_MultiRecords.GetSelection(start, end);
    finder.SetStartFromSelection(g_Account.topIndex + g_MultiRecords.Focus(), g_MultiRecords.EditFocus(), start,
                                 end);
    FindMatch match;
    if (finder.FindNext(g_Account.Head(), g_Account.view, g_CurrentAccountFile, match))
        ShowMatch(finder, match);
    else
        TellNotFound(hwnd, finder);
}
