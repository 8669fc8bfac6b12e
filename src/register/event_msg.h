// The register's event record: every key, click, wheel turn, scroll-bar
// action and Insert Date reaches MultiRecords::HandleEvent as one eventMsg.
#pragma once

// eventMsg::m_Type
inline constexpr int MBUTTON = 1;     // a click in a field, or a scroll-bar thumb drop
inline constexpr int KEYBD = 2;       // keyboard, wheel, scroll-bar lines and pages
inline constexpr int INSERTDATE = 5;  // Insert Date (menu command 1017, Alt+D)

// eventMsg::m_Button
inline constexpr int kButtonNone = 0;
inline constexpr int kButtonField = 3;      // a click in a register field
inline constexpr int kButtonThumbDrop = 4;  // the scroll bar's thumb was dropped

// eventMsg::m_Key for KEYBD
inline constexpr int kKeyPageDown = 1;
inline constexpr int kKeyUp = 2;
inline constexpr int kKeyPageUp = 3;
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyDown = 10;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyCutPaste = 32;

// Eight 32-bit words, passed by value.
struct eventMsg {
    int m_Type = 0;
    int m_Unused[3] = {};
    int m_Button = kButtonNone;
    int m_Key = 0;
    int m_FieldNumber = 0;  // identifier - 1130; the thumb position for a drop
    int m_Scroll = 0;       // 1 for the wheel and the scroll bar
};
static_assert(sizeof(eventMsg) == 8 * sizeof(int));

// The row's view of an event (EditWindow::SetAction).
inline constexpr int kActionNone = 0;
inline constexpr int kActionTab = 1;
inline constexpr int kActionEnter = 2;
inline constexpr int kActionUp = 3;
inline constexpr int kActionDown = 4;
inline constexpr int kActionPageDown = 6;
inline constexpr int kActionPageUp = 7;
inline constexpr int kActionClick = 10;

// Result codes of EditRecord::RunWindow, acted on by MultiRecords.
inline constexpr int kResultNone = 0;
inline constexpr int kResultNextRecord = 1;
inline constexpr int kResultPreviousRecord = 2;
inline constexpr int kResultPageDown = 4;
inline constexpr int kResultPageUp = 5;
inline constexpr int kResultDateAccepted = 8;
inline constexpr int kResultOtherField = 9;
inline constexpr int kResultRefused = 11;

inline eventMsg KeyEvent(int key, int fieldNumber, int scroll = 0) {
    eventMsg ev;
    ev.m_Type = KEYBD;
    ev.m_Key = key;
    ev.m_FieldNumber = fieldNumber;
    ev.m_Scroll = scroll;
    return ev;
}

inline eventMsg MouseEvent(int button, int fieldNumber) {
    eventMsg ev;
    ev.m_Type = MBUTTON;
    ev.m_Button = button;
    ev.m_FieldNumber = fieldNumber;
    return ev;
}
