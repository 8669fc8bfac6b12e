// The main window as a user meets it: one running copy, a window that keeps
// its size and remembers where it was moved, the menu, the register's
// controls, the About box and the commands of the shell.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "accounts_helpers.h"
#include "app/commands.h"
#include "program_test.h"
#include "register_helpers.h"
#include "register/register_layout.h"
#include "ui/dialog_ids.h"

namespace e2e {
namespace {

// ---- helpers ---------------------------------------------------------------------

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ") " + std::to_string(Width(r)) + " x " +
           std::to_string(Height(r));
}

// Moves the mouse to screen point (x, y) through the input queue and waits
// until the cursor has stayed there a moment: under a heavy load the
// program's window can report an earlier position of the pointer late, and
// a press sent before that report would land where the pointer was.
bool MouseTo(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    if (SendInput(1, &input, sizeof input) != 1) return false;
    constexpr int kStillPolls = 4;
    int still = 0;
    return WaitUntil(
        [&] {
            POINT at{};
            const bool there = GetCursorPos(&at) && at.x == x && at.y == y;
            still = there ? still + 1 : 0;
            return still >= kStillPolls;
        },
        std::chrono::seconds(3));
}

bool MouseButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    return SendInput(1, &input, sizeof input) == 1;
}

bool InMoveSizeLoop(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && (info.flags & GUI_INMOVESIZE);
}

// A press on the frame that starts the system's move or size loop.
bool PressOnFrame(Program& app, HWND window, POINT at) {
    if (!MouseTo(at.x, at.y) || !MouseButton(true)) return false;
    if (WaitUntil([&] { return InMoveSizeLoop(window); }, std::chrono::seconds(3)) && app.WaitIdle()) return true;
    MouseButton(false);
    return false;
}

// Presses the left button at `from` on `window`'s frame, drags in small
// steps to `to` and lets go, as a hand on the mouse would. The system's move
// or size loop starts with the press and waits for the mouse; the drag goes
// on once it runs and is over when it has ended, so that nothing sent
// afterwards lands inside it. `arrived`, when given, must hold once the
// button has been let go.
bool DragFrame(Program& app, HWND window, POINT from, POINT to, const std::function<bool()>& arrived = {}) {
    constexpr int kSteps = 10;
    // Under a heavy load the system now and then drops a press that came
    // with the move to its point; a second press is what a user would do.
    if (!PressOnFrame(app, window, from) && !(app.WaitIdle() && PressOnFrame(app, window, from))) return false;
    for (int i = 1; i <= kSteps; ++i) {
        if (!MouseTo(from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps)) return false;
    }
    // A move the loop missed is made good by moving again, as a hand would.
    if (arrived && !WaitUntil(arrived, std::chrono::seconds(3)) && !(MouseTo(to.x - 1, to.y) && MouseTo(to.x, to.y)))
        return false;
    // The same for the release: a second one ends a loop that missed the first.
    auto ended = [&] { return !InMoveSizeLoop(window); };
    const bool released = (MouseButton(false) && WaitUntil(ended, std::chrono::seconds(3))) ||
                          (MouseButton(false) && WaitUntil(ended));
    // The system may show the drag as an outline and move the window only
    // when the button is let go.
    return released && (!arrived || WaitUntil(arrived));
}

// A window of the driver's own that takes the foreground from the program.
class OtherWindow {
public:
    OtherWindow() {
        window_ = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "another program", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0,
                                  300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~OtherWindow() {
        if (window_) DestroyWindow(window_);
    }
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;

    HWND get() const { return window_; }
    bool TakeForeground() const {
        SetForegroundWindow(window_);
        return WaitUntil([&] { return GetForegroundWindow() == window_; });
    }

private:
    HWND window_ = nullptr;
};

// The options file at the end of a run: the fields the main window records.
struct SavedOptions {
    int32_t dateFormat;
    int32_t showState;
    int32_t left, top, width, height;
};

constexpr size_t kOptionsFileSize = 813;

std::optional<SavedOptions> ReadSavedOptions() {
    std::optional<std::vector<uint8_t>> bytes = ReadFileBytes(OptionsFolder() + "Options.dta");
    if (!bytes || bytes->size() != kOptionsFileSize) return std::nullopt;
    auto field = [&](size_t offset) {
        int32_t value;
        std::memcpy(&value, bytes->data() + offset, sizeof value);
        return value;
    };
    return SavedOptions{field(4), field(8), field(16), field(20), field(24), field(28)};
}

// The register panel's width, from the metrics.
int PanelWidth() { return 806 - 2 * GetSystemMetrics(SM_CXFRAME); }

constexpr char kAccountName[] = "Household Checking";

class MainWindowTest : public ProgramTest {
protected:
    // Starts the program and creates an account from its start screen, as a
    // new user does; until an account is open the start screen keeps the
    // main window disabled.
    void StartWithAccount() {
        ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
        const std::string failure = accounts::CreateFromStartScreen(app_, kAccountName);
        ASSERT_EQ(failure, "") << app_.DescribeWindows();
        HWND main = app_.MainWindow();
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) && app_.Find(kDialogClass) == nullptr; }))
            << app_.DescribeWindows();
        EXPECT_EQ(WindowText(main), std::string("Ledgerpad - [") + kAccountName + "]");
        ASSERT_TRUE(app_.WaitIdle());
    }
};

// ---- one running copy ---------------------------------------------------------------

TEST_F(MainWindowTest, SecondStartBringsTheFirstWindowForwardAndEndsWithZero) {
    ASSERT_NO_FATAL_FAILURE(StartWithAccount());
    HWND first = app_.MainWindow();

    OtherWindow other;
    ASSERT_TRUE(other.get());
    ASSERT_TRUE(other.TakeForeground());
    ASSERT_NE(GetForegroundWindow(), first);

    Program second;
    ASSERT_TRUE(second.Launch());
    ASSERT_TRUE(second.WaitForExit()) << "the second copy is still running:\n" << second.DescribeWindows();
    EXPECT_EQ(second.ExitCode(), 0u);

    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == first; }))
        << "the first copy's window did not come to the front";
    EXPECT_EQ(TopLevelWindows(0, kMainClass).size(), 1u);
    EXPECT_TRUE(app_.Running());
}

TEST_F(MainWindowTest, SecondStartRestoresTheMinimizedFirstWindow) {
    ASSERT_NO_FATAL_FAILURE(StartWithAccount());
    HWND first = app_.MainWindow();
    ShowWindow(first, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(first) != FALSE; }));

    Program second;
    ASSERT_TRUE(second.Launch());
    ASSERT_TRUE(second.WaitForExit());
    EXPECT_EQ(second.ExitCode(), 0u);

    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(first); })) << "the first window stayed minimized";
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == first; }));
}

// Out of the foreground the program holds no focus; back in front, the
// register field the user was in takes the keys again.
TEST_F(MainWindowTest, BackInFrontTheRegisterFieldTakesTheKeysAgain) {
    ASSERT_NO_FATAL_FAILURE(StartWithAccount());
    ASSERT_EQ(reg::FocusedPlace(app_), (reg::Place{0, reg::Date}));
    OtherWindow other;
    ASSERT_TRUE(other.TakeForeground());

    ASSERT_TRUE(reg::Type(app_, "9/2/26"));
    EXPECT_EQ(reg::FocusedPlace(app_), (reg::Place{0, reg::Date}));
    EXPECT_EQ(reg::FieldText(app_, 0, reg::Date), "9/2/26");
}

// The first copy still shows its start screen: that is what comes forward,
// and the main window stays disabled behind it.
TEST_F(MainWindowTest, SecondStartDuringTheStartScreenBringsTheStartScreenForward) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    HWND start = app_.WaitForDialog("");
    ASSERT_NE(start, nullptr) << app_.DescribeWindows();
    OtherWindow other;
    ASSERT_TRUE(other.TakeForeground());

    Program second;
    ASSERT_TRUE(second.Launch());
    ASSERT_TRUE(second.WaitForExit());
    EXPECT_EQ(second.ExitCode(), 0u);

    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == start; }))
        << "the start screen did not come to the front";
    EXPECT_FALSE(IsWindowEnabled(app_.MainWindow())) << "the main window was enabled under the start screen";
}

// ---- size and position --------------------------------------------------------------

TEST_F(MainWindowTest, FirstStartTakesTheDefaultSizeCentredOnTheScreen) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    const RECT r = WindowRect(app_.MainWindow());

    // A fresh options file says 800 x 600; the panel is centred across, the
    // window's height down.
    EXPECT_EQ(Width(r), 800) << Describe(r);
    EXPECT_EQ(Height(r), 600) << Describe(r);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - PanelWidth()) / 2) << Describe(r);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 600) / 2) << Describe(r);
}

TEST_F(MainWindowTest, DraggingTheFrameDoesNotResizeTheWindow) {
    ASSERT_NO_FATAL_FAILURE(StartWithAccount());
    HWND main = app_.MainWindow();
    ASSERT_TRUE(Activate(main));
    const RECT before = WindowRect(main);

    struct Edge {
        const char* name;
        POINT grip;
        POINT pull;
    };
    // Grips far apart, so that no press counts as a double click; each taken
    // where the frame is when its drag begins.
    using EdgeAt = Edge (*)(const RECT&);
    const EdgeAt edges[] = {
        [](const RECT& r) {
            return Edge{"bottom-right corner outwards", {r.right - 2, r.bottom - 2}, {r.right + 80, r.bottom + 60}};
        },
        [](const RECT& r) {
            return Edge{"top-left corner inwards", {r.left + 2, r.top + 2}, {r.left + 150, r.top + 120}};
        },
        [](const RECT& r) {
            const int midY = (r.top + r.bottom) / 2;
            return Edge{"left edge outwards", {r.left + 1, midY}, {r.left - 70, midY}};
        },
        [](const RECT& r) {
            const int midX = (r.left + r.right) / 2;
            return Edge{"bottom edge inwards", {midX, r.bottom - 2}, {midX, r.bottom - 200}};
        },
    };
    for (EdgeAt edgeAt : edges) {
        const Edge edge = edgeAt(WindowRect(main));
        ASSERT_TRUE(DragFrame(app_, main, edge.grip, edge.pull)) << edge.name;
        ASSERT_TRUE(app_.WaitIdle()) << edge.name;
        const RECT after = WindowRect(main);
        EXPECT_EQ(Width(after), Width(before)) << edge.name << ": " << Describe(after);
        EXPECT_EQ(Height(after), Height(before)) << edge.name << ": " << Describe(after);
    }
}

// The window has no maximize box and no Maximize in its system menu; should
// it be maximized all the same (another program can ask for it), the register stays in one piece in the middle of the screen, and goes
// back to the left edge when the window is restored.
TEST_F(MainWindowTest, RegisterIsCentredWhileMaximizedAndBackWhenRestored) {
    ASSERT_NO_FATAL_FAILURE(StartWithAccount());
    HWND main = app_.MainWindow();
    HWND firstField = GetDlgItem(main, 1130);
    HWND endingBox = GetDlgItem(main, 1264);
    ASSERT_TRUE(firstField && endingBox);
    const int centred = (GetSystemMetrics(SM_CXSCREEN) - PanelWidth()) / 2;

    struct Step {
        const char* name;
        WPARAM command;
        int panelLeft;
    } steps[] = {{"maximized", SC_MAXIMIZE, centred}, {"restored", SC_RESTORE, 0}};
    for (const Step& step : steps) {
        // Sent, not posted: the answer comes once the window has handled it.
        DWORD_PTR ignored;
        ASSERT_TRUE(SendMessageTimeoutA(main, WM_SYSCOMMAND, step.command, 0, SMTO_NORMAL, 10000, &ignored))
            << step.name;
        RECT field = WindowRect(firstField);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&field), 2);
        EXPECT_EQ(field.left, step.panelLeft + 3) << step.name;
        RECT box = WindowRect(endingBox);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&box), 2);
        EXPECT_EQ(box.left, step.panelLeft + 550) << step.name;
    }
}

TEST_F(MainWindowTest, MovingTheWindowIsRecordedInTheOptionsAtExit) {
    ASSERT_NO_FATAL_FAILURE(StartWithAccount());
    HWND main = app_.MainWindow();
    ASSERT_TRUE(Activate(main));
    const RECT before = WindowRect(main);

    // Under a heavy load the system's move loop now and then misses every
    // move of a drag and the window stays put; a user would drag it again,
    // by the caption where it now is.
    bool followed = false;
    for (int attempt = 0; attempt < 3 && !followed; ++attempt) {
        const RECT from = WindowRect(main);
        const int captionMiddle = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
        const POINT grip = {from.left + 60, from.top + captionMiddle};
        const POINT to = {grip.x - 70, grip.y - 50};
        followed = DragFrame(app_, main, grip, to, [&] { return WindowRect(main).left == from.left + to.x - grip.x; });
        ASSERT_TRUE(app_.WaitIdle());
    }
    ASSERT_TRUE(followed) << "the window did not follow the mouse: " << Describe(WindowRect(main));
    const RECT moved = WindowRect(main);
    ASSERT_NE(moved.left, before.left) << "the drag did not move the window: " << Describe(moved);
    EXPECT_EQ(Width(moved), Width(before));
    EXPECT_EQ(Height(moved), Height(before));

    ASSERT_TRUE(app_.Stop());
    EXPECT_EQ(app_.ExitCode(), 0u);
    std::optional<SavedOptions> saved = ReadSavedOptions();
    ASSERT_TRUE(saved) << "no 813-byte options file in " << OptionsFolder();
    EXPECT_EQ(saved->left, moved.left);
    EXPECT_EQ(saved->top, moved.top);
    EXPECT_EQ(saved->width, Width(moved));
    EXPECT_EQ(saved->height, Height(moved));
    EXPECT_EQ(saved->showState, 1);
}

// ---- the menu -------------------------------------------------------------------------

struct MenuEntry {
    std::string text;  // "-" for a separator
    int id;            // 0 for a popup or a separator
    std::vector<MenuEntry> items;
};

MenuEntry Item(const char* text, int id) { return {text, id, {}}; }
MenuEntry Separator() { return {"-", 0, {}}; }
MenuEntry Popup(const char* text, std::vector<MenuEntry> items) { return {text, 0, std::move(items)}; }

std::vector<MenuEntry> ExpectedMenu() {
    return {
        Popup("&File", {Item("Create &New Account...", IDM_CREATE_ACCOUNT),
                        Item("&Open Existing Account...", IDM_OPEN_ACCOUNT), Separator(),
                        Item("&Delete Existing Account...", IDM_DELETE_ACCOUNT),
                        Item("&Rename Open Account...", IDM_RENAME_ACCOUNT), Separator(),
                        Item("&Export Account Data...", IDM_EXPORT),
                        Item("&Import Bank Statement...", IDM_IMPORT), Separator(),
                        Item("&Account Info...", IDM_ACCOUNT_INFO),
                        Item("Restore from &Backup...", IDM_RESTORE_BACKUP), Separator(), Item("&Print...", IDM_PRINT),
                        Separator(), Item("E&xit Ledgerpad", IDM_EXIT)}),
        Popup("&Edit", {Item("&Undo\tCtrl+Z", IDM_UNDO), Item("&Redo\tCtrl+Y", IDM_REDO), Separator(),
                        Item("&New Transaction", IDM_NEW_TRANSACTION),
                        Item("&Delete Transaction", IDM_DELETE_TRANSACTION), Separator(),
                        Item("&Find...\tCtrl+F", IDM_FIND), Separator(), Item("&Insert Date\tAlt+D", IDM_INSERT_DATE),
                        Separator(), Item("&Calculator\tF2", IDM_CALCULATOR), Separator(),
                        Item("&Balance Ledgerpad...", IDM_BALANCE)}),
        Popup("&View", {Item("&Current", IDM_VIEW_CURRENT), Item("&All", IDM_VIEW_ALL), Separator(),
                        Item("&Reports...\tCtrl+R", IDM_REPORTS)}),
        Popup("&Options",
              {Popup("&Date Format", {Item("MM/DD/YY", IDM_DATE_MMDDYY), Item("DD/MM/YY", IDM_DATE_DDMMYY),
                                      Item("YY/MM/DD", IDM_DATE_YYMMDD), Item("YY/DD/MM", IDM_DATE_YYDDMM)}),
               Popup("&Password Protect", {Item("Create Password...", IDM_CREATE_PASSWORD),
                                           Item("Change Password...", IDM_CHANGE_PASSWORD),
                                           Item("Remove Password...", IDM_REMOVE_PASSWORD)})}),
        Popup("&Help", {Item("&Ledgerpad Help\tF1", IDM_HELP), Separator(), Item("&About...", IDM_ABOUT)}),
    };
}

std::vector<MenuEntry> ReadMenu(HMENU menu) {
    std::vector<MenuEntry> entries;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[128] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        if (!GetMenuItemInfoA(menu, i, TRUE, &info)) continue;
        if (info.fType & MFT_SEPARATOR) {
            entries.push_back(Separator());
        } else if (info.hSubMenu) {
            entries.push_back(Popup(text, ReadMenu(info.hSubMenu)));
        } else {
            entries.push_back(Item(text, static_cast<int>(info.wID)));
        }
    }
    return entries;
}

std::string Render(const std::vector<MenuEntry>& entries, const std::string& indent = "") {
    std::string out;
    for (const MenuEntry& e : entries) {
        out += indent + e.text + (e.id ? " = " + std::to_string(e.id) : "") + "\n";
        out += Render(e.items, indent + "  ");
    }
    return out;
}

// Menus belong to the process that made them, and Wine does not let
// another process read them; the menu is checked where the window takes it
// from, the program's own resource, and shown to be in use by the window.
TEST_F(MainWindowTest, MenuHoldsEveryItemWithItsCommand) {
    const std::string exe = ToWindowsPath(GetSettings().program);
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << exe;
    HMENU menu = LoadMenuA(module, "LedgerMenu");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Render(ReadMenu(menu)), Render(ExpectedMenu()));
    DestroyMenu(menu);
    FreeLibrary(module);

    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    EXPECT_NE(GetMenu(app_.MainWindow()), nullptr) << "the window has no menu bar";
}

int ColourDistance(uint32_t a, uint32_t b) {
    int sum = 0;
    for (int shift : {0, 8, 16}) {
        sum += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    }
    return sum;
}

// The keys of accelerator table 1020, read from the program's resource.
// Alt+Shift+D stands beside Alt+D so that the date goes in with Shift held.
TEST_F(MainWindowTest, AcceleratorTableHoldsTheShortcutKeys) {
    const std::string exe = ToWindowsPath(GetSettings().program);
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << exe;
    HACCEL table = LoadAcceleratorsA(module, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    ACCEL keys[16] = {};
    const int count = CopyAcceleratorTableA(table, keys, 16);
    DestroyAcceleratorTable(table);
    FreeLibrary(module);

    auto render = [](const ACCEL& a) {
        std::string text;
        if (a.fVirt & FCONTROL) text += "Ctrl+";
        if (a.fVirt & FALT) text += "Alt+";
        if (a.fVirt & FSHIFT) text += "Shift+";
        const bool function = a.key >= VK_F1 && a.key <= VK_F24;
        text += function ? "F" + std::to_string(a.key - VK_F1 + 1) : std::string(1, static_cast<char>(a.key));
        return text + " = " + std::to_string(a.cmd) + ((a.fVirt & FVIRTKEY) ? "" : " (character)") + "\n";
    };
    std::string actual;
    for (int i = 0; i < count; ++i) actual += render(keys[i]);
    const std::string expected = "F1 = " + std::to_string(IDM_HELP) + "\n" +
                                 "F2 = " + std::to_string(IDM_CALCULATOR) + "\n" +
                                 "Alt+D = " + std::to_string(IDM_INSERT_DATE) + "\n" +
                                 "Alt+Shift+D = " + std::to_string(IDM_INSERT_DATE) + "\n" +
                                 "Ctrl+F = " + std::to_string(IDM_FIND) + "\n" +
                                 "Ctrl+Z = " + std::to_string(IDM_UNDO) + "\n" +
                                 "Ctrl+Y = " + std::to_string(IDM_REDO) + "\n" +
                                 "Ctrl+R = " + std::to_string(IDM_REPORTS) + "\n";
    EXPECT_EQ(actual, expected);
}

// Check marks of the menus, as the user sees them: a menu is opened with its
// keys and the items whose margin shows a mark are read off the screen.
class MenuMarks {
public:
    explicit MenuMarks(Program& app) : app_(app) {}
    ~MenuMarks() { Close(); }

    // Opens the menu with Alt + `keys[0]`, then the submenu keys that
    // follow, and returns which of its first `rows` items carry a mark. A
    // menu that also holds `separators` separators (below those rows) has
    // `items` text items in all.
    std::vector<bool> Read(std::initializer_list<WORD> keys, int rows, const char* shot, int items = 0,
                           int separators = 0) {
        HWND main = app_.MainWindow();
        if (!Activate(main)) return {};
        size_t opened = 0;
        for (WORD key : keys) {
            if (opened == 0 ? !PressKey(key, {VK_MENU}) : !PressKey(key)) return {};
            ++opened;
            if (!WaitUntil([&] { return Popups().size() >= opened; })) return {};
            opens_ = opened;
        }
        if (!app_.WaitIdle()) return {};
        HWND popup = Popups().back();
        SaveScreenshot(shot, popup);
        return MarkedRows(popup, rows, items ? items : rows, separators);
    }

    void Close() {
        for (; opens_ > 0; --opens_) PressKey(VK_ESCAPE);
        WaitUntil([&] { return Popups().empty(); });
    }

private:
    // The open popup menus of the program, the last opened last (each
    // submenu opens to the right of its parent).
    std::vector<HWND> Popups() const {
        std::vector<HWND> popups = TopLevelWindows(app_.Id(), "#32768");
        std::sort(popups.begin(), popups.end(),
                  [](HWND a, HWND b) { return WindowRect(a).left < WindowRect(b).left; });
        return popups;
    }

    static constexpr int kWineMenuFrame = 3;

    static std::vector<bool> MarkedRows(HWND popup, int rows, int items, int separators) {
        std::optional<Image> screen = CaptureScreen();
        if (!screen) return {};
        RECT client{};
        GetClientRect(popup, &client);
        MapWindowPoints(popup, nullptr, reinterpret_cast<POINT*>(&client), 2);
        // Wine draws the popup's raised frame inside its client area.
        const RECT frame = WindowRect(popup);
        if (EqualRect(&client, &frame)) InflateRect(&client, -kWineMenuFrame, -kWineMenuFrame);
        // Wine makes a separator half as high as the menu's item size.
        const int separatorHeight = GetSystemMetrics(SM_CYMENUSIZE) / 2;
        const int rowHeight = (Height(client) - separators * separatorHeight) / items;
        // The mark sits in the margin before the text, drawn in the text's
        // colour on the row's background (which differs for the row under
        // the highlight); the row's right end shows its background.
        constexpr int kMarginWidth = 14;
        std::vector<bool> marked;
        for (int row = 0; row < rows; ++row) {
            const int top = client.top + row * rowHeight;
            const uint32_t background = screen->Pixel(client.right - 3, top + rowHeight / 2);
            int ink = 0;
            for (int y = top; y < top + rowHeight; ++y) {
                for (int x = client.left + 2; x < client.left + kMarginWidth; ++x) {
                    if (ColourDistance(screen->Pixel(x, y), background) > 200) ++ink;
                }
            }
            marked.push_back(ink >= 4);
        }
        return marked;
    }

    Program& app_;
    size_t opens_ = 0;
};

std::string Marks(const std::vector<bool>& rows) {
    std::string text;
    for (bool marked : rows) text += marked ? 'X' : '.';
    return text;
}

// ---- the register's controls ------------------------------------------------------------

struct FieldPlace {
    const char* column;
    int x, width;
    DWORD align;  // ES_LEFT, ES_CENTER or ES_RIGHT
};

constexpr FieldPlace kRowFields[] = {
    {"R", 3, 22, ES_CENTER},       {"Date", 24, 67, ES_LEFT},     {"Num", 90, 39, ES_RIGHT},
    {"Description", 128, 385, ES_LEFT}, {"Payment", 512, 81, ES_RIGHT}, {"Deposit", 592, 81, ES_RIGHT},
    {"Balance", 672, 91, ES_RIGHT},
};

// A child's rectangle in its parent's client coordinates.
RECT ClientRectOf(HWND child) {
    RECT r = WindowRect(child);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(MainWindowTest, RegisterHas135FieldsAndAScrollBarInPlace) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    ASSERT_TRUE(reg::WaitForRegisterFields(app_)) << app_.DescribeWindows();
    HWND main = app_.MainWindow();
    ASSERT_TRUE(app_.WaitIdle());

    for (int row = 0; row < 19; ++row) {
        for (int field = 0; field < 7; ++field) {
            const int id = 1130 + 7 * row + field;
            const FieldPlace& place = kRowFields[field];
            const std::string name = std::string(place.column) + " of row " + std::to_string(row);
            HWND control = GetDlgItem(main, id);
            ASSERT_NE(control, nullptr) << name << " (id " << id << ") is missing";
            EXPECT_EQ(ClassName(control), "Edit") << name;
            const RECT r = ClientRectOf(control);
            EXPECT_EQ(r.left, place.x) << name;
            EXPECT_EQ(r.top, 27 + 24 * row) << name;
            EXPECT_EQ(Width(r), place.width) << name;
            EXPECT_EQ(Height(r), 22) << name;
            const LONG style = GetWindowLongA(control, GWL_STYLE);
            EXPECT_TRUE(style & WS_VISIBLE) << name;
            EXPECT_EQ(style & (ES_CENTER | ES_RIGHT), static_cast<LONG>(place.align)) << name;
            // The selection stays shown while Find has the focus, except in
            // the Balance column.
            EXPECT_EQ((style & ES_NOHIDESEL) != 0, field != BALANCE_FLD) << name;
        }
    }

    struct Box {
        const char* name;
        int id, x, y, width, height;
    } boxes[] = {{"Opening Balance", 1263, 125, 507, 92, 20}, {"Ending Balance", 1264, 550, 507, 92, 20}};
    for (const Box& box : boxes) {
        HWND control = GetDlgItem(main, box.id);
        ASSERT_NE(control, nullptr) << box.name;
        EXPECT_EQ(ClassName(control), "Edit") << box.name;
        const RECT r = ClientRectOf(control);
        EXPECT_EQ(r.left, box.x) << box.name;
        EXPECT_EQ(r.top, box.y) << box.name;
        EXPECT_EQ(Width(r), box.width) << box.name;
        EXPECT_EQ(Height(r), box.height) << box.name;
        EXPECT_TRUE(GetWindowLongA(control, GWL_STYLE) & ES_RIGHT) << box.name;
    }

    std::vector<HWND> children = ChildWindows(main);
    EXPECT_EQ(children.size(), 136u) << "135 edit controls and the scroll bar";
    HWND scroll = nullptr;
    for (HWND child : children) {
        if (ClassName(child) == "ScrollBar") scroll = child;
    }
    ASSERT_NE(scroll, nullptr);
    const RECT r = ClientRectOf(scroll);
    EXPECT_EQ(r.left, 764);
    EXPECT_EQ(r.top, 27);
    EXPECT_EQ(Width(r), 23);
    EXPECT_EQ(Height(r), 457);
    EXPECT_TRUE(GetWindowLongA(scroll, GWL_STYLE) & SBS_VERT);
}

TEST_F(MainWindowTest, ReconcileFieldTakesOneUpperCaseLetter) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    ASSERT_TRUE(reg::WaitForRegisterFields(app_)) << app_.DescribeWindows();
    HWND main = app_.MainWindow();
    for (int row : {0, 9, 18}) {
        HWND r = GetDlgItem(main, 1130 + 7 * row);
        ASSERT_NE(r, nullptr);
        DWORD_PTR limit = 0;
        ASSERT_TRUE(SendMessageTimeoutA(r, EM_GETLIMITTEXT, 0, 0, SMTO_NORMAL, 5000, &limit));
        EXPECT_EQ(limit, 1u) << "row " << row;
        EXPECT_TRUE(GetWindowLongA(r, GWL_STYLE) & ES_UPPERCASE) << "row " << row;
    }
}

// ---- commands ---------------------------------------------------------------------------

TEST_F(MainWindowTest, AboutBoxShowsItsTextsAndClosesWithOk) {
    ASSERT_NO_FATAL_FAILURE(StartWithAccount());
    HWND main = app_.MainWindow();
    SaveScreenshot("main-window-new-account", main);
    ASSERT_TRUE(PostCommand(main, IDM_ABOUT));
    HWND about = app_.WaitForDialog("About");
    ASSERT_NE(about, nullptr) << app_.DescribeWindows();

    struct Text {
        int id;
        const char* text;
    } texts[] = {
        {kIdText1, "LEDGERPAD"},
        {kIdText2, "Version 4.12"},
        {kIdText5, "TALLWOOD"},
        {kIdOk, "&OK"},
    };
    for (const Text& t : texts) EXPECT_EQ(ControlText(about, t.id), t.text) << "control " << t.id;
    for (int id : {kIdAboutNotice, kIdAboutAddress1, kIdAboutAddress2, kIdAboutWebLink}) {
        EXPECT_FALSE(ControlText(about, id).empty()) << "control " << id << " is empty";
    }
    HWND link = GetDlgItem(about, kIdAboutWebLink);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(ClassName(link), "HotLinkText");
    EXPECT_NE(GetDlgItem(about, kIdAboutIcon), nullptr);
    EXPECT_EQ(GetWindow(about, GW_OWNER), main) << "the About box belongs to the main window";
    SaveScreenshot("about-box");

    ASSERT_TRUE(ClickButton(about, kIdOk));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_TRUE(app_.Running());
}

bool CalculatorCanStart() {
    char path[MAX_PATH];
    return SearchPathA(nullptr, "calc", ".exe", MAX_PATH, path, nullptr) != 0;
}

// Wine has no calculator; on such a system the user is told so. The menu
// command and its F2 key both get there.
TEST_F(MainWindowTest, CalculatorThatCannotStartIsReported) {
    if (CalculatorCanStart()) GTEST_SKIP() << "a calculator is installed here";
    ASSERT_NO_FATAL_FAILURE(StartWithAccount());
    HWND main = app_.MainWindow();

    struct Way {
        const char* name;
        std::function<bool()> ask;
    } ways[] = {
        {"menu command", [&] { return PostCommand(main, IDM_CALCULATOR); }},
        {"F2", [&] { return Activate(main) && PressKey(VK_F2); }},
    };
    for (const Way& way : ways) {
        ASSERT_TRUE(way.ask()) << way.name;
        HWND box = app_.WaitForDialog("Error");
        ASSERT_NE(box, nullptr) << way.name << ": no message\n" << app_.DescribeWindows();
        std::optional<MessageBoxText> message = ReadMessageBox(box);
        ASSERT_TRUE(message) << way.name;
        EXPECT_EQ(message->text, "Unable to load calc.exe.") << way.name;
        EXPECT_EQ(GetWindow(box, GW_OWNER), main) << way.name;
        ASSERT_TRUE(ClickButton(box, IDOK)) << way.name;
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << way.name;
    }
    EXPECT_TRUE(app_.Running());
}

TEST_F(MainWindowTest, ExitCommandEndsTheProgramWithZero) {
    ASSERT_NO_FATAL_FAILURE(StartWithAccount());
    ASSERT_TRUE(PostCommand(app_.MainWindow(), IDM_EXIT));
    ASSERT_TRUE(app_.WaitForExit());
    EXPECT_EQ(app_.ExitCode(), 0u);
}

// The date format chosen from the menu is checked, kept in the options, and
// checked again at the next start.
TEST_F(MainWindowTest, DateFormatCommandIsCheckedAndKeptInTheOptions) {
    const std::initializer_list<WORD> dateFormatMenu = {'O', 'D'};
    ASSERT_NO_FATAL_FAILURE(StartWithAccount());
    {
        MenuMarks marks(app_);
        EXPECT_EQ(Marks(marks.Read(dateFormatMenu, 4, "menu-date-format-first-start")), "X...");
    }
    ASSERT_TRUE(PostCommand(app_.MainWindow(), IDM_DATE_YYMMDD));
    ASSERT_TRUE(app_.WaitIdle());
    {
        MenuMarks marks(app_);
        EXPECT_EQ(Marks(marks.Read(dateFormatMenu, 4, "menu-date-format-chosen")), "..X.");
    }
    ASSERT_TRUE(app_.Stop());
    std::optional<SavedOptions> saved = ReadSavedOptions();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->dateFormat, IDM_DATE_YYMMDD - IDM_DATE_MMDDYY);

    // The next start opens the account just made from the start screen's
    // default button.
    ASSERT_TRUE(app_.Start());
    HWND start = app_.WaitForDialog("");
    ASSERT_NE(start, nullptr);
    ASSERT_TRUE(ClickButton(start, kIdOpenRecent));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_.MainWindow()) && !app_.Find(kDialogClass); }))
        << app_.DescribeWindows();
    ASSERT_TRUE(app_.WaitIdle());
    MenuMarks marks(app_);
    EXPECT_EQ(Marks(marks.Read(dateFormatMenu, 4, "menu-date-format-next-start")), "..X.");
}

TEST_F(MainWindowTest, ViewItemsAreExclusiveCheckMarks) {
    ASSERT_NO_FATAL_FAILURE(StartWithAccount());
    struct Step {
        int command;  // 0: as started
        const char* marks;  // Current, All
    } steps[] = {{0, "X."}, {IDM_VIEW_ALL, ".X"}, {IDM_VIEW_ALL, ".X"}, {IDM_VIEW_CURRENT, "X."}};
    for (const Step& step : steps) {
        if (step.command) {
            ASSERT_TRUE(PostCommand(app_.MainWindow(), step.command));
        }
        ASSERT_TRUE(app_.WaitIdle());
        MenuMarks marks(app_);
        // Current and All above the separator and Reports.
        EXPECT_EQ(Marks(marks.Read({'V'}, 2, "menu-view", 3, 1)), step.marks) << "after command " << step.command;
    }
}

std::string HelpPagePath() {
    std::string exe = ToWindowsPath(GetSettings().program);
    return exe.substr(0, exe.find_last_of('\\') + 1) + "LedgerpadHelp.html";
}

// F1 hands the help page beside the program to the web browser. Where no
// browser can show it (a bare Wine has none) the user is told where the page
// is, so that it can be opened by hand.
TEST_F(MainWindowTest, HelpKeyShowsThePageOrSaysWhereItIs) {
    ASSERT_NO_FATAL_FAILURE(StartWithAccount());
    HWND main = app_.MainWindow();
    ASSERT_TRUE(Activate(main) && PressKey(VK_F1));
    HWND box = app_.WaitForDialog("Ledgerpad Help");
    if (!box) GTEST_SKIP() << "a web browser took the help page";
    std::optional<MessageBoxText> message = ReadMessageBox(box);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, "Unable to show the help page in a web browser. You can open it yourself:\n\n" +
                                 HelpPagePath());
    ASSERT_TRUE(ClickButton(box, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_TRUE(app_.Running());
}

TEST_F(MainWindowTest, HelpPageShipsBesideTheProgram) {
    const std::string page = HelpPagePath();
    std::optional<std::vector<uint8_t>> bytes = ReadFileBytes(page);
    ASSERT_TRUE(bytes) << page;
    const std::string html(bytes->begin(), bytes->end());
    for (const char* topic :
         {"register", "Balancing", "Importing a bank statement", "Date formats", "Password", "Undo and backups"}) {
        EXPECT_NE(html.find(topic), std::string::npos) << "the help page does not explain " << topic;
    }
}

}  // namespace
}  // namespace e2e
