// Print: the range dialog, the system's print dialog, then the pages sent
// to the spooler while a small progress dialog (dialog 8) offers Cancel and
// the main window is disabled.
#pragma once

#include <windows.h>

struct RecordNode;

class Printer {
public:
    // True when the document reached the spooler completely.
    bool Print(HWND owner, const RecordNode* first, int view);

    bool Aborted() const { return m_Aborted != 0; }

private:
    static BOOL CALLBACK AbortProc(HDC dc, int error);
    static INT_PTR CALLBACK ProgressProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

    // The one printer of the run: the abort procedure and the progress
    // dialog reach it through this.
    static Printer* s_Active;

    int m_Aborted = 0;
    HWND m_Progress = nullptr;
};
