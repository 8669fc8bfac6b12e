// The system's file and print dialogs, and its list view, from libraries
// loaded when one is first shown: loading them at start costs more than a
// tenth of a second under Wine, and most runs never show one. Each returns
// what the system function returns; FALSE also when the library cannot be
// had.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <cstddef>

// The Save and Open dialogs take and give their paths in UTF-16 (the W
// calls); the program's texts for them (filter, title, extension) are its
// own single-byte ones, and the paths the program keeps are UTF-8.
struct FileDialogTexts {
    const char* filter;            // pairs of NUL-ended texts, ended by a second NUL
    const char* title;
    const char* defaultExtension;  // nullptr for none
    const char* initialFolder;     // UTF-8; nullptr: where the system last was
    DWORD flags;                   // OFN_*
};
// path holds the proposed name (UTF-8) and receives the chosen path. False
// when the user cancelled, or the chosen path does not fit path whole.
bool AskSaveFilePath(HWND owner, const FileDialogTexts& texts, char* path, std::size_t size);
bool AskOpenFilePath(HWND owner, const FileDialogTexts& texts, char* path, std::size_t size);

BOOL ShowSaveFileDialog(OPENFILENAMEW* ofn);
BOOL ShowOpenFileDialog(OPENFILENAMEW* ofn);
BOOL ShowPrintDialog(PRINTDLGA* pd);
// Registers the common-control window classes named by classes (ICC_*).
BOOL InitCommonControlClasses(DWORD classes);
