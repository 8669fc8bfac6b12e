#include "features/print_job.h"

namespace {

// Draws the layout on the target and remembers the first step that failed.
class JobSink : public PrintSink {
public:
    explicit JobSink(PrintTarget& target) : m_Target(target) {}

    bool Cell(const PrintCell& cell) override {
        if (m_Target.Cancelled()) return false;
        return m_Target.DrawCell(cell) || Fail(PrintOutcome::DrawFailed);
    }

    bool NewPage() override {
        m_Target.Pump();
        if (m_Target.Cancelled()) return false;
        if (!m_Target.EndPage()) return Fail(PrintOutcome::EndPageFailed);
        return m_Target.StartPage() || Fail(PrintOutcome::StartPageFailed);
    }

    bool Fail(PrintOutcome outcome) {
        m_Outcome = outcome;
        return false;
    }
    PrintOutcome Outcome() const { return m_Outcome; }

private:
    PrintTarget& m_Target;
    PrintOutcome m_Outcome = PrintOutcome::Printed;
};

// The pages between StartDoc and EndDoc.
PrintOutcome PrintPages(const PrintPage& page, const PrintContent& content, PrintTarget& target) {
    JobSink sink(target);
    if (!target.StartPage()) return PrintOutcome::StartPageFailed;
    LayoutPrint(page, content, sink);
    if (sink.Outcome() != PrintOutcome::Printed || target.Cancelled()) return sink.Outcome();
    return target.EndPage() ? PrintOutcome::Printed : PrintOutcome::EndPageFailed;
}

const char* StepText(PrintOutcome outcome) {
    switch (outcome) {
        case PrintOutcome::StartDocFailed: return "the printer did not take the document";
        case PrintOutcome::StartPageFailed: return "a page could not be started";
        case PrintOutcome::DrawFailed: return "a page could not be drawn";
        case PrintOutcome::EndPageFailed: return "a page could not be finished";
        case PrintOutcome::EndDocFailed: return "the document could not be finished";
        default: return "";
    }
}

}  // namespace

PrintOutcome RunPrintJob(const PrintPage& page, const PrintContent& content, PrintTarget& target) {
    if (!target.StartDocument())
        return target.Cancelled() ? PrintOutcome::Cancelled : PrintOutcome::StartDocFailed;
    PrintOutcome outcome = PrintPages(page, content, target);
    // Once the user cancelled, the printer refuses the calls that follow:
    // that is the cancel, not a failure.
    if (target.Cancelled()) outcome = PrintOutcome::Cancelled;
    if (outcome == PrintOutcome::Printed && !target.EndDoc()) outcome = PrintOutcome::EndDocFailed;
    if (outcome != PrintOutcome::Printed) target.AbortDoc();
    return outcome;
}

std::string PrintFailureMessage(PrintOutcome outcome, const std::string& accountName, const std::string& reason) {
    std::string text = "Ledgerpad could not print " + accountName + ": " + StepText(outcome) + ".";
    if (!reason.empty()) text += "\n" + reason;
    return text;
}
