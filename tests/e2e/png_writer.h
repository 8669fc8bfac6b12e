// A small PNG encoder for screenshots: 8-bit RGB, one IDAT chunk, deflate
// with the fixed Huffman code and matches against the previous byte, the
// previous pixel and the row above, which is what flat window surfaces need
// to shrink from megabytes to kilobytes.
#pragma once

#include <cstdint>
#include <vector>

namespace e2e {

// rgb holds height rows of width pixels, top row first, 3 bytes a pixel.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace e2e
