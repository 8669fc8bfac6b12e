// Paths reach the system through its wide-character (W) calls: a path the
// program holds as UTF-8 is widened at the call, and one the system gives
// back is narrowed as it is taken. Win32 (wide_path_win.cpp).
#pragma once

#include <cstddef>
#include <string>

// The path for a W call. A path that is not UTF-8 gives the empty text,
// which every W call refuses as naming no file.
std::wstring WidePath(const char* path);
inline std::wstring WidePath(const std::string& path) { return WidePath(path.c_str()); }

// A path from a W call as the program keeps it; false (and the empty text)
// when it is not valid UTF-16 or would not fit the buffer whole.
bool NarrowPath(const wchar_t* path, char* buffer, std::size_t size);
template <std::size_t N> bool NarrowPath(const wchar_t* path, char (&buffer)[N]) {
    return NarrowPath(path, buffer, N);
}
std::string NarrowPath(const wchar_t* path);

// A message naming a path, for MessageBoxW: the texts around the path are
// the program's own (code page 1252), the path is UTF-8.
std::wstring WideMessage(const char* before, const char* path, const char* after);
