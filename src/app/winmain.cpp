// Entry point of Ledgerpad: one running copy, the data folders and the
// options, the main window and the message loop.
#include <windows.h>

#include "app/account_slots.h"
#include "app/app_texts.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "app/sample_account.h"
#include "app/single_instance.h"
#include "features/find_dialog_win.h"
#include "storage/data_folders.h"
#include "storage/file_messages.h"
#include "base/log.h"
#include "storage/options.h"
#include "ui/message_box.h"
#include "ui/storage_messages.h"

namespace {

// The Find dialog sees every message first, so that its keys (Tab, Enter,
// Esc) work; accelerators such as F2 still reach the main window when the
// dialog does not take the key.
int RunMessageLoop(HWND mainWindow, HACCEL accelerators) {
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        HWND find = TheFindDialog().Window();
        if (find && IsDialogMessageA(find, &msg)) continue;
        if (!TranslateAcceleratorA(mainWindow, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    WriteLog("Exit GetMessage  Msg.wParam %i", static_cast<int>(msg.wParam));
    return static_cast<int>(msg.wParam);
}

// False when the options file is there but cannot be read: the user has
// been told, and the program must not start without its password.
bool PrepareDataFiles() {
    DataFolders folders;
    const bool firstStart = folders.PrepareFolders(kProductName);
    WriteLog("%s", GetAppDataFolder().c_str());
    WriteLog("%s", GetAccountsFolder().c_str());
    if (firstStart) CopySampleAccountBesideProgram(GetAccountsFolder());
    BuildAccountSlotPaths();

    char optionsPath[kPathSize];
    BuildOptionsPath(optionsPath, kOptionsFileName);
    const auto accountsFolder = GetAccountsFolder();
    std::string failure;
    const bool loaded = g_Options.LoadOptions(optionsPath, accountsFolder.c_str(), &failure);
    // Defaults that could not be written are written again at exit.
    TellFileWrite(g_Options.DefaultsWrite());
    WriteLog("%s", optionsPath);
    WriteLog("%s", accountsFolder.c_str());
    if (!loaded)
        ShowMessage(nullptr, FileErrorMessage(kOptionsReadErrorText, optionsPath, failure.c_str()),
                    kFileReadErrorTitle, MB_OK | MB_ICONINFORMATION);
    return loaded;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    SingleInstanceGuard instanceGuard;
    if (!instanceGuard.IsFirstInstance(kMainClassName, kInstanceMutexSuffix)) return 0;

    if (!PrepareDataFiles()) return kExitOptionsUnreadable;

    if (!RegisterMainClass(instance)) return 0;
    HWND mainWindow = CreateMainWindow(instance, showCommand);
    if (!mainWindow) return 0;
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    return RunMessageLoop(mainWindow, accelerators);
}
