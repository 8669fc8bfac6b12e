#include "register/register_host.h"

#include "model/account.h"
#include "model/model_texts.h"
#include "values/date.h"

namespace {

class EmptyHost final : public RegisterHost {
public:
    void SetText(int, const char*) override {}
    void GetText(int, char* out, std::size_t size) override {
        if (size > 0) out[0] = '\0';
    }
    void SetFocus(int) override {}
    void SelectAll(int) override {}
    void GetSelection(int, int& start, int& end) override { start = end = 0; }
    void SetSelection(int, int, int) override {}
    void SetScrollBar(int, int) override {}
    void ShowMessage(const char*, const char*) override {}
    void Beep() override {}
    bool SaveAccount() override { return true; }
};

EmptyHost g_emptyHost;
RegisterHost* g_host = &g_emptyHost;

}  // namespace

RegisterHost& Host() { return *g_host; }

RegisterHost* SetRegisterHost(RegisterHost* host) {
    RegisterHost* previous = g_host;
    g_host = host ? host : &g_emptyHost;
    return previous;
}

void ShowRegisterMessage(const char* text, const char* title) {
    Host().ShowMessage(text, title);
}

void ShowRegisterDateError() {
    char message[kDateErrorMessageSize];
    g_Date.ErrorMessage(kDateErrorRegister, message, sizeof message);
    ShowRegisterMessage(message, kDateErrorTitle);
}

void ShowBalanceError(int computeResult) {
    ShowRegisterMessage(computeResult == kReconciledOutOfRange ? kReconciledTooLargeText : kEndingTooLargeText,
                        kDataEntryErrorTitle);
}
