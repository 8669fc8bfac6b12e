// Limits and names shared by the storage classes.
#pragma once

#include <cstddef>

// Every built path lives in a buffer of this size: at most 771 characters
// and the terminating zero. Longer paths are cut, never overflowed.
inline constexpr std::size_t kPathSize = 772;
inline constexpr std::size_t kMaxPathLength = kPathSize - 1;

// Data folders: <root>\TallwoodWorks\<product>\ under both the documents
// and the application-data folder.
inline constexpr const char kMakerFolder[] = "\\TallwoodWorks";
inline constexpr const char kPathSeparator[] = "\\";
inline constexpr const char kProductName[] = "Ledgerpad";
inline constexpr const char kOptionsFileName[] = "Options.dta";

// The diagnostic log: created here first to see whether logging is wanted.
inline constexpr const char kInitialLogPath[] = "C:\\Tallwood\\Ledgerpad\\Log.txt";
inline constexpr const char kLogFileName[] = "\\Log.txt";
