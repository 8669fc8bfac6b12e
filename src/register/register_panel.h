// What is drawn on the register panel rather than made of controls: the
// frame with its bevel and separating lines, and the nine header and
// footer texts. Every x is relative to the panel's left offset L.
#pragma once

#include <array>

#include "register/register_layout.h"
#include "register/register_texts.h"

inline constexpr int kPanelHeight = 546;
inline constexpr int kFooterLineY = 484;
inline constexpr int kHeaderLineY = 26;

struct PanelColor {
    unsigned char red, green, blue;
};
inline constexpr PanelColor kBlack = {0, 0, 0};
inline constexpr PanelColor kWhite = {255, 255, 255};
inline constexpr PanelColor kLightGrey = {192, 192, 192};
inline constexpr PanelColor kDarkGrey = {128, 128, 128};

struct PanelPoint {
    int x, y;
};

// One polyline drawn with a solid one-pixel pen.
struct PanelStroke {
    PanelColor color;
    int count;
    PanelPoint points[5];
};

inline constexpr int kFrameStrokeCount = 7;
// The strokes in drawing order, for the panel at offset left of width W.
std::array<PanelStroke, kFrameStrokeCount> FrameStrokes(int left, int width);

struct PanelText {
    const char* text;
    int left, right, top, bottom;
    FieldAlign align;  // Centre or Right; always one line, vertically centred
};

inline constexpr int kPanelTextCount = 9;
inline constexpr PanelText kPanelTexts[kPanelTextCount] = {
    {" R", 0, 21, 3, 27, FieldAlign::Centre},
    {"Date", 21, 87, 3, 27, FieldAlign::Centre},
    {"Num", 87, 125, 3, 27, FieldAlign::Centre},
    {"Transaction Description", 125, 509, 3, 27, FieldAlign::Centre},
    {"Payment", 509, 589, 3, 27, FieldAlign::Centre},
    {"Deposit", 589, 669, 3, 27, FieldAlign::Centre},
    {"Balance", 669, 759, 3, 27, FieldAlign::Centre},
    {kFooterOpeningBalance, 17, 122, 505, 529, FieldAlign::Right},
    {kFooterEndingBalance, 400, 547, 505, 529, FieldAlign::Right},
};
inline constexpr PanelColor kPanelTextBackground = kLightGrey;
