// What the field window procedure does with a key, a character or a turn of
// the mouse wheel, as plain rules (the procedure itself is Win32).
#pragma once

// Virtual-key and character codes the rules name (the values Windows uses).
inline constexpr unsigned kVkBack = 0x08;
inline constexpr unsigned kVkTab = 0x09;
inline constexpr unsigned kVkReturn = 0x0D;
inline constexpr unsigned kVkPrior = 0x21;  // Page Up
inline constexpr unsigned kVkNext = 0x22;   // Page Down
inline constexpr unsigned kVkUp = 0x26;
inline constexpr unsigned kVkDown = 0x28;
inline constexpr unsigned kVkDelete = 0x2E;

struct InputRule {
    int eventKey;          // KEYBD key for HandleEvent, 0 for none
    bool passOn;           // the edit control also gets the message
    bool setsNeedsSaving;  // the text changes
};

InputRule KeyDownRule(unsigned virtualKey);
// ch is the character as the control receives it (0..255).
InputRule CharRule(unsigned ch);
// Cut and paste change the text and are told to the register; clear and
// undo (the control's context menu, Ctrl+Z) change it too.
InputRule CutPasteRule();
InputRule ClearUndoRule();

inline constexpr int kWheelDelta = 120;            // one notch
inline constexpr unsigned kDefaultWheelLines = 3;  // when the setting cannot be read
inline constexpr unsigned kMostWheelLines = 18;
// Lines per notch from the system's wheel-scroll-lines setting.
unsigned WheelLinesPerNotch(bool settingRead, unsigned setting);

// Adds up wheel turns: one register key per wheel message (kKeyDown towards
// the user, kKeyUp away), once a whole notch has built up; what is below a
// notch is kept for the next message.
class WheelAccumulator {
public:
    int Add(int wheelDelta, unsigned linesPerNotch);
    int Remainder() const { return m_Remainder; }

private:
    int m_Remainder = 0;
};
