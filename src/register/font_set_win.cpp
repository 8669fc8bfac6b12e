#include <windows.h>

#include "register/font_set.h"

FontSet g_Fonts;

namespace {

struct FontSpec {
    const char* face;
    int height;  // character height in pixels
};

constexpr FontSpec kFontSpecs[kFontCount] = {
    {"Arial Bold", 11}, {"Arial Bold", 12}, {"Arial Bold", 13},
    {"Arial", 11},      {"MS Sans Serif", 12}, {"Arial", 13},
};

}  // namespace

FontSet::~FontSet() {
    for (HFONT& font : m_Fonts) {
        if (font) DeleteObject(font);
        font = nullptr;
    }
}

bool FontSet::Create() {
    bool all = true;
    for (int i = 0; i < kFontCount; ++i) {
        if (m_Fonts[i]) continue;
        LOGFONTA lf{};
        // A negative height asks for the character height, not the cell's.
        lf.lfHeight = -kFontSpecs[i].height;
        lstrcpynA(lf.lfFaceName, kFontSpecs[i].face, LF_FACESIZE);
        m_Fonts[i] = CreateFontIndirectA(&lf);
        if (!m_Fonts[i]) all = false;
    }
    return all;
}
