#include "base/utf16.h"

#include <cstring>

namespace {

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
        return;
    }
    c -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// One character from *p on, *p advanced past it; false when the bytes there
// are not one well-formed UTF-8 character.
bool NextCodePoint(const unsigned char*& p, char32_t& c) {
    const unsigned char lead = *p++;
    int more;
    char32_t least;
    if (lead < 0x80) {
        c = lead;
        return true;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1, least = 0x80, c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2, least = 0x800, c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3, least = 0x10000, c = lead & 0x07;
    } else {
        return false;
    }
    for (; more > 0; --more) {
        if ((*p & 0xC0) != 0x80) return false;  // the NUL ends here too
        c = (c << 6) | (*p++ & 0x3F);
    }
    return c >= least && c <= 0x10FFFF && !IsSurrogate(c);
}

// The 1252 characters of bytes 0x80 to 0x9F; 0 where 1252 has none.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

}  // namespace

bool Utf8ToUtf16(const char* text, std::u16string& out) {
    out.clear();
    if (!text) return true;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        char32_t c;
        if (!NextCodePoint(p, c)) {
            out.clear();
            return false;
        }
        AppendUtf16(out, c);
    }
    return true;
}

bool Utf16ToUtf8(const char16_t* text, std::string& out) {
    out.clear();
    for (const char16_t* p = text; p && *p; ++p) {
        char32_t c = *p;
        if (c >= 0xD800 && c <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (p[1] - 0xDC00);
            ++p;
        } else if (IsSurrogate(c)) {
            out.clear();
            return false;
        }
        AppendUtf8(out, c);
    }
    return true;
}

bool Utf16ToUtf8(const char16_t* text, char* buffer, std::size_t size) {
    if (size == 0) return false;
    buffer[0] = '\0';
    std::string utf8;
    if (!Utf16ToUtf8(text, utf8) || utf8.size() >= size) return false;
    std::memcpy(buffer, utf8.c_str(), utf8.size() + 1);
    return true;
}

std::u16string Cp1252ToUtf16(const char* text) {
    std::u16string out;
    for (const auto* p = reinterpret_cast<const unsigned char*>(text ? text : ""); *p; ++p) {
        const char16_t mapped = *p >= 0x80 && *p <= 0x9F ? kCp1252High[*p - 0x80] : 0;
        out.push_back(mapped ? mapped : static_cast<char16_t>(*p));
    }
    return out;
}
