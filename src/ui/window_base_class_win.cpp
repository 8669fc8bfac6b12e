#include "ui/window_base_class.h"

#include <windowsx.h>

#include <cstdint>

#include "base/log.h"
#include "ui/instance_subclasser.h"

namespace {

int LogHandle(HWND hwnd) { return static_cast<int>(reinterpret_cast<std::intptr_t>(hwnd)); }

}  // namespace

WindowBaseClass::~WindowBaseClass() {
    // A window that was destroyed meanwhile has left the registry; checking
    // the registry as well as IsWindow keeps a reused handle from taking an
    // unrelated window down with this object.
    InstanceSubclasser& subclasser = SharedSubclasser();
    if (m_hwnd && IsWindow(m_hwnd) && subclasser.Lookup(m_hwnd) == this) {
        DestroyWindow(m_hwnd);
        // A window that could not be destroyed must not keep calling into a
        // dead object.
        if (subclasser.Lookup(m_hwnd) == this) subclasser.Unsubclass(m_hwnd);
        m_hwnd = nullptr;
    }
}

bool WindowBaseClass::Attach(HWND hwnd) {
    if (!IsWindow(hwnd)) return false;
    if (!SharedSubclasser().Subclass(hwnd, SubclassProc, this)) return false;
    m_hwnd = hwnd;
    return true;
}

LRESULT CALLBACK WindowBaseClass::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    InstanceSubclasser& subclasser = SharedSubclasser();
    auto* object = static_cast<WindowBaseClass*>(subclasser.Lookup(hwnd));
    if (!object) {
        WriteLog("WindowBaseClass::SubclassProc: no object for hWnd %i", LogHandle(hwnd));
        return subclasser.CallOldProc(hwnd, message, wParam, lParam);
    }
    return object->WindowProc(message, wParam, lParam);
}

LRESULT WindowBaseClass::CallOldProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return SharedSubclasser().CallOldProc(m_hwnd, message, wParam, lParam);
}

LRESULT WindowBaseClass::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_SETFOCUS:
        OnSetFocus();
        break;
    case WM_KILLFOCUS:
        OnKillFocus();
        break;
    case WM_PAINT:
        OnPaint(wParam);
        break;
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        break;
    case WM_SETTINGCHANGE:
        onSettingChange(reinterpret_cast<const char*>(lParam));
        break;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnLButtonDown(message == WM_LBUTTONDBLCLK ? 1 : 0, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
                      static_cast<UINT>(wParam));
        break;
    case WM_KEYDOWN:
        wParam = OnKeyDown(static_cast<unsigned char>(wParam & 0xFF), lParam);
        break;
    case WM_CHAR:
        wParam = OnChar(static_cast<unsigned char>(wParam & 0xFF), lParam);
        break;
    case WM_NOTIFY:
        return OnNotify(wParam, lParam);
    default:
        break;
    }
    return CallOldProc(message, wParam, lParam);
}

void WindowBaseClass::SetFocus() { ::SetFocus(m_hwnd); }

void WindowBaseClass::onSettingChange(const char* section) {
    WriteLog("WindowBaseClass::onSettingChange: pszSection %s", section ? section : "");
}

void WindowBaseClass::OnPaint(WPARAM) {}

void WindowBaseClass::OnDestroy() {}

void WindowBaseClass::OnCommand(int, HWND, UINT) {}

LRESULT WindowBaseClass::OnNotify(WPARAM idCtrl, LPARAM pnmh) {
    WriteLog("WindowBaseClass::OnNotify: idCtrl %i", static_cast<int>(idCtrl));
    return CallOldProc(WM_NOTIFY, idCtrl, pnmh);
}

void WindowBaseClass::OnLButtonDown(int fDoubleClick, int x, int y, UINT keyFlags) {
    WriteLog("WindowBaseClass::OnLButtonDown: fDoubleClick %i x %i y %i keyFlags %i", fDoubleClick, x, y,
             static_cast<int>(keyFlags));
}

void WindowBaseClass::OnSysColorChange() { WriteLog("WindowBaseClass::OnSysColorChange: "); }

void WindowBaseClass::OnTimer(UINT id) { WriteLog("WindowBaseClass::OnTimer: id %i", static_cast<int>(id)); }

void WindowBaseClass::OnSetFocus() { WriteLog("WM_SETFOCUS %i", LogHandle(m_hwnd)); }

void WindowBaseClass::OnKillFocus() { WriteLog("WM_KILLFOCUS %i", LogHandle(m_hwnd)); }

unsigned char WindowBaseClass::OnChar(unsigned char ch, LPARAM) { return ch; }

unsigned char WindowBaseClass::OnKeyDown(unsigned char vk, LPARAM) { return vk; }
