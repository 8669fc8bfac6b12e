// Runs the end-to-end tests. The program to test comes from
// --ledgerpad=<path>; screenshots go to LEDGER_SHOTS when set, else to
// --shots=<folder>, else to "screenshots" in the current folder.
// --installed runs the checks of a released program (scripts/test names the
// installed or unpacked Ledgerpad.exe with --ledgerpad). --unicode-profile
// says the Wine user's profile folder is named in Cyrillic (scripts/test's
// second prefix), which the tests then check first.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "driver.h"

namespace {

void ReadArguments(int argc, char** argv, e2e::Settings& settings) {
    constexpr std::string_view kProgram = "--ledgerpad=";
    constexpr std::string_view kShots = "--shots=";
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg.starts_with(kProgram)) settings.program = arg.substr(kProgram.size());
        if (arg.starts_with(kShots)) settings.shots = arg.substr(kShots.size());
        if (arg == "--installed") settings.installed = true;
        if (arg == "--unicode-profile") settings.unicodeProfile = true;
    }
    if (const char* shots = std::getenv("LEDGER_SHOTS"); shots && *shots) settings.shots = shots;
    if (settings.shots.empty()) settings.shots = "screenshots";
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    e2e::Settings& settings = e2e::GetSettings();
    ReadArguments(argc, argv, settings);
    if (!e2e::FileExists(e2e::ToWindowsPath(settings.program))) {
        std::fprintf(stderr, "e2e_driver: no program to test; pass --ledgerpad=<path of Ledgerpad.exe> (got \"%s\")\n",
                     settings.program.c_str());
        return 2;
    }
    // AttachThreadInput needs a message queue on this thread too.
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    return RUN_ALL_TESTS();
}
