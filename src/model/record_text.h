// The texts of a transaction hold no control characters: a tab or a line
// break would split a field of the export file (read by spreadsheets), and
// a register field cannot show them.
#pragma once

#include <cstddef>

// Replaces every control character (codes 1 to 31 and 127) of the first
// length characters of text with a space, a CR LF pair with one space.
// Works in place; returns the new length. A NUL ends the text early.
std::size_t ReplaceControlCharacters(char* text, std::size_t length);
// The same for a NUL-terminated text.
std::size_t ReplaceControlCharacters(char* text);
