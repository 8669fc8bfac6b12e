// Find: the texts searched, case and whole-word matching, where a search
// starts, the wrap to the top, and where the register shows a match.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "feature_fixture.h"
#include "features/text_finder.h"

namespace {

using namespace feature_test;

constexpr char kFile[] = "LEDGR1.LPD";

class Find : public AccountTest {
protected:
    // Searches from the first record, as after opening the account.
    bool FindFromTop(const std::string& text, bool wholeWord = false, bool matchCase = false) {
        finder.SetSearch(text, wholeWord, matchCase);
        finder.SetStart(0, kFindRegisterMark, 0);
        return finder.FindNext(account.Head(), account.view, kFile, match);
    }
    bool FindFrom(int record, int field, int caret, const char* file = kFile) {
        finder.SetStart(record, field, caret);
        return finder.FindNext(account.Head(), account.view, file, match);
    }

    TextFinder finder;
    FindMatch match;
};

struct MatchCase {
    const char* name;
    Tx record;
    const char* search;
    bool wholeWord;
    bool matchCase;
    int field;  // 0: not found
    int start;
    int end;
};

TEST_F(Find, MatchingRules) {
    const MatchCase cases[] = {
        {"case off", {.desc = "VISA PAYMENT", .date = "20130301"}, "visa", false, false, kFindDescription, 0, 4},
        {"case on", {.desc = "VISA PAYMENT", .date = "20130301"}, "visa", false, true, 0, 0, 0},
        {"case on, same case", {.desc = "VISA PAYMENT", .date = "20130301"}, "VISA", false, true, kFindDescription, 0, 4},
        {"case off, lower field", {.desc = "visa", .date = "20130301"}, "ViSa", false, false, kFindDescription, 0, 4},
        {"part of a word", {.desc = "Year", .date = "20130301"}, "ear", false, false, kFindDescription, 1, 4},
        {"whole word inside a word", {.desc = "Year", .date = "20130301"}, "ear", true, false, 0, 0, 0},
        {"whole word", {.desc = "New Year", .date = "20130301"}, "Year", true, false, kFindDescription, 4, 8},
        {"whole word at the start", {.desc = "New Year", .date = "20130301"}, "new", true, false, kFindDescription, 0, 3},
        {"whole word, later occurrence", {.desc = "Years of Year", .date = "20130301"}, "year", true, false, kFindDescription, 9, 13},
        {"$5 before a digit", {.desc = "$50", .date = "20130301"}, "$5", true, false, 0, 0, 0},
        {"$5 before a point", {.desc = "$5.00", .date = "20130301"}, "$5", true, false, kFindDescription, 0, 2},
        {"$5 after a letter", {.desc = "a$5 b", .date = "20130301"}, "$5", true, false, kFindDescription, 1, 3},
        {"empty text", {.desc = "Rent", .date = "20130301"}, "", false, false, kFindDate, 0, 0},
        {"empty text, whole word", {.desc = "Rent", .date = "20130301"}, "", true, false, kFindDate, 0, 0},
        {"check number", {.desc = "Rent", .date = "20130301", .check = 105}, "105", false, false, kFindCheckNumber, 0, 3},
        {"date as shown", {.desc = "Rent", .date = "20130503"}, "05/03/13", false, false, kFindDate, 0, 8},
        {"payment with separator", {.desc = "Car", .date = "20130301", .payment = 1234.56}, "1,234.56", false, false, kFindPayment, 0, 8},
        {"payment without separator", {.desc = "Car", .date = "20130301", .payment = 1234.56}, "1234", false, false, 0, 0, 0},
        {"deposit 12.50", {.desc = "Pay", .date = "20130301", .deposit = 12.5}, "0.00", false, false, 0, 0, 0},
        {"payment 12.50", {.desc = "Pay", .date = "20130301", .payment = 12.5}, ".5", false, false, kFindPayment, 2, 4},
        {"longer than the field", {.desc = "ab", .date = "20130301"}, "abc", false, false, 0, 0, 0},
        {"mark is not searched", Cleared({.desc = "Pay", .date = "20130301", .deposit = 1}), "R", true, true, 0, 0, 0},
    };
    for (const MatchCase& c : cases) {
        account.ClearAccount();
        Build({c.record});
        const bool found = FindFromTop(c.search, c.wholeWord, c.matchCase);
        EXPECT_EQ(found, c.field != 0) << c.name;
        if (found && c.field != 0) {
            EXPECT_EQ(match.record, 0) << c.name;
            EXPECT_EQ(match.field, c.field) << c.name;
            EXPECT_EQ(match.start, c.start) << c.name;
            EXPECT_EQ(match.end, c.end) << c.name;
        }
    }
}

// A zero payment or deposit shows as an empty field: nothing in it is
// found, so the selection never lands in an empty field.
TEST_F(Find, AZeroAmountIsAnEmptyField) {
    Build({{.desc = "Pay", .date = "20131231", .payment = 12.25},
           {.desc = "Rent", .date = "20131231", .deposit = 7.25}});
    for (const char* search : {"0", ".00", "0.00", "0.0"}) {
        EXPECT_FALSE(FindFromTop(search)) << search;
        EXPECT_FALSE(FindFrom(1, kFindDeposit, 0)) << search << ", from the deposit";
    }
    ASSERT_TRUE(FindFromTop("7.2"));
    EXPECT_EQ(match.record, 1);
    EXPECT_EQ(match.field, kFindDeposit);
}

// The register may show a match otherwise than it was selected (a field
// that cannot hold the selection collapses it): while it still shows it so,
// the next press goes on after the match instead of finding it again.
TEST_F(Find, TheNextPressStartsAfterTheMatchTheRegisterShows) {
    Build({{.desc = "ab ab", .date = "20130101"}});
    finder.SetSearch("b", false, false);
    ASSERT_TRUE(FindFrom(0, kFindDescription, 0));
    ASSERT_EQ(match.start, 1);
    const struct {
        const char* name;
        int shownStart, shownEnd;  // what the register shows after the match
        int nowStart, nowEnd;      // the selection at the next press
        int expectedStart;
    } cases[] = {
        {"selection kept", 1, 2, 1, 2, 4},
        {"selection collapsed", 0, 0, 0, 0, 4},
        {"caret moved by the user", 0, 0, 0, 1, 1},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(FindFrom(0, kFindDescription, 0)) << c.name;
        finder.NoteShownMatch(match, c.shownStart, c.shownEnd);
        finder.SetStartFromSelection(0, kFindDescription, c.nowStart, c.nowEnd);
        ASSERT_TRUE(finder.FindNext(account.Head(), account.view, kFile, match)) << c.name;
        EXPECT_EQ(match.start, c.expectedStart) << c.name;
    }
}

TEST_F(Find, TheRunningBalanceIsNotSearched) {
    Build({{.desc = "a", .date = "20130101", .deposit = 5.0},
           {.desc = "b", .date = "20130102", .deposit = 2.25}});
    ASSERT_EQ(account.Tail()->balance, 7.25);
    EXPECT_FALSE(FindFromTop("7.25"));
}

TEST_F(Find, DatesInTheUsersFormat) {
    Build({{.desc = "a", .date = "20130503"}});  // 3 May 2013
    g_Date.SetDateFormat(kFormatDDMMYY);
    EXPECT_TRUE(FindFromTop("03/05/13"));
    EXPECT_EQ(match.field, kFindDate);
    EXPECT_FALSE(FindFromTop("05/03/13"));
    g_Date.SetDateFormat(kFormatYYMMDD);
    EXPECT_TRUE(FindFromTop("13/05/03"));
}

TEST_F(Find, ReconciledRecordsAreNotSearchedInTheCurrentView) {
    Build({Cleared({.desc = "Cleared cheque", .date = "20130101"}),
           {.desc = "Groceries", .date = "20130102"},
           {.desc = "Cheque", .date = "20130103"}},
          ViewCurrent);
    EXPECT_FALSE(FindFromTop("Cleared"));
    ASSERT_TRUE(FindFromTop("cheque"));
    EXPECT_EQ(match.record, 1) << "indexes count shown records only";

    SetView(ViewAll);
    ASSERT_TRUE(FindFromTop("Cleared"));
    EXPECT_EQ(match.record, 0);
    ASSERT_TRUE(FindFromTop("cheque"));
    EXPECT_EQ(match.record, 0);
}

TEST_F(Find, StartsAtTheCaretAndGoesOn) {
    Build({{.desc = "Gas", .date = "20130101"},
           {.desc = "Gas and gas", .date = "20130102"},
           {.desc = "Food", .date = "20130103"},
           {.desc = "Gas", .date = "20130104"}});
    finder.SetSearch("gas", false, false);

    ASSERT_TRUE(FindFrom(1, kFindDescription, 0));
    EXPECT_EQ(match.record, 1);
    EXPECT_EQ(match.start, 0);
    // The register then selects the match; the next press starts after it.
    ASSERT_TRUE(FindFrom(1, kFindDescription, match.end));
    EXPECT_EQ(match.record, 1);
    EXPECT_EQ(match.start, 8);
    ASSERT_TRUE(FindFrom(1, kFindDescription, match.end));
    EXPECT_EQ(match.record, 3);
    EXPECT_EQ(match.field, kFindDescription);
    // Past the last one the search wraps to the first record.
    ASSERT_TRUE(FindFrom(3, kFindDescription, match.end));
    EXPECT_EQ(match.record, 0);
}

TEST_F(Find, LaterFieldsOfTheStartRecordAreSearchedFromTheirStart) {
    Build({{.desc = "x", .date = "20130101"},
           {.desc = "1.25 in the text", .date = "20130102", .payment = 1.25}});
    finder.SetSearch("1.25", false, false);
    ASSERT_TRUE(FindFrom(1, kFindDescription, 3));  // caret inside "1.25"
    EXPECT_EQ(match.record, 1);
    EXPECT_EQ(match.field, kFindPayment);
    EXPECT_EQ(match.start, 0);
}

TEST_F(Find, TheFocusFieldDecidesTheStart) {
    Build({{.desc = "Rent", .date = "20130101"}, {.desc = "Rent", .date = "20130102"}});
    finder.SetSearch("rent", false, false);
    // The mark starts at the date, so the same record's description is found.
    ASSERT_TRUE(FindFrom(0, kFindRegisterMark, 1));
    EXPECT_EQ(match.record, 0);
    // The balance is not searched: the search begins with the next record.
    ASSERT_TRUE(FindFrom(0, kFindRegisterBalance, 3));
    EXPECT_EQ(match.record, 1);
    EXPECT_EQ(match.start, 0);
}

TEST_F(Find, OnlyBeforeTheCaretIsFoundByTheWrap) {
    Build({{.desc = "alpha", .date = "20130101"},
           {.desc = "Coffee", .date = "20130102"},
           {.desc = "beta", .date = "20130103"}});
    finder.SetSearch("coffee", false, false);
    ASSERT_TRUE(FindFrom(1, kFindDescription, 6));
    EXPECT_EQ(match.record, 1);
    EXPECT_EQ(match.start, 0);
    // A text before the caret in an earlier field of the start record too.
    finder.SetSearch("01/02/13", false, false);
    ASSERT_TRUE(FindFrom(1, kFindDeposit, 0));
    EXPECT_EQ(match.record, 1);
    EXPECT_EQ(match.field, kFindDate);
}

TEST_F(Find, MissingTextIsNotFoundOnEveryPress) {
    Build({{.desc = "alpha", .date = "20130101"}, {.desc = "beta", .date = "20130102"}});
    finder.SetSearch("gamma", false, false);
    finder.KeepSelection(2, 4);
    for (int press = 0; press < 3; ++press) {
        EXPECT_FALSE(FindFrom(1, kFindDescription, 0)) << "press " << press;
        EXPECT_EQ(finder.KeptSelectionStart(), 2);
        EXPECT_EQ(finder.KeptSelectionEnd(), 4);
    }
    EXPECT_EQ(CannotFindMessage(finder.SearchText()), "Cannot find \"gamma\"");
}

TEST_F(Find, AnotherAccountStartsFromItsTop) {
    Build({{.desc = "Rent", .date = "20130101"},
           {.desc = "x", .date = "20130102"},
           {.desc = "Rent", .date = "20130103"}});
    finder.SetSearch("rent", false, false);
    ASSERT_TRUE(FindFrom(1, kFindDescription, 0, "LEDGR1.LPD"));
    EXPECT_EQ(match.record, 2);
    ASSERT_TRUE(FindFrom(1, kFindDescription, 0, "SAMPLE.LPD"));
    EXPECT_EQ(match.record, 0) << "a new file is searched from the first record";
    ASSERT_TRUE(FindFrom(1, kFindDescription, 0, "SAMPLE.LPD"));
    EXPECT_EQ(match.record, 2);
}

TEST_F(Find, TheMatchIsKeptAsTheSelection) {
    Build({{.desc = "Gas", .date = "20130101"}});
    ASSERT_TRUE(FindFromTop("as"));
    EXPECT_EQ(finder.KeptSelectionStart(), 1);
    EXPECT_EQ(finder.KeptSelectionEnd(), 3);
    EXPECT_EQ(finder.ResumeRecord(), 0);
}

TEST_F(Find, ALargeAccountIsSearchedToTheEndAndWrapped) {
    std::vector<Tx> txs(100000, Tx{.desc = "Groceries and more", .date = "20130101", .payment = 12.34});
    model_test::Build(account, txs);
    AcctRecord& last = *account.Tail()->record;
    CopyFixedText(last.description, "Needle");
    account.ComputeBalances();

    finder.SetSearch("needle", true, false);
    ASSERT_TRUE(FindFrom(5, kFindDescription, 0));
    EXPECT_EQ(match.record, 99999);
    ASSERT_TRUE(FindFrom(99999, kFindDescription, 6));
    EXPECT_EQ(match.record, 99999) << "found again by the wrap";
    finder.SetSearch("99.99", false, false);
    EXPECT_FALSE(FindFrom(50000, kFindDescription, 0));
}

struct PlacementCase {
    int record;
    int visible;
    int topIndex;
    bool scroll;
    int newTop;
    int row;
};

TEST(FindPlacement, ScrollsUnlessASmallViewShowsTheMatch) {
    const PlacementCase cases[] = {
        {0, 5, 0, false, 0, 0},
        {4, 5, 0, false, 0, 4},
        {16, 17, 0, false, 0, 16},
        {17, 18, 0, true, 17, 0},
        {3, 100, 0, true, 3, 0},
        {50, 100, 40, true, 50, 0},
    };
    for (const PlacementCase& c : cases) {
        const FindPlacement p = PlaceMatch(c.record, c.visible, c.topIndex);
        EXPECT_EQ(p.scroll, c.scroll) << "record " << c.record << " of " << c.visible;
        EXPECT_EQ(p.topIndex, c.newTop) << "record " << c.record << " of " << c.visible;
        EXPECT_EQ(p.row, c.row) << "record " << c.record << " of " << c.visible;
    }
}

TEST(FindFieldTexts, AsTheRegisterShowsThem) {
    AcctRecord r{};
    model_test::Fill(r, {.desc = "Paycheck", .date = "20131231", .check = 1042, .deposit = 1234567.5});
    char text[kFindFieldTextSize];
    const struct {
        int field;
        const char* expected;
    } cases[] = {
        {kFindDate, "12/31/13"}, {kFindCheckNumber, "1042"}, {kFindDescription, "Paycheck"},
        {kFindPayment, ""},  {kFindDeposit, "1,234,567.50"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindFieldText(r, c.field, text, sizeof text), std::string(c.expected).size());
        EXPECT_STREQ(text, c.expected) << "field " << c.field;
    }
    // A damaged record without terminators is read within its fields.
    std::memset(r.checkText, '7', sizeof r.checkText);
    std::memset(r.description, 'z', sizeof r.description);
    FindFieldText(r, kFindCheckNumber, text, sizeof text);
    EXPECT_STREQ(text, "7777");
    FindFieldText(r, kFindDescription, text, sizeof text);
    EXPECT_EQ(std::string(text), std::string(89, 'z'));
}

}  // namespace
