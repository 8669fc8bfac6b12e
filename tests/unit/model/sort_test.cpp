// Record order: year, day of year, check number with unnumbered entries
// last; one edited record moves to its place by exchanging records.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "account_builder.h"
#include "model/account.h"

namespace {

using namespace model_test;

TEST(SortsBefore, ComparesYearThenDayThenCheckNumber) {
    struct Case {
        Tx a;
        Tx b;
        bool before;
    };
    const Case cases[] = {
        {{.desc = "", .date = "20230301"}, {.desc = "", .date = "20240101"}, true},
        {{.desc = "", .date = "20240101"}, {.desc = "", .date = "20230301"}, false},
        {{.desc = "", .date = "20240228"}, {.desc = "", .date = "20240301"}, true},
        {{.desc = "", .date = "20240301", .check = 101}, {.desc = "", .date = "20240301", .check = 105}, true},
        {{.desc = "", .date = "20240301", .check = 105}, {.desc = "", .date = "20240301", .check = 101}, false},
        {{.desc = "", .date = "20240301", .check = 9999}, {.desc = "", .date = "20240301", .check = 0}, true},
        {{.desc = "", .date = "20240301", .check = 0}, {.desc = "", .date = "20240301", .check = 1}, false},
        {{.desc = "", .date = "20240301"}, {.desc = "", .date = "20240301"}, false},
        {{.desc = "", .date = "20240301", .check = 7}, {.desc = "", .date = "20240302", .check = 1}, true},
        {{.desc = ""}, {.desc = "", .date = "19000101"}, true},
        {{.desc = "", .date = "19000101"}, {.desc = ""}, false},
    };
    for (const Case& c : cases) {
        AcctRecord a, b;
        Fill(a, c.a);
        Fill(b, c.b);
        EXPECT_EQ(SortsBefore(a, b), c.before)
            << "'" << c.a.date << "' #" << c.a.check << " vs '" << c.b.date << "' #" << c.b.check;
    }
}

// A record left with year and day from before its date was cleared still
// counts as undated.
TEST(SortsBefore, ClearedDateIgnoresStaleYearAndDay) {
    AcctRecord blank, dated;
    Fill(blank, {.desc = "", .date = "20240601"});
    blank.date[0] = '\0';
    Fill(dated, {.desc = "", .date = "20240101"});
    EXPECT_TRUE(SortsBefore(blank, dated));
}

// Each case builds the list, then moves one record the way a save does:
// back first, then forward.
TEST(MoveRecord, EditedRecordFindsItsPlace) {
    struct Case {
        const char* name;
        std::vector<Tx> txs;
        int moved;  // index of the node to sort
        const char* order;
    };
    const Case cases[] = {
        {"new last record belongs first",
         {{.desc = "A", .date = "20240105"}, {.desc = "B", .date = "20240110"}, {.desc = "N", .date = "20240101"}},
         2, "N A B"},
        {"new last record belongs in the middle",
         {{.desc = "A", .date = "20240105"}, {.desc = "B", .date = "20240110"}, {.desc = "N", .date = "20240107"}},
         2, "A N B"},
        {"first record moved to a later date",
         {{.desc = "N", .date = "20240120"}, {.desc = "A", .date = "20240105"}, {.desc = "B", .date = "20240110"}},
         0, "A B N"},
        {"year beats day of year",
         {{.desc = "A", .date = "20231231"}, {.desc = "N", .date = "20230101"}, {.desc = "B", .date = "20240101"}},
         1, "N A B"},
        {"numbered checks before unnumbered entries of the day",
         {{.desc = "A", .date = "20240301"}, {.desc = "N", .date = "20240301", .check = 101}},
         1, "N A"},
        {"equal records keep their order",
         {{.desc = "A", .date = "20240301"}, {.desc = "B", .date = "20240301"}, {.desc = "N", .date = "20240301"}},
         2, "A B N"},
        {"equal record in front keeps its place",
         {{.desc = "N", .date = "20240301"}, {.desc = "A", .date = "20240301"}}, 0, "N A"},
        {"record with a cleared date stays",
         {{.desc = "A", .date = "20240310"}, {.desc = "N"}, {.desc = "B", .date = "20240301"}}, 1, "A N B"},
        {"a blank predecessor counts as smaller",
         {{.desc = "A", .date = "20240310"}, {.desc = "X"}, {.desc = "N", .date = "20240301"}}, 2, "A X N"},
        {"a blank successor counts as smaller",
         {{.desc = "N", .date = "20240310"}, {.desc = "X"}, {.desc = "B", .date = "20240315"}}, 0, "X N B"},
        {"only record", {{.desc = "N", .date = "20240310"}}, 0, "N"},
    };
    for (const Case& c : cases) {
        Account account;
        Build(account, c.txs);
        RecordNode* node = Nodes(account)[c.moved];
        account.MoveRecordBack(node);
        account.MoveRecordForward(node);
        EXPECT_EQ(Order(account), c.order) << c.name;
        ExpectWellLinked(account);
    }
}

TEST(MoveRecord, ChecksOfOneDaySortByNumberWithUnnumberedLast) {
    // Entered as 0, 105, 101; each new record is sorted as it is saved.
    Account account;
    for (Tx tx : {Tx{.desc = "none", .date = "20240301", .check = 0}, Tx{.desc = "105", .date = "20240301", .check = 105},
                  Tx{.desc = "101", .date = "20240301", .check = 101}}) {
        RecordNode* node = Add(account, tx);
        account.MoveRecordBack(node);
        account.MoveRecordForward(node);
    }
    EXPECT_EQ(Order(account), "101 105 none");
}

TEST(MoveRecord, NodesStayInPlaceAndRecordsMove) {
    Account account;
    Build(account, {{.desc = "A", .date = "20240105"}, {.desc = "B", .date = "20240110"},
                    {.desc = "N", .date = "20240101"}});
    const std::vector<RecordNode*> before = Nodes(account);
    const AcctRecord* moved = before[2]->record.get();

    account.MoveRecordBack(before[2]);

    EXPECT_EQ(Nodes(account), before);
    EXPECT_EQ(before[0]->record.get(), moved);
}

TEST(MoveRecord, RepositionsCurrentOnlyWhenSomethingMoved) {
    Account account;
    Build(account, {Cleared({.desc = "A", .date = "20240101"}), {.desc = "B", .date = "20240105"},
                    {.desc = "C", .date = "20240110"}, {.desc = "D", .date = "20240120"}});
    account.view = ViewCurrent;
    account.topIndex = 1;
    const std::vector<RecordNode*> nodes = Nodes(account);

    account.current = nodes[0];  // deliberately off: nothing moves, so it stays
    account.MoveRecordBack(nodes[2]);
    account.MoveRecordForward(nodes[2]);
    EXPECT_EQ(account.current, nodes[0]);

    // B becomes cleared and dated last: the second open record is now D.
    Fill(*nodes[1]->record, Cleared({.desc = "B", .date = "20240130"}));
    account.MoveRecordForward(nodes[1]);
    EXPECT_EQ(Order(account), "A C D B");
    EXPECT_EQ(account.current, nodes[2]);
    EXPECT_EQ(DescOf(account.current), "D");
}

TEST(MoveRecord, NullNodeIsIgnored) {
    Account account;
    Add(account, {.desc = "A", .date = "20240101"});
    account.MoveRecordBack(nullptr);
    account.MoveRecordForward(nullptr);
    EXPECT_EQ(Order(account), "A");
}

}  // namespace
