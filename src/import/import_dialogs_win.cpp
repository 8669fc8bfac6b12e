// The preview of an import (a report list with check boxes) and the choice
// of account in a file that holds several.
#include "import/import_dialogs_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "base/wide_path_win.h"
#include "import/import_dialog_ids.h"
#include "import/import_texts.h"
#include "model/account.h"
#include "ui/common_dialogs_win.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_runner.h"
#include "ui/dialog_table.h"
#include "values/date.h"

namespace {

using namespace dlgstyle;

constexpr std::uint32_t kListReport = LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL;
constexpr std::uint32_t kListBoxStyle = kListNotify | kBorder | kVScroll | kTabStop;

constexpr ControlDescription Control(std::uint16_t x, std::uint16_t y, std::uint16_t width, std::uint16_t height,
                                     int id, std::uint32_t style, const char* windowClass, const char* text) {
    return {x, y, width, height, static_cast<std::uint16_t>(id), style | kVisible, windowClass, text};
}

constexpr DialogDescription Dialog(std::uint16_t width, std::uint16_t height,
                                   std::span<const ControlDescription> controls) {
    return {kPopup | kCaption | kSysMenu, 0, 0, width, height, "", "", kImportTitle, 0, "", controls};
}

constexpr ControlDescription kPreviewControls[] = {
    Control(8, 6, 384, 9, kIdImportFile, kStaticLeft, "STATIC", ""),
    Control(8, 17, 384, 9, kIdImportAccount, kStaticLeft, "STATIC", ""),
    Control(8, 28, 384, 9, kIdImportPeriod, kStaticLeft, "STATIC", ""),
    Control(8, 41, 384, 150, kIdImportList, kListReport | kBorder | kTabStop, WC_LISTVIEWA, ""),
    Control(140, 198, 40, 14, kIdOk, kDefPushButton | kTabStop, "BUTTON", "&OK"),
    Control(220, 198, 40, 14, kIdCancel, kPushButton | kTabStop, "BUTTON", "&Cancel"),
};
constexpr DialogDescription kPreviewDialog = Dialog(400, 220, kPreviewControls);

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
    int width;  // pixels
    int format;
};
constexpr Column kColumns[kImportColumnCount] = {
    {"Action", 150, LVCFMT_LEFT},      {"Date", 64, LVCFMT_LEFT},    {"Num", 44, LVCFMT_LEFT},
    {"Description", 170, LVCFMT_LEFT}, {"Amount", 84, LVCFMT_RIGHT}, {"Register record", 160, LVCFMT_LEFT},
};

// State image 0 shows no box, 1 an empty one, 2 a ticked one.
constexpr UINT kNoBox = INDEXTOSTATEIMAGEMASK(0);
constexpr UINT kEmptyBox = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kTickedBox = INDEXTOSTATEIMAGEMASK(2);

struct Preview {
    const std::string& fileName;
    const Statement& statement;
    const std::vector<ImportRow>& rows;
    std::vector<bool>& ticked;
    bool filling = false;
};

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
        column.cx = kColumns[i].width;
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
    const UINT box = !CanBeTicked(row.action) ? kNoBox : StartsTicked(row.action) ? kTickedBox : kEmptyBox;
    ListView_SetItemState(list, index, box, LVIS_STATEIMAGEMASK);
}

void FillPreview(HWND dialog, Preview& preview) {
    // The file's name is UTF-8, as every path: shown through the wide call.
    SetDlgItemTextW(dialog, kIdImportFile, WideMessage("File: ", preview.fileName.c_str(), "").c_str());
    SetDlgItemTextA(dialog, kIdImportAccount, ("Account: " + StatementAccountText(preview.statement)).c_str());
    SetDlgItemTextA(dialog, kIdImportPeriod, PeriodText(preview.statement).c_str());
    HWND list = GetDlgItem(dialog, kIdImportList);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    AddColumns(list);
    preview.filling = true;
    const std::vector<StatementTransaction>& transactions = preview.statement.transactions;
    for (std::size_t i = 0; i < transactions.size() && i < preview.rows.size(); ++i)
        AddRow(list, static_cast<int>(i), transactions[i], preview.rows[i]);
    preview.filling = false;
    // A refused row's reason is read in full, so the first column takes
    // the width of its longest text.
    const int width = kColumns[kColAction].width;
    ListView_SetColumnWidth(list, kColAction, LVSCW_AUTOSIZE);
    ListView_SetColumnWidth(list, kColAction, std::max(width, ListView_GetColumnWidth(list, kColAction)));
    ListView_SetItemState(list, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
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
        case WM_NOTIFY: {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom != static_cast<UINT_PTR>(kIdImportList) || header->code != LVN_ITEMCHANGING) return FALSE;
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT,
                              RefusesChange(dialog, *reinterpret_cast<const NMLISTVIEW*>(lParam)) ? TRUE : FALSE);
            return TRUE;
        }
        case WM_COMMAND:
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
    const INT_PTR result =
        ShowModalDialog(owner, kChoiceDialog, ChoiceProc, reinterpret_cast<LPARAM>(&statements));
    return result >= kFirstChoice ? static_cast<int>(result - kFirstChoice) : -1;
}

bool PreviewImport(HWND owner, const std::string& fileName, const Statement& statement,
                   const std::vector<ImportRow>& rows, std::vector<bool>& ticked) {
    InitListViews();
    Preview preview{fileName, statement, rows, ticked};
    return ShowModalDialog(owner, kPreviewDialog, PreviewProc, reinterpret_cast<LPARAM>(&preview)) == IDOK;
}
