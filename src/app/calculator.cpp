#include "app/calculator.h"

#include "app/app_texts.h"
#include "ui/message_box.h"

bool StartCalculator(HWND owner) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // CreateProcessA may write into the command line, so it gets a copy.
    char commandLine[sizeof kCalculatorCommand];
    memcpy(commandLine, kCalculatorCommand, sizeof commandLine);
    const BOOL started = CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &process);
    if (!started) {
        ShowMessage(owner, kCalculatorErrorText, kCalculatorErrorTitle, MB_OK | MB_ICONINFORMATION);
    }
    if (process.hProcess) CloseHandle(process.hProcess);
    if (process.hThread) CloseHandle(process.hThread);
    return started != FALSE;
}
