#include "register/register_state.h"

RecordNode* g_RowSlots[kRegisterRows] = {};
int g_count_rec_displayed = -1;
int g_OnLastRecord = 0;
int g_nPosition = 0;
int g_iMaxSlideValue = 0;
eventMsg g_eventMsg;
