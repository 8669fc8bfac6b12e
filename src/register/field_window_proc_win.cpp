// The field window procedure put on all 135 register controls: turns
// navigation keys, clicks, wheel turns, cuts and pastes into register
// events, notes when the user changes a text, and hands everything else to
// the edit control.
#include <windows.h>

#include <cstring>
#include <string>

#include "model/account.h"
#include "model/record_text.h"
#include "register/field_input.h"
#include "register/multi_records.h"
#include "register/register.h"
#include "register/register_host_win.h"
#include "base/log.h"
#include "storage/save_account.h"
#include "ui/instance_subclasser.h"
#include "ui/command_boundary.h"

namespace {

constexpr int kDescriptionLimit = static_cast<int>(kFieldReadSize) - 1;  // what a read can take

WheelAccumulator g_wheel;
// A right click whose button-down was refused gets no context menu either.
bool g_contextMenuRefused = false;

int FieldNumberOf(HWND hwnd) { return GetDlgCtrlID(hwnd) - kFirstFieldId; }
bool IsBalanceField(int fieldNumber) {
    return fieldNumber / MAX_FLD >= kRegisterRows || fieldNumber % MAX_FLD == BALANCE_FLD;
}

LRESULT PassOn(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return SharedSubclasser().CallOldProc(hwnd, message, wParam, lParam);
}

int SendKey(int key, int fieldNumber, int scroll = 0) {
    return g_MultiRecords.HandleEvent(KeyEvent(key, fieldNumber, scroll));
}

LRESULT ApplyRule(const InputRule& rule, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (rule.setsNeedsSaving) g_Account.needsSaving = 1;
    if (rule.eventKey != 0) SendKey(rule.eventKey, FieldNumberOf(hwnd));
    return rule.passOn ? PassOn(hwnd, message, wParam, lParam) : 0;
}

bool RowDateEmpty(int row) {
    char text[kFieldReadSize] = {};
    GetWindowTextA(g_hFieldWindows[FieldId(row, DATE_FLD) - kFirstFieldId], text, sizeof text);
    return text[0] == '\0';
}

LRESULT OnButtonDown(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const int fieldNumber = FieldNumberOf(hwnd);
    g_contextMenuRefused = true;
    if (IsBalanceField(fieldNumber)) return 0;
    if (g_MultiRecords.HandleEvent(MouseEvent(kButtonField, fieldNumber)) == 1) {
        g_contextMenuRefused = false;
        return PassOn(hwnd, message, wParam, lParam);
    }
    g_MultiRecords.SetFocusToRecordAndField();
    const bool left = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
    if (left || RowDateEmpty(fieldNumber / MAX_FLD)) return 0;
    g_contextMenuRefused = false;
    return PassOn(hwnd, message, wParam, lParam);
}

// The clipboard's text with its tabs and line breaks as spaces, as the
// register stores it: the control would keep a tab and drop all after a
// line break.
std::string ClipboardTextForField(HWND hwnd) {
    std::string text;
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(hwnd)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* locked = static_cast<const char*>(GlobalLock(data))) {
            text.assign(locked, strnlen(locked, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    text.resize(ReplaceControlCharacters(text.data(), text.size()));
    return text;
}

// A paste as the control does it (at the selection, within the control's
// limit), with the cleaned text.
LRESULT OnPaste(HWND hwnd) {
    const InputRule rule = CutPasteRule();
    if (rule.setsNeedsSaving) g_Account.needsSaving = 1;
    SendKey(rule.eventKey, FieldNumberOf(hwnd));
    const std::string text = ClipboardTextForField(hwnd);
    if (!text.empty()) SendMessageA(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return 0;
}

LRESULT OnMouseWheel(HWND hwnd, WPARAM wParam) {
    UINT lines = 0;
    const bool read = SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0) != FALSE;
    const int key = g_wheel.Add(GET_WHEEL_DELTA_WPARAM(wParam), WheelLinesPerNotch(read, lines));
    if (key != 0) SendKey(key, FieldNumberOf(hwnd), 1);
    return 0;
}

LRESULT FieldWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KILLFOCUS:
            SendMessageA(hwnd, EM_SETSEL, static_cast<WPARAM>(-1), 0);
            break;
        case WM_KEYDOWN:
            return ApplyRule(KeyDownRule(static_cast<unsigned>(wParam)), hwnd, message, wParam, lParam);
        case WM_CHAR:
            return ApplyRule(CharRule(static_cast<unsigned char>(wParam)), hwnd, message, wParam, lParam);
        // The second click of a double click is a click too: it may not
        // reach a field that refuses clicks.
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
            return OnButtonDown(hwnd, message, wParam, lParam);
        case WM_CONTEXTMENU:
            // lParam -1: asked for from the keyboard, in the focused field.
            if (g_contextMenuRefused && lParam != -1) {
                g_contextMenuRefused = false;
                return 0;
            }
            break;
        case WM_MOUSEWHEEL: return OnMouseWheel(hwnd, wParam);
        case WM_CUT: return ApplyRule(CutPasteRule(), hwnd, message, wParam, lParam);
        case WM_PASTE: return OnPaste(hwnd);
        case WM_CLEAR:
        case WM_UNDO:
        case EM_UNDO: return ApplyRule(ClearUndoRule(), hwnd, message, wParam, lParam);
        default: break;
    }
    return PassOn(hwnd, message, wParam, lParam);
}

// A key or click is a command of its own: it ends here, whatever it met.
LRESULT CALLBACK FieldWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    RunToCommandBoundary(GetParent(hwnd), [&] { result = FieldWindowMessage(hwnd, message, wParam, lParam); });
    return result;
}

RecordNode* FocusedRegisterNode() { return g_MultiRecords.FocusedNodeInList(); }

void* FieldObject(int index) {
    if (index == kOpeningBalanceId - kFirstFieldId) return &g_MultiRecords.OpeningBox();
    if (index == kEndingBalanceId - kFirstFieldId) return &g_MultiRecords.EndingBox();
    return &g_MultiRecords.Row(index / MAX_FLD).Field(index % MAX_FLD);
}

}  // namespace

bool AttachFieldProcedures() {
    SetRegisterHost(&TheWin32RegisterHost());
    SetFocusedNodeSource(FocusedRegisterNode);
    bool all = true;
    for (int index = 0; index < kFieldWindowCount; ++index) {
        HWND field = g_hFieldWindows[index];
        if (!field || !SharedSubclasser().Subclass(field, FieldWindowProc, FieldObject(index))) {
            WriteLog("AttachFieldProcedures: field %i not subclassed", index);
            all = false;
            continue;
        }
        // A description longer than a read can take would be cut silently.
        if (index < kRowFieldCount && index % MAX_FLD == DESC_FLD)
            SendMessageA(field, EM_LIMITTEXT, kDescriptionLimit, 0);
    }
    return all;
}
