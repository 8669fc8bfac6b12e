// Runs every case of the table on accounts of 1,000, 10,000 and 100,000
// transactions and prints the median time beside the floor.
//   ledger_bench [runs] [transactions...]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

double Median(const std::function<void(BenchAccount&)>& prepare,
              const std::function<void(BenchAccount&)>& body, BenchAccount& account, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (prepare) prepare(account);
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        body(account);
        QueryPerformanceCounter(&end);
        times.push_back(Milliseconds(start, end));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void BuildAccount(std::size_t transactions) {
    FillAccount(g_Account, transactions);
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

void PrintRow(const BenchCase& c, std::size_t transactions, double ms, double floorMs) {
    char floorText[32] = "-", ratioText[32] = "-";
    const bool hasFloor = floorMs > 0;
    if (hasFloor) {
        std::snprintf(floorText, sizeof floorText, "%.2f", floorMs);
        std::snprintf(ratioText, sizeof ratioText, "%.2fx", ms / floorMs);
    }
    bool met = true;
    if (c.maxFloorRatio > 0 && hasFloor) met = met && ms <= c.maxFloorRatio * floorMs;
    if (c.maxMilliseconds > 0) met = met && ms <= c.maxMilliseconds;
    const bool judged = c.maxFloorRatio > 0 || c.maxMilliseconds > 0;
    std::printf("%-18s %12zu %11.2f %10s %8s   %-14s %s\n", c.name.c_str(), transactions, ms,
                floorText, ratioText, c.target.c_str(), judged ? (met ? "met" : "MISSED") : "");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    SetMessageBoxFunction(FailOnMessageBox);
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::vector<std::size_t> sizes;
    for (int i = 2; i < argc; ++i) sizes.push_back(std::strtoull(argv[i], nullptr, 10));
    if (sizes.empty()) sizes = {1000, 10000, 100000};

    BenchAccount account;
    account.folder = MakeFolder();
    account.accountPath = account.folder + "LEDGR1.LPD";
    std::snprintf(g_CurrentAccountFile, sizeof g_CurrentAccountFile, "%s", account.accountPath.c_str());

    std::printf("median of %d runs, times in milliseconds\n", runs);
    std::printf("%-18s %12s %11s %10s %8s   %-14s %s\n", "case", "transactions", "median", "floor",
                "ratio", "target", "");
    for (std::size_t transactions : sizes) {
        BuildAccount(transactions);
        account.transactions = transactions;
        if (!SaveAccount()) BenchFail("the first save failed");
        account.image = ReadAll(account.accountPath);
        if (account.image.size() != 128 * (transactions + 2)) BenchFail("saved file has the wrong size");
        for (const BenchCase& c : BenchCases()) {
            const double ms = Median(c.prepare, c.run, account, runs);
            const double floorMs = c.floor ? Median(c.floorPrepare, c.floor, account, runs) : 0;
            PrintRow(c, transactions, ms, floorMs);
        }
    }
    g_Account.ClearAccount();
    RemoveFolder(account.folder);
    return 0;
}
