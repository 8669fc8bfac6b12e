// Matching and applying, on small accounts and statements whose dates and
// amounts collide often: every match obeys the rule, the list stays in
// order, and importing the same statement again changes nothing.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "import/statement_match.h"
#include "model/account.h"

namespace {

constexpr std::int64_t kAmounts[] = {1000, 2000, 4250, 99999999};

std::string DateOf(int day) {
    char text[9];
    std::snprintf(text, sizeof text, "202601%02d", 1 + day % 28);
    if (day >= 28) std::snprintf(text, sizeof text, "202602%02d", 1 + (day - 28) % 28);
    return text;
}

int DayOf(const char* date) { return std::atoi(date + 6) + (date[5] == '2' ? 31 : 0); }

void CheckAt(bool ok, int line) {
    if (ok) return;
    std::fprintf(stderr, "check failed at line %d\n", line);
    __builtin_trap();
}
#define Check(ok) CheckAt((ok), __LINE__)

void FillRecord(AcctRecord& r, const uint8_t* b) {
    const std::string date = DateOf(b[0] % 56);
    CopyFixedText(r.date, date.c_str());
    r.year = 2026;
    r.dayOfYear = static_cast<std::uint16_t>(DayOf(r.date));
    const double amount = static_cast<double>(kAmounts[b[1] % 3]) / 100.0;
    ((b[1] & 4) ? r.deposit : r.payment) = amount;
    if (b[2] & 1) CopyFixedText(r.reconcile, "R");
    if (b[2] & 6) {
        r.checkNumber = static_cast<std::uint16_t>((b[2] >> 1) & 3);
        CopyFixedText(r.checkText, std::to_string(r.checkNumber).c_str());
    }
}

void CheckSorted(const Account& account) {
    const AcctRecord* previous = nullptr;
    for (RecordNode* n = account.Head(); n; n = n->next) {
        if (IsBlankRecord(*n->record)) continue;
        if (previous) Check(!SortsBefore(*n->record, *previous));
        previous = n->record.get();
    }
}

void CheckRows(const Statement& s, const std::vector<ImportRow>& rows) {
    Check(rows.size() == s.transactions.size());
    std::set<const AcctRecord*> claimed;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ImportRow& row = rows[i];
        const bool matched = row.action == ImportAction::MarkR || row.action == ImportAction::AlreadyThere;
        Check(matched == (row.record != nullptr));
        if (!matched) continue;
        Check(claimed.insert(row.record).second);
        Check(IsReconciled(*row.record) == (row.action == ImportAction::AlreadyThere));
        Check(std::abs(DayOf(row.record->date) - DayOf(s.transactions[i].date.c_str())) <= kMatchWindowDays);
        const std::int64_t cents = std::llround(row.record->deposit * 100) - std::llround(row.record->payment * 100);
        Check(cents == s.transactions[i].cents);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::size_t records = std::min<std::size_t>(data[0] % 16, (size - 1) / 3);
    std::vector<AcctRecord> list(records);
    for (std::size_t i = 0; i < records; ++i) {
        list[i] = AcctRecord{};
        FillRecord(list[i], data + 1 + 3 * i);
    }
    std::stable_sort(list.begin(), list.end(), SortsBefore);
    Account account;
    for (const AcctRecord& r : list) *account.AppendRecord()->record = r;
    account.AppendRecord();  // the blank row waiting at the end

    Statement s;
    for (std::size_t at = 1 + 3 * records; at + 3 <= size; at += 3) {
        AcctRecord r{};
        FillRecord(r, data + at);
        StatementTransaction t;
        t.date = r.date;
        t.cents = std::llround(r.deposit * 100) - std::llround(r.payment * 100);
        if (data[at + 2] & 8) t.cents = kAmounts[3];
        if (r.checkNumber) t.checkNumber = r.checkText;
        s.transactions.push_back(t);
    }

    const std::vector<ImportRow> rows = MatchStatement(s, account);
    CheckRows(s, rows);
    std::vector<bool> ticked;
    for (const ImportRow& row : rows) ticked.push_back(StartsTicked(row));
    const std::size_t before = account.RecordCount();
    CheckImportBalances(account, PlanImport(account, s, rows, ticked));
    Check(account.RecordCount() == before);
    const ImportCounts counts = ApplyImport(account, s, rows, ticked);
    Check(account.RecordCount() == before + static_cast<std::size_t>(counts.added));
    Check(IsBlankRecord(*account.Tail()->record));
    CheckSorted(account);

    const std::vector<ImportRow> again = MatchStatement(s, account);
    CheckRows(s, again);
    for (const ImportRow& row : again)
        Check(row.action == ImportAction::AlreadyThere || row.action == ImportAction::Refused);
    return 0;
}
