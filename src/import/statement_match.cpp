#include "import/statement_match.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "model/account.h"

namespace {

constexpr char kTooLargeReason[] = "The amount is above 999,999.99.";
constexpr char kNoDateReason[] = "The date cannot be read.";

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
std::int64_t DaysFromCivil(int year, int month, int day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - static_cast<int>(era * 400);
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// A YYYYMMDD text; false for anything else (an empty register date).
bool ParseStoredDate(std::string_view text, CivilDate& date) {
    if (text.size() != 8) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    auto number = [&](std::size_t at, std::size_t length) {
        int value = 0;
        for (std::size_t i = at; i < at + length; ++i) value = value * 10 + (text[i] - '0');
        return value;
    };
    date = {number(0, 4), number(4, 2), number(6, 2)};
    return date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= 31;
}

std::string_view FieldText(const char* field, std::size_t size) {
    return std::string_view(field, strnlen(field, size - 1));
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Check numbers compare by value when both are numbers ("0042" is 42),
// else as text.
bool SameCheckNumber(std::string_view a, std::string_view b) {
    if (AllDigits(a) && AllDigits(b)) {
        while (a.size() > 1 && a.front() == '0') a.remove_prefix(1);
        while (b.size() > 1 && b.front() == '0') b.remove_prefix(1);
    }
    return a == b;
}

// Deposits positive, payments negative; a record with both filled in
// belongs to neither side and never matches.
bool SignedCents(const AcctRecord& record, std::int64_t& cents) {
    const std::int64_t payment = std::llround(record.payment * 100.0);
    const std::int64_t deposit = std::llround(record.deposit * 100.0);
    if (payment != 0 && deposit != 0) return false;
    cents = deposit - payment;
    return true;
}

// The check number as the Num field holds it: 1 to 9999 without leading
// zeros; "" for none or one that does not fit. A number the register could
// not hold is no number for matching either, so that the record an import
// adds for it is found again by the next import.
std::string_view FittingCheckNumber(std::string_view check) {
    check = Trimmed(check);
    if (!AllDigits(check)) return {};
    while (!check.empty() && check.front() == '0') check.remove_prefix(1);
    return check.size() <= 4 ? check : std::string_view{};
}

// How well the check numbers of a pair agree: both the same, neither has
// one, or only one of them has one. Between equally close records the
// better agreement wins, so that a transaction without a number does not
// take the record another one's number names.
int CheckAgreement(std::string_view a, std::string_view b) {
    if (a.empty() && b.empty()) return 1;
    return a.empty() || b.empty() ? 2 : 0;
}

// A record that may be matched, in list order.
struct Candidate {
    AcctRecord* record;
    std::int64_t day;
    std::size_t order;
    std::string_view check;
    bool cleared;
    bool claimed = false;
};

// The records of one side and amount, in date order, then list order.
using CandidateIndex = std::unordered_map<std::int64_t, std::vector<Candidate*>>;

struct Transaction {
    std::size_t index;
    std::int64_t day;
    std::string_view check;
};

struct Pairing {
    std::int64_t distance;
    int agreement;
    std::size_t transaction;
    bool cleared;
    std::size_t order;
    Candidate* candidate;

    auto Key() const { return std::tie(distance, agreement, transaction, order); }
};

// Pairs each transaction with every record of its amount and side within
// the window, then hands out records closest date first.
void MatchAll(const std::vector<Transaction>& waiting, const std::vector<std::int64_t>& keys,
              const CandidateIndex& index, std::vector<ImportRow>& rows) {
    std::vector<Pairing> pairings;
    for (const Transaction& t : waiting) {
        const auto found = index.find(keys[t.index]);
        if (found == index.end()) continue;
        const std::vector<Candidate*>& list = found->second;
        auto it = std::lower_bound(list.begin(), list.end(), t.day - kMatchWindowDays,
                                   [](const Candidate* c, std::int64_t day) { return c->day < day; });
        for (; it != list.end() && (*it)->day <= t.day + kMatchWindowDays; ++it) {
            Candidate* c = *it;
            if (!t.check.empty() && !c->check.empty() && !SameCheckNumber(t.check, c->check)) continue;
            pairings.push_back({std::llabs(c->day - t.day), CheckAgreement(t.check, c->check), t.index, c->cleared,
                                c->order, c});
        }
    }
    std::sort(pairings.begin(), pairings.end(),
              [](const Pairing& a, const Pairing& b) { return a.Key() < b.Key(); });
    for (const Pairing& p : pairings) {
        ImportRow& row = rows[p.transaction];
        if (row.record != nullptr || p.candidate->claimed) continue;
        p.candidate->claimed = true;
        row.record = p.candidate->record;
        row.action = p.cleared ? ImportAction::AlreadyThere : ImportAction::MarkR;
    }
}

std::uint16_t DayOfYear(const CivilDate& date) {
    return static_cast<std::uint16_t>(DaysFromCivil(date.year, date.month, date.day) -
                                      DaysFromCivil(date.year, 1, 1) + 1);
}

}  // namespace

std::vector<ImportRow> MatchStatement(const Statement& statement, const Account& account) {
    const std::vector<StatementTransaction>& transactions = statement.transactions;
    std::vector<ImportRow> rows(transactions.size());
    std::vector<std::int64_t> keys(transactions.size(), 0);
    std::vector<Transaction> waiting;
    for (std::size_t i = 0; i < transactions.size(); ++i) {
        const StatementTransaction& t = transactions[i];
        CivilDate date;
        if (!t.refused.empty()) {
            rows[i] = {ImportAction::Refused, nullptr, t.refused};
        } else if (!ParseStoredDate(t.date, date)) {
            rows[i] = {ImportAction::Refused, nullptr, kNoDateReason};
        } else if (t.cents > kLargestEntryCents || t.cents < -kLargestEntryCents) {
            rows[i] = {ImportAction::Refused, nullptr, kTooLargeReason};
        } else {
            keys[i] = t.cents;
            waiting.push_back({i, DaysFromCivil(date.year, date.month, date.day), FittingCheckNumber(t.checkNumber)});
        }
    }

    std::vector<Candidate> candidates;
    candidates.reserve(account.RecordCount());
    std::size_t order = 0;
    for (RecordNode* node = account.Head(); node; node = node->next, ++order) {
        AcctRecord& record = *node->record;
        CivilDate date;
        std::int64_t cents = 0;
        if (!ParseStoredDate(FieldText(record.date, sizeof record.date), date) || !SignedCents(record, cents))
            continue;
        candidates.push_back({&record, DaysFromCivil(date.year, date.month, date.day), order,
                              Trimmed(FieldText(record.checkText, sizeof record.checkText)), IsReconciled(record)});
    }
    CandidateIndex index;
    for (Candidate& c : candidates) {
        std::int64_t cents = 0;
        SignedCents(*c.record, cents);
        index[cents].push_back(&c);
    }
    for (auto& [cents, list] : index)
        std::stable_sort(list.begin(), list.end(), [](const Candidate* a, const Candidate* b) { return a->day < b->day; });

    MatchAll(waiting, keys, index, rows);

    CivilDate opening;
    if (ParseStoredDate(FieldText(account.header.statementDate, sizeof account.header.statementDate), opening)) {
        const std::int64_t openingDay = DaysFromCivil(opening.year, opening.month, opening.day);
        for (const Transaction& t : waiting)
            if (rows[t.index].action == ImportAction::Add && t.day < openingDay) rows[t.index].beforeOpening = true;
    }
    return rows;
}

int CountBeforeOpening(const std::vector<ImportRow>& rows) {
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const ImportRow& r) { return r.beforeOpening; }));
}

AcctRecord RecordFromTransaction(const StatementTransaction& transaction) {
    AcctRecord record{};
    CopyFixedText(record.reconcile, "R");
    CivilDate date;
    if (ParseStoredDate(transaction.date, date)) {
        CopyFixedText(record.date, transaction.date.c_str());
        record.year = static_cast<std::uint16_t>(date.year);
        record.dayOfYear = DayOfYear(date);
    }
    const std::string check(FittingCheckNumber(transaction.checkNumber));
    if (!check.empty()) {
        CopyFixedText(record.checkText, check.c_str());
        record.checkNumber = static_cast<std::uint16_t>(std::stoi(check));
    }
    const std::string& description = transaction.payee.empty() ? transaction.memo : transaction.payee;
    CopyFixedText(record.description, description.c_str());
    const double amount = static_cast<double>(transaction.cents < 0 ? -transaction.cents : transaction.cents) / 100.0;
    (transaction.cents < 0 ? record.payment : record.deposit) = amount;
    return record;
}

ImportPlan PlanImport(const Account& account, const Statement& statement, const std::vector<ImportRow>& rows,
                      const std::vector<bool>& ticked) {
    ImportPlan plan;
    std::vector<AcctRecord> added;
    for (std::size_t i = 0; i < rows.size() && i < statement.transactions.size(); ++i) {
        const ImportRow& row = rows[i];
        const bool on = i < ticked.size() && ticked[i] && CanBeTicked(row.action);
        if (row.action == ImportAction::MarkR && on && row.record) {
            plan.marks.push_back(row.record);
            ++plan.counts.markedR;
        } else if ((row.action == ImportAction::Add || row.action == ImportAction::AlreadyThere) && on) {
            added.push_back(RecordFromTransaction(statement.transactions[i]));
            ++plan.counts.added;
        } else if (row.action == ImportAction::AlreadyThere) {
            ++plan.counts.already;
        }
    }
    // Only the blank rows after the last transaction are the register's
    // row for typing; a blank New Transaction left between records sorts
    // with no date and is walked past like any record.
    RecordNode* lastTransaction = account.Tail();
    while (lastTransaction && IsBlankRecord(*lastTransaction->record)) lastTransaction = lastTransaction->prev;
    RecordNode* const typingRow = lastTransaction ? lastTransaction->next : account.Head();
    // One walk down the list: the new records in sort order, each after
    // the records that sort with it or before it.
    std::stable_sort(added.begin(), added.end(), SortsBefore);
    plan.insertions.reserve(added.size());
    RecordNode* node = account.Head();
    for (const AcctRecord& record : added) {
        while (node != typingRow && !SortsBefore(record, *node->record)) node = node->next;
        plan.insertions.push_back({node, record});
    }
    return plan;
}

namespace {

bool Holds(const std::vector<const void*>& sorted, const void* item) {
    return std::binary_search(sorted.begin(), sorted.end(), item);
}

std::vector<const void*> Sorted(std::vector<const void*> items) {
    std::sort(items.begin(), items.end());
    return items;
}

std::vector<const void*> MarkedRecords(const ImportPlan& plan) {
    return Sorted({plan.marks.begin(), plan.marks.end()});
}

double EffectOf(const AcctRecord& record) { return record.deposit - record.payment; }

}  // namespace

BalanceOverflow CheckImportBalances(const Account& account, const ImportPlan& plan) {
    const std::vector<const void*> marked = MarkedRecords(plan);
    std::vector<BalanceEntry> entries;
    entries.reserve(account.RecordCount() + plan.insertions.size());
    auto next = plan.insertions.begin();
    auto insertUpTo = [&](const RecordNode* before) {
        for (; next != plan.insertions.end() && next->before == before; ++next)
            entries.push_back({EffectOf(next->record), IsReconciled(next->record)});
    };
    for (RecordNode* node = account.Head(); node; node = node->next) {
        insertUpTo(node);
        const AcctRecord& record = *node->record;
        entries.push_back({EffectOf(record), IsReconciled(record) || Holds(marked, &record)});
    }
    insertUpTo(nullptr);
    return FindBalanceOverflow(entries);
}

int CarryOutImport(Account& account, const ImportPlan& plan) {
    const std::vector<const void*> marked = MarkedRecords(plan);
    std::vector<const void*> fresh;
    fresh.reserve(plan.insertions.size());
    account.ReserveRecords(plan.insertions.size());
    // Nothing below allocates.
    for (const ImportPlan::Insertion& insertion : plan.insertions) {
        RecordNode* node = insertion.before ? account.InsertBefore(insertion.before) : account.AppendRecord();
        *node->record = insertion.record;
        fresh.push_back(node);
    }
    for (AcctRecord* record : plan.marks) CopyFixedText(record->reconcile, "R");
    std::sort(fresh.begin(), fresh.end());
    int index = 0;
    for (RecordNode* node = account.Head(); node; node = node->next, ++index)
        if (Holds(fresh, node) || Holds(marked, node->record.get())) return index;
    return -1;
}

ImportCounts ApplyImport(Account& account, const Statement& statement, const std::vector<ImportRow>& rows,
                         const std::vector<bool>& ticked) {
    const ImportPlan plan = PlanImport(account, statement, rows, ticked);
    CarryOutImport(account, plan);
    return plan.counts;
}

std::string ImportSummaryText(const std::string& fileName, const ImportCounts& counts) {
    char text[96];
    std::snprintf(text, sizeof text, ": %d marked R, %d added, %d already in the register.", counts.markedR,
                  counts.added, counts.already);
    return fileName + text;
}

void ReverseSigns(Statement& statement) {
    for (StatementTransaction& transaction : statement.transactions)
        transaction.cents = -transaction.cents;
    if (statement.endingBalanceCents)
        statement.endingBalanceCents = -*statement.endingBalanceCents;
}
