// Saves that fail on the real program: another program holds the account
// file open without sharing, so every save fails until it lets go. One
// message per failed attempt, a command whose checks could not save does
// not run, closing asks before a change is lost and No keeps it, the change
// is written once the file is free, and the end of a Windows session saves
// what it can without asking.
#include <string>
#include <vector>

#include "program_test.h"
#include "register_helpers.h"
#include "storage/save_messages.h"

namespace e2e {
namespace {

using namespace reg;

constexpr int kCmdAbout = 1000;
constexpr int kCmdNewTransaction = 1008;
constexpr int kCmdExit = 1023;

const std::vector<Tx> kThree = {{.date = "20260105", .description = "a", .payment = 1},
                                {.date = "20260106", .description = "b", .payment = 2},
                                {.date = "20260107", .description = "c", .payment = 3}};

// The question before quitting, with the system's reason for the failed
// replacement of a file in use: Windows gives "access denied" or "sharing
// violation" there, each without its line end and final full stop.
bool IsQuitQuestionFor(const std::string& file, const std::string& text) {
    for (DWORD error : {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION}) {
        char reason[512] = {};
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, reason,
                       sizeof reason, nullptr);
        std::string trimmed = reason;
        while (!trimmed.empty() && (trimmed.back() == '\n' || trimmed.back() == '\r' || trimmed.back() == '.'))
            trimmed.pop_back();
        if (text == "Ledgerpad could not save your last change to " + file + ": " + trimmed +
                        ". Quit anyway and lose it?")
            return true;
    }
    return false;
}

class SavesTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_EQ(OpenWrittenAccount(app_, kThree), "");
    }

    // Appends to the description of row 1: a change not saved yet.
    void Change(const std::string& text) {
        ASSERT_TRUE(Click(app_, 1, Desc));
        ASSERT_TRUE(Press(app_, VK_END));
        ASSERT_TRUE(Type(app_, text));
    }
    // Another program opens the account file and shares nothing.
    void Hold() {
        held_.reset(CreateFileA(accounts::AccountPath(accounts::kFirstSlot).c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held_) << "the account file could not be held";
    }
    void Release() { held_.reset(); }

    // Every message box that comes up, answered with OK, until none follows.
    std::vector<MessageBoxText> Messages() {
        std::vector<MessageBoxText> shown;
        while (std::optional<MessageBoxText> box = TakeMessage(app_, shown.empty() ? kTimeout : Duration(1500)))
            shown.push_back(*box);
        return shown;
    }
    std::string Rows() const {
        return FieldText(app_, 0, Desc) + "|" + FieldText(app_, 1, Desc) + "|" + FieldText(app_, 2, Desc) + "|" +
               FieldText(app_, 3, Desc);
    }
    bool StoredAre(const std::string& descriptions) {
        return WaitUntil([&] { return Descriptions(StoredRecords()) == descriptions; });
    }

    UniqueHandle held_;
};

TEST_F(SavesTest, AGuardedCommandWhoseSaveFailsIsToldOnceAndDoesNotRun) {
    // The user's own file named as a temporary file once was keeps its bytes.
    const std::string users = accounts::AccountPath("LEDGR1.LPD.tmp");
    ASSERT_TRUE(WriteFileBytes(users, {'m', 'i', 'n', 'e'}));
    ASSERT_NO_FATAL_FAILURE(Change("Z"));
    ASSERT_NO_FATAL_FAILURE(Hold());
    struct Case {
        const char* name;
        int command;
    };
    for (const Case& c : {Case{"About", kCmdAbout}, Case{"New Transaction", kCmdNewTransaction}}) {
        ASSERT_TRUE(PostCommand(app_.MainWindow(), c.command));
        const std::vector<MessageBoxText> shown = Messages();
        ASSERT_EQ(shown.size(), 1u) << c.name;
        EXPECT_EQ(shown[0].caption, kSaveErrorTitle) << c.name;
        EXPECT_EQ(shown[0].text, kSaveErrorText) << c.name;
        ASSERT_TRUE(app_.WaitIdle());
        EXPECT_TRUE(TopLevelWindows(app_.Id(), kDialogClass).empty()) << c.name << ": the command ran";
        EXPECT_EQ(Rows(), "a|bZ|c|") << c.name << ": the command ran";
    }
    // Free again: the file still holds the old records, and the next
    // command's checks write the change.
    Release();
    EXPECT_EQ(Descriptions(StoredRecords()), "a b c");
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdViewCurrent));
    EXPECT_TRUE(StoredAre("a bZ c"));
    EXPECT_TRUE(NoMessage(app_));
    EXPECT_EQ(ReadFileBytes(users), (std::vector<uint8_t>{'m', 'i', 'n', 'e'}));
    EXPECT_EQ(FilesStartingWith(accounts::AccountPath("LEDGR1")),
              (std::vector<std::string>{"LEDGR1.LPD", "LEDGR1.LPD.tmp", "LEDGR1I.LPD"}))
        << "a temporary file was left";
}

// A payment typed in the blank row, Enter while another program holds the
// file: told once, the focus on the next blank row. Leaving that row does
// not forget the payment: closing still asks, and once the file is free
// the exit writes it.
TEST_F(SavesTest, APaymentWhoseSaveFailedIsKeptAfterLeavingTheNextBlankRow) {
    ASSERT_NO_FATAL_FAILURE(Hold());
    ASSERT_TRUE(Click(app_, 3, Date));
    ASSERT_TRUE(Type(app_, "01/08/26"));
    ASSERT_TRUE(Click(app_, 3, Desc));
    ASSERT_TRUE(Type(app_, "d"));
    ASSERT_TRUE(Click(app_, 3, Payment));
    ASSERT_TRUE(Type(app_, "4"));
    ASSERT_TRUE(Press(app_, VK_RETURN));
    const std::vector<MessageBoxText> shown = Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, kSaveErrorTitle);
    ASSERT_EQ(WaitForFocus(app_, 4, Date).row, 4) << "the focus did not move to the next blank row";

    ASSERT_TRUE(Press(app_, VK_UP));
    ASSERT_EQ(WaitForFocus(app_, 3, Date).row, 3);
    EXPECT_TRUE(NoMessage(app_));

    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdExit));
    const std::optional<MessageBoxText> asked = accounts::AnswerMessageBox(app_, IDNO);
    ASSERT_TRUE(asked) << "the program quit without asking\n" << app_.DescribeWindows();
    EXPECT_EQ(asked->caption, kQuitAnywayTitle);
    EXPECT_TRUE(app_.Running());

    Release();
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdExit));
    ASSERT_TRUE(app_.WaitForExit()) << app_.DescribeWindows();
    EXPECT_EQ(app_.ExitCode(), 0u);
    EXPECT_EQ(Descriptions(StoredRecords()), "a b c d");
}

// File > Exit, and the system's close (Alt+F4, the caption's close button and
// the system menu all send SC_CLOSE): each asks, and No keeps the program
// open with the change, which is saved at the exit once the file is free.
TEST_F(SavesTest, ClosingAsksBeforeAChangeThatCannotBeSavedIsLost) {
    ASSERT_NO_FATAL_FAILURE(Change("Z"));
    ASSERT_NO_FATAL_FAILURE(Hold());
    struct Way {
        const char* name;
        bool (*close)(HWND main);
    };
    const Way ways[] = {
        {"File > Exit", [](HWND main) { return PostCommand(main, kCmdExit); }},
        {"close from the system", [](HWND main) { return PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE; }},
        {"Alt+F4",
         [](HWND main) { return FocusControl(FieldWindow(main, 1, Desc)) && PressKey(VK_F4, {VK_MENU}); }},
    };
    for (const Way& way : ways) {
        ASSERT_TRUE(way.close(app_.MainWindow())) << way.name;
        const std::optional<MessageBoxText> asked = accounts::AnswerMessageBox(app_, IDNO);
        ASSERT_TRUE(asked) << way.name << ": no question\n" << app_.DescribeWindows();
        EXPECT_EQ(asked->caption, kQuitAnywayTitle) << way.name;
        EXPECT_TRUE(IsQuitQuestionFor(accounts::AccountPath(accounts::kFirstSlot), asked->text))
            << way.name << ": " << asked->text;
        EXPECT_TRUE(NoMessage(app_)) << way.name;
        EXPECT_TRUE(app_.Running()) << way.name;
        EXPECT_EQ(Rows(), "a|bZ|c|") << way.name;
    }
    Release();
    EXPECT_EQ(Descriptions(StoredRecords()), "a b c");
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdExit));
    ASSERT_TRUE(app_.WaitForExit()) << app_.DescribeWindows();
    EXPECT_EQ(app_.ExitCode(), 0u);
    EXPECT_EQ(Descriptions(StoredRecords()), "a bZ c");
}

TEST_F(SavesTest, YesQuitsWithoutTheChange) {
    ASSERT_NO_FATAL_FAILURE(Change("Z"));
    ASSERT_NO_FATAL_FAILURE(Hold());
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdExit));
    const std::optional<MessageBoxText> asked = accounts::AnswerMessageBox(app_, IDYES);
    ASSERT_TRUE(asked) << app_.DescribeWindows();
    EXPECT_EQ(asked->caption, kQuitAnywayTitle);
    ASSERT_TRUE(app_.WaitForExit()) << app_.DescribeWindows();
    Release();
    EXPECT_EQ(Descriptions(StoredRecords()), "a b c");
}

// The end of a session closes no window: the program saves on the way out,
// both a change typed a moment ago and one whose save failed earlier.
TEST_F(SavesTest, TheEndOfTheSessionSavesTheChange) {
    const auto endSession = [&] {
        DWORD_PTR answer = 0;
        ASSERT_TRUE(SendMessageTimeoutA(app_.MainWindow(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 10000, &answer));
        EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "the program held the session up";
        ASSERT_TRUE(SendMessageTimeoutA(app_.MainWindow(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 10000, &answer));
    };
    ASSERT_NO_FATAL_FAILURE(Change("Y"));
    endSession();
    EXPECT_EQ(Descriptions(StoredRecords()), "a bY c");

    ASSERT_NO_FATAL_FAILURE(Change("Z"));
    ASSERT_NO_FATAL_FAILURE(Hold());
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdViewCurrent));
    ASSERT_EQ(Messages().size(), 1u);
    Release();
    endSession();
    EXPECT_EQ(Descriptions(StoredRecords()), "a bYZ c");
    EXPECT_TRUE(NoMessage(app_));
}

}  // namespace
}  // namespace e2e
