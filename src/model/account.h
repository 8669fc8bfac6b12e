// The open account in memory: its 128-byte header, the doubly linked list
// of 128-byte transaction records, the cursors into that list, the two
// views, the running balances and the sort order of the records.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "model/record_pool.h"

// ---------------------------------------------------------------------------
// File images. The header and every record are written to the account file
// exactly as they lie in memory, so these layouts are the file format.

inline constexpr std::size_t kAccountNameSize = 89;   // 88 characters and a NUL
inline constexpr std::size_t kDateTextSize = 9;       // "YYYYMMDD" and a NUL
inline constexpr std::size_t kReconcileSize = 2;      // "R" or ""
inline constexpr std::size_t kCheckTextSize = 5;      // 4 characters and a NUL
inline constexpr std::size_t kDescriptionSize = 90;   // 89 characters and a NUL
inline constexpr std::size_t kBlockSize = 128;        // header and record size

inline constexpr std::int8_t kAccountFileMarker = -2; // byte 0xFE

static_assert(std::endian::native == std::endian::little,
              "account files are little-endian images of memory");

#pragma pack(push, 1)

struct AccountHeader {
    std::int8_t marker;                 // kAccountFileMarker
    std::uint8_t flag;                  // 0
    char name[kAccountNameSize];
    double statementBalance;            // dollars, as typed at creation
    char statementDate[kDateTextSize];  // YYYYMMDD
    std::uint16_t statementYear;
    std::uint16_t statementDay;         // day of year, 1..366
    std::uint8_t reserved[16];          // zero
};

struct AcctRecord {
    char reconcile[kReconcileSize];     // "R" when cleared; only byte 0 counts
    char date[kDateTextSize];           // YYYYMMDD, "" while not filled in
    std::uint16_t year;                 // first sort key
    std::uint16_t dayOfYear;            // second sort key
    char checkText[kCheckTextSize];     // the "Num" column
    std::uint16_t checkNumber;          // third sort key; 0 = none
    char description[kDescriptionSize];
    double payment;                     // dollars, >= 0
    double deposit;                     // dollars, >= 0
};

#pragma pack(pop)

static_assert(sizeof(AccountHeader) == kBlockSize);
static_assert(offsetof(AccountHeader, marker) == 0);
static_assert(offsetof(AccountHeader, flag) == 1);
static_assert(offsetof(AccountHeader, name) == 2);
static_assert(offsetof(AccountHeader, statementBalance) == 91);
static_assert(offsetof(AccountHeader, statementDate) == 99);
static_assert(offsetof(AccountHeader, statementYear) == 108);
static_assert(offsetof(AccountHeader, statementDay) == 110);
static_assert(offsetof(AccountHeader, reserved) == 112);

static_assert(sizeof(AcctRecord) == kBlockSize);
static_assert(offsetof(AcctRecord, reconcile) == 0);
static_assert(offsetof(AcctRecord, date) == 2);
static_assert(offsetof(AcctRecord, year) == 11);
static_assert(offsetof(AcctRecord, dayOfYear) == 13);
static_assert(offsetof(AcctRecord, checkText) == 15);
static_assert(offsetof(AcctRecord, checkNumber) == 20);
static_assert(offsetof(AcctRecord, description) == 22);
static_assert(offsetof(AcctRecord, payment) == 112);
static_assert(offsetof(AcctRecord, deposit) == 120);

// Copies src into a fixed text field, cutting it to fit and always ending
// it with a NUL. A null src gives an empty field.
void CopyFixedText(char* dst, std::size_t size, const char* src);
template <std::size_t N> void CopyFixedText(char (&dst)[N], const char* src) {
    CopyFixedText(dst, N, src);
}

inline bool IsReconciled(const AcctRecord& r) { return r.reconcile[0] == 'R'; }
inline bool HasEmptyDate(const AcctRecord& r) { return r.date[0] == '\0'; }

// The empty record the register keeps at the end for typing: nothing
// filled in. It is no transaction: it is neither saved, printed nor
// exported.
bool IsBlankRecord(const AcctRecord& record);

// Sort order of the register: year, then day of year, then check number
// with 0 (no number) after every numbered check. An empty date counts as
// year 0, day 0. True when a sorts strictly before b.
bool SortsBefore(const AcctRecord& a, const AcctRecord& b);

// Fills rec as the first record of a new account: cleared ("R"), dated on
// the statement date, "OPENING BALANCE", the statement balance as a
// deposit (positive) or a payment (negative).
void FillOpeningBalanceRecord(AcctRecord& rec, const AccountHeader& header);

// Fills a new account's header; the name is cut to 88 characters.
void FillAccountHeader(AccountHeader& header, const char* name, double statementBalance,
                       const char* statementDate, std::uint16_t year, std::uint16_t dayOfYear);

// ---------------------------------------------------------------------------
// The list.

// A node's record. It lives in the account's record pool, which frees it;
// sorting exchanges these between nodes.
class RecordRef {
public:
    RecordRef() = default;
    explicit RecordRef(AcctRecord* record) : m_Record(record) {}
    AcctRecord* get() const { return m_Record; }
    AcctRecord& operator*() const { return *m_Record; }
    AcctRecord* operator->() const { return m_Record; }
    explicit operator bool() const { return m_Record != nullptr; }
    friend bool operator==(const RecordRef& ref, std::nullptr_t) { return ref.m_Record == nullptr; }

private:
    AcctRecord* m_Record = nullptr;
};

// One transaction in the list. Sorting exchanges records between nodes and
// leaves the nodes in place.
struct RecordNode {
    RecordRef record;
    double balance = 0.0;  // running balance after this record (scratch)
    RecordNode* next = nullptr;
    RecordNode* prev = nullptr;
};

// A node taken out of the list: dropping it gives the node and its record
// back to the account's pool for reuse (it must not outlive the account).
struct ReturnToPool {
    RecordPool* pool = nullptr;
    std::uint64_t generation = 0;
    void operator()(RecordNode* node) const {
        if (pool != nullptr) pool->Free(node, generation);
    }
};
using UnlinkedNode = std::unique_ptr<RecordNode, ReturnToPool>;

// View flag: the View menu command minus the first View command.
inline constexpr int ViewAll = 0;      // every record, from 0
inline constexpr int ViewCurrent = 1;  // records without "R", from reconciledBalance

// Results of ComputeBalances.
inline constexpr int kBalancesOk = 0;
inline constexpr int kReconciledOutOfRange = 1;
inline constexpr int kRunningOutOfRange = 2;

// One record as the balances see it, for checking a list before it exists.
struct BalanceEntry {
    double effect = 0.0;  // deposit minus payment
    bool reconciled = false;
};

// The first balance the register could not show.
struct BalanceOverflow {
    int result = kBalancesOk;  // kRunningOutOfRange, kReconciledOutOfRange or kBalancesOk
    bool above = false;        // past the largest balance; else below the smallest
};

// What ComputeBalances would find for records in this list order, in
// either view: a running balance out of range in the All or the Current
// view wins over the cleared total out of range, as there.
BalanceOverflow FindBalanceOverflow(std::span<const BalanceEntry> entries);

class Account {
public:
    Account() = default;
    ~Account();
    Account(const Account&) = delete;
    Account& operator=(const Account&) = delete;

    // Appends a zero-filled record after the tail (an empty list gets it
    // as head, tail and current) and returns its node.
    RecordNode* AppendRecord();
    // Frees every node and record; head, tail and both cursors become none.
    void ClearAccount();
    // Makes room for count more records, so that the next count
    // AppendRecord and InsertBefore calls allocate nothing and cannot
    // fail. Throws std::bad_alloc, with the list unchanged, when there is
    // no room.
    void ReserveRecords(std::size_t count) { m_Pool.Reserve(count); }
    // Replaces the list with count records: the consecutive 128-byte blocks
    // at first, which lie in block. The account keeps block as their memory,
    // so an account read from its file is one allocation, not one a record.
    void TakeRecords(std::unique_ptr<unsigned char[]> block, unsigned char* first, std::size_t count);

    // Starts a new account in memory: clears the list, fills the header and
    // appends the opening-balance record. The open flag becomes 1; view,
    // position and balances are left to the caller.
    void CreateInMemory(const char* name, double statementBalance, const char* statementDate,
                        std::uint16_t year, std::uint16_t dayOfYear);

    // Sets current to the topIndex-th record of the view.
    void PositionAtTop(int topIndex);
    // Running balances of the view, reconciledBalance, endingBalance and
    // the visible count; returns kBalancesOk, kReconciledOutOfRange or
    // kRunningOutOfRange (the latter wins).
    int ComputeBalances();

    // Move node's record towards the head / tail to its sorted place by
    // exchanging record pointers; a record with an empty date stays. When
    // anything moved, current is repositioned with PositionAtTop(topIndex);
    // true then.
    bool MoveRecordBack(RecordNode* node);
    bool MoveRecordForward(RecordNode* node);

    // How many records of the view come before node (the view's index of
    // node when it is in the view).
    int ViewIndexOf(const RecordNode* node) const;

    // First and last dates (YYYYMMDD, kDateTextSize bytes each) spanned by
    // the view; today's date when the view holds no dated record.
    void GetDateRange(char* first, char* last) const;

    // Inserts a zero-filled record before node and returns its node. When
    // node is current (the register's first row) the new node becomes
    // current.
    RecordNode* InsertBefore(RecordNode* node);
    // Takes node out of the list and hands it back (drop it to free it).
    // When node is current, current moves to its successor, or to its
    // predecessor when it was the tail. The last remaining node is never
    // taken out: that returns null and changes nothing.
    UnlinkedNode Unlink(RecordNode* node);
    // Whether node is in the list now (any pointer may be asked about, also
    // one to a node taken out or freed since), without walking the list.
    bool Contains(const RecordNode* node) const;

    // Save's walk over the list: from none to the head, then node by node;
    // returns the new write cursor (null past the tail).
    RecordNode* AdvanceWriteCursor();

    RecordNode* Head() const { return m_Head; }
    RecordNode* Tail() const { return m_Tail; }
    std::size_t RecordCount() const { return m_RecordCount; }

    AccountHeader header = {};
    RecordNode* current = nullptr;
    RecordNode* writeCursor = nullptr;
    std::uint32_t visibleCount = 0;
    double reconciledBalance = 0.0;
    double endingBalance = 0.0;
    std::int32_t topIndex = 0;
    int isOpen = 0;
    int view = ViewCurrent;
    // 1 while the open account holds a change that has not been saved: set
    // by typing in the register, cleared by a successful save, kept by a
    // failed one.
    int needsSaving = 0;

private:
    void Link(RecordNode* node, RecordNode* before);

    RecordPool m_Pool;
    RecordNode* m_Head = nullptr;
    RecordNode* m_Tail = nullptr;
    std::size_t m_RecordCount = 0;
};

extern Account g_Account;
