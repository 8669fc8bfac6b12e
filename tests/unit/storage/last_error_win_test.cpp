#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "storage/last_error.h"

// The text that follows a failed file operation in its message: none for
// no error, the system's text without its line end, "Unknown error" for a
// code the system has no text for.
TEST(LastError, SystemTextForTheThreeKindsOfCode) {
    EXPECT_EQ(SystemErrorText(0), "");
    const std::string denied = SystemErrorText(ERROR_ACCESS_DENIED);
    EXPECT_FALSE(denied.empty());
    EXPECT_NE(denied, "Unknown error");
    EXPECT_NE(denied.back(), '\n');
    EXPECT_NE(denied.back(), '\r');
    EXPECT_EQ(SystemErrorText(0x20001234), "Unknown error");
}
