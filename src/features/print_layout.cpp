#include "features/print_layout.h"

#include <algorithm>
#include <cstring>

#include "features/amount_text.h"
#include "features/date_range.h"
#include "model/account.h"
#include "values/amount.h"
#include "values/date.h"

namespace {

PrintRect RowBand(const PrintPage& page, int row, int column) {
    return {page.columnLeft[column], row * page.rowHeight, page.columnRight[column],
            (row + 1) * page.rowHeight};
}

std::string FieldText(const char* field, std::size_t width) {
    return std::string(field, strnlen(field, width));
}

std::string AmountCellText(double amount) {
    char text[kAmountTextCapacity];
    FormatAmountText(text, amount);
    InsertThousandsSeparators(text);
    return text;
}

std::string CellText(const RecordNode& node, int column) {
    const AcctRecord& record = *node.record;
    switch (column) {
        case 0: return IsReconciled(record) ? "R" : "";
        case 1: return g_Date.ToDisplay(record.date);
        case 2: return FieldText(record.checkText, kCheckTextSize - 1);
        case 3: return FieldText(record.description, kDescriptionSize - 1);
        case 4: return AmountCellText(record.payment);
        case 5: return AmountCellText(record.deposit);
        default: return AmountCellText(node.balance);
    }
}

bool DrawTitle(const PrintPage& page, const PrintContent& content, PrintSink& sink) {
    const int split = page.pageWidth * 3 / 4;
    const int bottom = page.rowHeight + kPrintTitleExtra;
    PrintCell name;
    name.font = PrintFont::Title;
    name.frame = name.textRect = {0, 0, split, bottom};
    name.align = PrintAlign::Left;
    name.text = PrintTitle(content.accountName);
    PrintCell date = name;
    date.frame = date.textRect = {split, 0, page.pageWidth, bottom};
    date.align = PrintAlign::Right;
    date.text = content.today;
    return sink.Cell(name) && sink.Cell(date);
}

bool DrawHeaders(const PrintPage& page, PrintSink& sink) {
    for (int column = 0; column < kPrintColumnCount; ++column) {
        PrintCell cell;
        cell.frame = cell.textRect = RowBand(page, kPrintHeaderRow, column);
        cell.align = PrintAlign::Center;
        cell.framed = true;
        cell.text = kPrintColumns[column].header;
        if (!sink.Cell(cell))
            return false;
    }
    return true;
}

bool DrawRecord(const PrintPage& page, const RecordNode& node, int row, PrintSink& sink) {
    for (int column = 0; column < kPrintColumnCount; ++column) {
        PrintCell cell;
        cell.frame = RowBand(page, row, column);
        cell.textRect = cell.frame;
        cell.textRect.left += kPrintCellInset;
        cell.textRect.right -= kPrintCellInset;
        cell.align = kPrintColumns[column].align;
        cell.framed = true;
        cell.text = CellText(node, column);
        if (!sink.Cell(cell))
            return false;
    }
    return true;
}

class CollectingSink : public PrintSink {
public:
    CollectingSink() { pages.emplace_back(); }
    bool Cell(const PrintCell& cell) override {
        pages.back().push_back(cell);
        return true;
    }
    bool NewPage() override {
        pages.emplace_back();
        return true;
    }
    std::vector<std::vector<PrintCell>> pages;
};

}  // namespace

int PrintScale(int horizontalResolution) {
    return std::max(1, (horizontalResolution - kPrintWidthMargin) / kPrintLayoutWidth);
}

PrintPage ComputePrintPage(int horizontalResolution, int verticalResolution, int lineHeight) {
    PrintPage page;
    page.pageWidth = horizontalResolution - kPrintWidthMargin;
    page.scale = PrintScale(horizontalResolution);
    page.rowHeight = std::max(1, lineHeight + lineHeight / 2);
    page.rowsPerPage = std::max(1, verticalResolution / page.rowHeight);
    const int extra = std::max(0, page.pageWidth - kPrintLayoutWidth * page.scale);
    for (int column = 0; column < kPrintColumnCount; ++column) {
        page.columnLeft[column] = kPrintColumns[column].left * page.scale;
        page.columnRight[column] = kPrintColumns[column].right * page.scale;
        // The description takes the spare width; the amounts move right.
        if (column >= 4)
            page.columnLeft[column] += extra;
        if (column >= 3)
            page.columnRight[column] += extra;
    }
    return page;
}

std::string PrintTitle(const std::string& accountName) { return kPrintTitlePrefix + accountName; }

std::size_t LayoutPrint(const PrintPage& page, const PrintContent& content, PrintSink& sink) {
    static const DateRange kEverything;
    const DateRange& range = content.range ? *content.range : kEverything;
    if (!DrawTitle(page, content, sink) || !DrawHeaders(page, sink))
        return 0;
    std::size_t printed = 0;
    int row = kPrintFirstRow;
    bool pageFull = false;
    for (const RecordNode* node = content.first; node != nullptr; node = node->next) {
        if (!range.Selects(*node->record, content.view))
            continue;
        if (pageFull && !sink.NewPage())
            break;
        pageFull = false;
        if (!DrawRecord(page, *node, row, sink))
            break;
        ++printed;
        // Following pages have no title or headers: they start at row 0.
        if (++row % page.rowsPerPage == 0) {
            row = 0;
            pageFull = true;
        }
    }
    return printed;
}

std::vector<std::vector<PrintCell>> LayoutPages(const PrintPage& page, const PrintContent& content) {
    CollectingSink sink;
    LayoutPrint(page, content, sink);
    return std::move(sink.pages);
}
