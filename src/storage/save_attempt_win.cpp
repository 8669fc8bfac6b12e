#include <windows.h>

#include "storage/save_attempt.h"
#include "storage/save_messages.h"
#include "ui/message_box.h"

void ReportSaveFailure(HWND owner, const std::string& file, unsigned long error) {
    if (SaveAttempt::Record(file, error))
        ShowMessage(owner, kSaveErrorText, kSaveErrorTitle, MB_OK | MB_ICONINFORMATION);
}
