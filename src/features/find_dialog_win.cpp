#include "features/find_dialog_win.h"

#include "features/text_finder.h"
#include "base/log.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_runner.h"
#include "ui/message_box.h"

namespace {

constexpr char kIconResource[] = "LedgerIcon";
constexpr int kSmallIconSize = 16;

void CloseTheFindDialog() { TheFindDialog().Close(); }

}  // namespace

FindDialog& TheFindDialog() {
    static FindDialog dialog;
    return dialog;
}

bool FindDialog::IsOpen() const { return m_Window != nullptr && IsWindow(m_Window); }

HWND FindDialog::Open(HWND owner, const std::string& text) {
    if (m_FindMessage == 0) {
        m_FindMessage = RegisterWindowMessageA(kFindMessageName);
        if (m_FindMessage == 0) WriteLog("error RegisterWindowMessage(FINDMESSGSTRING)");
    }
    // Register messages close the dialog first, so it never hides them.
    SetCloseFindDialogFunction(CloseTheFindDialog);
    if (!text.empty() || !IsOpen()) m_FindText = text;
    m_Owner = owner;
    if (IsOpen()) {
        if (!text.empty()) {
            SetItemText(kIdFindText, m_FindText.c_str());
            UpdateFindNext();
        }
        SetWindowPos(m_Window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        Activate();
        return m_Window;
    }
    m_Window = DoModeless(owner, kAskModeless);
    return m_Window;
}

void FindDialog::Close() {
    if (IsOpen()) DestroyWindow(m_Window);
    m_Window = nullptr;
}

void FindDialog::Activate() {
    if (!IsOpen()) return;
    SetActiveWindow(m_Window);
    ::SetFocus(GetItem(kIdFindText));
}

int FindDialog::GetDialogNumber() { return kDlgFind; }

BOOL FindDialog::OnInitDialog(HWND, LPARAM) {
    m_Window = GetHwnd();
    PlaceDialog(m_Window, kDlgFind, kDialogFontSansSerif, 0);
    CheckDlgButton(m_Window, kIdFindWholeWord, m_WholeWord ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_Window, kIdFindMatchCase, m_MatchCase ? BST_CHECKED : BST_UNCHECKED);
    SetItemText(kIdFindText, m_FindText.c_str());
    if (m_FindText.empty()) DisableFindNext();
    // A shared icon: the system keeps it, so it is not destroyed here.
    HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), kIconResource, IMAGE_ICON, kSmallIconSize,
                             kSmallIconSize, LR_SHARED);
    if (icon) SendMessageA(m_Window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    return TRUE;
}

BOOL FindDialog::OnCommand(WORD id, HWND, WORD codeNotify) {
    switch (id) {
        case kIdFindText:
            if (codeNotify == EN_CHANGE) UpdateFindNext();
            return TRUE;
        case IDOK:
            OnFindNext();
            return TRUE;
        case IDCANCEL:
            Close();
            return TRUE;
    }
    return FALSE;
}

void FindDialog::OnDestroy() {
    m_Window = nullptr;
}

void FindDialog::UpdateFindNext() {
    if (GetWindowTextLengthA(GetItem(kIdFindText)) == 0)
        DisableFindNext();
    else
        EnableFindNext();
}

void FindDialog::EnableFindNext() {
    HWND findNext = GetItem(IDOK);
    if (IsWindowEnabled(findNext)) return;
    EnableWindow(findNext, TRUE);
    SendMessageA(m_Window, DM_SETDEFID, IDOK, 0);
    SendMessageA(findNext, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    SendMessageA(GetItem(IDCANCEL), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
}

void FindDialog::DisableFindNext() {
    HWND findNext = GetItem(IDOK);
    if (!IsWindowEnabled(findNext)) return;
    EnableWindow(findNext, FALSE);
    SendMessageA(findNext, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    SendMessageA(m_Window, DM_SETDEFID, IDCANCEL, 0);
    SendMessageA(GetItem(IDCANCEL), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void FindDialog::OnFindNext() {
    m_WholeWord = IsDlgButtonChecked(m_Window, kIdFindWholeWord) == BST_CHECKED;
    m_MatchCase = IsDlgButtonChecked(m_Window, kIdFindMatchCase) == BST_CHECKED;
    m_FindText = GetItemText(kIdFindText);
    // Enter in the field arrives here too while Find Next is disabled.
    if (m_FindText.empty()) return;
    if (m_FindMessage != 0) SendMessageA(m_Owner, m_FindMessage, 0, 0);
}
