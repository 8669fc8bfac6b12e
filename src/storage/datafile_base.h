// Whole-file access for the options file: DataFileInput reads a file in one
// piece, DataFileOutput replaces one in one piece. Win32 (datafile_base_win.cpp).
#pragma once

#include <cstdint>
#include <string>

#include "storage/atomic_file.h"
#include "storage/storage_constants.h"

inline constexpr int kDataFileWrite = 0;      // GENERIC_WRITE, CREATE_ALWAYS
inline constexpr int kDataFileReadWrite = 1;  // GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING

// Opens the named file by mode. Mode 0 (write) opens nothing here: the
// output replaces the file crash-safely through a temporary file instead of
// emptying it in place. A file that cannot be opened leaves the object
// closed; the operations report that when they are used.
class DataFileBase {
public:
    DataFileBase(const char* fileName, int mode);
    virtual ~DataFileBase();
    DataFileBase(const DataFileBase&) = delete;
    DataFileBase& operator=(const DataFileBase&) = delete;

    bool IsOpen() const { return m_Handle != nullptr; }
    // GetLastError when the file could not be opened, else 0.
    unsigned long OpenError() const { return m_OpenError; }
    const char* FileName() const { return m_FileName; }

protected:
    void Close();

    char m_FileName[kPathSize] = {};
    int m_Mode;
    unsigned long m_DesiredAccess = 0;
    unsigned long m_ShareMode = 0;
    unsigned long m_CreationDisposition = 0;
    void* m_Handle = nullptr;
    unsigned long m_OpenError = 0;
};

class DataFileInput : public virtual DataFileBase {
public:
    explicit DataFileInput(const char* fileName);
    // The whole file into buffer: the count read, or 0 when the file is
    // missing, empty, larger than capacity or not read completely.
    std::uint32_t Read(void* buffer, std::uint32_t capacity);
    // After Read: the file is there but could not be opened or read in full
    // (in use, no rights, a failed read), and why. A missing, empty or
    // oversized file is not unreadable.
    bool Unreadable() const { return !m_Failure.empty(); }
    const std::string& Failure() const { return m_Failure; }

private:
    std::uint32_t m_FileSize = 0;
    std::string m_Failure;
};

// What a replacement of a whole file came to. The window that asked tells
// the user of a Failed write (ui/storage_messages.h), or words its own
// message for the whole operation.
enum class FileWriteResult {
    Written,
    NotWritten,  // the file could not be created, or was never to be written
    Failed,      // the write or the replacement failed; the old file stays
};

class DataFileOutput : public virtual DataFileBase {
public:
    explicit DataFileOutput(const char* fileName);
    // Replaces the file with the bytes. NotWritten at once when the file
    // could not be created; a failed write leaves the old file as it was.
    FileWriteResult Write(const void* buffer, std::uint32_t count);

private:
    AtomicFileWriter m_File;
    std::uint32_t m_BytesWritten = 0;
};
