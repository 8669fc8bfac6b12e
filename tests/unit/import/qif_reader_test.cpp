#include "import/qif_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "statement_summary.h"

namespace {

TEST(QifReaderTest, ReadsABankSectionWithItsFields) {
    const std::string bytes =
        "!Type:Bank\n"
        "D1/15'26\n"
        "T-1,234.56\n"
        "CX\n"
        "N1001\n"
        "PGreen Hills Rent\n"
        "MJanuary\n"
        "LHousing:Rent\n"
        "A12 Main St\n"
        "^\n"
        "D 1/20/26\n"
        "U2,500.00\n"
        "T2,500.00\n"
        "N0\n"
        "PPayroll\n"
        "^\n"
        "\n"
        "D12/31/2025\n"
        "U-10.00\n"
        "NATM\n"
        "^\n";
    EXPECT_EQ(Summary(ReadQif(bytes, DayOrder::MonthFirst)),
              "[Bank||-|none]\n"
              "L2 20260115 -123456 #1001 \"Green Hills Rent\" memo \"January\"\n"
              "L11 20260120 250000 \"Payroll\"\n"
              "L18 20251231 -1000 #ATM \"\"\n");
}

TEST(QifReaderTest, SplitLinesAddNothingBeyondTheTotal) {
    const std::string bytes =
        "!Type:Bank\r\n"
        "D3/4/26\r\n"
        "T-100.00\r\n"
        "PSuper Store\r\n"
        "LGroceries\r\n"
        "SGroceries\r\n"
        "EFood\r\n"
        "$-60.00\r\n"
        "SHousehold\r\n"
        "$-40.00\r\n"
        "%40\r\n"
        "^\r\n";
    EXPECT_EQ(Summary(ReadQif(bytes, DayOrder::MonthFirst)), "[Bank||-|none]\nL2 20260304 -10000 \"Super Store\"\n");
}

TEST(QifReaderTest, AmountsTakeADecimalCommaWhenTheFileShowsOne) {
    const struct {
        const char* name;
        std::vector<const char*> totals;
        std::string cents;
    } cases[] = {
        {"decimal points", {"-1,234.56", "1,234", "5"}, "-123456 123400 500 "},
        {"decimal commas", {"-1.234,56", "1.234", "5"}, "-123456 123400 500 "},
        {"nothing shown: points", {"1,234", "5"}, "123400 500 "},
        {"both shown: points", {"-1.234,56", "12.50"}, "refused 1250 "},
    };
    for (const auto& c : cases) {
        std::string bytes = "!Type:Bank\n";
        for (const char* total : c.totals)
            bytes += std::string("D1/2/26\nT") + total + "\n^\n";
        const StatementFile file = ReadQif(bytes, DayOrder::MonthFirst);
        ASSERT_EQ(file.statements.size(), 1u) << c.name << ": " << file.error;
        std::string cents;
        for (const auto& t : file.statements[0].transactions)
            cents += (t.refused.empty() ? std::to_string(t.cents) : "refused") + " ";
        EXPECT_EQ(cents, c.cents) << c.name;
    }
}

TEST(QifReaderTest, DatesFollowTheFileThenThePreference) {
    const struct {
        const char* name;
        std::vector<const char*> dates;
        DayOrder preferred;
        std::string stored;  // the transactions' dates or reasons, one a line
    } cases[] = {
        {"ambiguous, month first", {"01/02/26", "03/04/2026"}, DayOrder::MonthFirst, "20260102\n20260304\n"},
        {"ambiguous, day first", {"01/02/26", "03/04/2026"}, DayOrder::DayFirst, "20260201\n20260403\n"},
        {"a 15 first makes it day first", {"01/02/26", "15/04/2026"}, DayOrder::MonthFirst, "20260201\n20260415\n"},
        {"a 15 second makes it month first", {"01/02/26", "04/15/2026"}, DayOrder::DayFirst, "20260102\n20260415\n"},
        {"two-digit years and the apostrophe", {"1/2/79", "1/2/80", "1/2'80", "1/2' 5"}, DayOrder::MonthFirst,
         "20790102\n19800102\n20800102\n20050102\n"},
        {"year first", {"2026-01-02", "2026/12/31"}, DayOrder::DayFirst, "20260102\n20261231\n"},
        {"contradicting dates", {"13/01/26", "01/13/26"}, DayOrder::MonthFirst,
         "20260113\nThe date \"01/13/26\" cannot be read day first, as other dates of this file are written.\n"},
    };
    for (const auto& c : cases) {
        std::string bytes = "!Type:Bank\n";
        for (const char* date : c.dates)
            bytes += std::string("D") + date + "\nT1.00\n^\n";
        const StatementFile file = ReadQif(bytes, c.preferred);
        ASSERT_EQ(file.statements.size(), 1u) << c.name << ": " << file.error;
        std::string stored;
        for (const auto& t : file.statements[0].transactions)
            stored += (t.refused.empty() ? t.date : t.refused) + "\n";
        EXPECT_EQ(stored, c.stored) << c.name;
    }
}

TEST(QifReaderTest, AccountsAndSectionTypesMakeTheStatements) {
    const std::string bytes =
        "!Option:AutoSwitch\n"
        "!Account\n"
        "NEveryday Checking 4321\n"
        "TBank\n"
        "^\n"
        "!Type:Bank\n"
        "D1/2/26\n"
        "T-5.00\n"
        "^\n"
        "!Type:Cat\n"
        "NGroceries\n"
        "DFood\n"
        "E\n"
        "^\n"
        "!Type:Bank\n"
        "D1/3/26\n"
        "T-6.00\n"
        "^\n"
        "!Account\n"
        "NVisa 9876\n"
        "TCCard\n"
        "^\n"
        "!Type:CCard\n"
        "D1/4/26\n"
        "T-7.00\n"
        "PDiner\n"
        "^\n"
        "!Type:Invst\n"
        "D1/5/26\n"
        "NBuy\n"
        "T1000.00\n"
        "^\n"
        "!Type:Cash\n"
        "D1/6/26\n"
        "T-8.00\n"
        "^\n"
        "!Clear:AutoSwitch\n";
    EXPECT_EQ(Summary(ReadQif(bytes, DayOrder::MonthFirst)),
              "[Bank|Everyday Checking 4321|-|none]\n"
              "L7 20260102 -500 \"\"\n"
              "L16 20260103 -600 \"\"\n"
              "[Credit card|Visa 9876|-|none]\n"
              "L24 20260104 -700 \"Diner\"\n"
              "[Cash|Visa 9876|-|none]\n"
              "L34 20260106 -800 \"\"\n");
}

TEST(QifReaderTest, UnreadableRecordsAreRefusedWithTheirLine) {
    const std::string bytes =
        "!Type:Bank\n"
        "D1/2/26\nT1.00\n^\n"
        "D2/30/26\nT2.00\n^\n"
        "D1/4/26\nT12,34\n^\n"
        "D1/5/26\nT1,000,000.00\n^\n"
        "D1/6/26\nPNo amount\n^\n"
        "PNo date\nT3.00\n^\n"
        "D1/7/26\nT$1,000.00\nPLast, without its caret\n";
    EXPECT_EQ(Summary(ReadQif(bytes, DayOrder::MonthFirst)),
              "[Bank||-|none]\n"
              "L2 20260102 100 \"\"\n"
              "L5 refused : The date \"2/30/26\" cannot be read.\n"
              "L8 refused 20260104: The amount \"12,34\" cannot be read.\n"
              "L11 refused 20260105: The amount \"1,000,000.00\" is above 999,999.99.\n"
              "L14 refused 20260106: The transaction has no amount.\n"
              "L17 refused : The transaction has no date.\n"
              "L20 20260107 100000 \"Last, without its caret\"\n");
}

TEST(QifReaderTest, RecordsOfNeitherDateNorAmountAreSkippedAndCounted) {
    const std::string bytes =
        "!Type:Bank\n"
        "MOpening note\n^\n"
        "D1/2/26\nT1.00\n^\n"
        "^\n"
        "!Type:CCard\n"
        "PNothing else\n^\n"
        "D1/3/26\nT2.00\n^\n";
    EXPECT_EQ(Summary(ReadQif(bytes, DayOrder::MonthFirst)),
              "[Bank||-|none]\nskipped 2\nL4 20260102 100 \"\"\n[Credit card||-|none]\nL11 20260103 200 \"\"\n");
    EXPECT_EQ(ReadQif("!Type:Bank\nMnote\n^\n", DayOrder::MonthFirst).error, kNoTransactions);
}

TEST(QifReaderTest, FilesWithoutAnythingToImportAreRefused) {
    const struct {
        const char* name;
        std::string bytes;
        std::string error;
    } cases[] = {
        {"only lists", "!Type:Cat\nNFood\n^\n!Type:Memorized\nPShop\nT-5.00\n^\n", kQifNoBankSection},
        {"only investments", "!Type:Invst\nD1/5/26\nT1000.00\n^\n", kQifNoBankSection},
        {"not QIF", "Date,Amount\n1/2/26,5\n", kQifNoBankSection},
        {"a bank section without records", "!Type:Bank\n^\n\n", kNoTransactions},
        {"every record refused", "!Type:Bank\n\nD1/2/26\nTx\n^\nD\nT1\n^\n", "Line 3: The amount \"x\" cannot be read."},
    };
    for (const auto& c : cases) {
        const StatementFile file = ReadQif(c.bytes, DayOrder::MonthFirst);
        EXPECT_EQ(file.error, c.error) << c.name;
        EXPECT_TRUE(file.statements.empty()) << c.name;
    }
}

TEST(QifReaderTest, TextInUtf8BecomesTheAnsiPage) {
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"UTF-8", "!Type:Bank\nD1/2/26\nT1\nPCaf\xC3\xA9 \xE2\x82\xAC\n^\n"},
        {"UTF-8 with its mark", "\xEF\xBB\xBF!Type:Bank\nD1/2/26\nT1\nPCaf\xC3\xA9 \xE2\x82\xAC\n^\n"},
        {"ANSI", "!Type:Bank\nD1/2/26\nT1\nPCaf\xE9 \x80\n^\n"},
        {"UTF-16", Utf16Le(u"!Type:Bank\nD1/2/26\nT1\nPCaf\u00E9 \u20AC\n^\n")},
    };
    for (const auto& c : cases) {
        const StatementFile file = ReadQif(c.bytes, DayOrder::MonthFirst);
        ASSERT_EQ(file.statements.size(), 1u) << c.name << ": " << file.error;
        EXPECT_EQ(file.statements[0].transactions.at(0).payee, "Caf\xE9 \x80") << c.name;
    }
}

TEST(QifReaderTest, LooksLikeQifByItsFirstLine) {
    const struct {
        std::string bytes;
        bool qif;
    } cases[] = {
        {"!Type:Bank\n", true},
        {"\xEF\xBB\xBF\r\n  !type:CCard\r\n", true},
        {"!Account\nNChecking\n", true},
        {"!Option:AutoSwitch\n", true},
        {"### copied from an example ###\n\n!Type:Class\n", true},
        {"# a note\nDate,Amount\n", false},
        {"Date,Amount\n!Type:Bank\n", false},
        {"!Something\n", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LooksLikeQif(c.bytes), c.qif) << c.bytes;
}

} // namespace
