#include <windows.h>

#include "ui/date_message.h"
#include "ui/message_box.h"
#include "values/date.h"

void ShowDateError(Date& date, HWND owner, int kind) {
    char message[kDateErrorMessageSize];
    date.ErrorMessage(kind, message, sizeof message);
    ShowMessage(owner, message, kDateErrorTitle, MB_OK | MB_ICONINFORMATION, FindDialogBeforeMessage::Close);
}
