// Texts of a transaction hold no control characters: each becomes a space,
// a CR LF line break one space.
#include "model/record_text.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(RecordText, ControlCharactersBecomeSpaces) {
    const struct {
        const char* name;
        std::string text;
        std::string cleaned;
    } cases[] = {
        {"plain", "Rent 101", "Rent 101"},
        {"tab", "Rent\tMay", "Rent May"},
        {"CR LF", "Rent\r\nMay", "Rent May"},
        {"LF", "Rent\nMay", "Rent May"},
        {"CR alone", "Rent\rMay", "Rent May"},
        {"LF CR", "a\n\rb", "a  b"},
        {"two line breaks", "a\r\n\r\nb", "a  b"},
        {"CR LF at the end", "a\r\n", "a "},
        {"other controls", std::string("\x01x\x1f\x7f", 4), " x  "},
        {"letters beyond ASCII stay", "Caf\xe9 \x80", "Caf\xe9 \x80"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(ReplaceControlCharacters(text.data()), c.cleaned.size()) << c.name;
        EXPECT_EQ(std::string(text.c_str()), c.cleaned) << c.name;
    }
}

// A counted text (a field copied without its NUL) is cleaned within its
// length only; a CR at its end is not joined with what follows.
TEST(RecordText, ACountedTextStaysWithinItsLength) {
    char text[] = "ab\r\ncd";
    EXPECT_EQ(ReplaceControlCharacters(text, 3), 3u);
    EXPECT_EQ(std::string(text, 3), "ab ");
    EXPECT_EQ(text[3], '\n') << "nothing past the length is touched";
    char stops[] = "a\0\tb";
    EXPECT_EQ(ReplaceControlCharacters(stops, 4), 1u);
    EXPECT_EQ(stops[2], '\t');
    EXPECT_EQ(ReplaceControlCharacters(nullptr), 0u);
}

}  // namespace
