// Real windows for the framework tests: a top-level window class that
// records every message it gets, and message pumping without sleeps.
#pragma once

#include <windows.h>

#include <vector>

namespace ui_test {

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// What a recorder window has seen; it answers WM_NOTIFY with notifyResult.
struct Recorder {
    std::vector<RecordedMessage> messages;
    LRESULT notifyResult = 0;

    int Count(UINT message) const {
        int count = 0;
        for (const auto& m : messages) count += m.message == message;
        return count;
    }
    const RecordedMessage* Last(UINT message) const {
        for (auto it = messages.rbegin(); it != messages.rend(); ++it) {
            if (it->message == message) return &*it;
        }
        return nullptr;
    }
};

inline LRESULT CALLBACK RecorderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* recorder = reinterpret_cast<Recorder*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (recorder) {
        recorder->messages.push_back({message, wParam, lParam});
        if (message == WM_NOTIFY) return recorder->notifyResult;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

inline const char* RecorderClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = RecorderProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "UiTestRecorder";
        RegisterClassA(&wc);
        return "UiTestRecorder";
    }();
    return name;
}

// A hidden top-level window whose messages go to the recorder.
inline HWND CreateRecorderWindow(Recorder* recorder, DWORD style = WS_OVERLAPPEDWINDOW) {
    return CreateWindowExA(0, RecorderClass(), "recorder", style, 10, 10, 300, 200, nullptr, nullptr,
                           GetModuleHandleA(nullptr), recorder);
}

// Handles everything already queued for this thread.
inline void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Destroys a window at the end of a test if it still exists.
class ScopedWindow {
public:
    explicit ScopedWindow(HWND hwnd) : m_hwnd(hwnd) {}
    ~ScopedWindow() {
        if (m_hwnd && IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
    }
    ScopedWindow(const ScopedWindow&) = delete;
    ScopedWindow& operator=(const ScopedWindow&) = delete;
    HWND get() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

// Notes the windows that DestroyWindow takes down on this thread while it
// lives (the system's own helper windows included).
class DestroyCounter {
public:
    DestroyCounter() {
        s_destroyed.clear();
        m_hook = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    ~DestroyCounter() {
        if (m_hook) UnhookWindowsHookEx(m_hook);
    }
    DestroyCounter(const DestroyCounter&) = delete;
    DestroyCounter& operator=(const DestroyCounter&) = delete;
    bool Hooked() const { return m_hook != nullptr; }
    int Count(HWND hwnd) const {
        int count = 0;
        for (HWND destroyed : s_destroyed) count += destroyed == hwnd;
        return count;
    }
    int Total() const { return static_cast<int>(s_destroyed.size()); }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_DESTROYWND) s_destroyed.push_back(reinterpret_cast<HWND>(wParam));
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline std::vector<HWND> s_destroyed;
    HHOOK m_hook;
};

}  // namespace ui_test
