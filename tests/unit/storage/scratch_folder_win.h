// Real files for Win32 tests: a fresh folder under the temporary folder,
// removed with everything in it at the end; and message boxes captured
// instead of shown.
#pragma once

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "base/wide_path_win.h"
#include "ui/message_box.h"

using FileBytes = std::vector<unsigned char>;

// Paths are UTF-8, as the program keeps them, and reach the system through
// its wide calls, so that a test may name files in any script.
class ScratchFolder {
public:
    // name: how the folder's name starts (UTF-8).
    explicit ScratchFolder(const std::string& name = "ledger-storage-") {
        static int counter = 0;
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        m_Path = NarrowPath(temp) + name + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        std::error_code ignored;
        std::filesystem::remove_all(WidePath(m_Path), ignored);
        CreateDirectoryW(WidePath(m_Path).c_str(), nullptr);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(WidePath(m_Path), ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_Path; }
    std::string Path(const std::string& name) const { return m_Path + "\\" + name; }

private:
    std::string m_Path;
};

inline void WriteFileBytes(const std::string& path, const FileBytes& bytes) {
    SetFileAttributesW(WidePath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    std::ofstream out(std::filesystem::path(WidePath(path)), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline FileBytes ReadFileBytes(const std::string& path) {
    std::ifstream in(std::filesystem::path(WidePath(path)), std::ios::binary);
    return FileBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool FileExists(const std::string& path) {
    return GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The names of the folder's files, sorted: what a save left beside its
// target, temporary files included.
inline std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(WidePath(folder), ignored))
        names.push_back(NarrowPath(entry.path().filename().c_str()));
    std::sort(names.begin(), names.end());
    return names;
}

inline bool FolderExists(const std::string& path) {
    DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Holds a file open without any sharing, as another program using it would.
class ExclusiveHold {
public:
    explicit ExclusiveHold(const std::string& path)
        : m_Handle(CreateFileW(WidePath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~ExclusiveHold() {
        if (m_Handle != INVALID_HANDLE_VALUE) CloseHandle(m_Handle);
    }
    ExclusiveHold(const ExclusiveHold&) = delete;
    ExclusiveHold& operator=(const ExclusiveHold&) = delete;
    bool Held() const { return m_Handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_Handle;
};

struct CapturedBox {
    HWND owner;
    std::string text;
    std::string title;
    unsigned type;
};

// Message boxes are recorded and answered with IDOK while this lives.
class MessageBoxCapture {
public:
    MessageBoxCapture() : m_Previous(SetMessageBoxFunction(Record)) { Boxes().clear(); }
    ~MessageBoxCapture() { SetMessageBoxFunction(m_Previous); }
    MessageBoxCapture(const MessageBoxCapture&) = delete;
    MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

    static std::vector<CapturedBox>& Boxes() {
        static std::vector<CapturedBox> boxes;
        return boxes;
    }

private:
    static int Record(HWND owner, const char* text, const char* title, unsigned type) {
        Boxes().push_back({owner, text ? text : "", title ? title : "", type});
        return IDOK;
    }
    MessageBoxFunction m_Previous;
};
