// Running the numbered dialogs: modal and modeless, PlaceDialog, the first
// step of every dialog procedure, and the skeleton the plain dialog
// procedures share.
#pragma once

#include <windows.h>

struct DialogDescription;

// Font choices of PlaceDialog. The plain dialog procedures use the bold one;
// the class-based dialogs (Find, Checking Account Info) the sans serif one.
inline constexpr int kDialogFontBold = 0;       // "Arial Bold", height 13
inline constexpr int kDialogFontPlain = 1;      // "Arial", height 13
inline constexpr int kDialogFontSansSerif = 2;  // "MS Sans Serif", height 12
inline constexpr int kDialogFontCount = 3;

inline constexpr char kInsufficientMemoryText[] = "Insufficient memory.";
inline constexpr char kInsufficientMemoryTitle[] = "Ledgerpad";

// Set up by the main window when it is created: the three dialog fonts from
// the register's font set (the window keeps owning them) ...
void SetDialogFonts(HFONT bold, HFONT plain, HFONT sansSerif);
// ... and the rectangle it records for itself when created, moved or sized.
void SetDialogMainWindowRect(const RECT& rect);

// Plain dialog procedures answer WM_CTLCOLORDLG and WM_CTLCOLORSTATIC with
// this brush so that the dialog and its texts are white.
HBRUSH DialogWhiteBrush();

// Runs the dialog and returns the EndDialog value, -1 when the system cannot
// create it, and 0 after telling the user "Insufficient memory.".
INT_PTR ShowModalDialog(HWND hwndParent, int dialogNumber, DLGPROC dialogProc, LPARAM lParam);
// The same for a dialog whose description lives with its own code rather
// than in the numbered table.
INT_PTR ShowModalDialog(HWND hwndParent, const DialogDescription& description, DLGPROC dialogProc, LPARAM lParam);

// The new dialog's window, or nullptr (after "Insufficient memory." when the
// template could not be built).
HWND CreateModelessDialog(HWND hwndParent, int dialogNumber, DLGPROC dialogProc, LPARAM lParam);

// Centres the dialog on the main window (yOffset lower) and gives every
// control of its description the chosen font. dialogNumber must be the one
// the dialog was built from. Before the main window has recorded its
// rectangle the dialog is centred on its owner, or on the screen.
void PlaceDialog(HWND hwndDialog, int dialogNumber, int fontChoice, int yOffset);
void PlaceDialog(HWND hwndDialog, const DialogDescription& description, int fontChoice, int yOffset);

// The buttons that end a plain dialog with their own id as its value.
enum class EndingButtons {
    Cancel,       // Cancel (IDCANCEL)
    OkAndCancel,  // OK (IDOK) and Cancel
    None,         // the procedure handles every command itself
};

// What every plain dialog procedure shares. dialogNumber is the number the
// dialog was built from, or kPlacedByProcedure when the procedure places the
// dialog itself.
struct PlainDialog {
    int dialogNumber;
    EndingButtons endingButtons;
};
inline constexpr int kPlacedByProcedure = -1;

// The first call of a plain dialog procedure. At WM_INITDIALOG it places the
// dialog with the bold font and leaves the message to the procedure's own
// set-up; it answers WM_CTLCOLORDLG and WM_CTLCOLORSTATIC with the white
// brush and ends the dialog at its ending buttons. True when it answered the
// message, the answer in `result`; false when the procedure goes on.
bool HandleCommonDialogMessage(HWND dialog, UINT msg, WPARAM wParam, const PlainDialog& plain, INT_PTR& result);
