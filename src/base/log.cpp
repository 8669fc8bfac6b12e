#include "base/log.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "base/bounded_text.h"
#include "base/path_size.h"
#include "base/utf16.h"

namespace {

unsigned long SteadyMilliseconds() {
    using namespace std::chrono;
    return static_cast<unsigned long>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

constexpr std::array<char, kPathSize> InitialLogPath() {
    std::array<char, kPathSize> path{};
    for (std::size_t i = 0; kInitialLogPath[i] && i < kMaxPathLength; ++i) path[i] = kInitialLogPath[i];
    return path;
}

bool g_logOn = false;
unsigned long g_startTenths = 0;
std::array<char, kPathSize> g_logPath = InitialLogPath();
LogClock g_clock = SteadyMilliseconds;

// The log's paths are UTF-8, as every path of the program; Windows opens
// them through its wide-character call, or a folder named outside the
// system's code page could not hold the log.
std::FILE* OpenLogFile(const char* path, const char* mode) {
#if defined(_WIN32)
    std::u16string widePath;
    std::u16string wideMode;
    if (!Utf8ToUtf16(path, widePath) || !Utf8ToUtf16(mode, wideMode)) return nullptr;
    return _wfopen(reinterpret_cast<const wchar_t*>(widePath.c_str()),
                   reinterpret_cast<const wchar_t*>(wideMode.c_str()));
#else
    return std::fopen(path, mode);
#endif
}

unsigned long NowTenths() {
    return g_clock() / 100;
}

// "Sat Dec 05 08:37:34 2026\n": the classic 24-character time text.
void LocalTimeText(char* out, std::size_t size) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::tm* tm = std::localtime(&now)) local = *tm;
    if (std::strftime(out, size, "%a %b %d %H:%M:%S %Y\n", &local) == 0 && size) out[0] = '\0';
}

}  // namespace

bool WriteLogV(const char* format, va_list args) {
    if (!g_logOn) return true;
    int elapsed = static_cast<int>(NowTenths() - g_startTenths);
    std::FILE* file = OpenLogFile(g_logPath.data(), "a+");
    if (!file) return false;
    std::fprintf(file, "%.4i:\t", elapsed);
    std::vfprintf(file, format, args);
    std::fputc('\n', file);
    std::fclose(file);
    return true;
}

bool WriteLog(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const bool result = WriteLogV(format, args);
    va_end(args);
    return result;
}

bool StartLog(const char* probePath, const char* programPath) {
    std::FILE* probe = OpenLogFile(probePath, "wb");
    if (!probe) return false;
    std::fclose(probe);

    char folder[kPathSize];
    CopyBounded(folder, programPath);
    char* lastSeparator = std::strrchr(folder, '\\');
    if (lastSeparator) *lastSeparator = '\0';
    else folder[0] = '\0';
    CopyBounded(g_logPath.data(), g_logPath.size(), folder);
    AppendBounded(g_logPath.data(), g_logPath.size(), kLogFileName);

    g_startTenths = NowTenths();
    g_logOn = true;
    char now[64];
    LocalTimeText(now, sizeof now);
    WriteLog("Log file for Ledgerpad: %s\nTime Message", now);
    return true;
}

bool IsLogOn() {
    return g_logOn;
}

const char* LogFilePath() {
    return g_logPath.data();
}

void SetLogClock(LogClock clock) {
    g_clock = clock ? clock : SteadyMilliseconds;
}

void StopLogForTesting() {
    g_logOn = false;
    g_logPath = InitialLogPath();
}
