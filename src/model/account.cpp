#include "model/account.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "base/bounded_text.h"
#include "model/model_texts.h"
#include "values/amount.h"
#include "values/date.h"

Account g_Account;

namespace {

// Sums of cents held as doubles leave residues like 5.5e-17 where the
// true value is 0; those would show as "-0.00".
double Snap(double balance) {
    return (balance > -0.001 && balance < 0.001) ? 0.0 : balance;
}

// NaN (a damaged file) is out of range too.
bool InRange(double balance) {
    return balance >= kSmallestBalance && balance <= kLargestBalance;
}

double Effect(const AcctRecord& r) { return r.deposit - r.payment; }

struct SortKey {
    std::uint32_t year;
    std::uint32_t day;
    std::uint32_t check;
    auto operator<=>(const SortKey&) const = default;
};

SortKey KeyOf(const AcctRecord& r) {
    // Unnumbered entries follow every numbered check of their day.
    const std::uint32_t check = r.checkNumber == 0 ? 0x10000u : r.checkNumber;
    if (HasEmptyDate(r))
        return {0, 0, check};
    return {r.year, r.dayOfYear, check};
}

// Copies a fixed field of another record or header, which may lack its NUL.
// The rest of the field is zeroed: the record's bytes go to the file as
// they are.
void CopyField(char* dst, std::size_t dstSize, const char* src, std::size_t srcSize) {
    if (dstSize == 0)
        return;
    const std::size_t n = CopyBoundedField(dst, dstSize, src, srcSize);
    std::memset(dst + n, 0, dstSize - n);
}

void CopyToday(char* out) {
    char today[kStoredDateSize] = {};
    g_Date.Today(today, sizeof today);
    CopyField(out, kDateTextSize, today, sizeof today);
}

}  // namespace

void CopyFixedText(char* dst, std::size_t size, const char* src) {
    if (size == 0)
        return;
    if (src == nullptr) {
        std::memset(dst, 0, size);
        return;
    }
    CopyField(dst, size, src, size - 1);
}

bool IsBlankRecord(const AcctRecord& record) {
    return !IsReconciled(record) && HasEmptyDate(record) && record.checkText[0] == '\0' &&
           record.description[0] == '\0' && record.payment == 0.0 && record.deposit == 0.0;
}

bool SortsBefore(const AcctRecord& a, const AcctRecord& b) {
    return KeyOf(a) < KeyOf(b);
}

void FillAccountHeader(AccountHeader& header, const char* name, double statementBalance,
                       const char* statementDate, std::uint16_t year, std::uint16_t dayOfYear) {
    header = AccountHeader{};
    header.marker = kAccountFileMarker;
    header.flag = 0;
    CopyFixedText(header.name, name);
    header.statementBalance = statementBalance;
    CopyFixedText(header.statementDate, statementDate);
    header.statementYear = year;
    header.statementDay = dayOfYear;
}

void FillOpeningBalanceRecord(AcctRecord& rec, const AccountHeader& header) {
    rec = AcctRecord{};
    CopyFixedText(rec.reconcile, "R");
    CopyField(rec.date, sizeof rec.date, header.statementDate, sizeof header.statementDate);
    rec.year = header.statementYear;
    rec.dayOfYear = header.statementDay;
    CopyFixedText(rec.description, kOpeningBalanceDescription);
    const double balance = header.statementBalance;
    if (balance > 0)
        rec.deposit = balance;
    else if (balance < 0)
        rec.payment = -balance;
}

BalanceOverflow FindBalanceOverflow(std::span<const BalanceEntry> entries) {
    BalanceOverflow running;
    BalanceOverflow cleared;
    auto note = [](BalanceOverflow& overflow, int result, double balance) {
        if (overflow.result != kBalancesOk || InRange(balance)) return;
        overflow = {result, balance > 0.0};
    };
    double all = 0.0;
    double reconciled = 0.0;
    for (const BalanceEntry& entry : entries) {
        all = Snap(all + entry.effect);
        note(running, kRunningOutOfRange, all);
        if (entry.reconciled) {
            reconciled = Snap(reconciled + entry.effect);
            note(cleared, kReconciledOutOfRange, reconciled);
        }
    }
    // The Current view runs on from the cleared total.
    double open = reconciled;
    for (const BalanceEntry& entry : entries) {
        if (entry.reconciled) continue;
        open = Snap(open + entry.effect);
        note(running, kRunningOutOfRange, open);
    }
    return running.result != kBalancesOk ? running : cleared;
}

// ---------------------------------------------------------------------------

Account::~Account() { ClearAccount(); }

RecordNode* Account::AppendRecord() {
    RecordNode* node = m_Pool.NewNode();
    if (m_Tail == nullptr) {
        m_Head = m_Tail = current = node;
        m_RecordCount = 1;
        return node;
    }
    node->prev = m_Tail;
    m_Tail->next = node;
    m_Tail = node;
    ++m_RecordCount;
    return node;
}

int Account::ViewIndexOf(const RecordNode* node) const {
    int index = 0;
    for (const RecordNode* n = m_Head; n && n != node; n = n->next)
        if (!(view == ViewCurrent && IsReconciled(*n->record))) ++index;
    return index;
}

void Account::ClearAccount() {
    m_Pool.Release();
    m_Head = m_Tail = current = writeCursor = nullptr;
    m_RecordCount = 0;
}

void Account::TakeRecords(std::unique_ptr<unsigned char[]> block, unsigned char* first, std::size_t count) {
    ClearAccount();
    if (count == 0) return;
    RecordNode* nodes = m_Pool.AdoptRecords(std::move(block), first, count);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        nodes[i].next = &nodes[i + 1];
        nodes[i + 1].prev = &nodes[i];
    }
    m_Head = current = nodes;
    m_Tail = nodes + (count - 1);
    m_RecordCount = count;
}

void Account::CreateInMemory(const char* name, double statementBalance, const char* statementDate,
                             std::uint16_t year, std::uint16_t dayOfYear) {
    ClearAccount();
    FillAccountHeader(header, name, statementBalance, statementDate, year, dayOfYear);
    FillOpeningBalanceRecord(*AppendRecord()->record, header);
    topIndex = 0;
    isOpen = 1;
}

void Account::PositionAtTop(int index) {
    current = m_Head;
    if (current == nullptr)
        return;
    const bool skipCleared = view == ViewCurrent;
    auto skip = [&] {
        while (skipCleared && IsReconciled(*current->record) && current->next != nullptr)
            current = current->next;
    };
    skip();
    for (int i = 0; i < index && current->next != nullptr; ++i) {
        current = current->next;
        skip();
    }
}

int Account::ComputeBalances() {
    bool reconciledOut = false;
    bool runningOut = false;
    visibleCount = 0;
    reconciledBalance = 0.0;
    endingBalance = 0.0;

    // The view's running balance starts from 0 (all records) or from the
    // cleared total (records still to clear). The All view therefore takes
    // both sums in one walk; the Current view needs the cleared total first.
    const bool all = view == ViewAll;
    auto addToRunning = [&](RecordNode* n, double effect) {
        n->balance = Snap(endingBalance + effect);
        endingBalance = n->balance;
        ++visibleCount;
        runningOut = runningOut || !InRange(n->balance);
    };
    for (RecordNode* n = m_Head; n != nullptr; n = n->next) {
        const double effect = Effect(*n->record);
        if (IsReconciled(*n->record)) {
            reconciledBalance = Snap(reconciledBalance + effect);
            n->balance = reconciledBalance;
            reconciledOut = reconciledOut || !InRange(reconciledBalance);
        }
        if (all)
            addToRunning(n, effect);
    }
    if (!all) {
        endingBalance = reconciledBalance;
        for (RecordNode* n = m_Head; n != nullptr; n = n->next) {
            if (!IsReconciled(*n->record))
                addToRunning(n, Effect(*n->record));
        }
    }
    if (runningOut)
        return kRunningOutOfRange;
    return reconciledOut ? kReconciledOutOfRange : kBalancesOk;
}

bool Account::MoveRecordBack(RecordNode* node) {
    if (node == nullptr || HasEmptyDate(*node->record))
        return false;
    bool moved = false;
    while (node->prev != nullptr && SortsBefore(*node->record, *node->prev->record)) {
        std::swap(node->record, node->prev->record);
        node = node->prev;
        moved = true;
    }
    if (moved)
        PositionAtTop(topIndex);
    return moved;
}

bool Account::MoveRecordForward(RecordNode* node) {
    if (node == nullptr || HasEmptyDate(*node->record))
        return false;
    bool moved = false;
    while (node->next != nullptr && SortsBefore(*node->next->record, *node->record)) {
        std::swap(node->record, node->next->record);
        node = node->next;
        moved = true;
    }
    if (moved)
        PositionAtTop(topIndex);
    return moved;
}

void Account::GetDateRange(char* first, char* last) const {
    const RecordNode* from = nullptr;
    const RecordNode* to = nullptr;
    if (view == ViewCurrent) {
        const RecordNode* n = m_Head;
        while (n != nullptr && IsReconciled(*n->record) && n->next != nullptr)
            n = n->next;
        if (n != nullptr && !IsReconciled(*n->record) && !HasEmptyDate(*n->record)) {
            from = n;
            for (to = m_Tail; IsReconciled(*to->record) || HasEmptyDate(*to->record); to = to->prev) {
            }
        }
    } else if (m_Head != nullptr && !HasEmptyDate(*m_Head->record)) {
        from = to = m_Head;
        while (to->next != nullptr && !HasEmptyDate(*to->next->record))
            to = to->next;
    }
    if (from == nullptr) {
        CopyToday(first);
        CopyToday(last);
        return;
    }
    CopyField(first, kDateTextSize, from->record->date, sizeof from->record->date);
    CopyField(last, kDateTextSize, to->record->date, sizeof to->record->date);
}

void Account::Link(RecordNode* node, RecordNode* before) {
    node->next = before;
    node->prev = before->prev;
    if (before->prev != nullptr)
        before->prev->next = node;
    else
        m_Head = node;
    before->prev = node;
    ++m_RecordCount;
}

RecordNode* Account::InsertBefore(RecordNode* node) {
    if (node == nullptr)
        return AppendRecord();
    RecordNode* added = m_Pool.NewNode();
    Link(added, node);
    if (current == node)
        current = added;
    return added;
}

UnlinkedNode Account::Unlink(RecordNode* node) {
    // A node that is not in the list (already unlinked) is left alone.
    if (m_RecordCount <= 1 || !Contains(node))
        return nullptr;

    if (current == node)
        current = node->next != nullptr ? node->next : node->prev;
    if (writeCursor == node)
        writeCursor = node->prev;

    if (node->prev != nullptr)
        node->prev->next = node->next;
    else
        m_Head = node->next;
    if (node->next != nullptr)
        node->next->prev = node->prev;
    else
        m_Tail = node->prev;
    node->next = node->prev = nullptr;
    --m_RecordCount;
    return UnlinkedNode(node, ReturnToPool{&m_Pool, m_Pool.Generation()});
}

bool Account::Contains(const RecordNode* node) const {
    return node != nullptr && m_Pool.Holds(node) && (node == m_Head || node->prev != nullptr);
}

RecordNode* Account::AdvanceWriteCursor() {
    writeCursor = writeCursor != nullptr ? writeCursor->next : m_Head;
    return writeCursor;
}
