#include <windows.h>

#include "values/date.h"

void Date::ShowDateError(HWND owner, int kind) {
    char message[kDateErrorMessageSize];
    ErrorMessage(kind, message, sizeof message);
    MessageBoxA(owner, message, kDateErrorTitle, MB_OK | MB_ICONINFORMATION);
}

void Date::SetStatementDatePrompt(HWND dialog) {
    SetDlgItemTextA(dialog, kStatementDatePromptId, kStatementDatePrompt);
}
