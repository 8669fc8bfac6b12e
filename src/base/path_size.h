// The size of every path buffer of the program.
#pragma once

#include <cstddef>

// Every built path lives in a buffer of this size: at most 771 characters
// and the terminating zero. Longer paths are cut, never overflowed.
inline constexpr std::size_t kPathSize = 772;
inline constexpr std::size_t kMaxPathLength = kPathSize - 1;
