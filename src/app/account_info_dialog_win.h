// Checking Account Info (dialog 21): the seven free texts of the open
// account's information, edited in place of the class-wide fields of
// AccountInfo. Saving them is the command's business.
#pragma once

#include "ui/dialog_base_class.h"

class AccountInfoDialog : public DialogBaseClass {
public:
    using DialogBaseClass::OnCommand;

    int GetDialogNumber() override;
    // Fills items 2320 to 2326 from the seven texts.
    BOOL OnInitDialog(HWND hwndFocus, LPARAM lParam) override;
    // OK stores the seven item texts back; OK and Cancel end the dialog.
    BOOL OnCommand(WORD id, HWND hwndCtl, WORD codeNotify) override;
};
