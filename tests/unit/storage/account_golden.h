// Expected file bytes, written out field by field at the offsets of the
// account file and information file formats (not produced by the code under
// test).
#pragma once

#include <cstring>
#include <vector>

namespace account_golden {

using Bytes = std::vector<unsigned char>;

inline void PutText(Bytes& b, std::size_t at, const char* text) {
    std::memcpy(b.data() + at, text, std::strlen(text));
}
inline void PutDouble(Bytes& b, std::size_t at, double v) { std::memcpy(b.data() + at, &v, 8); }
inline void PutU16(Bytes& b, std::size_t at, unsigned v) {
    b[at] = static_cast<unsigned char>(v & 0xFF);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}

// Record i (0 = the first after the header) of a hand-made image.
inline void PutRecord(Bytes& b, std::size_t index, const char* mark, const char* date,
                      unsigned year, unsigned day, const char* desc, double payment = 0,
                      double deposit = 0) {
    const std::size_t at = 128 * (index + 1);
    PutText(b, at, mark);
    PutText(b, at + 2, date);
    PutU16(b, at + 11, year);
    PutU16(b, at + 13, day);
    PutText(b, at + 22, desc);
    PutDouble(b, at + 112, payment);
    PutDouble(b, at + 120, deposit);
}

// The account file of a new account "Checking" with statement balance
// 100.00 on 15 January 2026: the header and the opening-balance record.
inline Bytes NewAccountFile() {
    Bytes b(256, 0);
    b[0] = 0xFE;
    PutText(b, 2, "Checking");
    PutDouble(b, 91, 100.0);
    PutText(b, 99, "20260115");
    PutU16(b, 108, 2026);
    PutU16(b, 110, 15);
    PutRecord(b, 0, "R", "20260115", 2026, 15, "OPENING BALANCE", 0.0, 100.0);
    return b;
}

// The information file with seven empty texts: 44 bytes.
inline Bytes EmptyInfoFile() {
    return {0x08, 0x00, 0x00, 0x00, 'L', 'D', 'G', 'R', 'I', 'N', 'F', 'O', 0xCD, 0xAB, 0x11, 0xEF,
            0,    0,    0,    0,    0,   0,   0,   0,   0,   0,   0,   0,   0,    0,    0,    0,
            0,    0,    0,    0,    0,   0,   0,   0,   0,   0,   0,   0};
}

}  // namespace account_golden
