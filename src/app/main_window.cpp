#include "app/main_window.h"

#include <cstdio>
#include <cstring>

#include "app/app_texts.h"
#include "app/command_dispatch.h"
#include "app/command_guards.h"
#include "app/account_lifecycle.h"
#include "app/single_instance.h"
#include "app/undo_commands.h"
#include "features/feature_commands.h"
#include "features/find_dialog_win.h"
#include "features/text_finder.h"
#include "model/account.h"
#include "register/font_set.h"
#include "register/multi_records.h"
#include "register/register.h"
#include "register/register_layout.h"
#include "base/log.h"
#include "storage/last_error.h"
#include "storage/options.h"
#include "storage/save_attempt.h"
#include "storage/save_messages.h"
#include "ui/message_box.h"
#include "ui/dialog_runner.h"
#include "ui/hot_link_text.h"
#include "ui/storage_messages.h"
#include "ui/command_boundary.h"

HWND g_hWnd = nullptr;
HINSTANCE g_hInst = nullptr;
HMENU g_hMenu = nullptr;

namespace {

constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX;

struct MainWindowState {
    MainWindowMetrics metrics{};
    int panelLeft = 0;      // L: 0 unless the window is maximized or minimized
    RECT savedRect{};       // the window cannot be resized away from this
    bool firstPaint = true;
    UINT findMessage = 0;
    // An accelerator announces its menu item with the same menu messages
    // as the menu itself; only a menu the user opens closes Find.
    bool inMenuLoop = false;
};
MainWindowState g_State;

int CentredPanelLeft() {
    return (GetSystemMetrics(SM_CXSCREEN) - g_State.metrics.panelWidth) / 2;
}

// Dialogs are centred on the rectangle the window records for itself.
void RecordWindowRect(const RECT& rect) {
    g_State.savedRect = rect;
    SetDialogMainWindowRect(rect);
}

void OnCreate(HWND hwnd) {
    RegisterHotLinkText(g_hInst, kHandCursorName, 0);
    g_Fonts.Create();
    SetDialogFonts(g_Fonts.Get(kFontArialBold13), g_Fonts.Get(kFontArial13),
                   g_Fonts.Get(kFontSansSerif12));
    g_hMenu = GetMenu(hwnd);
    InitCommandMenu(g_hMenu);
    // The window keeps one size: no sizing, maximizing or restoring from
    // the system menu.
    HMENU systemMenu = GetSystemMenu(hwnd, FALSE);
    DeleteMenu(systemMenu, SC_SIZE, MF_BYCOMMAND);
    DeleteMenu(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND);
    DeleteMenu(systemMenu, SC_RESTORE, MF_BYCOMMAND);
    g_State.findMessage = RegisterWindowMessageA(kFindMessageName);
}

// L: where the register panel starts in the client area, read back from
// the first field (3 pixels into the panel).
int PanelLeft() {
    HWND first = g_hFieldWindows[0];
    if (!first) return g_State.panelLeft;
    RECT rect;
    GetWindowRect(first, &rect);
    MapWindowPoints(nullptr, GetParent(first), reinterpret_cast<POINT*>(&rect), 2);
    return rect.left - kFieldColumns[RECONCILE_FLD].x;
}

// The register's frame and headers, in the selected font.
void PaintRegister(HDC dc) {
    const int left = PanelLeft();
    DrawRegisterFrame(dc, left, GetMainWindowMetrics().panelWidth);
    DrawRegisterHeaders(dc, left);
}

void OnSize(HWND hwnd, WPARAM sizeType) {
    g_State.panelLeft = sizeType != SIZE_RESTORED ? CentredPanelLeft() : 0;
    g_Options.SetShowState(static_cast<int>(sizeType));
    RECT rect;
    GetWindowRect(hwnd, &rect);
    RecordWindowRect(rect);
    MoveRegisterControls(g_State.panelLeft);
}

void OnPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    // The flag is cleared before the start screen runs: its dialogs cause
    // nested paints, which only draw the register.
    const bool first = g_State.firstPaint;
    g_State.firstPaint = false;
    HGDIOBJ oldFont = SelectObject(dc, g_Fonts.RegisterFont());
    PaintRegister(dc);
    if (first) RunStartScreen(hwnd);
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

// The checks and the save of a command, run before the program ends. A
// change that cannot be saved is not lost without the user's say: the
// question names the file and the reason, and No keeps the program open
// with the change.
bool MayClose(HWND hwnd) {
    if (!g_Account.isOpen) return true;
    SaveAttempt attempt(SaveAttempt::Report::Keep);
    if (CheckForErrors(hwnd)) return true;
    if (!attempt.Failed()) return false;  // a row to correct, told by its check
    const SaveFailure& failure = attempt.Failure();
    const std::string question = QuitAnywayQuestion(failure.file, SystemErrorText(failure.error));
    return ShowMessage(hwnd, question.c_str(), kQuitAnywayTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) ==
           IDYES;
}

void OnClose(HWND hwnd) {
    if (!MayClose(hwnd)) {
        g_MultiRecords.SetFocusToRecordAndField(-1, -1);
        return;
    }
    DestroyWindow(hwnd);
}

// Windows ends the session without closing the window: the change is saved
// if it can be. Nobody may be there to answer a question, so none is asked.
void SaveBeforeSessionEnds(HWND hwnd) {
    if (g_Account.isOpen && g_Account.needsSaving) {
        SaveAttempt attempt(SaveAttempt::Report::Keep);
        CheckForErrors(hwnd);
    }
}

void OnDestroy() {
    TellFileWrite(g_Options.SaveOptions());
    PostQuitMessage(0);
}

void OnMoving(const RECT* proposed) {
    RecordWindowRect(*proposed);
    g_Options.SetWindowRect(proposed->left, proposed->top, proposed->right - proposed->left,
                            proposed->bottom - proposed->top);
}

LRESULT MainWindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE: OnCreate(hwnd); return 0;
        case WM_DESTROY: OnDestroy(); return 0;
        case WM_SIZE: OnSize(hwnd, wParam); return 0;
        case WM_SETFOCUS: g_MultiRecords.SetFocusToRecordAndField(-1, -1); return 0;
        case WM_PAINT: OnPaint(hwnd); return 0;
        case WM_CLOSE: OnClose(hwnd); return 0;
        case WM_QUERYENDSESSION: SaveBeforeSessionEnds(hwnd); return TRUE;
        case WM_ENDSESSION:
            // The window is never destroyed: the options are saved here.
            if (wParam) {
                SaveBeforeSessionEnds(hwnd);
                g_Options.SaveOptions();  // no message while the session ends
            }
            return 0;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize.x = g_State.metrics.fixedWidth;
            info->ptMinTrackSize.y = g_State.metrics.fixedHeight;
            return 0;
        }
        case WM_SIZING:
            *reinterpret_cast<RECT*>(lParam) = g_State.savedRect;
            return TRUE;
        case WM_MOVING: OnMoving(reinterpret_cast<RECT*>(lParam)); return TRUE;
        case WM_ENTERMENULOOP: g_State.inMenuLoop = true; break;
        case WM_EXITMENULOOP: g_State.inMenuLoop = false; break;
        case WM_INITMENUPOPUP:
            if (g_State.inMenuLoop) CloseFindDialog();
            UpdateUndoMenuItems(GetMenu(hwnd));
            return 0;
        case WM_VSCROLL: ScrollRegister(wParam, lParam); return 0;
        case WM_COMMAND:
            if (DispatchCommand(hwnd, LOWORD(wParam))) return 0;
            break;
        default:
            if (msg == g_State.findMessage && g_State.findMessage != 0) {
                SaveAttempt attempt;
                if (CheckForErrors(hwnd)) RunFindRequest(hwnd);
                return 0;
            }
            break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// Every message ends here, whatever it met on the way.
LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    RunToCommandBoundary(hwnd, [&] { result = MainWindowMessage(hwnd, msg, wParam, lParam); });
    return result;
}

}  // namespace

MainWindowMetrics GetMainWindowMetrics() {
    const int frame = GetSystemMetrics(SM_CYFRAME);
    MainWindowMetrics m;
    m.fixedWidth = 790 + 2 * frame;
    m.fixedHeight = 546 + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) + 2 * frame;
    m.panelWidth = 806 - 2 * GetSystemMetrics(SM_CXFRAME);
    return m;
}

bool RegisterMainClass(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, kIconName);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszMenuName = kMenuName;
    wc.lpszClassName = kMainClassName;
    return RegisterClassA(&wc) != 0;
}

HWND CreateMainWindow(HINSTANCE instance, int showCommand) {
    g_hInst = instance;
    g_State.metrics = GetMainWindowMetrics();
    g_State.panelLeft = CentredPanelLeft();
    const int width = g_Options.WindowWidth();
    const int height = g_Options.WindowHeight();
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    HWND hwnd = CreateWindowExA(0, kMainClassName, kMainTitle, kMainStyle, g_State.panelLeft, top, width,
                                height, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return nullptr;
    g_hWnd = hwnd;
    SetSharedMainWindow(hwnd);
    WriteLog("g_hWnd %i", static_cast<int>(HandleToULong(hwnd)));

    ShowWindow(hwnd, SW_SHOWNORMAL);
    g_Options.SetShowState(showCommand);
    WriteLog("Main Window Handle %i", static_cast<int>(HandleToULong(hwnd)));
    return hwnd;
}

bool RegisterFieldsMade() { return g_hFieldWindows[kFieldWindowCount - 1] != nullptr; }

bool MakeRegisterFields(HWND hwnd) {
    if (RegisterFieldsMade()) return true;
    if (!CreateRegisterControls(hwnd, g_hInst, g_State.panelLeft)) {
        WriteLog("MakeRegisterFields: the register controls could not be created, error %i",
                 static_cast<int>(GetLastError()));
        return false;
    }
    AttachFieldProcedures();
    // Not painted yet: no redraw needed.
    for (HWND field : g_hFieldWindows)
        SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(g_Fonts.RegisterFont()), FALSE);
    return true;
}

void SetTitle(HWND hwnd, bool withAccount) {
    if (!withAccount) {
        SetWindowTextA(hwnd, kMainTitle);
        return;
    }
    // A damaged header may lack its terminating zero: never read past it.
    const char* name = g_Account.header.name;
    const int nameLength = static_cast<int>(strnlen(name, sizeof g_Account.header.name));
    char title[sizeof kTitleAccountPrefix + sizeof g_Account.header.name + sizeof kTitleAccountSuffix];
    std::snprintf(title, sizeof title, "%s%.*s%s", kTitleAccountPrefix, nameLength, name,
                  kTitleAccountSuffix);
    SetWindowTextA(hwnd, title);
}

RECT GetSavedWindowRect() { return g_State.savedRect; }

void CloseFindDialog() {
    TheFindDialog().Close();
}
