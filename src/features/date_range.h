// The dates that printing and export work on: every transaction, or those
// from one date to another, both included. One object for the whole run, so
// the range dialog opens with the last choice. Platform-free; the range
// dialog itself is range_dialog_win.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ui/dialog_ids.h"

struct AcctRecord;
struct RecordNode;
class Account;

// The range texts as typed: 8 characters and a NUL.
inline constexpr std::size_t kRangeTextSize = 9;

// Choices: the radio button ids of the range dialog.
inline constexpr std::uint32_t kRangeChoiceAll = kIdRangeAll;
inline constexpr std::uint32_t kRangeChoiceDates = kIdRangeDates;

// Results of HasRecords.
inline constexpr int kRangeNothingInRange = 0;  // "There is no data within this date range ..."
inline constexpr int kRangeOnlyReconciled = 1;  // "There is no data to ..."
inline constexpr int kRangeHasRecords = 2;

// Results of AcceptTexts: the first check that failed.
inline constexpr int kRangeAccepted = 0;
inline constexpr int kRangeBadFrom = 1;    // the "Range From" date error
inline constexpr int kRangeBadTo = 2;      // the "Range To" date error
inline constexpr int kRangeReversed = 3;   // From later than To

inline constexpr char kRangeReversedText[] =
    "The \"From\" date cannot be a date that occurs later than the \"To\" date.";

class DateRange {
public:
    // Whether the walk from first finds a record to print or export: in
    // ViewCurrent reconciled records are stepped over, and so is the blank
    // record; with a range only records inside it count.
    int HasRecords(const RecordNode* first, int view) const;
    // The record's (year, day of year) lies between From and To, both
    // included. A record without a date is outside every range.
    bool Contains(const AcctRecord& record) const;
    // From is not later than To.
    bool IsOrdered() const;
    // Whether the record is printed or exported: not reconciled in
    // ViewCurrent, not blank, and inside the range when one is chosen.
    bool Selects(const AcctRecord& record, int view) const;

    // The dialog's opening texts: the first and last dates of the account's
    // view, in the user's date format.
    void SetDefaultTexts(const Account& account);
    // The dialog's OK: keeps at most 8 characters of each text, parses both
    // in the user's format (From first) and checks their order.
    int AcceptTexts(const char* from, const char* to);
    // The dialog's Cancel: all transactions, no texts.
    void Reset();

    std::uint32_t choice = kRangeChoiceAll;
    char fromText[kRangeTextSize] = {};
    char toText[kRangeTextSize] = {};
    std::int32_t fromYear = 0;
    std::int32_t fromDay = 0;
    std::int32_t toYear = 0;
    std::int32_t toDay = 0;
};

extern DateRange g_DateRange;
