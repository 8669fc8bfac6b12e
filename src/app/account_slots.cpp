#include "app/account_slots.h"

#include "storage/data_folders.h"

char g_AccountSlotPaths[kAccountSlotCount][kPathSize] = {};

void BuildAccountSlotPaths() {
    for (int slot = 0; slot < kAccountSlotCount; ++slot) {
        BuildAccountPath(g_AccountSlotPaths[slot], kAccountSlotNames[slot]);
    }
}
