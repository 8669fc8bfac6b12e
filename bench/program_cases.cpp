// The real program seen from outside: how long Ledgerpad.exe takes from its
// start to its start screen, beside a trivial windowed program started the
// same way under the same Wine server, and its private bytes at the start
// screen and with an account of each size open.
#include "bench.h"

#include <cstdio>

#ifdef LEDGER_BENCH_PROGRAM

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "accounts_helpers.h"
#include "driver.h"
#include "filled_account.h"
#include "model/account.h"
#include "register_helpers.h"
#include "storage/account_image.h"

namespace {

using namespace e2e;
using namespace e2e::accounts;

constexpr char kTrivialClass[] = "TrivialWindow";
constexpr double kMegabyte = 1024.0 * 1024.0;
constexpr std::size_t kJudgedTransactions = 100000;

double MillisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

HWND StartScreenOf(const Program& app) {
    for (HWND dialog : TopLevelWindows(app.Id(), kDialogClass, ""))
        if (GetDlgItem(dialog, kRecentButton)) return dialog;
    return nullptr;
}

// Starts exe and times it until shown() finds its first window and, when
// ready is given, until ready() holds too (into *readyMs); the program is
// closed again before the next start.
double TimeStart(const std::string& exe, const std::function<HWND(const Program&)>& shown,
                 const std::function<void(Program&, HWND)>& close,
                 const std::function<bool(const Program&)>& ready = nullptr, double* readyMs = nullptr) {
    GetSettings().program = exe;
    Program app;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!app.Launch()) BenchFail("cannot start " + exe);
    HWND window = nullptr;
    const bool appeared = WaitUntil([&] { return (window = shown(app)) != nullptr || !app.Running(); }, kStartTimeout);
    const double ms = MillisecondsSince(start);
    if (!appeared || !window) BenchFail("no first window from " + exe + "\n" + app.DescribeWindows());
    if (ready) {
        if (!WaitUntil([&] { return ready(app) || !app.Running(); }, kStartTimeout) || !app.Running())
            BenchFail("never ready: " + exe + "\n" + app.DescribeWindows());
        if (readyMs) *readyMs = MillisecondsSince(start);
    }
    close(app, window);
    if (!app.WaitForExit()) app.Kill();
    return ms;
}

double MedianOf(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Memory committed to the process alone: what the system reports as its
// private bytes. Wine reports 0 there (it fills in swap use), so under Wine
// the same quantity is summed from the process's address space: every
// committed region that is private to it.
double PrivateMegabytes(const Program& app) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(app.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
        BenchFail("GetProcessMemoryInfo failed");
    if (counters.PrivateUsage != 0) return static_cast<double>(counters.PrivateUsage) / kMegabyte;
    std::size_t committed = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; VirtualQueryEx(app.Handle(), at, &region, sizeof region) == sizeof region;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) committed += region.RegionSize;
        if (region.RegionSize == 0) break;
    }
    return static_cast<double>(committed) / kMegabyte;
}

// maxRatio 0: shown, not judged.
void PrintFigure(const char* name, const char* size, double value, double floorValue, double maxRatio,
                 const char* target) {
    const double ratio = value / floorValue;
    const char* verdict = maxRatio <= 0 ? "" : ratio <= maxRatio ? "met" : "MISSED";
    std::printf("%-18s %12s %11.2f %10.2f %7.2fx   %-14s %s\n", name, size, value, floorValue, ratio, target,
                verdict);
    std::fflush(stdout);
}

void ReportStart(int runs, const std::string& ledgerpad, const std::string& trivial) {
    const auto startScreen = [](const Program& app) { return StartScreenOf(app); };
    const auto quit = [](Program&, HWND start) { ClickButton(start, kQuitButton); };
    const auto registerMade = [](const Program& app) { return reg::RegisterFieldsMade(app.Find(kMainClass)); };
    const auto trivialWindow = [](const Program& app) { return app.Find(kTrivialClass); };
    const auto closeTrivial = [](Program&, HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); };
    // The first start makes the data folders and copies the sample account:
    // a start like every later one is timed.
    TimeStart(ledgerpad, startScreen, quit);
    TimeStart(trivial, trivialWindow, closeTrivial);
    std::vector<double> program, ready, floor;
    for (int i = 0; i < runs; ++i) {
        double readyMs = 0;
        program.push_back(TimeStart(ledgerpad, startScreen, quit, registerMade, &readyMs));
        ready.push_back(readyMs);
        floor.push_back(TimeStart(trivial, trivialWindow, closeTrivial));
    }
    std::printf("(start-up: milliseconds from CreateProcess to the start screen, and until the register behind it\n"
                " has all its fields; floor: a trivial windowed program)\n");
    PrintFigure("start-up", "-", MedianOf(program), MedianOf(floor), 1.5, "<= 1.5x floor");
    PrintFigure("register ready", "-", MedianOf(ready), MedianOf(floor), 0, "-");
}

// Private bytes at the start screen, then with an account of each size open
// (written into the accounts folder, opened from the start screen).
void ReportMemory(const std::vector<std::size_t>& sizes, const std::string& ledgerpad) {
    GetSettings().program = ledgerpad;
    double empty = 0;
    {
        Program app;
        if (!app.Launch() || !WaitUntil([&] { return StartScreenOf(app) != nullptr; }, kStartTimeout) ||
            !app.WaitIdle())
            BenchFail("no start screen");
        empty = PrivateMegabytes(app);
        ClickButton(StartScreenOf(app), kQuitButton);
        if (!app.WaitForExit()) app.Kill();
    }
    std::printf("(private bytes in MB; floor: twice the account file plus the program at its start screen, %.2f MB)\n",
                empty);
    for (std::size_t transactions : sizes) {
        Account account;
        FillAccount(account, transactions);
        std::vector<unsigned char> image;
        BuildAccountImage(account, image);
        account.ClearAccount();
        if (!WriteFileBytes(AccountPath(kFirstSlot), image)) BenchFail("cannot write the account");

        Program app;
        if (!app.Start()) BenchFail("no main window");
        const std::string failed = OpenFirstFromStartScreen(app, "Ledgerpad - [Benchmark Checking]");
        if (!failed.empty()) BenchFail(failed);
        if (!app.WaitIdle()) BenchFail("the program did not settle");
        const double used = PrivateMegabytes(app);
        app.Stop();
        // The target is set for a long account; a short one is all program.
        const bool judged = transactions >= kJudgedTransactions;
        PrintFigure("private bytes", std::to_string(transactions).c_str(), used,
                    2.0 * static_cast<double>(image.size()) / kMegabyte + empty, judged ? 1.0 : 0.0,
                    judged ? "<= 1x floor" : "-");
    }
}

}  // namespace

void ReportProgramFigures(int runs, const std::vector<std::size_t>& sizes, const std::string& ledgerpad,
                          const std::string& trivial) {
    if (ledgerpad.empty() || trivial.empty()) {
        std::printf("(start-up and private bytes: not measured, no --ledgerpad= and --trivial= given)\n");
        return;
    }
    if (!ResetDataFolders()) BenchFail("cannot empty the data folders");
    ReportStart(runs, ToWindowsPath(ledgerpad), ToWindowsPath(trivial));
    ReportMemory(sizes, ToWindowsPath(ledgerpad));
    ResetDataFolders();
}

#else

void ReportProgramFigures(int, const std::vector<std::size_t>&, const std::string&, const std::string&) {
    std::printf("(start-up and private bytes: not measured, this build has no end-to-end driver)\n");
}

#endif
