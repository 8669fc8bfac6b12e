#include <windows.h>

#include "storage/last_error.h"
#include "storage/log.h"
#include "ui/message_box.h"

namespace {

const char kErrorReportTitle[] = "Windows SDK Error Report";
const char kNoError[] = "No error";
const char kUnknownError[] = "Unknown error";

// The system's text for an error code, freed with LocalFree by the owner.
class SystemMessage {
public:
    SystemMessage(DWORD error, DWORD language) {
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, language, reinterpret_cast<LPSTR>(&m_Text), 0, nullptr);
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
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        error, 0, text, sizeof text, nullptr);
    std::string result(text, length);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
    return result.empty() ? kUnknownError : result;
}

void ShowLastError() {
    DWORD error = GetLastError();
    if (error == 0) {
        ShowMessage(nullptr, kNoError, kErrorReportTitle, MB_OK);
        return;
    }
    SystemMessage message(error, 0);
    const char* text = message.Text() ? message.Text() : kUnknownError;
    ShowMessage(nullptr, text, kErrorReportTitle, MB_OK | MB_ICONSTOP);
}

void LogLastError() {
    DWORD error = GetLastError();
    if (error == 0) {
        WriteLog("%s", kNoError);
        return;
    }
    SystemMessage message(error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT));
    if (message.Text()) WriteLog("LogLastError: %s", message.Text());
    else WriteLog("%s", kUnknownError);
}
