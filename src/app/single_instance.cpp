#include "app/single_instance.h"

#include <sddl.h>

#include <cstdio>

#include "base/log.h"
#include "base/wide_path_win.h"

namespace {

// Every running copy of the exe maps this section to the same memory. The
// handle is kept as 32 bits: window handles fit, and the slot stays 4 bytes
// whatever the pointer size.
__attribute__((section(".shared"), shared)) volatile ULONG g_SharedMainWindow = 0;

constexpr size_t kMutexNameSize = 128;

// Every copy in every session holds the global mutex, and the installer
// (running as an administrator) must be able to open it: anyone may wait on
// it, and that is all anyone may do. A copy that finds it made by another
// user's copy opens it with that right alone, so that the name lives while
// any copy runs.
constexpr wchar_t kGlobalMarkerAccess[] = L"D:(A;;0x00100000;;;WD)";

HANDLE HoldGlobalMarker(const char* name) {
    const std::wstring wide = L"Global\\" + WidePath(name);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kGlobalMarkerAccess, SDDL_REVISION_1,
                                                              &attributes.lpSecurityDescriptor, nullptr))
        attributes.lpSecurityDescriptor = nullptr;
    HANDLE marker = CreateMutexExW(&attributes, wide.c_str(), 0, SYNCHRONIZE);
    if (!marker) WriteLog("SingleInstanceGuard: global mutex error %lu", GetLastError());
    LocalFree(attributes.lpSecurityDescriptor);
    return marker;
}

}  // namespace

HWND GetSharedMainWindow() {
    return static_cast<HWND>(ULongToHandle(g_SharedMainWindow));
}

void SetSharedMainWindow(HWND hwnd) {
    g_SharedMainWindow = HandleToULong(hwnd);
}

SingleInstanceGuard::~SingleInstanceGuard() {
    if (m_Mutex) CloseHandle(m_Mutex);
    if (m_GlobalMarker) CloseHandle(m_GlobalMarker);
}

bool SingleInstanceGuard::IsFirstInstance(const char* className, const char* suffix) {
    char name[kMutexNameSize];
    std::snprintf(name, sizeof name, "%s%s", className, suffix);
    m_Mutex = CreateMutexA(nullptr, TRUE, name);
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    // Only the name matters: ownership is given back at once, the handle
    // stays open so that the name lives as long as this copy.
    if (m_Mutex) ReleaseMutex(m_Mutex);
    if (!existed) {
        m_GlobalMarker = HoldGlobalMarker(name);
        return true;
    }

    HWND other = GetSharedMainWindow();
    if (!other) return false;
    if (IsIconic(other)) ShowWindow(other, SW_RESTORE);
    // While the other copy shows a dialog (the start screen, a message),
    // the dialog is what the user has to answer: it comes forward, and the
    // main window stays disabled behind it so that no command can run in
    // the middle of the dialog. Without a dialog a main window that was
    // left disabled is enabled again.
    HWND popup = GetLastActivePopup(other);
    if (popup && popup != other && IsWindowEnabled(popup)) {
        SetForegroundWindow(popup);
    } else {
        SetForegroundWindow(other);
        EnableWindow(other, TRUE);
    }
    const int handle = static_cast<int>(HandleToULong(other));
    WriteLog("hOther %i  hGlobal %i", handle, handle);
    return false;
}
