// Matching a downloaded statement of 5,000 transactions against the
// account: four in five are the account's own records as the bank dates
// them (a few days after the register's date), the rest are new.
#include <algorithm>
#include <cmath>
#include <string>

#include "bench.h"
#include "import/statement_match.h"
#include "model/account.h"

namespace {

constexpr std::size_t kStatementTransactions = 5000;

// The register's date moved forward by days, kept within its month so that
// the text stays a date.
std::string LaterDate(const char* date, int days) {
    std::string text(date, 8);
    const int day = std::min(28, std::stoi(text.substr(6, 2)) + days);
    return text.substr(0, 6) + (day < 10 ? "0" : "") + std::to_string(day);
}

Statement BuildStatement(const Account& account) {
    Statement statement;
    const std::size_t step = std::max<std::size_t>(1, account.RecordCount() / kStatementTransactions);
    std::size_t index = 0;
    for (const RecordNode* n = account.Head(); n && statement.transactions.size() < kStatementTransactions;
         n = n->next, ++index) {
        if (index % step != 0 || n->record->date[0] == '\0') continue;
        const AcctRecord& r = *n->record;
        StatementTransaction t;
        t.date = LaterDate(r.date, 2);
        t.cents = std::llround(r.deposit * 100.0) - std::llround(r.payment * 100.0);
        // Every fifth one is new to the register.
        if (statement.transactions.size() % 5 == 4) t.cents += 1;
        t.payee = r.description;
        statement.transactions.push_back(std::move(t));
    }
    return statement;
}

Statement g_Statement;
std::size_t g_StatementFor = 0;

void PrepareStatement(BenchAccount& a) {
    if (g_StatementFor == a.transactions) return;
    g_Statement = BuildStatement(g_Account);
    g_StatementFor = a.transactions;
}

void MatchIt(BenchAccount&) {
    const std::vector<ImportRow> rows = MatchStatement(g_Statement, g_Account);
    if (rows.size() != g_Statement.transactions.size()) BenchFail("import match: a row per transaction");
    // The case measures matching only when most rows do find their record.
    const auto found = std::count_if(rows.begin(), rows.end(), [](const ImportRow& r) { return r.record != nullptr; });
    if (static_cast<std::size_t>(found) * 2 < rows.size()) BenchFail("import match: most rows found nothing");
}

const BenchRegistrar kImportCases{{
    {.name = "import match 5000",
     .target = "< 1000 ms",
     .maxMilliseconds = 1000,
     .prepare = PrepareStatement,
     .run = MatchIt},
}};

}  // namespace
