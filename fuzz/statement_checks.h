// What every statement reader promises whatever the bytes: an error and no
// statements, or statements and no error; every transaction either refused
// with a reason or with a real date and an amount the register takes; no
// text that could break a register field or an exported line.
#pragma once

#include <string>

#include "import/statement.h"
#include "import/statement_values.h"

inline void CheckFieldText(const std::string& text) {
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) __builtin_trap();
    }
}

inline void CheckStatementFile(const StatementFile& file) {
    if (file.error.empty() == file.statements.empty()) __builtin_trap();
    bool anyImportable = file.statements.empty();
    for (const Statement& statement : file.statements) {
        if (statement.transactions.empty()) __builtin_trap();
        CheckFieldText(statement.accountId);
        for (const std::string* date : {&statement.periodStart, &statement.periodEnd}) {
            if (!date->empty() && date->size() != 8) __builtin_trap();
        }
        for (const StatementTransaction& t : statement.transactions) {
            if (t.line < 1) __builtin_trap();
            for (const std::string* text : {&t.checkNumber, &t.payee, &t.memo, &t.fitid, &t.refused})
                CheckFieldText(*text);
            if (!t.refused.empty()) continue;
            anyImportable = true;
            if (t.date.size() != 8 || t.date < "19000101" || t.date > "99991231") __builtin_trap();
            if (t.cents > kLargestEntryCents || t.cents < -kLargestEntryCents) __builtin_trap();
        }
    }
    if (!anyImportable) __builtin_trap();
}
