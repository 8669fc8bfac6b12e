// The account information: seven free texts (bank, address, phone, ...)
// kept in a file beside each account file. The file holds the version text
// and number, then the seven texts, each scrambled, as typed-stream values.
// The texts are class-wide: every object, a dialog's temporary one too,
// reads and sets the one set of information of the open account.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "storage/serializable_base.h"

// Indexes of the seven texts, in file order.
inline constexpr int kInfoInstitution = 0;
inline constexpr int kInfoAddress = 1;     // several lines (CR LF)
inline constexpr int kInfoPhone = 2;
inline constexpr int kInfoAccountNumber = 3;
inline constexpr int kInfoAccountType = 4;
inline constexpr int kInfoInterestRate = 5;
inline constexpr int kInfoNotes = 6;       // several lines
inline constexpr int kInfoFieldCount = 7;

// A message for an information file that cannot be read: its path and the
// reason follow (titled "File Read Error").
inline constexpr char kInfoReadErrorText[] = "The account information file could not be read:\n";

// The information file as read before it is taken over.
struct SavedInfoFile {
    enum class State { Read, Missing, Unreadable };
    State state = State::Missing;
    std::vector<unsigned char> bytes;  // Read: every byte of the file
    std::string reason;                // Unreadable: why, for the user
};

class AccountInfo : public SerializableBase {
public:
    static constexpr std::string_view ms_VersionText = "LDGRINFO";
    static constexpr std::uint32_t ms_VersionNumber = 0xEF11ABCDu;

    void Serialize(SerializerBase& writer) override;
    // Throws ExceptionsAccountInfo for a foreign version; lets
    // ExceptionsDeSerializer pass. Texts read before a failure stay set.
    void DeSerialize(DeSerializerBase& reader) override;
    ~AccountInfo() override = default;

    // Win32 (account_info_win.cpp); not virtual, so that the
    // native build links without them. Save writes the information file of
    // the account crash-safely and never throws; it returns false when the
    // file could not be written (the old one is then intact), with the
    // system's error code in *error when given.
    bool Save(const char* accountFile, unsigned long* error = nullptr);
    // Reads the information file of the account into the texts. A missing,
    // damaged or foreign file leaves the texts read so far (none: empty)
    // and is written anew from them. A file that is there but cannot be
    // opened or read in full (in use, no rights) is no missing file: the
    // texts and the file stay as they were, and the result is false.
    // Never throws. The two steps below are the same, for an open that must
    // refuse the account before anything of the open one changes.
    bool LoadSaved(const char* accountFile);
    SavedInfoFile ReadSavedFile(const char* accountFile);
    bool TakeSaved(const char* accountFile, const SavedInfoFile& file);

    // Platform-free: the texts from a file's bytes. False when they are no
    // valid record; the texts read so far then stay set (the rest empty).
    bool TakeImage(const std::vector<unsigned char>& bytes);

    // The account file name with "I" before its last four characters
    // (LEDGR1.LPD -> LEDGR1I.LPD); also kept as this object's file name.
    const std::string& InfoFileName(const char* accountFile);
    const std::string& FileName() const { return m_FileName; }

    // Field access by index 0..6; any other index reads as empty and
    // setting it does nothing.
    static const std::string& GetField(int index);
    static std::size_t GetFieldLength(int index);
    static void SetField(int index, std::string_view text);
    static void ClearFields();

    // The stored form of a text and back: each byte shifted by the key
    // byte of its position, wrapping; the length stays the same.
    static std::string Scramble(std::string_view plain);
    static std::string Unscramble(std::string_view stored);

private:
    std::string m_FileName;
    static std::string ms_Fields[kInfoFieldCount];
};
