#include "filled_account.h"

#include <cstdint>
#include <cstdio>

void FillAccount(Account& account, std::size_t transactions) {
    account.ClearAccount();
    account.CreateInMemory("Benchmark Checking", 2500.0, "20000101", 2000, 1);
    for (std::size_t i = 0; i < transactions; ++i) {
        AcctRecord& r = *account.AppendRecord()->record;
        const unsigned year = 2000 + static_cast<unsigned>(i / 3000);
        const unsigned day = 1 + static_cast<unsigned>((i % 3000) * 365 / 3000);
        std::snprintf(r.date, sizeof r.date, "%04u%02u%02u", year % 10000, 1 + (day - 1) / 31 % 12,
                      1 + (day - 1) % 28);
        r.year = static_cast<std::uint16_t>(year);
        r.dayOfYear = static_cast<std::uint16_t>(day);
        if (i % 4 == 0) CopyFixedText(r.reconcile, "R");
        if (i % 3 == 0) {
            r.checkNumber = static_cast<std::uint16_t>(1000 + i % 9000);
            std::snprintf(r.checkText, sizeof r.checkText, "%u", unsigned{r.checkNumber});
            r.payment = 12.34 + static_cast<double>(i % 500);
        } else {
            r.deposit = 7.5 + static_cast<double>(i % 90);
        }
        std::snprintf(r.description, sizeof r.description, "Transaction %zu to the grocery store", i);
    }
}
