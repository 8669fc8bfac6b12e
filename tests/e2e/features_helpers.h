// Steps the export and printing tests share: running a Linux tool (the
// spreadsheet, the PDF converters) from the driver, which runs under Wine,
// and finding the printer's output.
#pragma once

#include <string>

#include "driver.h"

namespace e2e::features {

// Runs the shell commands `body` in the Linux folder `unixDir` (made when
// missing) and waits until they have finished; false at the deadline.
// Wine starts Linux programs but does not wait for them, so the script
// leaves a marker file that the driver polls.
bool RunLinuxCommands(const std::string& unixDir, const std::string& body, Duration timeout);

// The Linux path of a Windows path (Wine's own conversion); empty when
// there is none.
std::string UnixPath(const std::string& windowsPath);

// A cell of the program's list view (row, column): the request and its
// answer go through memory inside the program, as a list's texts cannot
// cross processes.
std::string ListCellText(HWND list, int row, int column);

// The folder the test printer writes its PDF files to (a Linux path), or
// empty when no test printer was set up.
std::string PrintedFolder();

}  // namespace e2e::features
