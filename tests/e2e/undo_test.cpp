// Undo and Redo in the real program: a deleted record brought back and
// taken out again, a typed row put back as it was saved and typed again,
// each written to the account file at once (checked byte for byte), and
// typing not yet saved taken back before any saved change.
#include <cstdint>
#include <vector>

#include "program_test.h"
#include "register_helpers.h"

namespace e2e {
namespace {

using namespace reg;
using Bytes = std::vector<uint8_t>;

constexpr int kCmdDeleteTransaction = 1009;
constexpr int kCmdUndo = 1042;
constexpr int kCmdRedo = 1043;

const std::vector<Tx> kThree = {{.date = "20260105", .description = "a", .payment = 1},
                                {.date = "20260106", .description = "b", .payment = 2},
                                {.date = "20260107", .description = "c", .payment = 3}};

class UndoTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_EQ(OpenWrittenAccount(app_, kThree), "");
        opened_ = File();
    }
    Bytes File() const { return accounts::FileBytes(accounts::kFirstSlot); }
    bool FileBecomes(const Bytes& expected) const {
        return WaitUntil([&] { return File() == expected; });
    }
    std::string Rows() const {
        return FieldText(app_, 0, Desc) + "|" + FieldText(app_, 1, Desc) + "|" + FieldText(app_, 2, Desc);
    }
    bool Command(int id) { return PostCommand(app_.MainWindow(), id) && app_.WaitIdle(); }

    Bytes opened_;
};

TEST_F(UndoTest, ADeletedRecordComesBackWithCtrlZAndGoesAgainWithCtrlY) {
    ASSERT_TRUE(Click(app_, 1, Desc));
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdDeleteTransaction));
    ASSERT_TRUE(accounts::AnswerMessageBox(app_, IDYES)) << app_.DescribeWindows();
    ASSERT_TRUE(WaitUntil([&] { return File().size() == opened_.size() - 128; }));
    const Bytes deleted = File();

    ASSERT_TRUE(Press(app_, 'Z', {VK_CONTROL}));
    EXPECT_TRUE(FileBecomes(opened_)) << "Ctrl+Z did not give the file before the delete";
    EXPECT_TRUE(WaitUntil([&] { return Rows() == "a|b|c"; })) << Rows();
    EXPECT_TRUE(NoMessage(app_));

    ASSERT_TRUE(Press(app_, 'Y', {VK_CONTROL}));
    EXPECT_TRUE(FileBecomes(deleted)) << "Ctrl+Y did not give the file after the delete";
    EXPECT_TRUE(WaitUntil([&] { return Rows() == "a|c|"; })) << Rows();
    EXPECT_TRUE(NoMessage(app_));
}

TEST_F(UndoTest, ATypedRowGoesBackAsSavedAndTypingNotSavedGoesFirst) {
    ASSERT_TRUE(Click(app_, 1, Desc));
    ASSERT_TRUE(Press(app_, VK_END));
    ASSERT_TRUE(Type(app_, "Z"));
    ASSERT_TRUE(Press(app_, VK_DOWN));
    ASSERT_TRUE(WaitUntil([&] { return Descriptions(StoredRecords()) == "a bZ c"; }));
    const Bytes typed = File();

    // Typed again but not saved: the first Undo takes only that back.
    ASSERT_TRUE(Click(app_, 2, Desc));
    ASSERT_TRUE(Press(app_, VK_END));
    ASSERT_TRUE(Type(app_, "Q"));
    ASSERT_EQ(FieldText(app_, 2, Desc), "cQ");
    ASSERT_TRUE(Command(kCmdUndo));
    EXPECT_TRUE(WaitUntil([&] { return Rows() == "a|bZ|c"; })) << Rows();
    EXPECT_EQ(File(), typed);

    ASSERT_TRUE(Command(kCmdUndo));
    EXPECT_TRUE(FileBecomes(opened_));
    EXPECT_TRUE(WaitUntil([&] { return Rows() == "a|b|c"; })) << Rows();
    ASSERT_TRUE(Command(kCmdRedo));
    EXPECT_TRUE(FileBecomes(typed));
    EXPECT_TRUE(WaitUntil([&] { return Rows() == "a|bZ|c"; })) << Rows();

    // Nothing more to redo: the file stays.
    ASSERT_TRUE(Command(kCmdRedo));
    EXPECT_EQ(File(), typed);
    EXPECT_TRUE(NoMessage(app_));
}

}  // namespace
}  // namespace e2e
