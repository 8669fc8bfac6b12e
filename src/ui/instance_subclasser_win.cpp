#include "ui/instance_subclasser.h"

#include <cstdint>

#include "base/log.h"

namespace {

// The previous procedure, or nullptr when the window refused the new one.
WNDPROC InstallProcedure(HWND hwnd, WNDPROC procedure) {
    SetLastError(0);
    LONG_PTR previous = SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    if (previous == 0 && GetLastError() != 0) return nullptr;
    return reinterpret_cast<WNDPROC>(previous);
}

int LogHandle(HWND hwnd) { return static_cast<int>(reinterpret_cast<std::intptr_t>(hwnd)); }

}  // namespace

bool InstanceSubclasser::Subclass(HWND hwnd, WNDPROC procedure, void* object) {
    if (m_wndProcSaved.count(hwnd)) {
        m_objects[hwnd] = object;
        return true;
    }
    WNDPROC previous = InstallProcedure(hwnd, procedure);
    if (!previous) {
        WriteLog("InstanceSubclasser::Subclass: SetWindowLongPtr failed hWnd %i error %lu", LogHandle(hwnd),
                 GetLastError());
        return false;
    }
    m_objects[hwnd] = object;
    m_wndProcSaved[hwnd] = previous;
    return true;
}

LRESULT InstanceSubclasser::CallOldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto saved = m_wndProcSaved.find(hwnd);
    if (saved == m_wndProcSaved.end()) {
        WriteLog("InstanceSubclasser::CallOldProc: No m_wndProcSaved hWnd %i", LogHandle(hwnd));
        return 0;
    }
    WNDPROC previous = saved->second;
    if (message == WM_DESTROY || message == WM_NCDESTROY) Unsubclass(hwnd);
    return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

bool InstanceSubclasser::Unsubclass(HWND hwnd) {
    auto saved = m_wndProcSaved.find(hwnd);
    if (saved == m_wndProcSaved.end()) return false;
    if (!InstallProcedure(hwnd, saved->second)) {
        WriteLog("InstanceSubclasser::Unsubclass: SetWindowLongPtr failed hWnd %i error %lu", LogHandle(hwnd),
                 GetLastError());
        return false;
    }
    m_wndProcSaved.erase(saved);
    m_objects.erase(hwnd);
    return true;
}

void* InstanceSubclasser::Lookup(HWND hwnd) const {
    auto found = m_objects.find(hwnd);
    return found == m_objects.end() ? nullptr : found->second;
}

InstanceSubclasser& SharedSubclasser() {
    static InstanceSubclasser subclasser;
    return subclasser;
}
