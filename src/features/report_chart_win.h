// The chart of a report: anti-aliased lines (GDI+), bars and text (GDI), a
// legend naming each series, axis labels in the user's amount and date
// formats, and every size in proportion to the DPI it is drawn for. The same
// drawing goes to the window, a PNG file and the printed page.
#pragma once

#include <windows.h>

#include <string>

struct Report;

// What the chart shows besides the report's numbers: its heading, and the
// sentence drawn on an empty chart (empty when there is something to draw).
struct ChartTexts {
    std::string heading;
    std::string nothingToShow;
};

// Starts GDI+ for the rest of the run on first use; false when it cannot.
bool StartChartDrawing();

// Draws the chart into the rectangle of dc; dpi scales fonts and lines.
bool DrawReportChart(HDC dc, const RECT& area, unsigned dpi, const Report& report, const ChartTexts& texts);
// Draws the chart into a 32-bit bitmap of width x height; for the benchmark,
// which times the drawing alone. False when GDI+ failed.
bool DrawReportChartOffscreen(int width, int height, unsigned dpi, const Report& report, const ChartTexts& texts);
// Writes the chart as a PNG file of width x height pixels.
bool SaveReportChartPng(const std::wstring& path, int width, int height, unsigned dpi, const Report& report,
                        const ChartTexts& texts);
