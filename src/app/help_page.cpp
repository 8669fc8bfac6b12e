#include "app/help_page.h"

#include <cstring>

#include <shellapi.h>

#include "app/app_texts.h"
#include "base/log.h"
#include "base/path_size.h"
#include "base/wide_path_win.h"
#include "ui/message_box.h"

bool BuildHelpPagePath(char* out, std::size_t size) {
    if (size == 0) return false;
    out[0] = '\0';
    wchar_t wide[kPathSize];
    char exe[kPathSize];
    const DWORD length = GetModuleFileNameW(nullptr, wide, kPathSize);
    if (length == 0 || length >= kPathSize || !NarrowPath(wide, exe)) return false;
    const char* slash = std::strrchr(exe, '\\');
    const std::size_t folderLength = slash ? static_cast<std::size_t>(slash - exe) + 1 : 0;
    if (folderLength + sizeof kHelpFileName > size) return false;
    std::memcpy(out, exe, folderLength);
    std::memcpy(out + folderLength, kHelpFileName, sizeof kHelpFileName);
    return true;
}

bool OpenHelpPage(HWND owner) {
    char path[kPathSize];
    if (!BuildHelpPagePath(path, sizeof path)) path[0] = '\0';
    const char* problem = kHelpMissingText;
    const std::wstring widePath = WidePath(path);
    if (path[0] && GetFileAttributesW(widePath.c_str()) != INVALID_FILE_ATTRIBUTES) {
        const HINSTANCE result = ShellExecuteW(owner, nullptr, widePath.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        // ShellExecute reports success with a value above 32.
        const INT_PTR code = reinterpret_cast<INT_PTR>(result);
        if (code > 32) return true;
        WriteLog("OpenHelpPage: ShellExecute %i", static_cast<int>(code));
        problem = kHelpNotOpenedText;
    }
    ShowMessage(owner, FormatPathMessage(problem, path), kHelpErrorTitle, MB_OK | MB_ICONINFORMATION);
    return false;
}
