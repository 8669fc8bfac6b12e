// One register field: reads and writes its control's text, applies the
// amount checks on the way in and the thousands separators on the way out,
// and moves the keyboard focus to it.
#pragma once

#include <cstddef>

struct eventMsg;

// Kinds of field.
inline constexpr int kKindText = 0;         // R, Date, Num
inline constexpr int kKindDescription = 1;  // Transaction Description
inline constexpr int kKindAmount = 2;       // Payment, Deposit
inline constexpr int kKindBalance = 3;      // Balance and the two boxes

inline constexpr std::size_t kFieldTextSize = 90;  // 89 characters and a NUL
inline constexpr std::size_t kFieldReadSize = 89;  // a read takes at most 88

class EditWindow {
public:
    EditWindow(int identifier, int kind);

    // Empties the text and the control.
    void Clear();
    // Stores at most 89 characters (an amount that is not empty and every
    // balance get their thousands separators) and writes them to the control.
    void SetText(const char* text);
    // Reads the control (at most 88 characters), turns control characters
    // into spaces and, for an amount, checks and cleans the text; copies the
    // result to out (cut to fit).
    void GetInput(char* out, std::size_t size);
    template <std::size_t N> void GetInput(char (&out)[N]) { GetInput(out, N); }

    // Whether the last GetInput found the amount unusable.
    bool IsInvalid() const;
    void SetFocusToField();
    void SelectAll();

    void SetAction(const eventMsg& ev);
    int GetAction() const { return m_Action; }

    int Identifier() const { return m_Identifier; }
    int Index() const { return m_Index; }
    int Kind() const { return m_Kind; }
    const char* Text() const { return m_Text; }

private:
    int m_Identifier;
    char m_Text[kFieldTextSize] = {};
    int m_Index;
    int m_Action = 0;
    int m_Kind;
    bool m_Invalid = false;
};

// The action of an event as a row sees it (kAction* in event_msg.h).
int ActionOf(const eventMsg& ev);
