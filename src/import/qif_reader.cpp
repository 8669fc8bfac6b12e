#include "import/qif_reader.h"

#include <optional>
#include <string>
#include <vector>

#include "import/statement_text.h"
#include "import/statement_values.h"

namespace {

// The section types that are a statement, and what the statement is called.
std::string StatementType(std::string_view qifType) {
    static constexpr struct {
        const char* qif;
        const char* name;
    } kTypes[] = {{"Bank", "Bank"}, {"Cash", "Cash"}, {"CCard", "Credit card"}};
    for (const auto& type : kTypes) {
        if (EqualsNoCase(qifType, type.qif))
            return type.name;
    }
    return {};
}

// One record's fields as written: its date is settled once the whole file
// has told which order its dates use, its amount once the file's amounts
// have told which decimal mark they use.
struct PendingRecord {
    int line = 0;
    std::string date, total, unitTotal, checkNumber, payee, memo;

    // U is the same total that newer writers add beside T.
    const std::string& Total() const { return total.empty() ? unitTotal : total; }
};

// A statement's account and its records, in file order.
struct QifStatement {
    std::string type, accountName;
    std::vector<PendingRecord> records;
};

StatementTransaction RecordTransaction(const PendingRecord& record, DecimalMark mark) {
    StatementTransaction transaction = TransactionTexts(record.line, record.checkNumber, record.payee, record.memo);
    transaction.date = std::string(TrimSpace(record.date));
    transaction.refused = ReadTransactionAmount(record.Total(), mark, transaction.cents);
    return transaction;
}

// The statements of the file; amounts with a decimal point unless the
// file's amounts show a decimal comma.
std::vector<Statement> QifStatements(const std::vector<QifStatement>& found) {
    DecimalMarkEvidence evidence;
    for (const QifStatement& qif : found) {
        for (const PendingRecord& record : qif.records)
            evidence.See(record.Total());
    }
    const DecimalMark mark = evidence.Decide(DecimalMark::Point);
    std::vector<Statement> statements;
    for (const QifStatement& qif : found) {
        Statement& statement = statements.emplace_back();
        statement.accountType = qif.type;
        statement.accountId = qif.accountName;
        for (const PendingRecord& record : qif.records)
            statement.transactions.push_back(RecordTransaction(record, mark));
    }
    return statements;
}

class QifWalker {
public:
    std::vector<QifStatement> Walk(std::string_view text);
    bool SawBankSection() const { return m_sawBankSection; }
    // Whether the walk stopped at a record beyond kMostStatementTransactions.
    bool TooMany() const { return m_records > kMostStatementTransactions; }
    // Records with neither a date nor an amount: no transaction.
    std::size_t Skipped() const { return m_skipped; }

private:
    void Header(std::string_view line);
    void Field(std::string_view line, int number);
    void AccountField(std::string_view line);
    void EndRecord();

    enum class Section { None, Account, Statement, Other };
    Section m_section = Section::None;
    std::string m_accountName;  // of the last "!Account" block
    std::string m_type;         // of the current statement section
    std::optional<PendingRecord> m_record;
    std::vector<QifStatement> m_statements;
    std::size_t m_records = 0;
    std::size_t m_skipped = 0;
    bool m_sawBankSection = false;
};

std::vector<QifStatement> QifWalker::Walk(std::string_view text) {
    ForEachLine(text, [&](std::string_view line, int number) {
        line = TrimSpace(line);
        if (line.empty())
            return true;
        if (line.front() == '!')
            Header(line);
        else if (m_section == Section::Account)
            AccountField(line);
        else if (m_section == Section::Statement)
            Field(line, number);
        return !TooMany();
    });
    EndRecord();
    return std::move(m_statements);
}

void QifWalker::Header(std::string_view line) {
    EndRecord();
    if (StartsWithNoCase(line, "!Account")) {
        m_section = Section::Account;
        m_accountName.clear();
        return;
    }
    if (!StartsWithNoCase(line, "!Type:"))
        return;  // "!Option:AutoSwitch" and the like change nothing here
    m_type = StatementType(TrimSpace(line.substr(6)));
    m_section = m_type.empty() ? Section::Other : Section::Statement;
    m_sawBankSection = m_sawBankSection || !m_type.empty();
}

void QifWalker::AccountField(std::string_view line) {
    if (line.front() == 'N')
        m_accountName = CleanFieldText(line.substr(1));
    else if (line.front() == '^')
        m_section = Section::None;
}

void QifWalker::Field(std::string_view line, int number) {
    const char letter = line.front();
    const std::string_view value = line.substr(1);
    if (letter == '^') {
        EndRecord();
        return;
    }
    if (!m_record) {
        m_record.emplace();
        m_record->line = number;
    }
    // L (category), C (cleared), A (address) and the split lines S, E, $ and
    // % add nothing the register keeps: the record's T is its total.
    switch (letter) {
    case 'D': m_record->date = value; break;
    case 'T': m_record->total = value; break;
    case 'U': m_record->unitTotal = value; break;
    case 'N': m_record->checkNumber = value; break;
    case 'P': m_record->payee = value; break;
    case 'M': m_record->memo = value; break;
    default: break;
    }
}

void QifWalker::EndRecord() {
    if (!m_record || TooMany())
        return;
    if (TrimSpace(m_record->date).empty() && TrimSpace(m_record->Total()).empty()) {
        ++m_skipped;
        m_record.reset();
        return;
    }
    // The one beyond the limit is counted, not kept: the file is refused.
    if (++m_records > kMostStatementTransactions) {
        m_record.reset();
        return;
    }
    // A new statement begins where the account or the section type changes.
    const bool sameAccount = !m_statements.empty() && m_statements.back().type == m_type
                          && m_statements.back().accountName == m_accountName;
    if (!sameAccount)
        m_statements.push_back(QifStatement{m_type, m_accountName, {}});
    m_statements.back().records.push_back(std::move(*m_record));
    m_record.reset();
}

} // namespace

bool LooksLikeQif(std::string_view bytes) {
    bool qif = false;
    bool decided = false;
    ForEachLine(SkipUtf8Bom(bytes).substr(0, 4096), [&](std::string_view line, int) {
        line = TrimSpace(line);
        // Some writers put "###" comment lines above the first header.
        if (decided || line.empty() || line.front() == '#')
            return;
        decided = true;
        for (std::string_view start : {"!Type:", "!Account", "!Option:", "!Clear:"})
            qif = qif || StartsWithNoCase(line, start);
    });
    return qif;
}

StatementFile ReadQif(std::string_view bytes, DayOrder preferred) {
    const std::string text = FileTextToAnsi(bytes);
    QifWalker walker;
    const std::vector<QifStatement> found = walker.Walk(text);
    if (walker.TooMany())
        return RefusedFile(kTooManyTransactions);
    if (!walker.SawBankSection())
        return RefusedFile(kQifNoBankSection);
    std::vector<Statement> statements = QifStatements(found);
    if (!statements.empty())
        statements.front().skippedLines = walker.Skipped();
    SettleWrittenDates(statements, preferred);
    return FinishStatements(std::move(statements));
}
