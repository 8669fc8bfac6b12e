// Builds small accounts for the model tests: dated records without going
// through the date parser, and views of the list to compare against.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/account.h"

namespace model_test {

// One transaction. date is YYYYMMDD or "" for a blank record.
struct Tx {
    const char* desc;
    const char* date = "";
    int check = 0;
    double payment = 0;
    double deposit = 0;
    bool cleared = false;
};

// GoogleTest takes its arguments by reference, which a field of a packed
// record cannot give; pass such fields through this copy.
template <typename T> T Value(T v) { return v; }

inline Tx Cleared(Tx tx) {
    tx.cleared = true;
    return tx;
}

inline std::uint16_t DayOfYear(int year, int month, int day) {
    static const int kBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return static_cast<std::uint16_t>(kBefore[month - 1] + day + (leap && month > 2 ? 1 : 0));
}

// Sets date text, year and day of year together, as the register does.
inline void SetDate(AcctRecord& rec, const char* yyyymmdd) {
    CopyFixedText(rec.date, yyyymmdd);
    rec.year = 0;
    rec.dayOfYear = 0;
    int y = 0, m = 0, d = 0;
    if (std::sscanf(yyyymmdd, "%4d%2d%2d", &y, &m, &d) == 3) {
        rec.year = static_cast<std::uint16_t>(y);
        rec.dayOfYear = DayOfYear(y, m, d);
    }
}

inline void Fill(AcctRecord& rec, const Tx& tx) {
    rec = AcctRecord{};
    CopyFixedText(rec.reconcile, tx.cleared ? "R" : "");
    SetDate(rec, tx.date);
    if (tx.check != 0)
        std::snprintf(rec.checkText, sizeof rec.checkText, "%d", tx.check);
    rec.checkNumber = static_cast<std::uint16_t>(tx.check);
    CopyFixedText(rec.description, tx.desc);
    rec.payment = tx.payment;
    rec.deposit = tx.deposit;
}

inline RecordNode* Add(Account& account, const Tx& tx) {
    RecordNode* node = account.AppendRecord();
    Fill(*node->record, tx);
    return node;
}

inline void Build(Account& account, std::initializer_list<Tx> txs) {
    for (const Tx& tx : txs)
        Add(account, tx);
}
inline void Build(Account& account, const std::vector<Tx>& txs) {
    for (const Tx& tx : txs)
        Add(account, tx);
}

inline std::vector<RecordNode*> Nodes(const Account& account) {
    std::vector<RecordNode*> nodes;
    for (RecordNode* n = account.Head(); n != nullptr; n = n->next)
        nodes.push_back(n);
    return nodes;
}

inline std::string DescOf(const RecordNode* node) {
    return node == nullptr ? "(none)" : std::string(node->record->description);
}

// Descriptions in list order, joined with spaces: "A B C".
inline std::string Order(const Account& account) {
    std::string out;
    for (RecordNode* n = account.Head(); n != nullptr; n = n->next)
        out += (out.empty() ? "" : " ") + DescOf(n);
    return out;
}

// Links agree in both directions, head and tail are the ends, the count
// matches, and current is in the list (or none for an empty list).
inline void ExpectWellLinked(const Account& account) {
    std::size_t count = 0;
    bool currentFound = account.current == nullptr;
    RecordNode* prev = nullptr;
    for (RecordNode* n = account.Head(); n != nullptr; prev = n, n = n->next) {
        ASSERT_EQ(n->prev, prev) << "node " << count;
        ASSERT_NE(n->record, nullptr) << "node " << count;
        currentFound = currentFound || n == account.current;
        ++count;
    }
    EXPECT_EQ(account.Tail(), prev);
    EXPECT_EQ(account.RecordCount(), count);
    EXPECT_TRUE(currentFound) << "current is not in the list";
    if (count > 0) {
        EXPECT_NE(account.current, nullptr);
    }
}

}  // namespace model_test
