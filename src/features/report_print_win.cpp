#include "features/report_print_win.h"

#include <commdlg.h>

#include <algorithm>
#include <string>

#include "base/log.h"
#include "features/print_device_win.h"
#include "features/print_job.h"
#include "features/print_layout.h"
#include "features/report_chart_win.h"
#include "features/reports.h"
#include "storage/last_error.h"
#include "ui/common_dialogs_win.h"
#include "ui/message_box.h"

namespace {

int LineHeight(HDC dc) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    return metrics.tmHeight + metrics.tmExternalLeading;
}

bool Line(HDC dc, const std::string& text, RECT box, UINT align) {
    return text.empty() || DrawTextA(dc, text.c_str(), -1, &box, DT_SINGLELINE | DT_NOPREFIX | align) != 0;
}

// The table under the chart: columns share the page width, the first one
// twice as wide; what does not fit is counted in one last line.
bool DrawTable(HDC dc, const ReportTable& table, int left, int right, int top, int bottom) {
    const int columns = static_cast<int>(table.headers.size());
    if (columns == 0) return true;
    const int unit = (right - left) / (columns + 1), lineHeight = LineHeight(dc);
    auto row = [&](const std::vector<std::string>& cells, int y) {
        int x = left;
        for (int c = 0; c < columns; ++c) {
            const int width = unit * (c == 0 ? 2 : 1);
            const UINT align = table.aligns[c] == CellAlign::Right ? DT_RIGHT : DT_LEFT;
            if (!Line(dc, cells[c], {x, y, x + width - unit / 8, y + lineHeight}, align)) return false;
            x += width;
        }
        return true;
    };
    if (!row(table.headers, top)) return false;
    int y = top + lineHeight * 3 / 2;
    const std::size_t fits = static_cast<std::size_t>(std::max(0, (bottom - y) / lineHeight - 1));
    const std::size_t shown = table.rows.size() <= fits + 1 ? table.rows.size() : fits;
    for (std::size_t r = 0; r < shown; ++r, y += lineHeight)
        if (!row(table.rows[r], y)) return false;
    if (shown < table.rows.size()) {
        const std::string more = std::to_string(table.rows.size() - shown) +
                                 " more rows are not on this page; Copy gives the whole table.";
        return Line(dc, more, {left, y, right, y + lineHeight}, DT_LEFT);
    }
    return true;
}

PrintOutcome Fail(const char* call, PrintOutcome outcome, DWORD& error) {
    error = GetLastError();
    WriteLog("PrintReport: %s failed, error %lu", call, error);
    return outcome;
}

PrintOutcome PrintOnePage(HDC dc, const std::string& accountName, const Report& report, const ReportTable& table,
                       const ChartTexts& texts, DWORD& error) {
    const int width = GetDeviceCaps(dc, HORZRES), height = GetDeviceCaps(dc, VERTRES);
    const int scale = PrintScale(width);
    const int margin = width / 12;
    PrinterFont body(kPrintBodyFontHeight * scale, FW_NORMAL);
    PrinterFont title(kPrintTitleFontHeight * scale, kPrintTitleFontWeight);
    KeepDcFont keep(dc);

    const std::string heading = kReportTitles[static_cast<int>(report.query.kind)] + std::string(" - ") + accountName;
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = heading.c_str();
    if (StartDocA(dc, &doc) <= 0) return Fail("StartDoc", PrintOutcome::StartDocFailed, error);
    auto abandon = [&](const char* call, PrintOutcome outcome) {
        const PrintOutcome failed = Fail(call, outcome, error);
        AbortDoc(dc);
        return failed;
    };
    if (StartPage(dc) <= 0) return abandon("StartPage", PrintOutcome::StartPageFailed);

    SelectObject(dc, title.get());
    int y = margin;
    if (!Line(dc, kPrintTitlePrefix + heading, {margin, y, width - margin, y + LineHeight(dc)}, DT_LEFT))
        return abandon("DrawText", PrintOutcome::DrawFailed);
    y += LineHeight(dc);
    SelectObject(dc, body.get());
    if (!Line(dc, texts.heading, {margin, y, width - margin, y + LineHeight(dc)}, DT_LEFT))
        return abandon("DrawText", PrintOutcome::DrawFailed);
    y += LineHeight(dc) * 2;

    // The chart takes two fifths of the page, drawn for the printer's DPI.
    const RECT chart{margin, y, width - margin, y + (height - 2 * margin) * 2 / 5};
    if (!DrawReportChart(dc, chart, static_cast<unsigned>(GetDeviceCaps(dc, LOGPIXELSY)), report, texts))
        return abandon("DrawReportChart", PrintOutcome::DrawFailed);
    SelectObject(dc, body.get());
    if (!DrawTable(dc, table, margin, width - margin, chart.bottom + LineHeight(dc), height - margin))
        return abandon("DrawText", PrintOutcome::DrawFailed);

    if (EndPage(dc) <= 0) return abandon("EndPage", PrintOutcome::EndPageFailed);
    if (EndDoc(dc) <= 0) return abandon("EndDoc", PrintOutcome::EndDocFailed);
    return PrintOutcome::Printed;
}

}  // namespace

bool PrintReport(HWND owner, const std::string& accountName, const Report& report, const ReportTable& table,
                 const ChartTexts& texts) {
    ChosenPrinter printer;
    if (!printer.Choose(owner)) return false;
    DWORD error = 0;
    const PrintOutcome outcome = PrintOnePage(printer.dc(), accountName, report, table, texts, error);
    if (IsPrintFailure(outcome)) {
        const std::string text = PrintFailureMessage(outcome, accountName, SystemErrorText(error));
        ShowMessage(owner, text.c_str(), kPrintErrorTitle, MB_OK | MB_ICONINFORMATION);
    }
    return outcome == PrintOutcome::Printed;
}
