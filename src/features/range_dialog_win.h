// The range dialog (dialog 0) of printing and export: All or a Range of
// dates, with the From and To dates checked in the user's format.
#pragma once

#include <windows.h>

class DateRange;

// Runs the dialog modally over owner with the given caption ("Print
// Range" or "Export Range", also the group box's text and the title of the
// ordering message). Returns 1 (OK, range filled in) or 2 (Cancel, range
// back to All).
INT_PTR RunRangeDialog(HWND owner, DateRange& range, const char* caption);
