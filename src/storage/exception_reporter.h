// Where exceptions of the typed stream describe themselves: the log.
#pragma once

// Severity of a report: a line "Warning: ", "ERROR: " or "FATAL ERROR: "
// goes before the text; 0 or any other value adds nothing.
inline constexpr int kSeverityNone = 0;
inline constexpr int kSeverityWarning = 1;
inline constexpr int kSeverityError = 2;
inline constexpr int kSeverityFatal = 3;

class ReporterBase {
public:
    virtual ~ReporterBase() = default;
    virtual void Report(const char* text, int severity) = 0;
};

// Writes each report to the diagnostic log; the text is never a format.
class ExceptionReporter : public ReporterBase {
public:
    void Report(const char* text, int severity) override;
};
