#include "app/help_page.h"

#include <cstdio>
#include <cstring>

#include <shellapi.h>

#include "app/app_texts.h"
#include "base/log.h"
#include "ui/message_box.h"

bool BuildHelpPagePath(char* out, std::size_t size) {
    if (size == 0) return false;
    out[0] = '\0';
    char exe[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, exe, sizeof exe);
    if (length == 0 || length >= sizeof exe) return false;
    const char* slash = std::strrchr(exe, '\\');
    const std::size_t folderLength = slash ? static_cast<std::size_t>(slash - exe) + 1 : 0;
    if (folderLength + sizeof kHelpFileName > size) return false;
    std::memcpy(out, exe, folderLength);
    std::memcpy(out + folderLength, kHelpFileName, sizeof kHelpFileName);
    return true;
}

bool OpenHelpPage(HWND owner) {
    char path[MAX_PATH];
    if (!BuildHelpPagePath(path, sizeof path)) path[0] = '\0';
    const char* problem = kHelpMissingText;
    if (path[0] && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
        const HINSTANCE result = ShellExecuteA(owner, nullptr, path, nullptr, nullptr, SW_SHOWNORMAL);
        // ShellExecute reports success with a value above 32.
        const INT_PTR code = reinterpret_cast<INT_PTR>(result);
        if (code > 32) return true;
        WriteLog("OpenHelpPage: ShellExecute %i", static_cast<int>(code));
        problem = kHelpNotOpenedText;
    }
    char text[sizeof kHelpNotOpenedText + MAX_PATH];
    std::snprintf(text, sizeof text, problem, path);
    ShowMessage(owner, text, kHelpErrorTitle, MB_OK | MB_ICONINFORMATION);
    return false;
}
