// Undo and redo on the list: each kind of change taken back gives the list
// byte for byte as it was and done again as it became; the order of undo
// and redo, a new change clearing what could be redone, the limits, and a
// change the list no longer fits refused whole.
#include "model/undo_history.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "account_builder.h"

namespace model_test {
namespace {

// The list as the file holds it: every record's bytes, head to tail.
std::vector<unsigned char> Image(const Account& account) {
    std::vector<unsigned char> bytes;
    for (const RecordNode* n = account.Head(); n; n = n->next) {
        const auto* p = reinterpret_cast<const unsigned char*>(n->record.get());
        bytes.insert(bytes.end(), p, p + sizeof(AcctRecord));
    }
    return bytes;
}

std::size_t IndexOf(const Account& account, const RecordNode* node) {
    std::size_t i = 0;
    for (const RecordNode* n = account.Head(); n && n != node; n = n->next) ++i;
    return i;
}

RecordNode* NodeAt(const Account& account, std::size_t index) {
    RecordNode* n = account.Head();
    while (n && index-- > 0) n = n->next;
    return n;
}

AcctRecord Record(const Tx& tx) {
    AcctRecord r;
    Fill(r, tx);
    return r;
}

const std::vector<Tx> kFive = {{.desc = "a", .date = "20260301", .payment = 1},
                               {.desc = "b", .date = "20260302", .payment = 2},
                               {.desc = "c", .date = "20260303", .payment = 3},
                               {.desc = "d", .date = "20260304", .payment = 4},
                               {.desc = "e", .date = "20260305", .payment = 5}};

// Each change made for real on the list, step by step, told to the builder
// as the program will tell it.
struct ChangeCase {
    const char* name;
    std::function<void(Account&, UndoChangeBuilder&)> make;
    const char* after;  // the list's order once made
};

const ChangeCase kChanges[] = {
    {"a typed row that moves: d's date before a's",
     [](Account& account, UndoChangeBuilder& change) {
         RecordNode* d = NodeAt(account, 3);
         const AcctRecord before = *d->record;
         change.Removed(3, before);
         AcctRecord typed = before;
         SetDate(typed, "20260228");
         CopyFixedText(typed.description, "d typed");
         account.Unlink(d);
         *account.InsertBefore(account.Head())->record = typed;
         change.Inserted(0, typed);
     },
     "d typed a b c e"},
    {"a typed row that stays: an R set on c",
     [](Account& account, UndoChangeBuilder& change) {
         AcctRecord& c = *NodeAt(account, 2)->record;
         const AcctRecord before = c;
         CopyFixedText(c.reconcile, "R");
         change.Replaced(2, before, c);
     },
     "a b c d e"},
    {"New Transaction above c",
     [](Account& account, UndoChangeBuilder& change) {
         account.InsertBefore(NodeAt(account, 2));
         change.Inserted(2, AcctRecord{});
     },
     "a b  c d e"},  // the blank has no description
    {"Delete Transaction of b",
     [](Account& account, UndoChangeBuilder& change) {
         change.Removed(1, *NodeAt(account, 1)->record);
         account.Unlink(NodeAt(account, 1));
     },
     "a c d e"},
    {"an import: three added in date order, two marked R",
     [](Account& account, UndoChangeBuilder& change) {
         for (std::size_t at : {1u, 3u}) {
             AcctRecord& r = *NodeAt(account, at)->record;
             const AcctRecord before = r;
             CopyFixedText(r.reconcile, "R");
             change.Replaced(at, before, r);
         }
         const struct { std::size_t at; Tx tx; } added[] = {
             {1, {.desc = "x", .date = "20260301", .deposit = 9}},
             {4, {.desc = "y", .date = "20260303", .payment = 7}},
             {7, {.desc = "z", .date = "20260310", .payment = 8}},
         };
         for (const auto& a : added) {
             RecordNode* at = NodeAt(account, a.at);
             RecordNode* node = at ? account.InsertBefore(at) : account.AppendRecord();
             *node->record = Record(a.tx);
             change.Inserted(a.at, *node->record);
         }
     },
     "a x b c y d e z"},
};

TEST(UndoHistory, EachKindOfChangeUndoesAndRedoesByteForByte) {
    for (const ChangeCase& c : kChanges) {
        SCOPED_TRACE(c.name);
        Account account;
        Build(account, kFive);
        const std::vector<unsigned char> before = Image(account);
        UndoChangeBuilder change(c.name);
        c.make(account, change);
        ASSERT_EQ(Order(account), c.after);
        const std::vector<unsigned char> after = Image(account);

        UndoHistory history;
        history.Record(change.Take());
        ASSERT_TRUE(history.Undo(account));
        EXPECT_EQ(Image(account), before);
        ExpectWellLinked(account);
        ASSERT_TRUE(history.Redo(account));
        EXPECT_EQ(Image(account), after);
        ExpectWellLinked(account);
        ASSERT_TRUE(history.Undo(account));
        EXPECT_EQ(Image(account), before);
    }
}

TEST(UndoHistory, UndoAndRedoGoInTurnAndANewChangeEndsTheRedos) {
    Account account;
    Build(account, kFive);
    UndoHistory history;
    std::vector<std::vector<unsigned char>> states{Image(account)};
    for (const char* name : {"Delete Transaction", "New Transaction", "Import of may.ofx"}) {
        UndoChangeBuilder change(name);
        change.Removed(0, *account.Head()->record);
        account.Unlink(account.Head());
        history.Record(change.Take());
        states.push_back(Image(account));
    }
    EXPECT_EQ(history.UndoName(), "Import of may.ofx");
    EXPECT_EQ(history.RedoName(), "");
    ASSERT_TRUE(history.Undo(account));
    ASSERT_TRUE(history.Undo(account));
    EXPECT_EQ(Image(account), states[1]);
    EXPECT_EQ(history.UndoName(), "Delete Transaction");
    EXPECT_EQ(history.RedoName(), "New Transaction");
    ASSERT_TRUE(history.Redo(account));
    EXPECT_EQ(Image(account), states[2]);
    EXPECT_EQ(history.RedoName(), "Import of may.ofx");

    // A new change: what was undone cannot come back.
    UndoChangeBuilder typed("Typing in Row 03/05/26 e");
    AcctRecord& last = *account.Tail()->record;
    const AcctRecord was = last;
    last.payment = 50;
    typed.Replaced(IndexOf(account, account.Tail()), was, last);
    history.Record(typed.Take());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_FALSE(history.Redo(account));
    EXPECT_EQ(history.UndoCount(), 3u);

    while (history.Undo(account)) {
    }
    EXPECT_EQ(Image(account), states[0]);
    EXPECT_FALSE(history.CanUndo());
}

TEST(UndoHistory, KeepsTheLastHundredChangesAndAlwaysTheNewest) {
    Account account;
    Build(account, kFive);
    UndoHistory history;
    for (int i = 0; i < 130; ++i) {
        UndoChangeBuilder change("change " + std::to_string(i));
        change.Inserted(0, AcctRecord{});
        account.InsertBefore(account.Head());
        history.Record(change.Take());
    }
    EXPECT_EQ(history.UndoCount(), 100u);
    EXPECT_EQ(history.UndoName(), "change 129");

    // Images beyond the byte limit push older changes out, never the newest.
    UndoHistory small(100, 3 * sizeof(RecordEdit));
    for (int i = 0; i < 5; ++i) {
        UndoChangeBuilder change("step " + std::to_string(i));
        change.Inserted(0, AcctRecord{});
        change.Inserted(0, AcctRecord{});
        small.Record(change.Take());
    }
    EXPECT_EQ(small.UndoCount(), 1u);
    EXPECT_EQ(small.UndoName(), "step 4");
}

// The list changed in a way the history did not see: the change is refused
// whole, halfway steps taken back, and it stays to be undone.
TEST(UndoHistory, AChangeTheListNoLongerFitsIsRefusedWhole) {
    Account account;
    Build(account, kFive);
    UndoHistory history;
    UndoChangeBuilder change("Import of june.qif");
    for (std::size_t at : {1u, 3u}) {
        AcctRecord& r = *NodeAt(account, at)->record;
        const AcctRecord before = r;
        CopyFixedText(r.reconcile, "R");
        change.Replaced(at, before, r);
    }
    history.Record(change.Take());
    // b's mark was cleared behind the history's back.
    CopyFixedText(NodeAt(account, 1)->record->reconcile, "");
    const std::vector<unsigned char> now = Image(account);
    EXPECT_FALSE(history.Undo(account));
    EXPECT_EQ(Image(account), now);
    EXPECT_EQ(history.UndoCount(), 1u);
    EXPECT_FALSE(history.CanRedo());
}

TEST(UndoHistory, SameBytesAreNoChange) {
    const AcctRecord r = Record({.desc = "a", .date = "20260301"});
    UndoChangeBuilder change("Typing in Row 03/01/26 a");
    change.Replaced(0, r, r);
    EXPECT_TRUE(change.Empty());
    UndoHistory history;
    history.Record(change.Take());
    EXPECT_FALSE(history.CanUndo());
}

TEST(UndoHistory, NamesOfTyping) {
    EXPECT_EQ(TypingChangeName("01/20/26", "Grocery Store"), "Typing in Row 01/20/26 Grocery Store");
    EXPECT_EQ(TypingChangeName("01/20/26", ""), "Typing in Row 01/20/26");
    EXPECT_EQ(TypingChangeName("", ""), "Typing in Row");
}


// ---------------------------------------------------------------------------
// What a save records: the difference between the list before and after.

std::vector<AcctRecord> Records(std::initializer_list<const char*> descriptions) {
    std::vector<AcctRecord> records;
    for (const char* d : descriptions) records.push_back(Record({.desc = d, .date = "20260301"}));
    return records;
}

void Load(Account& account, const std::vector<AcctRecord>& records) {
    account.ClearAccount();
    for (const AcctRecord& r : records) *account.AppendRecord()->record = r;
}

bool SameList(const std::vector<AcctRecord>& a, const std::vector<AcctRecord>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0);
}

TEST(DiffRecords, ShortScriptsForWhatTheProgramDoes) {
    const struct {
        const char* name;
        std::vector<AcctRecord> from, to;
        std::size_t steps;
    } cases[] = {
        {"nothing changed", Records({"a", "b", "c"}), Records({"a", "b", "c"}), 0},
        {"a row typed over", Records({"a", "b", "c"}), Records({"a", "B", "c"}), 1},
        {"a row moved by its date", Records({"a", "b", "c", "d"}), Records({"d", "a", "b", "c"}), 2},
        {"a record deleted", Records({"a", "b", "c"}), Records({"a", "c"}), 1},
        {"a blank put in", Records({"a", "b"}), Records({"a", "", "b"}), 1},
        {"an import's scattered additions", Records({"a", "b", "c", "d", "e"}),
         Records({"x", "a", "b", "y1", "y2", "y3", "c", "d", "e", "z"}), 5},
        {"marks set far apart", Records({"a", "b", "c", "d", "e"}), Records({"A", "b", "c", "d", "E"}), 2},
        {"everything", Records({"a", "b"}), Records({"x", "y", "z"}), 3},
        {"all but the last put in", Records({"c"}), Records({"a", "b", "c"}), 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<RecordEdit> edits = DiffRecords(c.from, c.to);
        EXPECT_EQ(edits.size(), c.steps);
        Account account;
        Load(account, c.from);
        UndoChange change{c.name, edits};
        if (!edits.empty()) {
            ASSERT_TRUE(ApplyUndoChange(account, change, UndoDirection::Forwards));
            EXPECT_TRUE(SameList(SavedRecords(account), c.to));
            ASSERT_TRUE(ApplyUndoChange(account, change, UndoDirection::Backwards));
            EXPECT_TRUE(SameList(SavedRecords(account), c.from));
        }
    }
}

// Whatever two lists are, the script turns one into the other both ways.
TEST(DiffRecords, AnyTwoListsBothWays) {
    unsigned seed = 12345;
    const auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7fff; };
    const char* names[] = {"a", "b", "c", "d", "e", ""};
    for (int round = 0; round < 300; ++round) {
        std::vector<AcctRecord> from, to;
        for (unsigned n = next() % 40; n > 0; --n) from.push_back(Record({.desc = names[next() % 6], .date = "20260301"}));
        to = from;
        for (unsigned n = next() % 6; n > 0; --n) {
            const unsigned what = next() % 3;
            const std::size_t at = to.empty() ? 0 : next() % to.size();
            if (what == 0 || to.empty()) to.insert(to.begin() + at, Record({.desc = names[next() % 6], .date = "20260302"}));
            else if (what == 1) to.erase(to.begin() + at);
            else CopyFixedText(to[at].reconcile, "R");
        }
        // The trailing blanks are no saved records: end the lists on one.
        from.push_back(Record({.desc = "end", .date = "20260401"}));
        to.push_back(Record({.desc = "end", .date = "20260401"}));
        Account account;
        Load(account, from);
        UndoChange change{"round", DiffRecords(from, to)};
        if (change.edits.empty()) continue;
        ASSERT_TRUE(ApplyUndoChange(account, change, UndoDirection::Forwards)) << round;
        ASSERT_TRUE(SameList(SavedRecords(account), to)) << round;
        ASSERT_TRUE(ApplyUndoChange(account, change, UndoDirection::Backwards)) << round;
        ASSERT_TRUE(SameList(SavedRecords(account), from)) << round;

        // A save brings what the history knows up to the list, step by step.
        AccountHistory history;
        history.Reset(account);
        Load(account, to);
        history.Saved(account, nullptr);
        ASSERT_FALSE(history.HasUnrecorded(account)) << round;
        ASSERT_TRUE(history.Undo(account)) << round;
        ASSERT_TRUE(SameList(SavedRecords(account), from)) << round;
    }
}

std::string ShownDate(const char* stored) { return std::string(stored + 4, 2) + "/" + (stored + 6) + "/" + std::string(stored + 2, 2); }

TEST(AccountHistory, EachSaveRecordsWhatChangedUnderItsName) {
    Account account;
    Build(account, kFive);
    account.AppendRecord();  // the row for typing is no change
    AccountHistory history;
    history.Reset(account);
    const std::vector<unsigned char> opened = Image(account);

    history.NameNextChange("Delete Transaction");
    account.Unlink(NodeAt(account, 1));
    history.Saved(account, ShownDate);
    EXPECT_EQ(history.UndoName(), "Delete Transaction");

    CopyFixedText(NodeAt(account, 2)->record->description, "Grocery Store");
    history.Saved(account, ShownDate);
    EXPECT_EQ(history.UndoName(), "Typing in Row 03/04/26 Grocery Store");
    history.Saved(account, ShownDate);  // nothing new: no change
    EXPECT_EQ(history.UndoName(), "Typing in Row 03/04/26 Grocery Store");

    // Typing not yet saved is taken back first, and is no step of its own.
    NodeAt(account, 0)->record->payment = 99;
    EXPECT_TRUE(history.HasUnrecorded(account));
    EXPECT_EQ(history.RevertUnrecorded(account), 0u);
    EXPECT_FALSE(history.HasUnrecorded(account));
    EXPECT_EQ(Value(NodeAt(account, 0)->record->payment), 1.0);

    ASSERT_TRUE(history.Undo(account));
    ASSERT_TRUE(history.Undo(account));
    EXPECT_EQ(Image(account), opened);
    EXPECT_EQ(history.RedoName(), "Delete Transaction");

    history.Reset(account);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
}

}  // namespace
}  // namespace model_test
