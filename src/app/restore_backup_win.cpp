#include "app/restore_backup_win.h"

#include <cstdio>
#include <vector>

#include "app/account_lifecycle.h"
#include "model/account.h"
#include "storage/last_error.h"
#include "storage/save_account.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_runner.h"
#include "ui/dialog_table.h"
#include "ui/message_box.h"
#include "values/amount.h"
#include "values/date.h"

namespace {

using namespace dlgstyle;

constexpr char kNoBackupsText[] = "There are no backups of this account yet.";
constexpr char kListText[] = "Backups of this account, newest first:";

constexpr ControlDescription Control(std::uint16_t x, std::uint16_t y, std::uint16_t width, std::uint16_t height,
                                     int id, std::uint32_t style, const char* windowClass, const char* text) {
    return {x, y, width, height, static_cast<std::uint16_t>(id), style | kVisible, windowClass, text};
}

constexpr std::uint32_t kTabbedList = kListNotify | 0x0080 /* LBS_USETABSTOPS */ | kBorder | kVScroll | kTabStop;

constexpr ControlDescription kControls[] = {
    Control(8, 6, 224, 9, kIdRestoreText, kStaticLeft, "STATIC", kListText),
    Control(8, 18, 224, 110, kIdRestoreList, kTabbedList, "LISTBOX", ""),
    Control(60, 134, 50, 14, kIdOk, kDefPushButton | kTabStop, "BUTTON", "&Restore"),
    Control(130, 134, 50, 14, kIdCancel, kPushButton | kTabStop, "BUTTON", "Cancel"),
};
constexpr DialogDescription kDialog = {kPopup | kCaption | kSysMenu, 0, 0, 240, 156, "", "", kRestoreTitle, 0, "",
                                       kControls};
constexpr INT_PTR kFirstChoice = 100;

INT_PTR CALLBACK RestoreProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(dialog, msg, wParam, {kPlacedByProcedure, EndingButtons::Cancel}, result))
        return result;
    HWND list = GetDlgItem(dialog, kIdRestoreList);
    if (msg == WM_INITDIALOG) {
        PlaceDialog(dialog, kDialog, kDialogFontSansSerif, 0);
        const auto& entries = *reinterpret_cast<const std::vector<BackupEntry>*>(lParam);
        const int stops[] = {95, 170};  // dialog units: the time, the count, the balance
        SendMessageA(list, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(stops));
        for (const BackupEntry& entry : entries)
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(BackupLineText(entry).c_str()));
        if (entries.empty()) {
            SetDlgItemTextA(dialog, kIdRestoreText, kNoBackupsText);
            EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
        }
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        SetFocus(list);
        return FALSE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const bool chosen = LOWORD(wParam) == IDOK || (LOWORD(wParam) == kIdRestoreList && HIWORD(wParam) == LBN_DBLCLK);
    if (!chosen) return FALSE;
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    EndDialog(dialog, index == LB_ERR ? IDCANCEL : kFirstChoice + index);
    return TRUE;
}

void TellRestoreFailure(HWND hwnd, const RestoreResult& result) {
    const char* what = result.step == RestoreStep::ReadingTheBackup    ? "The backup could not be read"
                       : result.step == RestoreStep::KeepingTheAccount ? "The account as it is now could not be kept as a backup"
                                                                       : "The backup could not be put in place";
    ShowMessage(hwnd, (std::string(what) + ": " + SystemErrorText(result.error) + "\nThe account is as it was.").c_str(),
                kRestoreTitle, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

std::string BackupTimeText(const BackupTime& time) {
    char stored[16];
    std::snprintf(stored, sizeof stored, "%04d%02d%02d", time.year, time.month, time.day);
    char clock[16];
    std::snprintf(clock, sizeof clock, " %02d:%02d:%02d", time.hour, time.minute, time.second);
    return std::string(g_Date.ToDisplay(stored)) + clock;
}

std::string BackupLineText(const BackupEntry& entry) {
    char balance[kAmountTextSize];
    FormatAmount(balance, entry.endingBalance);
    InsertThousandsSeparators(balance);
    return BackupTimeText(entry.time) + "\t" + std::to_string(entry.records) +
           (entry.records == 1 ? " transaction" : " transactions") + "\t" + balance;
}

std::string RestoreQuestion(const char* accountName, const BackupTime& time) {
    return std::string("Replace ") + accountName + " with its backup of " + BackupTimeText(time) +
           "? The account as it is now is kept as a backup too.";
}

void RunRestoreBackupCommand(HWND hwnd, int) {
    if (!g_Account.isOpen) return;
    const std::vector<BackupEntry> entries = ListBackups(g_CurrentAccountFile);
    const INT_PTR chosen = ShowModalDialog(hwnd, kDialog, RestoreProc, reinterpret_cast<LPARAM>(&entries));
    if (chosen < kFirstChoice || static_cast<std::size_t>(chosen - kFirstChoice) >= entries.size()) return;
    const BackupEntry& backup = entries[static_cast<std::size_t>(chosen - kFirstChoice)];
    if (ShowMessage(hwnd, RestoreQuestion(g_Account.header.name, backup.time).c_str(), kRestoreTitle,
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    const RestoreResult result = RestoreBackup(g_CurrentAccountFile, backup, LocalTimeNow());
    if (result.step != RestoreStep::Restored) {
        TellRestoreFailure(hwnd, result);
        return;
    }
    // The restored files are read as any account is opened.
    const std::string path = g_CurrentAccountFile;
    OpenAccountFiles(hwnd, path.c_str());
}
