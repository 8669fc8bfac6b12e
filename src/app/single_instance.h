// Only one copy of Ledgerpad runs at a time. A named mutex tells a second
// copy that the first exists; a window handle in a data section shared by
// every running copy tells it which window to bring forward. A second
// mutex of the same name in the global namespace, held by every copy in
// every user's session, tells the installer that a copy runs somewhere.
#pragma once

#include <windows.h>

// Owns the mutex handle for the life of the process.
class SingleInstanceGuard {
public:
    SingleInstanceGuard() = default;
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // Creates (or opens) the mutex named className + suffix. True when
    // this is the only running copy, false when another copy runs; in that case
    // the other copy's main window, once it exists, is restored and brought
    // to the foreground (or the dialog it shows, when it shows one). The
    // first copy also holds "Global\" + the same name.
    bool IsFirstInstance(const char* className, const char* suffix);

private:
    HANDLE m_Mutex = nullptr;
    HANDLE m_GlobalMarker = nullptr;
};

// The main window of the first running copy, or null before it exists.
HWND GetSharedMainWindow();
void SetSharedMainWindow(HWND hwnd);
