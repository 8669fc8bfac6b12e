#include "import/ofx_reader.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "import/statement_text.h"
#include "import/statement_values.h"

namespace {

// The header, the XML declaration and "<OFX>" all come within this many
// bytes of the start when the file is OFX at all.
constexpr std::size_t kHeadLength = 4096;

// An OFX date: YYYYMMDD, then an optional time, fraction and zone
// ("20260115", "20260115120000.000[-5:EST]"). The date the bank wrote is the
// statement's date: shifting it by the zone would move a posting at midnight
// to the day before.
std::string OfxDate(std::string_view text) {
    text = TrimSpace(text);
    if (text.size() < 8 || text.substr(0, 8).find_first_not_of("0123456789") != std::string_view::npos)
        return {};
    std::string_view tail = text.substr(8);
    tail.remove_prefix(std::min(tail.size(), tail.find_first_not_of("0123456789")));
    if (!tail.empty() && tail.front() == '.') {
        const std::size_t digits = std::min(tail.size(), tail.find_first_not_of("0123456789", 1));
        if (digits == 1)
            return {};
        tail.remove_prefix(digits);
    }
    if (!tail.empty() && (tail.front() != '[' || tail.back() != ']' || tail.find(']') != tail.size() - 1))
        return {};
    const auto part = [&](std::size_t at, std::size_t length) {
        int value = 0;
        for (char c : text.substr(at, length))
            value = value * 10 + (c - '0');
        return value;
    };
    return StoredDate(part(0, 4), part(4, 2), part(6, 2));
}

std::string AccountTypeName(std::string_view acctType) {
    static constexpr struct {
        const char* ofx;
        const char* name;
    } kTypes[] = {
        {"CHECKING", "Checking"},
        {"SAVINGS", "Savings"},
        {"MONEYMRKT", "Money market"},
        {"CREDITLINE", "Credit line"},
    };
    for (const auto& type : kTypes) {
        if (EqualsNoCase(acctType, type.ofx))
            return type.name;
    }
    return {};
}

// Many banks declare CHARSET:1252 whatever they write: text that is
// well-formed UTF-8 beyond ASCII is read as UTF-8, as QIF and CSV text is
// (1252 text almost never is that by accident).
std::string OfxText(std::string_view bytes) {
    return FileTextToAnsi(bytes);
}

// The character of "&amp;", "&#233;" or "&#xE9;" (name without '&' and
// ';'), or 0 when it is none.
char EntityCharacter(std::string_view name) {
    static constexpr struct {
        const char* name;
        char c;
    } kNamed[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", '\xA0'}};
    for (const auto& entity : kNamed) {
        if (name == entity.name)
            return entity.c;
    }
    if (name.size() < 2 || name.size() > 8 || name[0] != '#')
        return 0;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty() || digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string_view::npos)
        return 0;
    const unsigned long code = std::stoul(std::string(digits), nullptr, hex ? 16 : 10);
    return code == 0 || code > 0x10FFFF ? 0 : AnsiOf(static_cast<char32_t>(code));
}

std::string DecodeEntities(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Entities are short: looking further for the ';' would make a long
        // run of '&' take quadratic time.
        const std::size_t length = text[i] == '&' ? text.substr(i, 11).find(';') : std::string_view::npos;
        const char c = length != std::string_view::npos ? EntityCharacter(text.substr(i + 1, length - 1)) : 0;
        decoded += c ? c : text[i];
        if (c)
            i += length;
    }
    return decoded;
}

// One STMTTRN's elements as written, checked when it ends.
struct PendingTransaction {
    int line = 0;
    std::string posted, amount, checkNumber, name, memo, fitid;
};

StatementTransaction CheckedTransaction(const PendingTransaction& pending) {
    StatementTransaction transaction = TransactionTexts(pending.line, pending.checkNumber, pending.name, pending.memo);
    transaction.fitid = CleanFieldText(pending.fitid);
    transaction.date = OfxDate(pending.posted);
    if (TrimSpace(pending.posted).empty())
        transaction.refused = kNoDateReason;
    else if (transaction.date.empty())
        transaction.refused = WithValue(kBadDateReason, pending.posted);
    else
        transaction.refused = ReadTransactionAmount(pending.amount, DecimalMark::Either, transaction.cents);
    return transaction;
}

// Walks the elements in file order. SGML leaves have no end tags, so an
// element's value is the text up to the next tag; aggregates are tracked by
// their start and end tags, and one left open ends with the next of its kind
// or with the file.
class OfxWalker {
public:
    std::vector<Statement> Walk(std::string_view text);
    bool SawOfx() const { return m_sawOfx; }
    bool SawStatement() const { return m_sawStatement; }
    // Whether the walk stopped at a transaction beyond kMostStatementTransactions.
    bool TooMany() const { return m_transactions > kMostStatementTransactions; }

private:
    void Start(const std::string& tag, std::string_view value, int line);
    void End(const std::string& tag);
    void StatementElement(const std::string& tag, std::string_view value);
    void TransactionElement(const std::string& tag, std::string_view value);
    void EndTransaction();
    void EndStatement();

    std::vector<Statement> m_statements;
    std::optional<Statement> m_statement;
    std::optional<PendingTransaction> m_transaction;
    bool m_inAccount = false;  // BANKACCTFROM / CCACCTFROM, not the "to" of a transfer
    bool m_inLedger = false;   // LEDGERBAL, not AVAILBAL
    bool m_inList = false;     // BANKTRANLIST
    bool m_sawOfx = false;
    bool m_sawStatement = false;
    std::size_t m_transactions = 0;  // in every statement so far
};

int LineBreaks(std::string_view text) {
    int breaks = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        breaks += text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
    return breaks;
}

constexpr std::string_view kCdataStart = "<![CDATA[";
constexpr std::string_view kCdataEnd = "]]>";

// Where the markup that opens at text[open] closes: a comment at "-->", a
// CDATA section at "]]>" (either may hold a '>'), a tag at '>'.
std::size_t MarkupEnd(std::string_view text, std::size_t open) {
    if (text.substr(open, 4) == "<!--") {
        const std::size_t end = text.find("-->", open);
        return end == std::string_view::npos ? end : end + 2;
    }
    if (text.substr(open, kCdataStart.size()) == kCdataStart) {
        const std::size_t end = text.find(kCdataEnd, open);
        return end == std::string_view::npos ? end : end + 2;
    }
    return text.find('>', open);
}

// An element's value: the text after its tag up to the next markup, or
// the text of a CDATA section that comes first (some banks wrap every name
// in one, since it may hold '<' or '&').
std::string_view ElementValue(std::string_view text, std::size_t tagEnd) {
    const std::size_t next = text.find('<', tagEnd + 1);
    const std::string_view value = text.substr(tagEnd + 1, next == std::string_view::npos ? next : next - tagEnd - 1);
    if (next == std::string_view::npos || !TrimSpace(value).empty() || text.substr(next, kCdataStart.size()) != kCdataStart)
        return value;
    const std::size_t start = next + kCdataStart.size();
    const std::size_t end = text.find(kCdataEnd, start);
    return end == std::string_view::npos ? std::string_view() : text.substr(start, end - start);
}

std::vector<Statement> OfxWalker::Walk(std::string_view text) {
    int line = 1;
    std::size_t at = 0;  // text before at has been counted into line
    std::size_t open;
    while (!TooMany() && (open = text.find('<', at)) != std::string_view::npos) {
        line += LineBreaks(text.substr(at, open - at));
        at = open;
        const std::size_t close = MarkupEnd(text, open);
        if (close == std::string_view::npos)
            break;
        const std::string_view inside = text.substr(open + 1, close - open - 1);
        if (!inside.empty() && inside[0] != '?' && inside[0] != '!') {
            const bool isEnd = inside[0] == '/';
            const std::string_view body = inside.substr(isEnd ? 1 : 0);
            const std::string tag = UpperCase(body.substr(0, body.find_first_of(" \t\r\n/")));
            if (isEnd)
                End(tag);
            else
                Start(tag, inside.back() == '/' ? std::string_view() : ElementValue(text, close), line);
            if (!isEnd && inside.back() == '/')
                End(tag);
        }
        line += LineBreaks(text.substr(open, close - open));
        at = close;
    }
    EndStatement();
    return std::move(m_statements);
}

void OfxWalker::Start(const std::string& tag, std::string_view value, int line) {
    m_sawOfx = m_sawOfx || tag == "OFX";
    if (tag == "STMTRS" || tag == "CCSTMTRS" || tag == "INVSTMTRS") {
        EndStatement();
        // An investment statement is one only through its bank transactions
        // (INVBANKTRAN): the cash side of a brokerage or cash-management
        // account. Without them it stays refused as no bank statement.
        m_sawStatement = m_sawStatement || tag != "INVSTMTRS";
        m_statement.emplace();
        if (tag == "CCSTMTRS")
            m_statement->accountType = "Credit card";
        else if (tag == "INVSTMTRS")
            m_statement->accountType = "Investment cash";
        return;
    }
    if (!m_statement)
        return;
    if (tag == "STMTTRN") {
        EndTransaction();
        m_transaction.emplace();
        m_transaction->line = line;
        return;
    }
    m_inAccount = m_inAccount || tag == "BANKACCTFROM" || tag == "CCACCTFROM" || tag == "INVACCTFROM";
    m_inLedger = tag == "LEDGERBAL" || (m_inLedger && tag != "AVAILBAL");
    m_inList = m_inList || tag == "BANKTRANLIST" || tag == "INVTRANLIST";
    if (m_transaction)
        TransactionElement(tag, value);
    else
        StatementElement(tag, value);
}

void OfxWalker::End(const std::string& tag) {
    if (tag == "STMTTRN") {
        EndTransaction();
    } else if (tag == "BANKTRANLIST" || tag == "INVTRANLIST") {
        EndTransaction();
        m_inList = false;
    } else if (tag == "INVBANKTRAN") {
        EndTransaction();
    } else if (tag == "STMTRS" || tag == "CCSTMTRS" || tag == "INVSTMTRS") {
        EndStatement();
    } else if (tag == "BANKACCTFROM" || tag == "CCACCTFROM" || tag == "INVACCTFROM") {
        m_inAccount = false;
    } else if (tag == "LEDGERBAL") {
        m_inLedger = false;
    }
}

void OfxWalker::StatementElement(const std::string& tag, std::string_view value) {
    const std::string text = DecodeEntities(TrimSpace(value));
    if (m_inAccount && tag == "ACCTID") {
        m_statement->accountId = CleanFieldText(text);
    } else if (m_inAccount && tag == "ACCTTYPE" && m_statement->accountType != "Credit card") {
        m_statement->accountType = AccountTypeName(text);
    } else if (m_inList && tag == "DTSTART") {
        m_statement->periodStart = OfxDate(text);
    } else if (m_inList && tag == "DTEND") {
        m_statement->periodEnd = OfxDate(text);
    } else if (m_inLedger && tag == "BALAMT") {
        // An empty or unreadable balance is only left out: the
        // transactions do not depend on it.
        const auto cents = ParseCents(text, DecimalMark::Either);
        const bool shown = cents && *cents <= kLargestBalanceCents && *cents >= -kLargestBalanceCents;
        m_statement->endingBalanceCents = shown ? cents : std::nullopt;
    }
}

void OfxWalker::TransactionElement(const std::string& tag, std::string_view value) {
    static constexpr struct {
        const char* tag;
        std::string PendingTransaction::*field;
    } kFields[] = {
        {"DTPOSTED", &PendingTransaction::posted},   {"TRNAMT", &PendingTransaction::amount},
        {"CHECKNUM", &PendingTransaction::checkNumber}, {"NAME", &PendingTransaction::name},
        {"MEMO", &PendingTransaction::memo},         {"FITID", &PendingTransaction::fitid},
    };
    for (const auto& field : kFields) {
        std::string& target = (*m_transaction).*field.field;
        // The first non-empty one counts: a payee aggregate's NAME does not
        // replace the transaction's own.
        if (tag == field.tag && target.empty())
            target = DecodeEntities(TrimSpace(value));
    }
}

void OfxWalker::EndTransaction() {
    // The one beyond the limit is counted, not kept: the file is refused.
    if (m_transaction && m_statement && ++m_transactions <= kMostStatementTransactions)
        m_statement->transactions.push_back(CheckedTransaction(*m_transaction));
    m_transaction.reset();
}

void OfxWalker::EndStatement() {
    EndTransaction();
    // One without transactions adds nothing, and a file of nothing but
    // statement tags must not pile them up.
    if (m_statement && !m_statement->transactions.empty()) {
        m_sawStatement = true;
        m_statements.push_back(std::move(*m_statement));
    }
    m_statement.reset();
    m_inAccount = m_inLedger = m_inList = false;
}

} // namespace

bool LooksLikeOfx(std::string_view bytes) {
    const std::string_view start = TrimSpace(SkipUtf8Bom(bytes).substr(0, kHeadLength));
    const std::string head = UpperCase(start);
    return head.rfind("OFXHEADER", 0) == 0 || head.rfind("<?XML", 0) == 0 || head.rfind("<OFX", 0) == 0
        || head.find("OFXHEADER:") != std::string::npos || head.find("<OFX>") != std::string::npos;
}

StatementFile ReadOfx(std::string_view bytes) {
    const std::string text = OfxText(bytes);
    OfxWalker walker;
    std::vector<Statement> statements = walker.Walk(text);
    if (walker.TooMany())
        return RefusedFile(kTooManyTransactions);
    if (!walker.SawStatement())
        return RefusedFile(walker.SawOfx() ? kOfxNoStatement : kNotAStatement);
    return FinishStatements(std::move(statements));
}
