// The program as a user gets it: the sample account that ships beside
// Ledgerpad.exe reaches a new user's accounts folder on the first start,
// and a released program (installed, or unpacked from the zip) starts, opens
// the sample and keeps what the user makes.
#include <algorithm>

#include "accounts_helpers.h"
#include "program_test.h"

namespace e2e {
namespace {

using namespace accounts;

constexpr char kSampleInfo[] = "SAMPLEI.LPD";
constexpr char kSampleTitle[] = "Ledgerpad - [Sample Checking]";

// Start screen -> Open Existing Account -> the sample, chosen first. Empty
// on success, else what failed.
std::string OpenSample(const Program& app) {
    HWND start = WaitForStartScreen(app);
    if (!start) return "no start screen\n" + app.DescribeWindows();
    if (!ClickButton(start, kOpenButton)) return "no Open button";
    HWND chooser = WaitForDialogShowing(app, "Open Existing Account", kAccountList);
    if (!chooser) return "no chooser\n" + app.DescribeWindows();
    if (ControlText(chooser, kFileName) != kSampleSlot) return "chooser shows " + ControlText(chooser, kFileName);
    if (!Press(app, chooser, IDOK)) return "chooser did not close";
    const std::string title = WaitForTitle(app.MainWindow(), kSampleTitle);
    return title == kSampleTitle ? "" : "title " + title;
}

bool SameBytes(const std::string& a, const std::string& b) {
    auto left = ReadFileBytes(a);
    auto right = ReadFileBytes(b);
    return left && right && *left == *right;
}

// Ledgerpad.exe copied into a folder of its own with the sample beside it,
// as the zip unpacks; the tests run that copy.
class FirstStartTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        // The temporary folder lies in the user's profile, which may be
        // named outside the code page: paths go through the wide calls.
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = Utf8(temp) + "ledger-portable-" + std::to_string(GetCurrentProcessId()) + "\\";
        ASSERT_TRUE(MakeFolders(folder_));
        ASSERT_TRUE(CopyFileW(Wide(ToWindowsPath(original_)).c_str(), Wide(folder_ + "Ledgerpad.exe").c_str(), FALSE));
        for (const char* name : {kSampleSlot, kSampleInfo})
            ASSERT_TRUE(CopyFileW(Wide(ShippedSampleFile(name)).c_str(), Wide(folder_ + name).c_str(), FALSE)) << name;
        GetSettings().program = folder_ + "Ledgerpad.exe";
    }
    void TearDown() override {
        ProgramTest::TearDown();
        GetSettings().program = original_;
        for (const char* name : {"Ledgerpad.exe", kSampleSlot, kSampleInfo}) DeleteFileW(Wide(folder_ + name).c_str());
        RemoveDirectoryW(Wide(folder_).c_str());
    }

    const std::string original_ = GetSettings().program;
    std::string folder_;
};

TEST_F(FirstStartTest, CopiesTheSampleOnceAndADeletedSampleStaysDeleted) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    for (const char* name : {kSampleSlot, kSampleInfo})
        EXPECT_TRUE(SameBytes(AccountPath(name), ShippedSampleFile(name))) << name << " not copied as shipped";
    ASSERT_EQ(OpenSample(app_), "");
    ASSERT_TRUE(app_.Stop());

    // The user deletes the sample; the next start leaves it deleted.
    for (const char* name : {kSampleSlot, kSampleInfo}) ASSERT_TRUE(DeleteFileW(Wide(AccountPath(name)).c_str()));
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    ASSERT_NE(WaitForStartScreen(app_), nullptr) << app_.DescribeWindows();
    EXPECT_FALSE(FileExists(AccountPath(kSampleSlot)));
    EXPECT_FALSE(FileExists(AccountPath(kSampleInfo)));
}

// Every folder and file of the program lands in the user's profile, under
// its real name: scripts/test runs this for a user whose profile folder is
// named in Cyrillic (--unicode-profile), whose paths the single-byte calls
// would turn into "?".
TEST_F(FirstStartTest, MakesItsFoldersOptionsAndSampleInTheUsersProfile) {
    const std::string profile = ProfileFolder();
    ASSERT_FALSE(profile.empty());
    if (GetSettings().unicodeProfile) {
        ASSERT_TRUE(std::any_of(profile.begin(), profile.end(), [](char c) { return c & 0x80; }))
            << "the profile folder is not named outside ASCII: " << profile;
    }
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    ASSERT_NE(WaitForStartScreen(app_), nullptr) << app_.DescribeWindows();
    EXPECT_EQ(AccountsFolder().rfind(profile + "\\", 0), 0u) << AccountsFolder();
    EXPECT_EQ(OptionsFolder().rfind(profile + "\\", 0), 0u) << OptionsFolder();
    EXPECT_TRUE(FileExists(OptionsFolder() + "Options.dta"));
    for (const char* name : {kSampleSlot, kSampleInfo})
        EXPECT_TRUE(SameBytes(AccountPath(name), ShippedSampleFile(name))) << name << " not copied as shipped";
    ASSERT_EQ(OpenSample(app_), "");
}

// An accounts folder that already exists is the user's: nothing is added.
TEST_F(FirstStartTest, AnExistingAccountsFolderGetsNoSample) {
    ASSERT_TRUE(MakeFolders(AccountsFolder()));
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    ASSERT_NE(WaitForStartScreen(app_), nullptr) << app_.DescribeWindows();
    EXPECT_FALSE(FileExists(AccountPath(kSampleSlot)));
}

// A sample that cannot be read (another program holds it) costs the user
// nothing but the sample: the program starts as on any first start.
TEST_F(FirstStartTest, ASampleThatCannotBeCopiedDoesNotStopTheProgram) {
    UniqueHandle hold(CreateFileA((folder_ + kSampleSlot).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(hold);
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    ASSERT_NE(WaitForStartScreen(app_), nullptr) << app_.DescribeWindows();
    EXPECT_FALSE(FileExists(AccountPath(kSampleSlot)));
    EXPECT_FALSE(FileExists(AccountPath(kSampleInfo)));
}

// Run by scripts/test against the installed program and the unpacked zip
// (--installed): it starts to the start screen, opens the sample it copied
// in, and makes an account and an options file that installing again and
// uninstalling must leave alone.
class ReleasedProgramTest : public ProgramTest {
protected:
    void SetUp() override {
        if (!GetSettings().installed) GTEST_SKIP() << "runs only with --installed (scripts/test)";
        ProgramTest::SetUp();
    }
};

TEST_F(ReleasedProgramTest, OpensTheSampleAndKeepsANewAccount) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    ASSERT_EQ(OpenSample(app_), "");
    ASSERT_TRUE(app_.WaitIdle());
    SaveScreenshot("release-sample-account");

    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdCreate));
    ASSERT_EQ(FillCreateDialogs(app_, "Kept Account", "250.00", "9/1/26"), "");
    EXPECT_EQ(WaitForTitle(app_.MainWindow(), "Ledgerpad - [Kept Account]"), "Ledgerpad - [Kept Account]");
    ASSERT_TRUE(app_.Stop());
    EXPECT_EQ(StoredName(FileBytes(kFirstSlot)), "Kept Account");
    EXPECT_TRUE(FileExists(OptionsFolder() + "Options.dta"));
}

}  // namespace
}  // namespace e2e
