#include "register/field_input.h"

#include <algorithm>

#include "register/event_msg.h"

InputRule KeyDownRule(unsigned virtualKey) {
    switch (virtualKey) {
        case kVkTab: return {kKeyTab, true, false};
        case kVkReturn: return {kKeyEnter, true, false};
        // The register moves between rows itself; the control never sees these.
        case kVkPrior: return {kKeyPageUp, false, false};
        case kVkNext: return {kKeyPageDown, false, false};
        case kVkUp: return {kKeyUp, false, false};
        case kVkDown: return {kKeyDown, false, false};
        case kVkDelete: return {0, true, true};
        default: return {0, true, false};
    }
}

InputRule CharRule(unsigned ch) {
    if (ch == '\t' || ch == '\r') return {0, false, false};  // no beep, no character
    // Letters beyond ASCII are text too. The space alone does not count as a
    // change, nor do control characters other than Backspace.
    const bool changesText = (ch >= 33 && ch <= 126) || ch == kVkBack || (ch >= 128 && ch <= 255);
    return {0, true, changesText};
}

InputRule CutPasteRule() { return {kKeyCutPaste, true, true}; }

InputRule ClearUndoRule() { return {0, true, true}; }

unsigned WheelLinesPerNotch(bool settingRead, unsigned setting) {
    if (!settingRead) return kDefaultWheelLines;
    return std::min(setting, kMostWheelLines);
}

int WheelAccumulator::Add(int wheelDelta, unsigned linesPerNotch) {
    m_Remainder += wheelDelta;
    const int notches = m_Remainder / kWheelDelta;
    m_Remainder %= kWheelDelta;
    const int lines = -(notches * static_cast<int>(linesPerNotch));
    if (lines >= 1) return kKeyDown;
    if (lines < 0) return kKeyUp;
    return 0;
}
