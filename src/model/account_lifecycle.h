// The rules of bringing accounts in and out: which slot a new account
// takes, what the account choosers list, what the typed name and balance of
// a new account must be, and what each start-screen choice leads to. The
// dialogs and files that use these rules are Win32 (src/app/).
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

#include "model/account.h"
#include "base/path_size.h"

// The current file name while the start screen shows with no account open.
inline constexpr char kNewAccountPlaceholder[] = "new";

// What the create and rename dialogs read.
inline constexpr std::size_t kAccountNameMaxLength = kAccountNameSize - 1;  // 88
inline constexpr std::size_t kBalanceTextMaxLength = 11;
inline constexpr std::size_t kStatementDateMaxLength = 8;
inline constexpr std::size_t kListFileNameSize = 256;
inline constexpr char kInitialBalanceText[] = "0.00";

// Messages. Every one is an information box with an OK button.
inline constexpr char kNameErrorTitle[] = "Name Error";
inline constexpr char kAccountNeedsNameText[] = "Account must have a name.";
inline constexpr char kNoAccountsTitle[] = "No Accounts Found";
inline constexpr char kNoAccountsText[] = "There are no accounts to select. Create an account first.";
inline constexpr char kDiskErrorTitle[] = "Disk Error";
inline constexpr char kDiskNotReadyText[] = "The disk is not ready.";
inline constexpr char kCreateAccountTitle[] = "Create New Account";
inline constexpr char kOutstandingTransactionsText[] =
    "You will now need to enter any outstanding transactions\n"
    "that are not shown on your last statement for this checking account.";
inline constexpr char kAllSlotsTakenText[] =
    "You already have as many accounts as Ledgerpad can keep.\n"
    "Delete an account you no longer need, then create the new one.";
inline constexpr char kOpenExistingTitle[] = "Open Existing Account";
inline constexpr char kNeedAccountToOpenText[] = "You need to create an account to open.";
inline constexpr char kMostRecentTitle[] = "Most Recently Used Account";
inline constexpr char kNoRecentAccountText[] =
    "You have not recently opened an account. \n"
    "After you open an account and then quit, you will \n"
    "be able to open your most recently used account.";

// A file that cannot be deleted (in use, no rights) is not passed over
// in silence.
inline constexpr char kDeleteAccountTitle[] = "Delete Existing Account";
inline constexpr char kUnableToDeleteText[] =
    "Unable to delete account %s.\nClose any program that is using it, then try again.";

// Titles of the two choosers.
inline constexpr char kOpenChooserTitle[] = "OPEN EXISTING ACCOUNT";
inline constexpr char kDeleteChooserTitle[] = "DELETE EXISTING ACCOUNT";

// Results of a chooser.
inline constexpr int kChooserChosen = 1;
inline constexpr int kChooserCancelled = 3;

struct AccountListEntry {
    char name[kAccountNameSize];       // from the file's header
    char path[kPathSize];
    char fileName[kListFileNameSize];  // the path's last component
};

// What a chooser offers: one entry per existing account file, in slot order.
struct AccountList {
    const char* title = "";
    std::vector<AccountListEntry> entries;
    int selected = 1;                  // 1-based
    int result = kChooserCancelled;

    const AccountListEntry* Chosen() const;
};

// What the lists need of the file system.
class AccountFileProbe {
public:
    virtual ~AccountFileProbe() = default;
    virtual bool Exists(const char* path) = 0;
    // Reads the 128-byte header; false when the file cannot be opened (the
    // probe has told the user).
    virtual bool ReadHeader(const char* path, AccountHeader& header) = 0;
};

// Fills list with every slot path whose file exists and can be read, in
// the order given. The header's marker is not checked here: a damaged file
// is listed and refused when it is opened.
void BuildAccountList(AccountList& list, const char* title, std::span<const char* const> slotPaths,
                      AccountFileProbe& probe);

// How many of the paths name an existing file.
int CountExistingAccounts(std::span<const char* const> slotPaths, AccountFileProbe& probe);

// The slot a new account takes: the first of slots 1 to slotCount - 1,
// the sample slot left out, whose file does not exist; -1 when all exist.
int FirstFreeUserSlot(int slotCount, int sampleSlot, const std::function<bool(int slot)>& exists);

// The last component of a path ("\" and "/" both separate).
const char* FileNameOfPath(const char* path);
// Windows file names: equal apart from letter case.
bool IsSameAccountPath(const char* a, const char* b);

// A new account's name must not be empty.
bool IsValidAccountName(const char* name);
// The ending balance typed for a new account: only digits, ".", "," and a
// leading "-", within the starting-balance range. On success cleaned holds
// the text without the commas (cut to size).
bool CheckStartingBalanceText(const char* typed, char* cleaned, std::size_t size);
