#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/last_error.h"
#include "log_capture.h"
#include "scratch_folder_win.h"

TEST(LastError, ShownInABoxWithTheStopIconOnlyForRealErrors) {
    MessageBoxCapture boxes;
    SetLastError(0);
    ShowLastError();
    SetLastError(ERROR_FILE_NOT_FOUND);
    ShowLastError();
    SetLastError(0x20001234);  // no system text for it
    ShowLastError();
    const auto& shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 3u);
    for (const CapturedBox& box : shown) {
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_EQ(box.title, "Windows SDK Error Report");
    }
    EXPECT_EQ(shown[0].text, "No error");
    EXPECT_EQ(shown[0].type, static_cast<unsigned>(MB_OK));
    EXPECT_FALSE(shown[1].text.empty());
    EXPECT_NE(shown[1].text, "Unknown error");
    EXPECT_EQ(shown[1].type, static_cast<unsigned>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(shown[2].text, "Unknown error");
    EXPECT_EQ(shown[2].type, static_cast<unsigned>(MB_OK | MB_ICONSTOP));
}

TEST(LastError, LoggedWithTheSameThreeCases) {
    LogCapture log;
    ASSERT_TRUE(log.Started());
    SetLastError(0);
    LogLastError();
    SetLastError(ERROR_ACCESS_DENIED);
    LogLastError();
    SetLastError(0x20001234);
    LogLastError();
    std::vector<std::string> lines = log.Messages();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.front(), "No error");
    EXPECT_EQ(lines[1].rfind("LogLastError: ", 0), 0u) << lines[1];
    EXPECT_GT(lines[1].size(), std::string("LogLastError: ").size());
    EXPECT_EQ(lines.back(), "Unknown error");
}
