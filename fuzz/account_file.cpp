// The account-file reader on arbitrary bytes: whatever a damaged or foreign
// file holds, opening it must neither crash nor read past a block, and the
// account it yields must survive what the program does next (balances,
// positioning, sorting, saving).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "model/account.h"
#include "storage/account_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // As the program opens it: an amount that is no number refuses the file.
    if (IsAccountFileImage(data, size) && FindDamagedAmount(data, size)) return 0;
    Account account;
    if (!LoadAccountImage(data, size, account)) return 0;
    if (!std::isfinite(account.header.statementBalance)) std::abort();
    for (RecordNode* p = account.Head(); p != nullptr; p = p->next)
        if (!std::isfinite(p->record->payment) || !std::isfinite(p->record->deposit)) std::abort();

    // Every text field is terminated within its width.
    for (RecordNode* p = account.Head(); p != nullptr; p = p->next) {
        const AcctRecord& r = *p->record;
        if (strnlen(r.description, sizeof r.description) == sizeof r.description ||
            strnlen(r.date, sizeof r.date) == sizeof r.date ||
            strnlen(r.checkText, sizeof r.checkText) == sizeof r.checkText ||
            strnlen(r.reconcile, sizeof r.reconcile) == sizeof r.reconcile)
            std::abort();
    }
    if (strnlen(account.header.name, sizeof account.header.name) == sizeof account.header.name)
        std::abort();

    for (int view : {ViewAll, ViewCurrent}) {
        account.view = view;
        account.ComputeBalances();
        account.PositionAtTop(0);
        char first[kDateTextSize], last[kDateTextSize];
        account.GetDateRange(first, last);
    }
    account.MoveRecordBack(account.Tail());
    account.MoveRecordForward(account.Head());

    // Saving writes the header and one block per record up to the last one
    // that is not blank; reading that back gives the same bytes.
    std::size_t kept = account.RecordCount();
    for (const RecordNode* p = account.Tail(); p != nullptr && IsBlankRecord(*p->record); p = p->prev) --kept;
    std::vector<unsigned char> image;
    BuildAccountImage(account, image);
    if (image.size() != kBlockSize * (1 + kept)) std::abort();
    Account again;
    if (!LoadAccountImage(image.data(), image.size(), again)) std::abort();
    std::vector<unsigned char> second;
    BuildAccountImage(again, second);
    if (second != image) std::abort();
    return 0;
}
