// Text handling the statement readers share: the program is ANSI
// (Windows-1252), bank files come in that page or in UTF-8 (or, from a
// spreadsheet's "Unicode text", UTF-16), and every text that reaches the
// register must be one line of printable characters.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "import/statement.h"

std::string_view TrimSpace(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
std::string UpperCase(std::string_view text);

// The bytes after a UTF-8 byte-order mark, or all of them.
std::string_view SkipUtf8Bom(std::string_view bytes);
bool HasUtf16Bom(std::string_view bytes);

// True when the bytes are well-formed UTF-8 and hold at least one character
// beyond ASCII: such text is almost never Windows-1252 by accident.
bool IsUtf8Beyond7Bit(std::string_view bytes);

// Windows-1252 byte of a Unicode character, '?' where the page has none.
char AnsiOf(char32_t c);
// UTF-8 to Windows-1252; characters the page lacks and broken sequences
// become '?'.
std::string Utf8ToAnsi(std::string_view utf8);
// UTF-16 (little- or big-endian, by its byte-order mark) to Windows-1252.
std::string Utf16ToAnsi(std::string_view bytes);

// A QIF or CSV file's text in Windows-1252: UTF-16 and UTF-8 (marked, or
// well-formed with characters beyond ASCII) are converted, anything else is
// taken as already in the program's page.
std::string FileTextToAnsi(std::string_view bytes);

// A field value fit for the register: control characters (a tab would split
// the exported line, a line break the one-line field) become spaces, runs of
// spaces one space, no space at either end.
std::string CleanFieldText(std::string_view text);

// A value as a refusal reason shows it: in quotes, cut to a readable length.
std::string Quoted(std::string_view value);
// "Line N: reason".
std::string AtLine(int line, std::string_view reason);

// A check number of only zeros is no check number.
std::string CheckNumberText(std::string_view text);

// A transaction's line and texts as the file writes them, made fit for the
// register; each reader adds the date and the amount.
StatementTransaction TransactionTexts(int line, std::string_view checkNumber, std::string_view payee,
                                      std::string_view memo);

// A file refused as a whole, for the reason given.
StatementFile RefusedFile(std::string error);

// The end of every reader: statements without transactions go, and a file
// with none left, or with none that can be imported, becomes an error. The
// skipped lines of every statement are counted in the first one kept.
StatementFile FinishStatements(std::vector<Statement> statements);

// Splits text into lines at CR LF, LF or a lone CR; calls each(line, number).
// An each that returns bool stops the walk by returning false.
template <typename Each>
void ForEachLine(std::string_view text, Each each) {
    int number = 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\n' && text[i] != '\r')
            continue;
        if constexpr (std::is_same_v<decltype(each(text, number)), bool>) {
            if (!each(text.substr(start, i - start), number++))
                return;
        } else {
            each(text.substr(start, i - start), number++);
        }
        if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
}
