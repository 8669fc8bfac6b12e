#include "app/about_dialog.h"

#include "ui/dialog_ids.h"
#include "ui/dialog_runner.h"
#include "ui/hot_link_text.h"
#include "ui/maker_info.h"

void ShowAboutBox(HWND owner) {
    ShowModalDialog(owner, kDlgAbout, AboutDlgProc, 0);
}

INT_PTR CALLBACK AboutDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
    // The link needs its target before the dialog is placed and gives it a font.
    if (msg == WM_INITDIALOG)
        SendDlgItemMessageA(hwnd, kIdAboutWebLink, kHotLinkSetTarget, reinterpret_cast<WPARAM>(kMakerWebAddress), 0);
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(hwnd, msg, wParam, {kDlgAbout, EndingButtons::OkAndCancel}, result)) return result;
    return msg == WM_INITDIALOG;
}
