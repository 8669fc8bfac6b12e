#include "register/register_panel.h"

std::array<PanelStroke, kFrameStrokeCount> FrameStrokes(int left, int width) {
    const int l = left;
    const int r = left + width;
    const int b = kPanelHeight;
    return {{
        // The outline.
        {kBlack, 5, {{l, b}, {l, 0}, {r, 0}, {r, b}, {l, b}}},
        // One pixel inside: lit from the top left.
        {kLightGrey, 3, {{l + 1, b - 1}, {l + 1, 1}, {r - 1, 1}}},
        {kBlack, 3, {{r - 1, 1}, {r - 1, b - 1}, {l + 1, b - 1}}},
        // Two pixels inside.
        {kWhite, 3, {{l + 2, b - 2}, {l + 2, 2}, {r - 2, 2}}},
        {kDarkGrey, 3, {{r - 2, 2}, {r - 2, b - 2}, {l + 2, b - 2}}},
        // Above the footer and below the headers.
        {kDarkGrey, 2, {{l + 3, kFooterLineY}, {r - 3, kFooterLineY}}},
        {kDarkGrey, 2, {{l + 3, kHeaderLineY}, {r - 3, kHeaderLineY}}},
    }};
}
