// Steps the account and password tests share: finding the start screen and
// the numbered dialogs by what they show, answering message boxes, typing
// into a dialog's field, creating an account through its three dialogs,
// and account files written or read byte for byte.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "driver.h"

namespace e2e::accounts {

// Control ids of the dialogs under test.
inline constexpr int kCreateButton = 1032;
inline constexpr int kOpenButton = 1033;
inline constexpr int kRecentButton = 1034;
inline constexpr int kQuitButton = IDCANCEL;
inline constexpr int kEntryField = 2120;     // create dialogs 4, 5, 6
inline constexpr int kLabel = 2500;          // first static of every dialog
inline constexpr int kAccountList = 2110;    // choosers; the name in dialog 2
inline constexpr int kFileName = 2113;
inline constexpr int kOldName = 2200;        // rename
inline constexpr int kNewName = 2201;
inline constexpr int kPasswordField = 2300;
inline constexpr int kNewPasswordField = 2301;
inline constexpr int kRetryButton = 4;       // dialog 16
inline constexpr int kInfoFirstField = 2320; // dialog 21, seven edits

inline constexpr char kCreateCaption[] = "Create New Account";
inline constexpr char kNameLabel[] = "Checking Account Name:";
inline constexpr char kBalanceLabel[] = "Ending Balance:";
inline constexpr char kDateLabel[] = "Date:";

inline constexpr char kFirstSlot[] = "LEDGR1.LPD";
inline constexpr char kSecondSlot[] = "LEDGR2.LPD";
inline constexpr char kSampleSlot[] = "SAMPLE.LPD";

// Menu commands.
inline constexpr int kCmdCreate = 1002;
inline constexpr int kCmdOpen = 1003;
inline constexpr int kCmdDelete = 1004;
inline constexpr int kCmdRename = 1030;
inline constexpr int kCmdCreatePassword = 1035;
inline constexpr int kCmdChangePassword = 1036;
inline constexpr int kCmdRemovePassword = 1037;
inline constexpr int kCmdAccountInfo = 1038;

// A dialog of the program (not a message box) with this caption whose
// control `id` shows `text`; a null text only asks for the control.
HWND WaitForDialogShowing(const Program& app, const char* caption, int id, const char* text = nullptr,
                          Duration timeout = kTimeout);
// The start screen: the captionless dialog with the recently-used button.
HWND WaitForStartScreen(const Program& app, Duration timeout = kStartTimeout);
// The first message box of the program; nothing at the deadline.
HWND WaitForMessageBox(const Program& app, Duration timeout = kTimeout);
// Waits for a message box, reads it, presses `button` and waits until it
// has gone. Nothing when no box came.
std::optional<MessageBoxText> AnswerMessageBox(const Program& app, int button = IDOK);
// True once `window` no longer exists.
bool WaitGone(HWND window, Duration timeout = kTimeout);

// Replaces the text of the dialog's field with `text`, typed as keys, and
// waits until the field shows `shown` (the text itself when not given). A
// text that arrived otherwise than typed is typed again (at most three
// times in all).
bool TypeInto(HWND dialog, int id, const std::string& text);
bool TypeInto(HWND dialog, int id, const std::string& text, const std::string& shown);
// Presses the dialog's button and waits until the dialog has gone or a
// message box came up.
bool Press(const Program& app, HWND dialog, int id);
// Types `text` into the masked password field of `dialog` and presses OK,
// typing again when the field holds another text (where it gives its text
// away; otherwise only the number of characters is checked).
bool EnterPassword(Program& app, HWND dialog, const std::string& text);
// The same when the field takes only the first `taken` of the characters typed.
bool EnterPassword(Program& app, HWND dialog, const std::string& text, std::size_t taken);
// The control that has the keyboard focus in `dialog`'s thread is its `id`.
bool HasFocus(HWND dialog, int id);

// From the state where dialog 4 shows: the three create dialogs and the
// "outstanding transactions" message. Empty on success, else what failed.
std::string FillCreateDialogs(const Program& app, const std::string& name, const std::string& balance,
                              const std::string& date);
// Start screen -> Create -> the three dialogs; the account is open after.
std::string CreateFromStartScreen(const Program& app, const std::string& name, const std::string& balance = "100.00",
                                  const std::string& date = "8/31/26");
// Start screen -> Open Existing Account -> OK on the chooser's first
// account; waits until the main window's title is `title`.
std::string OpenFirstFromStartScreen(const Program& app, const std::string& title);

// A file of the sample account that ships with the program (res/sample).
std::string ShippedSampleFile(const std::string& name);

// The accounts folder's file of that name.
std::string AccountPath(const std::string& fileName);
std::vector<uint8_t> FileBytes(const std::string& fileName);

// A header block: marker 0xFE, the name, statement balance and date.
std::vector<uint8_t> HeaderBlock(const std::string& name, double balance = 0.0,
                                 const std::string& date = "20260831");
// A record block with the date, description and amounts.
std::vector<uint8_t> RecordBlock(const std::string& date, const std::string& description, double payment,
                                 double deposit, bool cleared);
// Writes the blocks as an account file in the accounts folder.
bool WriteAccount(const std::string& fileName, const std::vector<std::vector<uint8_t>>& blocks);
// The account name stored in a header block.
std::string StoredName(const std::vector<uint8_t>& file);

// Saves a picture of the dialog once it has painted itself: the corner of
// its client area shows its background colour (white for the program's
// plain dialogs). Empty when it did not paint in time.
std::string SaveDialogShot(HWND dialog, const std::string& name, uint32_t background = 0xFFFFFF);

// The system's text for an error code without its line end: the reason the
// program gives when a file fails it.
std::string SystemErrorText(DWORD error);

// Holds a file open without sharing anything, as another program using it
// would; released when it goes out of scope.
UniqueHandle HoldFile(const std::string& path);

// The window's title once it equals `title` (or what it is at the deadline).
std::string WaitForTitle(HWND window, const std::string& title, Duration timeout = kTimeout);

}  // namespace e2e::accounts
