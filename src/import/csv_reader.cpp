#include "import/csv_reader.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "import/statement_text.h"
#include "import/statement_values.h"

namespace {

// Banks put an account summary of a few rows above the header row.
constexpr std::size_t kHeaderSearchRows = 30;
// What is enough text to find the header row in while telling files apart.
constexpr std::size_t kSniffLength = 64 * 1024;

struct CsvRecord {
    int line = 0;  // where the record starts; a quoted field may hold line breaks
    std::vector<std::string> fields;
};

bool IsLineBreak(char c) {
    return c == '\n' || c == '\r';
}

// Reads one field at text[i] into field, or past it when field is null (i
// moves past it, not past what ends it).
void ReadField(std::string_view text, std::size_t& i, char separator, int& line, std::string* field) {
    const auto keep = [&](std::string_view part) {
        if (field)
            field->append(part);
    };
    while (i < text.size() && (text[i] == ' ' || (text[i] == '\t' && separator != '\t')))
        ++i;
    if (i < text.size() && text[i] == '"') {
        for (++i; i < text.size(); ++i) {
            if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                keep(text.substr(i++, 1));
            } else if (text[i] == '"') {
                ++i;
                break;
            } else {
                line += text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
                keep(text.substr(i, 1));
            }
        }
    }
    // Unquoted text, or what follows a closing quote, runs to the separator.
    const std::size_t start = i;
    while (i < text.size() && text[i] != separator && !IsLineBreak(text[i]))
        ++i;
    keep(text.substr(start, i - start));
}

// A record keeps at most this many fields; the rest are read past. Bank
// files have a few dozen columns at most, and a line of millions of
// separators must not become millions of strings.
constexpr std::size_t kMostFields = 256;

// The records of a text, one at a time, so that a file is never held as
// records all at once.
class CsvRecords {
public:
    CsvRecords(std::string_view text, char separator) : m_text(text), m_separator(separator) {}

    // The next record into record; false at the end of the text.
    bool Next(CsvRecord& record) {
        if (m_at >= m_text.size())
            return false;
        record.line = m_line;
        record.fields.clear();
        for (;;) {
            const bool kept = record.fields.size() < kMostFields;
            if (kept)
                record.fields.emplace_back();
            ReadField(m_text, m_at, m_separator, m_line, kept ? &record.fields.back() : nullptr);
            if (m_at >= m_text.size() || m_text[m_at] != m_separator)
                break;
            ++m_at;
        }
        if (m_at < m_text.size()) {
            m_at += m_text[m_at] == '\r' && m_at + 1 < m_text.size() && m_text[m_at + 1] == '\n' ? 2 : 1;
            ++m_line;
        }
        return true;
    }

private:
    std::string_view m_text;
    char m_separator;
    std::size_t m_at = 0;
    int m_line = 1;
};

// The first records of the text.
std::vector<CsvRecord> SplitCsv(std::string_view text, char separator, std::size_t most) {
    std::vector<CsvRecord> records;
    CsvRecords reader(text, separator);
    CsvRecord record;
    while (records.size() < most && reader.Next(record))
        records.push_back(std::move(record));
    return records;
}

bool IsBlank(const CsvRecord& record) {
    for (const std::string& field : record.fields) {
        if (!TrimSpace(field).empty())
            return false;
    }
    return true;
}

enum class Column { Date, Payee, Memo, Reference, Amount, Debit, Credit, Check, Side };

// A header name without case, "(USD)"-like notes, a trailing '#', '.' or
// ':', and with single spaces and none around a '/': "Check #" is "check",
// "Amount (EUR)" "amount".
std::string NormalName(std::string_view name) {
    std::string normal;
    int depth = 0;
    for (char c : name) {
        depth += c == '(';
        if (depth == 0)
            normal += c == '\t' || c == '_' ? ' ' : c;
        depth -= c == ')' && depth > 0;
    }
    normal = CleanFieldText(normal);
    // "Naam / Omschrijving" and "Naam/Omschrijving" are one name.
    for (std::size_t at; (at = normal.find(" /")) != std::string::npos || (at = normal.find("/ ")) != std::string::npos;)
        normal.erase(normal[at] == ' ' ? at : at + 1, 1);
    while (!normal.empty() && (normal.back() == '#' || normal.back() == '.' || normal.back() == ':' || normal.back() == ' '))
        normal.pop_back();
    for (char& c : normal)
        c = (c >= 'A' && c <= 'Z') || (c >= '\xC0' && c <= '\xDE' && c != '\xD7') ? static_cast<char>(c + 0x20) : c;
    return normal;
}

// The header names this reads (as NormalName gives them, in the program's
// page), each kind's best first: a bank that writes both "Details" (debit or
// credit) and "Description" means the latter; "Completed Date" is when the
// bank took the money, "Started Date" when the card was used. A "Reference"
// is the bank's own number for the transaction, not a check number (taken as
// one it would block the match with the register's record): it is the
// description only when nothing better names one. German, Dutch, French and
// Spanish banks name their columns in their own language.
constexpr struct {
    const char* name;
    Column column;
} kColumnNames[] = {
    {"date", Column::Date},
    {"posting date", Column::Date},
    {"transaction date", Column::Date},
    {"posted date", Column::Date},
    {"completed date", Column::Date},
    {"booking date", Column::Date},
    {"date processed", Column::Date},
    {"run date", Column::Date},
    {"buchungstag", Column::Date},
    {"buchung", Column::Date},
    {"transactiedatum", Column::Date},
    {"datum", Column::Date},
    {"fecha", Column::Date},
    {"value date", Column::Date},
    {"date de valeur", Column::Date},
    {"started date", Column::Date},
    {"datetime", Column::Date},
    {"description", Column::Payee},
    {"transaction description", Column::Payee},
    {"payee", Column::Payee},
    {"name", Column::Payee},
    {"merchant name", Column::Payee},
    {"merchant", Column::Payee},
    {"partner name", Column::Payee},
    {"narrative", Column::Payee},
    {"desc", Column::Payee},
    {"details", Column::Payee},
    {"naam/omschrijving", Column::Payee},
    {"omschrijving", Column::Payee},
    {"naam", Column::Payee},
    {"auftraggeber/empf\xE4nger", Column::Payee},
    {"auftraggeber", Column::Payee},
    {"beschreibung", Column::Payee},
    {"libell\xE9", Column::Payee},
    {"concepto", Column::Payee},
    {"memo", Column::Memo},
    {"verwendungszweck", Column::Memo},
    {"reference", Column::Reference},
    {"amount", Column::Amount},
    {"net", Column::Amount},
    {"betrag", Column::Amount},
    {"bedrag", Column::Amount},
    {"montant", Column::Amount},
    {"importe", Column::Amount},
    {"debit", Column::Debit},
    {"debits", Column::Debit},
    {"withdrawal", Column::Debit},
    {"withdrawals", Column::Debit},
    {"debit amount", Column::Debit},
    {"d\xE9" "bit", Column::Debit},
    {"credit", Column::Credit},
    {"credits", Column::Credit},
    {"deposit", Column::Credit},
    {"deposits", Column::Credit},
    {"credit amount", Column::Credit},
    {"cr\xE9" "dit", Column::Credit},
    {"check", Column::Check},
    {"check number", Column::Check},
    {"checknumber", Column::Check},
    {"check no", Column::Check},
    {"check or slip", Column::Check},
    {"chk", Column::Check},
    {"num", Column::Check},
    {"cheque", Column::Check},
    {"cheque number", Column::Check},
    {"transaction type", Column::Side},
    {"debit/credit", Column::Side},
    {"credit/debit", Column::Side},
    {"cr/dr", Column::Side},
    {"dr/cr", Column::Side},
    {"af bij", Column::Side},
    {"creditdebet", Column::Side},
    {"type", Column::Side},
};

// The side a type column gives an amount: -1 a payment, 1 a deposit, 0 when
// its value names no side ("TRANSFER", "CARD_PAYMENT": the amount's own sign
// then holds).
int SideOfType(std::string_view type) {
    type = TrimSpace(type);
    for (std::string_view debit : {"debit", "dr", "d", "af", "debet"}) {
        if (EqualsNoCase(type, debit))
            return -1;
    }
    for (std::string_view credit : {"credit", "cr", "c", "bij"}) {
        if (EqualsNoCase(type, credit))
            return 1;
    }
    return 0;
}

// Where each column is; -1 for none.
struct Columns {
    int date = -1, payee = -1, memo = -1, reference = -1, amount = -1, debit = -1, credit = -1, check = -1, side = -1;

    int* Of(Column column) {
        switch (column) {
        case Column::Date: return &date;
        case Column::Payee: return &payee;
        case Column::Memo: return &memo;
        case Column::Reference: return &reference;
        case Column::Amount: return &amount;
        case Column::Debit: return &debit;
        case Column::Credit: return &credit;
        case Column::Check: return &check;
        case Column::Side: return &side;
        }
        return &check;  // every kind is listed above
    }
    bool Usable() const { return date >= 0 && (amount >= 0 || debit >= 0 || credit >= 0); }
};

// The columns a header row names and how many, when it names enough.
std::optional<std::pair<Columns, int>> HeaderColumns(const CsvRecord& record) {
    std::vector<std::string> names;
    for (const std::string& field : record.fields)
        names.push_back(NormalName(field));
    Columns columns;
    int known = 0;
    for (const auto& column : kColumnNames) {
        int* at = columns.Of(column.column);
        for (std::size_t i = 0; i < names.size() && *at < 0; ++i) {
            if (names[i] == column.name) {
                *at = static_cast<int>(i);
                ++known;
            }
        }
    }
    if (!columns.Usable())
        return std::nullopt;
    return std::make_pair(columns, known);
}

struct Layout {
    char separator = ',';
    std::size_t headerRecord = 0;  // index among the records
    Columns columns;
};

// The separator whose header row names the most known columns (the first
// such of ',', ';' and tab), and that row.
std::optional<Layout> FindLayout(std::string_view text) {
    std::optional<Layout> best;
    int bestKnown = 0;
    for (char separator : {',', ';', '\t'}) {
        const std::vector<CsvRecord> records = SplitCsv(text, separator, kHeaderSearchRows);
        for (std::size_t r = 0; r < records.size(); ++r) {
            const auto header = HeaderColumns(records[r]);
            if (!header)
                continue;
            if (header->second > bestKnown) {
                best = Layout{separator, r, header->first};
                bestKnown = header->second;
            }
            break;
        }
    }
    return best;
}

std::string_view FieldAt(const CsvRecord& record, int column) {
    return column >= 0 && static_cast<std::size_t>(column) < record.fields.size()
        ? std::string_view(record.fields[column]) : std::string_view();
}

// A row whose date column holds words and no digit is no transaction (a
// note, a total, "***END OF FILE***", a card payment still pending), nor is
// one without an amount whose date column is no date ("Date downloaded
// 01/24/2023 10:28 am", a blank one). A row with an amount and no date is a
// transaction the bank left undated: it is refused, and so shown.
bool HoldsNoTransaction(const CsvRecord& row, const Columns& columns) {
    const std::string_view date = TrimSpace(FieldAt(row, columns.date));
    if (!date.empty() && date.find_first_of("0123456789") == std::string_view::npos)
        return true;
    for (int column : {columns.amount, columns.debit, columns.credit}) {
        if (!TrimSpace(FieldAt(row, column)).empty())
            return false;
    }
    return !SplitWrittenDate(date);
}

// Calls each(row) for every row below the header row that holds a
// transaction, until each returns false; how many rows that are not blank
// hold none.
template <typename Each>
std::size_t ForEachRow(std::string_view text, const Layout& layout, Each each) {
    CsvRecords records(text, layout.separator);
    CsvRecord row;
    std::size_t skipped = 0;
    for (std::size_t r = 0; r <= layout.headerRecord; ++r)
        records.Next(row);
    while (records.Next(row)) {
        if (IsBlank(row))
            continue;
        if (HoldsNoTransaction(row, layout.columns))
            ++skipped;
        else if (!each(row))
            break;
    }
    return skipped;
}

// The file's decimal mark (a comma in a semicolon-separated file, else a
// point, unless the amounts show otherwise), or nothing when the file has
// more rows than a statement may.
std::optional<DecimalMark> FileDecimalMark(std::string_view text, const Layout& layout) {
    DecimalMarkEvidence evidence;
    std::size_t rows = 0;
    ForEachRow(text, layout, [&](const CsvRecord& row) {
        for (int column : {layout.columns.amount, layout.columns.debit, layout.columns.credit})
            evidence.See(FieldAt(row, column));
        return ++rows <= kMostStatementTransactions;
    });
    if (rows > kMostStatementTransactions)
        return std::nullopt;
    return evidence.Decide(layout.separator == ';' ? DecimalMark::Comma : DecimalMark::Point);
}

// The cents of a debit/credit pair of columns, or why the row is refused.
std::string DebitCreditAmount(std::string_view debit, std::string_view credit, DecimalMark mark, std::int64_t& cents) {
    std::int64_t debitCents = 0, creditCents = 0;
    const bool hasDebit = !TrimSpace(debit).empty(), hasCredit = !TrimSpace(credit).empty();
    if (!hasDebit && !hasCredit)
        return kNoAmountReason;
    for (const auto& [text, value] : {std::pair{debit, &debitCents}, std::pair{credit, &creditCents}}) {
        const std::string reason = TrimSpace(text).empty() ? std::string() : ReadTransactionAmount(text, mark, *value);
        if (!reason.empty())
            return reason;
    }
    if (debitCents != 0 && creditCents != 0)
        return kDebitAndCreditReason;
    cents = std::llabs(creditCents) - std::llabs(debitCents);
    return {};
}

StatementTransaction RowTransaction(const CsvRecord& row, const Columns& columns, DecimalMark mark) {
    // Without a description column the memo is the description, and
    // without a memo the reference.
    const bool memoIsPayee = columns.payee < 0 && columns.memo >= 0;
    const int payee = columns.payee >= 0 ? columns.payee : memoIsPayee ? columns.memo : columns.reference;
    StatementTransaction transaction = TransactionTexts(row.line, FieldAt(row, columns.check), FieldAt(row, payee),
                                                        memoIsPayee ? std::string_view() : FieldAt(row, columns.memo));
    transaction.date = std::string(TrimSpace(FieldAt(row, columns.date)));
    if (columns.amount < 0) {
        transaction.refused = DebitCreditAmount(FieldAt(row, columns.debit), FieldAt(row, columns.credit), mark, transaction.cents);
        return transaction;
    }
    transaction.refused = ReadTransactionAmount(FieldAt(row, columns.amount), mark, transaction.cents);
    // Banks that write every amount unsigned give its side in a type column.
    if (const int side = SideOfType(FieldAt(row, columns.side)))
        transaction.cents = side * std::llabs(transaction.cents);
    return transaction;
}

} // namespace

bool LooksLikeCsv(std::string_view bytes) {
    return FindLayout(FileTextToAnsi(bytes.substr(0, kSniffLength))).has_value();
}

bool LooksLikeSeparatedText(std::string_view bytes) {
    const std::string text = FileTextToAnsi(bytes.substr(0, kSniffLength));
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n')
            return false;
    }
    const std::string_view start = TrimSpace(text);
    return start.substr(0, start.find_first_of("\r\n")).find_first_of(",;\t") != std::string_view::npos;
}

StatementFile ReadCsv(std::string_view bytes, DayOrder preferred) {
    const std::string text = FileTextToAnsi(bytes);
    const auto layout = FindLayout(text);
    if (!layout)
        return RefusedFile(kCsvNoHeader);
    // The rows are read twice, each time one at a time: once to learn the
    // decimal mark, once to make the transactions.
    const auto mark = FileDecimalMark(text, *layout);
    if (!mark)
        return RefusedFile(kTooManyTransactions);
    std::vector<Statement> statements(1);
    statements[0].skippedLines = ForEachRow(text, *layout, [&](const CsvRecord& row) {
        statements[0].transactions.push_back(RowTransaction(row, layout->columns, *mark));
        return true;
    });
    SettleWrittenDates(statements, preferred);
    return FinishStatements(std::move(statements));
}
