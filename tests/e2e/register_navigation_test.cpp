// Moving through the register of the real program: the blank record that
// waits at the end, pages, the top of the list, scrolling by one row, the
// wheel and the scroll bar, and a cleared row leaving the Current view.
#include "program_test.h"
#include "register_helpers.h"

namespace e2e {
namespace {

using namespace reg;

class RegisterNavigationTest : public ProgramTest {
protected:
    void OpenAccount(const std::vector<reg::Tx>& records) { ASSERT_EQ(OpenWrittenAccount(app_, records), ""); }
    // Descriptions of rows 0..18, "_" for an empty row.
    std::string Rows() {
        std::string out;
        for (int row = 0; row < kRows; ++row) {
            const std::string text = FieldText(app_, row, Desc);
            out += (row ? " " : "") + (text.empty() ? std::string("_") : text);
        }
        return out;
    }
    int ScrollPosition() { return GetScrollPos(ScrollBar(app_), SB_CTL); }
};

TEST_F(RegisterNavigationTest, TheBlankRecordAtTheEndComesAndGoes) {
    OpenAccount({{.date = "20260105", .description = "a"}, {.date = "20260106", .description = "b"},
                 {.date = "20260107", .description = "c"}});
    ASSERT_EQ(WaitForFocus(app_, 2, Date), (Place{2, Date}));
    ASSERT_TRUE(Press(app_, VK_DOWN));
    EXPECT_EQ(WaitForFocus(app_, 3, Date), (Place{3, Date}));
    EXPECT_EQ(FieldText(app_, 3, Balance), "0.00");  // a record, not an empty row
    ASSERT_TRUE(Press(app_, VK_UP));
    EXPECT_EQ(WaitForFocus(app_, 2, Date), (Place{2, Date}));
    EXPECT_EQ(FieldText(app_, 3, Balance), "");
    EXPECT_TRUE(NoMessage(app_));
    EXPECT_EQ(StoredRecords().size(), 3u);

    // A description on the blank record without a date is refused.
    ASSERT_TRUE(Press(app_, VK_DOWN));
    ASSERT_EQ(WaitForFocus(app_, 3, Date), (Place{3, Date}));
    for (WORD key : {VK_TAB, VK_RETURN, VK_DOWN}) {
        ASSERT_TRUE(Press(app_, key));
        const std::optional<MessageBoxText> box = TakeMessage(app_);
        ASSERT_TRUE(box) << key;
        EXPECT_EQ(box->caption, "Incorrect Date Format");
        EXPECT_NE(box->text.find("Or delete this transaction."), std::string::npos);
        EXPECT_EQ(WaitForFocus(app_, 3, Date), (Place{3, Date}));
    }
    EXPECT_EQ(StoredRecords().size(), 3u);

    // A description typed there, the date taken away again: the row cannot
    // be left, whichever way.
    ASSERT_TRUE(Type(app_, "1/8/26\t\tlunch"));
    ASSERT_TRUE(Click(app_, 3, Date));
    ASSERT_EQ(WaitForFocus(app_, 3, Date), (Place{3, Date}));
    ASSERT_TRUE(Press(app_, VK_DELETE));
    for (WORD key : {VK_TAB, VK_UP, VK_NEXT}) {
        ASSERT_TRUE(Press(app_, key));
        const std::optional<MessageBoxText> box = TakeMessage(app_);
        ASSERT_TRUE(box) << key;
        EXPECT_NE(box->text.find("Or delete this transaction."), std::string::npos);
        EXPECT_EQ(WaitForFocus(app_, 3, Date), (Place{3, Date}));
        EXPECT_EQ(FieldText(app_, 3, Desc), "lunch");
    }
    // With its date it is kept.
    ASSERT_TRUE(Type(app_, "1/9/26\t"));
    EXPECT_TRUE(app_.Stop());
    EXPECT_EQ(Descriptions(StoredRecords()), "a b c lunch");
}

TEST_F(RegisterNavigationTest, ClickingBelowTheLastRecordActsAsDownAndBalancesRefuseClicks) {
    OpenAccount({{.date = "20260105", .description = "a"}, {.date = "20260106", .description = "b"}});
    ASSERT_TRUE(Click(app_, 0, Desc));
    EXPECT_EQ(WaitForFocus(app_, 0, Desc), (Place{0, Desc}));
    ASSERT_TRUE(Click(app_, 1, Balance));
    EXPECT_EQ(WaitForFocus(app_, 0, Desc), (Place{0, Desc}));
    ASSERT_TRUE(Click(app_, 2, Num));
    EXPECT_EQ(WaitForFocus(app_, 2, Date), (Place{2, Date}));
    EXPECT_EQ(FieldText(app_, 2, Balance), "0.00");
    EXPECT_TRUE(NoMessage(app_));
}

TEST_F(RegisterNavigationTest, PagesAndTheTopOfTheList) {
    OpenAccount(Numbered(40));
    // Opened at the last screenful: r23..r40 and the row for a new record.
    ASSERT_EQ(WaitForFocus(app_, 17, Date), (Place{17, Date}));
    EXPECT_EQ(FieldText(app_, 0, Desc), "r23");
    for (int i = 0; i < 2; ++i) ASSERT_TRUE(Press(app_, VK_PRIOR));
    EXPECT_EQ(FieldText(app_, 0, Desc), "r1");  // topIndex 0
    EXPECT_EQ(WaitForFocus(app_, 0, Date), (Place{0, Date}));
    ASSERT_TRUE(Press(app_, VK_NEXT));
    EXPECT_EQ(FieldText(app_, 0, Desc), "r19");  // topIndex 18
    ASSERT_TRUE(Press(app_, VK_PRIOR));
    EXPECT_EQ(FieldText(app_, 0, Desc), "r1");

    // At the top Up and Page Up change nothing.
    const std::string top = Rows();
    ASSERT_TRUE(Press(app_, VK_UP));
    ASSERT_TRUE(Press(app_, VK_PRIOR));
    EXPECT_EQ(Rows(), top);
    EXPECT_EQ(WaitForFocus(app_, 0, Date), (Place{0, Date}));

    // Down from row 18 scrolls by one row and stays on row 18.
    ASSERT_TRUE(Click(app_, 18, Desc));
    ASSERT_EQ(WaitForFocus(app_, 18, Desc), (Place{18, Desc}));
    ASSERT_TRUE(Press(app_, VK_DOWN));
    EXPECT_EQ(FieldText(app_, 0, Desc), "r2");
    EXPECT_EQ(FieldText(app_, 18, Desc), "r20");
    EXPECT_EQ(WaitForFocus(app_, 18, Desc), (Place{18, Desc}));
    EXPECT_EQ(ScrollPosition(), 19);
    EXPECT_TRUE(NoMessage(app_));
    SaveScreenshot("register-forty-records", app_.MainWindow());
}

TEST_F(RegisterNavigationTest, WheelAndScrollBarMoveTheRegister) {
    OpenAccount(Numbered(40));
    ASSERT_TRUE(Press(app_, VK_PRIOR));  // topIndex 4
    ASSERT_EQ(FieldText(app_, 0, Desc), "r5");
    ASSERT_TRUE(Click(app_, 18, Num));
    ASSERT_TRUE(Wheel(app_, -120));
    EXPECT_EQ(FieldText(app_, 0, Desc), "r6");
    ASSERT_TRUE(Wheel(app_, 120));
    EXPECT_EQ(WaitForFocus(app_, 17, Num), (Place{17, Num}));

    ASSERT_TRUE(Scroll(app_, SB_PAGEUP));
    EXPECT_EQ(FieldText(app_, 0, Desc), "r1");
    ASSERT_TRUE(Scroll(app_, SB_LINEDOWN));
    EXPECT_EQ(WaitForFocus(app_, 1, Date), (Place{1, Date}));
    ASSERT_TRUE(Scroll(app_, SB_THUMBPOSITION, 10));
    EXPECT_EQ(FieldText(app_, 0, Desc), "r11");
    EXPECT_EQ(WaitForFocus(app_, 0, Date), (Place{0, Date}));
    EXPECT_EQ(ScrollPosition(), 10);

    // A drop on the last position does nothing.
    int low = 0, high = 0;
    GetScrollRange(ScrollBar(app_), SB_CTL, &low, &high);
    EXPECT_EQ(high, 39);
    const std::string before = Rows();
    ASSERT_TRUE(Scroll(app_, SB_THUMBPOSITION, high));
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(ScrollPosition(), 10);
    EXPECT_TRUE(NoMessage(app_));
}

TEST_F(RegisterNavigationTest, AClearedRowLeavesTheCurrentViewWhenClickingBelow) {
    OpenAccount({{.date = "20260101", .description = "OPENING BALANCE", .deposit = 100, .cleared = true},
                 {.date = "20260105", .description = "a", .payment = 10},
                 {.date = "20260106", .description = "b", .payment = 20},
                 {.date = "20260107", .description = "c", .payment = 30}});
    ASSERT_EQ(FieldText(app_, 0, Desc), "a");
    EXPECT_EQ(BoxText(app_, kOpeningBox), "100.00");
    ASSERT_TRUE(Click(app_, 0, R));
    ASSERT_TRUE(Type(app_, "r"));
    EXPECT_EQ(FieldText(app_, 0, R), "R");
    ASSERT_TRUE(Click(app_, 2, Desc));
    EXPECT_EQ(FieldText(app_, 0, Desc), "b");
    EXPECT_EQ(FieldText(app_, 1, Desc), "c");
    EXPECT_EQ(WaitForFocus(app_, 1, Desc), (Place{1, Desc}));
    EXPECT_EQ(BoxText(app_, kOpeningBox), "90.00");
    EXPECT_EQ(BoxText(app_, kEndingBox), "40.00");
    const std::vector<reg::Tx> stored = StoredRecords();
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_TRUE(stored[1].cleared);

    // View All shows it again.
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdViewAll));
    EXPECT_TRUE(WaitUntil([&] { return FieldText(app_, 1, Desc) == "a"; }));
    EXPECT_EQ(FieldText(app_, 1, R), "R");
}

// A new account holds only its cleared opening balance: the Current view
// shows a blank row to type into. View All shows the account's record
// alone, and that blank row never reaches the file.
TEST_F(RegisterNavigationTest, ViewAllOfAnAccountWithOnlyClearedRecordsShowsOnlyThem) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    ASSERT_EQ(accounts::CreateFromStartScreen(app_, "Register Test", "100.00", "8/31/26"), "");
    ASSERT_EQ(WaitForFocus(app_, 0, Date), (Place{0, Date})) << app_.DescribeWindows();
    ASSERT_EQ(FieldText(app_, 0, Balance), "100.00");

    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdViewAll));
    ASSERT_TRUE(WaitUntil([&] { return FieldText(app_, 0, Desc) == "OPENING BALANCE"; })) << Rows();
    std::string oneRow = "OPENING BALANCE";
    for (int row = 1; row < kRows; ++row) oneRow += " _";
    EXPECT_EQ(Rows(), oneRow);
    EXPECT_EQ(FieldText(app_, 1, Balance), "") << "no second row";
    EXPECT_EQ(FieldText(app_, 0, Balance), "100.00");
    EXPECT_EQ(BoxText(app_, kEndingBox), "100.00");
    EXPECT_EQ(GetScrollPos(ScrollBar(app_), SB_CTL), 0);
    EXPECT_EQ(StoredRecords().size(), 1u);

    // Back in the Current view the blank row for typing is there again.
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdViewCurrent));
    ASSERT_TRUE(WaitUntil([&] { return FieldText(app_, 0, Desc).empty(); })) << Rows();
    EXPECT_EQ(FieldText(app_, 0, Balance), "100.00");
    EXPECT_EQ(FieldText(app_, 1, Balance), "");
    EXPECT_EQ(StoredRecords().size(), 1u);
}

}  // namespace
}  // namespace e2e
