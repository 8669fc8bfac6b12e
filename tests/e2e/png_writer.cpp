#include "png_writer.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace e2e {
namespace {

constexpr size_t kMinMatch = 3;
constexpr size_t kMaxMatch = 258;

constexpr std::array<uint16_t, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<uint16_t, 30> kDistBase = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                                33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                                1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<uint8_t, 30> kDistExtra = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr size_t kMaxDistance = 32768;

// Deflate packs bits from the least significant end; Huffman codes go in
// most significant bit first.
class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
    void Put(uint32_t bits, int count) {
        acc_ |= static_cast<uint64_t>(bits) << used_;
        used_ += count;
        while (used_ >= 8) {
            out_.push_back(static_cast<uint8_t>(acc_ & 0xFF));
            acc_ >>= 8;
            used_ -= 8;
        }
    }
    void PutCode(uint32_t code, int length) {
        uint32_t reversed = 0;
        for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
        Put(reversed, length);
    }
    void Flush() {
        if (used_ > 0) out_.push_back(static_cast<uint8_t>(acc_ & 0xFF));
        acc_ = 0;
        used_ = 0;
    }

private:
    std::vector<uint8_t>& out_;
    uint64_t acc_ = 0;
    int used_ = 0;
};

void PutSymbol(BitWriter& bits, int symbol) {
    if (symbol <= 143) bits.PutCode(0x30 + symbol, 8);
    else if (symbol <= 255) bits.PutCode(0x190 + symbol - 144, 9);
    else if (symbol <= 279) bits.PutCode(symbol - 256, 7);
    else bits.PutCode(0xC0 + symbol - 280, 8);
}

template <size_t N>
size_t BucketOf(const std::array<uint16_t, N>& bases, size_t value) {
    size_t i = N - 1;
    while (bases[i] > value) --i;
    return i;
}

void PutMatch(BitWriter& bits, size_t length, size_t distance) {
    size_t l = BucketOf(kLengthBase, length);
    PutSymbol(bits, 257 + static_cast<int>(l));
    bits.Put(static_cast<uint32_t>(length - kLengthBase[l]), kLengthExtra[l]);
    size_t d = BucketOf(kDistBase, distance);
    bits.PutCode(static_cast<uint32_t>(d), 5);
    bits.Put(static_cast<uint32_t>(distance - kDistBase[d]), kDistExtra[d]);
}

size_t MatchLength(const std::vector<uint8_t>& data, size_t pos, size_t distance) {
    if (distance > pos || distance > kMaxDistance) return 0;
    size_t limit = std::min(kMaxMatch, data.size() - pos);
    size_t n = 0;
    while (n < limit && data[pos + n] == data[pos + n - distance]) ++n;
    return n;
}

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& data, size_t stride) {
    std::vector<uint8_t> out;
    BitWriter bits(out);
    bits.Put(1, 1);  // final block
    bits.Put(1, 2);  // fixed Huffman code
    const size_t candidates[] = {1, 3, stride};
    size_t pos = 0;
    while (pos < data.size()) {
        size_t best = 0, bestDistance = 0;
        for (size_t distance : candidates) {
            size_t n = MatchLength(data, pos, distance);
            if (n > best) best = n, bestDistance = distance;
        }
        if (best >= kMinMatch) {
            PutMatch(bits, best, bestDistance);
            pos += best;
        } else {
            PutSymbol(bits, data[pos++]);
        }
    }
    PutSymbol(bits, 256);
    bits.Flush();
    return out;
}

uint32_t Adler32(const std::vector<uint8_t>& data) {
    uint32_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

uint32_t Crc32(const uint8_t* p, size_t n, uint32_t crc = 0) {
    static const auto table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < n; ++i) crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& png, std::string_view type, const std::vector<uint8_t>& body) {
    PutBigEndian(png, static_cast<uint32_t>(body.size()));
    size_t start = png.size();
    png.insert(png.end(), type.begin(), type.end());
    png.insert(png.end(), body.begin(), body.end());
    PutBigEndian(png, Crc32(png.data() + start, png.size() - start));
}

}  // namespace

std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb) {
    const size_t row = static_cast<size_t>(width) * 3;
    if (width <= 0 || height <= 0 || rgb.size() != row * static_cast<size_t>(height)) return {};

    // Every scan line starts with its filter type; 0 keeps the bytes as they are.
    std::vector<uint8_t> raw;
    raw.reserve((row + 1) * height);
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), rgb.begin() + y * row, rgb.begin() + (y + 1) * row);
    }
    std::vector<uint8_t> zlib = {0x78, 0x01};
    std::vector<uint8_t> deflated = Deflate(raw, row + 1);
    zlib.insert(zlib.end(), deflated.begin(), deflated.end());
    PutBigEndian(zlib, Adler32(raw));

    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter set, no interlace

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", {});
    return png;
}

}  // namespace e2e
