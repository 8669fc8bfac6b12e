// The two views: running balances, positioning of the first register row,
// and the date range offered to print and export.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "account_builder.h"
#include "model/account.h"
#include "values/date.h"

namespace {

using namespace model_test;

struct BalanceCase {
    const char* name;
    int view;
    std::vector<Tx> txs;
    std::vector<double> balances;  // node balances of the view's records, list order
    double reconciled;
    double ending;
    unsigned visible;
    int result = kBalancesOk;
};

void CheckBalances(const BalanceCase& c) {
    SCOPED_TRACE(c.name);
    Account account;
    Build(account, c.txs);
    account.view = c.view;
    account.visibleCount = 12345;
    account.endingBalance = 12345;  // stale values from an earlier account
    account.reconciledBalance = 12345;

    EXPECT_EQ(account.ComputeBalances(), c.result);
    std::vector<double> balances;
    for (RecordNode* n = account.Head(); n != nullptr; n = n->next)
        if (c.view == ViewAll || !IsReconciled(*n->record))
            balances.push_back(n->balance);
    EXPECT_EQ(balances, c.balances);
    EXPECT_EQ(account.reconciledBalance, c.reconciled);
    EXPECT_EQ(account.endingBalance, c.ending);
    EXPECT_EQ(account.visibleCount, c.visible);
}

TEST(ComputeBalances, RunningBalancesOfBothViews) {
    const std::vector<Tx> mixed = {
        Cleared({.desc = "open", .date = "20240101", .deposit = 500}),
        {.desc = "rent", .date = "20240102", .payment = 300},
        Cleared({.desc = "fee", .date = "20240103", .payment = 20}),
        {.desc = "pay", .date = "20240104", .deposit = 1000},
        {.desc = "food", .date = "20240105", .payment = 80.5},
    };
    const BalanceCase cases[] = {
        {"all view starts from 0", ViewAll, mixed, {500, 200, 180, 1180, 1099.5}, 480, 1099.5, 5},
        {"current view starts from the cleared total", ViewCurrent, mixed, {180, 1180, 1099.5}, 480, 1099.5, 3},
        {"all view, one record", ViewAll, {{.desc = "a", .payment = 40}}, {-40}, 0, -40, 1},
        {"current view, every record cleared", ViewCurrent,
         {Cleared({.desc = "a", .deposit = 10}), Cleared({.desc = "b", .payment = 4})}, {}, 6, 6, 0},
        {"current view, nothing cleared", ViewCurrent,
         {{.desc = "a", .deposit = 10}, {.desc = "b", .payment = 4}}, {10, 6}, 0, 6, 2},
        {"blank records count with no effect", ViewAll,
         {{.desc = "a", .deposit = 10}, {.desc = ""}}, {10, 10}, 0, 10, 2},
        {"empty account", ViewAll, {}, {}, 0, 0, 0},
    };
    for (const BalanceCase& c : cases)
        CheckBalances(c);
}

TEST(ComputeBalances, CentResiduesSnapToExactZero) {
    const std::vector<Tx> open = {
        {.desc = "a", .deposit = 0.10}, {.desc = "b", .deposit = 0.20}, {.desc = "c", .payment = 0.30}};
    // In this order the residue is negative.
    const std::vector<Tx> cleared = {Cleared({.desc = "a", .deposit = 0.30}), Cleared({.desc = "b", .payment = 0.10}),
                                     Cleared({.desc = "c", .payment = 0.20})};
    const BalanceCase cases[] = {
        {"all view", ViewAll, open, {0.10, 0.10 + 0.20, 0.0}, 0, 0, 3},
        {"current view", ViewCurrent, open, {0.10, 0.10 + 0.20, 0.0}, 0, 0, 3},
        {"cleared total", ViewCurrent, cleared, {}, 0.0, 0.0, 0},
    };
    for (const BalanceCase& c : cases)
        CheckBalances(c);

    Account account;
    Build(account, cleared);
    account.ComputeBalances();
    EXPECT_FALSE(std::signbit(account.reconciledBalance)) << "would show as -0.00";
    EXPECT_EQ(account.Tail()->balance, 0.0);
    EXPECT_FALSE(std::signbit(account.Tail()->balance));
}

TEST(ComputeBalances, DisplayLimitsGiveResultCodes) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        int view;
        std::vector<Tx> txs;
        int result;
    };
    const Case cases[] = {
        {"largest balance is in range", ViewAll, {{.desc = "a", .deposit = 9999999.99}}, kBalancesOk},
        {"smallest balance is in range", ViewAll, {{.desc = "a", .payment = 9999999.99}}, kBalancesOk},
        {"one cent more is out", ViewAll, {{.desc = "a", .deposit = 10000000.00}}, kRunningOutOfRange},
        {"one cent less is out", ViewAll, {{.desc = "a", .payment = 10000000.00}}, kRunningOutOfRange},
        {"out and back in is still reported", ViewAll,
         {{.desc = "a", .deposit = 9999999.99}, {.desc = "b", .deposit = 0.01}, {.desc = "c", .payment = 5}},
         kRunningOutOfRange},
        {"cleared total out of range", ViewCurrent,
         {Cleared({.desc = "a", .deposit = 10000000.00}), {.desc = "b", .payment = 5000000}},
         kReconciledOutOfRange},
        {"cleared total at the limit", ViewCurrent,
         {Cleared({.desc = "a", .deposit = 9999999.99})}, kBalancesOk},
        {"running wins over cleared", ViewCurrent,
         {Cleared({.desc = "a", .deposit = 10000000.00}), {.desc = "b", .deposit = 1}}, kRunningOutOfRange},
        {"cleared out of range also runs out in the all view", ViewAll,
         {Cleared({.desc = "a", .deposit = 10000000.00}), Cleared({.desc = "b", .payment = 5000000})},
         kRunningOutOfRange},
        {"damaged amount", ViewAll, {{.desc = "a", .deposit = nan}}, kRunningOutOfRange},
    };
    for (const Case& c : cases) {
        Account account;
        Build(account, c.txs);
        account.view = c.view;
        EXPECT_EQ(account.ComputeBalances(), c.result) << c.name;
    }
}

// A list checked before it exists is refused exactly when the register
// would refuse it in one of its views, with the side of the limit passed.
TEST(FindBalanceOverflow, AgreesWithComputeBalancesInEitherView) {
    struct Case {
        const char* name;
        std::vector<Tx> txs;
        int result;
        bool above;
    };
    const Case cases[] = {
        {"in range", {Cleared({.desc = "a", .deposit = 9999999.99}), {.desc = "b", .payment = 5}}, kBalancesOk, false},
        {"above in both views", {{.desc = "a", .deposit = 9999999.99}, {.desc = "b", .deposit = 0.01}},
         kRunningOutOfRange, true},
        {"below", {{.desc = "a", .payment = 9999999.99}, {.desc = "b", .payment = 0.01}}, kRunningOutOfRange, false},
        {"out and back in",
         {Cleared({.desc = "a", .deposit = 9900000}), {.desc = "b", .deposit = 500000}, {.desc = "c", .payment = 500000}},
         kRunningOutOfRange, true},
        {"out only in the current view, which starts from the cleared total",
         {{.desc = "a", .deposit = 500000}, {.desc = "b", .payment = 600000}, Cleared({.desc = "c", .deposit = 9900000})},
         kRunningOutOfRange, true},
        {"only the cleared total",
         {Cleared({.desc = "a", .deposit = 9500000}), {.desc = "b", .payment = 600000},
          Cleared({.desc = "c", .deposit = 600000})},
         kReconciledOutOfRange, true},
        {"blank records count nothing", {{.desc = ""}, {.desc = "a", .payment = 9999999.99}, {.desc = ""}},
         kBalancesOk, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Account account;
        Build(account, c.txs);
        std::vector<BalanceEntry> entries;
        for (RecordNode* n = account.Head(); n; n = n->next)
            entries.push_back({n->record->deposit - n->record->payment, IsReconciled(*n->record)});
        const BalanceOverflow found = FindBalanceOverflow(entries);
        EXPECT_EQ(found.result, c.result);
        if (c.result != kBalancesOk) EXPECT_EQ(found.above, c.above);
        int worst = kBalancesOk;
        for (int view : {ViewAll, ViewCurrent}) {
            account.view = view;
            worst = std::max(worst, account.ComputeBalances());
        }
        EXPECT_EQ(found.result, worst) << "the register's own verdict";
    }
}

TEST(ComputeBalances, BalancesOutOfRangeAreKeptAsComputed) {
    Account account;
    Build(account, {{.desc = "a", .deposit = 9999999.99}, {.desc = "b", .deposit = 1.01}});
    account.view = ViewAll;
    EXPECT_EQ(account.ComputeBalances(), kRunningOutOfRange);
    EXPECT_DOUBLE_EQ(account.endingBalance, 10000001.00);
}

// A mark that is neither "R" nor empty (a damaged file) is shown as not
// cleared, and counted the same way, so the visible count matches what the
// register can reach.
TEST(ComputeBalances, OddMarkCountsAsNotCleared) {
    Account account;
    Build(account, {Cleared({.desc = "a", .deposit = 5}), {.desc = "b", .deposit = 7}});
    account.Head()->next->record->reconcile[0] = 'x';
    account.view = ViewCurrent;
    account.ComputeBalances();
    EXPECT_EQ(account.visibleCount, 1u);
    EXPECT_EQ(account.endingBalance, 12.0);
    account.PositionAtTop(0);
    EXPECT_EQ(DescOf(account.current), "b");
}

TEST(PositionAtTop, FirstRowOfEachView) {
    // Cleared records: A, C, D, G.
    const std::vector<Tx> txs = {
        Cleared({.desc = "A"}), {.desc = "B"}, Cleared({.desc = "C"}), Cleared({.desc = "D"}),
        {.desc = "E"}, {.desc = "F"}, Cleared({.desc = "G"}),
    };
    struct Case {
        int view;
        int topIndex;
        const char* expected;
    };
    const Case cases[] = {
        {ViewAll, 0, "A"},     {ViewAll, 1, "B"},     {ViewAll, 6, "G"},
        {ViewAll, 50, "G"},    {ViewAll, -3, "A"},    {ViewCurrent, 0, "B"},
        {ViewCurrent, 1, "E"}, {ViewCurrent, 2, "F"}, {ViewCurrent, 3, "G"},
    };
    Account account;
    Build(account, txs);
    for (const Case& c : cases) {
        account.view = c.view;
        account.PositionAtTop(c.topIndex);
        EXPECT_EQ(DescOf(account.current), c.expected) << "view " << c.view << " top " << c.topIndex;
    }
}

TEST(PositionAtTop, EveryIndexBelowTheVisibleCountReachesThatRecord) {
    Account account;
    for (int i = 0; i < 40; ++i) {
        const std::string desc = std::to_string(i);
        Tx tx{.desc = desc.c_str(), .deposit = 1};
        tx.cleared = i % 3 == 0 || i % 7 == 0;
        Add(account, tx);
    }
    for (int view : {ViewAll, ViewCurrent}) {
        account.view = view;
        account.ComputeBalances();
        std::vector<RecordNode*> visible;
        for (RecordNode* n : Nodes(account))
            if (view == ViewAll || !IsReconciled(*n->record))
                visible.push_back(n);
        ASSERT_EQ(visible.size(), account.visibleCount);
        for (std::size_t i = 0; i < visible.size(); ++i) {
            account.PositionAtTop(static_cast<int>(i));
            EXPECT_EQ(account.current, visible[i]) << "view " << view << " index " << i;
        }
    }
}

TEST(PositionAtTop, AllClearedLeavesCurrentAtTheTail) {
    Account account;
    Build(account, {Cleared({.desc = "A", .deposit = 1}), Cleared({.desc = "B", .deposit = 2})});
    account.view = ViewCurrent;
    EXPECT_EQ(account.ComputeBalances(), kBalancesOk);
    EXPECT_EQ(account.visibleCount, 0u);
    account.PositionAtTop(0);
    EXPECT_EQ(account.current, account.Tail());
}

class DateRange : public ::testing::Test {
protected:
    void SetUp() override { Date::SetTodayForTesting(2024, 7, 4); }
    void TearDown() override { Date::SetTodayForTesting(0, 0, 0); }
};

TEST_F(DateRange, SpansTheDatedRecordsOfTheView) {
    struct Case {
        const char* name;
        int view;
        std::vector<Tx> txs;
        const char* first;
        const char* last;
    };
    const char* today = "20240704";
    const Case cases[] = {
        {"current: first and last not cleared", ViewCurrent,
         {Cleared({.desc = "a", .date = "20240101"}), {.desc = "b", .date = "20240105"},
          {.desc = "c", .date = "20240110"}, Cleared({.desc = "d", .date = "20240120"})},
         "20240105", "20240110"},
        {"current: blank tail is left out", ViewCurrent,
         {Cleared({.desc = "a", .date = "20240101"}), {.desc = "b", .date = "20240105"}, {.desc = ""}},
         "20240105", "20240105"},
        {"current: everything cleared", ViewCurrent,
         {Cleared({.desc = "a", .date = "20240101"}), Cleared({.desc = "b", .date = "20240102"})}, today, today},
        {"current: first open record not dated", ViewCurrent,
         {Cleared({.desc = "a", .date = "20240101"}), {.desc = ""}, {.desc = "c", .date = "20240301"}}, today,
         today},
        {"all: head to tail", ViewAll,
         {{.desc = "a", .date = "20231231"}, Cleared({.desc = "b", .date = "20240102"}),
          {.desc = "c", .date = "20240103"}},
         "20231231", "20240103"},
        {"all: stops before the first blank", ViewAll,
         {{.desc = "a", .date = "20240101"}, {.desc = "b", .date = "20240102"}, {.desc = ""},
          {.desc = "d", .date = "20240301"}},
         "20240101", "20240102"},
        {"all: only a blank record", ViewAll, {{.desc = ""}}, today, today},
    };
    for (const Case& c : cases) {
        Account account;
        Build(account, c.txs);
        account.view = c.view;
        char first[kDateTextSize] = "junk";
        char last[kDateTextSize] = "junk";
        account.GetDateRange(first, last);
        EXPECT_STREQ(first, c.first) << c.name;
        EXPECT_STREQ(last, c.last) << c.name;
    }
}

TEST_F(DateRange, UnterminatedDateIsCutToEightCharacters) {
    Account account;
    Add(account, {.desc = "a", .date = "20240101"});
    std::memset(account.Head()->record->date, '7', kDateTextSize);
    account.view = ViewAll;
    char first[kDateTextSize], last[kDateTextSize];
    account.GetDateRange(first, last);
    EXPECT_EQ(std::string(first, kDateTextSize), std::string("77777777\0", kDateTextSize));
    EXPECT_EQ(std::string(last, kDateTextSize), std::string("77777777\0", kDateTextSize));
}

}  // namespace
