#include <gtest/gtest.h>

#include "base/log.h"
#include "scratch_folder_win.h"

// The log is a developer's switch: it comes on only where its fixed folder
// exists, which a normal installation never creates.
TEST(InitLog, StaysOffWithoutTheFixedLogFolder) {
    if (FolderExists("C:\\Tallwood\\Ledgerpad")) GTEST_SKIP() << "the fixed log folder exists here";
    EXPECT_FALSE(InitLog());
    EXPECT_FALSE(IsLogOn());
    EXPECT_TRUE(WriteLog("dropped"));
    EXPECT_FALSE(FileExists("C:\\Tallwood\\Ledgerpad\\Log.txt"));
    SetLogClock(nullptr);
}
