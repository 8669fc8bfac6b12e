// The end-to-end driver: runs the real Ledgerpad.exe in its own process and
// works it from outside, as a user would. Windows are found by class and
// caption, texts are read with WM_GETTEXT, buttons and menu commands are
// posted, keys are typed with SendInput. Every wait polls a condition with a
// deadline; nothing relies on a fixed sleep.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data_folders.h"
#include "screenshot.h"
#include "settings.h"
#include "unique_handle.h"

namespace e2e {

using namespace std::chrono_literals;
using Duration = std::chrono::milliseconds;

inline constexpr char kMainClass[] = "LedgerClass";
inline constexpr char kMainTitle[] = "Ledgerpad";
inline constexpr char kDialogClass[] = "#32770";  // dialogs and message boxes
inline constexpr int kMessageBoxTextId = 0xFFFF;  // the text of a message box

// Generous deadlines: two cores are shared by builds, Wine and the program.
inline constexpr Duration kStartTimeout = 30s;
inline constexpr Duration kTimeout = 10s;

// Polls `done` until it returns true or `timeout` passes; true when it held.
bool WaitUntil(const std::function<bool()>& done, Duration timeout = kTimeout);

// ---- Windows of any process -------------------------------------------------

std::string ClassName(HWND window);
// The window's text through WM_GETTEXT, so that it works across processes.
std::string WindowText(HWND window);
std::string ControlText(HWND parent, int id);
// The same through the wide calls, as UTF-8: texts that name a path in any
// script (the program's own texts are single-byte and read the same).
std::string WindowTextUtf8(HWND window);
bool SetWindowTextUtf8(HWND window, const std::string& text);
std::vector<HWND> ChildWindows(HWND parent);
DWORD ProcessOf(HWND window);

// Top-level windows of process `pid` (0: any process) whose class and caption
// match; a null class or caption matches any. Hidden windows only on request.
std::vector<HWND> TopLevelWindows(DWORD pid, const char* cls = nullptr, const char* caption = nullptr,
                                  bool includeHidden = false);
HWND FindTopLevel(DWORD pid, const char* cls, const char* caption = nullptr);

struct MessageBoxText {
    std::string caption;
    std::string text;
    std::string textUtf8;  // read through the wide calls: a path in it keeps its characters
};
// The caption and text of a message box; nothing when `box` is not one.
std::optional<MessageBoxText> ReadMessageBox(HWND box);

// Posts BM_CLICK to the button `id` of `dialog`; false when there is none.
bool ClickButton(HWND dialog, int id);
// Posts a menu or accelerator command, as choosing it would.
bool PostCommand(HWND window, int command);

// ---- Keyboard -----------------------------------------------------------------

// Makes `control`'s top-level window the foreground window and gives
// `control` the keyboard focus; true once both hold.
bool FocusControl(HWND control);
// Makes `top` the foreground window with the keyboard focus where its
// program keeps it: the control focused in it, or where the window puts
// the focus when it gets it.
bool Activate(HWND top);
// The window that has the keyboard focus in the thread of `window`.
HWND FocusedWindow(HWND window);
// Presses and releases `key` while holding `modifiers` (VK_SHIFT, VK_CONTROL,
// VK_MENU), through the system's input queue.
bool PressKey(WORD key, std::initializer_list<WORD> modifiers = {});
// Types `text` key by key: characters of the keyboard layout as their real
// keys (with Shift where needed), '\n' as Enter, '\t' as Tab, others as
// Unicode characters.
bool TypeText(std::string_view text);

// ---- The program under test -----------------------------------------------------

class Program {
public:
    Program() = default;
    ~Program();  // a copy still running is ended by force
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts Ledgerpad.exe from its own folder without waiting for anything.
    bool Launch();
    // Launches and waits for the main window; false when it did not appear.
    bool Start(Duration timeout = kStartTimeout);
    // Waits for the visible main window; null when the process ended first
    // or the deadline passed.
    HWND WaitForMainWindow(Duration timeout = kStartTimeout);

    HWND MainWindow() const { return main_; }
    DWORD Id() const { return pid_; }
    HANDLE Handle() const { return process_.get(); }
    bool Running() const;
    bool WaitForExit(Duration timeout = kTimeout);
    // The exit code once the process has ended.
    std::optional<DWORD> ExitCode() const;

    // Closes the main window (WM_CLOSE) and waits for the process to end; a
    // process still running at the deadline is ended by force. True when it
    // ended on its own.
    bool Stop(Duration timeout = kTimeout);
    void Kill();
    // True once the program has answered a message sent to its main window,
    // that is, it is back in a message loop (the main one or a modal one)
    // with its painting done. Typed keys may still wait in its queue (sent
    // messages go first): wait for what the keys do instead, and to check
    // that a key was ignored, type a key with a visible effect after it and
    // wait for that effect.
    bool WaitIdle(Duration timeout = kTimeout) const;

    // Windows of this process.
    HWND Find(const char* cls, const char* caption = nullptr) const;
    HWND WaitForWindow(const char* cls, const char* caption = nullptr, Duration timeout = kTimeout) const;
    HWND WaitForDialog(const char* caption = nullptr, Duration timeout = kTimeout) const;
    // Every top-level window of the process, for failure messages.
    std::string DescribeWindows() const;

private:
    UniqueHandle process_;
    UniqueHandle thread_;
    DWORD pid_ = 0;
    HWND main_ = nullptr;
};

}  // namespace e2e
