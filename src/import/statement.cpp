#include "import/statement.h"

#include "import/ofx_reader.h"
#include "import/statement_text.h"

StatementFile ReadStatementFile(std::string_view bytes, DayOrder preferred) {
    (void)preferred;
    StatementFile file;
    if (bytes.size() > kLargestStatementFile)
        file.error = kStatementFileTooLarge;
    else if (TrimSpace(SkipUtf8Bom(bytes)).empty())
        file.error = kEmptyStatementFile;
    else if (LooksLikeOfx(bytes))
        return ReadOfx(bytes);
    else
        file.error = kNotAStatement;
    return file;
}
