// The program's six fonts, created once when the main window is created and
// deleted at exit. The register uses Arial 13; the dialogs take theirs from
// the same set.
#pragma once

struct HFONT__;

enum FontIndex {
    kFontArialBold11,
    kFontArialBold12,
    kFontArialBold13,
    kFontArial11,
    kFontSansSerif12,
    kFontArial13,
    kFontCount
};

class FontSet {
public:
    FontSet() = default;
    ~FontSet();
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;

    // Creates the fonts that do not exist yet; false when one could not be
    // created (text then falls back to the system font).
    bool Create();
    HFONT__* Get(FontIndex index) const { return m_Fonts[index]; }
    HFONT__* RegisterFont() const { return m_Fonts[kFontArial13]; }

private:
    HFONT__* m_Fonts[kFontCount] = {};
};

extern FontSet g_Fonts;
