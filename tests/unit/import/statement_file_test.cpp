#include "import/statement.h"

#include <gtest/gtest.h>

#include <string>

#include "import/csv_reader.h"
#include "import/ofx_reader.h"
#include "import/qif_reader.h"
#include "statement_summary.h"

namespace {

TEST(StatementFileTest, TellsTheKindOfFileByItsContent) {
    const struct {
        const char* name;
        std::string bytes;
        std::string summary;
    } cases[] = {
        {"OFX", "OFXHEADER:100\n\n<OFX><STMTRS><STMTTRN><DTPOSTED>20260102<TRNAMT>-1.50</STMTTRN></STMTRS></OFX>",
         "[||-|none]\nL3 20260102 -150 \"\"\n"},
        {"OFX body without header", "\n<OFX><STMTRS><STMTTRN><DTPOSTED>20260102<TRNAMT>-1.50</STMTTRN></STMTRS></OFX>",
         "[||-|none]\nL2 20260102 -150 \"\"\n"},
        {"QIF", "\n!Type:Bank\nD01/02/26\nT-1.50\n^\n", "[Bank||-|none]\nL3 20260201 -150 \"\"\n"},
        {"QIF in UTF-16", Utf16Le(u"!Type:Cash\nD1/2/26\nT1"),
         "[Cash||-|none]\nL2 20260201 100 \"\"\n"},
        {"CSV", "Date;Description;Amount\n01/02/26;Shop;-1,50\n", "[||-|none]\nL2 20260201 -150 \"Shop\"\n"},
        {"CSV in UTF-16", Utf16Le(u"Date\tAmount\n1/2/26\t1.00"), "[||-|none]\nL2 20260201 100 \"\"\n"},
        {"CSV that names a QIF type in a row", "Date,Amount\n!Type:Bank,1\n1/2/26,1\n",
         "[||-|none]\nL2 refused : The date \"!Type:Bank\" cannot be read.\nL3 20260201 100 \"\"\n"},
        {"empty", "", "error: " + std::string(kEmptyStatementFile)},
        {"only blank lines and a mark", "\xEF\xBB\xBF\r\n \t\r\n", "error: " + std::string(kEmptyStatementFile)},
        {"not a statement", "%PDF-1.4\n1 0 obj\n", "error: " + std::string(kNotAStatement)},
        {"CSV without a known header", "When,What,How much\n1/2/26,Shop,1\n", "error: " + std::string(kCsvNoHeader)},
        {"tab-separated text with control bytes", "\x01\x02\tx\n", "error: " + std::string(kNotAStatement)},
        {"a letter", "Dear customer\nyour statement, as promised.\n", "error: " + std::string(kNotAStatement)},
        {"OFX without a statement", "OFXHEADER:100\n\n<OFX></OFX>", "error: " + std::string(kOfxNoStatement)},
        {"QIF without a bank section", "!Type:Invst\nD1/2/26\n^\n", "error: " + std::string(kQifNoBankSection)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Summary(ReadStatementFile(c.bytes, DayOrder::DayFirst)), c.summary) << c.name;
}

TEST(StatementFileTest, AFileAbove50MegabytesIsRefusedUnread) {
    std::string bytes = "!Type:Bank\nD1/2/26\nT1\n^\n";
    bytes.resize(kLargestStatementFile + 1, ' ');
    const StatementFile file = ReadStatementFile(bytes, DayOrder::MonthFirst);
    EXPECT_EQ(file.error, kStatementFileTooLarge);
    EXPECT_TRUE(file.statements.empty());
}

} // namespace
