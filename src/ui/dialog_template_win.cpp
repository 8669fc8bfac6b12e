#include "ui/dialog_template.h"

#include <algorithm>
#include <cstring>

static_assert(sizeof(DLGTEMPLATE) == kTemplateHeaderSize);
static_assert(sizeof(DLGITEMTEMPLATE) == kTemplateItemHeaderSize);
static_assert(offsetof(DLGTEMPLATE, cdit) == kTemplateItemCountOffset);
static_assert(dlgstyle::kPopup == WS_POPUP && dlgstyle::kChild == WS_CHILD && dlgstyle::kVisible == WS_VISIBLE &&
              dlgstyle::kCaption == WS_CAPTION && dlgstyle::kBorder == WS_BORDER &&
              dlgstyle::kVScroll == WS_VSCROLL && dlgstyle::kSysMenu == WS_SYSMENU &&
              dlgstyle::kTabStop == WS_TABSTOP && dlgstyle::kSetFont == DS_SETFONT);
static_assert(dlgstyle::kPushButton == BS_PUSHBUTTON && dlgstyle::kDefPushButton == BS_DEFPUSHBUTTON &&
              dlgstyle::kAutoCheckBox == BS_AUTOCHECKBOX && dlgstyle::kRadioButton == BS_RADIOBUTTON &&
              dlgstyle::kGroupBox == BS_GROUPBOX);
static_assert(dlgstyle::kStaticLeft == SS_LEFT && dlgstyle::kStaticCenter == SS_CENTER &&
              dlgstyle::kStaticRight == SS_RIGHT && dlgstyle::kStaticIcon == SS_ICON &&
              dlgstyle::kStaticWhiteRect == SS_WHITERECT && dlgstyle::kStaticBlackFrame == SS_BLACKFRAME);
static_assert(dlgstyle::kEditLeft == ES_LEFT && dlgstyle::kEditMultiline == ES_MULTILINE &&
              dlgstyle::kEditPassword == ES_PASSWORD && dlgstyle::kEditWantReturn == ES_WANTRETURN &&
              dlgstyle::kListNotify == LBS_NOTIFY);

namespace {

TemplateAllocFunction g_allocate = GlobalAlloc;

}  // namespace

DialogBaseUnits CurrentDialogBaseUnits() {
    LONG units = GetDialogBaseUnits();
    return {LOWORD(units), HIWORD(units)};
}

HGLOBAL BuildDialogTemplate(int dialogNumber) { return BuildDialogTemplate(dialogNumber, CurrentDialogBaseUnits()); }

HGLOBAL BuildDialogTemplate(int dialogNumber, DialogBaseUnits units) {
    const DialogDescription* dialog = FindDialogDescription(dialogNumber);
    return dialog ? BuildDialogTemplate(*dialog, units) : nullptr;
}

HGLOBAL BuildDialogTemplate(const DialogDescription& dialog, DialogBaseUnits units) {
    std::vector<std::uint8_t> bytes = LayoutDialogTemplate(dialog, units);
    // The block is sized for the template, so a long description can never
    // run past its end.
    HGLOBAL block = g_allocate(GMEM_ZEROINIT, std::max(bytes.size(), kTemplateBlockSize));
    if (!block) return nullptr;
    void* memory = GlobalLock(block);
    if (!memory) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(memory, bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

TemplateAllocFunction SetTemplateAllocFunction(TemplateAllocFunction function) {
    TemplateAllocFunction previous = g_allocate;
    g_allocate = function ? function : GlobalAlloc;
    return previous;
}
