// The date range of printing and export: which records it holds, the
// dialog's checks of the typed dates, and whether there is anything to do.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "feature_fixture.h"
#include "features/date_range.h"

namespace {

using namespace feature_test;

AcctRecord Dated(const char* yyyymmdd) {
    AcctRecord r{};
    model_test::Fill(r, {.desc = "x", .date = yyyymmdd});
    return r;
}

DateRange Range(const char* from, const char* to) {
    DateRange range;
    range.choice = kRangeChoiceDates;
    const AcctRecord a = Dated(from), b = Dated(to);
    range.fromYear = a.year;
    range.fromDay = a.dayOfYear;
    range.toYear = b.year;
    range.toDay = b.dayOfYear;
    return range;
}

struct ContainsCase {
    const char* from;
    const char* to;
    const char* record;  // "" for a record without a date
    bool contained;
};

TEST(DateRangeRules, ContainsBothEndsAndNothingUndated) {
    const ContainsCase cases[] = {
        {"20130305", "20130305", "20130305", true},   // one day
        {"20130305", "20130305", "20130304", false},
        {"20130305", "20130305", "20130306", false},
        {"20130101", "20131231", "20130101", true},
        {"20130101", "20131231", "20131231", true},
        {"20121231", "20130101", "20121231", true},   // across a year
        {"20121231", "20130101", "20130102", false},
        {"20121201", "20130131", "20120615", false},  // earlier day number, earlier year
        {"20120615", "20130131", "20121201", true},   // later day number, earlier year
        {"20130101", "20131231", "", false},
        {"19800101", "20991231", "", false},
    };
    for (const ContainsCase& c : cases) {
        const DateRange range = Range(c.from, c.to);
        EXPECT_EQ(range.Contains(Dated(c.record)), c.contained)
            << c.from << ".." << c.to << " holds \"" << c.record << "\"";
    }
}

TEST(DateRangeRules, IsOrderedComparesTheYearFirst) {
    EXPECT_TRUE(Range("20130305", "20130305").IsOrdered());
    EXPECT_TRUE(Range("20121231", "20130101").IsOrdered());
    EXPECT_FALSE(Range("20130306", "20130305").IsOrdered());
    EXPECT_FALSE(Range("20130101", "20121231").IsOrdered());
}

struct AcceptCase {
    int format;
    const char* from;
    const char* to;
    int result;
};

class RangeDialogTexts : public AccountTest {};

TEST_F(RangeDialogTexts, FromIsCheckedFirstThenToThenTheOrder) {
    const AcceptCase cases[] = {
        {kFormatMMDDYY, "03/05/13", "03/05/13", kRangeAccepted},
        {kFormatMMDDYY, "01/01/13", "12/31/13", kRangeAccepted},
        {kFormatMMDDYY, "03/06/13", "03/05/13", kRangeReversed},  // same year, later day
        {kFormatMMDDYY, "01/01/14", "12/31/13", kRangeReversed},
        {kFormatMMDDYY, "13/01/13", "12/31/13", kRangeBadFrom},
        {kFormatMMDDYY, "", "12/31/13", kRangeBadFrom},
        {kFormatMMDDYY, "13/01/13", "xx", kRangeBadFrom},
        {kFormatMMDDYY, "01/01/13", "02/30/13", kRangeBadTo},
        {kFormatMMDDYY, "01/01/13", "", kRangeBadTo},
        {kFormatDDMMYY, "05/03/13", "04/03/13", kRangeReversed},
        {kFormatDDMMYY, "31/12/13", "31/12/13", kRangeAccepted},
        {kFormatDDMMYY, "12/31/13", "31/12/13", kRangeBadFrom},
    };
    for (const AcceptCase& c : cases) {
        g_Date.SetDateFormat(c.format);
        DateRange range;
        EXPECT_EQ(range.AcceptTexts(c.from, c.to), c.result) << c.from << " .. " << c.to;
        EXPECT_STREQ(range.fromText, c.from);
        EXPECT_STREQ(range.toText, c.to);
    }
}

TEST_F(RangeDialogTexts, AcceptedDatesGiveYearAndDay) {
    DateRange range;
    ASSERT_EQ(range.AcceptTexts("3/5/13", "12/31/12"), kRangeReversed);
    EXPECT_EQ(range.fromYear, 2013);
    EXPECT_EQ(range.fromDay, 64);
    EXPECT_EQ(range.toYear, 2012);
    EXPECT_EQ(range.toDay, 366);
}

TEST_F(RangeDialogTexts, TypedTextsAreCutToEightCharacters) {
    DateRange range;
    EXPECT_EQ(range.AcceptTexts("03/05/2013", "12/31/20"), kRangeAccepted);
    EXPECT_STREQ(range.fromText, "03/05/20");
}

TEST_F(RangeDialogTexts, OpeningTextsAreTheViewsDatesInTheUsersFormat) {
    Build({Cleared({.desc = "o", .date = "20120101"}),
           {.desc = "a", .date = "20130305"},
           {.desc = "b", .date = "20131120"}},
          ViewCurrent);
    g_Date.SetDateFormat(kFormatDDMMYY);
    DateRange range;
    range.SetDefaultTexts(account);
    EXPECT_STREQ(range.fromText, "05/03/13");
    EXPECT_STREQ(range.toText, "20/11/13");

    SetView(ViewAll);
    range.SetDefaultTexts(account);
    EXPECT_STREQ(range.fromText, "01/01/12");
}

TEST_F(RangeDialogTexts, CancelGoesBackToAllWithoutTexts) {
    DateRange range;
    range.choice = kRangeChoiceDates;
    range.AcceptTexts("01/01/13", "01/02/13");
    range.Reset();
    EXPECT_EQ(range.choice, kRangeChoiceAll);
    EXPECT_STREQ(range.fromText, "");
    EXPECT_STREQ(range.toText, "");
}

struct HasRecordsCase {
    const char* name;
    std::vector<Tx> records;
    int view;
    bool withRange;  // 03/01/13 .. 03/31/13
    int expected;
};

class HasRecords : public AccountTest {};

TEST_F(HasRecords, SaysWhetherAnythingIsToBeDone) {
    const Tx inMarch{.desc = "m", .date = "20130310"};
    const Tx inApril{.desc = "a", .date = "20130410"};
    const Tx undated{.desc = "u"};
    const HasRecordsCase cases[] = {
        {"open record", {inMarch}, ViewCurrent, false, kRangeHasRecords},
        {"only reconciled", {Cleared(inMarch)}, ViewCurrent, false, kRangeOnlyReconciled},
        {"reconciled in the all view", {Cleared(inMarch)}, ViewAll, false, kRangeHasRecords},
        {"reconciled then open", {Cleared(inApril), inMarch}, ViewCurrent, true, kRangeHasRecords},
        {"in range", {inApril, inMarch}, ViewAll, true, kRangeHasRecords},
        {"none in range", {inApril, undated}, ViewAll, true, kRangeNothingInRange},
        {"none in range, current", {inApril}, ViewCurrent, true, kRangeNothingInRange},
        {"reconciled in range only", {Cleared(inMarch), inApril}, ViewCurrent, true, kRangeNothingInRange},
        // The walk ends on reconciled records: the plainer message.
        {"out of range then reconciled", {inApril, Cleared(inMarch)}, ViewCurrent, true, kRangeOnlyReconciled},
        // The register's blank record for typing is no transaction.
        {"reconciled and the blank record", {Cleared(inMarch), Tx{.desc = ""}}, ViewCurrent, false, kRangeOnlyReconciled},
        {"only the blank record", {Tx{.desc = ""}}, ViewAll, false, kRangeOnlyReconciled},
        {"undated but filled in", {undated}, ViewAll, false, kRangeHasRecords},
    };
    for (const HasRecordsCase& c : cases) {
        account.ClearAccount();
        Build(c.records, c.view);
        DateRange range = c.withRange ? Range("20130301", "20130331") : DateRange{};
        EXPECT_EQ(range.HasRecords(account.Head(), c.view), c.expected) << c.name;
    }
}

}  // namespace
