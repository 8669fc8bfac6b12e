// DataFile: access to account files, one object for every account file in
// turn. Reading takes the header block and every whole record block;
// writing puts the complete file in place crash-safely. Between two
// operations no account file is held open. Win32 (data_file_win.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/account.h"
#include "storage/account_image.h"
#include "storage/file_messages.h"
#include "storage/save_attempt.h"
#include "storage/save_messages.h"
#include "storage/whole_file.h"

struct HWND__;

// What a read of an account file came to. The window that asked turns a
// failure into its message (ui/storage_messages.h).
enum class AccountReadResult {
    Read,
    CannotOpen,      // "Unable to open account <name>."
    ReadFailed,      // cut short: the path and ReadFailure() follow the text
    NotAccountFile,  // no header, or damaged
    DamagedAmount,   // an amount is no number: the path and ReadFailure() follow the text
};

inline constexpr std::size_t kDataFileNameSize = 260;  // 259 characters and a NUL

// Files larger than this are no checkbook (millions of transactions) and are
// refused as damaged instead of being read into memory.
inline constexpr std::uint64_t kLargestAccountFile = kLargestWholeFile;

inline constexpr const char kUnableToOpenText[] = "Unable to open account %s.";
// A read that fails or ends early: the file's path and the reason follow.
inline constexpr const char kAccountReadErrorText[] = "The account file could not be read:\n";
inline constexpr const char kFileTypeErrorTitle[] = "File Type Error";
inline constexpr const char kNotAccountFileText[] =
    "This is not a Ledgerpad file or the file has been damaged.";

class DataFile {
public:
    DataFile() = default;
    ~DataFile() { CloseFile(); }
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    // Window that owns the file messages (the main window); none until set.
    // The file itself never shows them.
    void SetOwner(HWND__* owner) { m_Owner = owner; }
    HWND__* Owner() const { return m_Owner; }

    // Opens an account: the whole file in one read, the header checked
    // (size and marker), then one record per whole block after it, or one
    // blank record. Any other result than Read leaves account untouched.
    AccountReadResult ReadAccountFile(const char* name, Account& account);
    // Why the last read was cut short (ReadFailed).
    const std::string& ReadFailure() const { return m_ReadFailure; }

    // Saves an account: the header and every record from head to tail
    // written as one image to a file beside the target, flushed, then put
    // in its place. On any failure the previous file stays as it was and
    // the failure is recorded in the current save attempt (save_attempt.h),
    // which says whether the user is still to be told.
    SaveResult WriteAccountFile(const char* name, Account& account);

    // Single steps, used where only the header is wanted (account lists).
    // False when the file cannot be opened ("Unable to open account").
    bool OpenFileForReading(const char* name);
    void CloseFile();
    // One block at the current position; false when 128 bytes could not
    // be read (the rest of the block is then zero). Text fields come back
    // terminated within their width.
    bool ReadAccountData(AccountHeader& header);
    bool IsOpen() const { return m_hFile != nullptr; }
    // Whether a file or folder of that name exists.
    static bool FileExists(const char* name);

    // Records of the last account read or written.
    std::uint32_t RecordCount() const { return m_RecordCount; }

private:
    bool TakeName(const char* name);
    bool ReadBlock(void* block);
    SaveResult SaveFailed(const char* name, unsigned long error) const;

    std::uint32_t m_RecordCount = 0;
    char m_FileName[kDataFileNameSize] = {};
    std::string m_ReadFailure;
    std::uint32_t m_DesiredAccess = 0xC0000000u;  // GENERIC_READ | GENERIC_WRITE
    std::uint32_t m_ShareMode = 0;                // no sharing while open
    std::uint32_t m_CreationDisposition = 0;
    void* m_hFile = nullptr;
    HWND__* m_Owner = nullptr;
    // Short pieces of a save on their way out, kept between saves. The
    // records themselves go out from where they lie.
    std::vector<unsigned char> m_Staging;
};

// The program's one DataFile.
extern DataFile g_DataFile;
