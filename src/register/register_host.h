// What the register asks of the program around it: the texts, focus and
// selection of its 135 field controls (by index, identifier - 1130), the
// scroll bar, message boxes, the beep and the saving of the account. The
// program uses the Win32 host over the real controls
// (register_host_win.cpp); tests put in a host of their own, so that the
// register's rules run without windows.
#pragma once

#include <cstddef>

class RegisterHost {
public:
    virtual ~RegisterHost() = default;

    virtual void SetText(int index, const char* text) = 0;
    // Reads at most size - 1 characters and ends them with a NUL.
    virtual void GetText(int index, char* out, std::size_t size) = 0;
    virtual void SetFocus(int index) = 0;
    virtual void SelectAll(int index) = 0;
    virtual void GetSelection(int index, int& start, int& end) = 0;
    virtual void SetSelection(int index, int start, int end) = 0;

    // Scroll range 0..maxValue (0..0 when maxValue is below 0).
    virtual void SetScrollBar(int maxValue, int position) = 0;
    // The modal information box with an OK button, owned by the main window;
    // the Find dialog is closed first.
    virtual void ShowMessage(const char* text, const char* title) = 0;
    virtual void Beep() = 0;
    // Rewrites the open account's files (SaveAccount); false when the save
    // failed (the change then stays pending).
    virtual bool SaveAccount() = 0;
};

// The host in use; until one is set, a host that shows and saves nothing.
RegisterHost& Host();
// Returns the previous host; nullptr puts the empty host back.
RegisterHost* SetRegisterHost(RegisterHost* host);

// Every register message box goes through here (the host closes the Find
// dialog first, so that the message is never hidden behind it).
void ShowRegisterMessage(const char* text, const char* title);
// The "Incorrect Date Format" box for a register date field.
void ShowRegisterDateError();
// The "too large to display" box for a ComputeBalances result that is not
// kBalancesOk.
void ShowBalanceError(int computeResult);
