#include "ui/dialog_runner.h"

#include <exception>
#include <new>
#include <utility>

#include "base/log.h"

#include "ui/dialog_table.h"
#include "ui/dialog_template.h"
#include "ui/message_box.h"

namespace {

HFONT g_dialogFonts[kDialogFontCount] = {};
RECT g_mainWindowRect = {};
bool g_haveMainWindowRect = false;

// Frees a template block when the dialog call has returned.
class TemplateBlock {
public:
    explicit TemplateBlock(int dialogNumber) : m_block(BuildDialogTemplate(dialogNumber)) {}
    explicit TemplateBlock(const DialogDescription& description)
        : m_block(BuildDialogTemplate(description, CurrentDialogBaseUnits())) {}
    ~TemplateBlock() {
        if (m_block) GlobalFree(m_block);
    }
    TemplateBlock(const TemplateBlock&) = delete;
    TemplateBlock& operator=(const TemplateBlock&) = delete;

    bool Built() const { return m_block != nullptr; }
    // The system copies the template while it creates the dialog.
    const DLGTEMPLATE* Template() const { return static_cast<const DLGTEMPLATE*>(static_cast<void*>(m_block)); }

private:
    HGLOBAL m_block;
};

void ReportNoMemory(HWND hwndParent) {
    ShowMessage(hwndParent, kInsufficientMemoryText, kInsufficientMemoryTitle, MB_OK);
}

// The rectangle to centre on: the main window's, else the owner's, else the
// work area of the screen.
RECT PlacementFrame(HWND hwndDialog) {
    if (g_haveMainWindowRect) return g_mainWindowRect;
    RECT frame{};
    HWND owner = GetWindow(hwndDialog, GW_OWNER);
    if (owner && GetWindowRect(owner, &frame)) return frame;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &frame, 0);
    return frame;
}

}  // namespace

void SetDialogFonts(HFONT bold, HFONT plain, HFONT sansSerif) {
    g_dialogFonts[kDialogFontBold] = bold;
    g_dialogFonts[kDialogFontPlain] = plain;
    g_dialogFonts[kDialogFontSansSerif] = sansSerif;
}

void SetDialogMainWindowRect(const RECT& rect) {
    g_mainWindowRect = rect;
    g_haveMainWindowRect = true;
}

HBRUSH DialogWhiteBrush() { return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)); }

namespace {

// Every dialog procedure runs inside a guard: an exception from it (an
// allocation that failed) ends the dialog instead of unwinding through the
// system's dialog code, and is thrown on once the system has let go.
struct GuardedDialog {
    DLGPROC procedure;
    bool modal;
    std::exception_ptr failure;
};

constexpr char kGuardProperty[] = "LedgerpadDialogGuard";
// The guard of the dialog being created; its window takes it at its first
// message. Dialogs are created one at a time on the one thread.
GuardedDialog* g_opening = nullptr;

INT_PTR CALLBACK GuardedDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* guard = static_cast<GuardedDialog*>(GetPropA(hwnd, kGuardProperty));
    if (!guard && g_opening) {
        guard = std::exchange(g_opening, nullptr);
        SetPropA(hwnd, kGuardProperty, guard);
    }
    if (!guard) return FALSE;
    INT_PTR result = FALSE;
    try {
        result = guard->procedure(hwnd, msg, wParam, lParam);
    } catch (...) {
        WriteLog("GuardedDialogProc: exception in a dialog procedure, message %u", msg);
        if (guard->modal) {
            if (!guard->failure) guard->failure = std::current_exception();
            EndDialog(hwnd, -1);
        } else {
            // Nobody waits for a modeless dialog: it is told here, and ends.
            try {
                throw;
            } catch (const std::bad_alloc&) {
                ReportNoMemory(GetParent(hwnd));
            } catch (...) {
            }
            DestroyWindow(hwnd);
        }
    }
    if (msg == WM_NCDESTROY) {
        RemovePropA(hwnd, kGuardProperty);
        if (!guard->modal) delete guard;
    }
    return result;
}

INT_PTR RunModal(HWND hwndParent, const TemplateBlock& block, DLGPROC dialogProc, LPARAM lParam) {
    if (!block.Built()) {
        ReportNoMemory(hwndParent);
        return 0;
    }
    GuardedDialog guard{dialogProc, true, nullptr};
    g_opening = &guard;
    const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), block.Template(), hwndParent,
                                                   GuardedDialogProc, lParam);
    g_opening = nullptr;
    if (guard.failure) std::rethrow_exception(guard.failure);
    return result;
}

}  // namespace

INT_PTR ShowModalDialog(HWND hwndParent, int dialogNumber, DLGPROC dialogProc, LPARAM lParam) {
    return RunModal(hwndParent, TemplateBlock(dialogNumber), dialogProc, lParam);
}

INT_PTR ShowModalDialog(HWND hwndParent, const DialogDescription& description, DLGPROC dialogProc, LPARAM lParam) {
    return RunModal(hwndParent, TemplateBlock(description), dialogProc, lParam);
}

HWND CreateModelessDialog(HWND hwndParent, int dialogNumber, DLGPROC dialogProc, LPARAM lParam) {
    TemplateBlock block(dialogNumber);
    if (!block.Built()) {
        ReportNoMemory(hwndParent);
        return nullptr;
    }
    // A modeless dialog's guard lives as long as its window.
    auto* guard = new GuardedDialog{dialogProc, false, nullptr};
    g_opening = guard;
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), block.Template(), hwndParent,
                                             GuardedDialogProc, lParam);
    if (g_opening == guard) delete guard;  // no window ever took it
    g_opening = nullptr;
    return dialog;
}

namespace {

void CentreDialog(HWND hwndDialog, int yOffset) {
    RECT dialog{};
    GetWindowRect(hwndDialog, &dialog);
    const RECT frame = PlacementFrame(hwndDialog);
    const int dialogWidth = dialog.right - dialog.left;
    const int dialogHeight = dialog.bottom - dialog.top;
    const int left = frame.left + (frame.right - frame.left - dialogWidth) / 2;
    const int top = frame.top + (frame.bottom - frame.top - dialogHeight) / 2 + yOffset;
    MoveWindow(hwndDialog, left, top, dialogWidth, dialogHeight, FALSE);
}

}  // namespace

void PlaceDialog(HWND hwndDialog, int dialogNumber, int fontChoice, int yOffset) {
    const DialogDescription* description = FindDialogDescription(dialogNumber);
    if (description) {
        PlaceDialog(hwndDialog, *description, fontChoice, yOffset);
    } else {
        CentreDialog(hwndDialog, yOffset);
    }
}

void PlaceDialog(HWND hwndDialog, const DialogDescription& description, int fontChoice, int yOffset) {
    CentreDialog(hwndDialog, yOffset);
    if (fontChoice < 0 || fontChoice >= kDialogFontCount) return;
    HFONT font = g_dialogFonts[fontChoice];
    // Without the font set the controls keep the dialog's own font rather
    // than falling back to the system font.
    if (!font) return;
    for (const ControlDescription& control : description.controls) {
        SendDlgItemMessageA(hwndDialog, control.id, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

bool HandleCommonDialogMessage(HWND dialog, UINT msg, WPARAM wParam, const PlainDialog& plain, INT_PTR& result) {
    switch (msg) {
        case WM_INITDIALOG:
            if (plain.dialogNumber != kPlacedByProcedure) PlaceDialog(dialog, plain.dialogNumber, kDialogFontBold, 0);
            return false;
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC: result = reinterpret_cast<INT_PTR>(DialogWhiteBrush()); return true;
        case WM_COMMAND: break;
        default: return false;
    }
    const int id = LOWORD(wParam);
    const bool ends = (id == IDCANCEL && plain.endingButtons != EndingButtons::None) ||
                      (id == IDOK && plain.endingButtons == EndingButtons::OkAndCancel);
    if (!ends) return false;
    EndDialog(dialog, id);
    result = TRUE;
    return true;
}
