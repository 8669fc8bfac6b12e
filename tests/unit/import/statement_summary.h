// One line of text per statement and per transaction, so that a test can
// compare everything a reader found with one expected text.
#pragma once

#include <string>
#include <string_view>

#include "import/statement.h"

inline std::string Summary(const StatementTransaction& t) {
    std::string line = "L" + std::to_string(t.line) + " ";
    if (!t.refused.empty())
        return line + "refused " + t.date + ": " + t.refused;
    line += t.date + " " + std::to_string(t.cents);
    if (!t.checkNumber.empty())
        line += " #" + t.checkNumber;
    line += " \"" + t.payee + "\"";
    if (!t.memo.empty())
        line += " memo \"" + t.memo + "\"";
    if (!t.fitid.empty())
        line += " id " + t.fitid;
    return line;
}

inline std::string Summary(const StatementFile& file) {
    if (!file.error.empty())
        return "error: " + file.error + (file.statements.empty() ? "" : " (and statements)");
    std::string text;
    for (const Statement& s : file.statements) {
        text += "[" + s.accountType + "|" + s.accountId + "|" + s.periodStart + "-" + s.periodEnd + "|"
              + (s.endingBalanceCents ? std::to_string(*s.endingBalanceCents) : "none") + "]\n";
        if (s.skippedLines)
            text += "skipped " + std::to_string(s.skippedLines) + "\n";
        for (const StatementTransaction& t : s.transactions)
            text += Summary(t) + "\n";
    }
    return text;
}

// Text as a spreadsheet's "Unicode text" saves it: UTF-16 with its mark.
inline std::string Utf16Le(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}
