// A row's input rules: what each field accepts, the messages of refused
// input, how the row is written back into its record, and where Tab and
// Enter lead.
#include <string>
#include <vector>

#include "model/model_texts.h"
#include "register/register_texts.h"
#include "register_fixture.h"
#include "values/amount.h"

namespace register_test {
namespace {

using model_test::Cleared;
using model_test::Value;

class EditRecordTest : public RegisterTest {
protected:
    // One dated record in row 0, the focus on its Date field.
    void OpenOne(Tx tx = {.desc = "one", .date = "20260301", .payment = 5}) {
        Open({tx});
        Focus(0, DATE_FLD);
    }
    AcctRecord& Rec(int row) { return *g_MultiRecords.RowNode(row)->record; }
    bool Commit(int row, bool keyboard = false) { return g_MultiRecords.Row(row).GetInput(Rec(row), keyboard); }
};

TEST_F(EditRecordTest, GetInputWritesTheWholeRow) {
    OpenOne();
    Type(0, RECONCILE_FLD, "R");
    Type(0, DATE_FLD, "3/9/26");
    Type(0, NUM_FLD, "12345");
    Type(0, DESC_FLD, "Groceries");
    Type(0, PAYMENT_FLD, "1,234.56");
    Type(0, DEPOSIT_FLD, "");
    ASSERT_TRUE(Commit(0));
    const AcctRecord& r = Rec(0);
    EXPECT_STREQ(r.reconcile, "R");
    EXPECT_STREQ(r.date, "20260309");
    EXPECT_EQ(Value(r.year), 2026);
    EXPECT_EQ(Value(r.dayOfYear), 68);
    EXPECT_STREQ(r.checkText, "1234");  // the first four characters
    EXPECT_EQ(Value(r.checkNumber), 1234);
    EXPECT_STREQ(r.description, "Groceries");
    EXPECT_EQ(Value(r.payment), 1234.56);
    EXPECT_EQ(Value(r.deposit), 0.0);
    EXPECT_EQ(g_MultiRecords.Row(0).DateState(), kDateValid);
    EXPECT_TRUE(host_.messages.empty());
}

TEST_F(EditRecordTest, CheckNumberValueIsItsLeadingDigits) {
    struct Case {
        const char* typed;
        const char* text;
        int number;
    };
    const Case cases[] = {{"101", "101", 101}, {"12a", "12a", 12}, {"abc", "abc", 0},
                          {"", "", 0},         {"-5", "-5", 0},    {"9999", "9999", 9999}};
    OpenOne();
    for (const Case& c : cases) {
        Type(0, NUM_FLD, c.typed);
        ASSERT_TRUE(Commit(0)) << c.typed;
        EXPECT_STREQ(Rec(0).checkText, c.text);
        EXPECT_EQ(Value(Rec(0).checkNumber), c.number) << c.typed;
    }
}

TEST_F(EditRecordTest, RefusalsShowTheirMessageAndKeepTheRecord) {
    struct Case {
        const char* name;
        int field;
        const char* typed;
        const char* title;
        std::string text;
        const char* fieldAfter;  // the field's text after the refusal
    };
    const Case cases[] = {
        {"letter other than R", RECONCILE_FLD, "X", kEntryErrorTitle, kReconcileOnlyText, ""},
        {"invalid date", DATE_FLD, "2/30/26", kDateErrorTitle, RegisterDateMessage(), "2/30/26"},
        {"empty date", DATE_FLD, "", kDateErrorTitle, RegisterDateMessage(), ""},
        {"dollar sign", PAYMENT_FLD, "$12", kAmountErrorTitle, kEntryAmountError, "$12"},
        {"minus", DEPOSIT_FLD, "-5", kAmountErrorTitle, kEntryAmountError, "-5"},
        {"above the largest entry", PAYMENT_FLD, "1,000,000", kAmountErrorTitle, kEntryAmountError, "1,000,000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenOne();
        const AcctRecord before = Rec(0);
        Type(0, c.field, c.typed);
        host_.messages.clear();
        EXPECT_FALSE(Commit(0));
        ASSERT_EQ(host_.messages.size(), 1u);
        EXPECT_EQ(LastMessageTitle(), c.title);
        EXPECT_EQ(LastMessageText(), c.text);
        EXPECT_EQ(Text(0, c.field), c.fieldAfter);
        EXPECT_TRUE(g_MultiRecords.Row(0).TakeError());
        EXPECT_FALSE(g_MultiRecords.Row(0).TakeError());
        EXPECT_EQ(g_MultiRecords.Row(0).DateState(), kDateInvalid);
        if (c.field >= DATE_FLD) {
            EXPECT_EQ(std::memcmp(&before, &Rec(0), sizeof before), 0) << "record changed";
        }
        Reset();
    }
}

TEST_F(EditRecordTest, TheDateMessageNamesTheFormatAndOffersDeletion) {
    const std::string text = RegisterDateMessage();
    EXPECT_NE(text.find("Or delete this transaction."), std::string::npos);
    EXPECT_NE(text.find("MM/DD/YY (i.e. 03/15/26)"), std::string::npos);
    EXPECT_NE(text.find("MMDDYY (i.e. 031526) - leading zeros required"), std::string::npos);
}

TEST_F(EditRecordTest, PaymentAndDepositTheFieldTheUserWasInDecides) {
    struct Case {
        const char* name;
        const char* payment;
        const char* deposit;
        int userField;
        bool keyboard;
        double recPayment, recDeposit;
        const char* paymentAfter;
        const char* depositAfter;
    };
    const Case cases[] = {
        {"payment only", "10", "", DESC_FLD, true, 10, 0, "10", ""},
        {"deposit only", "", "5", DESC_FLD, true, 0, 5, "", "5"},
        {"both, left from Deposit by a key", "10", "5", DEPOSIT_FLD, true, 0, 5, "", "5"},
        {"both, left from Payment by a key", "10", "5", PAYMENT_FLD, true, 10, 0, "10", ""},
        {"both, clicked away from Payment", "10", "5", PAYMENT_FLD, false, 10, 0, "10", ""},
        {"both zero in Payment", "0", "", PAYMENT_FLD, true, 0, 0, "0", ""},
        {"both zero elsewhere", "0.00", "", DATE_FLD, true, 0, 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenOne({.desc = "x", .date = "20260301"});
        EditRecord& row = g_MultiRecords.Row(0);
        Type(0, PAYMENT_FLD, c.payment);
        Type(0, DEPOSIT_FLD, c.deposit);
        // A key event: the field the user was in is the one before the key.
        row.SetFocusField(c.userField);
        if (c.keyboard) row.RunWindow(KeyEvent(kKeyCutPaste, 0));
        ASSERT_TRUE(Commit(0, c.keyboard));
        EXPECT_EQ(Value(Rec(0).payment), c.recPayment);
        EXPECT_EQ(Value(Rec(0).deposit), c.recDeposit);
        EXPECT_EQ(Text(0, PAYMENT_FLD), c.paymentAfter);
        EXPECT_EQ(Text(0, DEPOSIT_FLD), c.depositAfter);
    }
}

TEST_F(EditRecordTest, BalanceLimitsHoldTheUserInTheRow) {
    struct Case {
        const char* name;
        std::vector<Tx> txs;
        bool cleared;
        const char* text;
    };
    const Tx opening = Cleared({.desc = "OPENING BALANCE", .date = "20260101", .deposit = 9500000});
    const Case cases[] = {
        {"ending balance", {opening, {.desc = "pay", .date = "20260102"}, {.desc = "new", .date = "20260103"}}, false,
         kEndingTooLargeText},
        // The running balance stays in range; the cleared total does not.
        {"opening balance of a cleared record",
         {opening, {.desc = "pay", .date = "20260102", .payment = 900000}, {.desc = "new", .date = "20260103"}},
         true, kReconciledTooLargeText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open(c.txs);
        Focus(2, DEPOSIT_FLD);
        if (c.cleared) Type(2, RECONCILE_FLD, "R");
        Type(2, DEPOSIT_FLD, "600,000.00");
        host_.messages.clear();
        EXPECT_FALSE(Commit(2, true));
        EXPECT_EQ(LastMessageTitle(), kDataEntryErrorTitle);
        EXPECT_EQ(LastMessageText(), c.text);
        EXPECT_EQ(Value(Rec(2).deposit), 600000.0);  // kept until corrected
        EXPECT_EQ(Text(2, DEPOSIT_FLD), "600,000.00");
        EXPECT_EQ(g_MultiRecords.Row(2).DateState(), kDateInvalid);

        Type(2, DEPOSIT_FLD, "400,000.00");
        EXPECT_TRUE(Commit(2, true));
        EXPECT_EQ(Value(Rec(2).deposit), 400000.0);
        Reset();
    }
}

TEST_F(EditRecordTest, AnUnchangedDateKeepsItsCentury) {
    // A two-digit year cannot tell 2085 from 1985: what the field shows of a
    // stored date reads back as that same date.
    OpenOne({.desc = "far", .date = "20850101"});
    EXPECT_EQ(Text(0, DATE_FLD), "01/01/85");
    ASSERT_TRUE(Commit(0));
    EXPECT_STREQ(Rec(0).date, "20850101");
    Type(0, DATE_FLD, "1/1/85");  // typed: the format's meaning
    ASSERT_TRUE(Commit(0));
    EXPECT_STREQ(Rec(0).date, "19850101");
}

TEST_F(EditRecordTest, DateChecks) {
    struct Case {
        const char* typed;
        int check;
    };
    const Case cases[] = {{"3/9/26", kDateValid}, {"", kDateEmpty}, {"13/1/26", kDateInvalid}, {"3-9-26", kDateInvalid}};
    OpenOne();
    EditRecord& row = g_MultiRecords.Row(0);
    for (const Case& c : cases) {
        Type(0, DATE_FLD, c.typed);
        g_Account.needsSaving = 1;
        host_.messages.clear();
        EXPECT_EQ(row.CheckRowDate(), c.check) << c.typed;
        EXPECT_TRUE(host_.messages.empty()) << c.typed;
        EXPECT_EQ(g_Account.needsSaving, 1) << "checking a date never forgets a pending change";
        const int validated = row.ValidateRowDate();
        EXPECT_EQ(validated, c.check == kDateValid ? kDateValid : kDateInvalid) << c.typed;
        EXPECT_EQ(host_.messages.size(), c.check == kDateValid ? 0u : 1u) << c.typed;
    }
}

TEST_F(EditRecordTest, EmptinessIgnoresTheDateAndClearRowEmptiesAll) {
    OpenOne({.desc = "", .date = "20260301"});
    EditRecord& row = g_MultiRecords.Row(0);
    EXPECT_TRUE(row.IsRecordEmpty());
    for (int field : {RECONCILE_FLD, NUM_FLD, DESC_FLD, PAYMENT_FLD, DEPOSIT_FLD}) {
        Type(0, field, "x");
        EXPECT_FALSE(row.IsRecordEmpty()) << field;
        Type(0, field, "");
    }
    row.SetFocusField(PAYMENT_FLD);
    Type(0, DESC_FLD, "x");
    row.ClearRow();
    for (int field = 0; field < MAX_FLD; ++field) EXPECT_EQ(Text(0, field), "") << field;
    EXPECT_EQ(row.FocusField(), DATE_FLD);
}

TEST_F(EditRecordTest, InsertDateOnlyInTheDateField) {
    OpenOne();
    g_Account.needsSaving = 0;
    Focus(0, DESC_FLD);
    eventMsg insert;
    insert.m_Type = INSERTDATE;
    EXPECT_EQ(g_MultiRecords.HandleEvent(insert), 0);
    EXPECT_EQ(LastMessageTitle(), kIncorrectLocationTitle);
    EXPECT_EQ(LastMessageText(), kIncorrectLocationText);
    EXPECT_EQ(Text(0, DATE_FLD), "03/01/26");
    EXPECT_EQ(g_Account.needsSaving, 0);
    EXPECT_EQ(host_.focus, Index(0, DESC_FLD));

    Focus(0, DATE_FLD);
    host_.messages.clear();
    g_Date.SetDateFormat(kFormatDDMMYY);
    g_MultiRecords.HandleEvent(insert);
    EXPECT_TRUE(host_.messages.empty());
    EXPECT_EQ(Text(0, DATE_FLD), "15/03/26");
    EXPECT_EQ(g_Account.needsSaving, 1);
    EXPECT_STREQ(Rec(0).date, "20260301");  // until the row is read
}

TEST_F(EditRecordTest, TabCyclesWithinTheRow) {
    OpenOne({.desc = "x", .date = "20260301", .payment = 5});
    Focus(0, RECONCILE_FLD);
    const int order[] = {DATE_FLD, NUM_FLD, DESC_FLD, PAYMENT_FLD, DEPOSIT_FLD, RECONCILE_FLD, DATE_FLD};
    for (int expected : order) {
        Key(kKeyTab);
        EXPECT_EQ(host_.focus, Index(0, expected));
        EXPECT_EQ(g_MultiRecords.EditFocus(), expected);
    }
    EXPECT_TRUE(host_.messages.empty());
    EXPECT_EQ(g_Account.RecordCount(), 1u);
}

TEST_F(EditRecordTest, EnterLeavesFromDepositAndFromAPayment) {
    struct Case {
        const char* name;
        int field;
        const char* amount;
        int row, focusField;
    };
    const Case cases[] = {
        {"payment typed", PAYMENT_FLD, "25.00", 2, DATE_FLD},
        {"payment empty", PAYMENT_FLD, "", 1, DEPOSIT_FLD},
        {"deposit typed", DEPOSIT_FLD, "7", 2, DATE_FLD},
        {"deposit empty", DEPOSIT_FLD, "", 2, DATE_FLD},
        {"description", DESC_FLD, "x", 1, PAYMENT_FLD},
        {"reconcile", RECONCILE_FLD, "", 1, DATE_FLD},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open({{.desc = "a", .date = "20260301"}, {.desc = "b", .date = "20260302"}});
        Focus(1, c.field);
        Type(1, c.field, c.amount);
        Key(kKeyEnter);
        EXPECT_EQ(FocusRow(), c.row);
        EXPECT_EQ(FocusField(), c.focusField);
        EXPECT_TRUE(host_.messages.empty());
        Reset();
    }
}

TEST_F(EditRecordTest, TheReconcileColumnTakesOnlyR) {
    OpenOne();
    Focus(0, RECONCILE_FLD);
    Type(0, RECONCILE_FLD, "x");
    Key(kKeyTab);
    EXPECT_EQ(LastMessageTitle(), kEntryErrorTitle);
    EXPECT_EQ(Text(0, RECONCILE_FLD), "");
    EXPECT_EQ(host_.focus, Index(0, RECONCILE_FLD));

    host_.messages.clear();
    Type(0, RECONCILE_FLD, "R");
    Key(kKeyTab);
    EXPECT_TRUE(host_.messages.empty());
    EXPECT_EQ(host_.focus, Index(0, DATE_FLD));
    EXPECT_STREQ(Rec(0).reconcile, "R");
}

TEST_F(EditRecordTest, AmountRefusedOnTheWayOutOfItsField) {
    OpenOne();
    Focus(0, PAYMENT_FLD);
    Type(0, PAYMENT_FLD, "$12");
    Key(kKeyTab);
    EXPECT_EQ(LastMessageTitle(), kAmountErrorTitle);
    EXPECT_EQ(host_.focus, Index(0, PAYMENT_FLD));
    EXPECT_EQ(Text(0, PAYMENT_FLD), "$12");
    EXPECT_EQ(host_.saves, 0);
}

TEST_F(EditRecordTest, TabShowsTheNewBalanceAtOnce) {
    Open({{.desc = "a", .date = "20260301", .deposit = 100}, {.desc = "b", .date = "20260302"}});
    Focus(1, PAYMENT_FLD);
    Type(1, PAYMENT_FLD, "12.5");
    Key(kKeyTab);
    EXPECT_EQ(Text(1, PAYMENT_FLD), "12.50");
    EXPECT_EQ(Text(1, BALANCE_FLD), "87.50");
    EXPECT_EQ(Box(kEndingBalanceId), "87.50");
    EXPECT_EQ(host_.focus, Index(1, DEPOSIT_FLD));
    EXPECT_EQ(host_.saves, 0);  // saved when the row is left
}

}  // namespace
}  // namespace register_test
