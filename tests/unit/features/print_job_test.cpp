// A print job against a printer that fails at a chosen call: every failure
// is reported by its step and the job is withdrawn, a cancel by the user is
// no failure, and only a job whose every page went through is ended.
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "feature_fixture.h"
#include "features/print_job.h"

namespace {

using namespace feature_test;

// Records the printer calls in order (drawing only counted) and refuses the
// one named, e.g. "StartPage 2" for the second StartPage. "Pump 1" stands
// for the user's Cancel arriving at the first page break.
class FailingPrinter : public PrintTarget {
public:
    std::string failAt;
    std::string cancelAt;
    std::vector<std::string> calls;
    int cellsDrawn = 0;

    bool StartDocument() override { return Call("StartDoc"); }
    bool StartPage() override { return Call("StartPage"); }
    bool DrawCell(const PrintCell&) override {
        ++cellsDrawn;
        return failAt != "Draw " + std::to_string(cellsDrawn);
    }
    bool EndPage() override { return Call("EndPage"); }
    bool EndDoc() override { return Call("EndDoc"); }
    void AbortDoc() override { calls.push_back("AbortDoc"); }
    void Pump() override { Call("Pump"); }
    bool Cancelled() const override { return m_Cancelled; }

private:
    bool Call(const std::string& name) {
        const std::string numbered = name + " " + std::to_string(++m_Counts[name]);
        if (name != "Pump") calls.push_back(name);
        if (numbered == cancelAt) m_Cancelled = true;
        // Once cancelled the printer refuses everything, as the spooler does.
        return numbered != failAt && !m_Cancelled;
    }
    std::map<std::string, int> m_Counts;
    bool m_Cancelled = false;
};

class PrintJobTest : public AccountTest {
protected:
    // 78 transactions on pages of 40 rows: three pages (37, 40 and 1).
    void SetUp() override {
        Build(std::vector<Tx>(78, Tx{.desc = "Groceries", .date = "20130305", .payment = 1.0}));
    }
    PrintOutcome Run(FailingPrinter& printer) {
        const PrintContent content{"My Checking", "03/05/13", account.Head(), ViewAll, nullptr};
        return RunPrintJob(ComputePrintPage(2550, 1200, 20), content, printer);
    }
};

using Calls = std::vector<std::string>;

TEST_F(PrintJobTest, EveryPageThroughEndsTheDocument) {
    FailingPrinter printer;
    EXPECT_EQ(Run(printer), PrintOutcome::Printed);
    EXPECT_EQ(printer.calls, (Calls{"StartDoc", "StartPage", "EndPage", "StartPage", "EndPage", "StartPage",
                                    "EndPage", "EndDoc"}));
    EXPECT_EQ(printer.cellsDrawn, 2 + 7 + 78 * 7);
}

TEST_F(PrintJobTest, AFailingCallIsReportedAndTheJobWithdrawn) {
    const struct Case {
        const char* failAt;
        PrintOutcome outcome;
        Calls calls;
    } cases[] = {
        {"StartDoc 1", PrintOutcome::StartDocFailed, {"StartDoc"}},
        {"StartPage 1", PrintOutcome::StartPageFailed, {"StartDoc", "StartPage", "AbortDoc"}},
        {"StartPage 2", PrintOutcome::StartPageFailed,
         {"StartDoc", "StartPage", "EndPage", "StartPage", "AbortDoc"}},
        {"EndPage 1", PrintOutcome::EndPageFailed, {"StartDoc", "StartPage", "EndPage", "AbortDoc"}},
        {"EndPage 3", PrintOutcome::EndPageFailed,
         {"StartDoc", "StartPage", "EndPage", "StartPage", "EndPage", "StartPage", "EndPage", "AbortDoc"}},
        // A cell of the second page's first row.
        {"Draw 275", PrintOutcome::DrawFailed, {"StartDoc", "StartPage", "EndPage", "StartPage", "AbortDoc"}},
        // The title of the first page.
        {"Draw 1", PrintOutcome::DrawFailed, {"StartDoc", "StartPage", "AbortDoc"}},
        {"EndDoc 1", PrintOutcome::EndDocFailed,
         {"StartDoc", "StartPage", "EndPage", "StartPage", "EndPage", "StartPage", "EndPage", "EndDoc",
          "AbortDoc"}},
    };
    for (const Case& c : cases) {
        FailingPrinter printer;
        printer.failAt = c.failAt;
        EXPECT_EQ(Run(printer), c.outcome) << c.failAt;
        EXPECT_TRUE(IsPrintFailure(c.outcome)) << c.failAt;
        EXPECT_EQ(printer.calls, c.calls) << c.failAt;
    }
}

TEST_F(PrintJobTest, ACancelByTheUserIsNoFailure) {
    const struct Case {
        const char* cancelAt;
        Calls calls;
    } cases[] = {
        // Cancel pressed while the first page was drawn: the page break
        // stops there.
        {"Pump 1", {"StartDoc", "StartPage", "AbortDoc"}},
        // Cancel answered by a refused EndPage.
        {"EndPage 2", {"StartDoc", "StartPage", "EndPage", "StartPage", "EndPage", "AbortDoc"}},
        // A printer that asks for a file name, answered with Cancel.
        {"StartDoc 1", {"StartDoc"}},
    };
    for (const Case& c : cases) {
        FailingPrinter printer;
        printer.cancelAt = c.cancelAt;
        EXPECT_EQ(Run(printer), PrintOutcome::Cancelled) << c.cancelAt;
        EXPECT_FALSE(IsPrintFailure(PrintOutcome::Cancelled));
        EXPECT_EQ(printer.calls, c.calls) << c.cancelAt;
    }
}

TEST(PrintFailureMessage, NamesTheAccountTheStepAndTheReason) {
    EXPECT_EQ(PrintFailureMessage(PrintOutcome::StartDocFailed, "My Checking", "Access denied."),
              "Ledgerpad could not print My Checking: the printer did not take the document.\nAccess denied.");
    EXPECT_EQ(PrintFailureMessage(PrintOutcome::EndPageFailed, "My Checking", ""),
              "Ledgerpad could not print My Checking: a page could not be finished.");
    EXPECT_EQ(PrintFailureMessage(PrintOutcome::DrawFailed, "A", ""),
              "Ledgerpad could not print A: a page could not be drawn.");
}

}  // namespace
