#include "ui/dialog_base_class.h"

#include <vector>

#include "base/log.h"
#include "ui/dialog_runner.h"
#include "ui/instance_subclasser.h"

INT_PTR DialogBaseClass::doModal(HWND hwndParent, int dialogNumber) {
    if (dialogNumber == kAskModal) dialogNumber = GetDialogNumber();
    m_DialogNumber = dialogNumber;
    m_Modal = true;
    m_Failure = nullptr;
    const INT_PTR result =
        ShowModalDialog(hwndParent, dialogNumber, SharedDialogProc, reinterpret_cast<LPARAM>(this));
    ThrowFailure();
    return result;
}

HWND DialogBaseClass::DoModeless(HWND hwndParent, int dialogNumber) {
    if (dialogNumber == kAskModeless) dialogNumber = GetDialogNumber();
    m_DialogNumber = dialogNumber;
    m_Modal = false;
    m_Failure = nullptr;
    HWND dialog = CreateModelessDialog(hwndParent, dialogNumber, SharedDialogProc, reinterpret_cast<LPARAM>(this));
    ThrowFailure();
    return dialog;
}

void DialogBaseClass::Fail(HWND hwnd, std::exception_ptr failure) {
    WriteLog("Exception in DialogBaseClass::%s %d (%#x)\n", m_Modal ? "doModal" : "DoModeless", m_DialogNumber,
             static_cast<unsigned>(m_DialogNumber));
    if (!m_Failure) m_Failure = failure;
    // A modal dialog is ended by its own loop, which also enables the parent
    // again; a modeless one has no loop of its own.
    if (m_Modal) EndDialog(hwnd, -1);
    else DestroyWindow(hwnd);
}

void DialogBaseClass::ThrowFailure() {
    if (!m_Failure) return;
    std::exception_ptr failure = m_Failure;
    m_Failure = nullptr;
    std::rethrow_exception(failure);
}

INT_PTR CALLBACK DialogBaseClass::SharedDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* object = reinterpret_cast<DialogBaseClass*>(lParam);
        if (object) object->Attach(hwnd);
    }
    // Messages before WM_INITDIALOG have no object yet.
    auto* object = static_cast<DialogBaseClass*>(SharedSubclasser().Lookup(hwnd));
    if (!object) return FALSE;
    try {
        return object->Dispatch(msg, wParam, lParam);
    } catch (...) {
        object->Fail(hwnd, std::current_exception());
        return FALSE;
    }
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
