// Messages about a file that name it and say why it failed, in one form
// wherever they are shown: what happened, the file's path, and after a
// blank line the reason.
#pragma once

#include <cstdint>
#include <string>

inline constexpr const char kFileReadErrorTitle[] = "File Read Error";

// A message that names a path, kept in its three parts: the program's texts
// are single-byte (code page 1252) and the path is UTF-8, so the box that
// shows it joins them in UTF-16 (ShowMessage in ui/message_box.h).
struct PathMessage {
    std::string before;
    std::string path;
    std::string after;
    // The three parts as one text, each in its own encoding.
    std::string Text() const { return before + path + after; }
};

PathMessage FileErrorMessage(const char* lead, const char* path, const char* reason);

// A message text with one "%s" for the path.
PathMessage FormatPathMessage(const char* format, const char* path);

// The reason for a read that ended early without an error of the system.
std::string ShortReadReason(std::uint64_t read, std::uint64_t size);
