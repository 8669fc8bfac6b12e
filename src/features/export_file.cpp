#include "features/export_file.h"

#include <cstring>

#include "features/amount_text.h"
#include "features/date_range.h"
#include "model/account.h"
#include "model/record_text.h"
#include "values/date.h"

namespace {

// A generous guess of one line, so that the text grows a few times only.
constexpr std::size_t kTypicalLineSize = 64;

// A control character in a stored text (a file from before the register
// refused them) would split the line's fields: it is written as a space.
void AppendField(std::string& out, const char* field, std::size_t width) {
    const std::size_t at = out.size();
    out.append(field, strnlen(field, width));
    out.resize(at + ReplaceControlCharacters(out.data() + at, out.size() - at));
}

void AppendAmount(std::string& out, double amount) {
    char text[kAmountTextCapacity];
    out.append(text, FormatAmountText(text, amount));
}

// The stored date as MM/DD/YY, whatever format the user reads dates in.
void AppendExportDate(std::string& out, const char* stored) {
    static Date monthFirst;  // format 0, MM/DD/YY
    AppendField(out, monthFirst.ToDisplay(stored), kDisplayDateSize);
}

}  // namespace

void AppendExportLine(std::string& out, const AcctRecord& record, double balance) {
    if (IsReconciled(record))
        out += 'R';
    out += '\t';
    AppendExportDate(out, record.date);
    out += '\t';
    AppendField(out, record.checkText, kCheckTextSize - 1);
    out += '\t';
    AppendField(out, record.description, kDescriptionSize - 1);
    out += '\t';
    // A transaction holds a payment or a deposit, never both; should a
    // damaged one hold both, the payment is written, as the line formats
    // have room for one amount only.
    if (record.payment != 0.0) {
        AppendAmount(out, record.payment);
        out += "\t\t";
    } else if (record.deposit != 0.0) {
        out += '\t';
        AppendAmount(out, record.deposit);
        out += '\t';
    } else {
        out += "\t\t";
    }
    AppendAmount(out, balance);
    out += "\r\n";
}

std::string BuildExportText(const RecordNode* first, int view, const DateRange& range) {
    std::string out;
    std::size_t count = 0;
    for (const RecordNode* node = first; node != nullptr; node = node->next)
        ++count;
    out.reserve(count * kTypicalLineSize);
    for (const RecordNode* node = first; node != nullptr; node = node->next) {
        if (range.Selects(*node->record, view))
            AppendExportLine(out, *node->record, node->balance);
    }
    return out;
}

PathMessage ExportErrorMessage(const char* path, const char* reason) {
    return FileErrorMessage(kExportErrorText, path, reason);
}
