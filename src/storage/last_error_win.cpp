#include <windows.h>

#include "storage/last_error.h"

namespace {

const char kUnknownError[] = "Unknown error";

// The system's text for an error code, freed with LocalFree by the owner.
class SystemMessage {
public:
    explicit SystemMessage(DWORD error) {
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<LPSTR>(&m_Text), 0, nullptr);
    }
    ~SystemMessage() {
        if (m_Text) LocalFree(m_Text);
    }
    SystemMessage(const SystemMessage&) = delete;
    SystemMessage& operator=(const SystemMessage&) = delete;
    const char* Text() const { return m_Text; }

private:
    char* m_Text = nullptr;
};

}  // namespace

std::string SystemErrorText(unsigned long error) {
    if (error == 0) return {};
    SystemMessage message(error);
    std::string text = message.Text() ? message.Text() : kUnknownError;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text.empty() ? kUnknownError : text;
}
