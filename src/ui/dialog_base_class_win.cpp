#include "ui/dialog_base_class.h"

#include <vector>

#include "base/log.h"
#include "ui/dialog_runner.h"
#include "ui/instance_subclasser.h"

namespace {

// After an exception escaped a dialog: ends the dialog and the parent's
// disabled state, so nothing stays frozen behind it. The exception has left
// the modal loop that would have destroyed an ended dialog, so the window is
// destroyed here rather than left hidden.
void RecoverFromException(HWND hwnd, HWND hwndParent, bool modal) {
    if (IsWindow(hwnd)) {
        if (modal) EndDialog(hwnd, -1);
        DestroyWindow(hwnd);
    }
    if (hwndParent) EnableWindow(hwndParent, TRUE);
}

}  // namespace

INT_PTR DialogBaseClass::doModal(HWND hwndParent, int dialogNumber) {
    if (dialogNumber == kAskModal) dialogNumber = GetDialogNumber();
    try {
        return ShowModalDialog(hwndParent, dialogNumber, SharedDialogProc, reinterpret_cast<LPARAM>(this));
    } catch (...) {
        WriteLog("Exception in DialogBaseClass::doModal %d (%#x)\n", dialogNumber, static_cast<unsigned>(dialogNumber));
        RecoverFromException(GetHwnd(), hwndParent, true);
        throw;
    }
}

HWND DialogBaseClass::DoModeless(HWND hwndParent, int dialogNumber) {
    if (dialogNumber == kAskModeless) dialogNumber = GetDialogNumber();
    try {
        return CreateModelessDialog(hwndParent, dialogNumber, SharedDialogProc, reinterpret_cast<LPARAM>(this));
    } catch (...) {
        WriteLog("Exception in DialogBaseClass::DoModeless %d (%#x)\n", dialogNumber,
                 static_cast<unsigned>(dialogNumber));
        RecoverFromException(GetHwnd(), hwndParent, false);
        throw;
    }
}

INT_PTR CALLBACK DialogBaseClass::SharedDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* object = reinterpret_cast<DialogBaseClass*>(lParam);
        if (object) object->Attach(hwnd);
    }
    // Messages before WM_INITDIALOG have no object yet.
    auto* object = static_cast<DialogBaseClass*>(SharedSubclasser().Lookup(hwnd));
    if (!object) return FALSE;
    return object->Dispatch(msg, wParam, lParam);
}

INT_PTR DialogBaseClass::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog(reinterpret_cast<HWND>(wParam), lParam);
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
    case WM_NOTIFY:
        return OnDialogNotify(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam));
    case WM_DRAWITEM:
        return OnDrawItem(static_cast<int>(wParam), reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_CTLCOLOREDIT:
        return reinterpret_cast<INT_PTR>(OnCtlColorEdit(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    default:
        return OnDialogMessage(msg, wParam, lParam);
    }
}

INT_PTR DialogBaseClass::OnDialogMessage(UINT, WPARAM, LPARAM) { return FALSE; }

BOOL DialogBaseClass::OnInitDialog(HWND, LPARAM) {
    WriteLog("DialogBaseClass::OnInitDialog");
    return TRUE;
}

BOOL DialogBaseClass::OnCommand(WORD id, HWND, WORD) {
    if (id == IDOK || id == IDCANCEL) EndDialog(GetHwnd(), id);
    return FALSE;
}

BOOL DialogBaseClass::OnDialogNotify(int, NMHDR*) { return TRUE; }

BOOL DialogBaseClass::OnDrawItem(int, const DRAWITEMSTRUCT*) { return FALSE; }

HBRUSH DialogBaseClass::OnCtlColorEdit(HDC, HWND) { return nullptr; }

BOOL DialogBaseClass::OnEraseBkgnd(HDC) { return FALSE; }

void DialogBaseClass::SetItemText(int id, const char* text) {
    HWND control = GetItem(id);
    LockWindowUpdate(control);
    SetDlgItemTextA(GetHwnd(), id, text);
    LockWindowUpdate(nullptr);
}

std::string DialogBaseClass::GetItemText(int id) {
    const LRESULT length = SendDlgItemMessageA(GetHwnd(), id, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    const UINT copied = GetDlgItemTextA(GetHwnd(), id, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), copied);
}

HWND DialogBaseClass::GetItem(int id) { return GetDlgItem(GetHwnd(), id); }

void DialogBaseClass::ShowItem(int id) { ShowWindow(GetItem(id), SW_SHOW); }

void DialogBaseClass::HideItem(int id) { ShowWindow(GetItem(id), SW_HIDE); }
