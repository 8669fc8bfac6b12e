// The options record: the 813 bytes of Options.dta. In memory both texts
// are plain; in the file the most-recent path and the password are
// scrambled, and the bytes after the path's NUL carry a pseudo-random fill
// that depends only on the path's length (so equal saves give equal files).
#pragma once

#include <cstddef>
#include <cstdint>

#include "storage/storage_constants.h"

inline constexpr std::size_t kOptionsRecordSize = 813;
inline constexpr std::size_t kPasswordSize = 9;  // 8 characters and a NUL
inline constexpr std::size_t kMaxPasswordLength = kPasswordSize - 1;

inline constexpr std::int32_t kOptionsSignature = -3;
inline constexpr std::int32_t kShowNormal = 1;
inline constexpr std::int32_t kShowMaximized = 3;
inline constexpr std::int32_t kDefaultWindowWidth = 800;
inline constexpr std::int32_t kDefaultWindowHeight = 600;

// The scrambling key of the options file. Never change it: saved passwords
// and most-recent paths could no longer be read.
inline constexpr unsigned char kOptionsKey[kPasswordSize] = {0x5A, 0x17, 0xC3, 0x3E, 0x91,
                                                             0x6D, 0xA8, 0x24, 0xF5};

#pragma pack(push, 1)
struct OptionsRecord {
    std::int32_t signature;
    std::int32_t dateFormat;
    std::int32_t showState;       // 1 normal, 3 maximized
    std::int32_t savedShowState;  // the show state copied by each save
    std::int32_t left;
    std::int32_t top;
    std::int32_t width;
    std::int32_t height;
    char mostRecent[kPathSize];   // full path of the account file, or empty
    char password[kPasswordSize]; // empty when no password is set
};
#pragma pack(pop)
static_assert(sizeof(OptionsRecord) == kOptionsRecordSize, "Options.dta is 813 bytes");

OptionsRecord DefaultOptionsRecord();

// In place, over all 9 bytes: stored = plain - K[i]; and back.
void ScramblePassword(char (&password)[kPasswordSize]);
// Also makes the text end within the field: a missing NUL cuts it at 8
// characters, and the bytes after the NUL become 0.
void UnscramblePassword(char (&password)[kPasswordSize]);

// In place: the text and its NUL minus K[j] (j = 0..7, round and round),
// then the pseudo-random fill. A text without its NUL is cut at 771.
void ScrambleMostRecent(char (&path)[kPathSize]);
// The first byte that comes out as 0 ends the text; it and all bytes after
// it become 0. Without such a byte the text is cut at 771 characters.
void UnscrambleMostRecent(char (&path)[kPathSize]);

// The file image of a plain record: little-endian numbers, scrambled texts.
void EncodeOptionsRecord(const OptionsRecord& plain, unsigned char (&image)[kOptionsRecordSize]);

// A valid image is exactly 813 bytes with signature -3, a date format of 0
// to 3 and both show states 1 or 3. Only then is `plain` set (texts
// unscrambled) and true returned.
bool DecodeOptionsRecord(const unsigned char* bytes, std::size_t size, OptionsRecord& plain);

// The most-recent path taken over into the current accounts folder: the
// folder followed by the old path's last component ("\", "/" and ":" all
// end a component), so that an options file cannot point elsewhere. A
// last component of "", "." or ".." names no account and empties the path.
void RebuildMostRecentPath(char (&path)[kPathSize], const char* accountsFolder);
