// The registry that ties a window to the object behind it: Subclass puts a
// new window procedure on an existing window and remembers both the object
// and the procedure it replaced, so the new procedure can find its object
// and hand messages on.
#pragma once

#include <windows.h>

#include <map>

class InstanceSubclasser {
public:
    // Records the object for the window and installs the procedure. A window
    // that is already registered keeps its first saved procedure (saving our
    // own procedure as the "previous" one would make it call itself) and only
    // gets the new object. False, with nothing recorded, when the window
    // refuses the procedure.
    bool Subclass(HWND hwnd, WNDPROC procedure, void* object);

    // Calls the saved procedure and returns its result. WM_DESTROY and
    // WM_NCDESTROY first unsubclass the window, so the destroyed window
    // leaves nothing behind. Without a saved procedure: logs and returns 0.
    LRESULT CallOldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Puts the saved procedure back and forgets the window. False, keeping
    // the entries, when the window is unknown or refuses the procedure.
    bool Unsubclass(HWND hwnd);

    // The object registered for the window, or nullptr.
    void* Lookup(HWND hwnd) const;

private:
    std::map<HWND, void*> m_objects;
    std::map<HWND, WNDPROC> m_wndProcSaved;
};

// The one registry shared by every window of the program.
InstanceSubclasser& SharedSubclasser();
