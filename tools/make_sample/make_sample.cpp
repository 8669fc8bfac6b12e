// make_sample: builds the sample account that ships with Ledgerpad from its
// readable description (sample_account.txt), through the program's own
// account and information-file code, so the files are exactly what the
// program itself would write.
//
//   make_sample <description> <folder>          writes SAMPLE.LPD and SAMPLEI.LPD
//   make_sample --check <description> <folder>  fails when the files there differ
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "model/account.h"
#include "storage/account_image.h"
#include "storage/account_info.h"
#include "storage/memory_stream.h"
#include "values/amount.h"

namespace {

constexpr char kAccountFileName[] = "SAMPLE.LPD";
constexpr char kInfoFileName[] = "SAMPLEI.LPD";

// The dialog's labels name the seven information texts.
const std::map<std::string, int> kInfoLabels = {
    {"Financial Institution", kInfoInstitution}, {"Address", kInfoAddress},
    {"Phone", kInfoPhone},                       {"Account #", kInfoAccountNumber},
    {"Account Type", kInfoAccountType},          {"Interest Rate", kInfoInterestRate},
    {"Notes", kInfoNotes},
};

struct Failure {
    std::string message;
};

[[noreturn]] void Fail(int line, const std::string& message) {
    throw Failure{"line " + std::to_string(line) + ": " + message};
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator)) parts.push_back(Trim(part));
    if (!text.empty() && text.back() == separator) parts.push_back("");
    return parts;
}

// "\n" in the description is a line break, stored as CR LF as the
// dialog's multi-line fields keep it.
std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += "\r\n";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

struct StoredDate {
    char text[kDateTextSize] = {};
    std::uint16_t year = 0;
    std::uint16_t dayOfYear = 0;
};

StoredDate ParseDate(int line, const std::string& text) {
    unsigned y = 0, m = 0, d = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4u-%2u-%2u%c", &y, &m, &d, &tail) != 3) Fail(line, "date is not YYYY-MM-DD: " + text);
    using namespace std::chrono;
    const year_month_day date{year{static_cast<int>(y)}, month{m}, day{d}};
    if (!date.ok()) Fail(line, "no such date: " + text);
    StoredDate stored;
    std::snprintf(stored.text, sizeof stored.text, "%04u%02u%02u", y, m, d);
    stored.year = static_cast<std::uint16_t>(y);
    const auto first = sys_days{year{static_cast<int>(y)} / January / 1};
    stored.dayOfYear = static_cast<std::uint16_t>((sys_days{date} - first).count() + 1);
    return stored;
}

double ParseAmount(int line, const std::string& text, bool allowMinus) {
    char buffer[32] = {};
    if (text.size() >= sizeof buffer) Fail(line, "amount too long: " + text);
    std::strcpy(buffer, text.c_str());
    const bool bad = allowMinus ? HasInvalidBalanceChars(buffer) || CleanStartingBalance(buffer)
                                : HasInvalidEntryChars(buffer) || CleanEntryAmount(buffer);
    if (bad) Fail(line, "not an amount the program accepts: " + text);
    return AmountValue(buffer);
}

void CopyChecked(int line, char* field, std::size_t size, const std::string& text, const char* what) {
    if (text.size() >= size) Fail(line, std::string(what) + " longer than " + std::to_string(size - 1) + ": " + text);
    CopyFixedText(field, size, text.c_str());
}

void ParseTransaction(int line, const std::string& text, Account& account) {
    const auto parts = Split(text, '|');
    if (parts.size() != 6) Fail(line, "a transaction has six columns separated by |");
    AcctRecord& record = *account.AppendRecord()->record;
    if (parts[0] != "" && parts[0] != "R") Fail(line, "the first column is R or empty");
    CopyFixedText(record.reconcile, parts[0].c_str());
    const StoredDate date = ParseDate(line, parts[1]);
    std::memcpy(record.date, date.text, sizeof record.date);
    record.year = date.year;
    record.dayOfYear = date.dayOfYear;
    CopyChecked(line, record.checkText, sizeof record.checkText, parts[2], "check number");
    if (!parts[2].empty()) {
        if (parts[2].find_first_not_of("0123456789") != std::string::npos) Fail(line, "check number is not a number");
        record.checkNumber = static_cast<std::uint16_t>(std::stoul(parts[2]));
    }
    CopyChecked(line, record.description, sizeof record.description, parts[3], "description");
    record.payment = ParseAmount(line, parts[4], false);
    record.deposit = ParseAmount(line, parts[5], false);
    if ((record.payment == 0) == (record.deposit == 0)) Fail(line, "give a payment or a deposit, not both");
}

struct Description {
    std::string name;
    double balance = 0;
    StoredDate date;
};

void Build(const std::string& path, Account& account) {
    std::ifstream input(path);
    if (!input) throw Failure{"cannot read " + path};
    Description facts;
    bool haveBalance = false, haveDate = false, inTransactions = false;
    AccountInfo::ClearFields();
    std::string text;
    for (int line = 1; std::getline(input, text); ++line) {
        const std::string trimmed = Trim(text);
        if (trimmed.empty() || trimmed[0] == '#') continue;
        if (inTransactions) {
            ParseTransaction(line, text, account);
            continue;
        }
        const auto colon = trimmed.find(':');
        if (colon == std::string::npos) Fail(line, "expected \"key: value\"");
        const std::string key = Trim(trimmed.substr(0, colon));
        const std::string value = Trim(trimmed.substr(colon + 1));
        if (key == "account") {
            if (value.empty() || value.size() >= kAccountNameSize) Fail(line, "the account name has 1 to 88 characters");
            facts.name = value;
        } else if (key == "statement-balance") {
            facts.balance = ParseAmount(line, value, true);
            haveBalance = true;
        } else if (key == "statement-date") {
            facts.date = ParseDate(line, value);
            haveDate = true;
        } else if (key.rfind("info ", 0) == 0) {
            const auto label = kInfoLabels.find(key.substr(5));
            if (label == kInfoLabels.end()) Fail(line, "unknown information text: " + key.substr(5));
            AccountInfo::SetField(label->second, Unescape(value));
        } else if (key == "transactions") {
            if (facts.name.empty() || !haveBalance || !haveDate)
                Fail(line, "account, statement-balance and statement-date come before the transactions");
            account.CreateInMemory(facts.name.c_str(), facts.balance, facts.date.text, facts.date.year,
                                   facts.date.dayOfYear);
            inTransactions = true;
        } else {
            Fail(line, "unknown key: " + key);
        }
    }
    if (!inTransactions) throw Failure{"no transactions: section"};
}

// The register keeps its records sorted; the description must list them so.
void CheckOrderAndBalances(Account& account) {
    int index = 0;
    for (RecordNode* node = account.Head(); node && node->next; node = node->next, ++index) {
        if (SortsBefore(*node->next->record, *node->record))
            throw Failure{"transaction " + std::to_string(index + 1) + " is out of date order"};
    }
    for (int view : {ViewAll, ViewCurrent}) {
        account.view = view;
        if (account.ComputeBalances() != kBalancesOk) throw Failure{"a balance is too large to display"};
    }
}

std::vector<unsigned char> InfoImage() {
    MemorySerializer writer;
    AccountInfo info;
    info.Serialize(writer);
    return writer.Bytes();
}

bool ReadFile(const std::string& path, std::vector<unsigned char>& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

bool WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    const bool check = argc == 4 && std::strcmp(argv[1], "--check") == 0;
    if (argc != 3 && !check) {
        std::cerr << "usage: make_sample [--check] <description> <folder>\n";
        return 2;
    }
    const std::string description = argv[check ? 2 : 1];
    const std::string folder = std::string(argv[check ? 3 : 2]) + "/";
    try {
        Account account;
        Build(description, account);
        CheckOrderAndBalances(account);
        std::vector<unsigned char> accountImage;
        BuildAccountImage(account, accountImage);
        const std::vector<unsigned char> infoImage = InfoImage();

        const std::pair<std::string, const std::vector<unsigned char>*> files[] = {
            {kAccountFileName, &accountImage}, {kInfoFileName, &infoImage}};
        int status = 0;
        for (const auto& [name, bytes] : files) {
            if (check) {
                std::vector<unsigned char> shipped;
                if (!ReadFile(folder + name, shipped) || shipped != *bytes) {
                    std::cerr << folder << name << " is not what " << description
                              << " describes; run make_sample to rebuild it\n";
                    status = 1;
                }
            } else if (!WriteFile(folder + name, *bytes)) {
                std::cerr << "cannot write " << folder << name << "\n";
                status = 1;
            }
        }
        if (status == 0)
            std::cout << (check ? "up to date: " : "wrote ") << account.RecordCount() << " records, "
                      << accountImage.size() << " + " << infoImage.size() << " bytes\n";
        return status;
    } catch (const Failure& failure) {
        std::cerr << description << ": " << failure.message << "\n";
        return 1;
    }
}
