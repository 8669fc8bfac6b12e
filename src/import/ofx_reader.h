// OFX and QFX statements: version 1 (SGML: a header of NAME:VALUE lines,
// elements without end tags, one line or one tag a line), version 2 (XML),
// and a body with no header at all.
#pragma once

#include <string_view>

#include "import/statement.h"

inline constexpr const char kOfxNoStatement[] =
    "This OFX file holds no bank or credit card statement.";

// Whether the bytes are OFX: "OFXHEADER:", "<?xml" or "<OFX" near the start.
bool LooksLikeOfx(std::string_view bytes);

// Every bank (STMTRS) and credit card (CCSTMTRS) statement of the file, in
// file order. Text declared as Windows-1252 stays as it is; UTF-8 becomes
// Windows-1252.
StatementFile ReadOfx(std::string_view bytes);
