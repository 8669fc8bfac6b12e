#include "features_helpers.h"

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

std::string PrintedFolder() {
    const char* folder = std::getenv("LEDGER_PRINTED");
    return folder ? folder : "";
}

}  // namespace e2e::features
