// Creating accounts: the files a new account gets, the refusals of the three
// create dialogs, Cancel at every step, further accounts in further slots,
// and a full slot table.
#include <cstring>

#include "accounts_helpers.h"
#include "program_test.h"

namespace e2e {
namespace {

using namespace accounts;

class CreateAccountTest : public ProgramTest {};

double DoubleAt(const std::vector<uint8_t>& bytes, size_t offset) {
    double value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::string TextAt(const std::vector<uint8_t>& bytes, size_t offset, size_t width) {
    const char* text = reinterpret_cast<const char*>(bytes.data() + offset);
    return std::string(text, strnlen(text, width));
}

TEST_F(CreateAccountTest, NewAccountHasItsHeaderOpeningRecordAndEmptyInformation) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    ASSERT_EQ(CreateFromStartScreen(app_, "Tom's Checking", "-1,250.75", "8/31/26"), "");
    EXPECT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Tom's Checking]"), "Ledgerpad - [Tom's Checking]");
    ASSERT_TRUE(WaitUntil([] { return FileBytes(kFirstSlot).size() == 256u; }));

    const std::vector<uint8_t> file = FileBytes(kFirstSlot);
    ASSERT_EQ(file.size(), 256u) << "header and the opening-balance record";
    EXPECT_EQ(file[0], 0xFE);
    EXPECT_EQ(file[1], 0x00);
    EXPECT_EQ(TextAt(file, 2, 89), "Tom's Checking");
    EXPECT_DOUBLE_EQ(DoubleAt(file, 91), -1250.75);
    EXPECT_EQ(TextAt(file, 99, 9), "20260831");
    EXPECT_EQ(file[108] | file[109] << 8, 2026);
    EXPECT_EQ(file[110] | file[111] << 8, 243) << "31 August is day 243";
    EXPECT_EQ(TextAt(file, 128, 2), "R");
    EXPECT_EQ(TextAt(file, 130, 9), "20260831");
    EXPECT_EQ(TextAt(file, 150, 90), "OPENING BALANCE");
    EXPECT_DOUBLE_EQ(DoubleAt(file, 240), 1250.75) << "a negative balance is a payment";
    EXPECT_DOUBLE_EQ(DoubleAt(file, 248), 0.0);

    const std::vector<uint8_t> emptyInfo = {8, 0, 0, 0, 'L', 'D', 'G', 'R', 'I', 'N', 'F', 'O', 0xCD, 0xAB, 0x11, 0xEF,
                                            0, 0, 0, 0, 0,   0,   0,   0,   0,   0,   0,   0,   0,    0,    0,    0,
                                            0, 0, 0, 0, 0,   0,   0,   0,   0,   0,   0,   0};
    EXPECT_EQ(FileBytes("LEDGR1I.LPD"), emptyInfo);

    // Shown in the Current view: the cleared opening balance is not among
    // the rows, but it is the opening balance; View All shows it.
    HWND main = app_.MainWindow();
    constexpr int kDescriptionOfRow0 = 1130 + 3;
    EXPECT_TRUE(WaitUntil([&] { return ControlText(main, 1263) == "-1,250.75"; })) << ControlText(main, 1263);
    EXPECT_EQ(ControlText(main, kDescriptionOfRow0), "");
    ASSERT_TRUE(PostCommand(main, 1011));
    EXPECT_TRUE(WaitUntil([&] { return ControlText(main, kDescriptionOfRow0) == "OPENING BALANCE"; }));

    // The account is the most recently used one at the next start.
    ASSERT_TRUE(app_.Stop());
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    HWND start = WaitForStartScreen(app_);
    ASSERT_NE(start, nullptr);
    ASSERT_TRUE(ClickButton(start, kRecentButton));
    EXPECT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Tom's Checking]"), "Ledgerpad - [Tom's Checking]");
}

// One refused entry: the step, what is typed, the box it gives.
struct Refusal {
    const char* label;
    const char* typed;
    const char* caption;
    const char* text;  // the start of the message
};

constexpr char kAmountText[] = "Enter a valid amount in the following\nformat 000,000.00.";
constexpr char kDateText[] = "Enter a valid date in one of the following formats: \n\n";

TEST_F(CreateAccountTest, RefusedEntriesKeepTheDialogWithTheFocusOnTheField) {
    const Refusal refusals[] = {
        {kNameLabel, "", "Name Error", "Account must have a name."},
        {kBalanceLabel, "5-", "Amount Error", kAmountText},
        {kBalanceLabel, "1000000", "Amount Error", kAmountText},
        {kBalanceLabel, "1 000", "Amount Error", kAmountText},
        {kBalanceLabel, "$12", "Amount Error", kAmountText},
        {kDateLabel, "13/1/26", "Incorrect Date Format", kDateText},
        {kDateLabel, "2/30/26", "Incorrect Date Format", kDateText},
        {kDateLabel, "31/8", "Incorrect Date Format", kDateText},
    };
    const char* accepted[] = {"Refusals", "999,999.99", "2/29/28"};
    const char* labels[] = {kNameLabel, kBalanceLabel, kDateLabel};

    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    HWND start = WaitForStartScreen(app_);
    ASSERT_NE(start, nullptr);
    ASSERT_TRUE(ClickButton(start, kCreateButton));

    for (int step = 0; step < 3; ++step) {
        HWND dialog = WaitForDialogShowing(app_, kCreateCaption, kLabel, labels[step]);
        ASSERT_NE(dialog, nullptr) << labels[step] << "\n" << app_.DescribeWindows();
        for (const Refusal& r : refusals) {
            if (r.label != labels[step]) continue;
            SCOPED_TRACE(std::string(r.label) + " \"" + r.typed + "\"");
            ASSERT_TRUE(TypeInto(dialog, kEntryField, r.typed));
            ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, kEntryField) == r.typed; }));
            ASSERT_TRUE(Press(app_, dialog, IDOK));
            std::optional<MessageBoxText> told = AnswerMessageBox(app_);
            ASSERT_TRUE(told) << app_.DescribeWindows();
            EXPECT_EQ(told->caption, r.caption);
            EXPECT_EQ(told->text.substr(0, std::strlen(r.text)), r.text) << told->text;
            if (std::strcmp(r.caption, "Incorrect Date Format") == 0) {
                EXPECT_EQ(told->text.find("Or delete"), std::string::npos) << "no delete hint here";
            }
            EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog)) << "the dialog stays";
            EXPECT_TRUE(HasFocus(dialog, kEntryField)) << "the focus is back on the field";
            EXPECT_EQ(ControlText(dialog, kEntryField), r.typed) << "the text stays as typed";
        }
        ASSERT_TRUE(TypeInto(dialog, kEntryField, accepted[step]));
        ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, kEntryField) == accepted[step]; }));
        ASSERT_TRUE(Press(app_, dialog, IDOK));
    }
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, kCreateCaption);

    ASSERT_TRUE(WaitUntil([] { return FileBytes(kFirstSlot).size() == 256u; }));
    const std::vector<uint8_t> file = FileBytes(kFirstSlot);
    EXPECT_EQ(StoredName(file), "Refusals");
    EXPECT_DOUBLE_EQ(DoubleAt(file, 91), 999999.99);
    EXPECT_EQ(TextAt(file, 99, 9), "20280229");
}

TEST_F(CreateAccountTest, CancelAtEveryStepLeavesTheOpenAccountUntouched) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    ASSERT_EQ(CreateFromStartScreen(app_, "First Account"), "");
    ASSERT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [First Account]"), "Ledgerpad - [First Account]");
    const std::vector<uint8_t> before = FileBytes(kFirstSlot);
    const std::vector<uint8_t> infoBefore = FileBytes("LEDGR1I.LPD");
    ASSERT_EQ(before.size(), 256u);

    const char* labels[] = {kNameLabel, kBalanceLabel, kDateLabel};
    const char* typed[] = {"Second Account", "10.00", "9/1/26"};
    for (int cancelAt = 0; cancelAt < 3; ++cancelAt) {
        SCOPED_TRACE(std::string("cancel at ") + labels[cancelAt]);
        ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdCreate));
        for (int step = 0; step <= cancelAt; ++step) {
            HWND dialog = WaitForDialogShowing(app_, kCreateCaption, kLabel, labels[step]);
            ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
            ASSERT_TRUE(TypeInto(dialog, kEntryField, typed[step]));
            ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, kEntryField) == typed[step]; }));
            ASSERT_TRUE(Press(app_, dialog, step == cancelAt ? IDCANCEL : IDOK));
            ASSERT_FALSE(IsWindow(dialog) && IsWindowVisible(dialog));
        }
        ASSERT_TRUE(app_.WaitIdle());
        EXPECT_EQ(WindowText(app_.MainWindow()), "Ledgerpad - [First Account]");
        EXPECT_EQ(FileBytes(kFirstSlot), before);
        EXPECT_EQ(FileBytes("LEDGR1I.LPD"), infoBefore);
        EXPECT_FALSE(FileExists(AccountPath(kSecondSlot)));
        EXPECT_EQ(WaitForMessageBox(app_, 200ms), nullptr) << "no message after Cancel";
    }

    // Confirmed, the second account takes the next user slot and the first
    // one stays as it was.
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdCreate));
    ASSERT_EQ(FillCreateDialogs(app_, "Second Account", "10.00", "9/1/26"), "");
    EXPECT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Second Account]"), "Ledgerpad - [Second Account]");
    ASSERT_TRUE(WaitUntil([] { return FileBytes(kSecondSlot).size() == 256u; }));
    EXPECT_EQ(StoredName(FileBytes(kSecondSlot)), "Second Account");
    EXPECT_EQ(FileBytes("LEDGR2I.LPD").size(), 44u);
    EXPECT_EQ(FileBytes(kFirstSlot), before);
    EXPECT_FALSE(FileExists(AccountPath(kSampleSlot))) << "the sample slot is never created";
}

TEST_F(CreateAccountTest, CancelOnTheStartScreenShowsTheStartScreenAgain) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    HWND start = WaitForStartScreen(app_);
    ASSERT_NE(start, nullptr);
    ASSERT_TRUE(ClickButton(start, kCreateButton));
    HWND dialog = WaitForDialogShowing(app_, kCreateCaption, kLabel, kNameLabel);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(Press(app_, dialog, IDCANCEL));
    EXPECT_NE(WaitForStartScreen(app_), nullptr) << app_.DescribeWindows();
    EXPECT_FALSE(FileExists(AccountPath(kFirstSlot)));
}

TEST_F(CreateAccountTest, EveryUserSlotTakenIsToldInsteadOfDoingNothing) {
    const char* slots[] = {"LEDGR1.LPD", "LEDGR2.LPD", "LEDGR3.LPD", "LEDGR4.LPD", "LEDGR5.LPD",
                           "LEDGR6.LPD", "LEDGR7.LPD", "LEDGR8.LPD", "LEDGR9.LPD"};
    for (const char* slot : slots)
        ASSERT_TRUE(WriteAccount(slot, {HeaderBlock(std::string("Account in ") + slot)}));

    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    HWND start = WaitForStartScreen(app_);
    ASSERT_NE(start, nullptr);
    ASSERT_TRUE(ClickButton(start, kCreateButton));
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told) << app_.DescribeWindows();
    EXPECT_EQ(told->caption, "Create New Account");
    EXPECT_EQ(told->text,
              "You already have as many accounts as Ledgerpad can keep.\n"
              "Delete an account you no longer need, then create the new one.");
    EXPECT_NE(WaitForStartScreen(app_), nullptr);
    EXPECT_FALSE(FileExists(AccountPath(kSampleSlot)));

    // The sample slot does not count as a user slot: with it free and
    // LEDGR1.LPD gone, the new account goes to LEDGR1.LPD.
    ASSERT_TRUE(DeleteFileA(AccountPath(kFirstSlot).c_str()));
    ASSERT_EQ(CreateFromStartScreen(app_, "Back in slot one"), "");
    EXPECT_EQ(StoredName(FileBytes(kFirstSlot)), "Back in slot one");
    EXPECT_FALSE(FileExists(AccountPath(kSampleSlot)));
}

}  // namespace
}  // namespace e2e
