// Printing on the real program to a real printer: a CUPS queue that makes
// PDF files (set up by scripts/printing.sh). The pages are read back with
// the PDF tools: their words and where they stand, and a picture of the
// first page for the frames; PNG copies go to the screenshot folder.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

#include "accounts_helpers.h"
#include "features_helpers.h"
#include "program_test.h"
#include "register_helpers.h"

namespace e2e {
namespace {

using accounts::WaitForDialogShowing;
using accounts::WaitGone;

constexpr int kCmdPrint = 1007;
constexpr int kRangeFrom = 2100;
constexpr int kRangeGroup = 2504;
constexpr int kPrintingName = 3070;

struct Word {
    double xMin, yMin, xMax, yMax;
    std::string text;
};
using Page = std::vector<Word>;

std::string Attribute(const std::string& tag, const std::string& name) {
    const size_t at = tag.find(name + "=\"");
    if (at == std::string::npos) return "";
    const size_t start = at + name.size() + 2;
    return tag.substr(start, tag.find('"', start) - start);
}

// The pages of `pdftotext -bbox` output.
std::vector<Page> ReadPages(const std::string& html) {
    std::vector<Page> pages;
    size_t at = 0;
    while ((at = html.find('<', at)) != std::string::npos) {
        const size_t close = html.find('>', at);
        const std::string tag = html.substr(at, close - at + 1);
        if (tag.rfind("<page ", 0) == 0) pages.emplace_back();
        if (tag.rfind("<word ", 0) == 0 && !pages.empty()) {
            const size_t end = html.find("</word>", close);
            pages.back().push_back({std::atof(Attribute(tag, "xMin").c_str()), std::atof(Attribute(tag, "yMin").c_str()),
                                    std::atof(Attribute(tag, "xMax").c_str()), std::atof(Attribute(tag, "yMax").c_str()),
                                    html.substr(close + 1, end - close - 1)});
        }
        at = close;
    }
    return pages;
}

std::vector<Word> WordsOf(const Page& page, const std::string& text) {
    std::vector<Word> found;
    for (const Word& w : page)
        if (w.text == text) found.push_back(w);
    return found;
}

bool Has(const Page& page, const std::string& text) { return !WordsOf(page, text).empty(); }

// Rows of a binary PGM picture that are mostly dark: the ruled lines.
int HorizontalLines(const std::vector<uint8_t>& pgm) {
    std::istringstream header(std::string(pgm.begin(), pgm.begin() + std::min<size_t>(pgm.size(), 64)));
    std::string magic;
    int width = 0, height = 0, maxValue = 0;
    header >> magic >> width >> height >> maxValue;
    const size_t data = static_cast<size_t>(header.tellg()) + 1;
    if (magic != "P5" || pgm.size() < data + static_cast<size_t>(width) * height) return -1;
    int lines = 0;
    bool inLine = false;
    for (int y = 0; y < height; ++y) {
        int dark = 0;
        for (int x = 0; x < width; ++x) dark += pgm[data + static_cast<size_t>(y) * width + x] < 128;
        const bool line = dark > width * 6 / 10;
        lines += line && !inLine;
        inLine = line;
    }
    return lines;
}

std::string TodayMonthFirst() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d", now.wMonth, now.wDay, now.wYear % 100);
    return text;
}

std::set<std::string> PdfFiles(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.insert(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

class PrintTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        unixPrinted_ = features::PrintedFolder();
        if (unixPrinted_.empty()) GTEST_SKIP() << "no test printer (scripts/printing.sh sets one up)";
        printed_ = ToWindowsPath(unixPrinted_);
        before_ = PdfFiles(printed_);
    }

    // Print, All, and OK in the system's print dialog.
    std::string StartPrinting() {
        if (!PostCommand(app_.MainWindow(), kCmdPrint)) return "no command";
        HWND range = WaitForDialogShowing(app_, "Print Range", kRangeFrom);
        if (!range) return "no range dialog\n" + app_.DescribeWindows();
        if (ControlText(range, kRangeGroup) != "Print Range") return "group box " + ControlText(range, kRangeGroup);
        if (!ClickButton(range, IDOK) || !WaitGone(range)) return "range dialog stays";
        HWND print = WaitForDialogShowing(app_, "Print", IDOK);
        if (!print) return "no print dialog\n" + app_.DescribeWindows();
        if (!ClickButton(print, IDOK)) return "no OK in the print dialog";
        return "";
    }

    // The PDF the job made, once complete; empty at the deadline.
    std::string WaitForPdf(Duration timeout) {
        std::string made;
        WaitUntil(
            [&] {
                for (const std::string& name : PdfFiles(printed_)) {
                    if (before_.count(name)) continue;
                    std::optional<std::vector<uint8_t>> bytes = ReadFileBytes(printed_ + "\\" + name);
                    const std::string tail = bytes && bytes->size() > 8
                                                 ? std::string(bytes->end() - 8, bytes->end()) : "";
                    if (tail.find("%%EOF") != std::string::npos) made = name;
                }
                return !made.empty();
            },
            timeout);
        return made;
    }

    std::string unixPrinted_;
    std::string printed_;
    std::set<std::string> before_;
};

TEST_F(PrintTest, PagesShowTitleHeadersFramedRowsAndASecondPageFromTheTop) {
    std::vector<reg::Tx> records;
    records.push_back({.date = "20260101", .description = "ClearedPaycheck", .deposit = 1000, .cleared = true});
    for (int i = 0; i < 69; ++i) {
        char date[9];
        std::snprintf(date, sizeof date, "2026%02d%02d", 1 + i / 28, 1 + i % 28);
        records.push_back({.date = date, .description = "Item" + std::to_string(i + 1), .payment = 1.25});
    }
    records[10].payment = 0;
    records[10].deposit = 12.5;
    ASSERT_EQ(reg::OpenWrittenAccount(app_, records), "");
    ASSERT_EQ(StartPrinting(), "");
    const std::string pdf = WaitForPdf(Duration(60000));
    ASSERT_FALSE(pdf.empty()) << "no PDF in " << unixPrinted_;
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_.MainWindow()) != FALSE; }));

    const std::string work = GetSettings().shots + "/printed";
    ASSERT_TRUE(features::RunLinuxCommands(
        work,
        "rm -f page*.png page*.pgm words.html\n"
        "pdftotext -bbox '" + unixPrinted_ + "/" + pdf + "' words.html\n"
        "pdftoppm -png -r 60 '" + unixPrinted_ + "/" + pdf + "' page\n"
        "pdftoppm -gray -r 50 -f 1 -l 1 '" + unixPrinted_ + "/" + pdf + "' first",
        Duration(60000)));
    std::optional<std::vector<uint8_t>> html = ReadFileBytes(ToWindowsPath(work) + "\\words.html");
    ASSERT_TRUE(html);
    const std::vector<Page> pages = ReadPages(std::string(html->begin(), html->end()));
    ASSERT_EQ(pages.size(), 2u);
    const Page& first = pages[0];
    const Page& second = pages[1];

    // The title: the account name and today's date; then the header row.
    for (const char* word : {"Ledgerpad:", "Register", "Test", "R", "Date", "Num", "Transaction", "Description",
                             "Payment", "Deposit", "Balance"})
        EXPECT_TRUE(Has(first, word)) << word;
    EXPECT_TRUE(Has(first, TodayMonthFirst()));
    EXPECT_FALSE(Has(second, "Ledgerpad:")) << "following pages have no title";
    EXPECT_FALSE(Has(second, "Payment")) << "following pages have no header row";
    // The cleared record is not printed in the Current view.
    EXPECT_FALSE(Has(first, "ClearedPaycheck"));
    EXPECT_TRUE(Has(first, "Item1"));
    // A deposit prints 0.00 in its Payment cell.
    EXPECT_TRUE(Has(first, "0.00"));
    EXPECT_TRUE(Has(first, "12.50"));

    // Amounts are right-aligned, descriptions left-aligned, dates centred.
    const std::vector<Word> payments = WordsOf(first, "1.25");
    ASSERT_GT(payments.size(), 20u);
    for (const Word& w : payments) EXPECT_NEAR(w.xMax, payments[0].xMax, 0.6);
    const Word item1 = WordsOf(first, "Item1")[0];
    const Word item2 = WordsOf(first, "Item2")[0];
    EXPECT_NEAR(item1.xMin, item2.xMin, 0.6);
    EXPECT_GT(item2.yMin, item1.yMin);
    const Word payment = WordsOf(first, "Payment")[0];
    EXPECT_GT(payments[0].xMax, payment.xMax) << "amounts end at the right of their cells";

    // The second page starts at its top edge: its first row is where the
    // first page has its title.
    double top = 1e9;
    for (const Word& w : second) top = std::min(top, w.yMin);
    const Word title = WordsOf(first, "Ledgerpad:")[0];
    const Word header = WordsOf(first, "Date")[0];
    EXPECT_LT(top, header.yMin);
    EXPECT_LT(top, title.yMax + 20);

    // Framed rows: a ruled line above and below every row of the first page.
    std::optional<std::vector<uint8_t>> picture = ReadFileBytes(ToWindowsPath(work) + "\\first-1.pgm");
    ASSERT_TRUE(picture);
    EXPECT_GT(HorizontalLines(*picture), 40);
}

TEST_F(PrintTest, CancelAbandonsTheJobAndGivesTheWindowBack) {
    std::vector<reg::Tx> records;
    for (int i = 0; i < 30000; ++i) {
        char date[9];
        std::snprintf(date, sizeof date, "%04d%02d%02d", 1990 + i / 336, 1 + i / 28 % 12, 1 + i % 28);
        records.push_back({.date = date, .description = "Long job " + std::to_string(i), .payment = 2});
    }
    ASSERT_EQ(reg::OpenWrittenAccount(app_, records), "");
    ASSERT_EQ(StartPrinting(), "");
    HWND progress = WaitForDialogShowing(app_, "Printing", kPrintingName);
    ASSERT_NE(progress, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(ControlText(progress, kPrintingName), "Register Test");
    EXPECT_FALSE(IsWindowEnabled(app_.MainWindow())) << "the main window waits while spooling";
    ASSERT_TRUE(ClickButton(progress, IDCANCEL));
    EXPECT_TRUE(WaitGone(progress));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(app_.MainWindow()) != FALSE; }));
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_TRUE(WaitForPdf(Duration(5000)).empty()) << "the cancelled job was printed";
}

}  // namespace
}  // namespace e2e
