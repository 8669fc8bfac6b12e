#include "features/printer_win.h"

#include <commdlg.h>

#include <cstring>
#include <string>

#include "features/date_range.h"
#include "features/feature_commands.h"
#include "features/print_device_win.h"
#include "features/print_job.h"
#include "features/print_layout.h"
#include "features/range_dialog_win.h"
#include "model/account.h"
#include "storage/last_error.h"
#include "base/log.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_runner.h"
#include "ui/common_dialogs_win.h"
#include "ui/message_box.h"
#include "values/date.h"

Printer* Printer::s_Active = nullptr;

namespace {

constexpr int kDocumentNameSize = 40;

UINT AlignFormat(PrintAlign align) {
    switch (align) {
        case PrintAlign::Center: return DT_CENTER;
        case PrintAlign::Right: return DT_RIGHT;
        default: return DT_LEFT;
    }
}

// The printer's device context as a print job's target. The first failure's
// system error is kept for the message that tells the user.
class DcTarget : public PrintTarget {
public:
    DcTarget(HDC dc, HFONT body, HFONT title, const char* documentName, const int& aborted, ABORTPROC pump)
        : m_Dc(dc), m_Body(body), m_Title(title), m_DocumentName(documentName), m_Aborted(aborted),
          m_Pump(pump) {}

    bool StartDocument() override {
        DOCINFOA doc{};
        doc.cbSize = sizeof doc;
        doc.lpszDocName = m_DocumentName;
        if (::StartDocA(m_Dc, &doc) > 0) return true;
        // A printer that asks for a file name reports its Cancel this way.
        m_DeclinedByUser = GetLastError() == ERROR_CANCELLED;
        return Failed("StartDoc");
    }

    bool StartPage() override {
        if (::StartPage(m_Dc) <= 0) return Failed("StartPage");
        // Some drivers reset the device context at every page.
        SelectObject(m_Dc, m_Body);
        return true;
    }

    bool DrawCell(const PrintCell& cell) override {
        SelectObject(m_Dc, cell.font == PrintFont::Title ? m_Title : m_Body);
        if (cell.framed) {
            RECT frame{cell.frame.left, cell.frame.top, cell.frame.right, cell.frame.bottom};
            FrameRect(m_Dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
        // An empty cell has nothing to draw; it is not a failure.
        if (cell.text.empty()) return true;
        RECT box{cell.textRect.left, cell.textRect.top, cell.textRect.right, cell.textRect.bottom};
        const UINT format = DT_SINGLELINE | DT_VCENTER | AlignFormat(cell.align);
        return DrawTextA(m_Dc, cell.text.c_str(), -1, &box, format) != 0 || Failed("DrawText");
    }

    bool EndPage() override { return ::EndPage(m_Dc) > 0 || Failed("EndPage"); }
    bool EndDoc() override { return ::EndDoc(m_Dc) > 0 || Failed("EndDoc"); }
    void AbortDoc() override { ::AbortDoc(m_Dc); }

    // Cancel is answered at every page even where the spooler calls the
    // abort procedure seldom.
    void Pump() override { m_Pump(m_Dc, 0); }
    bool Cancelled() const override { return m_Aborted != 0 || m_DeclinedByUser; }

    unsigned long Error() const { return m_Error; }

private:
    bool Failed(const char* call) {
        const DWORD error = GetLastError();
        WriteLog("Printer::Print: %s failed, error %lu", call, error);
        if (m_Error == 0) m_Error = error;
        return false;
    }

    HDC m_Dc;
    HFONT m_Body;
    HFONT m_Title;
    const char* m_DocumentName;
    const int& m_Aborted;  // set by the progress dialog's Cancel
    ABORTPROC m_Pump;
    bool m_DeclinedByUser = false;
    DWORD m_Error = 0;
};

std::string AccountName() {
    const char* name = g_Account.header.name;
    return std::string(name, strnlen(name, sizeof g_Account.header.name));
}

std::string TodayShown() {
    char today[kDateTextSize];
    g_Date.Today(today);
    return g_Date.ToDisplay(today);
}

bool Tell(HWND owner, const char* text) {
    ShowMessage(owner, text, kPrintRangeTitle, MB_OK | MB_ICONINFORMATION);
    return false;
}

}  // namespace

BOOL CALLBACK Printer::AbortProc(HDC, int) {
    Printer* printer = s_Active;
    if (!printer) return TRUE;
    MSG msg;
    while (!printer->m_Aborted && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (printer->m_Progress && IsDialogMessageA(printer->m_Progress, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return printer->m_Aborted ? FALSE : TRUE;
}

// Modeless: any command, Cancel or not, stops the printing and closes it.
INT_PTR CALLBACK Printer::ProgressProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(dialog, msg, wParam, {kDlgPrinting, EndingButtons::None}, result)) return result;
    switch (msg) {
        case WM_INITDIALOG:
            SetDlgItemTextA(dialog, kIdPrintingName, AccountName().c_str());
            return TRUE;
        case WM_COMMAND:
            if (s_Active) {
                s_Active->m_Aborted = 1;
                s_Active->m_Progress = nullptr;
            }
            EnableWindow(GetParent(dialog), TRUE);
            DestroyWindow(dialog);
            return TRUE;
    }
    return FALSE;
}

bool Printer::Print(HWND owner, const RecordNode* first, int view) {
    if (RunRangeDialog(owner, g_DateRange, kPrintRangeTitle) != kIdOk) return false;
    switch (g_DateRange.HasRecords(first, view)) {
        case kRangeNothingInRange: return Tell(owner, kPrintNoDataInRangeText);
        case kRangeOnlyReconciled: return Tell(owner, kPrintNoDataText);
    }

    ChosenPrinter printer;
    if (!printer.Choose(owner)) return false;
    HDC dc = printer.dc();

    const int scale = PrintScale(GetDeviceCaps(dc, HORZRES));
    PrinterFont body(kPrintBodyFontHeight * scale, FW_NORMAL);
    PrinterFont title(kPrintTitleFontHeight * scale, kPrintTitleFontWeight);
    KeepDcFont keep(dc);
    SelectObject(dc, body.get());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const PrintPage page = ComputePrintPage(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES),
                                            metrics.tmHeight + metrics.tmExternalLeading);

    EnableWindow(owner, FALSE);
    m_Aborted = 0;
    s_Active = this;
    SetAbortProc(dc, AbortProc);
    m_Progress = CreateModelessDialog(owner, kDlgPrinting, ProgressProc, 0);

    char documentName[kDocumentNameSize] = {};
    GetWindowTextA(owner, documentName, sizeof documentName);
    DcTarget target(dc, body.get(), title.get(), documentName, m_Aborted, AbortProc);
    const PrintContent content{AccountName(), TodayShown(), first, view, &g_DateRange};
    const PrintOutcome outcome = RunPrintJob(page, content, target);

    // The main window is given back on every path, before any message.
    if (m_Progress) DestroyWindow(m_Progress);
    m_Progress = nullptr;
    EnableWindow(owner, TRUE);
    s_Active = nullptr;
    if (IsPrintFailure(outcome)) {
        const std::string text = PrintFailureMessage(outcome, content.accountName, SystemErrorText(target.Error()));
        ShowMessage(owner, text.c_str(), kPrintErrorTitle, MB_OK | MB_ICONINFORMATION);
    }
    return outcome == PrintOutcome::Printed;
}

void RunPrintCommand(HWND hwnd, int) {
    if (g_Account.isOpen) {
        g_Account.ComputeBalances();
        static Printer printer;
        printer.Print(hwnd, g_Account.Head(), g_Account.view);
    }
}
