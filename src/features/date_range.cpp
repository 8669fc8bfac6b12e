#include "features/date_range.h"

#include <cstring>

#include "model/account.h"
#include "values/date.h"

DateRange g_DateRange;

namespace {

// (year, day) pairs compared year first.
bool NotLater(std::int32_t year, std::int32_t day, std::int32_t laterYear, std::int32_t laterDay) {
    return year < laterYear || (year == laterYear && day <= laterDay);
}

void KeepText(char (&out)[kRangeTextSize], const char* typed) {
    CopyFixedText(out, sizeof out, typed);
}

// Parses a copy (the parser cuts its input at the separators).
bool ParseRangeText(const char* text, std::int32_t& year, std::int32_t& day) {
    char work[kRangeTextSize];
    CopyFixedText(work, sizeof work, text);
    if (!g_Date.Parse(work))
        return false;
    year = g_Date.GetYear();
    day = g_Date.GetDayOfYear();
    return true;
}

}  // namespace

// Reconciled records are not shown in the Current view; the blank record
// the register keeps for typing is not a transaction.
static bool IsSteppedOver(const AcctRecord& record, int view) {
    return (view == ViewCurrent && IsReconciled(record)) || IsBlankRecord(record);
}

int DateRange::HasRecords(const RecordNode* first, int view) const {
    const RecordNode* node = first;
    while (true) {
        bool stepped = false;
        while (node != nullptr && IsSteppedOver(*node->record, view)) {
            node = node->next;
            stepped = true;
        }
        if (node == nullptr)
            return stepped ? kRangeOnlyReconciled : kRangeNothingInRange;
        if (choice != kRangeChoiceDates || Contains(*node->record))
            return kRangeHasRecords;
        node = node->next;
    }
}

bool DateRange::Contains(const AcctRecord& record) const {
    return NotLater(fromYear, fromDay, record.year, record.dayOfYear) &&
           NotLater(record.year, record.dayOfYear, toYear, toDay);
}

bool DateRange::IsOrdered() const { return NotLater(fromYear, fromDay, toYear, toDay); }

bool DateRange::Selects(const AcctRecord& record, int view) const {
    if (IsSteppedOver(record, view))
        return false;
    return choice != kRangeChoiceDates || Contains(record);
}

void DateRange::SetDefaultTexts(const Account& account) {
    char first[kDateTextSize] = {};
    char last[kDateTextSize] = {};
    account.GetDateRange(first, last);
    KeepText(fromText, g_Date.ToDisplay(first));
    KeepText(toText, g_Date.ToDisplay(last));
}

int DateRange::AcceptTexts(const char* from, const char* to) {
    KeepText(fromText, from);
    KeepText(toText, to);
    std::int32_t year = 0, day = 0;
    if (!ParseRangeText(fromText, year, day))
        return kRangeBadFrom;
    fromYear = year;
    fromDay = day;
    if (!ParseRangeText(toText, year, day))
        return kRangeBadTo;
    toYear = year;
    toDay = day;
    return IsOrdered() ? kRangeAccepted : kRangeReversed;
}

void DateRange::Reset() {
    choice = kRangeChoiceAll;
    std::memset(fromText, 0, sizeof fromText);
    std::memset(toText, 0, sizeof toText);
}
