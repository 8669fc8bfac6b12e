// The start screen (dialog 7): a picture and four buttons, shown from the
// main window's first paint until an account is open or the user quits.
// Every choice but Quit first asks for the password when one is set.
#include <windows.h>

#include "app/account_lifecycle.h"
#include "app/account_operations.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "features/password.h"
#include "storage/data_file.h"
#include "storage/options.h"
#include "storage/save_account.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_runner.h"
#include "ui/start_choice.h"

namespace {

// Set at the first paint: a timer message comes only when nothing is left
// to paint, so the register's fields are made once the start screen is
// on the screen, while the user looks at it.
constexpr UINT_PTR kRegisterFieldsTimer = 1;

constexpr char kIntroPicture[] = "IntroScr";
constexpr char kNoticePicture[] = "NoticeBar";

struct Picture {
    const char* name;
    int x, y, width, height;
};
constexpr Picture kPictures[] = {
    {kIntroPicture, 24, 16, 291, 162},
    {kNoticePicture, 10, 178, 320, 50},
};

// Loaded at each paint and copied unchanged; a picture that cannot be
// loaded is left out rather than failing the screen.
void DrawPicture(HDC dc, HDC memory, const Picture& picture) {
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), picture.name);
    if (!bitmap) return;
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, picture.x, picture.y, picture.width, picture.height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
}

void PaintStartScreen(HWND dialog) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    HDC memory = CreateCompatibleDC(dc);
    if (memory) {
        for (const Picture& picture : kPictures) DrawPicture(dc, memory, picture);
        DeleteDC(memory);
    }
    EndPaint(dialog, &ps);
    if (!RegisterFieldsMade()) SetTimer(dialog, kRegisterFieldsTimer, 0, nullptr);
}

INT_PTR CALLBACK StartScreenProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(dialog, msg, wParam, {kDlgStartScreen, EndingButtons::Cancel}, result))
        return result;
    switch (msg) {
        case WM_INITDIALOG:
            SetFocus(GetDlgItem(dialog, kIdOpenRecent));
            return FALSE;  // the focus is set
        case WM_PAINT: PaintStartScreen(dialog); return TRUE;
        case WM_TIMER:
            if (wParam != kRegisterFieldsTimer) return FALSE;
            KillTimer(dialog, kRegisterFieldsTimer);
            // Refused: the loop below tries again and ends the program.
            if (!MakeRegisterFields(GetWindow(dialog, GW_OWNER))) EndDialog(dialog, IDCANCEL);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kIdCreateAccount:
                case kIdOpenAccount:
                case kIdOpenRecent: EndDialog(dialog, LOWORD(wParam)); return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

void Quit(HWND hwnd) { SendMessageA(hwnd, WM_COMMAND, IDM_QUIT_START, 0); }

// Carries out one choice; false when the program is to end.
bool Carry(HWND hwnd, StartAction action) {
    char mostRecent[kPathSize] = {};
    switch (action) {
        case StartAction::Quit: Quit(hwnd); return false;
        case StartAction::Create:
            SetCurrentAccountFile(kNewAccountPlaceholder);
            CreateAccount(hwnd);
            return true;
        case StartAction::OpenFromList:
            SetRequestedAccountFile("");
            OpenAccount(hwnd);
            return true;
        case StartAction::OpenMostRecent:
            g_Options.GetMostRecent(mostRecent);
            SetRequestedAccountFile(mostRecent);
            OpenAccount(hwnd);
            return true;
        case StartAction::TellNoAccountToOpen: Inform(hwnd, kNeedAccountToOpenText, kOpenExistingTitle); return true;
        case StartAction::TellNoAccountForRecent: Inform(hwnd, kNeedAccountToOpenText, kMostRecentTitle); return true;
        case StartAction::TellNoRecentAccount: Inform(hwnd, kNoRecentAccountText, kMostRecentTitle); return true;
    }
    return true;
}

}  // namespace

void RunStartScreen(HWND hwnd) {
    if (g_Account.isOpen) return;
    g_DataFile.SetOwner(hwnd);
    // No account open: the options saved at exit keep the most recently
    // used account as it is.
    SetCurrentAccountFile(kNewAccountPlaceholder);
    const int existing = CountExistingAccountFiles();

    while (!g_Account.isOpen) {
        const int choice = static_cast<int>(ShowModalDialog(hwnd, kDlgStartScreen, StartScreenProc, 0));
        // A choice made before the fields were made waits for them.
        if (!MakeRegisterFields(hwnd)) {
            Quit(hwnd);
            return;
        }
        char mostRecent[kPathSize] = {};
        g_Options.GetMostRecent(mostRecent);
        const StartAction action = DecideStartChoice(choice, existing, mostRecent);
        if (action != StartAction::Quit) {
            const int asked = Password().AskPassword(hwnd);
            if (asked == kPasswordGiveUp) {
                Quit(hwnd);
                return;
            }
            if (asked == kPasswordCancelled) continue;
        }
        if (!Carry(hwnd, action)) return;
    }
}
