#include "import/statement.h"

#include <string>

#include "import/csv_reader.h"
#include "import/ofx_reader.h"
#include "import/qif_reader.h"
#include "import/statement_text.h"

namespace {

StatementFile Refused(const char* error) {
    StatementFile file;
    file.error = error;
    return file;
}

StatementFile ReadByContent(std::string_view bytes, DayOrder preferred) {
    if (TrimSpace(SkipUtf8Bom(bytes)).empty())
        return Refused(kEmptyStatementFile);
    if (LooksLikeOfx(bytes))
        return ReadOfx(bytes);
    if (LooksLikeQif(bytes))
        return ReadQif(bytes, preferred);
    if (LooksLikeCsv(bytes))
        return ReadCsv(bytes, preferred);
    // A bank's CSV file with column names of its own: say what it lacks.
    if (LooksLikeSeparatedText(bytes))
        return Refused(kCsvNoHeader);
    return Refused(kNotAStatement);
}

} // namespace

StatementFile ReadStatementFile(std::string_view bytes, DayOrder preferred) {
    if (bytes.size() > kLargestStatementFile)
        return Refused(kStatementFileTooLarge);
    // A spreadsheet's "Unicode text" is UTF-16: in the program's page it
    // can be told apart like any other file.
    if (HasUtf16Bom(bytes))
        return ReadByContent(Utf16ToAnsi(bytes), preferred);
    return ReadByContent(bytes, preferred);
}
