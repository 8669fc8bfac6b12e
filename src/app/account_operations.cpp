#include "app/account_operations.h"

#include "app/account_lifecycle.h"
#include "app/account_slots.h"
#include "app/command_dispatch.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "model/model_texts.h"
#include "register/multi_records.h"
#include "register/register_display.h"
#include "base/bounded_text.h"
#include "storage/data_file.h"
#include "storage/save_account.h"
#include "ui/storage_messages.h"
#include "ui/message_box.h"

char g_RequestedAccountFile[kPathSize] = {};

bool SlotFiles::Exists(const char* path) { return DataFile::FileExists(path); }

bool SlotFiles::ReadHeader(const char* path, AccountHeader& header) {
    if (!OpenFileForReading(g_DataFile, path)) return false;
    g_DataFile.ReadAccountData(header);
    g_DataFile.CloseFile();
    return true;
}

std::vector<const char*> AccountSlotPathList() {
    std::vector<const char*> paths;
    for (int slot = kFirstAccountSlot; slot < kAccountSlotCount; ++slot) paths.push_back(g_AccountSlotPaths[slot]);
    return paths;
}

int CountExistingAccountFiles() {
    SlotFiles files;
    return CountExistingAccounts(AccountSlotPathList(), files);
}

void SetCurrentAccountFile(const char* path) { CopyBounded(g_CurrentAccountFile, path); }
void SetRequestedAccountFile(const char* path) { CopyBounded(g_RequestedAccountFile, path); }

void Inform(HWND owner, const char* text, const char* title) {
    ShowMessage(owner, text, title, MB_OK | MB_ICONINFORMATION);
}

void ReportBalanceResult(HWND hwnd, int result) {
    if (result == kBalancesOk) return;
    CloseFindDialog();
    Inform(hwnd, result == kReconciledOutOfRange ? kReconciledTooLargeText : kEndingTooLargeText,
           kDataEntryErrorTitle);
}

void SelectAccountView(int view) {
    SelectViewMenuItem(IDM_VIEW_ALL + view);
    g_Account.view = view;
}

void RefillRegister() {
    g_Account.PositionAtTop(g_Account.topIndex);
    ClearRegister();
    DisplayRecords(g_Account.current);
    g_MultiRecords.SetFocusToRecordAndField(g_MultiRecords.LastFilledRow(), -1);
    g_MultiRecords.UpdateScrollBar();
}

bool SavePendingChanges() {
    if (!g_Account.isOpen || !g_Account.needsSaving) return true;
    return SaveAccount();
}

void CloseAccount(HWND hwnd) {
    ClearRegister();
    SetTitle(hwnd, false);
    g_Account.ClearAccount();
    g_Account.isOpen = 0;
    g_Account.visibleCount = 0;
    // Whatever was pending belonged to the records just freed.
    g_Account.needsSaving = 0;
    g_AccountHistory.Reset(g_Account);
    g_MultiRecords.UpdateScrollBar();
}
