// The program's one bounded copy: fixed-size text buffers always stay
// NUL-terminated and cut what does not fit instead of overflowing.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>

// dest = at most width characters of src, up to its NUL (a fixed-width
// field of a record may lack its NUL), cut to size - 1. Returns how many
// characters were copied; nothing is written when size is 0.
inline std::size_t CopyBoundedField(char* dest, std::size_t size, const char* src, std::size_t width) {
    if (size == 0) return 0;
    const std::size_t length = src ? strnlen(src, std::min(width, size - 1)) : 0;
    if (length) std::memcpy(dest, src, length);
    dest[length] = '\0';
    return length;
}

// dest = src, cut to size - 1 characters. Returns false when it was cut.
inline bool CopyBounded(char* dest, std::size_t size, const char* src) {
    if (size == 0) return false;
    const std::size_t length = CopyBoundedField(dest, size, src, size - 1);
    return src == nullptr || src[length] == '\0';
}

// dest += src, cut to size - 1 characters in all. Returns false when cut.
inline bool AppendBounded(char* dest, std::size_t size, const char* src) {
    if (size == 0) return false;
    std::size_t used = strnlen(dest, size);
    if (used == size) {  // not terminated: terminate at the end, drop src
        dest[size - 1] = '\0';
        return false;
    }
    return CopyBounded(dest + used, size - used, src);
}

template <std::size_t N> bool CopyBounded(char (&dest)[N], const char* src) {
    return CopyBounded(dest, N, src);
}
template <std::size_t N> bool AppendBounded(char (&dest)[N], const char* src) {
    return AppendBounded(dest, N, src);
}
