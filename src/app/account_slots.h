// The account-file slots: each slot is one file name in the accounts
// folder. Slot 0 is the folder itself (empty name); slot 1 is the user's
// first account, slot 2 the sample account, slots 3 to 10 the further
// accounts the user may create.
#pragma once

#include "storage/storage_constants.h"

inline constexpr int kAccountSlotCount = 11;
inline constexpr int kFolderSlot = 0;
inline constexpr int kFirstAccountSlot = 1;
inline constexpr int kSampleAccountSlot = 2;

inline constexpr const char* const kAccountSlotNames[kAccountSlotCount] = {
    "",           "LEDGR1.LPD", "SAMPLE.LPD", "LEDGR2.LPD", "LEDGR3.LPD", "LEDGR4.LPD",
    "LEDGR5.LPD", "LEDGR6.LPD", "LEDGR7.LPD", "LEDGR8.LPD", "LEDGR9.LPD",
};

// Full paths of the slots, built at start-up from the accounts folder.
extern char g_AccountSlotPaths[kAccountSlotCount][kPathSize];

// Fills g_AccountSlotPaths; the data folders must be prepared first.
void BuildAccountSlotPaths();
