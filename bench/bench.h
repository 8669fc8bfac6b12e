// The benchmark table: named cases, each timed as the median of several runs
// on accounts of several sizes, beside a floor measured by the same program
// on the same bytes (the least any implementation has to do). Timing only:
// nothing here asserts; missed targets are printed.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// What a case works on for one account size: the account is in g_Account,
// saved once as a file pair in a folder of the run's own.
struct BenchAccount {
    std::size_t transactions = 0;
    std::string folder;       // with a trailing backslash
    std::string accountPath;  // the saved account file
    std::vector<unsigned char> image;  // its bytes
};

struct BenchCase {
    std::string name = {};
    std::string target = {};           // as printed, e.g. "<= 3x floor"
    double maxFloorRatio = 0;       // 0: no ratio target
    double maxMilliseconds = 0;     // 0: no time target
    // A part of run timed apart (the save inside a row commit): how long it
    // took in the last run. The target is then on what run adds to it, the
    // median of run minus its part at most maxOverPart milliseconds; each
    // run is set beside its own part, as both meet the same disk.
    std::function<double()> part = nullptr;
    double maxOverPart = 0;
    std::function<void(BenchAccount&)> prepare = nullptr;  // untimed, before each run
    std::function<void(BenchAccount&)> run = nullptr;      // timed
    std::function<void(BenchAccount&)> floorPrepare = nullptr;
    std::function<void(BenchAccount&)> floor = nullptr;    // timed; empty when none
};

// Every case of the program, in the order printed.
std::vector<BenchCase>& BenchCases();

// Registers cases at start-up: `static BenchRegistrar r{{...}, {...}};`.
struct BenchRegistrar {
    explicit BenchRegistrar(std::vector<BenchCase> cases);
};

// Stops the run with a message (a benchmark on a broken save means nothing).
[[noreturn]] void BenchFail(const std::string& what);

// Start-up of the real program beside a trivial windowed one, and its
// private bytes with accounts of the given sizes open (program_cases.cpp).
// Nothing is measured when either program is not given.
void ReportProgramFigures(int runs, const std::vector<std::size_t>& sizes, const std::string& ledgerpad,
                          const std::string& trivial);

// The peak memory of reading each hostile statement shape, each read by this
// program started again with --statement-shape=NAME (statement_memory.cpp).
void ReportStatementMemory();
// That second start: reads the named shape, prints its row and returns the
// exit code.
int ReadStatementShape(const std::string& name);
