#include "model/record_text.h"

#include <cstring>

namespace {

bool IsControl(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code < 0x20 || code == 0x7F;
}

}  // namespace

std::size_t ReplaceControlCharacters(char* text, std::size_t length) {
    std::size_t out = 0;
    for (std::size_t in = 0; in < length && text[in] != '\0'; ++in) {
        const char c = text[in];
        if (c == '\r' && in + 1 < length && text[in + 1] == '\n') continue;  // the LF gives the space
        text[out++] = IsControl(c) ? ' ' : c;
    }
    if (out < length) text[out] = '\0';
    return out;
}

std::size_t ReplaceControlCharacters(char* text) {
    return text ? ReplaceControlCharacters(text, std::strlen(text)) : 0;
}
