#include "import/import_texts.h"

#include <cinttypes>
#include <cstdio>

#include "values/amount.h"
#include "values/date.h"

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

PathMessage ImportErrorText(const std::string& fileName, const std::string& reason) {
    return {"", fileName, " cannot be imported.\n" + reason};
}

std::string BalanceLimitText(const BalanceOverflow& overflow) {
    const char* balance = overflow.result == kReconciledOutOfRange ? "cleared" : "running";
    char limit[kAmountTextSize];
    FormatAmount(limit, overflow.above ? kLargestBalance : kSmallestBalance);
    InsertThousandsSeparators(limit);
    return std::string("The ") + balance + " balance would go " + (overflow.above ? "above " : "below ") + limit +
           ", the " + (overflow.above ? "largest" : "smallest") + " balance the register shows.";
}

std::string StatementAccountText(const Statement& statement) {
    std::string text = statement.accountType.empty() ? "Account" : statement.accountType;
    const std::string& id = statement.accountId;
    if (!id.empty()) text += " ..." + id.substr(id.size() > 4 ? id.size() - 4 : 0);
    return text;
}

std::string AccountLineText(const Statement& statement) {
    return statement.accountId.empty() ? "" : "Account: " + StatementAccountText(statement);
}

std::string ActionText(const ImportRow& row) {
    switch (row.action) {
        case ImportAction::MarkR: return "Mark R";
        case ImportAction::Add: return row.beforeOpening ? "Add (before the account's opening balance)" : "Add";
        case ImportAction::AlreadyThere: return "Already there";
        case ImportAction::Refused: break;
    }
    return "Refused: " + row.refused;
}

std::string BeforeOpeningText(int count, const char* openingDate) {
    if (count <= 0) return "";
    const std::string date = g_Date.ToDisplay(openingDate);
    if (count == 1)
        return "1 transaction is dated before the account's opening balance (" + date +
               "); it is left unticked. Is this statement for this account?";
    return std::to_string(count) + " transactions are dated before the account's opening balance (" + date +
           "); they are left unticked. Is this statement for this account?";
}

std::string CentsText(std::int64_t cents) {
    char text[kAmountTextSize];
    FormatAmount(text, static_cast<double>(cents) / 100.0);
    InsertThousandsSeparators(text);
    return text;
}

std::string TypedBalanceText(std::int64_t cents) {
    const std::uint64_t magnitude = cents < 0 ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
    char text[32];
    std::snprintf(text, sizeof text, "%s%" PRIu64 ".%02" PRIu64, cents < 0 ? "-" : "", magnitude / 100,
                  magnitude % 100);
    return text;
}

std::string PeriodText(const Statement& statement) {
    std::string text;
    if (!statement.periodStart.empty() || !statement.periodEnd.empty()) {
        text = "Period: " + std::string(g_Date.ToDisplay(statement.periodStart.c_str()));
        text += std::string(" to ") + g_Date.ToDisplay(statement.periodEnd.c_str());
    }
    if (statement.endingBalanceCents) {
        if (!text.empty()) text += "    ";
        text += "Ending balance: " + CentsText(*statement.endingBalanceCents);
    }
    if (statement.skippedLines > 0) {
        if (!text.empty()) text += "    ";
        text += SkippedLinesText(statement.skippedLines);
    }
    return text;
}

std::string SkippedLinesText(std::size_t lines) {
    return lines == 1 ? "1 line without a transaction was skipped."
                      : std::to_string(lines) + " lines without a transaction were skipped.";
}

DayOrder DayOrderOfFormat(int dateFormat) {
    return dateFormat == kFormatDDMMYY || dateFormat == kFormatYYDDMM ? DayOrder::DayFirst : DayOrder::MonthFirst;
}
