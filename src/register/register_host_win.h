// The register's host over the real controls of the main window.
#pragma once

#include "register/register_host.h"

class Win32RegisterHost final : public RegisterHost {
public:
    void SetText(int index, const char* text) override;
    void GetText(int index, char* out, std::size_t size) override;
    void SetFocus(int index) override;
    void SelectAll(int index) override;
    void GetSelection(int index, int& start, int& end) override;
    void SetSelection(int index, int start, int end) override;
    void SetScrollBar(int maxValue, int position) override;
    void ShowMessage(const char* text, const char* title) override;
    void Beep() override;
    bool SaveAccount() override;
};

Win32RegisterHost& TheWin32RegisterHost();
