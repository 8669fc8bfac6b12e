// The printed pages: scale and columns for a printer's width, rows per
// page, the title, the header row, the framed cells with their alignments,
// and the page breaks.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "feature_fixture.h"
#include "features/date_range.h"
#include "features/print_layout.h"

namespace {

using namespace feature_test;

struct WidthCase {
    int horizontalResolution;
    int scale;
    int pageWidth;
    int descriptionRight;  // column 3
    int balanceLeft;       // column 6
    int balanceRight;
};

TEST(PrintPageGeometry, ScaleAndColumnsFollowThePrintersWidth) {
    const WidthCase cases[] = {
        // 4,760 wide: scale 7, a 4,480-unit table, 280 more for the description.
        {4780, 7, 4760, 391 * 7 + 280, 549 * 7 + 280, 4760},
        // Letter at 300 dpi as Wine reports it.
        {2550, 3, 2530, 391 * 3 + 610, 549 * 3 + 610, 2530},
        {660, 1, 640, 391, 549, 640},
        // Narrower than the table: scale 1, columns as they are.
        {600, 1, 580, 391, 549, 640},
        {20, 1, 0, 391, 549, 640},
    };
    for (const WidthCase& c : cases) {
        const PrintPage page = ComputePrintPage(c.horizontalResolution, 3300, 20);
        EXPECT_EQ(page.scale, c.scale) << c.horizontalResolution;
        EXPECT_EQ(PrintScale(c.horizontalResolution), c.scale) << c.horizontalResolution;
        EXPECT_EQ(page.pageWidth, c.pageWidth) << c.horizontalResolution;
        EXPECT_EQ(page.columnRight[3], c.descriptionRight) << c.horizontalResolution;
        EXPECT_EQ(page.columnLeft[4], page.columnRight[3]) << c.horizontalResolution;
        EXPECT_EQ(page.columnLeft[6], c.balanceLeft) << c.horizontalResolution;
        EXPECT_EQ(page.columnRight[6], c.balanceRight) << c.horizontalResolution;
        // Columns left of the description keep their scaled edges.
        EXPECT_EQ(page.columnLeft[3], 128 * c.scale) << c.horizontalResolution;
        EXPECT_EQ(page.columnRight[2], 128 * c.scale) << c.horizontalResolution;
    }
}

TEST(PrintPageGeometry, RowsAreALineAndAHalfHigh) {
    EXPECT_EQ(ComputePrintPage(2550, 1200, 20).rowHeight, 30);
    EXPECT_EQ(ComputePrintPage(2550, 1200, 20).rowsPerPage, 40);
    EXPECT_EQ(ComputePrintPage(2550, 3300, 41).rowHeight, 61);  // 41 + 20
    EXPECT_EQ(ComputePrintPage(2550, 3300, 41).rowsPerPage, 54);
    EXPECT_GE(ComputePrintPage(2550, 10, 41).rowsPerPage, 1);
    EXPECT_GE(ComputePrintPage(2550, 3300, 0).rowHeight, 1);
}

class PrintPages : public AccountTest {
protected:
    std::vector<std::vector<PrintCell>> Pages(int records, const PrintPage& page, int view = ViewAll) {
        std::vector<Tx> txs;
        for (int i = 0; i < records; ++i)
            txs.push_back({.desc = "Groceries", .date = "20130305", .payment = 1.0});
        Build(txs, view);
        PrintContent content{"My Checking", "03/05/13", account.Head(), view, nullptr};
        return LayoutPages(page, content);
    }

    // Cells of one transaction row: the cells after `skip` cells, 7 at a time.
    static std::vector<PrintCell> Row(const std::vector<PrintCell>& cells, std::size_t skip, std::size_t row) {
        return {cells.begin() + skip + row * 7, cells.begin() + skip + row * 7 + 7};
    }

    static constexpr std::size_t kFirstPageHead = 2 + 7;  // title, date, headers
};

TEST_F(PrintPages, FirstPageHolds37AndTheNext40FromTheTop) {
    const PrintPage page = ComputePrintPage(2550, 1200, 20);  // 40 rows of 30
    ASSERT_EQ(page.rowsPerPage, 40);
    const auto pages = Pages(37 + 40 + 1, page);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].size(), kFirstPageHead + 37 * 7);
    EXPECT_EQ(pages[1].size(), 40u * 7);
    EXPECT_EQ(pages[2].size(), 7u);
    EXPECT_EQ(Row(pages[0], kFirstPageHead, 0)[0].frame.top, 3 * 30);
    EXPECT_EQ(Row(pages[0], kFirstPageHead, 36)[0].frame.bottom, 40 * 30);
    EXPECT_EQ(Row(pages[1], 0, 0)[0].frame.top, 0) << "following pages start at their top edge";
    EXPECT_EQ(Row(pages[1], 0, 39)[0].frame.top, 39 * 30);
    EXPECT_EQ(Row(pages[2], 0, 0)[0].frame.top, 0);
}

TEST_F(PrintPages, AFullLastPageIsNotFollowedByAnEmptyOne) {
    const PrintPage page = ComputePrintPage(2550, 1200, 20);
    EXPECT_EQ(Pages(37, page).size(), 1u);
    account.ClearAccount();
    EXPECT_EQ(Pages(77, page).size(), 2u);
}

TEST_F(PrintPages, TitleAndHeaderRow) {
    const PrintPage page = ComputePrintPage(2550, 3300, 20);
    const auto pages = Pages(1, page);
    const std::vector<PrintCell>& cells = pages[0];

    EXPECT_EQ(cells[0].text, "Ledgerpad: My Checking");
    EXPECT_EQ(cells[0].font, PrintFont::Title);
    EXPECT_EQ(cells[0].align, PrintAlign::Left);
    EXPECT_FALSE(cells[0].framed);
    EXPECT_EQ(cells[0].textRect, (PrintRect{0, 0, 2530 * 3 / 4, 30 + 24}));
    EXPECT_EQ(cells[1].text, "03/05/13");
    EXPECT_EQ(cells[1].align, PrintAlign::Right);
    EXPECT_EQ(cells[1].textRect, (PrintRect{2530 * 3 / 4, 0, 2530, 30 + 24}));

    const char* headers[] = {"R", "Date", "Num", "Transaction Description", "Payment", "Deposit", "Balance"};
    for (int column = 0; column < 7; ++column) {
        const PrintCell& cell = cells[2 + column];
        EXPECT_EQ(cell.text, headers[column]);
        EXPECT_EQ(cell.font, PrintFont::Body);
        EXPECT_TRUE(cell.framed);
        EXPECT_EQ(cell.align, PrintAlign::Center);
        EXPECT_EQ(cell.frame, (PrintRect{page.columnLeft[column], 60, page.columnRight[column], 90}));
    }
}

TEST_F(PrintPages, CellsTextsAndAlignments) {
    Build({Cleared({.desc = "OPENING BALANCE", .date = "20130101", .deposit = 2000.0}),
           {.desc = "Rent", .date = "20130305", .check = 101, .payment = 1250.5},
           {.desc = "Pay", .date = "20131231", .deposit = 12.0}},
          ViewCurrent);
    g_Date.SetDateFormat(kFormatDDMMYY);
    const PrintPage page = ComputePrintPage(2550, 3300, 20);
    PrintContent content{"A", "05/03/13", account.Head(), ViewCurrent, nullptr};
    const auto pages = LayoutPages(page, content);
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].size(), kFirstPageHead + 2 * 7) << "the reconciled record is not printed";

    const std::vector<PrintCell> rent = Row(pages[0], kFirstPageHead, 0);
    const std::vector<PrintCell> pay = Row(pages[0], kFirstPageHead, 1);
    const char* rentTexts[] = {"", "05/03/13", "101", "Rent", "1,250.50", "0.00", "749.50"};
    const char* payTexts[] = {"", "31/12/13", "", "Pay", "0.00", "12.00", "761.50"};
    const PrintAlign aligns[] = {PrintAlign::Center, PrintAlign::Center, PrintAlign::Left, PrintAlign::Left,
                                 PrintAlign::Right,  PrintAlign::Right,  PrintAlign::Right};
    for (int column = 0; column < 7; ++column) {
        EXPECT_EQ(rent[column].text, rentTexts[column]) << "column " << column;
        EXPECT_EQ(pay[column].text, payTexts[column]) << "column " << column;
        EXPECT_EQ(rent[column].align, aligns[column]) << "column " << column;
        EXPECT_TRUE(rent[column].framed);
        EXPECT_EQ(rent[column].frame, (PrintRect{page.columnLeft[column], 90, page.columnRight[column], 120}));
        EXPECT_EQ(rent[column].textRect,
                  (PrintRect{page.columnLeft[column] + 16, 90, page.columnRight[column] - 16, 120}));
    }

    SetView(ViewAll);
    content.view = ViewAll;
    const auto all = LayoutPages(page, content);
    ASSERT_EQ(all[0].size(), kFirstPageHead + 3 * 7);
    EXPECT_EQ(Row(all[0], kFirstPageHead, 0)[0].text, "R");
    EXPECT_EQ(Row(all[0], kFirstPageHead, 0)[6].text, "2,000.00");
}

TEST_F(PrintPages, OnlyTheRangeIsPrinted) {
    Build({{.desc = "Feb", .date = "20130210"},
           {.desc = "Mar", .date = "20130310"},
           {.desc = "Undated"}});
    DateRange range;
    range.choice = kRangeChoiceDates;
    ASSERT_EQ(range.AcceptTexts("03/01/13", "03/31/13"), kRangeAccepted);
    PrintContent content{"A", "x", account.Head(), ViewAll, &range};
    const auto pages = LayoutPages(ComputePrintPage(2550, 3300, 20), content);
    ASSERT_EQ(pages[0].size(), kFirstPageHead + 7);
    EXPECT_EQ(pages[0][kFirstPageHead + 3].text, "Mar");
}

// A sink whose drawing fails after a number of cells, as a printer whose
// job was cancelled does.
class FailingSink : public PrintSink {
public:
    explicit FailingSink(int cellsBeforeFailure) : left(cellsBeforeFailure) {}
    bool Cell(const PrintCell&) override { return left-- > 0; }
    bool NewPage() override {
        ++pages;
        return true;
    }
    int left;
    int pages = 0;
};

TEST_F(PrintPages, AFailedCellEndsThePrinting) {
    std::vector<Tx> txs(100, Tx{.desc = "x", .date = "20130101"});
    Build(txs);
    const PrintPage page = ComputePrintPage(2550, 1200, 20);
    PrintContent content{"A", "x", account.Head(), ViewAll, nullptr};
    FailingSink sink(kFirstPageHead + 7 * 5 + 3);
    EXPECT_EQ(LayoutPrint(page, content, sink), 5u);
    EXPECT_EQ(sink.pages, 0);
}

}  // namespace
