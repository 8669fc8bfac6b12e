#include "storage/file_messages.h"

PathMessage FileErrorMessage(const char* lead, const char* path, const char* reason) {
    PathMessage message{lead ? lead : "", path ? path : "", ""};
    if (reason != nullptr && reason[0] != '\0') message.after = std::string("\n\n") + reason;
    return message;
}

PathMessage FormatPathMessage(const char* format, const char* path) {
    const std::string text = format ? format : "";
    const std::size_t slot = text.find("%s");
    if (slot == std::string::npos) return {text, "", ""};
    return {text.substr(0, slot), path ? path : "", text.substr(slot + 2)};
}

std::string ShortReadReason(std::uint64_t read, std::uint64_t size) {
    return "Only " + std::to_string(read) + " of its " + std::to_string(size) + " bytes could be read.";
}
