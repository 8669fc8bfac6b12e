#include "import/csv_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "import/statement_values.h"
#include "statement_summary.h"

namespace {

TEST(CsvReaderTest, ReadsEachSeparatorAndAmountLayout) {
    const struct {
        const char* name;
        std::string bytes;
        std::string summary;
    } cases[] = {
        {"comma, signed amount",
         "Date,Description,Amount,Check Number\n"
         "01/05/2026,Green Hills Rent,-1234.56,1001\n"
         "01/15/2026,Payroll,\"2,500.00\",\n",
         "[||-|none]\nL2 20260105 -123456 #1001 \"Green Hills Rent\"\nL3 20260115 250000 \"Payroll\"\n"},
        {"semicolon, decimal comma",
         "Date;Payee;Amount\r\n"
         "15.01.2026;Caf\xE9 du Port;-1.234,56 \x80\r\n"
         "16.01.2026;Salaire;2 500,00\r\n",
         "[||-|none]\nL2 20260115 -123456 \"Caf\xE9 du Port\"\nL3 20260116 250000 \"Salaire\"\n"},
        {"tab, debit and credit columns",
         "Posting Date\tDescription\tDebit\tCredit\tBalance\n"
         "1/5/26\tRent\t1,234.56\t\t100.00\n"
         "1/6/26\tRefund\t-5.00\t\t95.00\n"
         "1/7/26\tPayroll\t\t2500\t2595.00\n"
         "1/8/26\tFee reversal\t0.00\t-3.00\t2598.00\n",
         "[||-|none]\nL2 20260105 -123456 \"Rent\"\nL3 20260106 -500 \"Refund\"\n"
         "L4 20260107 250000 \"Payroll\"\nL5 20260108 300 \"Fee reversal\"\n"},
        {"withdrawal and deposit, parentheses and currency signs",
         "Transaction Date,Name,Memo,Withdrawals,Deposits,Num\n"
         "2026-01-05,ATM,Main St,($40.00),,\n"
         "2026-01-06,Check,,\"$1,040.00\",,000\n"
         "2026-01-07,Interest,,,$0.12,\n",
         "[||-|none]\nL2 20260105 -4000 \"ATM\" memo \"Main St\"\nL3 20260106 -104000 \"Check\"\n"
         "L4 20260107 12 \"Interest\"\n"},
        {"header names with notes and any case",
         "TRANSACTION DATE,Details,Amount (USD),Check #\n"
         "1/5/26,Shop,-5.00,77\n",
         "[||-|none]\nL2 20260105 -500 #77 \"Shop\"\n"},
        {"a description column before a details column",
         "Details,Posting Date,Description,Amount,Type,Balance,Check or Slip #\n"
         "DEBIT,01/05/2026,SHOP,-5.00,ACH_DEBIT,100.00,\n",
         "[||-|none]\nL2 20260105 -500 \"SHOP\"\n"},
        {"a memo column alone is the description",
         "Date,Memo,Amount\n1/5/26,Shop,-5.00\n",
         "[||-|none]\nL2 20260105 -500 \"Shop\"\n"},
        {"an account summary above the header, blank rows between",
         "Account,Everyday Checking\nBalance,1234.56\n\nDate,Description,Amount\n\n1/5/26,Shop,-5.00\n,,\n1/6/26,Shop,-6.00",
         "[||-|none]\nL6 20260105 -500 \"Shop\"\nL8 20260106 -600 \"Shop\"\n"},
        {"a spreadsheet's separator line is a row above the header",
         "sep=;\nDate;Description;Amount\n1/5/26;Shop, the big one;-5,00\n",
         "[||-|none]\nL3 20260105 -500 \"Shop, the big one\"\n"},
        {"UTF-16 with tabs",
         Utf16Le(u"Date\tDescription\tAmount\r\n1/5/26\tCaf\u00E9 \u20AC\t-5.00\r\n"),
         "[||-|none]\nL2 20260105 -500 \"Caf\xE9 \x80\"\n"},
        {"UTF-8",
         "\xEF\xBB\xBF" "Date,Description,Amount\n1/5/26,Caf\xC3\xA9 \xE2\x82\xAC,-5.00\n",
         "[||-|none]\nL2 20260105 -500 \"Caf\xE9 \x80\"\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Summary(ReadCsv(c.bytes, DayOrder::MonthFirst)), c.summary) << c.name;
}

TEST(CsvReaderTest, CheckNumberColumnsAndAReferenceThatIsNone) {
    const struct {
        const char* header;
        const char* summary;
    } cases[] = {
        {"Date,Amount,CheckNumber,Description", "L2 20260105 -500 #12 \"Shop\""},
        {"Date,Amount,Check or Slip #,Description", "L2 20260105 -500 #12 \"Shop\""},
        {"Date,Amount,Chk #,Description", "L2 20260105 -500 #12 \"Shop\""},
        {"Date,Amount,Check No.,Description", "L2 20260105 -500 #12 \"Shop\""},
        // A reference is no check number: it is the description when
        // nothing better is one, and dropped when something is.
        {"Date,Amount,Reference,Description", "L2 20260105 -500 \"Shop\""},
        {"Date,Amount,Reference,Memo", "L2 20260105 -500 \"Shop\""},
        {"Date,Amount,Reference,Other", "L2 20260105 -500 \"12\""},
    };
    for (const auto& c : cases) {
        const std::string bytes = std::string(c.header) + "\n1/5/26,-5.00,12,Shop\n";
        EXPECT_EQ(Summary(ReadCsv(bytes, DayOrder::MonthFirst)), std::string("[||-|none]\n") + c.summary + "\n")
            << c.header;
    }
}

TEST(CsvReaderTest, HeaderNamesRealBanksWrite) {
    const struct {
        const char* name;
        std::string bytes;
        const char* summary;  // of the one transaction
    } cases[] = {
        {"completed date over started date, fee beside the amount",
         "Type,Product,Started Date,Completed Date,Description,Amount,Fee\nCARD,Current,2022-01-06 15:08:08,2022-01-07 10:28:09,Shop,-38.71,0.00\n",
         "L2 20220107 -3871 \"Shop\""},
        {"booking date over value date, amount with its currency",
         "\"Booking Date\",\"Value Date\",\"Partner Name\",\"Amount (EUR)\"\n2020-03-07,2020-03-09,Coffre fort,-328.00\n",
         "L2 20200307 -32800 \"Coffre fort\""},
        {"net, not gross",
         "Date, Time, Name, Gross, Fee, Net\n\"6/4/2016\",\"10:46:49\",\"Jane Doe\",\"-20.00\",\"-0.50\",\"-20.50\"\n",
         "L2 20160604 -2050 \"Jane Doe\""},
        {"datetime, and the total before the fee",
         "Username,ID,Datetime,Note,Amount (total),Amount (fee)\n,1,2020-01-01T13:00:00,lunch,+ $73.01,\n",
         "L2 20200101 7301 \"\""},
        {"date processed", "Date Processed,Description,Amount\n28-Mar-2020,Amazon,\xA3\x39\x39.99\n", "L2 20200328 9999 \"Amazon\""},
        {"run date", "Run Date,Action,Amount ($)\n01/02/2020,BUY,-5\n", "L2 20200102 -500 \"\""},
        {"transaction description", "Transaction Date,Transaction Description,Amount\n1/2/20,Shop,-5\n",
         "L2 20200102 -500 \"Shop\""},
        {"merchant name", "Date,Merchant Name,Amount\n1/2/20,Shop,-5\n", "L2 20200102 -500 \"Shop\""},
        {"merchant", "Date,Merchant,Amount\n1/2/20,Shop,-5\n", "L2 20200102 -500 \"Shop\""},
        {"narrative", "Date,Narrative,Amount\n1/2/20,Shop,-5\n", "L2 20200102 -500 \"Shop\""},
        {"desc", "Date,Desc,Amount\n1/2/20,Shop,-5\n", "L2 20200102 -500 \"Shop\""},
        {"German", "Buchungstag;Auftraggeber/Empf\xE4nger;Verwendungszweck;Betrag\n10.10.2017;Drillisch;Rechnung;-98,76\n",
         "L2 20171010 -9876 \"Drillisch\" memo \"Rechnung\""},
        {"German, Datum and Beschreibung", "Datum;Beschreibung;Betrag\n10.10.2017;Miete;-500,00\n",
         "L2 20171010 -50000 \"Miete\""},
        {"Dutch", "\"Datum\",\"Naam / Omschrijving\",\"Bedrag (EUR)\"\n\"20200213\",\"Kosten\",\"1.25\"\n",
         "L2 20200213 125 \"Kosten\""},
        {"French, UTF-8", "Date;Libell\xC3\xA9;D\xC3\xA9\x62it;Cr\xC3\xA9\x64it\n31.03.2019;Frais;10,00;\n",
         "L2 20190331 -1000 \"Frais\""},
        {"French, one amount", "Date;Libell\xE9;Montant\n31/03/2019;Frais;-10,00\n", "L2 20190331 -1000 \"Frais\""},
        {"German, a summary above the header", "Umsatzanzeige;Datei\n\nBuchung;Wertstellungsdatum;Auftraggeber/Empf\xE4nger;Betrag\n28.12.2018;28.12.2018;Blumen;-5,50\n",
         "L4 20181228 -550 \"Blumen\""},
        {"Dutch, transaction date", "Rekeningnummer;Transactiedatum;Bedrag;Omschrijving\nNL99;21-06-2019;-827,75;Tresorie\n",
         "L2 20190621 -82775 \"Tresorie\""},
        {"French, date de valeur", "Produit;Description;Date de valeur;D\xE9\x62it;Cr\xE9\x64it\nCompte;Frais;31.03.2019;10.00;\n",
         "L2 20190331 -1000 \"Frais\""},
        {"Spanish", "Fecha;Concepto;Importe\n31/03/2019;Recibo;-10,00\n", "L2 20190331 -1000 \"Recibo\""},
        {"capital accented letters", "DATUM;LIBELL\xC9;D\xC9\x42IT\n31/03/2019;Frais;10,00\n", "L2 20190331 -1000 \"Frais\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Summary(ReadCsv(c.bytes, DayOrder::MonthFirst)), std::string("[||-|none]\n") + c.summary + "\n")
            << c.name;
    }
}

TEST(CsvReaderTest, ATypeColumnGivesAnUnsignedAmountItsSide) {
    const struct {
        const char* header;
        const char* type;
        const char* amount;
        long long cents;
    } cases[] = {
        {"Date,Description,Amount,Transaction Type", "debit", "29.99", -2999},
        {"Date,Description,Amount,Transaction Type", "credit", "29.99", 2999},
        {"Date,Description,Amount,Transaction Type", "Debit", "-29.99", -2999},
        {"Date,Description,Amount,Type", "DR", "29.99", -2999},
        {"Date,Description,Amount,Type", "CR", "29.99", 2999},
        {"Date,Description,Amount,Debit/Credit", "D", "29.99", -2999},
        {"Date,Description,Amount,CR/DR", "C", "29.99", 2999},
        {"Date,Description,Amount,Af Bij", "Af", "29.99", -2999},
        {"Date,Description,Amount,Af Bij", "Bij", "29.99", 2999},
        {"Date,Description,Amount,CreditDebet", "D", "29.99", -2999},
        // A type that names no side leaves the amount's sign.
        {"Date,Description,Amount,Type", "CARD_PAYMENT", "-29.99", -2999},
        {"Date,Description,Amount,Type", "TRANSFER", "29.99", 2999},
        {"Date,Description,Amount,Type", "", "29.99", 2999},
    };
    for (const auto& c : cases) {
        const std::string bytes = std::string(c.header) + "\n1/5/26,Shop," + c.amount + "," + c.type + "\n";
        const StatementFile file = ReadCsv(bytes, DayOrder::MonthFirst);
        const std::string name = std::string(c.header) + " " + c.type + " " + c.amount;
        ASSERT_EQ(file.statements.size(), 1u) << name << ": " << file.error;
        EXPECT_EQ(file.statements[0].transactions.at(0).cents, c.cents) << name;
    }
}

TEST(CsvReaderTest, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks) {
    const std::string bytes =
        "\"Date\",\"Description\",\"Amount\"\n"
        "\"1/5/26\",\"Smith, Jones \"\"and\"\" Co\",\"-5.00\"\n"
        "1/6/26,\"Two\r\nlines\",-6.00\n"
        "1/7/26,  \"spaced\"  ,-7.00\n"
        "1/8/26,say \"hi\",-8.00\n"
        "1/9/26,\"\",-9.00\n";
    EXPECT_EQ(Summary(ReadCsv(bytes, DayOrder::MonthFirst)),
              "[||-|none]\n"
              "L2 20260105 -500 \"Smith, Jones \"and\" Co\"\n"
              "L3 20260106 -600 \"Two lines\"\n"
              "L5 20260107 -700 \"spaced\"\n"
              "L6 20260108 -800 \"say \"hi\"\"\n"
              "L7 20260109 -900 \"\"\n");
}

TEST(CsvReaderTest, DecimalMarkFollowsTheSeparatorUnlessTheAmountsShowIt) {
    const struct {
        const char* name;
        std::string rows;  // below a "Date;Description;Amount" or comma header
        char separator;
        std::string amounts;
    } cases[] = {
        {"semicolon: decimal comma", "1/5/26;A;-5,25\n1/6/26;B;1.234\n", ';', "-525 123400 "},
        {"semicolon with decimal points", "1/5/26;A;-5.25\n1/6/26;B;1,234\n", ';', "-525 123400 "},
        {"semicolon, nothing shown", "1/5/26;A;-5\n1/6/26;B;1.234\n", ';', "-500 123400 "},
        {"comma: decimal point", "1/5/26,A,-5.25\n1/6/26,B,\"1,234\"\n", ',', "-525 123400 "},
        {"comma with quoted decimal commas", "1/5/26,A,\"-5,25\"\n1/6/26,B,1.234\n", ',', "-525 123400 "},
        {"both shown: the separator's mark", "1/5/26;A;-5,25\n1/6/26;B;1.50\n", ';', "-525 refused "},
    };
    for (const auto& c : cases) {
        const std::string header = c.separator == ';' ? "Date;Description;Amount\n" : "Date,Description,Amount\n";
        const StatementFile file = ReadCsv(header + c.rows, DayOrder::MonthFirst);
        ASSERT_EQ(file.statements.size(), 1u) << c.name << ": " << file.error;
        std::string amounts;
        for (const auto& t : file.statements[0].transactions)
            amounts += (t.refused.empty() ? std::to_string(t.cents) : "refused") + " ";
        EXPECT_EQ(amounts, c.amounts) << c.name;
    }
}

TEST(CsvReaderTest, DatesFollowTheFileThenThePreference) {
    const struct {
        const char* name;
        std::string rows;
        DayOrder preferred;
        std::string dates;
    } cases[] = {
        {"ambiguous, month first", "01/02/26,1\n03/04/2026,1\n", DayOrder::MonthFirst, "20260102 20260304 "},
        {"ambiguous, day first", "01/02/26,1\n03/04/2026,1\n", DayOrder::DayFirst, "20260201 20260403 "},
        {"decided by a 25 first", "01/02/26,1\n25/12/2025,1\n", DayOrder::MonthFirst, "20260201 20251225 "},
        {"decided by a 25 second", "01/02/26,1\n12/25/2025,1\n", DayOrder::DayFirst, "20260102 20251225 "},
        {"year first with a time", "2026-01-02 10:30:00,1\n", DayOrder::DayFirst, "20260102 "},
    };
    for (const auto& c : cases) {
        const StatementFile file = ReadCsv("Date,Amount\n" + c.rows, c.preferred);
        ASSERT_EQ(file.statements.size(), 1u) << c.name << ": " << file.error;
        std::string dates;
        for (const auto& t : file.statements[0].transactions)
            dates += t.date + " ";
        EXPECT_EQ(dates, c.dates) << c.name;
    }
}

TEST(CsvReaderTest, UnreadableRowsAreRefusedWithTheirLine) {
    const std::string bytes =
        "Date,Description,Debit,Credit\n"
        "1/5/26,Good,5.00,\n"
        "1/32/26,Bad date,5.00,\n"
        "1/6/26,Bad amount,5.0.0,\n"
        "1/7/26,Too large,\"1,000,000.00\",\n"
        "1/8/26,No amount,,\n"
        "1/9/26,Both,5.00,6.00\n"
        ",No date,1.00,\n"
        "1/10/26,Short row\n";
    EXPECT_EQ(Summary(ReadCsv(bytes, DayOrder::MonthFirst)),
              "[||-|none]\n"
              "L2 20260105 -500 \"Good\"\n"
              "L3 refused : The date \"1/32/26\" cannot be read.\n"
              "L4 refused 20260106: The amount \"5.0.0\" cannot be read.\n"
              "L5 refused 20260107: The amount \"1,000,000.00\" is above 999,999.99.\n"
              "L6 refused 20260108: The transaction has no amount.\n"
              "L7 refused 20260109: The row has both a debit and a credit.\n"
              "L8 refused : The transaction has no date.\n"
              "L9 refused 20260110: The transaction has no amount.\n");
}

TEST(CsvReaderTest, LinesWithoutATransactionAreSkippedAndCounted) {
    const struct {
        const char* name;
        std::string rows;
        std::string summary;
    } cases[] = {
        {"a total, a note and an end mark",
         "1/5/26,Shop,-5.00\nTotal,,-5.00\nThank you for banking with us,,\n***END OF FILE***\n",
         "skipped 3\nL2 20260105 -500 \"Shop\"\n"},
        {"a pending payment without its date", "Pending,Coles,-45.63\n1/5/26,Shop,-5.00\n",
         "skipped 1\nL3 20260105 -500 \"Shop\"\n"},
        {"a row of neither date nor amount", "1/5/26,Shop,-5.00\n,my_username,\n",
         "skipped 1\nL2 20260105 -500 \"Shop\"\n"},
        {"a note with a date in it, no amount", "1/5/26,Shop,-5.00\nDate downloaded 01/24/2023 10:28 am,,\n",
         "skipped 1\nL2 20260105 -500 \"Shop\"\n"},
        {"a date without an amount is refused", "1/5/26,Shop,\n1/6/26,Shop,-5.00\n",
         "L2 refused 20260105: The transaction has no amount.\nL3 20260106 -500 \"Shop\"\n"},
        {"an amount without a date is refused", "1/5/26,Shop,-5.00\n,Bank fee,-1.00\n",
         "L2 20260105 -500 \"Shop\"\nL3 refused : The transaction has no date.\n"},
        {"blank rows are neither", "1/5/26,Shop,-5.00\n,,\n\n", "L2 20260105 -500 \"Shop\"\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Summary(ReadCsv("Date,Description,Amount\n" + c.rows, DayOrder::MonthFirst)),
                  "[||-|none]\n" + c.summary)
            << c.name;
    }
    EXPECT_EQ(ReadCsv("Date,Description,Amount\nTotal,,-5.00\n", DayOrder::MonthFirst).error, kNoTransactions);
}

TEST(CsvReaderTest, FilesWithoutAnythingToImportAreRefused) {
    const struct {
        const char* name;
        std::string bytes;
        std::string error;
    } cases[] = {
        {"no header row", "1/5/26,Shop,-5.00\n1/6/26,Shop,-6.00\n", kCsvNoHeader},
        {"no date column", "Description,Amount\nShop,-5.00\n", kCsvNoHeader},
        {"no amount column", "Date,Description,Balance\n1/5/26,Shop,5.00\n", kCsvNoHeader},
        {"the header below the rows searched", std::string(40, '\n') + "Date,Amount\n1/5/26,1\n", kCsvNoHeader},
        {"only a header", "Date,Description,Amount\n\n", kNoTransactions},
        {"every row refused", "Date,Amount\n1/5/26,x\n1/6/26,\n", "Line 2: The amount \"x\" cannot be read."},
    };
    for (const auto& c : cases) {
        const StatementFile file = ReadCsv(c.bytes, DayOrder::MonthFirst);
        EXPECT_EQ(file.error, c.error) << c.name;
        EXPECT_TRUE(file.statements.empty()) << c.name;
    }
}

TEST(CsvReaderTest, LooksLikeCsvWhenAHeaderRowIsFound) {
    const struct {
        std::string bytes;
        bool csv;
    } cases[] = {
        {"Date,Amount\n", true},
        {"date;debit;credit\n", true},
        {"Account 1234\n\nPosting Date\tDescription\tWithdrawal\n", true},
        {"Date,Description\n1/5/26,Shop\n", false},
        {"Date|Amount\n", false},
        {"%PDF-1.4\n", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LooksLikeCsv(c.bytes), c.csv) << c.bytes;
}

} // namespace
