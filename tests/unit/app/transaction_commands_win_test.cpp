// New Transaction and Delete Transaction on the register without windows:
// where the blank record goes and where the focus lands, which record is
// taken out, the last record that stays, the Current view's hidden
// records, the saves, and the "Are you sure?" question.
#include <windows.h>

#include <string>
#include <vector>

#include "app/account_operations.h"
#include "app/transaction_commands.h"
#include "register/register_fixture.h"
#include "ui/message_box.h"

namespace register_test {
namespace {

using model_test::Cleared;

class TransactionCommandsTest : public RegisterTest {
protected:
    void SetUp() override {
        RegisterTest::SetUp();
        Boxes().clear();
        Events().clear();
        Answer() = IDYES;
        previousBox_ = SetMessageBoxFunction(CaptureBox);
        previousFind_ = SetCloseFindDialogFunction(CloseFind);
    }
    void TearDown() override {
        SetCloseFindDialogFunction(previousFind_);
        SetMessageBoxFunction(previousBox_);
        RegisterTest::TearDown();
    }

    // Shows the view from topIndex with the focus on (row, field).
    void ShowFrom(int topIndex, int row, int field = DATE_FLD) {
        g_Account.topIndex = topIndex;
        g_Account.PositionAtTop(topIndex);
        DisplayRecords(g_Account.current);
        Focus(row, field);
        host_.messages.clear();
        host_.saves = 0;
    }

    struct ShownBox {
        std::string text, title;
        unsigned type;
    };
    static std::vector<ShownBox>& Boxes() {
        static std::vector<ShownBox> boxes;
        return boxes;
    }
    // What happened, in order: "find closed", "box".
    static std::vector<std::string>& Events() {
        static std::vector<std::string> events;
        return events;
    }
    static int& Answer() {
        static int answer = IDYES;
        return answer;
    }
    static int CaptureBox(HWND, const char* text, const char* title, unsigned type) {
        Boxes().push_back({text, title, type});
        Events().push_back("box");
        return Answer();
    }
    static void CloseFind() { Events().push_back("find closed"); }

    struct Place {
        int row, field;
        bool operator==(const Place&) const = default;
    };
    Place FocusedPlace() const { return {FocusRow(), FocusField()}; }

    // The list's descriptions in order, "_" for a blank record.
    static std::string ListOrder() {
        std::string out;
        for (RecordNode* n = g_Account.Head(); n; n = n->next)
            out += (out.empty() ? "" : " ") + (n->record->description[0] ? std::string(n->record->description) : "_");
        return out;
    }

    MessageBoxFunction previousBox_ = nullptr;
    CloseFindDialogFunction previousFind_ = nullptr;
};

const std::vector<Tx> kFour = {{.desc = "a", .date = "20260301", .payment = 1},
                               {.desc = "b", .date = "20260302", .payment = 2},
                               {.desc = "c", .date = "20260303", .payment = 3},
                               {.desc = "d", .date = "20260304", .payment = 4}};

// ---------------------------------------------------------------------------
// New Transaction

TEST_F(TransactionCommandsTest, NewTransactionPutsABlankAboveTheFocusedRowAndSavesIt) {
    struct Case {
        int row;
        const char* order;  // "_" is the blank
    };
    for (const Case& c : {Case{0, "_ a b c d"}, Case{2, "a b _ c d"}, Case{3, "a b c _ d"}}) {
        Reset();
        Open(kFour);
        ShowFrom(0, c.row, DESC_FLD);
        NewTransaction();
        EXPECT_EQ(Shown(), c.order) << "row " << c.row;
        EXPECT_EQ(FocusRow(), c.row) << "row " << c.row;
        EXPECT_EQ(FocusField(), DATE_FLD) << "row " << c.row;
        EXPECT_EQ(g_Account.RecordCount(), 5u);
        EXPECT_EQ(g_MultiRecords.RowNode(c.row)->record->date[0], '\0');
        EXPECT_EQ(ListOrder(), c.order) << "row " << c.row;
        // The blank is written at once, in its place.
        EXPECT_EQ(host_.saves, 1) << "row " << c.row;
        EXPECT_EQ(host_.savedOrder, model_test::Order(g_Account)) << "row " << c.row;
        EXPECT_EQ(g_Account.needsSaving, 0);
        EXPECT_TRUE(host_.messages.empty());
        model_test::ExpectWellLinked(g_Account);
    }
}

TEST_F(TransactionCommandsTest, NewTransactionKeepsTheScreenWhereItIs) {
    // Row 0 of a later page: the blank becomes the first row shown.
    Open(Numbered(40));
    ShowFrom(18, 0);
    NewTransaction();
    EXPECT_EQ(g_Account.topIndex, 18);
    EXPECT_EQ(Text(0, DESC_FLD), "");
    EXPECT_EQ(Text(1, DESC_FLD), "d19");
    EXPECT_EQ(g_Account.current, g_MultiRecords.RowNode(0));
    EXPECT_EQ(FocusedPlace(), (Place{0, DATE_FLD}));

    // Row 18: the record there moves to the next page.
    Reset();
    Open(Numbered(40));
    ShowFrom(0, 18);
    NewTransaction();
    EXPECT_EQ(g_Account.topIndex, 0);
    EXPECT_EQ(Text(17, DESC_FLD), "d18");
    EXPECT_EQ(Text(18, DESC_FLD), "");
    EXPECT_EQ(FocusedPlace(), (Place{18, DATE_FLD}));
    EXPECT_EQ(host_.scrollPos, 18);
    EXPECT_EQ(host_.scrollMax, 40);
}

TEST_F(TransactionCommandsTest, NewTransactionInTheCurrentViewGoesRightAboveTheFocusedRecord) {
    Open({Cleared({.desc = "r1", .date = "20260301", .deposit = 50}),
          {.desc = "a", .date = "20260302", .payment = 1},
          Cleared({.desc = "r2", .date = "20260303", .payment = 5}),
          {.desc = "b", .date = "20260304", .payment = 2}},
         ViewCurrent);
    ShowFrom(0, 1);
    NewTransaction();
    EXPECT_EQ(Shown(), "a _ b");
    EXPECT_EQ(ListOrder(), "r1 a r2 _ b");
    EXPECT_EQ(FocusedPlace(), (Place{1, DATE_FLD}));
    EXPECT_EQ(Box(kOpeningBalanceId), "45.00");
}

TEST_F(TransactionCommandsTest, NewTransactionOnARowWithoutAValidDateAddsNothing) {
    Open(kFour);
    Key(kKeyDown);  // the blank row waiting at the end
    ASSERT_EQ(FocusedPlace(), (Place{4, DATE_FLD}));
    host_.saves = 0;
    NewTransaction();
    EXPECT_EQ(g_Account.RecordCount(), 5u);
    EXPECT_EQ(FocusedPlace(), (Place{4, DATE_FLD}));
    EXPECT_EQ(host_.saves, 0);

    // A date typed wrong gets its message and keeps its text.
    Key(kKeyUp);
    ASSERT_EQ(g_Account.RecordCount(), 4u);
    Focus(1, DATE_FLD);
    Type(1, DATE_FLD, "2/30/26");
    NewTransaction();
    EXPECT_EQ(g_Account.RecordCount(), 4u);
    EXPECT_EQ(LastMessageText(), RegisterDateMessage());
    EXPECT_EQ(Text(1, DATE_FLD), "2/30/26");
    EXPECT_EQ(FocusedPlace(), (Place{1, DATE_FLD}));
}

TEST_F(TransactionCommandsTest, NewTransactionGoesAboveTheFocusedRecordAfterItWasSortedIntoPlace) {
    Open(kFour);
    ShowFrom(0, 3);
    Type(3, DATE_FLD, "02/28/26");  // d now comes first
    NewTransaction();
    EXPECT_EQ(ListOrder(), "_ d a b c");
    EXPECT_EQ(Shown(), "_ d a b c");
    EXPECT_EQ(FocusedPlace(), (Place{0, DATE_FLD}));
    EXPECT_EQ(host_.saves, 2);  // the typed date, then the blank
}

TEST_F(TransactionCommandsTest, NewTransactionWhoseSaveFailsStaysToBeSaved) {
    Open(kFour);
    ShowFrom(0, 1);
    host_.failSaves = true;
    NewTransaction();
    EXPECT_EQ(g_Account.RecordCount(), 5u);
    EXPECT_EQ(g_Account.needsSaving, 1);
}

// The commands and views after a typed change whose save failed: none of
// them forgets it while saves still fail; the first one that succeeds
// writes it.
TEST_F(TransactionCommandsTest, ACommandNeverForgetsAChangeWhoseSaveFailed) {
    struct Case {
        const char* name;
        void (*act)();
    };
    const Case cases[] = {
        {"New Transaction", [] { NewTransaction(); }},
        {"Delete Transaction", [] { DeleteTransaction(); }},
        {"View All", [] {
             SelectAccountView(ViewAll);
             RefillRegister();
         }},
        {"View Current", [] {
             SelectAccountView(ViewCurrent);
             RefillRegister();
         }},
        {"the register refilled", [] { RefillRegister(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Reset();
        Open(kFour);
        ShowFrom(0, 1, DESC_FLD);
        host_.failSaves = true;
        Type(1, DESC_FLD, "changed");
        Key(kKeyDown);
        ASSERT_EQ(host_.saves, 1);
        ASSERT_EQ(g_Account.needsSaving, 1);
        c.act();
        EXPECT_EQ(g_Account.needsSaving, 1) << "the failed change was forgotten";
        host_.failSaves = false;
        EXPECT_TRUE(host_.SaveAccount());
        EXPECT_NE(host_.savedOrder.find("changed"), std::string::npos) << host_.savedOrder;
    }
}

// ---------------------------------------------------------------------------
// Delete Transaction

TEST_F(TransactionCommandsTest, DeleteTransactionTakesOutTheFocusedRecordAndSaves) {
    struct Case {
        int row;
        const char* order;
        int focusRow;  // one row up
    };
    for (const Case& c : {Case{0, "b c d", 0}, Case{2, "a b d", 1}, Case{3, "a b c", 2}}) {
        Reset();
        Open(kFour);
        ShowFrom(0, c.row, PAYMENT_FLD);
        DeleteTransaction();
        EXPECT_EQ(Shown(), c.order) << "row " << c.row;
        EXPECT_EQ(model_test::Order(g_Account), c.order) << "row " << c.row;
        EXPECT_EQ(host_.savedOrder, c.order) << "row " << c.row;
        EXPECT_EQ(host_.saves, 1) << "row " << c.row;
        EXPECT_EQ(g_Account.needsSaving, 0);
        EXPECT_EQ(FocusedPlace(), (Place{c.focusRow, DATE_FLD})) << "row " << c.row;
        EXPECT_EQ(Text(3, DESC_FLD), "") << "the row below the list is emptied";
        EXPECT_EQ(g_MultiRecords.LastFilledRow(), 2);
        EXPECT_EQ(Box(kEndingBalanceId), c.row == 0 ? "-9.00" : c.row == 2 ? "-7.00" : "-6.00");
        model_test::ExpectWellLinked(g_Account);
    }
}

TEST_F(TransactionCommandsTest, TheLastRecordStaysWithItsMessage) {
    Open({{.desc = "only", .date = "20260301", .payment = 1}});
    DeleteTransaction();
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].title, "Delete Transaction");
    EXPECT_EQ(host_.messages[0].text,
              "An account needs at least one transaction.\n"
              "The transaction you are trying to delete is the last remaining transaction.\n"
              "Enter another transaction if you want to delete this transaction.");
    EXPECT_EQ(model_test::Order(g_Account), "only");
    EXPECT_EQ(Shown(), "only");
    EXPECT_EQ(host_.saves, 0);
}

TEST_F(TransactionCommandsTest, DeletingTheTailShownAloneInRowZeroShowsTheRecordBefore) {
    Open(Numbered(20));
    ShowFrom(19, 0);
    ASSERT_EQ(Shown(), "d20");
    DeleteTransaction();
    EXPECT_EQ(g_Account.topIndex, 18);
    EXPECT_EQ(Shown(), "d19");
    EXPECT_EQ(FocusedPlace(), (Place{0, DATE_FLD}));
    model_test::ExpectWellLinked(g_Account);
}

TEST_F(TransactionCommandsTest, DeleteInTheCurrentViewLeavesTheHiddenRecords) {
    const std::vector<Tx> records = {Cleared({.desc = "r1", .date = "20260301", .deposit = 50}),
                                     {.desc = "a", .date = "20260302", .payment = 1},
                                     Cleared({.desc = "r2", .date = "20260303", .payment = 5}),
                                     {.desc = "b", .date = "20260304", .payment = 2},
                                     Cleared({.desc = "r3", .date = "20260305", .payment = 5})};
    struct Case {
        int row;
        const char* shown;
        const char* order;
    };
    for (const Case& c : {Case{0, "b", "r1 r2 b r3"}, Case{1, "a", "r1 a r2 r3"}}) {
        Reset();
        Open(records, ViewCurrent);
        ShowFrom(0, c.row);
        DeleteTransaction();
        EXPECT_EQ(Shown(), c.shown) << "row " << c.row;
        EXPECT_EQ(model_test::Order(g_Account), c.order) << "row " << c.row;
        EXPECT_EQ(Box(kOpeningBalanceId), "40.00");
        EXPECT_EQ(FocusedPlace(), (Place{0, DATE_FLD}));
        model_test::ExpectWellLinked(g_Account);
    }
}

TEST_F(TransactionCommandsTest, ARowWithRefusedInputCanBeDeleted) {
    // The date message itself offers to delete the transaction.
    Open(kFour);
    ShowFrom(0, 2);
    Type(2, DATE_FLD, "2/30/26");
    Key(kKeyTab);
    ASSERT_EQ(LastMessageText(), RegisterDateMessage());
    host_.messages.clear();
    DeleteTransaction();
    EXPECT_EQ(model_test::Order(g_Account), "a b d");
    EXPECT_EQ(Shown(), "a b d");
    // The row now showing d leaves freely.
    Focus(2, DATE_FLD);
    Key(kKeyUp);
    EXPECT_TRUE(host_.messages.empty());
    EXPECT_EQ(FocusedPlace(), (Place{1, DATE_FLD}));
}

TEST_F(TransactionCommandsTest, DeletingTheBlankRowWaitingAtTheEndTakesItAway) {
    Open(kFour);
    Key(kKeyDown);
    ASSERT_EQ(g_Account.RecordCount(), 5u);
    DeleteTransaction();
    EXPECT_EQ(model_test::Order(g_Account), "a b c d");
    EXPECT_EQ(Shown(), "a b c d");
    EXPECT_EQ(FocusedPlace(), (Place{3, DATE_FLD}));
}

TEST_F(TransactionCommandsTest, DeletingTheLastShownRecordOfTheCurrentViewLeavesABlankToTypeInto) {
    Open({Cleared({.desc = "r1", .date = "20260301", .deposit = 50}), {.desc = "a", .date = "20260302"}},
         ViewCurrent);
    ShowFrom(0, 0);
    DeleteTransaction();
    EXPECT_EQ(Shown(), "_");
    EXPECT_EQ(Box(kOpeningBalanceId), "50.00");
    EXPECT_EQ(FocusedPlace(), (Place{0, DATE_FLD}));
    EXPECT_EQ(ListOrder(), "r1 _");
    EXPECT_EQ(host_.saves, 1);
}

// ---------------------------------------------------------------------------
// The command

TEST_F(TransactionCommandsTest, DeleteAsksFirstAndNoKeepsEverything) {
    Open(kFour);
    ShowFrom(0, 1, DESC_FLD);
    Answer() = IDNO;
    RunDeleteTransactionCommand(nullptr, 1009);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Are you sure?");
    EXPECT_EQ(Boxes()[0].title, "Delete Transaction");
    EXPECT_EQ(Boxes()[0].type, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(Events(), (std::vector<std::string>{"find closed", "box"}));
    EXPECT_EQ(model_test::Order(g_Account), "a b c d");
    EXPECT_EQ(host_.saves, 0);
    EXPECT_EQ(FocusedPlace(), (Place{1, DESC_FLD}));

    Answer() = IDYES;
    RunDeleteTransactionCommand(nullptr, 1009);
    EXPECT_EQ(model_test::Order(g_Account), "a c d");
    EXPECT_EQ(host_.saves, 1);
}

TEST_F(TransactionCommandsTest, NothingHappensWithoutAnAccount) {
    RunDeleteTransactionCommand(nullptr, 1009);
    NewTransaction();
    DeleteTransaction();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(g_Account.RecordCount(), 0u);
    EXPECT_EQ(host_.saves, 0);
}

}  // namespace
}  // namespace register_test
