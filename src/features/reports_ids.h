// Control identifiers of the Reports window. Platform-free, so that the
// end-to-end tests name the controls they work.
#pragma once

inline constexpr int kIdReportKindLabel = 2620;
inline constexpr int kIdReportKind = 2621;        // the report: a drop-down list
inline constexpr int kIdReportRangeLabel = 2622;
inline constexpr int kIdReportRange = 2623;       // This year, Last 12 months, ...
inline constexpr int kIdReportFromLabel = 2624;
inline constexpr int kIdReportFrom = 2625;
inline constexpr int kIdReportToLabel = 2626;
inline constexpr int kIdReportTo = 2627;
inline constexpr int kIdReportCleared = 2628;     // "Cleared (R) only"
inline constexpr int kIdReportStatus = 2629;      // a date that cannot be read
inline constexpr int kIdReportChart = 2630;
inline constexpr int kIdReportTable = 2631;       // the report-view list
inline constexpr int kIdReportCopy = 2632;
inline constexpr int kIdReportSavePicture = 2633;
inline constexpr int kIdReportPrint = 2634;
// Close is IDCANCEL, so that Esc closes the window.

inline constexpr char kReportsTitlePrefix[] = "Reports - ";
