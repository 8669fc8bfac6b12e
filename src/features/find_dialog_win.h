// The modeless Find dialog (dialog 20): the text to find and the two
// options, kept between openings. Find Next sends the registered message
// "finddlg_Find" to the owner, which runs the search; the dialog itself
// never touches the register.
#pragma once

#include <windows.h>

#include <string>

#include "ui/dialog_base_class.h"

class FindDialog : public DialogBaseClass {
public:
    // Opens the dialog over owner with the kept text and options, or
    // brings the open one to the front (showing text when it is not empty).
    // Returns the dialog window, null when it could not be created.
    HWND Open(HWND owner, const std::string& text);
    // Destroys the dialog window when one is open.
    void Close();
    bool IsOpen() const;

    const std::string& FindText() const { return m_FindText; }
    bool WholeWord() const { return m_WholeWord; }
    bool MatchCase() const { return m_MatchCase; }
    UINT FindMessage() const { return m_FindMessage; }
    HWND Window() const { return m_Window; }
    // Gives the keyboard focus to the dialog's text field.
    void Activate();

    int GetDialogNumber() override;
    BOOL OnInitDialog(HWND hwndFocus, LPARAM lParam) override;
    BOOL OnCommand(WORD id, HWND hwndCtl, WORD codeNotify) override;
    void OnDestroy() override;

private:
    void EnableFindNext();
    void DisableFindNext();
    void UpdateFindNext();
    void OnFindNext();

    std::string m_FindText;
    bool m_WholeWord = false;
    bool m_MatchCase = false;
    HWND m_Window = nullptr;
    HWND m_Owner = nullptr;
    UINT m_FindMessage = 0;
};

// The one Find dialog, created on first use and kept for the whole run.
FindDialog& TheFindDialog();
