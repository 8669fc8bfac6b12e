#include "register/register_host_win.h"

#include <windows.h>

#include <algorithm>

#include "register/register_layout.h"
#include "register/register_texts.h"
#include "base/log.h"
#include "storage/save_account.h"
#include "ui/storage_messages.h"
#include "ui/message_box.h"

namespace {

HWND FieldWindow(int index) {
    return index >= 0 && index < kFieldWindowCount ? g_hFieldWindows[index] : nullptr;
}

int LogHandle(HWND hwnd) { return static_cast<int>(HandleToULong(hwnd)); }

}  // namespace

void Win32RegisterHost::SetText(int index, const char* text) {
    if (HWND field = FieldWindow(index)) SetWindowTextA(field, text);
}

void Win32RegisterHost::GetText(int index, char* out, std::size_t size) {
    if (size == 0) return;
    out[0] = '\0';
    if (HWND field = FieldWindow(index)) GetWindowTextA(field, out, static_cast<int>(std::min<std::size_t>(size, 0x7fffffff)));
}

void Win32RegisterHost::SetFocus(int index) {
    HWND field = FieldWindow(index);
    SetLastError(0);
    HWND previous = ::SetFocus(field);
    if (!previous) {
        WriteLog(kLogFocusNotSet, LogHandle(previous), static_cast<int>(GetLastError()),
                 field && IsWindow(field) ? 1 : 0);
    }
}

void Win32RegisterHost::SelectAll(int index) {
    if (HWND field = FieldWindow(index)) SendMessageA(field, EM_SETSEL, 0, -1);
}

void Win32RegisterHost::GetSelection(int index, int& start, int& end) {
    DWORD from = 0, to = 0;
    if (HWND field = FieldWindow(index))
        SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    start = static_cast<int>(from);
    end = static_cast<int>(to);
}

void Win32RegisterHost::SetSelection(int index, int start, int end) {
    if (HWND field = FieldWindow(index)) SendMessageA(field, EM_SETSEL, start, end);
}

void Win32RegisterHost::SetScrollBar(int maxValue, int position) {
    if (!g_hScrollBar) return;
    SetScrollRange(g_hScrollBar, SB_CTL, 0, std::max(0, maxValue), FALSE);
    SetScrollPos(g_hScrollBar, SB_CTL, position, TRUE);
}

void Win32RegisterHost::ShowMessage(const char* text, const char* title) {
    HWND owner = g_hFieldWindows[0] ? GetParent(g_hFieldWindows[0]) : nullptr;
    // Never hidden behind the Find dialog.
    ::ShowMessage(owner, text, title, MB_OK | MB_ICONINFORMATION, FindDialogBeforeMessage::Close);
}

void Win32RegisterHost::Beep() { MessageBeep(MB_OK); }

bool Win32RegisterHost::SaveAccount() { return ::SaveAccount(); }

Win32RegisterHost& TheWin32RegisterHost() {
    static Win32RegisterHost host;
    return host;
}
