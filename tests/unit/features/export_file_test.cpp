// Export: the three line formats byte for byte, dates always MM/DD/YY,
// amounts with a point and no separators, and the whole text of a view.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "feature_fixture.h"
#include "features/date_range.h"
#include "features/export_file.h"

namespace {

using namespace feature_test;

struct LineCase {
    const char* name;
    Tx record;
    double balance;
    const char* line;
};

class ExportLines : public AccountTest {};

TEST_F(ExportLines, EachFormatByteForByte) {
    const LineCase cases[] = {
        {"deposit only", {.desc = "Paycheck", .date = "20130305", .deposit = 1500.0}, 1500.0,
         "\t03/05/13\t\tPaycheck\t\t1500.00\t1500.00\r\n"},
        {"payment only", {.desc = "Rent", .date = "20130305", .check = 101, .payment = 12.5}, 87.5,
         "\t03/05/13\t101\tRent\t12.50\t\t87.50\r\n"},
        {"neither", {.desc = "Note", .date = "20130305"}, 0.0, "\t03/05/13\t\tNote\t\t\t0.00\r\n"},
        {"negative balance", {.desc = "Rent", .date = "20130305", .payment = 12.5}, -12.5,
         "\t03/05/13\t\tRent\t12.50\t\t-12.50\r\n"},
        {"no separators", {.desc = "Car", .date = "20131231", .payment = 999999.99}, -1234567.89,
         "\t12/31/13\t\tCar\t999999.99\t\t-1234567.89\r\n"},
        {"reconciled", Cleared({.desc = "Old", .date = "20121231", .deposit = 0.1}), 0.1,
         "R\t12/31/12\t\tOld\t\t0.10\t0.10\r\n"},
        {"no date", {.desc = "Blank"}, 3.0, "\t\t\tBlank\t\t\t3.00\r\n"},
        {"empty description", {.desc = "", .date = "20130101", .check = 7}, 0.0,
         "\t01/01/13\t7\t\t\t\t0.00\r\n"},
    };
    for (const LineCase& c : cases) {
        AcctRecord record{};
        model_test::Fill(record, c.record);
        std::string line;
        AppendExportLine(line, record, c.balance);
        EXPECT_EQ(line, c.line) << c.name;
    }
}

TEST_F(ExportLines, DatesAreMonthFirstWhateverTheUsersFormat) {
    AcctRecord record{};
    model_test::Fill(record, {.desc = "x", .date = "20130305"});  // 5 March 2013
    for (int format : {kFormatMMDDYY, kFormatDDMMYY, kFormatYYMMDD, kFormatYYDDMM}) {
        g_Date.SetDateFormat(format);
        std::string line;
        AppendExportLine(line, record, 0.0);
        EXPECT_EQ(line, "\t03/05/13\t\tx\t\t\t0.00\r\n") << "format " << format;
    }
}

TEST_F(ExportLines, DamagedTextsStayInsideTheirFields) {
    AcctRecord record{};
    model_test::Fill(record, {.desc = "x", .date = "20130305"});
    std::memset(record.checkText, '9', sizeof record.checkText);
    std::memset(record.description, 'd', sizeof record.description);
    std::string line;
    AppendExportLine(line, record, 0.0);
    EXPECT_EQ(line, "\t03/05/13\t9999\t" + std::string(89, 'd') + "\t\t\t0.00\r\n");
}

// A tab or line break stored by an older program would shift every later
// column of the spreadsheet: the line holds exactly six tabs and one CR LF.
TEST_F(ExportLines, ControlCharactersInStoredTextsBecomeSpaces) {
    AcctRecord record{};
    model_test::Fill(record, {.desc = "x", .date = "20130305", .payment = 2.5});
    CopyFixedText(record.checkText, "1\t2");
    CopyFixedText(record.description, "Rent\tMay\r\nJune\n\x01");
    std::string line;
    AppendExportLine(line, record, -2.5);
    EXPECT_EQ(line, "\t03/05/13\t1 2\tRent May June  \t2.50\t\t-2.50\r\n");
}

class ExportText : public AccountTest {
protected:
    void SetUp() override {
        Build({Cleared({.desc = "OPENING BALANCE", .date = "20130101", .deposit = 100.0}),
               Cleared({.desc = "Cleared", .date = "20130102", .payment = 30.0}),
               {.desc = "Rent", .date = "20130305", .check = 101, .payment = 500.0},
               {.desc = "Pay", .date = "20130305", .deposit = 1000.25},
               {.desc = "Later", .date = "20130306", .payment = 0.25}},
              ViewCurrent);
    }
};

TEST_F(ExportText, CurrentViewWithoutReconciledRecords) {
    EXPECT_EQ(BuildExportText(account.Head(), ViewCurrent, DateRange{}),
              "\t03/05/13\t101\tRent\t500.00\t\t-430.00\r\n"
              "\t03/05/13\t\tPay\t\t1000.25\t570.25\r\n"
              "\t03/06/13\t\tLater\t0.25\t\t570.00\r\n");
}

TEST_F(ExportText, AllViewWithEveryRecordFromZero) {
    SetView(ViewAll);
    EXPECT_EQ(BuildExportText(account.Head(), ViewAll, DateRange{}),
              "R\t01/01/13\t\tOPENING BALANCE\t\t100.00\t100.00\r\n"
              "R\t01/02/13\t\tCleared\t30.00\t\t70.00\r\n"
              "\t03/05/13\t101\tRent\t500.00\t\t-430.00\r\n"
              "\t03/05/13\t\tPay\t\t1000.25\t570.25\r\n"
              "\t03/06/13\t\tLater\t0.25\t\t570.00\r\n");
}

TEST_F(ExportText, TheBlankRecordForTypingIsNotExported) {
    model_test::Add(account, {.desc = ""});
    account.ComputeBalances();
    EXPECT_EQ(BuildExportText(account.Head(), ViewCurrent, DateRange{}),
              "\t03/05/13\t101\tRent\t500.00\t\t-430.00\r\n"
              "\t03/05/13\t\tPay\t\t1000.25\t570.25\r\n"
              "\t03/06/13\t\tLater\t0.25\t\t570.00\r\n");
}

TEST_F(ExportText, ARangeOfOneDay) {
    g_Date.SetDateFormat(kFormatDDMMYY);
    DateRange range;
    range.choice = kRangeChoiceDates;
    ASSERT_EQ(range.AcceptTexts("05/03/13", "05/03/13"), kRangeAccepted);
    EXPECT_EQ(BuildExportText(account.Head(), ViewCurrent, range),
              "\t03/05/13\t101\tRent\t500.00\t\t-430.00\r\n"
              "\t03/05/13\t\tPay\t\t1000.25\t570.25\r\n");
}

TEST_F(ExportText, ARangeThatHoldsNothing) {
    DateRange range;
    range.choice = kRangeChoiceDates;
    ASSERT_EQ(range.AcceptTexts("01/01/14", "12/31/14"), kRangeAccepted);
    EXPECT_EQ(BuildExportText(account.Head(), ViewCurrent, range), "");
    EXPECT_EQ(range.HasRecords(account.Head(), ViewCurrent), kRangeNothingInRange);
}

TEST(ExportMessages, TheFailureNamesTheFileAndTheReason) {
    const PathMessage withReason = ExportErrorMessage("C:\\x\\out.txt", "Access is denied.");
    EXPECT_EQ(withReason.Text(), "The export file could not be written:\nC:\\x\\out.txt\n\nAccess is denied.");
    // The path stays apart from the program's texts: the box converts each
    // from its own encoding.
    EXPECT_EQ(withReason.path, "C:\\x\\out.txt");
    EXPECT_EQ(ExportErrorMessage("C:\\out.txt", "").Text(), "The export file could not be written:\nC:\\out.txt");
}

}  // namespace
