// Paths live in the program as UTF-8 in its char buffers, so that a folder
// named in any script fits the same buffers and passes through the same
// bounded copies; the system takes them as UTF-16. The program's own texts
// stay single-byte (code page 1252), as the file layouts need; a message
// that shows a path joins the two in UTF-16.
#pragma once

#include <cstddef>
#include <string>

// The UTF-16 form of a UTF-8 text. False, with out empty, when the text is
// not UTF-8 (a stray or missing continuation byte, an overlong form, a
// surrogate, a value above U+10FFFF): such a path names no file, and a path
// cut in the middle of a character must not name another one.
bool Utf8ToUtf16(const char* text, std::u16string& out);

// The UTF-8 form of a UTF-16 text. False, with out empty, for an unpaired
// surrogate.
bool Utf16ToUtf8(const char16_t* text, std::string& out);

// The same into a fixed buffer. A text that does not fit whole is refused
// (the buffer then holds the empty text): a cut path would be another file.
bool Utf16ToUtf8(const char16_t* text, char* buffer, std::size_t size);
template <std::size_t N> bool Utf16ToUtf8(const char16_t* text, char (&buffer)[N]) {
    return Utf16ToUtf8(text, buffer, N);
}

// The program's own texts (code page 1252) in UTF-16. The five bytes 1252
// leaves unassigned keep their values, as the system's conversion does.
std::u16string Cp1252ToUtf16(const char* text);
