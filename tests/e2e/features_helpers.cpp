#include "features_helpers.h"

#include <commctrl.h>

#include <cstdlib>
#include <vector>

#include "data_folders.h"
#include "settings.h"

namespace e2e::features {

bool RunLinuxCommands(const std::string& unixDir, const std::string& body, Duration timeout) {
    const std::string dir = ToWindowsPath(unixDir);
    if (!MakeFolders(dir)) return false;
    const std::string marker = dir + "\\commands.done";
    DeleteFileA(marker.c_str());
    const std::string script = "#!/bin/sh\ncd '" + unixDir + "'\n" + body + "\necho done >commands.done\n";
    if (!WriteFileBytes(dir + "\\commands.sh", std::vector<uint8_t>(script.begin(), script.end()))) return false;
    std::string command = "/bin/sh " + unixDir + "/commands.sh";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return WaitUntil([&] { return FileExists(marker); }, timeout);
}

std::string UnixPath(const std::string& windowsPath) {
    using ToUnix = char* (*)(const WCHAR*);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return "";
    std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* unix = toUnix(wide.c_str());
    if (!unix) return "";
    std::string result(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

std::string ListCellText(HWND list, int row, int column) {
    UniqueHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(list)));
    if (!process) return "(no process)";
    constexpr SIZE_T kTextSize = 256;
    void* remote = VirtualAllocEx(process.get(), nullptr, sizeof(LVITEMA) + kTextSize, MEM_COMMIT, PAGE_READWRITE);
    if (!remote) return "(no memory)";
    LVITEMA item{};
    item.iSubItem = column;
    item.cchTextMax = kTextSize;
    item.pszText = static_cast<char*>(remote) + sizeof(LVITEMA);
    char text[kTextSize] = {};
    const bool ok = WriteProcessMemory(process.get(), remote, &item, sizeof item, nullptr) &&
                    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote)) >= 0 &&
                    ReadProcessMemory(process.get(), item.pszText, text, kTextSize - 1, nullptr);
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return ok ? std::string(text) : "(unreadable)";
}

std::string PrintedFolder() {
    const char* folder = std::getenv("LEDGER_PRINTED");
    return folder ? folder : "";
}

}  // namespace e2e::features
