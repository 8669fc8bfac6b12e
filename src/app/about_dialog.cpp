#include "app/about_dialog.h"

#include "ui/dialog_ids.h"
#include "ui/dialog_runner.h"
#include "ui/hot_link_text.h"
#include "ui/maker_info.h"

void ShowAboutBox(HWND owner) {
    ShowModalDialog(owner, kDlgAbout, AboutDlgProc, 0);
}

INT_PTR CALLBACK AboutDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            // The link needs its target before PlaceDialog gives it a font.
            SendDlgItemMessageA(hwnd, kIdAboutWebLink, kHotLinkSetTarget,
                                reinterpret_cast<WPARAM>(kMakerWebAddress), 0);
            PlaceDialog(hwnd, kDlgAbout, kDialogFontBold, 0);
            return TRUE;
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<INT_PTR>(DialogWhiteBrush());
        case WM_COMMAND:
            if (LOWORD(wParam) == kIdOk || LOWORD(wParam) == kIdCancel) {
                EndDialog(hwnd, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}
