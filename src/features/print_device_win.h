// What printing takes from the system, owned and released on every path:
// the printer the user chose in the print dialog, and the fonts a page is
// drawn in. The register's printout and a report's page share them. Win32.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include "ui/common_dialogs_win.h"

// The print dialog with the register's choices (one printer, all of the
// document, no file); its device context, mode and names are freed with it.
class ChosenPrinter {
public:
    ChosenPrinter() = default;
    ~ChosenPrinter() {
        if (m_Dialog.hDC) DeleteDC(m_Dialog.hDC);
        if (m_Dialog.hDevMode) GlobalFree(m_Dialog.hDevMode);
        if (m_Dialog.hDevNames) GlobalFree(m_Dialog.hDevNames);
    }
    ChosenPrinter(const ChosenPrinter&) = delete;
    ChosenPrinter& operator=(const ChosenPrinter&) = delete;

    // False when the user cancelled or no device context came back.
    bool Choose(HWND owner) {
        m_Dialog.lStructSize = sizeof m_Dialog;
        m_Dialog.hwndOwner = owner;
        m_Dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE;
        m_Dialog.nCopies = 1;
        return ShowPrintDialog(&m_Dialog) && m_Dialog.hDC;
    }
    HDC dc() const { return m_Dialog.hDC; }

private:
    PRINTDLGA m_Dialog{};
};

// Arial at a height in device units.
class PrinterFont {
public:
    PrinterFont(int height, int weight)
        : m_Font(CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial")) {}
    ~PrinterFont() {
        if (m_Font) DeleteObject(m_Font);
    }
    PrinterFont(const PrinterFont&) = delete;
    PrinterFont& operator=(const PrinterFont&) = delete;
    HFONT get() const { return m_Font; }

private:
    HFONT m_Font;
};

// Puts the device context's own font back before ours are deleted.
class KeepDcFont {
public:
    explicit KeepDcFont(HDC dc) : m_Dc(dc), m_Font(GetCurrentObject(dc, OBJ_FONT)) {}
    ~KeepDcFont() { SelectObject(m_Dc, m_Font); }
    KeepDcFont(const KeepDcFont&) = delete;
    KeepDcFont& operator=(const KeepDcFont&) = delete;

private:
    HDC m_Dc;
    HGDIOBJ m_Font;
};
