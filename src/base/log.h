// The diagnostic log: one time-stamped line per WriteLog, appended to
// Log.txt beside the program. Off unless InitLog switches it on, and then
// on for the rest of the process.
#pragma once

#include <cstdarg>

// The diagnostic log: created here first to see whether logging is wanted.
inline constexpr const char kInitialLogPath[] = "C:\\Tallwood\\Ledgerpad\\Log.txt";
inline constexpr const char kLogFileName[] = "\\Log.txt";

// The compiler checks every caller's arguments against its format. MinGW's
// C++ runtime formats with its own C99 printf, hence gnu_printf there.
#if defined(__MINGW32__)
#define LEDGER_PRINTF_FORMAT(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#elif defined(__GNUC__)
#define LEDGER_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define LEDGER_PRINTF_FORMAT(fmt, args)
#endif

// Appends "<tenths>:\t<message>\n" (tenths of a second since the log was
// switched on, at least four digits). False only when the log is on and its
// file cannot be opened.
bool WriteLog(const char* format, ...) LEDGER_PRINTF_FORMAT(1, 2);
bool WriteLogV(const char* format, va_list args);

// Win32 (log_win.cpp): switches the log on when the fixed log path can be
// created; the log then goes to Log.txt in the program's folder. True when
// the log is on afterwards.
bool InitLog();

// The platform-free body of InitLog: creates (empties) probePath, then logs
// to the folder of programPath (up to its last "\") + "\Log.txt".
bool StartLog(const char* probePath, const char* programPath);

bool IsLogOn();
const char* LogFilePath();

// Milliseconds of a steadily rising clock (timeGetTime on Windows).
using LogClock = unsigned long (*)();
void SetLogClock(LogClock clock);

// Tests: switch the log off again and put the initial path back.
void StopLogForTesting();
