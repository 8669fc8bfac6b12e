// The peak memory of reading a 50 MB statement shaped to cost the readers
// the most (bench/hostile_statements.h). A process's peak only grows, so
// each shape is read in a process of its own: this program started again
// with --statement-shape=NAME, which prints its row and ends.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "bench.h"
#include "hostile_statements.h"
#include "import/statement.h"

namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;
constexpr std::size_t kShapeMegabytes = kLargestStatementFile / (1024 * 1024);

PROCESS_MEMORY_COUNTERS Counters() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) BenchFail("GetProcessMemoryInfo failed");
    return counters;
}

// Wine keeps no peak of the committed bytes (its PeakPagefileUsage is the
// PagefileUsage of the moment), only of the working set; Windows keeps both.
// The larger of the two is taken, now and at the peak.
double NowMegabytes() {
    const PROCESS_MEMORY_COUNTERS c = Counters();
    return static_cast<double>(std::max(c.PagefileUsage, c.WorkingSetSize)) / kMegabyte;
}

double PeakMegabytes() {
    const PROCESS_MEMORY_COUNTERS c = Counters();
    return static_cast<double>(std::max(c.PeakPagefileUsage, c.PeakWorkingSetSize)) / kMegabyte;
}

}  // namespace

int ReadStatementShape(const std::string& name) {
    const std::string bytes = MakeHostileStatement(name, kLargestStatementFile);
    if (bytes.empty()) BenchFail("no statement shape named " + name);
    const double before = NowMegabytes();
    const StatementFile file = ReadStatementFile(bytes, DayOrder::MonthFirst);
    const double peak = PeakMegabytes();
    const double added = peak - before;
    // Reading may cost ten times the file and a few megabytes.
    const double target = 10.0 * static_cast<double>(kShapeMegabytes) + 5.0;
    const char* what = name.c_str();
    for (const HostileShape& shape : HostileShapes())
        if (name == shape.name) what = shape.what;
    std::printf("%-32s %6zu %10.1f %10.1f %10.1f   <= %-7.0f %s\n    result: %s\n", what, kShapeMegabytes, before, peak,
                added, target, added <= target ? "met" : "MISSED",
                file.error.empty() ? "read" : file.error.c_str());
    std::fflush(stdout);
    return 0;
}

void ReportStatementMemory() {
    wchar_t self[MAX_PATH];
    if (!GetModuleFileNameW(nullptr, self, MAX_PATH)) BenchFail("cannot find the benchmark program");
    std::printf("\nreading a hostile statement, each in a process of its own (MB; before: with the file's bytes\n"
                "in memory; peak: of the process; read adds: peak minus before)\n");
    std::printf("%-32s %6s %10s %10s %10s   %-10s %s\n", "statement", "size", "before", "peak", "read adds", "target",
                "");
    std::fflush(stdout);
    for (const HostileShape& shape : HostileShapes()) {
        std::wstring command = L"\"" + std::wstring(self) + L"\" --statement-shape=";
        for (const char* c = shape.name; *c; ++c) command += static_cast<wchar_t>(*c);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
            BenchFail(std::string("cannot start the reading of ") + shape.name);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}
