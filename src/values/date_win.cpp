#include <windows.h>

#include "features/find_hook.h"
#include "ui/message_box.h"
#include "values/date.h"

void Date::ShowDateError(HWND owner, int kind) {
    char message[kDateErrorMessageSize];
    ErrorMessage(kind, message, sizeof message);
    // Never hidden behind the Find dialog, as every message of the register.
    CloseFindDialogBeforeMessage();
    ShowMessage(owner, message, kDateErrorTitle, MB_OK | MB_ICONINFORMATION);
}

void Date::SetStatementDatePrompt(HWND dialog) {
    SetDlgItemTextA(dialog, kStatementDatePromptId, kStatementDatePrompt);
}
