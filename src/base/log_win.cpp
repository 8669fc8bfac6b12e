#include <windows.h>
#include <mmsystem.h>

#include "base/log.h"
#include "base/path_size.h"
#include "base/wide_path_win.h"

namespace {

unsigned long MultimediaMilliseconds() {
    return timeGetTime();
}

}  // namespace

bool InitLog() {
    SetLogClock(MultimediaMilliseconds);
    // The program's own path from the wide call: the single-byte one (and
    // argv) would turn a folder named outside the code page into "?".
    wchar_t wide[kPathSize] = {};
    char program[kPathSize] = {};
    const DWORD length = GetModuleFileNameW(nullptr, wide, kPathSize);
    if (length == 0 || length >= kPathSize || !NarrowPath(wide, program)) program[0] = '\0';
    return StartLog(kInitialLogPath, program);
}
