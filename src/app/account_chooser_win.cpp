#include "app/account_chooser_win.h"

#include "app/account_operations.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_runner.h"

namespace {

struct ChooserExchange {
    int dialogNumber;
    AccountList* list;
};

AccountList& ListOf(HWND dialog) {
    return *reinterpret_cast<ChooserExchange*>(GetWindowLongPtrA(dialog, DWLP_USER))->list;
}

int CurrentIndex(HWND dialog) {
    const LRESULT index = SendDlgItemMessageA(dialog, kIdAccountList, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? 0 : static_cast<int>(index);
}

// The file name under the list follows the selection.
void ShowSelectedFileName(HWND dialog) {
    AccountList& list = ListOf(dialog);
    const int index = CurrentIndex(dialog);
    if (index >= static_cast<int>(list.entries.size())) return;
    list.selected = index + 1;
    SetDlgItemTextA(dialog, kIdAccountFileName, list.entries[static_cast<std::size_t>(index)].fileName);
}

void Choose(HWND dialog) {
    ShowSelectedFileName(dialog);
    ListOf(dialog).result = kChooserChosen;
    EndDialog(dialog, kIdOk);
}

BOOL InitChooser(HWND dialog, LPARAM lParam) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    const auto* exchange = reinterpret_cast<ChooserExchange*>(lParam);
    PlaceDialog(dialog, exchange->dialogNumber, kDialogFontBold, 0);
    HWND listBox = GetDlgItem(dialog, kIdAccountList);
    for (const AccountListEntry& entry : exchange->list->entries)
        SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name));
    SendMessageA(listBox, LB_SETCURSEL, 0, 0);
    ShowSelectedFileName(dialog);
    SetFocus(listBox);
    return FALSE;  // the focus is set
}

// The chooser serves two dialog numbers, so it places the dialog itself; its
// Cancel also records the cancelled choice.
INT_PTR CALLBACK ChooserProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(dialog, msg, wParam, {kPlacedByProcedure, EndingButtons::None}, result))
        return result;
    if (msg == WM_INITDIALOG) return InitChooser(dialog, lParam);
    if (msg != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == kIdAccountList) {
        if (code == LBN_SELCHANGE) ShowSelectedFileName(dialog);
        else if (code == LBN_DBLCLK) Choose(dialog);
        return TRUE;
    }
    if (id == kIdOk) {
        Choose(dialog);
        return TRUE;
    }
    if (id == kIdCancel) {
        ListOf(dialog).result = kChooserCancelled;
        EndDialog(dialog, kIdCancel);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

const AccountListEntry* RunAccountChooser(HWND hwnd, int dialogNumber, const char* title, AccountList& list) {
    SlotFiles files;
    BuildAccountList(list, title, AccountSlotPathList(), files);
    if (list.entries.empty()) {
        Inform(hwnd, kNoAccountsText, kNoAccountsTitle);
        list.result = kChooserCancelled;
        return nullptr;
    }
    ChooserExchange exchange{dialogNumber, &list};
    ShowModalDialog(hwnd, dialogNumber, ChooserProc, reinterpret_cast<LPARAM>(&exchange));
    return list.Chosen();
}
