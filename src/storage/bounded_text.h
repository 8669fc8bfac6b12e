// Copies into fixed-size text buffers that always stay NUL-terminated and
// cut what does not fit instead of overflowing.
#pragma once

#include <cstddef>
#include <cstring>

// dest = src, cut to size - 1 characters. Returns false when it was cut.
inline bool CopyBounded(char* dest, std::size_t size, const char* src) {
    if (size == 0) return false;
    std::size_t length = src ? std::strlen(src) : 0;
    bool fits = length < size;
    if (!fits) length = size - 1;
    if (length) std::memcpy(dest, src, length);
    dest[length] = '\0';
    return fits;
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
