// Undo and Redo in the real program: a deleted record brought back and
// taken out again, a typed row put back as it was saved and typed again,
// each written to the account file at once (checked byte for byte), and
// typing not yet saved taken back before any saved change.
#include <cstdint>
#include <string>
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
constexpr int kCmdRestoreBackup = 1044;
constexpr char kRestoreCaption[] = "Restore from Backup";
constexpr int kRestoreList = 1501;

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

// Undo and Redo are given as their commands: the keys Ctrl+Z and Ctrl+Y are
// the accelerator table's (MainWindowTest checks it), and a typed key can
// lose its Ctrl under Wine's X driver and arrive as a letter.
TEST_F(UndoTest, ADeletedRecordComesBackWithUndoAndGoesAgainWithRedo) {
    ASSERT_TRUE(Click(app_, 1, Desc));
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdDeleteTransaction));
    ASSERT_TRUE(accounts::AnswerMessageBox(app_, IDYES)) << app_.DescribeWindows();
    ASSERT_TRUE(WaitUntil([&] { return File().size() == opened_.size() - 128; }));
    const Bytes deleted = File();

    ASSERT_TRUE(Command(kCmdUndo));
    EXPECT_TRUE(FileBecomes(opened_)) << "Undo did not give the file before the delete";
    EXPECT_TRUE(WaitUntil([&] { return Rows() == "a|b|c"; })) << Rows();
    EXPECT_FALSE(SaveScreenshot("undo-delete-transaction", app_.MainWindow()).empty());
    EXPECT_TRUE(NoMessage(app_));

    ASSERT_TRUE(Command(kCmdRedo));
    EXPECT_TRUE(FileBecomes(deleted)) << "Redo did not give the file after the delete";
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

// An undo whose save fails is told once like any failed save; the register
// shows the change taken back, and the next save that succeeds writes it.
TEST_F(UndoTest, AnUndoWhoseSaveFailsStaysPendingWhole) {
    ASSERT_TRUE(Click(app_, 1, Desc));
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdDeleteTransaction));
    ASSERT_TRUE(accounts::AnswerMessageBox(app_, IDYES)) << app_.DescribeWindows();
    ASSERT_TRUE(WaitUntil([&] { return File().size() == opened_.size() - 128; }));
    const Bytes deleted = File();

    UniqueHandle held(CreateFileA(accounts::AccountPath(accounts::kFirstSlot).c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held) << "the account file could not be held";
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdUndo));
    const std::optional<MessageBoxText> told = TakeMessage(app_);
    ASSERT_TRUE(told) << app_.DescribeWindows();
    EXPECT_EQ(told->caption, "Error Saving File");
    EXPECT_TRUE(NoMessage(app_)) << "told more than once";
    EXPECT_TRUE(WaitUntil([&] { return Rows() == "a|b|c"; })) << Rows();
    held.reset();
    EXPECT_EQ(File(), deleted);

    ASSERT_TRUE(Command(kCmdViewCurrent));
    EXPECT_TRUE(FileBecomes(opened_)) << "the undo was not written once the file was free";
    EXPECT_TRUE(NoMessage(app_));
}

// The first change of the day keeps the account as it was opened; Restore
// from Backup puts those bytes back after one question, and the state it
// replaced is in the list afterwards.
TEST_F(UndoTest, ARestoreGivesTheBackupsBytesAndKeepsWhatItReplaced) {
    ASSERT_TRUE(Click(app_, 1, Desc));
    ASSERT_TRUE(Press(app_, VK_END));
    ASSERT_TRUE(Type(app_, "Z"));
    ASSERT_TRUE(Press(app_, VK_DOWN));
    ASSERT_TRUE(WaitUntil([&] { return Descriptions(StoredRecords()) == "a bZ c"; }));
    const Bytes changed = File();

    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdRestoreBackup));
    HWND dialog = accounts::WaitForDialogShowing(app_, kRestoreCaption, kRestoreList);
    ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
    HWND list = GetDlgItem(dialog, kRestoreList);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
    EXPECT_FALSE(accounts::SaveDialogShot(dialog, "restore-from-backup").empty());
    ASSERT_TRUE(ClickButton(dialog, IDOK));
    const std::optional<MessageBoxText> asked = accounts::AnswerMessageBox(app_, IDYES);
    ASSERT_TRUE(asked) << app_.DescribeWindows();
    EXPECT_EQ(asked->caption, kRestoreCaption);
    EXPECT_EQ(asked->text.rfind("Replace Register Test with its backup of ", 0), 0u) << asked->text;
    EXPECT_NE(asked->text.find("? The account as it is now is kept as a backup too."), std::string::npos);
    EXPECT_TRUE(FileBecomes(opened_)) << "the backup's bytes are not in place";
    EXPECT_TRUE(WaitUntil([&] { return Rows() == "a|b|c"; })) << Rows();

    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdRestoreBackup));
    dialog = accounts::WaitForDialogShowing(app_, kRestoreCaption, kRestoreList);
    ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, kRestoreList), LB_GETCOUNT, 0, 0), 2) << "what it replaced is no backup";
    ASSERT_TRUE(ClickButton(dialog, IDCANCEL));
    ASSERT_TRUE(accounts::WaitGone(dialog));
    EXPECT_EQ(File(), opened_);
    // The replaced state is the newest backup, byte for byte.
    const std::string folder = AccountsFolder() + "Backups\\";
    const std::vector<std::string> names = FilesStartingWith(folder + "LEDGR1 ");  // sorted: oldest first
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(ReadFileBytes(folder + names.back()), std::optional<Bytes>(changed));
    EXPECT_TRUE(NoMessage(app_));
}

}  // namespace
}  // namespace e2e
