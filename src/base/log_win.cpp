#include <windows.h>
#include <mmsystem.h>

#include <cstdlib>

#include "base/log.h"
#include "base/path_size.h"

namespace {

unsigned long MultimediaMilliseconds() {
    return timeGetTime();
}

}  // namespace

bool InitLog() {
    SetLogClock(MultimediaMilliseconds);
    const char* program = (__argc > 0 && __argv && __argv[0]) ? __argv[0] : "";
    return StartLog(kInitialLogPath, program);
}
