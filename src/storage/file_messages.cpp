#include "storage/file_messages.h"

std::string FileErrorMessage(const char* lead, const char* path, const char* reason) {
    std::string text = std::string(lead ? lead : "") + (path ? path : "");
    if (reason != nullptr && reason[0] != '\0') text += std::string("\n\n") + reason;
    return text;
}

std::string ShortReadReason(std::uint64_t read, std::uint64_t size) {
    return "Only " + std::to_string(read) + " of its " + std::to_string(size) + " bytes could be read.";
}
