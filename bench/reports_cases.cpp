// The three reports over the whole account: computed with their tables (as
// the Reports window does each time a choice changes), and their charts
// drawn into a bitmap of 1920 x 1080 at 96 DPI. The filled account's
// descriptions all differ, the worst case for "Where the money goes".
#include <windows.h>

#include <string>

#include "bench.h"
#include "features/report_chart_win.h"
#include "features/reports.h"
#include "model/account.h"
#include "values/date.h"

namespace {

Report g_Report;
ChartTexts g_Texts;

ReportQuery g_Query;

// The range "All", as the window has it before the report changes.
void ChooseAll(ReportKind kind) { g_Query = {kind, RangeFor(RangeChoice::All, 20260101, g_Account.Head()), false}; }

void Compute() {
    g_Report = ComputeReport(g_Account.Head(), g_Query);
    const ReportTable table = MakeReportTable(g_Report, g_Date);
    if (g_Report.recordCount == 0 || table.rows.empty()) BenchFail("report: nothing computed");
}

// Its floor: one pass that reads every record's date and amounts.
void ReadEveryRecord(BenchAccount&) {
    double sum = 0;
    std::size_t dated = 0;
    for (const RecordNode* n = g_Account.Head(); n != nullptr; n = n->next) {
        sum += n->record->deposit - n->record->payment;
        dated += n->record->date[0] != '\0';
    }
    if (dated == 0 || sum == 0) BenchFail("report floor: no records");
}

void PrepareChart(ReportKind kind) {
    ChooseAll(kind);
    Compute();
    g_Texts = {ReportHeading(g_Report.query, g_Date), NothingToShowText(g_Report, g_Date)};
}

void DrawChart(BenchAccount&) {
    if (!DrawReportChartOffscreen(1920, 1080, 96, g_Report, g_Texts)) BenchFail("chart: drawing failed");
}

// Its floor: an empty chart, the bitmap with its frame and heading alone.
void DrawEmptyChart(BenchAccount&) {
    const Report empty{};
    if (!DrawReportChartOffscreen(1920, 1080, 96, empty, {"Balance over time", "No records."}))
        BenchFail("chart floor: drawing failed");
}

BenchCase ComputeCase(const char* name, ReportKind kind) {
    return {.name = name,
            .target = "< 20 ms",
            .maxMilliseconds = 20,
            .prepare = [kind](BenchAccount&) { ChooseAll(kind); },
            .run = [](BenchAccount&) { Compute(); },
            .floor = ReadEveryRecord};
}

BenchCase DrawCase(const char* name, ReportKind kind) {
    return {.name = name,
            .target = "< 16 ms",
            .maxMilliseconds = 16,
            .prepare = [kind](BenchAccount&) { PrepareChart(kind); },
            .run = DrawChart,
            .floor = DrawEmptyChart};
}

const BenchRegistrar kReportCases{{
    ComputeCase("report balance", ReportKind::Balance),
    ComputeCase("report in and out", ReportKind::InOut),
    ComputeCase("report payees", ReportKind::Payees),
    DrawCase("chart balance 1920x1080", ReportKind::Balance),
    DrawCase("chart in and out 1920x1080", ReportKind::InOut),
    DrawCase("chart payees 1920x1080", ReportKind::Payees),
}};

}  // namespace
