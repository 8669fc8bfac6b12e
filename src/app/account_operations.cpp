#include "app/account_operations.h"

#include "app/account_lifecycle.h"
#include "app/account_slots.h"
#include "app/command_dispatch.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "app/shell_calls.h"
#include "model/model_texts.h"
#include "storage/bounded_text.h"
#include "storage/data_file.h"
#include "storage/save_account.h"
#include "ui/message_box.h"

char g_RequestedAccountFile[kPathSize] = {};

namespace {

// The register shows 19 rows; the last screenful starts 18 before the end.
constexpr int kLastScreenOffset = 18;

}  // namespace

bool SlotFiles::Exists(const char* path) { return DataFile::FileExists(path); }

bool SlotFiles::ReadHeader(const char* path, AccountHeader& header) {
    if (!g_DataFile.OpenFileForReading(path)) return false;
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
    SelectViewMenuItem(kViewMenuBase + view);
    g_Account.view = view;
}

int LastScreenTopIndex() {
    const int visible = static_cast<int>(g_Account.visibleCount);
    return visible >= kLastScreenOffset ? visible - kLastScreenOffset : 0;
}

void RefillRegister() {
    g_Account.PositionAtTop(g_Account.topIndex);
    shell::ClearRegister();
    shell::DisplayRecords();
    shell::SetFocusToRecordAndField(shell::LastFilledRow(), -1);
    shell::UpdateScrollBar();
}

bool SavePendingChanges() {
    if (!g_Account.isOpen || !g_NeedsSaving) return true;
    return SaveAccount();
}

void CloseAccount(HWND hwnd) {
    shell::ClearRegister();
    SetTitle(hwnd, false);
    g_Account.ClearAccount();
    g_Account.isOpen = 0;
    g_Account.visibleCount = 0;
    // Whatever was pending belonged to the records just freed.
    g_NeedsSaving = 0;
    shell::UpdateScrollBar();
}
