// Limits and names shared by the storage classes.
#pragma once

#include "base/path_size.h"

// Data folders: <root>\TallwoodWorks\<product>\ under both the documents
// and the application-data folder.
inline constexpr const char kMakerFolder[] = "\\TallwoodWorks";
inline constexpr const char kPathSeparator[] = "\\";
inline constexpr const char kProductName[] = "Ledgerpad";
inline constexpr const char kOptionsFileName[] = "Options.dta";
