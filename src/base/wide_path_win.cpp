#include "base/wide_path_win.h"

#include "base/utf16.h"

// wchar_t is UTF-16 on Windows: the two string types hold the same units.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace {

std::wstring AsWide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

const char16_t* AsUtf16(const wchar_t* text) {
    return reinterpret_cast<const char16_t*>(text);
}

}  // namespace

std::wstring WidePath(const char* path) {
    std::u16string wide;
    Utf8ToUtf16(path, wide);
    return AsWide(wide);
}

bool NarrowPath(const wchar_t* path, char* buffer, std::size_t size) {
    return Utf16ToUtf8(AsUtf16(path), buffer, size);
}

std::string NarrowPath(const wchar_t* path) {
    std::string narrow;
    Utf16ToUtf8(AsUtf16(path), narrow);
    return narrow;
}

std::wstring WideMessage(const char* before, const char* path, const char* after) {
    std::u16string widePath;
    // A path that is not UTF-8 is shown byte for byte rather than not at all.
    if (!Utf8ToUtf16(path, widePath)) widePath = Cp1252ToUtf16(path);
    return AsWide(Cp1252ToUtf16(before) + widePath + Cp1252ToUtf16(after));
}
