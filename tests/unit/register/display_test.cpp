// Filling the register from the account: which rows get which record, what
// each field shows, the blank record of an empty view, and the totals.
#include <string>
#include <vector>

#include "register_fixture.h"

namespace register_test {
namespace {

using model_test::Cleared;

class DisplayTest : public RegisterTest {};

TEST_F(DisplayTest, FiveRecordsFillTheFirstFiveRows) {
    model_test::Build(g_Account, {{.desc = "a", .date = "20260301", .deposit = 100},
                                  {.desc = "b", .date = "20260302", .check = 101, .payment = 25},
                                  {.desc = "c", .date = "20260303", .payment = 10},
                                  {.desc = "d", .date = "20260304", .deposit = 5},
                                  {.desc = "e", .date = "20260305", .payment = 1}});
    g_Account.isOpen = 1;
    g_Account.view = ViewAll;
    host_.texts.fill("stale");
    DisplayRecords(g_Account.Head());

    EXPECT_EQ(g_MultiRecords.LastFilledRow(), 4);
    EXPECT_EQ(Shown(), "a b c d e");
    for (int row = 0; row < kRegisterRows; ++row) {
        EXPECT_EQ(g_MultiRecords.RowNode(row) != nullptr, row <= 4) << "row " << row;
        if (row <= 4) continue;
        for (int field = 0; field < MAX_FLD; ++field)
            EXPECT_EQ(Text(row, field), "") << "row " << row << " field " << field;
    }
    const std::vector<std::string> rowB = {"", "03/02/26", "101", "b", "25.00", "", "75.00"};
    for (int field = 0; field < MAX_FLD; ++field) EXPECT_EQ(Text(1, field), rowB[field]) << "field " << field;
    EXPECT_EQ(Text(4, BALANCE_FLD), "69.00");
    EXPECT_EQ(Box(kOpeningBalanceId), "0.00");
    EXPECT_EQ(Box(kEndingBalanceId), "69.00");
    EXPECT_EQ(g_MultiRecords.RowNode(2)->record->description, std::string("c"));
}

TEST_F(DisplayTest, CurrentViewWithEveryRecordClearedShowsOneBlankRecord) {
    model_test::Build(g_Account, {Cleared({.desc = "OPENING BALANCE", .date = "20260101", .deposit = 1500}),
                                  Cleared({.desc = "rent", .date = "20260102", .payment = 250.25})});
    g_Account.isOpen = 1;
    g_Account.view = ViewCurrent;
    g_Account.PositionAtTop(0);
    DisplayRecords(g_Account.current);

    ASSERT_EQ(g_Account.RecordCount(), 3u);
    EXPECT_EQ(g_MultiRecords.LastFilledRow(), 0);
    EXPECT_EQ(g_MultiRecords.RowNode(0), g_Account.Tail());
    EXPECT_EQ(g_Account.current, g_Account.Tail());
    EXPECT_TRUE(::HasEmptyDate(*g_Account.Tail()->record));
    EXPECT_EQ(Text(0, DATE_FLD), "");
    EXPECT_EQ(Text(0, BALANCE_FLD), "1,249.75");
    EXPECT_EQ(Box(kOpeningBalanceId), "1,249.75");
    EXPECT_EQ(Box(kEndingBalanceId), "1,249.75");
    EXPECT_EQ(g_MultiRecords.Row(0).FocusField(), DATE_FLD);

    // Showing the view again finds the blank record instead of adding one.
    g_Account.PositionAtTop(0);
    DisplayRecords(g_Account.current);
    EXPECT_EQ(g_Account.RecordCount(), 3u);
}

// The blank row of an empty Current view is no record of the account: shown
// in another view it goes, and comes back only where a view is empty. A
// row the user has typed into stays.
TEST_F(DisplayTest, TheBlankRowOfAnEmptyViewGoesWhenAnotherViewIsShown) {
    Open({Cleared({.desc = "OPENING BALANCE", .date = "20260101", .deposit = 1500}),
          Cleared({.desc = "rent", .date = "20260102", .payment = 250.25})},
         ViewCurrent);
    ASSERT_EQ(g_Account.RecordCount(), 3u);
    ASSERT_EQ(g_MultiRecords.RowNode(0), g_Account.Tail());

    g_Account.view = ViewAll;
    g_MultiRecords.DropBlankTail();
    g_MultiRecords.ShowLastRecords();
    EXPECT_EQ(g_Account.RecordCount(), 2u);
    EXPECT_EQ(Shown(), "OPENING BALANCE rent");
    EXPECT_EQ(Text(2, BALANCE_FLD), "");

    g_Account.view = ViewCurrent;
    g_MultiRecords.DropBlankTail();
    g_MultiRecords.ShowLastRecords();
    EXPECT_EQ(g_Account.RecordCount(), 3u) << "the empty view gets its row for typing again";
    EXPECT_EQ(g_MultiRecords.LastFilledRow(), 0);

    Type(0, DESC_FLD, "half typed");
    g_MultiRecords.DropBlankTail();
    EXPECT_EQ(g_Account.RecordCount(), 3u);
    EXPECT_EQ(g_MultiRecords.RowNode(0), g_Account.Tail());
}

TEST_F(DisplayTest, AmountsAndBalancesAsTheFieldsShowThem) {
    struct Case {
        const char* name;
        double payment, deposit;
        const char* paymentText;
        const char* depositText;
        const char* balanceText;
    };
    const Case cases[] = {
        {"deposit only", 0, 12.5, "", "12.50", "12.50"},
        {"payment with separator", 1234.5, 0, "1,234.50", "", "-1,234.50"},
        {"largest entry", 999999.99, 0, "999,999.99", "", "-999,999.99"},
        {"a tiny payment is not zero", 0.004, 0, "0.00", "", "-0.00"},
        {"balance out of range", 0, 12345678.0, "", "12,345,678.00", "*,***,***.**"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_Account.ClearAccount();
        model_test::Build(g_Account, {{.desc = "x", .date = "20260301", .payment = c.payment, .deposit = c.deposit}});
        g_Account.isOpen = 1;
        DisplayRecords(g_Account.Head());
        EXPECT_EQ(Text(0, PAYMENT_FLD), c.paymentText);
        EXPECT_EQ(Text(0, DEPOSIT_FLD), c.depositText);
        EXPECT_EQ(Text(0, BALANCE_FLD), c.balanceText);
        EXPECT_EQ(Box(kEndingBalanceId), c.balanceText);
    }
}

TEST_F(DisplayTest, NegativeOverflowAndTheOpeningBox) {
    model_test::Build(g_Account, {Cleared({.desc = "big", .date = "20260301", .payment = 999999.99}),
                                  {.desc = "x", .date = "20260302", .payment = 9500000}});
    g_Account.isOpen = 1;
    g_Account.view = ViewAll;
    DisplayRecords(g_Account.Head());
    EXPECT_EQ(Box(kOpeningBalanceId), "-999,999.99");
    EXPECT_EQ(Text(1, BALANCE_FLD), "-*,***,***.**");
    EXPECT_EQ(Box(kEndingBalanceId), "-*,***,***.**");
}

TEST_F(DisplayTest, DateFormatChangesEveryDateFieldButNoStoredDate) {
    model_test::Build(g_Account, {{.desc = "b", .date = "19991231"}, {.desc = "a", .date = "20260105"},
                                  {.desc = "blank"}});
    g_Account.isOpen = 1;
    const char* expected[kDateFormatCount][2] = {
        {"12/31/99", "01/05/26"}, {"31/12/99", "05/01/26"}, {"99/12/31", "26/01/05"}, {"99/31/12", "26/05/01"}};
    for (int format = 0; format < kDateFormatCount; ++format) {
        g_Date.SetDateFormat(format);
        DisplayRecords(g_Account.Head());
        EXPECT_EQ(Text(0, DATE_FLD), expected[format][0]) << "format " << format;
        EXPECT_EQ(Text(1, DATE_FLD), expected[format][1]) << "format " << format;
        EXPECT_EQ(Text(2, DATE_FLD), "") << "format " << format;
    }
    EXPECT_STREQ(g_Account.Head()->record->date, "19991231");
    EXPECT_STREQ(g_Account.Head()->next->record->date, "20260105");
}

TEST_F(DisplayTest, CurrentViewStepsOverClearedRecords) {
    model_test::Build(g_Account, {Cleared({.desc = "open", .date = "20260101", .deposit = 100}),
                                  {.desc = "a", .date = "20260102", .payment = 10},
                                  Cleared({.desc = "b", .date = "20260103", .payment = 20}),
                                  {.desc = "c", .date = "20260104", .payment = 30}});
    g_Account.isOpen = 1;
    g_Account.view = ViewCurrent;
    g_Account.PositionAtTop(0);
    DisplayRecords(g_Account.current);
    EXPECT_EQ(Shown(), "a c");
    EXPECT_EQ(Text(0, BALANCE_FLD), "70.00");
    EXPECT_EQ(Text(1, BALANCE_FLD), "40.00");
    EXPECT_EQ(Box(kOpeningBalanceId), "80.00");
    EXPECT_EQ(Box(kEndingBalanceId), "40.00");
}

TEST_F(DisplayTest, DamagedTextFieldsAreCutAtTheirWidth) {
    RecordNode* node = g_Account.AppendRecord();
    AcctRecord& r = *node->record;
    std::memset(r.reconcile, 'R', sizeof r.reconcile);
    std::memset(r.checkText, '7', sizeof r.checkText);
    std::memset(r.description, 'x', sizeof r.description);
    g_Account.isOpen = 1;
    DisplayRecords(g_Account.Head());
    EXPECT_EQ(Text(0, RECONCILE_FLD), "R");
    EXPECT_EQ(Text(0, NUM_FLD), "7777");
    EXPECT_EQ(Text(0, DESC_FLD), std::string(89, 'x'));
}

TEST_F(DisplayTest, RefreshBalancesRewritesOnlyBalancesAndKeepsEachRowsRecord) {
    Open({{.desc = "a", .date = "20260301", .deposit = 100}, {.desc = "b", .date = "20260302", .payment = 30}});
    RecordNode* rowA = g_MultiRecords.RowNode(0);
    rowA->record->deposit = 200;
    Type(1, DESC_FLD, "typed");
    RefreshBalances(g_Account.current);
    EXPECT_EQ(Text(0, BALANCE_FLD), "200.00");
    EXPECT_EQ(Text(1, BALANCE_FLD), "170.00");
    EXPECT_EQ(Text(0, DEPOSIT_FLD), "100.00");  // not rewritten
    EXPECT_EQ(Text(1, DESC_FLD), "typed");
    EXPECT_EQ(Box(kEndingBalanceId), "170.00");

    // A record that leaves the Current view keeps its row until the refill.
    g_Account.view = ViewCurrent;
    CopyFixedText(rowA->record->reconcile, "R");
    RefreshBalances(g_Account.current);
    EXPECT_EQ(g_MultiRecords.RowNode(0), rowA);
    EXPECT_EQ(Box(kOpeningBalanceId), "200.00");

    rowA->record->deposit = 50;
    RefreshTotals();
    EXPECT_EQ(Box(kOpeningBalanceId), "50.00");
    EXPECT_EQ(Text(0, BALANCE_FLD), "200.00");  // only the boxes
}

TEST_F(DisplayTest, ClearRegisterEmptiesEveryFieldAndForgetsTheRecords) {
    Open(Numbered(5));
    g_MultiRecords.Row(2).SetFocusField(PAYMENT_FLD);
    ClearRegister();
    for (const std::string& text : host_.texts) EXPECT_EQ(text, "");
    for (int row = 0; row < kRegisterRows; ++row) EXPECT_EQ(g_MultiRecords.RowNode(row), nullptr);
    EXPECT_EQ(g_MultiRecords.LastFilledRow(), -1);
    EXPECT_EQ(g_MultiRecords.Row(2).FocusField(), DATE_FLD);
    EXPECT_EQ(g_MultiRecords.Focus(), 0);
}

TEST_F(DisplayTest, ARecordTakenOutOfTheListIsNeverTouched) {
    // As Delete Transaction does: the focused row's node leaves the list.
    Open(Numbered(4));
    Focus(1, DESC_FLD);
    g_Account.Unlink(g_MultiRecords.RowNode(1)).reset();
    DisplayRecords(g_Account.current);
    EXPECT_EQ(Shown(), "d1 d3 d4");

    // A whole account replaced by another.
    g_Account.ClearAccount();
    model_test::Build(g_Account, {{.desc = "other", .date = "20260301"}});
    g_Account.PositionAtTop(0);
    DisplayRecords(g_Account.current);
    EXPECT_EQ(Shown(), "other");
}

TEST_F(DisplayTest, RefillSortsTheFocusedRecordIntoPlace) {
    Open({{.desc = "a", .date = "20260301"}, {.desc = "b", .date = "20260302"}, {.desc = "c", .date = "20260303"}});
    Focus(0, DATE_FLD);
    model_test::SetDate(*g_MultiRecords.RowNode(0)->record, "20260310");
    DisplayRecords(g_Account.current);
    EXPECT_EQ(Shown(), "b c a");
}

}  // namespace
}  // namespace register_test
