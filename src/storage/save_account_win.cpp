#include <windows.h>

#include "model/account.h"
#include "storage/acct_info_credit_card.h"
#include "storage/data_file.h"
#include "storage/save_account.h"
#include "storage/save_attempt.h"
#include "ui/message_box.h"

char g_CurrentAccountFile[kPathSize] = {};

namespace {

FocusedNodeSource g_focusedNode = nullptr;

void SortFocusedRecord() {
    RecordNode* node = g_focusedNode ? g_focusedNode() : nullptr;
    if (node == nullptr) return;
    g_Account.MoveRecordBack(node);
    g_Account.MoveRecordForward(node);
}

}  // namespace

void SetFocusedNodeSource(FocusedNodeSource source) { g_focusedNode = source; }

bool SaveAccount() {
    if (!g_Account.isOpen) {
        g_NeedsSaving = 0;
        ShowMessage(g_DataFile.Owner(), kNoAccountToSaveText, kNoAccountToSaveTitle,
                    MB_OK | MB_ICONINFORMATION);
        return false;
    }
    // A save of this action failed already: the change stays pending for
    // the next action, without a second message.
    if (!SaveAttempt::MayTry()) return false;
    SortFocusedRecord();

    const bool accountSaved = g_DataFile.WriteAccountFile(g_CurrentAccountFile, g_Account);
    // The information file is written even when the account file was not:
    // its texts may be the change being saved.
    AccountInfo info;
    unsigned long infoError = 0;
    const bool infoSaved = info.Save(g_CurrentAccountFile, &infoError);
    if (accountSaved && !infoSaved) ReportSaveFailure(g_DataFile.Owner(), info.FileName(), infoError);

    // Cleared only by a complete save: a failed one is retried next time.
    g_NeedsSaving = accountSaved && infoSaved ? 0 : 1;
    return accountSaved && infoSaved;
}
