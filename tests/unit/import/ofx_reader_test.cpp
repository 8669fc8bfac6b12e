#include "import/ofx_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "import/statement_values.h"
#include "statement_summary.h"

namespace {

const std::string kSgmlHeader =
    "OFXHEADER:100\n"
    "DATA:OFXSGML\n"
    "VERSION:102\n"
    "SECURITY:NONE\n"
    "ENCODING:USASCII\n"
    "CHARSET:1252\n"
    "COMPRESSION:NONE\n"
    "OLDFILEUID:NONE\n"
    "NEWFILEUID:NONE\n"
    "\n";

const std::string kXmlHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
    "<?OFX OFXHEADER=\"200\" VERSION=\"220\" SECURITY=\"NONE\" OLDFILEUID=\"NONE\" NEWFILEUID=\"NONE\"?>\n";

// A checking statement in SGML, one tag a line; the first STMTTRN is line 25
// of the body.
const std::string kSgmlBody =
    "<OFX>\n"
    "<SIGNONMSGSRSV1>\n"
    "<SONRS>\n"
    "<STATUS>\n"
    "<CODE>0\n"
    "<SEVERITY>INFO\n"
    "</STATUS>\n"
    "<DTSERVER>20260131120000\n"
    "<LANGUAGE>ENG\n"
    "</SONRS>\n"
    "</SIGNONMSGSRSV1>\n"
    "<BANKMSGSRSV1>\n"
    "<STMTTRNRS>\n"
    "<TRNUID>1\n"
    "<STMTRS>\n"
    "<CURDEF>USD\n"
    "<BANKACCTFROM>\n"
    "<BANKID>121000248\n"
    "<ACCTID>000123456789\n"
    "<ACCTTYPE>CHECKING\n"
    "</BANKACCTFROM>\n"
    "<BANKTRANLIST>\n"
    "<DTSTART>20260101\n"
    "<DTEND>20260131235959\n"
    "<STMTTRN>\n"
    "<TRNTYPE>CHECK\n"
    "<DTPOSTED>20260105\n"
    "<TRNAMT>-125.00\n"
    "<FITID>A1\n"
    "<CHECKNUM>1001\n"
    "<NAME>Green Hills Rent &amp; Co\n"
    "<MEMO>January &lt;rent&gt;\n"
    "</STMTTRN>\n"
    "<STMTTRN>\n"
    "<TRNTYPE>CREDIT\n"
    "<DTPOSTED>20260115120000.000[-5:EST]\n"
    "<TRNAMT>1500.25\n"
    "<FITID>A2\n"
    "<CHECKNUM>0\n"
    "<NAME>Payroll\n"
    "</STMTTRN>\n"
    "</BANKTRANLIST>\n"
    "<LEDGERBAL>\n"
    "<BALAMT>2345.67\n"
    "<DTASOF>20260131\n"
    "</LEDGERBAL>\n"
    "<AVAILBAL>\n"
    "<BALAMT>2000.00\n"
    "<DTASOF>20260131\n"
    "</AVAILBAL>\n"
    "</STMTRS>\n"
    "</STMTTRNRS>\n"
    "</BANKMSGSRSV1>\n"
    "</OFX>\n";

std::string Expected(int firstLine, int secondLine) {
    return "[Checking|000123456789|20260101-20260131|234567]\n"
           "L" + std::to_string(firstLine) + " 20260105 -12500 #1001 \"Green Hills Rent & Co\" memo \"January <rent>\" id A1\n"
           "L" + std::to_string(secondLine) + " 20260115 150025 \"Payroll\" id A2\n";
}

std::string OnOneLine(std::string text) {
    std::erase(text, '\n');
    return text;
}

// The same body as XML: every element closed.
std::string AsXml(const std::string& sgml) {
    std::string xml;
    std::size_t at = 0;
    while (at < sgml.size()) {
        const std::size_t end = sgml.find('\n', at);
        std::string line = sgml.substr(at, end - at);
        at = end + 1;
        const std::size_t close = line.find('>');
        if (line.size() > close + 1 && line[1] != '/')
            line += "</" + line.substr(1, close - 1) + ">";
        xml += line + "\n";
    }
    return xml;
}

TEST(OfxReaderTest, ReadsEveryFormOfTheSameStatement) {
    const struct {
        const char* name;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"OFX 1, a tag a line", kSgmlHeader + kSgmlBody, Expected(35, 44)},
        {"OFX 1, all on one line", OnOneLine(kSgmlHeader + kSgmlBody), Expected(1, 1)},
        {"OFX 1 header, body on one line", kSgmlHeader + OnOneLine(kSgmlBody), Expected(11, 11)},
        {"CR LF line ends", [] {
             std::string crlf;
             for (char c : kSgmlHeader + kSgmlBody)
                 crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
             return crlf;
         }(), Expected(35, 44)},
        {"byte-order mark and blank lines before the header", "\xEF\xBB\xBF\n\n" + kSgmlHeader + kSgmlBody, Expected(37, 46)},
        {"OFX 2 (XML)", kXmlHeader + AsXml(kSgmlBody), Expected(27, 36)},
        {"QFX: OFX 1 with dotted elements of its own", [] {
             std::string qfx = kSgmlHeader + kSgmlBody;
             qfx.insert(qfx.find("</SONRS>"), "<INTU.BID>3000\n<INTU.USERID>me\n");
             return qfx;
         }(), Expected(37, 46)},
        {"no header at all", kSgmlBody, Expected(25, 34)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Summary(ReadOfx(c.bytes)), c.expected) << c.name;
}

TEST(OfxReaderTest, SeveralStatementsAndACreditCardEachBecomeAStatement) {
    const std::string bytes = kSgmlHeader +
        "<OFX><BANKMSGSRSV1>"
        "<STMTTRNRS><STMTRS><BANKACCTFROM><ACCTID>11112222<ACCTTYPE>SAVINGS</BANKACCTFROM>"
        "<BANKTRANLIST><STMTTRN><DTPOSTED>20260102<TRNAMT>5.00<FITID>S1</STMTTRN></BANKTRANLIST>"
        "<LEDGERBAL><BALAMT><DTASOF>20260131</LEDGERBAL></STMTRS></STMTTRNRS>\n"
        "<STMTTRNRS><STMTRS><BANKACCTFROM><ACCTID>33334444<ACCTTYPE>MONEYMRKT</BANKACCTFROM>"
        "<BANKTRANLIST><STMTTRN><DTPOSTED>20260103<TRNAMT>6.00<FITID>M1</STMTTRN></BANKTRANLIST>"
        "</STMTRS></STMTTRNRS>\n"
        "</BANKMSGSRSV1><CREDITCARDMSGSRSV1><CCSTMTTRNRS><CCSTMTRS>"
        "<CCACCTFROM><ACCTID>4111000011115555</CCACCTFROM>"
        "<BANKTRANLIST><DTSTART>20260101<DTEND>20260131"
        "<STMTTRN><TRNTYPE>DEBIT<DTPOSTED>20260110<TRNAMT>-42.10<FITID>C1<NAME>Corner Grocer</STMTTRN>"
        "<STMTTRN><TRNTYPE>CREDIT<DTPOSTED>20260120<TRNAMT>100<FITID>C2<NAME>Payment</STMTTRN>"
        "</BANKTRANLIST><LEDGERBAL><BALAMT>-642.10<DTASOF>20260131</LEDGERBAL></CCSTMTRS></CCSTMTTRNRS>"
        "</CREDITCARDMSGSRSV1></OFX>";
    EXPECT_EQ(Summary(ReadOfx(bytes)),
              "[Savings|11112222|-|none]\n"
              "L11 20260102 500 \"\" id S1\n"
              "[Money market|33334444|-|none]\n"
              "L12 20260103 600 \"\" id M1\n"
              "[Credit card|4111000011115555|20260101-20260131|-64210]\n"
              "L13 20260110 -4210 \"Corner Grocer\" id C1\n"
              "L13 20260120 10000 \"Payment\" id C2\n");
}

TEST(OfxReaderTest, OnlyTheStatementsOwnAccountAndLedgerBalanceCount) {
    // A transfer names the other account inside the transaction, and the
    // available balance comes after the ledger balance (here without the
    // ledger balance's end tag): neither may replace the statement's own.
    const std::string bytes =
        "<OFX><CREDITLINE><STMTRS><BANKACCTFROM><ACCTID>9876<ACCTTYPE>CREDITLINE</BANKACCTFROM><BANKTRANLIST>"
        "<STMTTRN><DTPOSTED>20260102<TRNAMT>-50.00<NAME>Transfer<PAYEE><NAME>Other payee</PAYEE>"
        "<BANKACCTTO><ACCTID>5555<ACCTTYPE>SAVINGS</BANKACCTTO></STMTTRN>"
        "</BANKTRANLIST><AVAILBAL><BALAMT>10.00</AVAILBAL><LEDGERBAL><BALAMT>20.00"
        "<AVAILBAL><BALAMT>30.00</AVAILBAL></STMTRS></OFX>";
    EXPECT_EQ(Summary(ReadOfx(bytes)), "[Credit line|9876|-|2000]\nL1 20260102 -5000 \"Transfer\"\n");
}

TEST(OfxReaderTest, DatesTakeTheWrittenDayWhateverTheTimeAndZone) {
    const struct {
        const char* posted;
        const char* stored;  // "" when refused
    } cases[] = {
        {"20260115", "20260115"},
        {"20260115120000", "20260115"},
        {"20260115120000.000", "20260115"},
        {"20260115000000.000[-5:EST]", "20260115"},
        {"20260115235959[+9.5:ACST]", "20260115"},
        {"20260115[-8]", "20260115"},
        {"20240229", "20240229"},
        {"20250229", ""},
        {"20261301", ""},
        {"18991231", ""},
        {"2026011", ""},
        {"2026-01-15", ""},
        {"20260115x", ""},
        {"20260115.", ""},
        {"20260115[-5:EST", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        const std::string bytes = std::string("<OFX><STMTRS><BANKTRANLIST><STMTTRN><DTPOSTED>") + c.posted +
                                  "<TRNAMT>1.00</STMTTRN><STMTTRN><DTPOSTED>20260101<TRNAMT>2.00</STMTTRN></STMTRS>";
        const StatementFile file = ReadOfx(bytes);
        ASSERT_EQ(file.statements.size(), 1u) << c.posted;
        const StatementTransaction& t = file.statements[0].transactions.at(0);
        EXPECT_EQ(t.date, c.stored) << c.posted;
        const std::string expectedReason = *c.posted == '\0' ? std::string(kNoDateReason)
                                         : *c.stored == '\0' ? WithValue(kBadDateReason, c.posted) : "";
        EXPECT_EQ(t.refused, expectedReason) << c.posted;
    }
}

TEST(OfxReaderTest, AmountsAndCheckNumbersAsBanksWriteThem) {
    const struct {
        const char* amount;
        const char* check;
        const char* summary;
    } cases[] = {
        {"-12.50", "", "L1 20260102 -1250 \"\""},
        {"+12.5", "0", "L1 20260102 1250 \"\""},
        {"-.05", "000", "L1 20260102 -5 \"\""},
        {"12,50", "00123", "L1 20260102 1250 #00123 \"\""},
        {"1,234.56", "77", "L1 20260102 123456 #77 \"\""},
        {"999999.99", "", "L1 20260102 99999999 \"\""},
        {"-999999.99", "", "L1 20260102 -99999999 \"\""},
        {"1000000.00", "", "L1 refused 20260102: The amount \"1000000.00\" is above 999,999.99."},
        {"12.345", "", "L1 refused 20260102: The amount \"12.345\" cannot be read."},
        {"12.3400", "", "L1 20260102 1234 \"\""},
        {"abc", "", "L1 refused 20260102: The amount \"abc\" cannot be read."},
        {"", "", "L1 refused 20260102: The transaction has no amount."},
    };
    for (const auto& c : cases) {
        const std::string bytes = std::string("<OFX><STMTRS><BANKTRANLIST><STMTTRN><DTPOSTED>20260102<TRNAMT>") + c.amount +
                                  "<CHECKNUM>" + c.check + "</STMTTRN><STMTTRN><DTPOSTED>20260101<TRNAMT>2.00</STMTTRN></STMTRS>";
        const StatementFile file = ReadOfx(bytes);
        ASSERT_EQ(file.statements.size(), 1u) << c.amount;
        EXPECT_EQ(Summary(file.statements[0].transactions.at(0)), c.summary) << c.amount;
    }
}

TEST(OfxReaderTest, TextIsKeptInTheAnsiPageOrConvertedFromUtf8) {
    const std::string body1252 = "<OFX><STMTRS><BANKTRANLIST><STMTTRN><DTPOSTED>20260102<TRNAMT>1<NAME>Caf\xE9 \x80 &#233;&#x20AC;&#8364;&#20013;&nbsp;x\tz</STMTTRN></STMTRS></OFX>";
    const std::string bodyUtf8 = "<OFX><STMTRS><BANKTRANLIST><STMTTRN><DTPOSTED>20260102<TRNAMT>1<NAME>Caf\xC3\xA9 \xE2\x82\xAC &#233;&#x20AC;&#8364;&#20013;&nbsp;x\tz</STMTTRN></STMTRS></OFX>";
    const std::string expected = "Caf\xE9 \x80 \xE9\x80\x80?\xA0x z";
    const struct {
        const char* name;
        std::string bytes;
        std::string payee;
    } cases[] = {
        {"CHARSET:1252", kSgmlHeader + body1252, expected},
        {"CHARSET:1252 holding UTF-8", kSgmlHeader + bodyUtf8, expected},
        {"CHARSET:1252 holding 1252 that could start UTF-8", kSgmlHeader + "<OFX><STMTRS><STMTTRN><DTPOSTED>20260102<TRNAMT>1<NAME>\xC3 \xA9</STMTRS>", "\xC3 \xA9"},
        {"ENCODING:UTF-8", "OFXHEADER:100\nENCODING:UTF-8\nCHARSET:NONE\n" + bodyUtf8, expected},
        {"XML, UTF-8 by default", kXmlHeader + bodyUtf8, expected},
        {"XML declared windows-1252", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>" + body1252, expected},
        {"no header, UTF-8", bodyUtf8, expected},
        {"no header, ANSI", body1252, expected},
        {"byte-order mark", "\xEF\xBB\xBF" + bodyUtf8, expected},
        {"a character beyond the page", kXmlHeader + "<OFX><STMTRS><STMTTRN><DTPOSTED>20260102<TRNAMT>1<NAME>\xE4\xB8\xAD \xF0\x9F\x98\x80 !</STMTRS>", "? ? !"},
        {"unknown entities stay as written", "<OFX><STMTRS><STMTTRN><DTPOSTED>20260102<TRNAMT>1<NAME>A&B &bogus; &#;&#0;&#x110000;</STMTRS>", "A&B &bogus; &#;&#0;&#x110000;"},
    };
    for (const auto& c : cases) {
        const StatementFile file = ReadOfx(c.bytes);
        ASSERT_EQ(file.statements.size(), 1u) << c.name << ": " << file.error;
        EXPECT_EQ(file.statements[0].transactions.at(0).payee, c.payee) << c.name;
    }
}

TEST(OfxReaderTest, TextInACdataSectionIsTheElementsValue) {
    const struct {
        const char* name;
        const char* elements;
        const char* summary;
    } cases[] = {
        {"name and memo, XML", "<NAME><![CDATA[ALDI STORE  ]]></NAME><MEMO><![CDATA[GEELONG]]></MEMO>",
         "L1 20260102 100 \"ALDI STORE\" memo \"GEELONG\""},
        {"SGML, after a line break", "<NAME>\n  <![CDATA[Shop]]>\n<MEMO>x", "L1 20260102 100 \"Shop\" memo \"x\""},
        {"markup characters inside", "<NAME><![CDATA[A <b> & C]]></NAME>", "L1 20260102 100 \"A <b> & C\""},
        {"a '>' does not end the section", "<NAME><![CDATA[a>b]]><MEMO>m", "L1 20260102 100 \"a>b\" memo \"m\""},
        {"text before a section is the value", "<NAME>Plain<![CDATA[x]]></NAME>", "L1 20260102 100 \"Plain\""},
        {"an unclosed section is no value", "<NAME><![CDATA[cut", "L1 20260102 100 \"\""},
    };
    for (const auto& c : cases) {
        const std::string bytes = std::string("<OFX><STMTRS><STMTTRN><DTPOSTED>20260102<TRNAMT>1") + c.elements
                                + "</STMTTRN></STMTRS></OFX>";
        const StatementFile file = ReadOfx(bytes);
        ASSERT_EQ(file.statements.size(), 1u) << c.name << ": " << file.error;
        EXPECT_EQ(Summary(file.statements[0].transactions.at(0)), c.summary) << c.name;
    }
}

TEST(OfxReaderTest, BankTransactionsOfAnInvestmentStatementAreItsCashAccounts) {
    const std::string bytes = kSgmlHeader +
        "<OFX><INVSTMTMSGSRSV1><INVSTMTTRNRS><INVSTMTRS>\n"
        "<INVACCTFROM><BROKERID>fidelity.com<ACCTID>X0000001</INVACCTFROM>\n"
        "<INVTRANLIST><DTSTART>20120710<DTEND>20120908\n"
        "<INVBANKTRAN><STMTTRN><TRNTYPE>CHECK<DTPOSTED>20120720<TRNAMT>-15.00<FITID>A1<CHECKNUM>1001\n"
        "<NAME>Check Paid</STMTTRN><SUBACCTFUND>CASH</INVBANKTRAN>\n"
        "<BUYSTOCK><INVBUY><INVTRAN><FITID>B1<DTTRADE>20120721<MEMO>Stock</INVTRAN><TOTAL>-5.00</INVBUY></BUYSTOCK>\n"
        "<INVBANKTRAN><STMTTRN><TRNTYPE>DEP<DTPOSTED>20120727<TRNAMT>115.83<FITID>A2\n"
        "<NAME>Transfer</STMTTRN><SUBACCTFUND>CASH</INVBANKTRAN>\n"
        "</INVTRANLIST></INVSTMTRS></INVSTMTTRNRS></INVSTMTMSGSRSV1></OFX>\n";
    EXPECT_EQ(Summary(ReadOfx(bytes)), "[Investment cash|X0000001|20120710-20120908|none]\n"
                                       "L14 20120720 -1500 #1001 \"Check Paid\" id A1\n"
                                       "L17 20120727 11583 \"Transfer\" id A2\n");
}

TEST(OfxReaderTest, FilesWithoutAnythingToImportAreRefused) {
    const struct {
        const char* name;
        std::string bytes;
        std::string error;
    } cases[] = {
        {"no OFX at all", "Date,Amount\n1/2/26,5.00\n", kNotAStatement},
        {"header only", kSgmlHeader, kNotAStatement},
        {"sign-on only", kSgmlHeader + "<OFX><SIGNONMSGSRSV1><SONRS><STATUS><CODE>0</STATUS></SONRS></SIGNONMSGSRSV1></OFX>", kOfxNoStatement},
        {"an investment statement without bank transactions",
         "<OFX><INVSTMTMSGSRSV1><INVSTMTTRNRS><INVSTMTRS><INVACCTFROM><ACCTID>9</INVACCTFROM><INVTRANLIST>"
         "<BUYSTOCK><INVBUY><INVTRAN><FITID>1<DTTRADE>20260102</INVTRAN><TOTAL>-5.00</INVBUY></BUYSTOCK>"
         "</INVTRANLIST></INVSTMTRS></INVSTMTTRNRS></INVSTMTMSGSRSV1></OFX>",
         kOfxNoStatement},
        {"a statement without transactions", kSgmlHeader + "<OFX><STMTRS><BANKACCTFROM><ACCTID>1</BANKACCTFROM><BANKTRANLIST></BANKTRANLIST></STMTRS></OFX>", kNoTransactions},
        {"every transaction refused: the first reason and line", kSgmlHeader +
             "<OFX><STMTRS><BANKTRANLIST>\n<STMTTRN><DTPOSTED>20260102<TRNAMT>x</STMTTRN>\n"
             "<STMTTRN><DTPOSTED>2026<TRNAMT>1.00</STMTTRN></BANKTRANLIST></STMTRS></OFX>",
         "Line 12: The amount \"x\" cannot be read."},
    };
    for (const auto& c : cases) {
        const StatementFile file = ReadOfx(c.bytes);
        EXPECT_EQ(file.error, c.error) << c.name;
        EXPECT_TRUE(file.statements.empty()) << c.name;
    }
}

TEST(OfxReaderTest, OneBadTransactionIsRefusedAndTheRestRead) {
    const std::string bytes = kSgmlHeader +
        "<OFX><STMTRS><BANKTRANLIST>\n"
        "<STMTTRN><DTPOSTED>20260102<TRNAMT>1.00</STMTTRN>\n"
        "<STMTTRN><DTPOSTED>20260231<TRNAMT>2.00</STMTTRN>\n"
        "<STMTTRN><TRNAMT>3.00</STMTTRN>\n"
        "<STMTTRN><DTPOSTED>20260104<TRNAMT>2000000</STMTTRN>\n"
        "</BANKTRANLIST></STMTRS></OFX>";
    EXPECT_EQ(Summary(ReadOfx(bytes)),
              "[||-|none]\n"
              "L12 20260102 100 \"\"\n"
              "L13 refused : The date \"20260231\" cannot be read.\n"
              "L14 refused : The transaction has no date.\n"
              "L15 refused 20260104: The amount \"2000000\" is above 999,999.99.\n");
}

TEST(OfxReaderTest, ACutOffFileKeepsWhatItHolds) {
    const std::string whole = kSgmlHeader + kSgmlBody;
    const std::string cut = whole.substr(0, whole.find("<FITID>A2"));
    EXPECT_EQ(Summary(ReadOfx(cut)),
              "[Checking|000123456789|20260101-20260131|none]\n"
              "L35 20260105 -12500 #1001 \"Green Hills Rent & Co\" memo \"January <rent>\" id A1\n"
              "L44 20260115 150025 \"\"\n");
}

TEST(OfxReaderTest, LooksLikeOfxByItsStart) {
    const struct {
        std::string bytes;
        bool ofx;
    } cases[] = {
        {kSgmlHeader, true},
        {"\xEF\xBB\xBF\r\n\r\n" + kSgmlHeader, true},
        {kXmlHeader, true},
        {"<OFX><STMTRS>", true},
        {"  <ofx>", true},
        {"Some bank preamble\nOFXHEADER:100\n", true},
        {"!Type:Bank\nD1/2/26\n", false},
        {"Date,Amount\n", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LooksLikeOfx(c.bytes), c.ofx) << c.bytes;
}

} // namespace
