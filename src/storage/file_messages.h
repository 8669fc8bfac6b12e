// Messages about a file that name it and say why it failed, in one form
// wherever they are shown: what happened, the file's path, and after a
// blank line the reason.
#pragma once

#include <cstdint>
#include <string>

inline constexpr const char kFileReadErrorTitle[] = "File Read Error";

std::string FileErrorMessage(const char* lead, const char* path, const char* reason);

// The reason for a read that ended early without an error of the system.
std::string ShortReadReason(std::uint64_t read, std::uint64_t size);
