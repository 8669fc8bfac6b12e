// An account of 100,000 records goes through the same operations as a
// small one: balances of both views, positioning at the last row, and a
// record sorted across the whole list in each direction.
#include <cstdio>
#include <vector>

#include <gtest/gtest.h>

#include "account_builder.h"
#include "model/account.h"

namespace {

using namespace model_test;

constexpr int kRecords = 100000;

// The day-th day from 1 Jan 2000, counting 365-day years, as YYYYMMDD.
void DateText(int day, char* out) {
    static const int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int month = 0;
    int rest = day % 365;
    while (rest >= kMonthDays[month])
        rest -= kMonthDays[month++];
    std::snprintf(out, kDateTextSize, "%04d%02d%02d", 2000 + day / 365, month + 1, rest + 1);
}

class LargeAccount : public ::testing::Test {
protected:
    void SetUp() override {
        long long allCents = 0;
        long long clearedCents = 0;
        for (int i = 0; i < kRecords; ++i) {
            // 50 records a day from 1 Jan 2000, amounts exact in binary.
            const int day = i / 50;
            char date[kDateTextSize];
            DateText(day, date);
            Tx tx{.desc = "x", .date = date, .check = i % 50 < 10 ? 100 + i % 50 : 0};
            const bool deposit = i % 2 == 0;
            (deposit ? tx.deposit : tx.payment) = deposit ? 1.25 : 0.75;
            tx.cleared = i % 3 == 0;
            Add(account, tx);

            allCents += deposit ? 125 : -75;
            allBalances.push_back(allCents / 100.0);
            if (tx.cleared)
                clearedCents += deposit ? 125 : -75;
            else
                ++openCount;
        }
        expectedReconciled = clearedCents / 100.0;
        expectedEnding = allCents / 100.0;
    }

    Account account;
    std::vector<double> allBalances;
    double expectedReconciled = 0;
    double expectedEnding = 0;
    unsigned openCount = 0;
};

TEST_F(LargeAccount, BalancesOfBothViews) {
    account.view = ViewAll;
    ASSERT_EQ(account.ComputeBalances(), kBalancesOk);
    EXPECT_EQ(account.visibleCount, static_cast<unsigned>(kRecords));
    EXPECT_EQ(account.reconciledBalance, expectedReconciled);
    EXPECT_EQ(account.endingBalance, expectedEnding);
    int i = 0;
    for (RecordNode* n = account.Head(); n != nullptr; n = n->next, ++i)
        ASSERT_EQ(n->balance, allBalances[i]) << "record " << i;

    account.view = ViewCurrent;
    ASSERT_EQ(account.ComputeBalances(), kBalancesOk);
    EXPECT_EQ(account.visibleCount, openCount);
    EXPECT_EQ(account.endingBalance, expectedEnding);  // the cleared total plus every open record
}

TEST_F(LargeAccount, PositionsAtTheLastVisibleRecord) {
    account.view = ViewCurrent;
    account.ComputeBalances();
    account.PositionAtTop(static_cast<int>(account.visibleCount) - 1);
    RecordNode* lastOpen = account.Tail();
    while (IsReconciled(*lastOpen->record))
        lastOpen = lastOpen->prev;
    EXPECT_EQ(account.current, lastOpen);

    account.view = ViewAll;
    account.ComputeBalances();
    account.PositionAtTop(static_cast<int>(account.visibleCount) - 1);
    EXPECT_EQ(account.current, account.Tail());
}

TEST_F(LargeAccount, RecordsSortAcrossTheWholeList) {
    RecordNode* tail = account.Tail();
    Fill(*tail->record, {.desc = "earliest", .date = "19991231"});
    account.MoveRecordBack(tail);
    account.MoveRecordForward(tail);
    EXPECT_EQ(DescOf(account.Head()), "earliest");

    RecordNode* head = account.Head();
    Fill(*head->record, {.desc = "latest", .date = "20991231"});
    account.MoveRecordBack(head);
    account.MoveRecordForward(head);
    EXPECT_EQ(DescOf(account.Tail()), "latest");

    EXPECT_EQ(account.RecordCount(), static_cast<std::size_t>(kRecords));
    for (RecordNode* n = account.Head(); n->next != nullptr; n = n->next)
        ASSERT_FALSE(SortsBefore(*n->next->record, *n->record)) << n->next->record->date;
}

}  // namespace
