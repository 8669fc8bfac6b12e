#include "features/range_dialog_win.h"

#include "features/date_range.h"
#include "model/account.h"
#include "ui/dialog_ids.h"
#include "ui/date_message.h"
#include "ui/dialog_runner.h"
#include "ui/message_box.h"
#include "values/date.h"

namespace {

struct RangeExchange {
    DateRange* range;
    const char* caption;
};

RangeExchange& ExchangeOf(HWND dialog) {
    return *reinterpret_cast<RangeExchange*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void OnInit(HWND dialog, RangeExchange& exchange) {
    SetWindowTextA(dialog, exchange.caption);
    SetDlgItemTextA(dialog, kIdRangeGroup, exchange.caption);
    exchange.range->SetDefaultTexts(g_Account);
    SendDlgItemMessageA(dialog, kIdRangeFrom, EM_LIMITTEXT, kRangeTextSize - 1, 0);
    SendDlgItemMessageA(dialog, kIdRangeTo, EM_LIMITTEXT, kRangeTextSize - 1, 0);
    SetDlgItemTextA(dialog, kIdRangeFrom, exchange.range->fromText);
    SetDlgItemTextA(dialog, kIdRangeTo, exchange.range->toText);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kIdRangeAll, BN_CLICKED), 0);
}

void OnChoice(HWND dialog, RangeExchange& exchange, int id) {
    exchange.range->choice = static_cast<std::uint32_t>(id);
    CheckRadioButton(dialog, kIdRangeAll, kIdRangeDates, id);
    const BOOL dates = id == kIdRangeDates;
    EnableWindow(GetDlgItem(dialog, kIdRangeFrom), dates);
    EnableWindow(GetDlgItem(dialog, kIdRangeTo), dates);
}

// Refuses a date by its message; the field in error gets the keyboard
// (when the dates are disabled the dialog keeps it).
void RefuseDate(HWND dialog, int field, int errorKind) {
    HWND control = GetDlgItem(dialog, field);
    if (IsWindowEnabled(control)) SetFocus(control);
    ShowDateError(g_Date, dialog, errorKind);
}

void OnOk(HWND dialog, RangeExchange& exchange) {
    char from[kRangeTextSize] = {};
    char to[kRangeTextSize] = {};
    GetDlgItemTextA(dialog, kIdRangeFrom, from, sizeof from);
    GetDlgItemTextA(dialog, kIdRangeTo, to, sizeof to);
    // Both dates are checked whichever button is chosen.
    switch (exchange.range->AcceptTexts(from, to)) {
        case kRangeBadFrom: RefuseDate(dialog, kIdRangeFrom, kDateErrorRangeFrom); return;
        case kRangeBadTo: RefuseDate(dialog, kIdRangeTo, kDateErrorRangeTo); return;
        case kRangeReversed:
            ShowMessage(dialog, kRangeReversedText, exchange.caption, MB_OK | MB_ICONINFORMATION);
            return;
    }
    EndDialog(dialog, kIdOk);
}

// Cancel also forgets the range, so the dialog handles it itself.
INT_PTR CALLBACK RangeDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(dialog, msg, wParam, {kDlgPrintRange, EndingButtons::None}, result)) return result;
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            OnInit(dialog, ExchangeOf(dialog));
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kIdRangeAll:
                case kIdRangeDates: OnChoice(dialog, ExchangeOf(dialog), LOWORD(wParam)); return TRUE;
                case IDOK: OnOk(dialog, ExchangeOf(dialog)); return TRUE;
                case IDCANCEL:
                    ExchangeOf(dialog).range->Reset();
                    EndDialog(dialog, kIdCancel);
                    return TRUE;
            }
            return FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR RunRangeDialog(HWND owner, DateRange& range, const char* caption) {
    RangeExchange exchange{&range, caption};
    return ShowModalDialog(owner, kDlgPrintRange, RangeDialogProc, reinterpret_cast<LPARAM>(&exchange));
}
