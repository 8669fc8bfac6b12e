#include "ui/command_boundary.h"

#include <windows.h>

#include <new>

#include "base/log.h"
#include "ui/dialog_runner.h"
#include "ui/message_box.h"

bool RunToCommandBoundary(HWND owner, const std::function<void()>& body) {
    try {
        body();
        return true;
    } catch (const std::bad_alloc&) {
        WriteLog("RunToCommandBoundary: out of memory");
        ShowMessage(owner, kInsufficientMemoryText, kInsufficientMemoryTitle, MB_OK);
        return false;
    }
}
