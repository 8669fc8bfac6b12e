#include "storage/exception_reporter.h"

#include "base/log.h"

namespace {

const char* SeverityLine(int severity) {
    switch (severity) {
        case kSeverityWarning: return "Warning: ";
        case kSeverityError: return "ERROR: ";
        case kSeverityFatal: return "FATAL ERROR: ";
        default: return nullptr;
    }
}

}  // namespace

void ExceptionReporter::Report(const char* text, int severity) {
    if (const char* prefix = SeverityLine(severity)) WriteLog("%s", prefix);
    WriteLog("%s", text ? text : "");
}
