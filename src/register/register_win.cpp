// Painting the register panel and the events the main window hands over.
#include <windows.h>

#include "register/multi_records.h"
#include "register/register.h"
#include "register/register_panel.h"

namespace {

COLORREF ToColorRef(PanelColor c) { return RGB(c.red, c.green, c.blue); }

// A pen selected into a DC for one scope.
class ScopedPen {
public:
    ScopedPen(HDC dc, PanelColor color) : m_dc(dc), m_pen(CreatePen(PS_SOLID, 1, ToColorRef(color))) {
        if (m_pen) m_old = SelectObject(dc, m_pen);
    }
    ~ScopedPen() {
        if (m_old) SelectObject(m_dc, m_old);
        if (m_pen) DeleteObject(m_pen);
    }
    ScopedPen(const ScopedPen&) = delete;
    ScopedPen& operator=(const ScopedPen&) = delete;

private:
    HDC m_dc;
    HPEN m_pen;
    HGDIOBJ m_old = nullptr;
};

}  // namespace

void DrawRegisterFrame(HDC dc, int left, int width) {
    for (const PanelStroke& stroke : FrameStrokes(left, width)) {
        ScopedPen pen(dc, stroke.color);
        POINT points[5];
        for (int i = 0; i < stroke.count; ++i) points[i] = {stroke.points[i].x, stroke.points[i].y};
        Polyline(dc, points, stroke.count);
    }
}

void DrawRegisterHeaders(HDC dc, int left) {
    const COLORREF oldBackground = SetBkColor(dc, ToColorRef(kPanelTextBackground));
    const int oldMode = SetBkMode(dc, OPAQUE);
    for (const PanelText& text : kPanelTexts) {
        RECT rect = {left + text.left, text.top, left + text.right, text.bottom};
        const UINT align = text.align == FieldAlign::Right ? DT_RIGHT : DT_CENTER;
        DrawTextA(dc, text.text, -1, &rect, DT_SINGLELINE | DT_VCENTER | align);
    }
    SetBkMode(dc, oldMode);
    SetBkColor(dc, oldBackground);
}

void ScrollRegister(WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
        case SB_LINEUP: g_MultiRecords.ScrollBarKey(kKeyUp); break;
        case SB_LINEDOWN: g_MultiRecords.ScrollBarKey(kKeyDown); break;
        case SB_PAGEUP: g_MultiRecords.ScrollBarKey(kKeyPageUp); break;
        case SB_PAGEDOWN: g_MultiRecords.ScrollBarKey(kKeyPageDown); break;
        case SB_THUMBPOSITION: {
            // The message carries 16 bits of the position; the scroll bar
            // itself knows the whole position of a longer account.
            int position = HIWORD(wParam);
            int low = 0, high = 0;
            SCROLLINFO info = {};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            if (g_hScrollBar && GetScrollRange(g_hScrollBar, SB_CTL, &low, &high) && high > 0xFFFF &&
                GetScrollInfo(g_hScrollBar, SB_CTL, &info))
                position = info.nTrackPos;
            g_MultiRecords.ThumbDrop(position);
            break;
        }
        default: break;  // thumb tracking and the rest change nothing
    }
}

void InsertDate() {
    eventMsg ev;
    ev.m_Type = INSERTDATE;
    g_MultiRecords.HandleEvent(ev);
}
