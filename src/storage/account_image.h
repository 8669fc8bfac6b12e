// The account file as bytes: a 128-byte AccountHeader block followed by one
// 128-byte AcctRecord block per transaction, in list order, with no count,
// version or checksum. Turning a file image into the open account and back
// needs no Windows, so the reader can be fuzzed and tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/account.h"

// Number of whole transaction blocks in a file of this size; the bytes of
// a last incomplete block do not count. A file of 128 bytes or less has none.
std::uint64_t CountRecordBlocks(std::uint64_t fileSize);

// True when the image starts with a whole header block whose first byte is
// the account file marker (0xFE).
bool IsAccountFileImage(const unsigned char* bytes, std::size_t size);

// Cuts every text field that lacks its terminating NUL at its width, so a
// damaged block can never make a reader run past the field. Bytes after a
// NUL are left as they are.
void TerminateTextFields(AccountHeader& header);
void TerminateTextFields(AcctRecord& record);

// Where a damaged image holds an amount that is no finite number (infinity
// or not-a-number would make every balance and every amount shown
// meaningless). The image must pass IsAccountFileImage.
struct AmountDamage {
    bool header = false;        // the statement balance
    std::uint64_t record = 0;   // else the transaction, 1-based in file order; 0: none
    explicit operator bool() const { return header || record != 0; }
};
AmountDamage FindDamagedAmount(const unsigned char* bytes, std::size_t size);
// What the user is told about it, after the file's path.
std::string AmountDamageReason(const AmountDamage& damage);

// Replaces the list and header of account with the contents of a file
// image: one appended record per whole block after the header, or a single
// blank record when there is none. An image that IsAccountFileImage refuses
// leaves account untouched and returns false. The open flag, view,
// positions and balances are the caller's.
bool LoadAccountImage(const unsigned char* bytes, std::size_t size, Account& account);
// The same for an image the account may keep: its records stay where they
// are in bytes, which becomes their memory (a file read whole opens without
// a second copy of its records).
bool LoadAccountImage(std::unique_ptr<unsigned char[]> bytes, std::size_t size, Account& account);

// The complete file image of account (as BuildAccountImage below makes it)
// handed to write in pieces, in file order. Records that lie one after
// another in memory go out as one piece, straight from the account; short
// runs are gathered in staging first, so a list that edits have mixed up
// still makes few pieces, and a small account makes one. Stops at the
// first piece write refuses (false).
using ImagePieceWriter = std::function<bool(const unsigned char* bytes, std::size_t size)>;
bool WriteAccountImage(Account& account, std::vector<unsigned char>& staging, const ImagePieceWriter& write);

// The complete file image of account: its header, then every record of the
// list from head to tail whatever the view, except blank records at the
// tail (the register's row for typing). Walks the list with the account's
// write cursor, as a save does.
// The buffer is kept for the next build when it is large enough.
struct AccountImage {
    std::unique_ptr<unsigned char[]> bytes;  // not zero-filled first: every byte is copied
    std::size_t size = 0;
    std::size_t capacity = 0;
};
// Makes room for size bytes, keeping the buffer when it is large enough;
// false when the memory cannot be had.
bool ReserveImage(AccountImage& image, std::size_t size);
// False (image empty) when the memory for the image cannot be had.
bool BuildAccountImage(Account& account, AccountImage& image);
void BuildAccountImage(Account& account, std::vector<unsigned char>& image);
