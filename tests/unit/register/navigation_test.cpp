// Moving through the register: rows, pages, the blank record that waits at
// the end, clicks, the wheel and the scroll bar, and the checks that run
// before commands.
#include <functional>
#include <string>
#include <vector>

#include "register/register_texts.h"
#include "register_fixture.h"
#include "values/amount.h"

namespace register_test {
namespace {

using model_test::Cleared;
using model_test::Value;

class NavigationTest : public RegisterTest {
protected:
    // Shows the view from topIndex with the focus on (row, field).
    void ShowFrom(int topIndex, int row, int field = DATE_FLD) {
        g_Account.topIndex = topIndex;
        g_Account.PositionAtTop(topIndex);
        DisplayRecords(g_Account.current);
        Focus(row, field);
        host_.messages.clear();
    }
    std::string FocusedDescription() const { return Text(RowOfFocus(), DESC_FLD); }

    // Five records, then "typed" with a payment entered in the blank row
    // while every save fails: the focus moves on to the next blank row.
    void EnterAPaymentWhoseSaveFails() {
        Open(Numbered(5));
        host_.failSaves = true;
        Key(kKeyDown);
        Type(5, DATE_FLD, "3/20/26");
        Type(5, DESC_FLD, "typed");
        Type(5, PAYMENT_FLD, "12.50");
        Focus(5, PAYMENT_FLD);
        Key(kKeyEnter);
    }
};

TEST_F(NavigationTest, DownFromTheLastRecordAddsABlankRecordAndUpTakesItAway) {
    Open({{.desc = "a", .date = "20260301"}, {.desc = "b", .date = "20260302"}, {.desc = "c", .date = "20260303"}});
    ASSERT_EQ(host_.focus, Index(2, DATE_FLD));
    Key(kKeyDown);
    EXPECT_EQ(g_Account.RecordCount(), 4u);
    EXPECT_EQ(g_MultiRecords.LastFilledRow(), 3);
    EXPECT_EQ(host_.focus, Index(3, DATE_FLD));
    EXPECT_EQ(Text(3, DATE_FLD), "");
    EXPECT_EQ(g_MultiRecords.RowNode(3), g_Account.Tail());

    Key(kKeyUp);
    EXPECT_EQ(g_Account.RecordCount(), 3u);
    EXPECT_EQ(g_MultiRecords.LastFilledRow(), 2);
    EXPECT_EQ(host_.focus, Index(2, DATE_FLD));
    EXPECT_EQ(host_.saves, 0);  // nothing was typed
    EXPECT_TRUE(host_.messages.empty());
}

TEST_F(NavigationTest, LeavingTheBlankRecordForwardNeedsADate) {
    Open({{.desc = "a", .date = "20260301"}});
    Key(kKeyDown);
    ASSERT_EQ(host_.focus, Index(1, DATE_FLD));
    for (int key : {kKeyTab, kKeyEnter, kKeyDown, kKeyPageDown}) {
        host_.messages.clear();
        Key(key);
        EXPECT_EQ(LastMessageText(), RegisterDateMessage()) << "key " << key;
        EXPECT_EQ(host_.focus, Index(1, DATE_FLD)) << "key " << key;
        EXPECT_EQ(g_Account.RecordCount(), 2u) << "key " << key;
    }
    // The wheel passes silently.
    host_.messages.clear();
    Wheel(kKeyDown);
    EXPECT_TRUE(host_.messages.empty());
    EXPECT_EQ(host_.focus, Index(1, DATE_FLD));
}

TEST_F(NavigationTest, ADescriptionWithoutADateIsRefused) {
    for (int key : {kKeyTab, kKeyEnter, kKeyDown, kKeyUp}) {
        SCOPED_TRACE(key);
        Open({{.desc = "a", .date = "20260301"}});
        Key(kKeyDown);
        Type(1, DESC_FLD, "lunch");
        for (int field : {DATE_FLD, DESC_FLD}) {
            Focus(1, field);
            host_.messages.clear();
            Key(key);
            EXPECT_EQ(LastMessageTitle(), kDateErrorTitle) << "field " << field;
            EXPECT_NE(LastMessageText().find("Or delete this transaction."), std::string::npos);
            EXPECT_EQ(host_.focus, Index(1, field));
            EXPECT_EQ(Text(1, DESC_FLD), "lunch");
            EXPECT_EQ(g_Account.RecordCount(), 2u);
        }
        Reset();
    }
}

TEST_F(NavigationTest, TheRoadOfOneTypedPayment) {
    Open({Cleared({.desc = "OPENING BALANCE", .date = "20260301", .deposit = 100}),
          {.desc = "later", .date = "20260320", .payment = 10}},
         ViewCurrent);
    Key(kKeyDown);  // the blank record below "later"
    ASSERT_EQ(host_.focus, Index(1, DATE_FLD));

    Type(1, DATE_FLD, "3/10/26");
    Key(kKeyTab);
    EXPECT_EQ(Text(1, DATE_FLD), "03/10/26");
    EXPECT_EQ(host_.focus, Index(1, NUM_FLD));
    Type(1, NUM_FLD, "101");
    Key(kKeyTab);
    Type(1, DESC_FLD, "Coffee");
    Key(kKeyTab);
    Type(1, PAYMENT_FLD, "12.50");
    Key(kKeyEnter);

    EXPECT_TRUE(host_.messages.empty()) << LastMessageText();
    EXPECT_EQ(host_.saves, 1);
    EXPECT_EQ(g_Account.needsSaving, 0);
    // Sorted before "later", and saved in that order.
    EXPECT_EQ(host_.savedOrder, "OPENING BALANCE Coffee later");
    EXPECT_EQ(Shown(), "Coffee later _");
    EXPECT_EQ(host_.focus, Index(2, DATE_FLD));
    EXPECT_EQ(Text(0, PAYMENT_FLD), "12.50");
    EXPECT_EQ(Text(0, BALANCE_FLD), "87.50");
    EXPECT_EQ(Text(1, BALANCE_FLD), "77.50");
    EXPECT_EQ(Box(kOpeningBalanceId), "100.00");
    EXPECT_EQ(Box(kEndingBalanceId), "77.50");
    const AcctRecord& coffee = *g_Account.Head()->next->record;
    EXPECT_STREQ(coffee.description, "Coffee");
    EXPECT_STREQ(coffee.checkText, "101");
    EXPECT_EQ(Value(coffee.payment), 12.5);
}

TEST_F(NavigationTest, DownFromRow18ScrollsByOne) {
    Open(Numbered(40));
    ShowFrom(0, 18, NUM_FLD);
    Key(kKeyDown);
    EXPECT_EQ(g_Account.topIndex, 1);
    EXPECT_EQ(RowOfFocus(), 18);
    EXPECT_EQ(host_.focus, Index(18, NUM_FLD));
    EXPECT_EQ(Text(18, DESC_FLD), "d20");
    EXPECT_EQ(host_.scrollPos, 19);
    EXPECT_EQ(host_.scrollMax, 39);
}

TEST_F(NavigationTest, DownFromRow18AtTheEndAddsTheBlankRecordThere) {
    Open(Numbered(19));
    ShowFrom(0, 18);
    Key(kKeyDown);
    EXPECT_EQ(g_Account.topIndex, 1);
    EXPECT_EQ(g_Account.RecordCount(), 20u);
    EXPECT_EQ(host_.focus, Index(18, DATE_FLD));
    EXPECT_EQ(g_MultiRecords.RowNode(18), g_Account.Tail());
    EXPECT_EQ(Text(17, DESC_FLD), "d19");
}

TEST_F(NavigationTest, PagesMoveBy18AndStopAtTheTop) {
    Open(Numbered(40));
    ShowFrom(0, 5);
    Key(kKeyPageDown);
    EXPECT_EQ(g_Account.topIndex, 18);
    EXPECT_EQ(Text(0, DESC_FLD), "d19");
    EXPECT_EQ(host_.focus, Index(5, DATE_FLD));
    Key(kKeyPageDown);
    EXPECT_EQ(g_Account.topIndex, 36);
    EXPECT_EQ(g_MultiRecords.LastFilledRow(), 3);
    EXPECT_EQ(RowOfFocus(), 3);  // brought back to the last filled row
    Key(kKeyPageUp);
    EXPECT_EQ(g_Account.topIndex, 18);
    Key(kKeyPageUp);
    EXPECT_EQ(g_Account.topIndex, 0);
    EXPECT_EQ(host_.beeps, 0);

    Focus(0, DATE_FLD);
    Key(kKeyPageUp);
    EXPECT_EQ(host_.beeps, 1);
    Key(kKeyUp);
    EXPECT_EQ(host_.beeps, 2);
    EXPECT_EQ(g_Account.topIndex, 0);
    EXPECT_EQ(host_.focus, Index(0, DATE_FLD));
    EXPECT_EQ(Text(0, DESC_FLD), "d1");
    EXPECT_EQ(g_Account.RecordCount(), 40u);
}

TEST_F(NavigationTest, PageUpFromTheBlankRecordTakesItAway) {
    Open(Numbered(30));  // topIndex 12, rows 0..17
    Key(kKeyDown);
    ASSERT_EQ(g_Account.RecordCount(), 31u);
    Key(kKeyPageUp);
    EXPECT_EQ(g_Account.RecordCount(), 30u);
    EXPECT_EQ(g_Account.topIndex, 0);
    EXPECT_EQ(host_.focus, Index(18, DATE_FLD));
    EXPECT_TRUE(host_.messages.empty());
}

TEST_F(NavigationTest, UpFromABlankRecordInRowZeroScrollsAndTakesItAway) {
    Open(Numbered(20));
    Key(kKeyDown);  // blank in row 18: topIndex 2, 21 records
    ShowFrom(20, 0);
    ASSERT_EQ(g_MultiRecords.RowNode(0), g_Account.Tail());
    Key(kKeyUp);
    EXPECT_EQ(g_Account.RecordCount(), 20u);
    EXPECT_EQ(g_Account.topIndex, 19);
    EXPECT_EQ(Text(0, DESC_FLD), "d20");
}

TEST_F(NavigationTest, LeavingAChangedRowSavesItOnce) {
    Open(Numbered(3));
    Focus(0, DESC_FLD);
    Type(0, DESC_FLD, "renamed");
    Key(kKeyDown);
    EXPECT_EQ(host_.saves, 1);
    EXPECT_STREQ(g_Account.Head()->record->description, "renamed");
    Key(kKeyDown);
    EXPECT_EQ(host_.saves, 1);  // nothing changed since
}

TEST_F(NavigationTest, AFailedSaveIsRetriedAtTheNextMove) {
    Open(Numbered(3));
    host_.failSaves = true;
    Focus(0, DESC_FLD);
    Type(0, DESC_FLD, "renamed");
    Key(kKeyDown);
    EXPECT_EQ(host_.saves, 1);
    EXPECT_EQ(g_Account.needsSaving, 1);
    host_.failSaves = false;
    Key(kKeyDown);
    EXPECT_EQ(host_.saves, 2);
    EXPECT_EQ(g_Account.needsSaving, 0);
    EXPECT_EQ(host_.savedOrder, "renamed d2 d3");
}

// A payment typed in the blank row whose save failed: the focus has moved on
// to the next blank row. Nothing the user does next may forget the change
// while every save still fails; the first save that succeeds writes it.
TEST_F(NavigationTest, AChangeWhoseSaveFailedStaysPendingUntilASaveSucceeds) {
    struct Case {
        const char* name;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"Up from the new blank row", [this] { Key(kKeyUp); }},
        {"Page Up from the new blank row", [this] { Key(kKeyPageUp); }},
        {"Down from the new blank row", [this] { Key(kKeyDown); }},
        {"Tab in the new blank row", [this] { Key(kKeyTab); }},
        {"the wheel up", [this] { Wheel(kKeyUp); }},
        {"the wheel down", [this] { Wheel(kKeyDown); }},
        {"a click on another row", [this] { Click(2, DESC_FLD); }},
        {"a click in the same row", [this] { Click(RowOfFocus(), DESC_FLD); }},
        {"a dropped scroll-bar thumb", [] { g_MultiRecords.ThumbDrop(0); }},
        {"a scroll-bar page up", [] { g_MultiRecords.ScrollBarKey(kKeyPageUp); }},
        {"checking the blank row's date", [this] { g_MultiRecords.CheckRowDate(RowOfFocus()); }},
        {"a command's check of the last record", [] { g_MultiRecords.CheckLastRecordDate(); }},
        {"a command dropping the blank row", [] { g_MultiRecords.DropEmptyLastRecord(); }},
        {"a command's check of the rows", [] { g_MultiRecords.CheckFocusedRow(); }},
        {"the blank tail dropped", [] { g_MultiRecords.DropBlankTail(); }},
        {"the rows shown again", [] { DisplayRecords(g_Account.current); }},
        {"the last screenful shown", [] { g_MultiRecords.ShowLastRecords(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        EnterAPaymentWhoseSaveFails();
        ASSERT_EQ(host_.saves, 1);
        ASSERT_EQ(RowOfFocus(), 6);
        ASSERT_EQ(g_Account.needsSaving, 1);

        c.act();
        EXPECT_EQ(g_Account.needsSaving, 1) << "the failed change was forgotten";

        host_.failSaves = false;
        EXPECT_TRUE(host_.SaveAccount());
        EXPECT_EQ(g_Account.needsSaving, 0);
        EXPECT_EQ(host_.savedOrder.rfind("d1 d2 d3 d4 d5 typed", 0), 0u) << host_.savedOrder;
    }
}

// The blank row waiting at the end is no row to commit: a command's check
// writes the change whose save failed without asking that row for a date.
TEST_F(NavigationTest, ACommandsCheckFromTheBlankRowWritesTheChangeWhoseSaveFailed) {
    EnterAPaymentWhoseSaveFails();
    ASSERT_EQ(RowOfFocus(), 6);
    host_.failSaves = false;
    host_.messages.clear();
    EXPECT_TRUE(g_MultiRecords.CheckLastRecordDate());
    EXPECT_TRUE(g_MultiRecords.CheckFocusedRow());
    EXPECT_TRUE(host_.messages.empty()) << LastMessageText();
    EXPECT_EQ(g_Account.needsSaving, 0);
    EXPECT_EQ(host_.savedOrder, "d1 d2 d3 d4 d5 typed ");  // and the blank row, which no file holds
}

TEST_F(NavigationTest, ClickingAnotherRowCommitsAndSaves) {
    Open(Numbered(5));
    Focus(1, PAYMENT_FLD);
    Type(1, PAYMENT_FLD, "2.25");
    EXPECT_EQ(Click(3, DESC_FLD), 0);
    EXPECT_EQ(host_.focus, Index(3, DESC_FLD));
    EXPECT_EQ(Value(g_Account.Head()->next->record->payment), 2.25);
    EXPECT_EQ(host_.saves, 1);
    EXPECT_EQ(Text(1, PAYMENT_FLD), "2.25");
    EXPECT_EQ(Text(4, BALANCE_FLD), "-6.25");

    EXPECT_EQ(Click(3, DESC_FLD), 1);  // the focused field: the caret moves
    EXPECT_EQ(Click(3, NUM_FLD), 0);
    EXPECT_EQ(host_.focus, Index(3, NUM_FLD));
    EXPECT_EQ(host_.saves, 1);
}

TEST_F(NavigationTest, AClickedRecordKeepsTheFocusWhenTheRowLeftMovesPastIt) {
    Open(Numbered(5));
    Focus(0, DATE_FLD);
    Type(0, DATE_FLD, "3/31/26");
    Click(2, DESC_FLD);
    EXPECT_EQ(Shown(), "d2 d3 d4 d5 d1");
    EXPECT_EQ(FocusedDescription(), "d3");
    EXPECT_EQ(host_.focus, Index(1, DESC_FLD));
    EXPECT_EQ(host_.savedOrder, "d2 d3 d4 d5 d1");
}

TEST_F(NavigationTest, ClicksRefusedWhileTheRowsDateIsWrong) {
    Open(Numbered(3));
    Focus(1, DATE_FLD);
    Type(1, DATE_FLD, "2/30/26");
    for (auto [row, field] : {std::pair{1, DESC_FLD}, std::pair{2, DESC_FLD}, std::pair{5, NUM_FLD}}) {
        host_.messages.clear();
        EXPECT_EQ(Click(row, field), 0);
        EXPECT_EQ(LastMessageTitle(), kDateErrorTitle) << row << "," << field;
        EXPECT_EQ(host_.focus, Index(1, DATE_FLD));
        EXPECT_EQ(Text(1, DATE_FLD), "2/30/26");
    }
    EXPECT_EQ(host_.saves, 0);
}

TEST_F(NavigationTest, ClickingTheFirstEmptyRowActsAsDown) {
    Open(Numbered(3));
    Focus(0, DESC_FLD);
    Click(3, DESC_FLD);
    EXPECT_EQ(g_Account.RecordCount(), 4u);
    EXPECT_EQ(host_.focus, Index(3, DATE_FLD));
    EXPECT_TRUE(host_.messages.empty());

    // A lower empty row: the focus goes to the last record's Date field.
    Key(kKeyUp);
    Focus(0, DESC_FLD);
    Click(9, DESC_FLD);
    EXPECT_EQ(g_Account.RecordCount(), 3u);
    EXPECT_EQ(host_.focus, Index(2, DATE_FLD));
}

TEST_F(NavigationTest, ARowLeftByClickingBelowTheListTakesItsSortedPlace) {
    Open(Numbered(3));
    Focus(0, DATE_FLD);
    Type(0, DATE_FLD, "3/31/26");
    Click(3, DESC_FLD);  // the empty row right below the last record
    EXPECT_EQ(Shown(), "d2 d3 d1 _");
    EXPECT_EQ(host_.savedOrder, "d2 d3 d1");
    EXPECT_EQ(host_.focus, Index(3, DATE_FLD));
}

TEST_F(NavigationTest, BalanceColumnAndBoxesRefuseTheFocus) {
    Open(Numbered(3));
    Focus(1, NUM_FLD);
    for (int number : {Index(2, BALANCE_FLD), kOpeningBalanceId - kFirstFieldId, kEndingBalanceId - kFirstFieldId}) {
        g_MultiRecords.HandleEvent(MouseEvent(kButtonField, number));
        g_MultiRecords.SetFocusToRecordAndField();
        EXPECT_EQ(host_.focus, Index(1, NUM_FLD)) << number;
    }
    EXPECT_TRUE(host_.messages.empty());
}

TEST_F(NavigationTest, CurrentViewClearedRowDisappearsWhenClickingBelow) {
    Open({Cleared({.desc = "OPENING BALANCE", .date = "20260301", .deposit = 100}),
          {.desc = "a", .date = "20260302", .payment = 10},
          {.desc = "b", .date = "20260303", .payment = 20},
          {.desc = "c", .date = "20260304", .payment = 30}},
         ViewCurrent);
    ASSERT_EQ(Shown(), "a b c");
    Focus(0, RECONCILE_FLD);
    Type(0, RECONCILE_FLD, "R");
    Click(2, DESC_FLD);
    EXPECT_EQ(Shown(), "b c");
    EXPECT_EQ(RowOfFocus(), 1);
    EXPECT_EQ(host_.focus, Index(1, DESC_FLD));
    EXPECT_EQ(FocusedDescription(), "c");
    EXPECT_EQ(Box(kOpeningBalanceId), "90.00");
    EXPECT_EQ(host_.saves, 1);
    EXPECT_STREQ(g_Account.Head()->next->record->reconcile, "R");
}

TEST_F(NavigationTest, ARecordLeavingTheCurrentViewStillTakesItsSortedPlace) {
    Open({Cleared({.desc = "OPENING BALANCE", .date = "20260301", .deposit = 100}),
          {.desc = "a", .date = "20260302"}, {.desc = "b", .date = "20260303"}, {.desc = "c", .date = "20260304"},
          {.desc = "d", .date = "20260305"}, {.desc = "e", .date = "20260306"}},
         ViewCurrent);
    Focus(0, RECONCILE_FLD);
    Type(0, RECONCILE_FLD, "R");
    Type(0, DATE_FLD, "3/9/26");
    Click(4, DESC_FLD);
    EXPECT_EQ(Shown(), "b c d e");
    EXPECT_EQ(FocusedDescription(), "e");
    EXPECT_EQ(host_.savedOrder, "OPENING BALANCE b c d e a");
}

TEST_F(NavigationTest, CurrentViewRowMarkedRAndLeftDownwards) {
    Open({Cleared({.desc = "OPENING BALANCE", .date = "20260301", .deposit = 100}),
          {.desc = "a", .date = "20260302", .payment = 10},
          {.desc = "b", .date = "20260303", .payment = 20}},
         ViewCurrent);
    Focus(0, RECONCILE_FLD);
    Type(0, RECONCILE_FLD, "R");
    Key(kKeyDown);
    EXPECT_EQ(Shown(), "b");
    EXPECT_EQ(host_.focus, Index(0, RECONCILE_FLD));
    EXPECT_EQ(Box(kOpeningBalanceId), "90.00");
}

TEST_F(NavigationTest, RowEighteenMarkedRMovesOnToTheNextRecordWithoutSkippingOne) {
    Open(Numbered(25), ViewCurrent);
    ShowFrom(0, 18, RECONCILE_FLD);
    ASSERT_EQ(Text(18, DESC_FLD), "d19");
    Type(18, RECONCILE_FLD, "R");
    Key(kKeyDown);
    EXPECT_EQ(g_Account.topIndex, 0);
    EXPECT_EQ(RowOfFocus(), 18);
    EXPECT_EQ(Text(18, DESC_FLD), "d20");
    EXPECT_EQ(Text(17, DESC_FLD), "d18");
    EXPECT_EQ(host_.saves, 1);
}

TEST_F(NavigationTest, WheelAndScrollBarMoveTheRegister) {
    Open(Numbered(40));
    ShowFrom(0, 18, DESC_FLD);
    Wheel(kKeyDown);
    EXPECT_EQ(g_Account.topIndex, 1);
    g_MultiRecords.ScrollBarKey(kKeyPageDown);
    EXPECT_EQ(g_Account.topIndex, 19);
    g_MultiRecords.ScrollBarKey(kKeyUp);
    EXPECT_EQ(RowOfFocus(), 17);
    EXPECT_EQ(host_.scrollPos, 19 + 17);

    g_MultiRecords.ThumbDrop(7);
    EXPECT_EQ(g_Account.topIndex, 7);
    EXPECT_EQ(host_.focus, Index(0, DATE_FLD));
    EXPECT_EQ(Text(0, DESC_FLD), "d8");
    EXPECT_EQ(host_.scrollPos, 7);
    EXPECT_EQ(g_MultiRecords.ThumbPosition(), 7);

    // The last position does nothing.
    g_MultiRecords.ThumbDrop(g_MultiRecords.ScrollMax());
    EXPECT_EQ(g_Account.topIndex, 7);
    EXPECT_EQ(host_.scrollPos, 7);
}

TEST_F(NavigationTest, ThumbDropInAShortAccountMovesTheFocus) {
    Open(Numbered(6));
    Focus(1, DESC_FLD);
    Type(1, DESC_FLD, "edited");
    g_MultiRecords.ThumbDrop(4);
    EXPECT_EQ(g_Account.topIndex, 0);
    EXPECT_EQ(host_.focus, Index(4, DATE_FLD));
    EXPECT_EQ(host_.scrollPos, 4);
    EXPECT_EQ(host_.saves, 1);  // the row scrolled away from is kept
    EXPECT_STREQ(g_Account.Head()->next->record->description, "edited");
}

TEST_F(NavigationTest, ScrollBarFollowsTheFocus) {
    Open(Numbered(5));
    EXPECT_EQ(host_.scrollMax, 4);
    EXPECT_EQ(host_.scrollPos, 4);
    Key(kKeyUp);
    EXPECT_EQ(host_.scrollPos, 3);
}

TEST_F(NavigationTest, DropEmptyLastRecord) {
    Open(Numbered(3));
    Key(kKeyDown);
    ASSERT_EQ(g_Account.RecordCount(), 4u);
    EXPECT_TRUE(g_MultiRecords.DropEmptyLastRecord());
    EXPECT_EQ(g_Account.RecordCount(), 3u);
    EXPECT_EQ(RowOfFocus(), 2);
    EXPECT_EQ(g_MultiRecords.LastFilledRow(), 2);
    EXPECT_EQ(host_.saves, 1);

    // With text but no date: the date message, and the command stops.
    Key(kKeyDown);
    Type(3, DESC_FLD, "lunch");
    host_.messages.clear();
    EXPECT_FALSE(g_MultiRecords.DropEmptyLastRecord());
    EXPECT_EQ(LastMessageTitle(), kDateErrorTitle);
    EXPECT_EQ(g_Account.RecordCount(), 4u);

    // Any other row: nothing to do.
    Focus(1, DATE_FLD);
    EXPECT_TRUE(g_MultiRecords.DropEmptyLastRecord());
    EXPECT_EQ(g_Account.RecordCount(), 4u);
}

TEST_F(NavigationTest, DropEmptyLastRecordInRowZeroRefillsTheRow) {
    Open({Cleared({.desc = "OPENING BALANCE", .date = "20260301", .deposit = 100})}, ViewCurrent);
    ASSERT_EQ(g_Account.RecordCount(), 2u);  // the blank record of an empty view
    EXPECT_TRUE(g_MultiRecords.DropEmptyLastRecord());
    EXPECT_EQ(g_MultiRecords.LastFilledRow(), 0);
    ASSERT_NE(g_MultiRecords.RowNode(0), nullptr);
    EXPECT_EQ(g_MultiRecords.RowNode(0), g_Account.Tail());
    EXPECT_EQ(host_.savedOrder, "OPENING BALANCE");
}

TEST_F(NavigationTest, CheckLastRecordDate) {
    Open(Numbered(2));
    EXPECT_TRUE(g_MultiRecords.CheckLastRecordDate());
    Key(kKeyDown);
    EXPECT_TRUE(g_MultiRecords.CheckLastRecordDate());  // untouched blank record
    Type(2, NUM_FLD, "7");
    EXPECT_FALSE(g_MultiRecords.CheckLastRecordDate());
    EXPECT_EQ(LastMessageTitle(), kDateErrorTitle);
    g_Account.isOpen = 0;
    EXPECT_FALSE(g_MultiRecords.CheckLastRecordDate());
    g_Account.isOpen = 1;
}

TEST_F(NavigationTest, CommandCheckCommitsEveryRowAndSaves) {
    Open(Numbered(4));
    Focus(1, DESC_FLD);
    Type(1, DESC_FLD, "changed");
    Type(3, PAYMENT_FLD, "9");  // a row that is not focused is read too
    EXPECT_TRUE(g_MultiRecords.CheckFocusedRow());
    EXPECT_EQ(host_.saves, 1);
    EXPECT_EQ(host_.savedOrder, "d1 changed d3 d4");
    EXPECT_EQ(Value(g_Account.Tail()->record->payment), 9.0);
    EXPECT_EQ(Text(3, PAYMENT_FLD), "9.00");

    // Nothing changed: nothing to save.
    EXPECT_TRUE(g_MultiRecords.CheckFocusedRow());
    EXPECT_EQ(host_.saves, 1);
}

// The command must not run on a change that is only in memory: it could
// close the account or act on records the file does not hold.
TEST_F(NavigationTest, CommandCheckFailsWhenTheSaveFails) {
    Open(Numbered(4));
    Focus(1, DESC_FLD);
    Type(1, DESC_FLD, "changed");
    host_.failSaves = true;
    EXPECT_FALSE(g_MultiRecords.CheckFocusedRow());
    EXPECT_EQ(host_.saves, 1);
    EXPECT_EQ(g_Account.needsSaving, 1);
    host_.failSaves = false;
    EXPECT_TRUE(g_MultiRecords.CheckFocusedRow());
    EXPECT_EQ(host_.savedOrder, "d1 changed d3 d4");
}

TEST_F(NavigationTest, CommandCheckFailsOnARefusedRow) {
    Open(Numbered(4));
    Focus(1, PAYMENT_FLD);
    Type(1, PAYMENT_FLD, "12a");
    EXPECT_FALSE(g_MultiRecords.CheckFocusedRow());
    EXPECT_EQ(LastMessageTitle(), kAmountErrorTitle);
    EXPECT_EQ(host_.focus, Index(1, PAYMENT_FLD));
    EXPECT_EQ(host_.saves, 0);

    // Another row refused: the focus goes to it so it can be corrected.
    Type(1, PAYMENT_FLD, "12");
    Type(3, DATE_FLD, "99/99/99");
    EXPECT_FALSE(g_MultiRecords.CommitAllRows());
    EXPECT_EQ(RowOfFocus(), 3);
    EXPECT_EQ(host_.saves, 0);
}

TEST_F(NavigationTest, SelectionOfTheFocusedField) {
    Open(Numbered(2));
    Focus(1, DESC_FLD);
    g_MultiRecords.SetSelection(0, 1);
    int start = -1, end = -1;
    char text[8];
    EXPECT_TRUE(g_MultiRecords.GetSelectedText(start, end, text, sizeof text));
    EXPECT_STREQ(text, "d");
    EXPECT_EQ(g_MultiRecords.GetSelectionEnd(), 1);
    g_MultiRecords.SetSelection(1, 1);
    EXPECT_FALSE(g_MultiRecords.GetSelectedText(start, end, text, sizeof text));
    EXPECT_STREQ(text, "");
    g_MultiRecords.SetSelection(0, 50);  // past the end of the text
    EXPECT_TRUE(g_MultiRecords.GetSelectedText(start, end, text, sizeof text));
    EXPECT_STREQ(text, "d2");
}

TEST_F(NavigationTest, FocusIsClampedToTheFilledRows) {
    Open(Numbered(3));
    g_MultiRecords.SetFocusToRecordAndField(10, DESC_FLD);
    EXPECT_EQ(host_.focus, Index(2, DATE_FLD));
    g_MultiRecords.SetFocusWithoutActivating(1, PAYMENT_FLD);
    EXPECT_EQ(RowOfFocus(), 1);
    EXPECT_EQ(g_MultiRecords.EditFocus(), PAYMENT_FLD);
    EXPECT_EQ(host_.focus, Index(2, DATE_FLD));  // the keyboard focus stays
    g_MultiRecords.SetFocusWithoutActivating(12, NUM_FLD);
    EXPECT_EQ(RowOfFocus(), 2);
    EXPECT_EQ(g_MultiRecords.EditFocus(), DATE_FLD);
}

TEST_F(NavigationTest, NoAccountNoEvents) {
    EXPECT_EQ(g_MultiRecords.HandleEvent(KeyEvent(kKeyDown, 0)), 1);
    EXPECT_EQ(g_MultiRecords.HandleEvent(MouseEvent(kButtonField, 3)), 0);
    eventMsg insert;
    insert.m_Type = INSERTDATE;
    g_MultiRecords.HandleEvent(insert);
    for (const std::string& text : host_.texts) EXPECT_EQ(text, "");
    EXPECT_EQ(g_Account.RecordCount(), 0u);
}

// A row committed with a later date takes its sorted place when it is
// saved; every row then shows the balance of the record it holds now, in
// the order after the move, not the balances computed before it.
TEST_F(NavigationTest, ACommitThatMovesTheRecordShowsTheBalancesAfterTheMove) {
    Open({{.desc = "a", .date = "20260301", .payment = 1},
          {.desc = "b", .date = "20260302", .payment = 2},
          {.desc = "c", .date = "20260303", .payment = 4}});
    Focus(0, PAYMENT_FLD);
    Type(0, DATE_FLD, "03/05/26");
    Type(0, PAYMENT_FLD, "10.00");
    Key(kKeyEnter);

    ASSERT_EQ(host_.saves, 1);
    EXPECT_EQ(host_.savedOrder, "b c a");
    const struct { const char* desc; double balance; } rows[] = {{"b", -2}, {"c", -6}, {"a", -16}};
    for (int row = 0; row < 3; ++row) {
        char balance[kAmountTextSize];
        FormatBalance(balance, rows[row].balance);
        EXPECT_EQ(Text(row, DESC_FLD), rows[row].desc) << "row " << row;
        EXPECT_EQ(Text(row, BALANCE_FLD), balance) << "row " << row;
    }
}

}  // namespace
}  // namespace register_test
