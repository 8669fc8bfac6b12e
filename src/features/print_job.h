// One print job from start to end: the document started, the pages laid out
// and drawn, the document ended. When the printer fails at any step the job
// is withdrawn whole (AbortDoc), so that a job cut short never reaches the
// printer as if it were complete, and the caller learns which step failed.
// printer_win.cpp supplies the printer; tests supply one that fails.
#pragma once

#include <string>

#include "features/print_layout.h"

// The printer as a print job uses it. Each call is false when the printer
// refused it.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    // (Not "StartDoc": Windows headers make that name a macro.)
    virtual bool StartDocument() = 0;
    virtual bool StartPage() = 0;
    virtual bool DrawCell(const PrintCell& cell) = 0;
    virtual bool EndPage() = 0;
    virtual bool EndDoc() = 0;
    virtual void AbortDoc() = 0;
    // Lets the progress dialog's Cancel through; called between pages.
    virtual void Pump() = 0;
    // True once the user cancelled the job.
    virtual bool Cancelled() const = 0;
};

enum class PrintOutcome {
    Printed,
    Cancelled,  // by the user: not a failure
    StartDocFailed,
    StartPageFailed,
    DrawFailed,
    EndPageFailed,
    EndDocFailed,
};

PrintOutcome RunPrintJob(const PrintPage& page, const PrintContent& content, PrintTarget& target);

inline bool IsPrintFailure(PrintOutcome outcome) {
    return outcome != PrintOutcome::Printed && outcome != PrintOutcome::Cancelled;
}

inline constexpr char kPrintErrorTitle[] = "Print Error";

// "Ledgerpad could not print <account>: <what failed>." with the system's
// reason on a line of its own when there is one.
std::string PrintFailureMessage(PrintOutcome outcome, const std::string& accountName, const std::string& reason);
