// Shared by the account-file tests that run under Wine: a temporary folder
// of real files, and message boxes captured instead of shown.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "storage/atomic_file.h"
#include "storage/whole_file.h"
#include "ui/message_box.h"

namespace account_files_test {

using Bytes = std::vector<unsigned char>;

struct ShownBox {
    HWND owner;
    std::string text;
    std::string title;
    unsigned type;
};

inline std::vector<ShownBox>& ShownBoxes() {
    static std::vector<ShownBox> boxes;
    return boxes;
}

inline int CaptureBox(HWND owner, const char* text, const char* title, unsigned type) {
    ShownBoxes().push_back({owner, text ? text : "", title ? title : "", type});
    return IDOK;
}

inline Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Names of the entries of a folder, "." and ".." left out.
inline std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// A fresh folder under the temporary folder, emptied and removed afterwards;
// message boxes are captured for the test's length.
class AccountFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "ledger-storage2-" + std::to_string(GetCurrentProcessId()) +
                  "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        RemoveFolder();
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
        ShownBoxes().clear();
        previousBox_ = SetMessageBoxFunction(CaptureBox);
    }

    void TearDown() override {
        SetMessageBoxFunction(previousBox_);
        ClearAtomicFileFaultsForTesting();
        ClearFileReadFaultsForTesting();
        RemoveFolder();
    }

    std::string Path(const std::string& name) const { return folder_ + "\\" + name; }
    const std::string& Folder() const { return folder_; }

private:
    void RemoveFolder() {
        for (const std::string& name : FolderEntries(folder_)) {
            SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(Path(name).c_str());
        }
        RemoveDirectoryA(folder_.c_str());
    }

    std::string folder_;
    MessageBoxFunction previousBox_ = nullptr;
};

// Holds a file open without any sharing, as another program might.
class HeldOpen {
public:
    explicit HeldOpen(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldOpen() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

}  // namespace account_files_test
