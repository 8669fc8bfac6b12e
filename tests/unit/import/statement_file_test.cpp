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
         "[||-|none]\nskipped 1\nL3 20260201 100 \"\"\n"},
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

// A file of each kind with the given number of transactions, a refused one
// (no amount) among them when refused is set.
std::string FileOf(const std::string& kind, std::size_t transactions, bool refused) {
    std::string head, row, bad, tail;
    if (kind == "QIF") {
        head = "!Type:Bank\n", row = "D1/2/26\nT1\n^\n", bad = "D1/2/26\n^\n";
    } else if (kind == "OFX") {
        head = "OFXHEADER:100\n\n<OFX><STMTRS><BANKTRANLIST>\n";
        row = "<STMTTRN><DTPOSTED>20260102<TRNAMT>1</STMTTRN>\n", bad = "<STMTTRN><DTPOSTED>20260102</STMTTRN>\n";
        tail = "</BANKTRANLIST></STMTRS></OFX>\n";
    } else {
        head = "Date,Amount\n", row = "1/2/26,1\n", bad = "1/2/26,\n";
    }
    std::string bytes = head;
    for (std::size_t i = refused ? 1 : 0; i < transactions; ++i)
        bytes += row;
    if (refused)
        bytes += bad;
    return bytes + tail;
}

std::size_t TransactionCount(const StatementFile& file) {
    std::size_t count = 0;
    for (const Statement& s : file.statements)
        count += s.transactions.size();
    return count;
}

TEST(StatementFileTest, AFileOfMoreThan100000TransactionsIsRefused) {
    const struct {
        const char* kind;
        std::size_t transactions;
        bool refused;  // one of them cannot be read
        bool read;
    } cases[] = {
        {"QIF", kMostStatementTransactions, false, true},
        {"QIF", kMostStatementTransactions + 1, false, false},
        {"OFX", kMostStatementTransactions, false, true},
        {"OFX", kMostStatementTransactions + 1, false, false},
        {"CSV", kMostStatementTransactions, true, true},
        {"CSV", kMostStatementTransactions + 1, false, false},
        // A refused transaction is kept (and listed) as well.
        {"CSV", kMostStatementTransactions + 1, true, false},
    };
    for (const auto& c : cases) {
        const std::string name =
            std::string(c.kind) + " of " + std::to_string(c.transactions) + (c.refused ? ", one refused" : "");
        const StatementFile file = ReadStatementFile(FileOf(c.kind, c.transactions, c.refused), DayOrder::MonthFirst);
        if (c.read) {
            EXPECT_EQ(file.error, "") << name;
            EXPECT_EQ(TransactionCount(file), c.transactions) << name;
        } else {
            EXPECT_EQ(file.error, kTooManyTransactions) << name;
            EXPECT_TRUE(file.statements.empty()) << name;
        }
    }
}

TEST(StatementFileTest, RowsWithoutATransactionDoNotCountTowardsTheLimit) {
    // Blank CSV rows and OFX statements without transactions are no entries.
    const struct {
        const char* name;
        std::string head, repeated, tail;
        std::string summary;
    } cases[] = {
        {"CSV blank rows", "Date,Amount\n", ",\n", "1/2/26,1\n", "[||-|none]\nL200003 20260102 100 \"\"\n"},
        {"OFX statements without transactions", "OFXHEADER:100\n\n<OFX>", "<STMTRS></STMTRS>\n",
         "<STMTRS><STMTTRN><DTPOSTED>20260102<TRNAMT>1</STMTTRN></STMTRS></OFX>",
         "[||-|none]\nL200004 20260102 100 \"\"\n"},
    };
    for (const auto& c : cases) {
        std::string bytes = c.head;
        for (std::size_t i = 0; i <= 2 * kMostStatementTransactions; ++i)
            bytes += c.repeated;
        EXPECT_EQ(Summary(ReadStatementFile(bytes + c.tail, DayOrder::MonthFirst)), c.summary) << c.name;
    }
}

TEST(StatementFileTest, ACsvRowOfVeryManyFieldsKeepsItsColumns) {
    // Fields beyond what a record keeps are read past: the row still ends
    // where it ends, and the next row is read.
    const std::string many(100000, ',');
    const std::string bytes = "Date,Amount,Description\n1/2/26,1,Shop" + many + "\n1/3/26,2,Bank" + many + "x\n";
    EXPECT_EQ(Summary(ReadStatementFile(bytes, DayOrder::MonthFirst)),
              "[||-|none]\nL2 20260102 100 \"Shop\"\nL3 20260103 200 \"Bank\"\n");
}

} // namespace
