// Geometry and identifiers of the register's controls: 19 rows of seven
// edit fields, the Opening and Ending Balance boxes and the scroll bar.
// Every x is relative to the panel's left offset L kept by the main window.
#pragma once

struct HWND__;
struct HINSTANCE__;

inline constexpr int MAX_FLD = 7;            // fields per row
inline constexpr int kRegisterRows = 19;
inline constexpr int kFirstFieldId = 1130;   // row r, field f: 1130 + 7 r + f
inline constexpr int kRowFieldCount = kRegisterRows * MAX_FLD;  // 133
inline constexpr int kOpeningBalanceId = 1263;
inline constexpr int kEndingBalanceId = 1264;
inline constexpr int kFieldWindowCount = kRowFieldCount + 2;     // 135

// Field numbers within a row.
inline constexpr int RECONCILE_FLD = 0;
inline constexpr int DATE_FLD = 1;
inline constexpr int NUM_FLD = 2;
inline constexpr int DESCRIPTION_FLD = 3;
inline constexpr int PAYMENT_FLD = 4;
inline constexpr int DEPOSIT_FLD = 5;
inline constexpr int BALANCE_FLD = 6;

inline constexpr int kRowTop = 27;      // y of row 0
inline constexpr int kRowPitch = 24;
inline constexpr int kRowHeight = 22;

// Text alignment of a field.
enum class FieldAlign { Left, Centre, Right };

struct FieldColumn {
    int x;
    int width;
    FieldAlign align;
};

inline constexpr FieldColumn kFieldColumns[MAX_FLD] = {
    {3, 22, FieldAlign::Centre},     // R
    {24, 67, FieldAlign::Left},      // Date
    {90, 39, FieldAlign::Right},     // Num
    {128, 385, FieldAlign::Left},    // Transaction Description
    {512, 81, FieldAlign::Right},    // Payment
    {592, 81, FieldAlign::Right},    // Deposit
    {672, 91, FieldAlign::Right},    // Balance
};

struct ControlRect {
    int x, y, width, height;
};

inline constexpr ControlRect kOpeningBalanceRect = {125, 507, 92, 20};
inline constexpr ControlRect kEndingBalanceRect = {550, 507, 92, 20};
inline constexpr ControlRect kScrollBarRect = {764, 27, 23, 457};

inline constexpr int FieldId(int row, int field) { return kFirstFieldId + MAX_FLD * row + field; }

// Place of a control (index = identifier - 1130) relative to L.
constexpr ControlRect FieldRect(int index) {
    if (index == kOpeningBalanceId - kFirstFieldId) return kOpeningBalanceRect;
    if (index == kEndingBalanceId - kFirstFieldId) return kEndingBalanceRect;
    const FieldColumn& c = kFieldColumns[index % MAX_FLD];
    return {c.x, kRowTop + kRowPitch * (index / MAX_FLD), c.width, kRowHeight};
}

// Win32 (register_layout_win.cpp). The window table holds the 133 row
// fields followed by the two balance boxes, indexed by identifier - 1130.
extern HWND__* g_hFieldWindows[kFieldWindowCount];
extern HWND__* g_hScrollBar;

// Creates the 135 edit controls and the scroll bar as children of parent,
// at panel offset left. Returns false (after logging) when one could not
// be created.
bool CreateRegisterControls(HWND__* parent, HINSTANCE__* instance, int left);
// Moves every control to its place for the panel offset left.
void MoveRegisterControls(int left);
