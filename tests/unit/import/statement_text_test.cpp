#include "import/statement_text.h"

#include <gtest/gtest.h>

#include <string>

#include "statement_summary.h"

namespace {

TEST(StatementTextTest, Utf8BecomesTheAnsiPageOrQuestionMarks) {
    const struct {
        const char* name;
        std::string utf8;
        std::string ansi;
        bool wellFormedBeyond7Bit;
    } cases[] = {
        {"ASCII", "Rent 12", "Rent 12", false},
        {"Latin-1 range", "Caf\xC3\xA9 \xC2\xA0\xC3\xBF", "Caf\xE9 \xA0\xFF", true},
        {"the page's own 0x80..0x9F", "\xE2\x82\xAC\xE2\x80\x9C\xC5\xB8\xE2\x84\xA2", "\x80\x93\x9F\x99", true},
        {"C1 controls have no place", "\xC2\x81", "?", true},
        {"characters beyond the page", "\xE4\xB8\xAD\xF0\x9F\x98\x80", "??", true},
        {"an overlong slash", "a\xE0\x80\xAF", "a???", false},
        {"an overlong two-byte form", "\xC0\xAF", "??", false},
        {"a surrogate", "\xED\xA0\x80", "???", false},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????", false},
        {"cut short", "Caf\xC3", "Caf?", false},
        {"a lone continuation byte", "\x80x", "?x", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi) << c.name;
        EXPECT_EQ(IsUtf8Beyond7Bit(c.utf8), c.wellFormedBeyond7Bit) << c.name;
    }
}

TEST(StatementTextTest, Utf16BecomesTheAnsiPage) {
    const struct {
        const char* name;
        std::string bytes;
        std::string ansi;
    } cases[] = {
        {"little-endian", Utf16Le(u"Caf\u00E9 \u20AC"), "Caf\xE9 \x80"},
        {"big-endian", std::string("\xFE\xFF\0A\x20\xAC", 6), "A\x80"},
        {"a pair is one character", Utf16Le(u"a\U0001F600b"), "a?b"},
        {"a lone surrogate", Utf16Le(u"a") + std::string("\x00\xD8", 2) + "b" + std::string(1, '\0'), "a?b"},
        {"an odd last byte is dropped", Utf16Le(u"ab") + "c", "ab"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileTextToAnsi(c.bytes), c.ansi) << c.name;
}

TEST(StatementTextTest, FieldTextsAreOneLineWithoutControlCharacters) {
    const struct {
        std::string text;
        std::string clean;
    } cases[] = {
        {"  Rent\tJanuary \r\n 2026  ", "Rent January 2026"},
        {std::string("A\0B", 3), "A B"},
        {"A\x7F" "B", "A B"},
        {"Caf\xE9\xA0!", "Caf\xE9\xA0!"},
        {"\t\n", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CleanFieldText(c.text), c.clean) << c.text;
}

TEST(StatementTextTest, FinishingDropsEmptyStatementsAndRefusesAFileWithNothingToImport) {
    const auto transaction = [](int line, const char* refused) {
        StatementTransaction t;
        t.line = line;
        t.date = "20260102";
        t.refused = refused;
        return t;
    };
    std::vector<Statement> statements(3);
    statements[0].accountId = "empty";
    statements[1].accountId = "refused";
    statements[1].transactions = {transaction(4, "first reason"), transaction(5, "second reason")};
    statements[2].accountId = "good";
    statements[2].transactions = {transaction(9, "")};
    StatementFile file = FinishStatements(statements);
    EXPECT_EQ(file.error, "");
    ASSERT_EQ(file.statements.size(), 2u);
    EXPECT_EQ(file.statements[0].accountId, "refused");
    EXPECT_EQ(file.statements[1].accountId, "good");

    statements.pop_back();
    file = FinishStatements(statements);
    EXPECT_EQ(file.error, "Line 4: first reason");
    EXPECT_TRUE(file.statements.empty());

    statements.pop_back();
    file = FinishStatements(statements);
    EXPECT_EQ(file.error, kNoTransactions);
    EXPECT_TRUE(file.statements.empty());
}

} // namespace
