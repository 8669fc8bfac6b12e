// Runs every case of the table on accounts of 1,000, 10,000 and 100,000
// transactions and prints the median time beside the floor.
//   ledger_bench [--ledgerpad=EXE --trivial=EXE] [runs] [transactions...]
// With the two programs given it also times the program's start and
// reports its private bytes. Last it reports the peak memory of reading
// hostile 50 MB statements (statement_memory.cpp).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "bench.h"
#include "filled_account.h"
#include "model/account.h"
#include "storage/account_info.h"
#include "storage/data_file.h"
#include "storage/save_account.h"
#include "ui/storage_messages.h"
#include "ui/message_box.h"

std::vector<BenchCase>& BenchCases() {
    static std::vector<BenchCase> cases;
    return cases;
}

BenchRegistrar::BenchRegistrar(std::vector<BenchCase> cases) {
    for (BenchCase& c : cases) BenchCases().push_back(std::move(c));
}

void BenchFail(const std::string& what) {
    std::fprintf(stderr, "ledger_bench: %s\n", what.c_str());
    std::exit(2);
}

namespace {

// A message box would wait for a click: report it and stop instead.
int FailOnMessageBox(HWND, const char* text, const char* title, unsigned) {
    BenchFail(std::string("message box \"") + (title ? title : "") + "\": " + (text ? text : ""));
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    static const double perMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) / perMs;
}

// Medians of several runs: of the whole run, and of what it took beyond
// its part when the case times one.
struct Figures {
    double ms = 0;
    double floorMs = 0;
    double partMs = 0;
    double overPartMs = 0;
};

double MedianOf(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double TimeOnce(const std::function<void(BenchAccount&)>& prepare, const std::function<void(BenchAccount&)>& body,
                BenchAccount& account) {
    if (prepare) prepare(account);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    body(account);
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end);
}

// The case and its floor take turns, so that both meet the same load of
// the machine and the disk (a flush waits for whatever else is written).
Figures Measure(const BenchCase& c, BenchAccount& account, int runs) {
    std::vector<double> times, parts, overParts, floors;
    for (int i = 0; i < runs; ++i) {
        times.push_back(TimeOnce(c.prepare, c.run, account));
        if (c.part) {
            parts.push_back(c.part());
            overParts.push_back(times.back() - parts.back());
        }
        if (c.floor) floors.push_back(TimeOnce(c.floorPrepare, c.floor, account));
    }
    Figures f;
    f.ms = MedianOf(times);
    if (c.part) {
        f.partMs = MedianOf(parts);
        f.overPartMs = MedianOf(overParts);
    }
    if (c.floor) f.floorMs = MedianOf(floors);
    return f;
}

void BuildAccount(std::size_t transactions) {
    FillAccount(g_Account, transactions);
    g_Account.isOpen = 1;
    g_Account.view = ViewCurrent;
    g_Account.ComputeBalances();
}

void OpenSaved(const BenchAccount& account) {
    if (!ReadAccountFile(g_DataFile, account.accountPath.c_str(), g_Account)) BenchFail("the saved account did not open");
    g_Account.isOpen = 1;
    g_Account.view = ViewCurrent;
    g_Account.ComputeBalances();
}

std::string MakeFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "ledger-bench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (found.cFileName[0] != '.') DeleteFileA((folder + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::vector<unsigned char> ReadAll(const std::string& path) {
    std::vector<unsigned char> bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        unsigned char buffer[65536];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
            bytes.insert(bytes.end(), buffer, buffer + n);
        std::fclose(f);
    }
    return bytes;
}

void PrintRow(const BenchCase& c, std::size_t transactions, const Figures& f) {
    char floorText[32] = "-", ratioText[32] = "-";
    const bool hasFloor = f.floorMs > 0;
    if (hasFloor) {
        std::snprintf(floorText, sizeof floorText, "%.2f", f.floorMs);
        std::snprintf(ratioText, sizeof ratioText, "%.2fx", f.ms / f.floorMs);
    }
    bool met = true;
    if (c.maxFloorRatio > 0 && hasFloor) met = met && f.ms <= c.maxFloorRatio * f.floorMs;
    if (c.maxMilliseconds > 0) met = met && f.ms <= c.maxMilliseconds;
    if (c.part) {
        met = met && f.overPartMs <= c.maxOverPart;
        std::snprintf(floorText, sizeof floorText, "%.2f", f.partMs);
        std::snprintf(ratioText, sizeof ratioText, "%+.2f", f.overPartMs);
    }
    const bool judged = c.maxFloorRatio > 0 || c.maxMilliseconds > 0 || c.part;
    std::printf("%-18s %12zu %11.2f %10s %8s   %-14s %s\n", c.name.c_str(), transactions, f.ms,
                floorText, ratioText, c.target.c_str(), judged ? (met ? "met" : "MISSED") : "");
    std::fflush(stdout);
}

// How each case grows from one size to the next, beside how the account
// grows and, for a case with a floor, how its floor grows: a case that
// grows faster than both by half again is not linear. The floor does the
// same work on the same bytes in the simplest way, so its growth is what
// the machine's caches add when the account stops fitting in them.
void PrintScaling(const std::vector<std::size_t>& sizes, const std::vector<std::map<std::string, Figures>>& bySize) {
    if (sizes.size() < 2) return;
    std::printf("\nscaling (each size's median over the one before; in brackets the account's growth and,\n"
                " where the case has one, its floor's)\n");
    for (const BenchCase& c : BenchCases()) {
        std::printf("%-18s", c.name.c_str());
        bool linear = true;
        for (std::size_t i = 1; i < sizes.size(); ++i) {
            const double grown = static_cast<double>(sizes[i]) / static_cast<double>(sizes[i - 1]);
            const Figures& before = bySize[i - 1].at(c.name);
            const Figures& after = bySize[i].at(c.name);
            const double factor = before.ms > 0 ? after.ms / before.ms : 0;
            const bool hasFloor = before.floorMs > 0 && after.floorMs > 0;
            const double floorGrown = hasFloor ? after.floorMs / before.floorMs : 0;
            linear = linear && factor <= 1.5 * std::max(grown, floorGrown);
            char brackets[32];
            if (hasFloor) std::snprintf(brackets, sizeof brackets, "(%g, %.1f)", grown, floorGrown);
            else std::snprintf(brackets, sizeof brackets, "(%g)", grown);
            std::printf(" %8.1fx %-11s", factor, brackets);
        }
        std::printf("  %s\n", linear ? "linear" : "GROWS FASTER THAN THE ACCOUNT");
    }
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    SetMessageBoxFunction(FailOnMessageBox);
    std::string ledgerpad, trivial;
    std::vector<std::string> numbers;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--statement-shape=", 0) == 0) return ReadStatementShape(arg.substr(18));
        if (arg.rfind("--ledgerpad=", 0) == 0) ledgerpad = arg.substr(12);
        else if (arg.rfind("--trivial=", 0) == 0) trivial = arg.substr(10);
        else numbers.push_back(arg);
    }
    const int runs = numbers.empty() ? 7 : std::max(1, std::atoi(numbers[0].c_str()));
    std::vector<std::size_t> sizes;
    for (std::size_t i = 1; i < numbers.size(); ++i) sizes.push_back(std::strtoull(numbers[i].c_str(), nullptr, 10));
    if (sizes.empty()) sizes = {1000, 10000, 100000};

    BenchAccount account;
    account.folder = MakeFolder();
    account.accountPath = account.folder + "LEDGR1.LPD";
    std::snprintf(g_CurrentAccountFile, sizeof g_CurrentAccountFile, "%s", account.accountPath.c_str());

    std::printf("median of %d runs, times in milliseconds (floor: the least that does the same work;\n"
                "for row commit: the median of the save inside it, and of the rest)\n", runs);
    std::printf("%-18s %12s %11s %10s %8s   %-14s %s\n", "case", "transactions", "median", "floor",
                "ratio", "target", "");
    std::vector<std::map<std::string, Figures>> bySize;
    for (std::size_t transactions : sizes) {
        BuildAccount(transactions);
        account.transactions = transactions;
        if (!SaveAccount()) BenchFail("the first save failed");
        account.image = ReadAll(account.accountPath);
        if (account.image.size() != 128 * (transactions + 2)) BenchFail("saved file has the wrong size");
        // Every case works on the account as a user has it: read from its file.
        OpenSaved(account);
        std::map<std::string, Figures> figures;
        for (const BenchCase& c : BenchCases()) {
            figures[c.name] = Measure(c, account, runs);
            PrintRow(c, transactions, figures[c.name]);
        }
        bySize.push_back(figures);
    }
    PrintScaling(sizes, bySize);
    g_Account.ClearAccount();
    RemoveFolder(account.folder);
    ReportProgramFigures(runs, sizes, ledgerpad, trivial);
    ReportStatementMemory();
    return 0;
}
