// Where the program under test is and where screenshots go; main() fills
// them from the command line and the environment.
#pragma once

#include <string>

namespace e2e {

struct Settings {
    std::string program;  // Ledgerpad.exe
    std::string shots;    // folder for screenshots
    bool installed = false;  // the program is an installed or unpacked release
    bool unicodeProfile = false;  // the user's profile folder is named outside the code page
};
Settings& GetSettings();

// "/home/user/ledgerpad/build/x.exe" (a path from the Linux side, as CMake and the scripts
// give it) becomes "Z:\home\user\ledgerpad\build\x.exe"; other paths only get backslashes.
std::string ToWindowsPath(std::string path);

}  // namespace e2e
