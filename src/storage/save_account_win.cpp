#include <windows.h>

#include "model/account.h"
#include "storage/account_info.h"
#include "storage/data_file.h"
#include "storage/save_account.h"
#include "storage/save_attempt.h"
#include "values/date.h"

char g_CurrentAccountFile[kPathSize] = {};
AccountHistory g_AccountHistory;

namespace {

std::string ShownDate(const char* stored) { return g_Date.ToDisplay(stored); }

FocusedNodeSource g_focusedNode = nullptr;

void SortFocusedRecord() {
    RecordNode* node = g_focusedNode ? g_focusedNode() : nullptr;
    if (node == nullptr) return;
    g_Account.MoveRecordBack(node);
    g_Account.MoveRecordForward(node);
}

}  // namespace

void SetFocusedNodeSource(FocusedNodeSource source) { g_focusedNode = source; }

SaveResult SaveOpenAccount() {
    if (!g_Account.isOpen) {
        g_Account.needsSaving = 0;
        return SaveResult::NoAccount;
    }
    // A save of this action failed already: the change stays pending for
    // the next action, without a second message.
    if (!SaveAttempt::MayTry()) return SaveResult::FailedUntold;
    SortFocusedRecord();

    SaveResult result = g_DataFile.WriteAccountFile(g_CurrentAccountFile, g_Account);
    // The information file is written even when the account file was not:
    // its texts may be the change being saved.
    AccountInfo info;
    unsigned long infoError = 0;
    const bool infoSaved = info.Save(g_CurrentAccountFile, &infoError);
    if (result == SaveResult::Saved && !infoSaved)
        result = SaveAttempt::RecordFailure(info.FileName(), infoError);

    // Cleared only by a complete save: a failed one is retried next time.
    g_Account.needsSaving = result == SaveResult::Saved ? 0 : 1;
    if (result == SaveResult::Saved) g_AccountHistory.Saved(g_Account, ShownDate);
    return result;
}
