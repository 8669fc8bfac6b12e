#include "model/account_lifecycle.h"

#include <cstring>

#include "base/bounded_text.h"
#include "values/amount.h"

const AccountListEntry* AccountList::Chosen() const {
    if (result != kChooserChosen || selected < 1 || selected > static_cast<int>(entries.size())) return nullptr;
    return &entries[static_cast<std::size_t>(selected - 1)];
}

void BuildAccountList(AccountList& list, const char* title, std::span<const char* const> slotPaths,
                      AccountFileProbe& probe) {
    list.title = title;
    list.entries.clear();
    list.selected = 1;
    list.result = kChooserCancelled;
    for (const char* path : slotPaths) {
        if (!path || !*path || !probe.Exists(path)) continue;
        AccountHeader header{};
        if (!probe.ReadHeader(path, header)) continue;
        AccountListEntry entry{};
        // The header may come from a damaged file: its name is cut at its
        // field, never read past it.
        header.name[kAccountNameSize - 1] = '\0';
        CopyBounded(entry.name, header.name);
        CopyBounded(entry.path, path);
        CopyBounded(entry.fileName, FileNameOfPath(path));
        list.entries.push_back(entry);
    }
}

int CountExistingAccounts(std::span<const char* const> slotPaths, AccountFileProbe& probe) {
    int count = 0;
    for (const char* path : slotPaths) {
        if (path && *path && probe.Exists(path)) ++count;
    }
    return count;
}

int FirstFreeUserSlot(int slotCount, int sampleSlot, const std::function<bool(int slot)>& exists) {
    for (int slot = 1; slot < slotCount; ++slot) {
        if (slot != sampleSlot && !exists(slot)) return slot;
    }
    return -1;
}

const char* FileNameOfPath(const char* path) {
    if (!path) return "";
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '\\' || *p == '/') name = p + 1;
    }
    return name;
}

bool IsSameAccountPath(const char* a, const char* b) {
    if (!a || !b) return false;
    for (; *a && *b; ++a, ++b) {
        char ca = *a >= 'a' && *a <= 'z' ? static_cast<char>(*a - 'a' + 'A') : *a;
        char cb = *b >= 'a' && *b <= 'z' ? static_cast<char>(*b - 'a' + 'A') : *b;
        if (ca != cb) return false;
    }
    return *a == *b;
}

bool IsValidAccountName(const char* name) { return name && name[0] != '\0'; }

bool CheckStartingBalanceText(const char* typed, char* cleaned, std::size_t size) {
    char text[kBalanceTextMaxLength + 1] = {};
    CopyBounded(text, typed);
    if (HasInvalidBalanceChars(text) || CleanStartingBalance(text)) return false;
    CopyBounded(cleaned, size, text);
    return true;
}
