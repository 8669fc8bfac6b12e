// Matching a statement against the register and applying the result.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "import/statement_match.h"
#include "model/account.h"
#include "model/account_builder.h"

namespace {

using model_test::Build;
using model_test::Cleared;
using model_test::Order;
using model_test::Tx;

StatementTransaction Payment(const char* date, std::int64_t cents, const char* check = "") {
    StatementTransaction t;
    t.date = date;
    t.cents = -cents;
    t.checkNumber = check;
    t.payee = "BANK";
    return t;
}

StatementTransaction Deposit(const char* date, std::int64_t cents) {
    StatementTransaction t;
    t.date = date;
    t.cents = cents;
    t.payee = "BANK";
    return t;
}

Statement StatementOf(std::vector<StatementTransaction> transactions) {
    Statement s;
    s.transactions = std::move(transactions);
    return s;
}

// A small register: two equal grocery payments ten days apart, a check, a
// salary, a cleared coffee and the blank row waiting at the end.
class MatchFixture : public ::testing::Test {
protected:
    void SetUp() override {
        Build(account, {Cleared({"OPENING", "20260101", 0, 0, 1000}),
                        Cleared({"COFFEE", "20260103", 0, 3.25}),
                        {"RENT", "20260105", 101, 500},
                        {"GROCER A", "20260110", 0, 42.50},
                        {"SALARY", "20260115", 0, 0, 2000},
                        {"GROCER B", "20260120", 0, 42.50},
                        {""}});
    }

    std::string Describe(const ImportRow& row) const {
        static const char* const kNames[] = {"MarkR", "Add", "AlreadyThere", "Refused"};
        std::string text = kNames[static_cast<int>(row.action)];
        if (row.record) text += std::string(" ") + row.record->description;
        if (!row.refused.empty()) text += " (" + row.refused + ")";
        return text;
    }

    std::vector<std::string> Plan(std::vector<StatementTransaction> transactions) const {
        std::vector<std::string> out;
        for (const ImportRow& row : MatchStatement(StatementOf(std::move(transactions)), account))
            out.push_back(Describe(row));
        return out;
    }

    std::vector<AcctRecord> Records() const {
        std::vector<AcctRecord> out;
        for (RecordNode* n = account.Head(); n; n = n->next) out.push_back(*n->record);
        return out;
    }

    Account account;
};

TEST_F(MatchFixture, ReversedSignsMatchAFileThatListsPaymentsAsPositive) {
    Statement statement = StatementOf({Deposit("20260110", 4250), Payment("20260112", 200000), Deposit("20260111", 7)});
    statement.endingBalanceCents = -150;
    ReverseSigns(statement);
    std::vector<std::string> plan;
    for (const ImportRow& row : MatchStatement(statement, account))
        plan.push_back(Describe(row));
    EXPECT_EQ(plan, (std::vector<std::string>{"MarkR GROCER A", "MarkR SALARY", "Add"}));
    EXPECT_EQ(statement.transactions[2].cents, -7);
    EXPECT_EQ(statement.endingBalanceCents, 150);
    ReverseSigns(statement);
    EXPECT_EQ(statement.transactions[0].cents, 4250) << "twice is as read";
}

struct OneCase {
    const char* name;
    StatementTransaction transaction;
    const char* expected;
};

TEST_F(MatchFixture, OneTransactionFindsItsRecordOrNone) {
    StatementTransaction refused = Payment("20260110", 4250);
    refused.refused = "amount cannot be read";
    const OneCase cases[] = {
        {"same side, amount and date", Payment("20260110", 4250), "MarkR GROCER A"},
        {"deposit of a payment's amount", Deposit("20260110", 4250), "Add"},
        {"one cent apart", Payment("20260110", 4249), "Add"},
        {"ten days after", Payment("20260130", 4250), "MarkR GROCER B"},
        {"ten days before", Payment("20251226", 50000), "MarkR RENT"},
        {"eleven days after", Payment("20260116", 50000, "101"), "Add"},
        {"same check number", Payment("20260106", 50000, "101"), "MarkR RENT"},
        {"check number with zeros", Payment("20260106", 50000, "0101"), "MarkR RENT"},
        {"other check number", Payment("20260105", 50000, "102"), "Add"},
        {"check number too long for the Num field", Payment("20260105", 50000, "100102"), "MarkR RENT"},
        {"check number only on the record", Payment("20260105", 50000), "MarkR RENT"},
        {"check number only in the statement", Payment("20260110", 4250, "7"), "MarkR GROCER A"},
        {"closest date wins", Payment("20260118", 4250), "MarkR GROCER B"},
        {"equally close: earlier record", Payment("20260115", 4250), "MarkR GROCER A"},
        {"deposit", Deposit("20260112", 200000), "MarkR SALARY"},
        {"cleared record", Payment("20260104", 325), "AlreadyThere COFFEE"},
        {"refused by the reader", refused, "Refused (amount cannot be read)"},
        {"too large for a record", Payment("20260110", 100000000), "Refused (The amount is above 999,999.99.)"},
        {"largest a record holds", Payment("20260110", 99999999), "Add"},
        {"no date", Payment("", 4250), "Refused (The date cannot be read.)"},
        {"no such day", Payment("20261341", 4250), "Refused (The date cannot be read.)"},
    };
    for (const OneCase& c : cases) {
        EXPECT_EQ(Plan({c.transaction}), std::vector<std::string>{c.expected}) << c.name;
    }
}

TEST_F(MatchFixture, EachRecordMatchesOnce) {
    EXPECT_EQ(Plan({Payment("20260111", 4250), Payment("20260110", 4250), Payment("20260112", 4250)}),
              (std::vector<std::string>{"Add", "MarkR GROCER A", "MarkR GROCER B"}));
    // The closest pair is served first, even for a later transaction.
    EXPECT_EQ(Plan({Payment("20260116", 4250), Payment("20260120", 4250)}),
              (std::vector<std::string>{"MarkR GROCER A", "MarkR GROCER B"}));
    EXPECT_EQ(Plan({Payment("20260103", 325), Payment("20260103", 325)}),
              (std::vector<std::string>{"AlreadyThere COFFEE", "Add"}));
}

// Equally close, the record whose number agrees goes to the transaction
// with that number, even a later one.
TEST_F(MatchFixture, EquallyCloseTheAgreeingCheckNumberWins) {
    model_test::Add(account, {"RENT AGAIN", "20260105", 0, 500});
    EXPECT_EQ(Plan({Payment("20260105", 50000), Payment("20260105", 50000, "101")}),
              (std::vector<std::string>{"MarkR RENT AGAIN", "MarkR RENT"}));
}

TEST_F(MatchFixture, ClosestRecordWinsWhetherMarkedOrNot) {
    model_test::Add(account, {"COFFEE AGAIN", "20260107", 0, 3.25});
    EXPECT_EQ(Plan({Payment("20260106", 325)}), std::vector<std::string>{"MarkR COFFEE AGAIN"});
    EXPECT_EQ(Plan({Payment("20260104", 325)}), std::vector<std::string>{"AlreadyThere COFFEE"});
    EXPECT_EQ(Plan({Payment("20260105", 325)}), std::vector<std::string>{"AlreadyThere COFFEE"})
        << "equally close: the earlier record, marked or not";
    EXPECT_EQ(Plan({Payment("20260103", 325), Payment("20260104", 325)}),
              (std::vector<std::string>{"AlreadyThere COFFEE", "MarkR COFFEE AGAIN"}));
}

TEST_F(MatchFixture, ImportingTwiceChangesNothing) {
    // The bank's dates differ from the ones typed in the register.
    const Statement statement = StatementOf({Payment("20260112", 4250), Payment("20260107", 50000, "101"),
                                             Deposit("20260114", 200000), Payment("20260125", 1999),
                                             Payment("20260103", 325)});
    std::vector<ImportRow> rows = MatchStatement(statement, account);
    std::vector<bool> ticked;
    for (const ImportRow& row : rows) ticked.push_back(StartsTicked(row));
    const ImportCounts first = ApplyImport(account, statement, rows, ticked);
    EXPECT_EQ(first.markedR, 3);
    EXPECT_EQ(first.added, 1);
    EXPECT_EQ(first.already, 1);

    const std::vector<AcctRecord> before = Records();
    rows = MatchStatement(statement, account);
    ticked.clear();
    for (const ImportRow& row : rows) {
        EXPECT_EQ(row.action, ImportAction::AlreadyThere) << Describe(row);
        ticked.push_back(StartsTicked(row));
    }
    const ImportCounts second = ApplyImport(account, statement, rows, ticked);
    EXPECT_EQ(second.markedR + second.added, 0);
    EXPECT_EQ(second.already, 5);
    const std::vector<AcctRecord> after = Records();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(std::memcmp(&after[i], &before[i], sizeof(AcctRecord)), 0) << "record " << i;
}

// Of two equal records the first is marked; the second stays for the next
// statement, also when this one is imported again.
TEST_F(MatchFixture, ImportingAgainLeavesTheTwinOfAMarkedRecord) {
    model_test::Add(account, {"ATM 1", "20260125", 0, 20});
    model_test::Add(account, {"ATM 2", "20260125", 0, 20});
    const Statement statement = StatementOf({Payment("20260125", 2000)});
    const std::vector<ImportRow> rows = MatchStatement(statement, account);
    ASSERT_EQ(Describe(rows[0]), "MarkR ATM 1");
    ApplyImport(account, statement, rows, {true});
    EXPECT_EQ(Plan({Payment("20260125", 2000)}), std::vector<std::string>{"AlreadyThere ATM 1"});
}

TEST_F(MatchFixture, ApplyAddsInSortedPlaceBeforeTheBlankRow) {
    const Statement statement = StatementOf({Deposit("20260201", 100), Payment("20260102", 200),
                                             Payment("20260110", 4250), Payment("20260110", 777, "12"),
                                             Payment("20260110", 888)});
    const std::vector<ImportRow> rows = MatchStatement(statement, account);
    const ImportCounts counts = ApplyImport(account, statement, rows, {true, true, true, true, true});
    EXPECT_EQ(counts.markedR, 1);
    EXPECT_EQ(counts.added, 4);
    // Same day: numbered checks first, then the rest after what was there.
    EXPECT_EQ(Order(account), "OPENING BANK COFFEE RENT BANK GROCER A BANK SALARY GROCER B BANK ");
    model_test::ExpectWellLinked(account);
    std::vector<AcctRecord> records = Records();
    for (std::size_t i = 1; i + 1 < records.size(); ++i)
        EXPECT_FALSE(SortsBefore(records[i], records[i - 1])) << "record " << i;
    EXPECT_TRUE(IsBlankRecord(records.back()));
    for (std::size_t i = 0; i + 1 < records.size(); ++i) {
        const std::string description = records[i].description;
        if (description == "BANK" || description == "GROCER A") {
            EXPECT_TRUE(IsReconciled(records[i])) << "record " << i;
        }
    }
}

TEST_F(MatchFixture, ApplyLeavesUntickedRowsAlone) {
    const Statement statement = StatementOf({Payment("20260110", 4250), Payment("20260301", 100),
                                             Payment("20260103", 325), Payment("20260103", 325)});
    const std::vector<ImportRow> rows = MatchStatement(statement, account);
    ASSERT_EQ(rows[2].action, ImportAction::AlreadyThere);
    ASSERT_EQ(rows[3].action, ImportAction::Add);
    const std::vector<AcctRecord> before = Records();
    // Ticking an "already there" row adds the second identical transaction.
    const ImportCounts counts = ApplyImport(account, statement, rows, {false, false, true, false});
    EXPECT_EQ(counts.markedR, 0);
    EXPECT_EQ(counts.added, 1);
    EXPECT_EQ(counts.already, 0);
    EXPECT_EQ(Records().size(), before.size() + 1);
    EXPECT_FALSE(IsReconciled(Records()[4])) << "GROCER A stays unmarked";
    EXPECT_EQ(Order(account), "OPENING COFFEE BANK RENT GROCER A SALARY GROCER B ");
}

// New Transaction leaves a blank record where it was given, and a save
// keeps it: the records an import adds still go to their date order among
// all records, and only the blank rows at the end stay last.
TEST_F(MatchFixture, ApplyAddsInDateOrderPastABlankLeftBetweenRecords) {
    const auto nodes = model_test::Nodes(account);
    account.InsertBefore(nodes[3]);  // above GROCER A
    const struct {
        const char* name;
        StatementTransaction transaction;
        const char* order;
    } cases[] = {
        {"before the blank", Payment("20260104", 100),
         "OPENING COFFEE BANK RENT  GROCER A SALARY GROCER B "},
        {"after the blank", Payment("20260112", 100),
         "OPENING COFFEE RENT  GROCER A BANK SALARY GROCER B "},
        {"after every record", Deposit("20260301", 100),
         "OPENING COFFEE RENT  GROCER A SALARY GROCER B BANK "},
    };
    for (const auto& c : cases) {
        Account copy;
        for (RecordNode* n = account.Head(); n; n = n->next) *copy.AppendRecord()->record = *n->record;
        const Statement statement = StatementOf({c.transaction});
        ApplyImport(copy, statement, MatchStatement(statement, copy), {true});
        EXPECT_EQ(Order(copy), c.order) << c.name;
        model_test::ExpectWellLinked(copy);
    }
}

// Before anything changes, the balances the plan would give are checked
// in both views, in the order the records would take.
TEST(CheckImportBalances, RefusesWhatTheRegisterCouldNotShow) {
    std::vector<StatementTransaction> eighteenPayments;
    for (int day = 1; day <= 18; ++day)
        eighteenPayments.push_back(Payment(("202602" + std::string(day < 10 ? "0" : "") + std::to_string(day)).c_str(),
                                           99999999));
    const struct {
        const char* name;
        std::vector<StatementTransaction> transactions;
        int result;
        bool above;
    } cases[] = {
        {"up to the largest balance", {Deposit("20260105", 99999999)}, kBalancesOk, false},
        {"one cent past it, before the fee", {Deposit("20260105", 99999999), Deposit("20260106", 1)},
         kRunningOutOfRange, true},
        {"the same after the fee", {Deposit("20260115", 99999999), Deposit("20260116", 1)}, kBalancesOk, false},
        {"below the smallest balance", eighteenPayments, kRunningOutOfRange, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // 9,000,000 cleared, a cleared fee of 999,999.99 on the 10th, a
        // check not cleared yet on the 20th.
        Account account;
        Build(account, {Cleared({"OPENING", "20260101", 0, 0, 9000000}), Cleared({"FEE", "20260110", 0, 999999.99}),
                        {"CHECK", "20260120", 0, 500000}, {""}});
        const Statement statement = StatementOf(c.transactions);
        const std::vector<bool> ticked(c.transactions.size(), true);
        const std::string before = Order(account);
        const ImportPlan plan = PlanImport(account, statement, MatchStatement(statement, account), ticked);
        const BalanceOverflow overflow = CheckImportBalances(account, plan);
        EXPECT_EQ(overflow.result, c.result);
        if (c.result != kBalancesOk) EXPECT_EQ(overflow.above, c.above);
        EXPECT_EQ(Order(account), before) << "the check changes nothing";

        // The register's own verdict once the plan is carried out.
        CarryOutImport(account, plan);
        int worst = kBalancesOk;
        for (int view : {ViewAll, ViewCurrent}) {
            account.view = view;
            worst = std::max(worst, account.ComputeBalances());
        }
        EXPECT_EQ(worst, c.result);
    }
}

// A transaction dated before the account's opening balance is added only
// when the user ticks it: the statement may be another account's.
TEST_F(MatchFixture, AddBeforeTheOpeningBalanceStartsUnticked) {
    FillAccountHeader(account.header, "Test", 1000, "20260101", 2026, 1);
    const struct {
        const char* name;
        StatementTransaction transaction;
        bool before;
        bool ticked;
    } cases[] = {
        {"added the day before", Payment("20251231", 100), true, false},
        {"added on the opening day", Payment("20260101", 100), false, true},
        {"matched though dated before", Payment("20251229", 325), false, false},
        {"refused", Payment("2025123", 100), false, false},
    };
    for (const auto& c : cases) {
        const std::vector<ImportRow> rows = MatchStatement(StatementOf({c.transaction}), account);
        EXPECT_EQ(rows[0].beforeOpening, c.before) << c.name;
        EXPECT_EQ(StartsTicked(rows[0]), c.ticked) << c.name;
        EXPECT_EQ(CountBeforeOpening(rows), c.before ? 1 : 0) << c.name;
    }
    account.header.statementDate[0] = '\0';
    EXPECT_FALSE(MatchStatement(StatementOf({Payment("20251231", 100)}), account)[0].beforeOpening)
        << "no opening date: nothing to compare";
}

// The register turns to the first record an import touched: its place in
// the list, the All view's order.
TEST_F(MatchFixture, CarryingOutTellsTheFirstRecordTouched) {
    const struct {
        const char* name;
        std::vector<StatementTransaction> transactions;
        std::vector<bool> ticked;
        int first;
    } cases[] = {
        {"a mark", {Payment("20260110", 4250)}, {true}, 3},
        {"an added record before the mark", {Payment("20260120", 4250), Payment("20260104", 99)}, {true, true}, 2},
        {"the mark before an added record", {Payment("20260110", 4250), Deposit("20260301", 1)}, {true, true}, 3},
        {"nothing ticked", {Payment("20260110", 4250)}, {false}, -1},
    };
    for (const auto& c : cases) {
        Account copy;
        for (RecordNode* n = account.Head(); n; n = n->next) *copy.AppendRecord()->record = *n->record;
        const Statement statement = StatementOf(c.transactions);
        const ImportPlan plan = PlanImport(copy, statement, MatchStatement(statement, copy), c.ticked);
        EXPECT_EQ(CarryOutImport(copy, plan), c.first) << c.name;
    }
}

TEST(RecordFromTransaction, CheckNumberOnlyWhenItFitsTheNumField) {
    const struct {
        const char* check;
        const char* text;
        int number;
    } cases[] = {
        {"", "", 0},       {"0", "", 0},      {"1", "1", 1},       {"0042", "42", 42},   {"9999", "9999", 9999},
        {"10000", "", 0},  {"12A", "", 0},    {" 77 ", "77", 77},  {"-5", "", 0},
    };
    for (const auto& c : cases) {
        StatementTransaction t = Payment("20260110", 100, c.check);
        const AcctRecord record = RecordFromTransaction(t);
        EXPECT_STREQ(record.checkText, c.text) << "check \"" << c.check << "\"";
        EXPECT_EQ(model_test::Value(record.checkNumber), c.number) << "check \"" << c.check << "\"";
    }
}

TEST(RecordFromTransaction, DescriptionDateAndAmount) {
    StatementTransaction t = Payment("20240301", 123456);
    t.payee = "";
    t.memo = std::string(120, 'M');
    AcctRecord record = RecordFromTransaction(t);
    EXPECT_EQ(std::string(record.description), std::string(kDescriptionSize - 1, 'M')) << "memo cut to the field";
    EXPECT_STREQ(record.reconcile, "R");
    EXPECT_STREQ(record.date, "20240301");
    EXPECT_EQ(model_test::Value(record.year), 2024);
    EXPECT_EQ(model_test::Value(record.dayOfYear), 61) << "leap year";
    EXPECT_EQ(model_test::Value(record.payment), 1234.56);
    EXPECT_EQ(model_test::Value(record.deposit), 0.0);

    t.payee = "GAS CO";
    t.cents = 5;
    record = RecordFromTransaction(t);
    EXPECT_STREQ(record.description, "GAS CO") << "payee before memo";
    EXPECT_EQ(model_test::Value(record.payment), 0.0);
    EXPECT_EQ(model_test::Value(record.deposit), 0.05);
}

TEST(ImportSummary, Text) {
    EXPECT_EQ(ImportSummaryText("may.ofx", {3, 2, 1}), "may.ofx: 3 marked R, 2 added, 1 already in the register.");
}

}  // namespace
