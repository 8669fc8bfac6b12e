// The record list: appending, inserting a blank record above the focused
// row, deleting the focused record, clearing, and the save's walk.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "account_builder.h"
#include "model/account.h"

namespace {

using namespace model_test;

void BuildABCD(Account& account) {
    Build(account, {{.desc = "A"}, {.desc = "B"}, {.desc = "C"}, {.desc = "D"}});
}

TEST(AppendRecord, FirstNodeIsHeadTailAndCurrent) {
    Account account;
    RecordNode* first = account.AppendRecord();
    EXPECT_EQ(account.Head(), first);
    EXPECT_EQ(account.Tail(), first);
    EXPECT_EQ(account.current, first);

    RecordNode* second = account.AppendRecord();
    EXPECT_EQ(account.Head(), first);
    EXPECT_EQ(account.Tail(), second);
    EXPECT_EQ(account.current, first);
    EXPECT_EQ(first->next, second);
    EXPECT_EQ(second->prev, first);
    EXPECT_EQ(second->next, nullptr);
    ExpectWellLinked(account);
}

TEST(InsertBefore, BlankRecordGoesAboveTheNode) {
    struct Case {
        const char* name;
        int at;       // node the blank goes before
        int current;  // node that is current (the register's first row)
        const char* order;
        const char* head;
        const char* tail;
        const char* newCurrent;
    };
    const Case cases[] = {
        {"at the head, first row", 0, 0, "_ A B C D", "_", "D", "_"},
        {"at the head, first row elsewhere", 0, 2, "_ A B C D", "_", "D", "C"},
        {"in the middle, first row", 2, 2, "A B _ C D", "A", "D", "_"},
        {"in the middle, lower row", 2, 1, "A B _ C D", "A", "D", "B"},
        {"at the tail, first row", 3, 3, "A B C _ D", "A", "D", "_"},
        {"at the tail, lower row", 3, 0, "A B C _ D", "A", "D", "A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Account account;
        BuildABCD(account);
        const std::vector<RecordNode*> nodes = Nodes(account);
        account.current = nodes[c.current];

        RecordNode* added = account.InsertBefore(nodes[c.at]);
        CopyFixedText(added->record->description, "_");

        EXPECT_EQ(Order(account), c.order);
        EXPECT_EQ(DescOf(account.Head()), c.head);
        EXPECT_EQ(DescOf(account.Tail()), c.tail);
        EXPECT_EQ(DescOf(account.current), c.newCurrent);
        ExpectWellLinked(account);
    }
}

TEST(InsertBefore, NewRecordIsZeroFilled) {
    Account account;
    BuildABCD(account);
    const AcctRecord& rec = *account.InsertBefore(account.Tail())->record;
    const AcctRecord zero{};
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&rec), sizeof rec),
              std::string(reinterpret_cast<const char*>(&zero), sizeof zero));
}

TEST(Unlink, RemovesTheNodeAndKeepsCursorsInTheList) {
    struct Case {
        const char* name;
        int removed;
        int current;
        const char* order;
        const char* head;
        const char* tail;
        const char* newCurrent;
    };
    const Case cases[] = {
        {"head in the first row", 0, 0, "B C D", "B", "D", "B"},
        {"head, first row elsewhere", 0, 2, "B C D", "B", "D", "C"},
        {"middle in the first row", 1, 1, "A C D", "A", "D", "C"},
        {"middle in a lower row", 2, 0, "A B D", "A", "D", "A"},
        {"tail in the first row", 3, 3, "A B C", "A", "C", "C"},
        {"tail in a lower row", 3, 1, "A B C", "A", "C", "B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Account account;
        BuildABCD(account);
        const std::vector<RecordNode*> nodes = Nodes(account);
        account.current = nodes[c.current];

        UnlinkedNode removed = account.Unlink(nodes[c.removed]);

        ASSERT_EQ(removed.get(), nodes[c.removed]);
        EXPECT_EQ(removed->next, nullptr);
        EXPECT_EQ(removed->prev, nullptr);
        EXPECT_EQ(Order(account), c.order);
        EXPECT_EQ(DescOf(account.Head()), c.head);
        EXPECT_EQ(DescOf(account.Tail()), c.tail);
        EXPECT_EQ(DescOf(account.current), c.newCurrent);
        ExpectWellLinked(account);
    }
}

TEST(Unlink, TwoRecordsDownToOne) {
    for (int removed : {0, 1}) {
        Account account;
        Build(account, {{.desc = "A"}, {.desc = "B"}});
        account.current = Nodes(account)[removed];
        account.Unlink(Nodes(account)[removed]);
        const char* left = removed == 0 ? "B" : "A";
        EXPECT_EQ(Order(account), left);
        EXPECT_EQ(DescOf(account.current), left);
        EXPECT_EQ(account.Head(), account.Tail());
        ExpectWellLinked(account);
    }
}

TEST(Unlink, LastRemainingRecordIsKept) {
    Account account;
    Add(account, {.desc = "A"});
    EXPECT_EQ(account.Unlink(account.Head()), nullptr);
    EXPECT_EQ(Order(account), "A");
    EXPECT_EQ(account.current, account.Head());
    ExpectWellLinked(account);
}

TEST(Unlink, NodeAlreadyTakenOutIsRefused) {
    Account account;
    BuildABCD(account);
    UnlinkedNode removed = account.Unlink(Nodes(account)[1]);
    EXPECT_EQ(account.Unlink(removed.get()), nullptr);
    EXPECT_EQ(account.Unlink(nullptr), nullptr);
    EXPECT_EQ(Order(account), "A C D");
    ExpectWellLinked(account);
}

TEST(Unlink, WriteCursorStaysOnTheWalk) {
    Account account;
    BuildABCD(account);
    account.AdvanceWriteCursor();
    account.AdvanceWriteCursor();  // on B
    account.Unlink(Nodes(account)[1]);
    EXPECT_EQ(DescOf(account.AdvanceWriteCursor()), "C");
}

TEST(ClearAccount, FreesEverythingAndAllowsANewList) {
    Account account;
    BuildABCD(account);
    account.AdvanceWriteCursor();
    account.ClearAccount();
    EXPECT_EQ(account.Head(), nullptr);
    EXPECT_EQ(account.Tail(), nullptr);
    EXPECT_EQ(account.current, nullptr);
    EXPECT_EQ(account.writeCursor, nullptr);
    EXPECT_EQ(account.RecordCount(), 0u);

    Add(account, {.desc = "Z"});
    EXPECT_EQ(Order(account), "Z");
    EXPECT_EQ(account.current, account.Head());
}

TEST(WriteCursor, WalksEveryRecordWhateverTheView) {
    Account account;
    Build(account, {Cleared({.desc = "A"}), {.desc = "B"}, Cleared({.desc = "C"})});
    account.view = ViewCurrent;
    std::string walked;
    for (RecordNode* n = account.AdvanceWriteCursor(); n != nullptr; n = account.AdvanceWriteCursor())
        walked += DescOf(n);
    EXPECT_EQ(walked, "ABC");
    EXPECT_EQ(account.writeCursor, nullptr);
    EXPECT_EQ(DescOf(account.AdvanceWriteCursor()), "A");  // a new walk starts at the head
}

}  // namespace
