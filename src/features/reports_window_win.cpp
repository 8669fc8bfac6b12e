// The Reports window: its template, control ids and procedure side by side.
// Its controls are placed by the procedure, in proportion to the window's
// DPI, whenever the window is sized.
#include "features/reports_window_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "base/log.h"
#include "base/path_size.h"
#include "base/wide_path_win.h"
#include "features/report_chart_win.h"
#include "features/report_print_win.h"
#include "features/reports.h"
#include "features/reports_ids.h"
#include "model/account.h"
#include "ui/common_dialogs_win.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_runner.h"
#include "ui/dialog_table.h"
#include "ui/message_box.h"
#include "values/date.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace {

using namespace dlgstyle;

constexpr std::uint32_t kThickFrame = WS_THICKFRAME;
constexpr std::uint32_t kMaximizeBox = WS_MAXIMIZEBOX;
constexpr std::uint32_t kClipChildren = WS_CLIPCHILDREN;
constexpr std::uint32_t kDropDownList = CBS_DROPDOWNLIST | WS_VSCROLL;
constexpr std::uint32_t kDateEdit = ES_AUTOHSCROLL | kBorder;
constexpr std::uint32_t kOwnerDrawn = SS_OWNERDRAW;
constexpr std::uint32_t kTable = LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | kBorder;

constexpr ControlDescription Control(std::uint16_t x, std::uint16_t y, std::uint16_t width, std::uint16_t height,
                                     int id, std::uint32_t style, const char* windowClass, const char* text) {
    return {x, y, width, height, static_cast<std::uint16_t>(id), style | kVisible, windowClass, text};
}

// The order is the tab order. Positions here are only the first guess:
// Layout places every control.
constexpr ControlDescription kControls[] = {
    Control(5, 7, 25, 9, kIdReportKindLabel, kStaticLeft, "STATIC", "R&eport:"),
    Control(30, 5, 95, 80, kIdReportKind, kDropDownList | kTabStop, "COMBOBOX", ""),
    Control(130, 7, 22, 9, kIdReportRangeLabel, kStaticLeft, "STATIC", "Ra&nge:"),
    Control(152, 5, 60, 80, kIdReportRange, kDropDownList | kTabStop, "COMBOBOX", ""),
    Control(217, 7, 18, 9, kIdReportFromLabel, kStaticLeft, "STATIC", "&From:"),
    Control(235, 5, 35, 12, kIdReportFrom, kDateEdit | kTabStop, "EDIT", ""),
    Control(275, 7, 11, 9, kIdReportToLabel, kStaticLeft, "STATIC", "&To:"),
    Control(286, 5, 35, 12, kIdReportTo, kDateEdit | kTabStop, "EDIT", ""),
    Control(326, 6, 60, 11, kIdReportCleared, kAutoCheckBox | kTabStop, "BUTTON", "Cleared (&R) only"),
    Control(5, 20, 400, 9, kIdReportStatus, kStaticLeft, "STATIC", ""),
    Control(5, 30, 430, 150, kIdReportChart, kOwnerDrawn, "STATIC", ""),
    Control(5, 185, 430, 100, kIdReportTable, kTable | kTabStop, WC_LISTVIEWA, ""),
    Control(200, 292, 45, 13, kIdReportCopy, kPushButton | kTabStop, "BUTTON", "&Copy"),
    Control(250, 292, 55, 13, kIdReportSavePicture, kPushButton | kTabStop, "BUTTON", "Save &Picture..."),
    Control(310, 292, 45, 13, kIdReportPrint, kPushButton | kTabStop, "BUTTON", "&Print..."),
    Control(390, 292, 45, 13, kIdCancel, kPushButton | kTabStop, "BUTTON", "Close"),
};
constexpr DialogDescription kReportsDialog = {
    kPopup | kCaption | kSysMenu | kThickFrame | kMaximizeBox | kClipChildren,
    0, 0, 440, 310, "", "", "Reports", 0, "", kControls};

// The window's size at 96 DPI when it opens, and the least it may be sized to.
constexpr int kOpenWidth = 900;
constexpr int kOpenHeight = 660;
constexpr int kLeastWidth = 780;
constexpr int kLeastHeight = 460;

constexpr char kSavePictureTitle[] = "Save Picture";
constexpr char kCopyFailedText[] = "Ledgerpad could not put the table on the clipboard.";

struct ReportsState {
    std::string accountName;
    ReportQuery query;
    Report report;
    ReportTable table;
    ChartTexts texts;
    unsigned dpi = 96;
    bool filling = false;  // texts set by the window itself, not typed
};

ReportsState& StateOf(HWND dialog) { return *reinterpret_cast<ReportsState*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

unsigned WindowDpi(HWND window) {
    using Function = UINT(WINAPI*)(HWND);
    // Looked up at run time: Windows before 10 does not have it.
    static const Function dpiForWindow = reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    const UINT dpi = dpiForWindow ? dpiForWindow(window) : 0;
    return dpi ? dpi : 96;
}

int Scaled(int pixels, unsigned dpi) { return MulDiv(pixels, static_cast<int>(dpi), 96); }

DayNumber Today() {
    char today[kDateTextSize];
    g_Date.Today(today);
    return DayOfStoredText(today);
}

std::string DateText(DayNumber day) { return g_Date.ToDisplay(StoredText(day).c_str()); }

// ---- Placing the controls ----------------------------------------------------

void Place(HWND dialog, int id, int x, int y, int width, int height) {
    MoveWindow(GetDlgItem(dialog, id), x, y, std::max(width, 1), std::max(height, 1), TRUE);
}

void Layout(HWND dialog, unsigned dpi) {
    RECT client{};
    GetClientRect(dialog, &client);
    auto S = [dpi](int pixels) { return Scaled(pixels, dpi); };
    const int margin = S(10), rowHeight = S(24), gap = S(8), labelTop = S(4);
    // The top row, left to right: each label beside its control.
    struct Slot {
        int id;
        int width;
        bool label;
    };
    const Slot row[] = {
        {kIdReportKindLabel, 46, true}, {kIdReportKind, 190, false}, {kIdReportRangeLabel, 44, true},
        {kIdReportRange, 120, false},   {kIdReportFromLabel, 38, true}, {kIdReportFrom, 76, false},
        {kIdReportToLabel, 22, true},   {kIdReportTo, 76, false},     {kIdReportCleared, 130, false},
    };
    const int statusTop = margin + rowHeight + S(4);
    int x = margin, statusRight = client.right - margin;
    for (const Slot& slot : row) {
        const bool combo = slot.id == kIdReportKind || slot.id == kIdReportRange;
        // A drop-down list's height holds its opened list.
        const int height = combo ? S(200) : slot.label ? rowHeight - labelTop : rowHeight;
        int top = margin + (slot.label ? labelTop : 0);
        // A window too narrow for the whole row keeps the check box in view
        // at the right of the line below.
        if (slot.id == kIdReportCleared && x + S(slot.width) > client.right - margin) {
            x = statusRight = client.right - margin - S(slot.width);
            top = statusTop - S(3);
        }
        Place(dialog, slot.id, x, top, S(slot.width), height);
        x += S(slot.width) + (slot.label ? S(2) : gap);
    }
    Place(dialog, kIdReportStatus, margin, statusTop, statusRight - gap - margin, S(18));

    const int buttonHeight = S(26), buttonTop = client.bottom - margin - buttonHeight;
    const int bodyTop = statusTop + S(22), bodyHeight = std::max(buttonTop - gap - bodyTop, S(40));
    const int chartHeight = bodyHeight * 3 / 5;
    Place(dialog, kIdReportChart, margin, bodyTop, client.right - 2 * margin, chartHeight);
    Place(dialog, kIdReportTable, margin, bodyTop + chartHeight + gap, client.right - 2 * margin,
          bodyHeight - chartHeight - gap);

    const std::pair<int, int> buttons[] = {
        {kIdReportCopy, 90}, {kIdReportSavePicture, 120}, {kIdReportPrint, 90}, {kIdCancel, 90}};
    int left = margin;
    for (const auto& [id, width] : buttons) {
        // Close stands apart at the right.
        if (id == kIdCancel) left = client.right - margin - S(width);
        Place(dialog, id, left, buttonTop, S(width), buttonHeight);
        left += S(width) + gap;
    }
    InvalidateRect(GetDlgItem(dialog, kIdReportChart), nullptr, FALSE);
}

// Opens at a size that shows everything, within the screen's work area,
// centred on the main window.
void SizeAndPlace(HWND dialog, ReportsState& state) {
    state.dpi = WindowDpi(dialog);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = std::min(Scaled(kOpenWidth, state.dpi), static_cast<int>(work.right - work.left));
    const int height = std::min(Scaled(kOpenHeight, state.dpi), static_cast<int>(work.bottom - work.top));
    SetWindowPos(dialog, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceDialog(dialog, kReportsDialog, kDialogFontSansSerif, 0);
    Layout(dialog, state.dpi);
}

// ---- The table ------------------------------------------------------------------

void FillTable(HWND dialog, const ReportTable& table) {
    HWND list = GetDlgItem(dialog, kIdReportTable);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    while (ListView_DeleteColumn(list, 0)) {
    }
    for (std::size_t i = 0; i < table.headers.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM | LVCF_WIDTH;
        column.fmt = table.aligns[i] == CellAlign::Right ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = 100;
        column.pszText = const_cast<char*>(table.headers[i].c_str());
        column.iSubItem = static_cast<int>(i);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    ListView_SetItemCount(list, static_cast<int>(table.rows.size()));
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const auto& row = table.rows[r];
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(r);
        item.pszText = const_cast<char*>(row[0].c_str());
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (std::size_t c = 1; c < row.size(); ++c) {
            LVITEMA cell{};
            cell.iSubItem = static_cast<int>(c);
            cell.pszText = const_cast<char*>(row[c].c_str());
            SendMessageA(list, LVM_SETITEMTEXTA, r, reinterpret_cast<LPARAM>(&cell));
        }
    }
    // Each column as wide as its widest cell or its header, whichever is
    // wider (the last one is not stretched to the list's edge).
    for (std::size_t i = 0; i < table.headers.size(); ++i) {
        const int column = static_cast<int>(i);
        ListView_SetColumnWidth(list, column, LVSCW_AUTOSIZE);
        const int header = ListView_GetStringWidth(list, table.headers[i].c_str()) + GetSystemMetrics(SM_CXEDGE) * 8;
        ListView_SetColumnWidth(list, column, std::max(ListView_GetColumnWidth(list, column), header));
    }
    if (!table.rows.empty()) ListView_SetItemState(list, 0, LVIS_FOCUSED, LVIS_FOCUSED);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

// ---- The report ---------------------------------------------------------------------

std::string CountText(std::size_t count) {
    return count == 1 ? "1 record in the range." : std::to_string(count) + " records in the range.";
}

void Recompute(HWND dialog, ReportsState& state) {
    state.report = ComputeReport(g_Account.Head(), state.query);
    state.table = MakeReportTable(state.report, g_Date);
    state.texts = {ReportHeading(state.query, g_Date), NothingToShowText(state.report, g_Date)};
    SetDlgItemTextA(dialog, kIdReportStatus, CountText(state.report.recordCount).c_str());
    // The chart's own text is what a screen reader says of it.
    const std::string& said = state.texts.nothingToShow.empty() ? state.texts.heading : state.texts.nothingToShow;
    SetDlgItemTextA(dialog, kIdReportChart, said.c_str());
    FillTable(dialog, state.table);
    InvalidateRect(GetDlgItem(dialog, kIdReportChart), nullptr, FALSE);
}

void ShowRange(HWND dialog, ReportsState& state) {
    state.filling = true;
    SetDlgItemTextA(dialog, kIdReportFrom, DateText(state.query.range.from).c_str());
    SetDlgItemTextA(dialog, kIdReportTo, DateText(state.query.range.to).c_str());
    state.filling = false;
}

void ChooseRange(HWND dialog, ReportsState& state, RangeChoice choice) {
    SendDlgItemMessageA(dialog, kIdReportRange, CB_SETCURSEL, static_cast<WPARAM>(choice), 0);
    state.query.range = RangeFor(choice, Today(), g_Account.Head());
    ShowRange(dialog, state);
    Recompute(dialog, state);
}

// A typed date, 0 when it cannot be read in the user's format.
DayNumber ReadDate(HWND dialog, int id) {
    char text[kDisplayDateSize + 8] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    if (std::strlen(text) >= kDisplayDateSize || !g_Date.Parse(text)) return 0;
    return DayOfStoredText(g_Date.GetText());
}

// The typed dates take effect as soon as both can be read and are in order;
// until then the line above the chart says what is wrong.
void DatesTyped(HWND dialog, ReportsState& state) {
    if (state.filling) return;
    char format[kDateFormatNameSize];
    g_Date.FormatName(format);
    const DayNumber from = ReadDate(dialog, kIdReportFrom), to = ReadDate(dialog, kIdReportTo);
    std::string problem;
    if (from == 0)
        problem = std::string("Type the \"From\" date as ") + format + ".";
    else if (to == 0)
        problem = std::string("Type the \"To\" date as ") + format + ".";
    else if (from > to)
        problem = "The \"From\" date cannot be a date that occurs later than the \"To\" date.";
    if (!problem.empty()) {
        SetDlgItemTextA(dialog, kIdReportStatus, problem.c_str());
        return;
    }
    SendDlgItemMessageA(dialog, kIdReportRange, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    state.query.range = {from, to};
    Recompute(dialog, state);
}

// ---- Copy, Save Picture -------------------------------------------------------------------

bool PutOnClipboard(HWND owner, const std::string& text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    bool placed = false;
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        if (void* bytes = GlobalLock(block)) {
            std::memcpy(bytes, text.c_str(), text.size() + 1);
            GlobalUnlock(block);
            placed = SetClipboardData(CF_TEXT, block) != nullptr;
        }
        // The clipboard owns the block only once it took it.
        if (!placed) GlobalFree(block);
    }
    CloseClipboard();
    return placed;
}

// The one place that asks where the picture goes; the path is wide from
// here on, so only this function changes when the file dialogs do.
bool AskPictureFile(HWND owner, const char* suggested, std::wstring& path) {
    char file[kPathSize] = {};
    std::snprintf(file, sizeof file, "%s.png", suggested);
    const FileDialogTexts texts{"PNG picture (*.png)\0*.png\0", kSavePictureTitle, "png", nullptr,
                                OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR};
    if (!AskSaveFilePath(owner, texts, file, sizeof file)) return false;
    path = WidePath(file);
    return !path.empty();
}

void SavePicture(HWND dialog, ReportsState& state) {
    std::wstring path;
    if (!AskPictureFile(dialog, kReportTitles[static_cast<int>(state.query.kind)], path)) return;
    RECT chart{};
    GetClientRect(GetDlgItem(dialog, kIdReportChart), &chart);
    if (!SaveReportChartPng(path, chart.right, chart.bottom, state.dpi, state.report, state.texts)) {
        WriteLog("ReportsWindow::SavePicture: the PNG could not be written");
        ShowMessage(dialog, "Ledgerpad could not save the picture.", kSavePictureTitle, MB_OK | MB_ICONINFORMATION);
    }
}

// ---- The procedure ----------------------------------------------------------------------------

void FillChoices(HWND dialog) {
    for (const char* title : kReportTitles)
        SendDlgItemMessageA(dialog, kIdReportKind, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title));
    SendDlgItemMessageA(dialog, kIdReportKind, CB_SETCURSEL, 0, 0);
    for (const char* choice : kRangeChoiceTexts)
        SendDlgItemMessageA(dialog, kIdReportRange, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    for (int id : {kIdReportFrom, kIdReportTo})
        SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kDisplayDateSize - 1, 0);
    ListView_SetExtendedListViewStyle(GetDlgItem(dialog, kIdReportTable), LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
}

// This year when it holds records, else everything: the window never opens
// on an empty chart while the account has records.
RangeChoice OpeningRange() {
    const ReportRange year = RangeFor(RangeChoice::ThisYear, Today(), nullptr);
    return ComputeReport(g_Account.Head(), {ReportKind::InOut, year, false}).recordCount > 0 ? RangeChoice::ThisYear
                                                                                             : RangeChoice::All;
}

void Initialize(HWND dialog, ReportsState& state) {
    SetWindowTextA(dialog, (kReportsTitlePrefix + state.accountName).c_str());
    FillChoices(dialog);
    SizeAndPlace(dialog, state);
    ChooseRange(dialog, state, OpeningRange());
    SetFocus(GetDlgItem(dialog, kIdReportKind));
}

bool OnCommand(HWND dialog, ReportsState& state, int id, int code) {
    switch (id) {
        case kIdReportKind:
            if (code != CBN_SELCHANGE) return false;
            state.query.kind = static_cast<ReportKind>(
                std::clamp(static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)), 0, kReportKindCount - 1));
            Recompute(dialog, state);
            return true;
        case kIdReportRange: {
            if (code != CBN_SELCHANGE) return false;
            const LRESULT choice = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
            if (choice >= 0 && choice < kRangeChoiceCount) ChooseRange(dialog, state, static_cast<RangeChoice>(choice));
            return true;
        }
        case kIdReportFrom:
        case kIdReportTo:
            if (code != EN_CHANGE) return false;
            DatesTyped(dialog, state);
            return true;
        case kIdReportCleared:
            state.query.clearedOnly = IsDlgButtonChecked(dialog, id) == BST_CHECKED;
            Recompute(dialog, state);
            return true;
        case kIdReportCopy:
            if (!PutOnClipboard(dialog, TableText(state.table)))
                ShowMessage(dialog, kCopyFailedText, "Copy", MB_OK | MB_ICONINFORMATION);
            return true;
        case kIdReportSavePicture: SavePicture(dialog, state); return true;
        case kIdReportPrint: PrintReport(dialog, state.accountName, state.report, state.table, state.texts); return true;
        case IDOK: return true;  // Enter in a date field: the dates already took effect
    }
    return false;
}

INT_PTR CALLBACK ReportsProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(dialog, msg, wParam, {kPlacedByProcedure, EndingButtons::Cancel}, result))
        return result;
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            Initialize(dialog, *reinterpret_cast<ReportsState*>(lParam));
            return FALSE;
        case WM_SIZE:
            if (GetWindowLongPtrA(dialog, DWLP_USER)) Layout(dialog, StateOf(dialog).dpi);
            return TRUE;
        case WM_GETMINMAXINFO: {
            const unsigned dpi = WindowDpi(dialog);
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = {Scaled(kLeastWidth, dpi), Scaled(kLeastHeight, dpi)};
            return TRUE;
        }
        case WM_DPICHANGED: {
            StateOf(dialog).dpi = HIWORD(wParam);
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(dialog, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            Layout(dialog, StateOf(dialog).dpi);
            // Every control moved: none may keep a picture of the old places.
            RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlID != static_cast<UINT>(kIdReportChart)) return FALSE;
            const ReportsState& state = StateOf(dialog);
            if (!DrawReportChart(item->hDC, item->rcItem, state.dpi, state.report, state.texts))
                FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            return TRUE;
        }
        case WM_COMMAND:
            return OnCommand(dialog, StateOf(dialog), LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    }
    return FALSE;
}

}  // namespace

void RunReportsCommand(HWND hwnd, int) {
    if (!g_Account.isOpen) return;
    InitCommonControlClasses(ICC_LISTVIEW_CLASSES);
    ReportsState state;
    const char* name = g_Account.header.name;
    state.accountName.assign(name, strnlen(name, sizeof g_Account.header.name));
    ShowModalDialog(hwnd, kReportsDialog, ReportsProc, reinterpret_cast<LPARAM>(&state));
}
