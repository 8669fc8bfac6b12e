// New Transaction and Delete Transaction in the real program: the blank
// record above the focused row and the record taken out, each written to
// the account file at once (checked byte for byte), the "Are you sure?"
// question answered both ways, the last record that stays, and a refused
// row that keeps New Transaction from running but can itself be deleted.
#include <cstdint>
#include <vector>

#include "program_test.h"
#include "register_helpers.h"

namespace e2e {
namespace {

using namespace reg;
using Bytes = std::vector<uint8_t>;

constexpr int kCmdNewTransaction = 1008;
constexpr int kCmdDeleteTransaction = 1009;
constexpr size_t kBlock = 128;

constexpr char kDeleteTitle[] = "Delete Transaction";
constexpr char kAreYouSure[] = "Are you sure?";
constexpr char kLastRecordText[] =
    "An account needs at least one transaction.\n"
    "The transaction you are trying to delete is the last remaining transaction.\n"
    "Enter another transaction if you want to delete this transaction.";

// The file's bytes with a zero-filled record block put in as record `index`.
Bytes WithBlankRecord(Bytes file, size_t index) {
    file.insert(file.begin() + static_cast<std::ptrdiff_t>(kBlock * (index + 1)), kBlock, 0);
    return file;
}
// The file's bytes without record `index`.
Bytes WithoutRecord(Bytes file, size_t index) {
    const auto at = file.begin() + static_cast<std::ptrdiff_t>(kBlock * (index + 1));
    file.erase(at, at + static_cast<std::ptrdiff_t>(kBlock));
    return file;
}

class RegisterTransactionsTest : public ProgramTest {
protected:
    void OpenAccount(const std::vector<Tx>& records) { ASSERT_EQ(OpenWrittenAccount(app_, records), ""); }
    Bytes File() const { return accounts::FileBytes(accounts::kFirstSlot); }
    // Waits until the account file holds exactly these bytes.
    bool FileBecomes(const Bytes& expected) const {
        return WaitUntil([&] { return File() == expected; });
    }
    // Chooses Delete Transaction and answers its question.
    void DeleteAnswering(int button) {
        ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdDeleteTransaction));
        const std::optional<MessageBoxText> box = accounts::AnswerMessageBox(app_, button);
        ASSERT_TRUE(box) << "no question\n" << app_.DescribeWindows();
        EXPECT_EQ(box->caption, kDeleteTitle);
        EXPECT_EQ(box->text, kAreYouSure);
        ASSERT_TRUE(app_.WaitIdle());
    }
    std::string Rows(int count) const {
        std::string out;
        for (int row = 0; row < count; ++row) out += (row ? "|" : "") + FieldText(app_, row, Desc);
        return out;
    }
};

const std::vector<Tx> kThree = {{.date = "20260105", .description = "a", .payment = 1},
                                {.date = "20260106", .description = "b", .payment = 2},
                                {.date = "20260107", .description = "c", .payment = 3}};

TEST_F(RegisterTransactionsTest, NewTransactionPutsASavedBlankAboveTheFocusedRow) {
    OpenAccount(kThree);
    const Bytes before = File();
    ASSERT_TRUE(Click(app_, 1, Desc));
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdNewTransaction));
    EXPECT_EQ(WaitForFocus(app_, 1, Date), (Place{1, Date}));
    EXPECT_EQ(Rows(4), "a||b|c");
    EXPECT_EQ(FieldText(app_, 1, Date), "");
    EXPECT_EQ(FieldText(app_, 2, Balance), "-3.00");
    EXPECT_TRUE(FileBecomes(WithBlankRecord(before, 1))) << "the blank is saved at once, in its place";
    EXPECT_TRUE(NoMessage(app_));

    // Typed into, the blank becomes a transaction in its sorted place.
    ASSERT_TRUE(Type(app_, "1/8/26\t\tnew\t4\n"));
    EXPECT_TRUE(WaitUntil([&] { return Rows(4) == "a|b|c|new"; })) << Rows(4);
    EXPECT_TRUE(NoMessage(app_));
    const std::vector<Tx> stored = StoredRecords();
    EXPECT_EQ(Descriptions(stored), "a b c new");
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored[3].date, "20260108");
    EXPECT_EQ(stored[3].payment, 4.0);
}

TEST_F(RegisterTransactionsTest, DeleteTransactionAsksAndTakesOutTheFocusedRecord) {
    OpenAccount(kThree);
    const Bytes before = File();
    ASSERT_TRUE(Click(app_, 1, Desc));

    // No: nothing changes and the register keeps the focus.
    DeleteAnswering(IDNO);
    EXPECT_EQ(WaitForFocus(app_, 1, Desc), (Place{1, Desc}));
    EXPECT_EQ(Rows(3), "a|b|c");
    EXPECT_EQ(File(), before);

    // Yes: the record goes, from the screen and from the file.
    DeleteAnswering(IDYES);
    EXPECT_EQ(WaitForFocus(app_, 0, Date), (Place{0, Date}));
    EXPECT_EQ(Rows(3), "a|c|");
    EXPECT_EQ(FieldText(app_, 1, Balance), "-4.00");
    EXPECT_EQ(BoxText(app_, kEndingBox), "-4.00");
    EXPECT_TRUE(FileBecomes(WithoutRecord(before, 1)));
    EXPECT_TRUE(NoMessage(app_));
}

TEST_F(RegisterTransactionsTest, TheLastRecordCannotBeDeleted) {
    OpenAccount({{.date = "20260105", .description = "only", .payment = 1}});
    const Bytes before = File();
    DeleteAnswering(IDYES);
    const std::optional<MessageBoxText> box = TakeMessage(app_);
    ASSERT_TRUE(box) << "no message\n" << app_.DescribeWindows();
    EXPECT_EQ(box->caption, kDeleteTitle);
    EXPECT_EQ(box->text, kLastRecordText);
    EXPECT_EQ(WaitForFocus(app_, 0, Date), (Place{0, Date}));
    EXPECT_EQ(Rows(1), "only");
    EXPECT_EQ(File(), before);
}

TEST_F(RegisterTransactionsTest, ARefusedRowStopsNewTransactionButCanBeDeleted) {
    OpenAccount(kThree);
    const Bytes before = File();
    ASSERT_TRUE(Click(app_, 1, Payment));
    ASSERT_TRUE(Type(app_, "$5"));
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdNewTransaction));
    const std::optional<MessageBoxText> refused = TakeMessage(app_);
    ASSERT_TRUE(refused) << app_.DescribeWindows();
    EXPECT_EQ(refused->caption, "Amount Error");
    EXPECT_EQ(WaitForFocus(app_, 1, Payment), (Place{1, Payment}));
    EXPECT_EQ(Rows(4), "a|b|c|");
    EXPECT_EQ(FieldText(app_, 1, Payment), "$5");
    EXPECT_EQ(File(), before);

    // Delete Transaction runs without the check, so the row the user
    // cannot finish can still go.
    DeleteAnswering(IDYES);
    EXPECT_EQ(WaitForFocus(app_, 0, Date), (Place{0, Date}));
    EXPECT_EQ(Rows(3), "a|c|");
    EXPECT_TRUE(FileBecomes(WithoutRecord(before, 1)));
    EXPECT_TRUE(NoMessage(app_));
}

TEST_F(RegisterTransactionsTest, NewTransactionOnTheBlankRowAtTheEndAddsNothing) {
    OpenAccount(kThree);
    const Bytes before = File();
    ASSERT_EQ(WaitForFocus(app_, 2, Date), (Place{2, Date}));
    ASSERT_TRUE(Press(app_, VK_DOWN));
    ASSERT_EQ(WaitForFocus(app_, 3, Date), (Place{3, Date}));
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdNewTransaction));
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_EQ(WaitForFocus(app_, 3, Date), (Place{3, Date}));
    EXPECT_EQ(Rows(5), "a|b|c||");
    EXPECT_TRUE(NoMessage(app_));
    EXPECT_EQ(File(), before);
}

}  // namespace
}  // namespace e2e
