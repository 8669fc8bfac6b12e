// The printed register: a title line with the account name and today's
// date, a framed row of column headers, then one framed row per transaction,
// as many rows per page as the printer's page holds. Everything here is
// arithmetic on device units and texts, so the pages can be checked without
// a printer; printer_win.cpp draws the cells this produces.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct RecordNode;
class DateRange;

inline constexpr char kPrintRangeTitle[] = "Print Range";
inline constexpr char kPrintNoDataInRangeText[] = "There is no data within this date range to print.";
inline constexpr char kPrintNoDataText[] = "There is no data to print.";
inline constexpr char kPrintTitlePrefix[] = "Ledgerpad: ";

// The table is laid out 640 units wide and scaled to the page.
inline constexpr int kPrintLayoutWidth = 640;
// The printer's width less this margin is the page width.
inline constexpr int kPrintWidthMargin = 20;
// The title band is this much taller than a row.
inline constexpr int kPrintTitleExtra = 24;
// Cell texts keep this far from the cell's left and right edges.
inline constexpr int kPrintCellInset = 16;
// Rows before the first transaction on the first page: title, gap, headers.
inline constexpr int kPrintHeaderRow = 2;
inline constexpr int kPrintFirstRow = 3;
inline constexpr int kPrintColumnCount = 7;

// Font heights in layout units (times the scale).
inline constexpr int kPrintBodyFontHeight = 12;
inline constexpr int kPrintTitleFontHeight = 20;
inline constexpr int kPrintTitleFontWeight = 700;

enum class PrintAlign { Left, Center, Right };
enum class PrintFont { Title, Body };

struct PrintColumn {
    const char* header;
    int left;
    int right;
    PrintAlign align;
};

inline constexpr PrintColumn kPrintColumns[kPrintColumnCount] = {
    {"R", 0, 26, PrintAlign::Center},
    {"Date", 26, 89, PrintAlign::Center},
    {"Num", 89, 128, PrintAlign::Left},
    {"Transaction Description", 128, 391, PrintAlign::Left},
    {"Payment", 391, 470, PrintAlign::Right},
    {"Deposit", 470, 549, PrintAlign::Right},
    {"Balance", 549, 640, PrintAlign::Right},
};

struct PrintRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PrintRect&) const = default;
};

// The page in device units.
struct PrintPage {
    int pageWidth = 0;    // printable width less the margin
    int scale = 1;        // device units per layout unit, at least 1
    int rowHeight = 0;
    int rowsPerPage = 1;
    int columnLeft[kPrintColumnCount] = {};
    int columnRight[kPrintColumnCount] = {};
};

// Scale from the printable width: page width / 640, but at least 1, so a
// narrow printer still gets readable fonts and columns.
int PrintScale(int horizontalResolution);
// The page for a printable area and the body font's line height (its
// height plus external leading): rows one and a half lines high, columns
// scaled, and the description column (and those right of it) moved so that
// the table ends at the page width when the page is wider than the table.
PrintPage ComputePrintPage(int horizontalResolution, int verticalResolution, int lineHeight);

// One text to draw, in its rectangle, optionally framed.
struct PrintCell {
    PrintFont font = PrintFont::Body;
    PrintRect frame;      // drawn when framed
    PrintRect textRect;   // where the text goes, single line, centred vertically
    PrintAlign align = PrintAlign::Left;
    bool framed = false;
    std::string text;
};

// What the layout draws on. Cell returns false when drawing failed, which
// ends the printing; NewPage ends the page and starts the next one (false
// when that failed).
class PrintSink {
public:
    virtual ~PrintSink() = default;
    virtual bool Cell(const PrintCell& cell) = 0;
    virtual bool NewPage() = 0;
};

struct PrintContent {
    std::string accountName;
    std::string today;  // in the user's date format
    const RecordNode* first = nullptr;
    int view = 0;
    const DateRange* range = nullptr;
};

// The title text: "Ledgerpad: " and the account name.
std::string PrintTitle(const std::string& accountName);

// Lays out every page. The first page is taken as started; a new page is
// asked for only when a transaction is left to print on it, so a full last
// page is not followed by an empty one. Returns the number of transactions
// printed.
std::size_t LayoutPrint(const PrintPage& page, const PrintContent& content, PrintSink& sink);

// The cells of every page, for tests and previews.
std::vector<std::vector<PrintCell>> LayoutPages(const PrintPage& page, const PrintContent& content);
