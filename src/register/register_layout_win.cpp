// Creation and placement of the register's controls.
#include <windows.h>

#include "register/register_layout.h"

HWND g_hFieldWindows[kFieldWindowCount] = {};
HWND g_hScrollBar = nullptr;

namespace {

DWORD FieldStyle(int index) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER;
    const bool isBox = index >= kRowFieldCount;
    const int field = index % MAX_FLD;
    if (isBox || field == BALANCE_FLD) return style | ES_RIGHT;
    // Long descriptions and amounts scroll inside their field instead of
    // being refused at the field's edge.
    style |= ES_NOHIDESEL | ES_AUTOHSCROLL;
    switch (kFieldColumns[field].align) {
        case FieldAlign::Centre: style |= ES_CENTER; break;
        case FieldAlign::Right: style |= ES_RIGHT; break;
        case FieldAlign::Left: style |= ES_LEFT; break;
    }
    if (field == RECONCILE_FLD) style |= ES_UPPERCASE;
    return style;
}

}  // namespace

bool CreateRegisterControls(HWND parent, HINSTANCE instance, int left) {
    for (int index = 0; index < kFieldWindowCount; ++index) {
        const ControlRect r = FieldRect(index);
        HWND field = CreateWindowExA(0, "EDIT", "", FieldStyle(index), left + r.x, r.y, r.width,
                                     r.height, parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstFieldId + index)),
                                     instance, nullptr);
        if (!field) return false;
        g_hFieldWindows[index] = field;
        if (index < kRowFieldCount && index % MAX_FLD == RECONCILE_FLD) {
            SendMessageA(field, EM_LIMITTEXT, 1, 0);
        }
    }
    const ControlRect s = kScrollBarRect;
    g_hScrollBar = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_VERT, left + s.x, s.y,
                                   s.width, s.height, parent, nullptr, instance, nullptr);
    if (!g_hScrollBar) return false;
    SetScrollRange(g_hScrollBar, SB_CTL, 0, 0, FALSE);
    SetScrollPos(g_hScrollBar, SB_CTL, 0, FALSE);
    return true;
}

void MoveRegisterControls(int left) {
    for (int index = 0; index < kFieldWindowCount; ++index) {
        if (!g_hFieldWindows[index]) continue;
        const ControlRect r = FieldRect(index);
        MoveWindow(g_hFieldWindows[index], left + r.x, r.y, r.width, r.height, TRUE);
    }
    if (g_hScrollBar) {
        const ControlRect s = kScrollBarRect;
        MoveWindow(g_hScrollBar, left + s.x, s.y, s.width, s.height, TRUE);
    }
}
