#include "driver.h"

#include <algorithm>
#include <cstdio>
#include <thread>

namespace e2e {
namespace {

constexpr Duration kPollInterval = 10ms;
constexpr UINT kSendTimeoutMs = 5000;
constexpr LRESULT kMaxTextLength = 1 << 16;

bool Matches(const char* wanted, const std::string& actual) { return !wanted || actual == wanted; }

struct WindowQuery {
    DWORD pid;
    const char* cls;
    const char* caption;
    bool includeHidden;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    auto* query = reinterpret_cast<WindowQuery*>(param);
    if (query->pid && ProcessOf(window) != query->pid) return TRUE;
    if (!query->includeHidden && !IsWindowVisible(window)) return TRUE;
    if (!Matches(query->cls, ClassName(window))) return TRUE;
    if (query->caption && !Matches(query->caption, WindowText(window))) return TRUE;
    query->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

// Keys whose scan codes carry the extended flag on a real keyboard; the
// program sees them as such in WM_KEYDOWN's lParam.
bool IsExtendedKey(WORD key) {
    switch (key) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_RMENU: case VK_RCONTROL: case VK_DIVIDE:
        return true;
    default:
        return false;
    }
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

void AddChord(std::vector<INPUT>& inputs, WORD key, const std::vector<WORD>& modifiers) {
    for (WORD m : modifiers) inputs.push_back(KeyInput(m, false));
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) inputs.push_back(KeyInput(*m, true));
}

void AddUnicode(std::vector<INPUT>& inputs, wchar_t c) {
    for (bool up : {false, true}) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = c;
        input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
        inputs.push_back(input);
    }
}

bool Send(std::vector<INPUT>& inputs) {
    if (inputs.empty()) return true;
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent == inputs.size()) return true;
    std::fprintf(stderr, "%u of %zu inputs sent (error %lu)\n", sent, inputs.size(), GetLastError());
    return false;
}

bool HasUpdateRegion(HWND window) { return IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE); }

// True while a visible window of the process, or one of its controls, waits
// to be painted.
bool NeedsPainting(DWORD pid) {
    for (HWND top : TopLevelWindows(pid)) {
        if (HasUpdateRegion(top)) return true;
        for (HWND child : ChildWindows(top))
            if (HasUpdateRegion(child)) return true;
    }
    return false;
}

// Class "caption" (and #id for a control) of a window, for the lines a
// failed step prints.
std::string Named(HWND window) {
    if (!window) return "(none)";
    std::string name = ClassName(window) + " \"" + WindowText(window) + "\"";
    if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) name += " #" + std::to_string(GetDlgCtrlID(window) & 0xFFFF);
    return name;
}

std::string FolderOf(const std::string& path) {
    size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

}  // namespace

Settings& GetSettings() {
    static Settings settings;
    return settings;
}

std::string ToWindowsPath(std::string path) {
    bool fromLinux = !path.empty() && path[0] == '/';
    std::replace(path.begin(), path.end(), '/', '\\');
    return fromLinux ? "Z:" + path : path;
}

bool WaitUntil(const std::function<bool()>& done, Duration timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kPollInterval);
    }
}

// ---- Windows of any process ---------------------------------------------------

std::string ClassName(HWND window) {
    char name[256] = {};
    int n = GetClassNameA(window, name, sizeof name);
    return std::string(name, n > 0 ? n : 0);
}

std::string WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length))
        return {};
    length = std::min<DWORD_PTR>(length, kMaxTextLength);
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied))
        return {};
    text.resize(std::min<size_t>(copied, length));
    return text;
}

std::string WindowTextUtf8(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length))
        return {};
    length = std::min<DWORD_PTR>(length, kMaxTextLength);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied))
        return {};
    text.resize(std::min<size_t>(copied, length));
    return Utf8(text.c_str());
}

bool SetWindowTextUtf8(HWND window, const std::string& text) {
    return SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str())) != FALSE;
}

std::string ControlText(HWND parent, int id) {
    HWND control = GetDlgItem(parent, id);
    return control ? WindowText(control) : std::string();
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

DWORD ProcessOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::vector<HWND> TopLevelWindows(DWORD pid, const char* cls, const char* caption, bool includeHidden) {
    WindowQuery query{pid, cls, caption, includeHidden, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND FindTopLevel(DWORD pid, const char* cls, const char* caption) {
    std::vector<HWND> found = TopLevelWindows(pid, cls, caption);
    return found.empty() ? nullptr : found.front();
}

std::optional<MessageBoxText> ReadMessageBox(HWND box) {
    if (!IsWindow(box) || ClassName(box) != kDialogClass) return std::nullopt;
    for (HWND child : ChildWindows(box)) {
        // The id is a WORD in the dialog template; compare its low 16 bits.
        if ((GetDlgCtrlID(child) & 0xFFFF) == kMessageBoxTextId && ClassName(child) == "Static")
            return MessageBoxText{WindowText(box), WindowText(child), WindowTextUtf8(child)};
    }
    return std::nullopt;
}

bool ClickButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    return button && PostMessageA(button, BM_CLICK, 0, 0);
}

bool PostCommand(HWND window, int command) {
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

// ---- Keyboard -------------------------------------------------------------------

HWND FocusedWindow(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

namespace {

constexpr int kFocusTries = 10;

// Puts `control`'s top-level window in front and gives `control` the focus,
// until the foreground is that window and the focus its thread then holds
// passes `arrived`. Asked again now and then: a window can lose the
// foreground on its way there, as a user's click can miss.
bool PutInFront(HWND control, const std::function<bool(HWND)>& arrived) {
    HWND top = GetAncestor(control, GA_ROOT);
    DWORD target = GetWindowThreadProcessId(control, nullptr);
    DWORD self = GetCurrentThreadId();
    if (!top || !target) return false;
    for (int tries = 0; tries < kFocusTries; ++tries) {
        // Sharing the program's input state for a moment lets this thread
        // set the foreground window and the focus of another process's thread.
        bool attached = target != self && AttachThreadInput(self, target, TRUE);
        SetForegroundWindow(top);
        SetFocus(control);
        if (attached) AttachThreadInput(self, target, FALSE);
        if (WaitUntil([&] { return GetForegroundWindow() == top && arrived(FocusedWindow(control)); },
                      kTimeout / kFocusTries))
            return true;
    }
    std::fprintf(stderr, "focus not given to %s: the foreground is %s, the focus %s\n", Named(control).c_str(),
                 Named(GetForegroundWindow()).c_str(), Named(FocusedWindow(control)).c_str());
    return false;
}

}  // namespace

bool FocusControl(HWND control) {
    return PutInFront(control, [control](HWND focus) { return focus == control; });
}

bool Activate(HWND top) {
    HWND focus = FocusedWindow(top);
    if (focus && GetAncestor(focus, GA_ROOT) == top) return FocusControl(focus);
    // Out of the foreground, the program's thread has no focus; brought
    // back, the window gives it to the control it keeps (the main window to
    // the register's current field), not to itself.
    return PutInFront(top, [top](HWND focus) { return focus && GetAncestor(focus, GA_ROOT) == top; });
}

bool PressKey(WORD key, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    AddChord(inputs, key, std::vector<WORD>(modifiers));
    return Send(inputs);
}

bool TypeText(std::string_view text) {
    std::vector<INPUT> inputs;
    for (char c : text) {
        if (c == '\n') {
            AddChord(inputs, VK_RETURN, {});
            continue;
        }
        SHORT scan = VkKeyScanA(c);
        // Characters needing Ctrl or Alt on this layout go as characters.
        if (scan != -1 && (HIBYTE(scan) & ~1) == 0) {
            std::vector<WORD> shift;
            if (HIBYTE(scan) & 1) shift.push_back(VK_SHIFT);
            AddChord(inputs, LOBYTE(scan), shift);
        } else {
            AddUnicode(inputs, static_cast<wchar_t>(static_cast<unsigned char>(c)));
        }
    }
    return Send(inputs);
}

// ---- The program under test -------------------------------------------------------

Program::~Program() {
    if (Running()) Kill();
}

bool Program::Launch() {
    // The program may lie in a folder named outside the code page (a copy in
    // the user's temporary folder): its path goes through the wide call.
    std::string exe = ToWindowsPath(GetSettings().program);
    std::wstring commandLine = Wide("\"" + exe + "\"");
    std::wstring folder = Wide(FolderOf(exe));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(Wide(exe).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        return false;
    process_.reset(info.hProcess);
    thread_.reset(info.hThread);
    pid_ = info.dwProcessId;
    main_ = nullptr;
    return true;
}

bool Program::Start(Duration timeout) { return Launch() && WaitForMainWindow(timeout); }

HWND Program::WaitForMainWindow(Duration timeout) {
    WaitUntil(
        [&] {
            main_ = Find(kMainClass);
            return main_ || !Running();
        },
        timeout);
    return main_;
}

bool Program::Running() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

bool Program::WaitForExit(Duration timeout) {
    return process_ && WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

std::optional<DWORD> Program::ExitCode() const {
    DWORD code = 0;
    if (!process_ || Running() || !GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
    return code;
}

bool Program::Stop(Duration timeout) {
    if (!Running()) return true;
    HWND main = main_ && IsWindow(main_) ? main_ : Find(kMainClass);
    if (main) PostMessageA(main, WM_CLOSE, 0, 0);
    if (main && WaitForExit(timeout)) return true;
    Kill();
    return false;
}

void Program::Kill() {
    if (!process_) return;
    TerminateProcess(process_.get(), 1);
    WaitForExit(kTimeout);
}

bool Program::WaitIdle(Duration timeout) const {
    if (!Running()) return false;
    const auto ms = static_cast<UINT>(timeout.count());
    // Start-up: the first time the program waits for input.
    if (WaitForInputIdle(process_.get(), ms) != 0) return false;
    // A sent message is answered only from a message loop, after the
    // message being handled now; painting comes after sent messages, so
    // the windows' update regions are watched as well.
    bool answered = false;
    if (WaitUntil(
            [&] {
                DWORD_PTR ignored;
                answered = !main_ || SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, ms, &ignored);
                return answered && !NeedsPainting(pid_);
            },
            timeout))
        return true;
    std::fprintf(stderr, "the program did not settle: %s\n",
                 !Running() ? "it ended" : !answered ? "its window did not answer" : "a window waits to be painted");
    return false;
}

HWND Program::Find(const char* cls, const char* caption) const {
    return pid_ ? FindTopLevel(pid_, cls, caption) : nullptr;
}

HWND Program::WaitForWindow(const char* cls, const char* caption, Duration timeout) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = Find(cls, caption);
            return found || !Running();
        },
        timeout);
    return found;
}

HWND Program::WaitForDialog(const char* caption, Duration timeout) const {
    return WaitForWindow(kDialogClass, caption, timeout);
}

std::string Program::DescribeWindows() const {
    std::string text;
    for (HWND window : TopLevelWindows(pid_, nullptr, nullptr, true)) {
        text += ClassName(window) + " \"" + WindowText(window) + "\"" +
                (IsWindowVisible(window) ? "" : " (hidden)") + "\n";
    }
    return text.empty() ? "(no windows)\n" : text;
}

}  // namespace e2e
