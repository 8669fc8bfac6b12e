// The account's records live in its pool: a freed record comes back for
// the next one zero-filled, a node let go after the account was cleared
// touches nothing of the new list, only nodes in the list count as in it,
// and a list taken over from one block keeps its shape through every edit;
// records made room for beforehand are whole records of their own.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "account_builder.h"
#include "model/account.h"

namespace {

using namespace model_test;

bool AllZero(const AcctRecord& record) {
    static const AcctRecord zero{};
    return std::memcmp(&record, &zero, sizeof zero) == 0;
}

TEST(RecordPool, AFreedRecordIsUsedAgainZeroFilled) {
    Account account;
    Build(account, {{.desc = "A"}, Cleared({.desc = "B", .date = "20260301", .check = 7, .payment = 12.5}),
                    {.desc = "C"}});
    RecordNode* freed = Nodes(account)[1];
    const AcctRecord* freedRecord = freed->record.get();
    account.Unlink(freed);  // let go at once: back to the pool

    RecordNode* added = account.AppendRecord();
    EXPECT_EQ(added, freed);
    EXPECT_EQ(added->record.get(), freedRecord);
    EXPECT_TRUE(AllZero(*added->record));
    EXPECT_EQ(added->balance, 0.0);
    EXPECT_EQ(Order(account), "A C ");
    ExpectWellLinked(account);
}

TEST(RecordPool, ANodeLetGoAfterClearAccountTouchesNothing) {
    Account account;
    Build(account, {{.desc = "A"}, {.desc = "B"}, {.desc = "C"}});
    UnlinkedNode kept = account.Unlink(Nodes(account)[1]);
    account.ClearAccount();
    Build(account, {{.desc = "X"}, {.desc = "Y"}, {.desc = "Z"}});

    const std::vector<RecordNode*> inList = Nodes(account);
    kept.reset();  // its account has been cleared since: ignored
    RecordNode* added = account.AppendRecord();
    for (RecordNode* node : inList) EXPECT_NE(node, added) << DescOf(node);
    EXPECT_EQ(Order(account), "X Y Z ");
    ExpectWellLinked(account);
}

TEST(RecordPool, OnlyNodesInTheListAreContained) {
    Account account, other;
    Build(account, {{.desc = "A"}, {.desc = "B"}, {.desc = "C"}, {.desc = "D"}});
    Build(other, {{.desc = "E"}});
    const std::vector<RecordNode*> nodes = Nodes(account);
    UnlinkedNode taken = account.Unlink(nodes[2]);

    EXPECT_TRUE(account.Contains(nodes[0])) << "head";
    EXPECT_TRUE(account.Contains(nodes[1])) << "middle";
    EXPECT_TRUE(account.Contains(nodes[3])) << "tail";
    EXPECT_FALSE(account.Contains(taken.get())) << "taken out, not yet let go";
    EXPECT_FALSE(account.Contains(other.Head())) << "another account's";
    EXPECT_FALSE(account.Contains(nullptr));

    RecordNode* freed = taken.get();
    taken.reset();
    EXPECT_FALSE(account.Contains(freed)) << "let go";
    EXPECT_EQ(account.AppendRecord(), freed);
    EXPECT_TRUE(account.Contains(freed)) << "in the list again";
}

// A row's pointer left from an earlier account can land anywhere in a block
// allocated since, also inside a node: it is never read as one.
TEST(RecordPool, APointerIntoTheMiddleOfANodeIsNotANode) {
    RecordPool pool;
    RecordNode* first = pool.NewNode();
    RecordNode* second = pool.NewNode();
    first->next = second;
    second->prev = first;
    const auto* inside = reinterpret_cast<const RecordNode*>(reinterpret_cast<const char*>(first) +
                                                             offsetof(RecordNode, next));
    EXPECT_TRUE(pool.Holds(first));
    EXPECT_FALSE(pool.Holds(inside));
}

// Records that lie in one block, as an account read from its file has them.
void TakeBlock(Account& account, const std::vector<Tx>& txs) {
    auto block = std::make_unique<unsigned char[]>(kBlockSize * (txs.size() + 1));
    unsigned char* first = block.get() + kBlockSize;
    for (std::size_t i = 0; i < txs.size(); ++i) Fill(*reinterpret_cast<AcctRecord*>(first + i * kBlockSize), txs[i]);
    account.TakeRecords(std::move(block), first, txs.size());
}

TEST(RecordPool, ATakenOverBlockKeepsTheListShapeThroughEdits) {
    Account account;
    TakeBlock(account, {{.desc = "A", .date = "20260101"},
                        {.desc = "B", .date = "20260102"},
                        {.desc = "C", .date = "20260103"},
                        {.desc = "D", .date = "20260104"},
                        {.desc = "E", .date = "20260105"}});
    EXPECT_EQ(Order(account), "A B C D E");
    EXPECT_EQ(account.current, account.Head());
    ExpectWellLinked(account);

    std::vector<RecordNode*> nodes = Nodes(account);
    Fill(*account.InsertBefore(nodes[2])->record, {.desc = "N", .date = "20260110"});
    account.Unlink(nodes[1]);
    EXPECT_EQ(Order(account), "A N C D E");
    ExpectWellLinked(account);

    nodes = Nodes(account);
    account.MoveRecordForward(nodes[1]);  // N goes after E
    EXPECT_EQ(Order(account), "A C D E N");
    SetDate(*nodes[4]->record, "20251231");
    account.MoveRecordBack(nodes[4]);  // N, now the earliest, goes first
    EXPECT_EQ(Order(account), "N A C D E");
    account.AppendRecord();
    account.Unlink(account.Head());
    EXPECT_EQ(Order(account), "A C D E ");
    ExpectWellLinked(account);

    account.ClearAccount();
    EXPECT_EQ(account.Head(), nullptr);
    EXPECT_EQ(account.RecordCount(), 0u);
}

// An import makes room for its records first, so that adding them cannot
// fail half way. Whatever the pool held before (free records, the rest of
// a block), the records that follow are distinct, zero-filled, and every
// one of them is the pool's and in the list.
TEST(RecordPool, RecordsMadeRoomForAreWholeAndDistinct) {
    const struct {
        const char* name;
        int before;  // records appended first
        int freed;   // of those, let go again
        int count;   // room made, then records appended
    } cases[] = {
        {"empty pool", 0, 0, 1},
        {"more than a block", 0, 0, 1000},
        {"rest of a block used first", 200, 0, 100},
        {"free records and a new block", 300, 20, 400},
        {"free records cover it", 50, 20, 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Account account;
        std::vector<RecordNode*> nodes;
        for (int i = 0; i < c.before; ++i) nodes.push_back(account.AppendRecord());
        for (int i = 0; i < c.freed; ++i) account.Unlink(nodes[static_cast<std::size_t>(i) * 2]);
        for (RecordNode* n = account.Head(); n; n = n->next) n->record->payment = 1.0;
        account.ReserveRecords(static_cast<std::size_t>(c.count));
        std::vector<const unsigned char*> records;
        for (int i = 0; i < c.count; ++i) {
            RecordNode* added = account.AppendRecord();
            EXPECT_TRUE(AllZero(*added->record)) << "record " << i;
            EXPECT_TRUE(account.Contains(added)) << "record " << i;
            added->record->payment = 2.0;
        }
        for (RecordNode* n = account.Head(); n; n = n->next)
            records.push_back(reinterpret_cast<const unsigned char*>(n->record.get()));
        std::sort(records.begin(), records.end());
        for (std::size_t i = 1; i < records.size(); ++i)
            ASSERT_GE(records[i] - records[i - 1], static_cast<std::ptrdiff_t>(sizeof(AcctRecord))) << "overlap";
        double total = 0;
        for (RecordNode* n = account.Head(); n; n = n->next) total += n->record->payment;
        EXPECT_EQ(total, (c.before - c.freed) * 1.0 + c.count * 2.0) << "a record was handed out twice";
        ExpectWellLinked(account);
    }
}

}  // namespace
