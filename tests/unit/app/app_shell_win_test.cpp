// The application shell under Wine: the single-instance guard with its
// shared window slot, the account-file slots, the title, the help page's
// place, the calculator's failure message and the commands that are not
// the program's.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/wide_path_win.h"
#include "app/account_slots.h"
#include "app/app_texts.h"
#include "app/calculator.h"
#include "app/command_dispatch.h"
#include "app/help_page.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "model/account.h"
#include "storage/data_folders.h"
#include "storage/scratch_folder_win.h"

namespace {

// A mutex name of this test process only, so that a running Ledgerpad is
// never disturbed and never answers.
std::string TestSuffix() { return "-app-test-" + std::to_string(GetCurrentProcessId()); }

// A top-level window of the test, standing for the first copy's main window.
class TestWindow {
public:
    explicit TestWindow(HWND owner = nullptr, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE)
        : m_Window(CreateWindowExA(0, "STATIC", "first copy", style, 10, 10, 200, 100, owner, nullptr,
                                   GetModuleHandleA(nullptr), nullptr)) {}
    ~TestWindow() {
        if (m_Window) DestroyWindow(m_Window);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND get() const { return m_Window; }

private:
    HWND m_Window;
};

class SingleInstanceTest : public ::testing::Test {
protected:
    void TearDown() override { SetSharedMainWindow(nullptr); }
    const std::string suffix_ = TestSuffix();
};

TEST_F(SingleInstanceTest, OnlyTheFirstGuardOfANameIsFirst) {
    SingleInstanceGuard first;
    EXPECT_TRUE(first.IsFirstInstance(kMainClassName, suffix_.c_str()));
    SingleInstanceGuard second;
    EXPECT_FALSE(second.IsFirstInstance(kMainClassName, suffix_.c_str()));
    // Another class name is another program.
    SingleInstanceGuard other;
    EXPECT_TRUE(other.IsFirstInstance("OtherClass", suffix_.c_str()));
}

TEST_F(SingleInstanceTest, TheNameLivesAsLongAsItsGuard) {
    {
        SingleInstanceGuard first;
        ASSERT_TRUE(first.IsFirstInstance(kMainClassName, suffix_.c_str()));
    }
    SingleInstanceGuard later;
    EXPECT_TRUE(later.IsFirstInstance(kMainClassName, suffix_.c_str())) << "the closed guard left its name behind";
}

// The installer looks for a running copy in every user's session through
// the global name: it can open it while any copy runs (another session's
// copy made it, so a copy may only open it), and only then.
TEST_F(SingleInstanceTest, TheGlobalNameLivesWhileAnyCopyRuns) {
    const std::wstring global = L"Global\\" + WidePath(std::string(kMainClassName) + suffix_);
    auto installerSees = [&global] {
        HANDLE found = OpenMutexW(SYNCHRONIZE, FALSE, global.c_str());
        if (found) CloseHandle(found);
        return found != nullptr;
    };
    EXPECT_FALSE(installerSees());
    {
        // Another session's copy, as it leaves the name for the others.
        HANDLE otherSession = CreateMutexExW(nullptr, global.c_str(), 0, SYNCHRONIZE);
        ASSERT_NE(otherSession, nullptr);
        SingleInstanceGuard first;
        ASSERT_TRUE(first.IsFirstInstance(kMainClassName, suffix_.c_str()));
        CloseHandle(otherSession);
        EXPECT_TRUE(installerSees()) << "the other session's copy ended, this one still runs";
    }
    EXPECT_FALSE(installerSees()) << "no copy runs";
}

TEST_F(SingleInstanceTest, SecondStartRestoresTheFirstWindow) {
    TestWindow main;
    ASSERT_TRUE(main.get());
    ShowWindow(main.get(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(main.get()));
    SetSharedMainWindow(main.get());
    EXPECT_EQ(GetSharedMainWindow(), main.get());

    SingleInstanceGuard first, second;
    ASSERT_TRUE(first.IsFirstInstance(kMainClassName, suffix_.c_str()));
    EXPECT_FALSE(second.IsFirstInstance(kMainClassName, suffix_.c_str()));
    EXPECT_FALSE(IsIconic(main.get()));
}

// A main window left disabled with no dialog in front of it would never
// take input again; a second start gives it back.
TEST_F(SingleInstanceTest, SecondStartEnablesAMainWindowWithoutADialog) {
    TestWindow main;
    EnableWindow(main.get(), FALSE);
    SetSharedMainWindow(main.get());

    SingleInstanceGuard first, second;
    ASSERT_TRUE(first.IsFirstInstance(kMainClassName, suffix_.c_str()));
    EXPECT_FALSE(second.IsFirstInstance(kMainClassName, suffix_.c_str()));
    EXPECT_TRUE(IsWindowEnabled(main.get()));
}

// While the first copy shows a modal dialog its main window is disabled on
// purpose: it stays so, and the dialog is what comes forward.
TEST_F(SingleInstanceTest, SecondStartLeavesTheMainWindowDisabledUnderItsDialog) {
    TestWindow main;
    TestWindow dialog(main.get(), WS_POPUP | WS_CAPTION | WS_VISIBLE);
    ASSERT_TRUE(dialog.get());
    SetActiveWindow(dialog.get());
    EnableWindow(main.get(), FALSE);
    SetSharedMainWindow(main.get());
    ASSERT_EQ(GetLastActivePopup(main.get()), dialog.get());

    SingleInstanceGuard first, second;
    ASSERT_TRUE(first.IsFirstInstance(kMainClassName, suffix_.c_str()));
    EXPECT_FALSE(second.IsFirstInstance(kMainClassName, suffix_.c_str()));
    EXPECT_FALSE(IsWindowEnabled(main.get()));
}

TEST_F(SingleInstanceTest, SecondStartBeforeTheFirstWindowExistsDoesNothing) {
    SetSharedMainWindow(nullptr);
    SingleInstanceGuard first, second;
    ASSERT_TRUE(first.IsFirstInstance(kMainClassName, suffix_.c_str()));
    EXPECT_FALSE(second.IsFirstInstance(kMainClassName, suffix_.c_str()));
}

// Slot 1 and the sample keep their names; slots 3 to 10 hold the further
// accounts; slot 0 is the folder itself.
TEST(AccountSlotsTest, EverySlotIsItsFileInTheAccountsFolder) {
    ScratchFolder folder;
    const std::string documents = folder.Path("Documents");
    const std::string appData = folder.Path("AppData");
    CreateDirectoryA(documents.c_str(), nullptr);
    CreateDirectoryA(appData.c_str(), nullptr);
    SetDataRootsForTesting(documents.c_str(), appData.c_str());
    DataFolders().PrepareFolders("Ledgerpad");
    BuildAccountSlotPaths();
    SetDataRootsForTesting(nullptr, nullptr);

    const std::string accounts = documents + "\\TallwoodWorks\\Ledgerpad\\";
    const char* const expected[kAccountSlotCount] = {
        "",           "LEDGR1.LPD", "SAMPLE.LPD", "LEDGR2.LPD", "LEDGR3.LPD", "LEDGR4.LPD",
        "LEDGR5.LPD", "LEDGR6.LPD", "LEDGR7.LPD", "LEDGR8.LPD", "LEDGR9.LPD",
    };
    for (int slot = 0; slot < kAccountSlotCount; ++slot) {
        EXPECT_EQ(g_AccountSlotPaths[slot], accounts + expected[slot]) << "slot " << slot;
    }
}

class TitleTest : public ::testing::Test {
protected:
    void TearDown() override { std::memset(&g_Account.header, 0, sizeof g_Account.header); }
    TestWindow window_;

    std::string Title() const {
        char text[256] = {};
        GetWindowTextA(window_.get(), text, sizeof text);
        return text;
    }
};

TEST_F(TitleTest, NamesTheOpenAccount) {
    CopyFixedText(g_Account.header.name, "Household Checking");
    SetTitle(window_.get(), true);
    EXPECT_EQ(Title(), "Ledgerpad - [Household Checking]");
    SetTitle(window_.get(), false);
    EXPECT_EQ(Title(), "Ledgerpad");
}

// A damaged account header may hold a name without its end: the title takes
// the 89 bytes of the field and nothing beyond.
TEST_F(TitleTest, NameWithoutItsEndIsCutAtTheField) {
    std::memset(g_Account.header.name, 'N', sizeof g_Account.header.name);
    g_Account.header.statementBalance = 1.0;  // the bytes that follow the name
    SetTitle(window_.get(), true);
    EXPECT_EQ(Title(), "Ledgerpad - [" + std::string(sizeof g_Account.header.name, 'N') + "]");
}

TEST(HelpPageTest, LiesBesideTheProgram) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string expected = exe;
    expected = expected.substr(0, expected.find_last_of('\\') + 1) + "LedgerpadHelp.html";

    char path[MAX_PATH];
    ASSERT_TRUE(BuildHelpPagePath(path, sizeof path));
    EXPECT_EQ(path, expected);

    char small[8];
    EXPECT_FALSE(BuildHelpPagePath(small, sizeof small));
    EXPECT_STREQ(small, "") << "a path that does not fit is not cut into a wrong one";
}

TEST(CalculatorTest, ACalculatorThatCannotStartIsReported) {
    char found[MAX_PATH];
    if (SearchPathA(nullptr, "calc", ".exe", MAX_PATH, found, nullptr)) GTEST_SKIP() << "a calculator is installed";
    MessageBoxCapture boxes;
    TestWindow owner;
    EXPECT_FALSE(StartCalculator(owner.get()));
    ASSERT_EQ(MessageBoxCapture::Boxes().size(), 1u);
    const CapturedBox& box = MessageBoxCapture::Boxes()[0];
    EXPECT_EQ(box.text, "Unable to load calc.exe.");
    EXPECT_EQ(box.title, "Error");
    EXPECT_EQ(box.owner, owner.get());
    EXPECT_EQ(box.type & MB_ICONMASK, static_cast<unsigned>(MB_ICONINFORMATION));
    EXPECT_EQ(box.type & MB_TYPEMASK, static_cast<unsigned>(MB_OK));
}

// Identifiers that are not commands of the program go on to the default
// window procedure.
TEST(CommandDispatchTest, IdentifiersWithoutACommandAreNotTaken) {
    for (int id : {0, 999, 1005, 1006, 1013, 1018, 1020, 1024, 1032, 1039, 1047, 2000}) {
        EXPECT_FALSE(DispatchCommand(nullptr, id)) << id;
    }
}

}  // namespace
