#include "features/report_print_win.h"

#include <commdlg.h>

#include <algorithm>
#include <string>

#include "base/log.h"
#include "features/print_job.h"
#include "features/print_layout.h"
#include "features/report_chart_win.h"
#include "features/reports.h"
#include "storage/last_error.h"
#include "ui/common_dialogs_win.h"
#include "ui/message_box.h"

namespace {

// The register's print dialog choices: one printer, all of the document.
constexpr DWORD kPrintDialogFlags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE;
constexpr char kFontFace[] = "Arial";

// What the print dialog hands over, released on every path.
class PrintChoice {
public:
    PrintChoice() = default;
    ~PrintChoice() {
        if (pd.hDC) DeleteDC(pd.hDC);
        if (pd.hDevMode) GlobalFree(pd.hDevMode);
        if (pd.hDevNames) GlobalFree(pd.hDevNames);
    }
    PrintChoice(const PrintChoice&) = delete;
    PrintChoice& operator=(const PrintChoice&) = delete;
    PRINTDLGA pd{};
};

class Font {
public:
    Font(int height, int weight)
        : m_Font(CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, kFontFace)) {}
    ~Font() {
        if (m_Font) DeleteObject(m_Font);
    }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    HFONT get() const { return m_Font; }

private:
    HFONT m_Font;
};

// Puts the DC's own font back before ours are deleted.
class KeepFont {
public:
    explicit KeepFont(HDC dc) : m_Dc(dc), m_Font(GetCurrentObject(dc, OBJ_FONT)) {}
    ~KeepFont() { SelectObject(m_Dc, m_Font); }
    KeepFont(const KeepFont&) = delete;
    KeepFont& operator=(const KeepFont&) = delete;

private:
    HDC m_Dc;
    HGDIOBJ m_Font;
};

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
    Font body(kPrintBodyFontHeight * scale, FW_NORMAL);
    Font title(kPrintTitleFontHeight * scale, kPrintTitleFontWeight);
    KeepFont keep(dc);

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
    PrintChoice choice;
    choice.pd.lStructSize = sizeof choice.pd;
    choice.pd.hwndOwner = owner;
    choice.pd.Flags = kPrintDialogFlags;
    choice.pd.nCopies = 1;
    if (!ShowPrintDialog(&choice.pd) || !choice.pd.hDC) return false;
    DWORD error = 0;
    const PrintOutcome outcome = PrintOnePage(choice.pd.hDC, accountName, report, table, texts, error);
    if (IsPrintFailure(outcome)) {
        const std::string text = PrintFailureMessage(outcome, accountName, SystemErrorText(error));
        ShowMessage(owner, text.c_str(), kPrintErrorTitle, MB_OK | MB_ICONINFORMATION);
    }
    return outcome == PrintOutcome::Printed;
}
