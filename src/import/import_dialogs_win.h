// The two dialogs of Import Bank Statement. Win32. What a dialog's own
// code throws (std::bad_alloc) ends it and is thrown on from these calls,
// once the dialog has gone (the dialog runner guards every dialog).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "import/statement.h"
#include "import/statement_match.h"

// The account to import from a file that holds several statements: the
// index chosen, or -1 when the user cancelled.
int ChooseStatement(HWND owner, const std::vector<Statement>& statements);

// The preview of what importing will do, one ticked row per transaction
// to carry out. True when the user pressed OK; ticked then holds the
// state of each row. Its "Reverse signs" box turns the statement's amounts
// to the other side and matches it again (statement and rows change).
bool PreviewImport(HWND owner, const std::string& fileName, Statement& statement, std::vector<ImportRow>& rows,
                   std::vector<bool>& ticked);
