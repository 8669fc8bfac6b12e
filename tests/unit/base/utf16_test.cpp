#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/utf16.h"

namespace {

// The folder a Cyrillic user's profile gets, and a name beyond the BMP.
const char kCyrillicUtf8[] =
    "C:\\users\\\xD0\x9F\xD0\xBE\xD0\xBB\xD1\x8C\xD0\xB7\xD0\xBE\xD0\xB2\xD0\xB0\xD1\x82\xD0\xB5\xD0\xBB\xD1\x8C";
const char16_t kCyrillicUtf16[] = u"C:\\users\\Пользователь";

TEST(Utf16, WellFormedTextsGoBothWays) {
    const struct {
        const char* utf8;
        std::u16string utf16;
    } cases[] = {
        {"", u""},
        {"C:\\plain\\LEDGR1.LPD", u"C:\\plain\\LEDGR1.LPD"},
        {kCyrillicUtf8, kCyrillicUtf16},
        {"caf\xC3\xA9", u"caf\u00E9"},                         // two bytes
        {"\xE2\x82\xAC 5", u"\u20AC 5"},                        // three bytes
        {"\xF0\x9F\x93\x92.txt", u"\U0001F4D2.txt"},            // four bytes: a surrogate pair
        {"\xEF\xBF\xBF\xF4\x8F\xBF\xBF", u"\uFFFF\U0010FFFF"},  // the last of each length
    };
    for (const auto& c : cases) {
        std::u16string wide = u"stale";
        EXPECT_TRUE(Utf8ToUtf16(c.utf8, wide)) << c.utf8;
        EXPECT_EQ(wide, c.utf16) << c.utf8;
        std::string narrow = "stale";
        EXPECT_TRUE(Utf16ToUtf8(c.utf16.c_str(), narrow)) << c.utf8;
        EXPECT_EQ(narrow, c.utf8);
    }
}

// A byte sequence that is not UTF-8 names no file: it is refused whole,
// never turned into some other name.
TEST(Utf16, MalformedUtf8IsRefused) {
    const char* cases[] = {
        "\x80",                 // a continuation byte alone
        "ab\xD0",               // a character cut at the end, as a cut buffer leaves it
        ("\xD0" "A"),           // a lead byte without its continuation
        "\xC0\xAF",             // overlong "/"
        "\xE0\x80\xAF",         // overlong, three bytes
        "\xED\xA0\x80",         // a surrogate written out
        "\xF4\x90\x80\x80",     // above U+10FFFF
        "\xFF",
        "C:\\\xC8\xEC\xFF",     // code page 1251 bytes, not UTF-8
    };
    for (const char* text : cases) {
        std::u16string wide = u"stale";
        EXPECT_FALSE(Utf8ToUtf16(text, wide)) << testing::PrintToString(std::string(text));
        EXPECT_TRUE(wide.empty());
    }
}

TEST(Utf16, UnpairedSurrogatesAreRefused) {
    const char16_t* cases[] = {u"a\xD800", u"\xDC00z", u"\xD800\xD800\xDC00"};
    for (const char16_t* text : cases) {
        std::string narrow = "stale";
        EXPECT_FALSE(Utf16ToUtf8(text, narrow));
        EXPECT_TRUE(narrow.empty());
    }
}

// A path from the system fills a fixed buffer whole or not at all: a cut
// one would be another file (and might end inside a character).
TEST(Utf16, AFixedBufferTakesTheWholePathOrNothing) {
    const std::size_t length = sizeof kCyrillicUtf8 - 1;
    std::string exact(length + 1, 'x');
    EXPECT_TRUE(Utf16ToUtf8(kCyrillicUtf16, exact.data(), exact.size()));
    EXPECT_STREQ(exact.c_str(), kCyrillicUtf8);

    char small[sizeof kCyrillicUtf8 - 1];
    std::memset(small, 'x', sizeof small);
    EXPECT_FALSE(Utf16ToUtf8(kCyrillicUtf16, small));
    EXPECT_STREQ(small, "");

    char none[1] = {'x'};
    EXPECT_FALSE(Utf16ToUtf8(u"a", none));
    EXPECT_STREQ(none, "");
}

TEST(Utf16, TheProgramsOwnTextsAreCodePage1252) {
    EXPECT_EQ(Cp1252ToUtf16("Plain text"), u"Plain text");
    EXPECT_EQ(Cp1252ToUtf16("\x80 \x93quoted\x94 \xE9\xFF"), u"\u20AC \u201Cquoted\u201D \u00E9\u00FF");
    // The bytes 1252 leaves unassigned keep their values.
    EXPECT_EQ(Cp1252ToUtf16("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(Cp1252ToUtf16(nullptr), u"");
}

}  // namespace
