// Switches the diagnostic log on into a scratch folder with a clock the test
// sets, and reads the lines back.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "base/log.h"

class LogCapture {
public:
    LogCapture() {
        static int counter = 0;
        m_Folder = std::filesystem::temp_directory_path() /
                   ("ledger-log-" + std::to_string(Pid()) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(m_Folder / "program");
        s_Milliseconds = 0;
        SetLogClock(FakeClock);
        // The log goes to the folder of the program path, cut at its last "\".
        std::string program = (m_Folder / "program").string() + "\\Ledgerpad.exe";
        m_Started = StartLog((m_Folder / "probe.txt").string().c_str(), program.c_str());
    }
    ~LogCapture() {
        StopLogForTesting();
        SetLogClock(nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(m_Folder, ignored);
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    bool Started() const { return m_Started; }
    const std::filesystem::path& Folder() const { return m_Folder; }
    static void SetMilliseconds(unsigned long ms) { s_Milliseconds = ms; }

    std::string Raw() const {
        std::ifstream in(LogFilePath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Every line, without its line end.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::string raw = Raw();
        std::size_t start = 0;
        for (std::size_t end; (end = raw.find('\n', start)) != std::string::npos; start = end + 1) {
            std::string line = raw.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    // The messages logged after the three heading lines, time stamps cut.
    std::vector<std::string> Messages() const {
        std::vector<std::string> messages;
        std::vector<std::string> lines = Lines();
        for (std::size_t i = 3; i < lines.size(); ++i) {
            std::size_t tab = lines[i].find(":\t");
            messages.push_back(tab == std::string::npos ? lines[i] : lines[i].substr(tab + 2));
        }
        return messages;
    }

private:
    static unsigned long FakeClock() { return s_Milliseconds; }
    static int Pid();

    static inline unsigned long s_Milliseconds = 0;
    std::filesystem::path m_Folder;
    bool m_Started = false;
};

#if defined(_WIN32)
#include <process.h>
inline int LogCapture::Pid() { return _getpid(); }
#else
#include <unistd.h>
inline int LogCapture::Pid() { return static_cast<int>(getpid()); }
#endif
