// Ties one existing window to one object: Attach subclasses the window, and
// its messages become calls of the virtual operations below. A derived class
// handles a message by overriding one operation; keys and characters can be
// filtered by returning another code from OnKeyDown or OnChar.
#pragma once

#include <windows.h>

class WindowBaseClass {
public:
    WindowBaseClass() = default;
    WindowBaseClass(const WindowBaseClass&) = delete;
    WindowBaseClass& operator=(const WindowBaseClass&) = delete;

    // The virtual operations, in the order of the virtual table.

    // Destroys the window if it still exists and still belongs to this object.
    virtual ~WindowBaseClass();
    // The dispatcher: calls the operation the message names, then passes the
    // message on to the window's previous procedure (WM_NOTIFY excepted).
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void SetFocus();
    virtual void onSettingChange(const char* section);
    virtual void OnPaint(WPARAM wParam);
    virtual void OnDestroy();
    virtual void OnCommand(int id, HWND hwndCtl, UINT codeNotify);
    // Its result is the result of the WM_NOTIFY; the default asks the
    // previous procedure.
    virtual LRESULT OnNotify(WPARAM idCtrl, LPARAM pnmh);
    virtual void OnLButtonDown(int fDoubleClick, int x, int y, UINT keyFlags);
    virtual void OnSysColorChange();
    // Part of the interface; the dispatcher does not call it.
    virtual void OnTimer(UINT id);
    virtual void OnSetFocus();
    virtual void OnKillFocus();
    // The returned character or key goes on to the previous procedure.
    virtual unsigned char OnChar(unsigned char ch, LPARAM lParam);
    virtual unsigned char OnKeyDown(unsigned char vk, LPARAM lParam);

    // Subclasses the window and records it; nothing happens when hwnd is not
    // a window. True when the object is attached afterwards.
    bool Attach(HWND hwnd);

    HWND GetHwnd() const { return m_hwnd; }

protected:
    // The previous procedure's answer to a message.
    LRESULT CallOldProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // The one procedure installed on every attached window.
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
};
