// The register's process-wide state: which record each of the 19 rows
// shows, how many rows are filled, and the scroll bar's last values.
#pragma once

#include "register/event_msg.h"
#include "register/register_layout.h"

struct RecordNode;

// The node shown in each row, or nullptr for an empty row.
extern RecordNode* g_RowSlots[kRegisterRows];
// Row index of the last filled row; -1 when no row is filled.
extern int g_count_rec_displayed;
// Set at the start of each event when the focused row shows the account's
// tail record and the row below it is empty (below row 18 counts as empty).
extern int g_OnLastRecord;
// The last scroll-bar thumb position, and the scroll bar's largest value.
extern int g_nPosition;
extern int g_iMaxSlideValue;
// Filled by the event sources; RunWindowMR gets a copy.
extern eventMsg g_eventMsg;

inline bool IsFilledRow(int row) { return row >= 0 && row <= g_count_rec_displayed; }
