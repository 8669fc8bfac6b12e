// A dialog run by an object: doModal or DoModeless builds the numbered
// dialog with the object as its creation parameter; at WM_INITDIALOG the
// object attaches to the dialog window, and from then on the dialog's
// messages arrive at the virtual operations below.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

#include "ui/window_base_class.h"

class DialogBaseClass : public WindowBaseClass {
public:
    // The values of the dialog number that mean "ask GetDialogNumber".
    static constexpr int kAskModal = 0;
    static constexpr int kAskModeless = -1;

    DialogBaseClass() = default;

    // Runs the dialog modally and returns its EndDialog value. An exception
    // from the dialog's own code is caught in the dialog procedure (it never
    // unwinds through the system's frames), logged, the dialog ended, and
    // thrown on here once the system has let the dialog go.
    INT_PTR doModal(HWND hwndParent, int dialogNumber = kAskModal);
    // Creates the dialog modelessly and returns its window. An exception
    // while it is created is thrown on here; a later one closes the dialog
    // and is logged, as no caller is waiting for it.
    HWND DoModeless(HWND hwndParent, int dialogNumber = kAskModeless);

    // The dialog operations, after the window operations in the virtual table.
    using WindowBaseClass::OnCommand;

    virtual int GetDialogNumber() = 0;
    // Every message that the operations below do not name.
    virtual INT_PTR OnDialogMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnInitDialog(HWND hwndFocus, LPARAM lParam);
    // The default ends the dialog for OK and Cancel.
    virtual BOOL OnCommand(WORD id, HWND hwndCtl, WORD codeNotify);
    virtual BOOL OnDialogNotify(int idCtrl, NMHDR* pnmh);
    virtual BOOL OnDrawItem(int idCtrl, const DRAWITEMSTRUCT* pdis);
    virtual HBRUSH OnCtlColorEdit(HDC hdc, HWND hwndEdit);
    virtual BOOL OnEraseBkgnd(HDC hdc);

    // Control helpers.
    // Sets the text with the control's painting held, so it changes at once.
    void SetItemText(int id, const char* text);
    std::string GetItemText(int id);
    HWND GetItem(int id);
    void ShowItem(int id);
    void HideItem(int id);

private:
    // The procedure of every class-based dialog.
    static INT_PTR CALLBACK SharedDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    // Ends the dialog after its code threw and keeps the exception.
    void Fail(HWND hwnd, std::exception_ptr failure);
    void ThrowFailure();

    std::exception_ptr m_Failure;
    int m_DialogNumber = 0;
    bool m_Modal = false;
};
