// The "Incorrect Date Format" box. Win32 (date_message_win.cpp).
#pragma once

class Date;
struct HWND__;

// The modal box with the date error text of kind (see Date::ErrorMessage)
// owned by owner; the Find dialog is closed first, as for every message of
// the register.
void ShowDateError(Date& date, HWND__* owner, int kind);
