// The preview of an import (a report list with check boxes) and the choice
// of account in a file that holds several.
#include "import/import_dialogs_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "base/wide_path_win.h"
#include "import/import_dialog_ids.h"
#include "import/import_texts.h"
#include "import/statement_match.h"
#include "model/account.h"
#include "ui/common_dialogs_win.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_runner.h"
#include "ui/dialog_table.h"
#include "values/date.h"

namespace {

using namespace dlgstyle;

constexpr char kAppIconName[] = "LedgerIcon";

constexpr std::uint32_t kListReport = LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL;
constexpr std::uint32_t kListBoxStyle = kListNotify | kBorder | kVScroll | kTabStop;

constexpr ControlDescription Control(std::uint16_t x, std::uint16_t y, std::uint16_t width, std::uint16_t height,
                                     int id, std::uint32_t style, const char* windowClass, const char* text) {
    return {x, y, width, height, static_cast<std::uint16_t>(id), style | kVisible, windowClass, text};
}

constexpr DialogDescription Dialog(std::uint16_t width, std::uint16_t height,
                                   std::span<const ControlDescription> controls, std::uint32_t extraStyle = 0) {
    return {kPopup | kCaption | kSysMenu | extraStyle, 0, 0, width, height, "", "", kImportTitle, 0, "", controls};
}

constexpr ControlDescription kPreviewControls[] = {
    Control(8, 6, 384, 9, kIdImportFile, kStaticLeft, "STATIC", ""),
    Control(8, 17, 384, 9, kIdImportAccount, kStaticLeft, "STATIC", ""),
    Control(8, 28, 384, 9, kIdImportPeriod, kStaticLeft, "STATIC", ""),
    Control(8, 39, 384, 9, kIdImportBeforeOpening, kStaticLeft, "STATIC", ""),
    Control(8, 52, 384, 139, kIdImportList, kListReport | kBorder | kTabStop, WC_LISTVIEWA, ""),
    Control(140, 198, 40, 14, kIdOk, kDefPushButton | kTabStop, "BUTTON", "&OK"),
    Control(220, 198, 40, 14, kIdCancel, kPushButton | kTabStop, "BUTTON", "&Cancel"),
    // Last in the tab order: Tab from the list still reaches OK first.
    Control(8, 200, 100, 10, kIdImportReverse, kAutoCheckBox | kTabStop, "BUTTON", "Re&verse signs"),
};
constexpr DialogDescription kPreviewDialog = Dialog(400, 220, kPreviewControls, WS_THICKFRAME);

constexpr ControlDescription kChoiceControls[] = {
    Control(8, 6, 164, 18, kIdImportChoiceText, kStaticLeft, "STATIC", kChooseStatementText),
    Control(8, 27, 164, 52, kIdImportChoiceList, kListBoxStyle, "LISTBOX", ""),
    Control(40, 86, 40, 14, kIdOk, kDefPushButton | kTabStop, "BUTTON", "&OK"),
    Control(100, 86, 40, 14, kIdCancel, kPushButton | kTabStop, "BUTTON", "&Cancel"),
};
constexpr DialogDescription kChoiceDialog = Dialog(180, 108, kChoiceControls);
// The choice ends its dialog with this plus the index chosen, apart from
// the ending values of OK and Cancel.
constexpr INT_PTR kFirstChoice = 100;

struct Column {
    const char* title;
    int format;
};
constexpr Column kColumns[kImportColumnCount] = {
    {"Action", LVCFMT_LEFT},      {"Date", LVCFMT_LEFT},    {"Num", LVCFMT_LEFT},
    {"Description", LVCFMT_LEFT}, {"Amount", LVCFMT_RIGHT}, {"Register record", LVCFMT_LEFT},
};

// State image 0 shows no box, 1 an empty one, 2 a ticked one.
constexpr UINT kNoBox = INDEXTOSTATEIMAGEMASK(0);
constexpr UINT kEmptyBox = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kTickedBox = INDEXTOSTATEIMAGEMASK(2);

// Where the controls sit against the dialog's right and bottom edges, as
// the template placed them: resizing keeps these distances.
struct PreviewLayout {
    SIZE smallest{};  // the dialog's window as first shown
    SIZE client{};    // its client area then
    RECT list{};      // client coordinates
    RECT ok{};
    RECT cancel{};
    RECT reverse{};
    int lineRight = 0;  // the right end of the lines above the list
};

struct Preview {
    const std::string& fileName;
    Statement& statement;
    std::vector<ImportRow>& rows;
    std::vector<bool>& ticked;
    bool filling = false;
    PreviewLayout layout{};
    bool laidOut = false;
    int lastColumnContent = 0;  // the last column's own width; it fills what is left
};

// The preview's window size the user left it at, for the next import of
// this run.
SIZE g_previewSize{};

Preview& PreviewOf(HWND dialog) { return *reinterpret_cast<Preview*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

std::string FieldString(const char* field, std::size_t size) { return std::string(field, strnlen(field, size - 1)); }

std::string RecordText(const AcctRecord* record) {
    if (!record) return "";
    const std::string date = g_Date.ToDisplay(FieldString(record->date, sizeof record->date).c_str());
    return date + "  " + FieldString(record->description, sizeof record->description);
}

void SetCell(HWND list, int item, int column, const std::string& text) {
    LVITEMA cell{};
    cell.iSubItem = column;
    cell.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell));
}

void AddColumns(HWND list) {
    for (int i = 0; i < kImportColumnCount; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = kColumns[i].format;
        column.cx = 0;  // sized to the contents once the rows are in
        column.pszText = const_cast<char*>(kColumns[i].title);
        column.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

void AddRow(HWND list, int index, const StatementTransaction& t, const ImportRow& row) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    const std::string action = ActionText(row);
    item.pszText = const_cast<char*>(action.c_str());
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    SetCell(list, index, kColDate, g_Date.ToDisplay(t.date.c_str()));
    SetCell(list, index, kColNumber, t.checkNumber);
    SetCell(list, index, kColDescription, t.payee.empty() ? t.memo : t.payee);
    SetCell(list, index, kColAmount, CentsText(t.cents));
    SetCell(list, index, kColRecord, RecordText(row.record));
    const UINT box = !CanBeTicked(row.action) ? kNoBox : StartsTicked(row) ? kTickedBox : kEmptyBox;
    ListView_SetItemState(list, index, box, LVIS_STATEIMAGEMASK);
}

// The room a column title takes beside its text: the header's margins,
// which the list's own sizing to the title leaves too small.
constexpr int kTitleMargins = 24;

// Each column as wide as its widest text or its title, whichever is wider.
void SizeColumns(HWND list, Preview& preview) {
    for (int i = 0; i < kImportColumnCount; ++i) {
        ListView_SetColumnWidth(list, i, LVSCW_AUTOSIZE);
        const int contents = ListView_GetColumnWidth(list, i);
        const int title = ListView_GetStringWidth(list, kColumns[i].title) + kTitleMargins;
        const int width = std::max(contents, title);
        ListView_SetColumnWidth(list, i, width);
        if (i == kImportColumnCount - 1) preview.lastColumnContent = width;
    }
}

// The last column takes the room the others leave, never less than its
// own width.
void FillLastColumn(HWND list, const Preview& preview) {
    RECT client{};
    GetClientRect(list, &client);
    int others = 0;
    for (int i = 0; i + 1 < kImportColumnCount; ++i) others += ListView_GetColumnWidth(list, i);
    const int left = static_cast<int>(client.right) - others;
    ListView_SetColumnWidth(list, kImportColumnCount - 1, std::max(preview.lastColumnContent, left));
}

// The list's width that shows every column whole, scroll bar and border
// included.
int ListWidthForColumns(HWND list, const Preview& preview) {
    int columns = preview.lastColumnContent;
    for (int i = 0; i + 1 < kImportColumnCount; ++i) columns += ListView_GetColumnWidth(list, i);
    RECT window{}, client{};
    GetWindowRect(list, &window);
    GetClientRect(list, &client);
    const int frame = (window.right - window.left) - client.right;
    return columns + frame + GetSystemMetrics(SM_CXVSCROLL);
}

RECT ChildRect(HWND dialog, int id) {
    RECT rect{};
    HWND child = GetDlgItem(dialog, id);
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void RecordLayout(HWND dialog, Preview& preview) {
    PreviewLayout& layout = preview.layout;
    RECT window{}, client{};
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    layout.smallest = {window.right - window.left, window.bottom - window.top};
    layout.client = {client.right, client.bottom};
    layout.list = ChildRect(dialog, kIdImportList);
    layout.ok = ChildRect(dialog, IDOK);
    layout.cancel = ChildRect(dialog, IDCANCEL);
    layout.reverse = ChildRect(dialog, kIdImportReverse);
    layout.lineRight = ChildRect(dialog, kIdImportFile).right;
    preview.laidOut = true;
}

void MoveChild(HWND dialog, int id, int x, int y, int width, int height) {
    MoveWindow(GetDlgItem(dialog, id), x, y, width, height, TRUE);
}

// WM_SIZE: the list grows with the dialog, the lines above it widen, the
// buttons keep their place against the bottom and the middle.
void LayOut(HWND dialog, Preview& preview, int width, int height) {
    if (!preview.laidOut) return;
    const PreviewLayout& layout = preview.layout;
    const int grownX = width - layout.client.cx;
    const int grownY = height - layout.client.cy;
    for (int id : {kIdImportFile, kIdImportAccount, kIdImportPeriod, kIdImportBeforeOpening}) {
        const RECT line = ChildRect(dialog, id);
        MoveChild(dialog, id, line.left, line.top, layout.lineRight + grownX - line.left, line.bottom - line.top);
    }
    const RECT& list = layout.list;
    MoveChild(dialog, kIdImportList, list.left, list.top, list.right - list.left + grownX,
              list.bottom - list.top + grownY);
    for (const auto& [id, rect] : {std::pair{IDOK, layout.ok}, std::pair{IDCANCEL, layout.cancel}})
        MoveChild(dialog, id, rect.left + grownX / 2, rect.top + grownY, rect.right - rect.left, rect.bottom - rect.top);
    // Reverse signs keeps its place against the bottom left.
    const RECT& reverse = layout.reverse;
    MoveChild(dialog, kIdImportReverse, reverse.left, reverse.top + grownY, reverse.right - reverse.left,
              reverse.bottom - reverse.top);
    FillLastColumn(GetDlgItem(dialog, kIdImportList), preview);
}

// The size kept from the last import, or one wide enough for every column
// (within the screen's work area), centred where the dialog was placed.
void SizeWindow(HWND dialog, HWND list, const Preview& preview) {
    RECT window{};
    GetWindowRect(dialog, &window);
    SIZE size = {window.right - window.left, window.bottom - window.top};
    if (g_previewSize.cx > 0) {
        size = {std::max(g_previewSize.cx, preview.layout.smallest.cx),
                std::max(g_previewSize.cy, preview.layout.smallest.cy)};
    } else {
        RECT listRect{};
        GetWindowRect(list, &listRect);
        size.cx += std::max(0, ListWidthForColumns(list, preview) - static_cast<int>(listRect.right - listRect.left));
    }
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    size.cx = std::min<LONG>(size.cx, work.right - work.left);
    size.cy = std::min<LONG>(size.cy, work.bottom - work.top);
    const int left = std::clamp<LONG>((window.left + window.right - size.cx) / 2, work.left, work.right - size.cx);
    const int top = std::clamp<LONG>((window.top + window.bottom - size.cy) / 2, work.top, work.bottom - size.cy);
    SetWindowPos(dialog, nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetIcon(HWND dialog) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    // Shared icons: the system keeps them, so they are not destroyed here.
    for (const auto& [which, metric] : {std::pair{ICON_SMALL, SM_CXSMICON}, std::pair{ICON_BIG, SM_CXICON}}) {
        const int size = GetSystemMetrics(metric);
        HANDLE icon = LoadImageA(instance, kAppIconName, IMAGE_ICON, size, size, LR_SHARED);
        if (icon) SendMessageA(dialog, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}

void FillRows(HWND list, Preview& preview) {
    preview.filling = true;
    ListView_DeleteAllItems(list);
    const std::vector<StatementTransaction>& transactions = preview.statement.transactions;
    for (std::size_t i = 0; i < transactions.size() && i < preview.rows.size(); ++i)
        AddRow(list, static_cast<int>(i), transactions[i], preview.rows[i]);
    preview.filling = false;
}

// Reverse signs: every amount changes side, so every row is matched again
// and starts ticked as a new match would.
void ReverseAndMatchAgain(HWND dialog, Preview& preview) {
    ReverseSigns(preview.statement);
    preview.rows = MatchStatement(preview.statement, g_Account);
    SetDlgItemTextA(dialog, kIdImportPeriod, PeriodText(preview.statement).c_str());
    HWND list = GetDlgItem(dialog, kIdImportList);
    FillRows(list, preview);
    SizeColumns(list, preview);
    FillLastColumn(list, preview);
    ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
}

void FillPreview(HWND dialog, Preview& preview) {
    SetIcon(dialog);
    // The file's name is UTF-8, as every path: shown through the wide call.
    SetDlgItemTextW(dialog, kIdImportFile, WideMessage("File: ", preview.fileName.c_str(), "").c_str());
    SetDlgItemTextA(dialog, kIdImportAccount, AccountLineText(preview.statement).c_str());
    SetDlgItemTextA(dialog, kIdImportPeriod, PeriodText(preview.statement).c_str());
    const std::string opening = FieldString(g_Account.header.statementDate, sizeof g_Account.header.statementDate);
    SetDlgItemTextA(dialog, kIdImportBeforeOpening,
                    BeforeOpeningText(CountBeforeOpening(preview.rows), opening.c_str()).c_str());
    HWND list = GetDlgItem(dialog, kIdImportList);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    AddColumns(list);
    FillRows(list, preview);
    SizeColumns(list, preview);
    ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    RecordLayout(dialog, preview);
    SizeWindow(dialog, list, preview);
    FillLastColumn(list, preview);
}

void KeepSize(HWND dialog) {
    RECT window{};
    if (!GetWindowRect(dialog, &window)) return;
    g_previewSize = {window.right - window.left, window.bottom - window.top};
}

// A refused row keeps its empty place: its box can be neither ticked nor
// shown.
bool RefusesChange(HWND dialog, const NMLISTVIEW& change) {
    Preview& preview = PreviewOf(dialog);
    if (preview.filling || change.iItem < 0 || static_cast<std::size_t>(change.iItem) >= preview.rows.size())
        return false;
    if (!(change.uChanged & LVIF_STATE)) return false;
    if (((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) == 0) return false;
    return !CanBeTicked(preview.rows[change.iItem].action);
}

void ReadTicks(HWND dialog) {
    Preview& preview = PreviewOf(dialog);
    HWND list = GetDlgItem(dialog, kIdImportList);
    preview.ticked.assign(preview.rows.size(), false);
    for (std::size_t i = 0; i < preview.rows.size(); ++i)
        preview.ticked[i] = ListView_GetItemState(list, static_cast<int>(i), LVIS_STATEIMAGEMASK) == kTickedBox;
}

INT_PTR CALLBACK PreviewProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(dialog, msg, wParam, {kPlacedByProcedure, EndingButtons::Cancel}, result))
        return result;
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            PlaceDialog(dialog, kPreviewDialog, kDialogFontSansSerif, 0);
            FillPreview(dialog, *reinterpret_cast<Preview*>(lParam));
            SetFocus(GetDlgItem(dialog, kIdImportList));
            return FALSE;
        case WM_SIZE:
            // Sent while the dialog is made too, before its preview is set.
            if (GetWindowLongPtrA(dialog, DWLP_USER) != 0)
                LayOut(dialog, PreviewOf(dialog), LOWORD(lParam), HIWORD(lParam));
            return FALSE;
        case WM_GETMINMAXINFO:
            if (GetWindowLongPtrA(dialog, DWLP_USER) != 0 && PreviewOf(dialog).laidOut)
                reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {PreviewOf(dialog).layout.smallest.cx,
                                                                          PreviewOf(dialog).layout.smallest.cy};
            return FALSE;
        case WM_DESTROY:
            KeepSize(dialog);
            return FALSE;
        case WM_NOTIFY: {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom != static_cast<UINT_PTR>(kIdImportList) || header->code != LVN_ITEMCHANGING) return FALSE;
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT,
                              RefusesChange(dialog, *reinterpret_cast<const NMLISTVIEW*>(lParam)) ? TRUE : FALSE);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == kIdImportReverse && HIWORD(wParam) == BN_CLICKED) {
                ReverseAndMatchAgain(dialog, PreviewOf(dialog));
                return TRUE;
            }
            if (LOWORD(wParam) != IDOK) return FALSE;
            ReadTicks(dialog);
            EndDialog(dialog, IDOK);
            return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK ChoiceProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(dialog, msg, wParam, {kPlacedByProcedure, EndingButtons::Cancel}, result))
        return result;
    HWND list = GetDlgItem(dialog, kIdImportChoiceList);
    if (msg == WM_INITDIALOG) {
        PlaceDialog(dialog, kChoiceDialog, kDialogFontSansSerif, 0);
        for (const Statement& s : *reinterpret_cast<const std::vector<Statement>*>(lParam))
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(StatementAccountText(s).c_str()));
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        SetFocus(list);
        return FALSE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const bool chosen = LOWORD(wParam) == IDOK ||
                        (LOWORD(wParam) == kIdImportChoiceList && HIWORD(wParam) == LBN_DBLCLK);
    if (!chosen) return FALSE;
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    EndDialog(dialog, index == LB_ERR ? IDCANCEL : kFirstChoice + index);
    return TRUE;
}

void InitListViews() { InitCommonControlClasses(ICC_LISTVIEW_CLASSES); }

}  // namespace

int ChooseStatement(HWND owner, const std::vector<Statement>& statements) {
    const INT_PTR result = ShowModalDialog(owner, kChoiceDialog, ChoiceProc, reinterpret_cast<LPARAM>(&statements));
    return result >= kFirstChoice ? static_cast<int>(result - kFirstChoice) : -1;
}

bool PreviewImport(HWND owner, const std::string& fileName, Statement& statement, std::vector<ImportRow>& rows,
                   std::vector<bool>& ticked) {
    InitListViews();
    Preview preview{fileName, statement, rows, ticked};
    return ShowModalDialog(owner, kPreviewDialog, PreviewProc, reinterpret_cast<LPARAM>(&preview)) == IDOK;
}
