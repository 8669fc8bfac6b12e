// Reads statement files as the import command does and prints what it found,
// one line per transaction, for scripts that compare it with other readers;
// or reads a statement shaped to cost the most memory, made in memory, so
// that the peak of this process is the reader's (time -f %M).
//   statement_dump [--day-first] FILE...
//   statement_dump --shape=NAME [--megabytes=N]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "hostile_statements.h"
#include "import/statement.h"

namespace {

// Tabs and line breaks would split the printed fields.
std::string Field(std::string_view text) {
    std::string field(text);
    for (char& c : field)
        c = c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
    return field;
}

void Print(const StatementFile& file) {
    if (!file.error.empty()) {
        std::printf("error\t%s\n", Field(file.error).c_str());
        return;
    }
    for (const Statement& s : file.statements) {
        std::printf("statement\t%s\t%s\t%s\n", Field(s.accountType).c_str(), Field(s.accountId).c_str(),
                    s.endingBalanceCents ? std::to_string(*s.endingBalanceCents).c_str() : "-");
        for (const StatementTransaction& t : s.transactions) {
            if (!t.refused.empty())
                std::printf("refused\t%d\t%s\n", t.line, Field(t.refused).c_str());
            else
                std::printf("transaction\t%d\t%s\t%lld\t%s\t%s\t%s\n", t.line, t.date.c_str(),
                            static_cast<long long>(t.cents), Field(t.checkNumber).c_str(), Field(t.payee).c_str(),
                            Field(t.memo).c_str());
        }
    }
}

int ReadShape(const std::string& name, std::size_t megabytes) {
    const std::string bytes = MakeHostileStatement(name, megabytes * 1024 * 1024);
    if (bytes.empty()) {
        std::fprintf(stderr, "statement_dump: no shape named %s\n", name.c_str());
        return 2;
    }
    const StatementFile file = ReadStatementFile(bytes, DayOrder::MonthFirst);
    std::size_t kept = 0;
    for (const Statement& s : file.statements)
        kept += s.transactions.size();
    std::printf("%s %zu MB: %zu transactions kept; %s\n", name.c_str(), megabytes, kept,
                file.error.empty() ? "read" : file.error.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    DayOrder order = DayOrder::MonthFirst;
    std::string shape;
    std::size_t megabytes = 50;
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--day-first") {
            order = DayOrder::DayFirst;
        } else if (arg.rfind("--shape=", 0) == 0) {
            shape = arg.substr(8);
        } else if (arg.rfind("--megabytes=", 0) == 0) {
            megabytes = std::strtoull(arg.c_str() + 12, nullptr, 10);
        } else {
            std::ifstream in(arg, std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "statement_dump: cannot read %s\n", arg.c_str());
                status = 2;
                continue;
            }
            const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            std::printf("file\t%s\n", arg.c_str());
            Print(ReadStatementFile(bytes, order));
        }
    }
    return shape.empty() ? status : ReadShape(shape, megabytes);
}
