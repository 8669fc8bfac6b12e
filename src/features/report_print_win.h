// A report on one page: its heading, the chart and the table, sent through
// the register's printing (the system's print dialog with the same choices,
// the same fonts and the same failure message).
#pragma once

#include <windows.h>

#include <string>

struct Report;
struct ReportTable;
struct ChartTexts;

// True when the page reached the spooler. Rows that do not fit on the page
// are counted in a last line instead.
bool PrintReport(HWND owner, const std::string& accountName, const Report& report, const ReportTable& table,
                 const ChartTexts& texts);
