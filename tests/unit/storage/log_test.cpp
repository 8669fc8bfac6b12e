#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "base/log.h"
#include "log_capture.h"

TEST(Log, OffWritesNothingAndReportsSuccess) {
    ASSERT_FALSE(IsLogOn());
    std::string path = LogFilePath();
    EXPECT_EQ(path, "C:\\Tallwood\\Ledgerpad\\Log.txt");
    EXPECT_TRUE(WriteLog("nothing %i", 1));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(Log, HeadingThenTimeStampedLines) {
    LogCapture log;
    ASSERT_TRUE(log.Started());
    ASSERT_TRUE(IsLogOn());
    struct Case {
        unsigned long milliseconds;
        const char* stamp;
    };
    const Case cases[] = {
        {12345, "0123:\t"},    // 12.34 s
        {99, "0000:\t"},
        {1000000, "10000:\t"}, // 1,000 s
        {5000, "0050:\t"},
    };
    for (const Case& c : cases) {
        LogCapture::SetMilliseconds(c.milliseconds);
        EXPECT_TRUE(WriteLog("DataFile::CloseFile: nResult %i, error %i", 0, 6));
    }
    std::vector<std::string> lines = log.Lines();
    ASSERT_EQ(lines.size(), 3u + std::size(cases));
    EXPECT_TRUE(std::regex_match(lines[0], std::regex("0000:\tLog file for Ledgerpad: "
                                                      "[A-Z][a-z]{2} [A-Z][a-z]{2} \\d\\d "
                                                      "\\d\\d:\\d\\d:\\d\\d \\d{4}")))
        << lines[0];
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Time Message");
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(lines[3 + i], std::string(cases[i].stamp) + "DataFile::CloseFile: nResult 0, error 6");
}

TEST(Log, LinesEndWithTheTextModeLineEnd) {
    LogCapture log;
    ASSERT_TRUE(log.Started());
    WriteLog("one");
    std::string raw = log.Raw();
#if defined(_WIN32)
    EXPECT_NE(raw.find("0000:\tone\r\n"), std::string::npos);
#else
    EXPECT_NE(raw.find("0000:\tone\n"), std::string::npos);
#endif
}

TEST(Log, GoesBesideTheProgramAndStartsEmpty) {
    LogCapture log;
    ASSERT_TRUE(log.Started());
    std::string expected = (log.Folder() / "program").string() + "\\Log.txt";
    EXPECT_EQ(std::string(LogFilePath()), expected);
    EXPECT_TRUE(std::filesystem::exists(log.Folder() / "probe.txt"));
    EXPECT_EQ(std::filesystem::file_size(log.Folder() / "probe.txt"), 0u);
}

TEST(Log, StaysOffWhenTheProbeFileCannotBeCreated) {
    auto missing = std::filesystem::temp_directory_path() / "ledger-no-such-folder" / "x" / "Log.txt";
    EXPECT_FALSE(StartLog(missing.string().c_str(), "C:\\prog\\Ledgerpad.exe"));
    EXPECT_FALSE(IsLogOn());
    EXPECT_EQ(std::string(LogFilePath()), "C:\\Tallwood\\Ledgerpad\\Log.txt");
}

TEST(Log, UnwritableLogFileDropsTheLine) {
    LogCapture log;
    ASSERT_TRUE(log.Started());
    std::filesystem::remove_all(log.Folder());  // the log's folder is gone
    EXPECT_FALSE(WriteLog("lost"));
}
