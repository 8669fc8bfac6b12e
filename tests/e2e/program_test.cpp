#include "program_test.h"

namespace e2e {

void ProgramTest::SetUp() {
    // The program allows one copy per Wine prefix: a copy left by someone
    // else would answer in place of ours.
    HWND other = FindTopLevel(0, kMainClass);
    ASSERT_EQ(other, nullptr) << "another Ledgerpad is running in this Wine prefix (process " << ProcessOf(other)
                              << ")";
    ASSERT_TRUE(ResetDataFolders()) << "could not empty " << AccountsFolder() << " and " << OptionsFolder();
}

void ProgramTest::TearDown() {
    if (HasFailure()) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        SaveScreenshot(std::string("failed-") + test->test_suite_name() + "." + test->name());
        if (app_.Running()) std::printf("windows of the program:\n%s", app_.DescribeWindows().c_str());
    }
    if (app_.Running()) {
        EXPECT_TRUE(app_.Stop()) << "the program did not close; it was ended by force";
    }
}

}  // namespace e2e
