#include "register/edit_window.h"

#include <cstring>

#include "model/record_text.h"
#include "register/event_msg.h"
#include "register/register_layout.h"
#include "register/register_host.h"
#include "values/amount.h"

namespace {

void CopyBounded(char* dst, std::size_t size, const char* src) {
    if (size == 0) return;
    const std::size_t length = src ? strnlen(src, size - 1) : 0;
    if (length > 0) std::memcpy(dst, src, length);
    dst[length] = '\0';
}

}  // namespace

EditWindow::EditWindow(int identifier, int kind)
    : m_Identifier(identifier), m_Index(identifier - kFirstFieldId), m_Kind(kind) {}

void EditWindow::Clear() { SetText(""); }

void EditWindow::SetText(const char* text) {
    CopyBounded(m_Text, sizeof m_Text, text);
    if ((m_Kind == kKindAmount && m_Text[0] != '\0') || m_Kind == kKindBalance)
        InsertThousandsSeparators(m_Text);
    Host().SetText(m_Index, m_Text);
}

void EditWindow::GetInput(char* out, std::size_t size) {
    Host().GetText(m_Index, m_Text, kFieldReadSize);
    // Whatever reached the control (a paste, a message from outside), no
    // control character gets into a record.
    ReplaceControlCharacters(m_Text);
    m_Invalid = false;
    if (m_Kind == kKindAmount) {
        // Both run: the cleaning leaves digits and points whatever was typed.
        const bool badChars = HasInvalidEntryChars(m_Text);
        const bool tooLarge = CleanEntryAmount(m_Text);
        m_Invalid = badChars || tooLarge;
    }
    CopyBounded(out, size, m_Text);
}

bool EditWindow::IsInvalid() const { return m_Invalid; }

void EditWindow::SetFocusToField() { Host().SetFocus(m_Index); }

void EditWindow::SelectAll() { Host().SelectAll(m_Index); }

void EditWindow::SetAction(const eventMsg& ev) { m_Action = ActionOf(ev); }

int ActionOf(const eventMsg& ev) {
    if (ev.m_Button == kButtonField) return kActionClick;
    if (ev.m_Type != KEYBD) return kActionNone;
    switch (ev.m_Key) {
        case kKeyPageDown: return kActionPageDown;
        case kKeyUp: return kActionUp;
        case kKeyPageUp: return kActionPageUp;
        case kKeyTab: return kActionTab;
        case kKeyDown: return kActionDown;
        case kKeyEnter: return kActionEnter;
        default: return kActionNone;
    }
}
