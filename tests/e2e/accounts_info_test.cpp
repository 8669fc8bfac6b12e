// Checking Account Info: the seven texts typed in the dialog are kept,
// scrambled, in the account's information file and come back after a
// restart; Cancel keeps what was there.
#include "accounts_helpers.h"
#include "program_test.h"

namespace e2e {
namespace {

using namespace accounts;

constexpr char kInfoDialog[] = "Checking Account Info";

struct InfoText {
    const char* typed;
    const char* shown;  // multi-line fields keep CR LF
};

const InfoText kTexts[7] = {
    {"Riverside Community Bank", "Riverside Community Bank"},
    {"120 Main Street\nSpringfield, OH 45501", "120 Main Street\r\nSpringfield, OH 45501"},
    {"(555) 010-4477", "(555) 010-4477"},
    {"0012-4471-9", "0012-4471-9"},
    {"Personal checking", "Personal checking"},
    {"0.05", "0.05"},
    {"Joint account.\nStatements arrive on the 3rd.", "Joint account.\r\nStatements arrive on the 3rd."},
};

// The dialog keeps the system's colours, unlike the program's white ones.
uint32_t DialogFace() {
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    return (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
}

class AccountInfoTest : public ProgramTest {
protected:
    HWND OpenInfo() {
        if (!PostCommand(app_.MainWindow(), kCmdAccountInfo)) return nullptr;
        return WaitForDialogShowing(app_, kInfoDialog, kInfoFirstField);
    }
};

TEST_F(AccountInfoTest, TypedTextsAreKeptScrambledAndComeBackAfterARestart) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    ASSERT_EQ(CreateFromStartScreen(app_, "Informed"), "");
    ASSERT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Informed]"), "Ledgerpad - [Informed]");
    ASSERT_TRUE(WaitUntil([] { return FileBytes("LEDGR1I.LPD").size() == 44u; }));

    HWND info = OpenInfo();
    ASSERT_NE(info, nullptr) << app_.DescribeWindows();
    for (int i = 0; i < 7; ++i) EXPECT_EQ(ControlText(info, kInfoFirstField + i), "") << i;
    EXPECT_EQ(ControlText(info, 2500), "Financial Institution:");
    for (int i = 0; i < 7; ++i) {
        ASSERT_TRUE(TypeInto(info, kInfoFirstField + i, kTexts[i].typed, kTexts[i].shown)) << i;
    }
    EXPECT_FALSE(SaveDialogShot(info, "accounts-info", DialogFace()).empty());
    ASSERT_TRUE(Press(app_, info, IDOK));

    size_t expectedSize = 44;
    for (const InfoText& text : kTexts) expectedSize += std::string(text.shown).size();
    ASSERT_TRUE(WaitUntil([&] { return FileBytes("LEDGR1I.LPD").size() == expectedSize; }))
        << FileBytes("LEDGR1I.LPD").size();
    const std::vector<uint8_t> stored = FileBytes("LEDGR1I.LPD");
    const std::string raw(stored.begin(), stored.end());
    EXPECT_EQ(raw.substr(4, 8), "LDGRINFO");
    for (const char* plain : {"Riverside", "Main Street", "4477", "checking", "Statements"})
        EXPECT_EQ(raw.find(plain), std::string::npos) << plain << " is in the file as plain text";

    ASSERT_TRUE(app_.Stop());
    ASSERT_TRUE(app_.Start());
    HWND start = WaitForStartScreen(app_);
    ASSERT_NE(start, nullptr);
    ASSERT_TRUE(ClickButton(start, kRecentButton));
    ASSERT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Informed]"), "Ledgerpad - [Informed]");
    info = OpenInfo();
    ASSERT_NE(info, nullptr);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(ControlText(info, kInfoFirstField + i), kTexts[i].shown) << i;

    // Cancel: what was typed is dropped, the file stays as it was.
    ASSERT_TRUE(TypeInto(info, kInfoFirstField, "Another Bank"));
    ASSERT_TRUE(Press(app_, info, IDCANCEL));
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_EQ(FileBytes("LEDGR1I.LPD"), stored);
    info = OpenInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(ControlText(info, kInfoFirstField), kTexts[0].shown);
    ASSERT_TRUE(Press(app_, info, IDCANCEL));
}

TEST_F(AccountInfoTest, EachAccountHasItsOwnInformation) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    ASSERT_EQ(CreateFromStartScreen(app_, "With Info"), "");
    ASSERT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [With Info]"), "Ledgerpad - [With Info]");
    HWND info = OpenInfo();
    ASSERT_NE(info, nullptr);
    ASSERT_TRUE(TypeInto(info, kInfoFirstField, "First Bank"));
    ASSERT_TRUE(Press(app_, info, IDOK));
    ASSERT_TRUE(WaitUntil([] { return FileBytes("LEDGR1I.LPD").size() == 44u + 10u; }));

    // A second account starts with empty information ...
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdCreate));
    ASSERT_EQ(FillCreateDialogs(app_, "Without Info", "0.00", "9/1/26"), "");
    ASSERT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Without Info]"), "Ledgerpad - [Without Info]");
    info = OpenInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(ControlText(info, kInfoFirstField), "");
    ASSERT_TRUE(Press(app_, info, IDCANCEL));

    // ... and the first one keeps its own.
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdOpen));
    HWND chooser = WaitForDialogShowing(app_, "Open Existing Account", kAccountList);
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(Press(app_, chooser, IDOK));
    ASSERT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [With Info]"), "Ledgerpad - [With Info]");
    info = OpenInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(ControlText(info, kInfoFirstField), "First Bank");
    ASSERT_TRUE(Press(app_, info, IDCANCEL));
}

}  // namespace
}  // namespace e2e
