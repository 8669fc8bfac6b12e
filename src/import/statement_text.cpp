#include "import/statement_text.h"

#include <algorithm>
#include <cstdint>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Unicode characters of Windows-1252 bytes 0x80..0x9F; 0 where the page
// has no character.
constexpr char16_t kAnsiHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// Length of the well-formed UTF-8 sequence at text[i] and its character;
// 0 when the bytes there are not one (overlong forms and surrogates too).
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& c) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

char32_t Utf16Unit(std::string_view bytes, std::size_t i, bool bigEndian) {
    const auto lo = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
    const auto hi = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
    return static_cast<char32_t>(hi << 8 | lo);
}

} // namespace

std::string_view TrimSpace(std::string_view text) {
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Upper(x) == Upper(y); });
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        c = Upper(c);
    return upper;
}

std::string_view SkipUtf8Bom(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    return bytes;
}

bool HasUtf16Bom(std::string_view bytes) {
    return bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF";
}

bool IsUtf8Beyond7Bit(std::string_view bytes) {
    bool beyond = false;
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8(bytes, i, c);
        if (length == 0)
            return false;
        beyond = beyond || length > 1;
        i += length;
    }
    return beyond;
}

char AnsiOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < 32; ++i) {
        if (kAnsiHighControls[i] != 0 && kAnsiHighControls[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

std::string Utf8ToAnsi(std::string_view utf8) {
    std::string ansi;
    ansi.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8(utf8, i, c);
        ansi += length ? AnsiOf(c) : '?';
        i += length ? length : 1;
    }
    return ansi;
}

std::string Utf16ToAnsi(std::string_view bytes) {
    const bool bigEndian = bytes.substr(0, 2) == "\xFE\xFF";
    std::string ansi;
    ansi.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const char32_t unit = Utf16Unit(bytes, i, bigEndian);
        if (unit < 0xD800 || unit > 0xDFFF) {
            ansi += AnsiOf(unit);
            continue;
        }
        // A pair stands for one character beyond the page: one '?'.
        const bool paired = unit < 0xDC00 && i + 3 < bytes.size()
                         && Utf16Unit(bytes, i + 2, bigEndian) >= 0xDC00
                         && Utf16Unit(bytes, i + 2, bigEndian) <= 0xDFFF;
        ansi += '?';
        if (paired)
            i += 2;
    }
    return ansi;
}

std::string FileTextToAnsi(std::string_view bytes) {
    if (HasUtf16Bom(bytes))
        return Utf16ToAnsi(bytes);
    const std::string_view text = SkipUtf8Bom(bytes);
    if (text.size() != bytes.size() || IsUtf8Beyond7Bit(text))
        return Utf8ToAnsi(text);
    return std::string(text);
}

std::string CleanFieldText(std::string_view text) {
    std::string clean;
    clean.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const char shown = byte < 0x20 || byte == 0x7F ? ' ' : c;
        if (shown == ' ' && (clean.empty() || clean.back() == ' '))
            continue;
        clean += shown;
    }
    if (!clean.empty() && clean.back() == ' ')
        clean.pop_back();
    return clean;
}

std::string Quoted(std::string_view value) {
    constexpr std::size_t kLongest = 40;
    std::string shown = CleanFieldText(value);
    if (shown.size() > kLongest)
        shown = shown.substr(0, kLongest) + "...";
    return "\"" + shown + "\"";
}

std::string AtLine(int line, std::string_view reason) {
    return "Line " + std::to_string(line) + ": " + std::string(reason);
}

std::string CheckNumberText(std::string_view text) {
    std::string number = CleanFieldText(text);
    if (number.find_first_not_of('0') == std::string::npos)
        number.clear();
    return number;
}

StatementTransaction TransactionTexts(int line, std::string_view checkNumber, std::string_view payee,
                                      std::string_view memo) {
    StatementTransaction transaction;
    transaction.line = line;
    transaction.checkNumber = CheckNumberText(checkNumber);
    transaction.payee = CleanFieldText(payee);
    transaction.memo = CleanFieldText(memo);
    return transaction;
}

StatementFile RefusedFile(std::string error) {
    StatementFile file;
    file.error = std::move(error);
    return file;
}

StatementFile FinishStatements(std::vector<Statement> statements) {
    StatementFile file;
    std::size_t skipped = 0;
    for (Statement& statement : statements) {
        skipped += statement.skippedLines;
        statement.skippedLines = 0;
        if (!statement.transactions.empty())
            file.statements.push_back(std::move(statement));
    }
    if (file.statements.empty()) {
        file.error = kNoTransactions;
        return file;
    }
    file.statements.front().skippedLines = skipped;
    for (const Statement& statement : file.statements) {
        for (const StatementTransaction& transaction : statement.transactions) {
            if (transaction.refused.empty())
                return file;
        }
    }
    const StatementTransaction& first = file.statements.front().transactions.front();
    file.error = AtLine(first.line, first.refused);
    file.statements.clear();
    return file;
}
