// Builds the in-memory template of a numbered dialog in a global memory
// block, ready for DialogBoxIndirectParamA or CreateDialogIndirectParamA.
#pragma once

#include <windows.h>

#include "ui/dialog_template_layout.h"

// The base units of the system font (GetDialogBaseUnits).
DialogBaseUnits CurrentDialogBaseUnits();

// The template of dialog 0 to 21 scaled for the current base units, or
// nullptr when the number is not a dialog's or the block cannot be had. The
// caller frees the block with GlobalFree once the dialog call has returned.
HGLOBAL BuildDialogTemplate(int dialogNumber);
HGLOBAL BuildDialogTemplate(int dialogNumber, DialogBaseUnits units);
HGLOBAL BuildDialogTemplate(const DialogDescription& description, DialogBaseUnits units);

// Tests: replaces GlobalAlloc for template blocks (nullptr restores it) and
// returns the previous function.
using TemplateAllocFunction = HGLOBAL (*)(UINT flags, SIZE_T bytes);
TemplateAllocFunction SetTemplateAllocFunction(TemplateAllocFunction function);
