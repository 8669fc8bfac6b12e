// Opening and saving the account file pair, and the balance computation.
#include <windows.h>

#include <cstring>
#include <memory>

#include "bench.h"
#include "model/account.h"
#include "storage/acct_info_credit_card.h"
#include "storage/data_file.h"
#include "storage/save_account.h"
#include "ui/storage_messages.h"

namespace {

// The open: the account file read and checked, the list built, the
// information file read.
void OpenPair(BenchAccount& a) {
    if (!ReadAccountFile(g_DataFile, a.accountPath.c_str(), g_Account)) BenchFail("open failed");
    AccountInfo().LoadSaved(a.accountPath.c_str());
    g_Account.isOpen = 1;
}

// Its floor: one ReadFile of the whole file, then one copy of its records
// into one contiguous array: the least that reads an account into memory.
std::unique_ptr<unsigned char[]> g_floorRecords;
void ReadOnceAndCopy(BenchAccount& a) {
    HANDLE file = CreateFileA(a.accountPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) BenchFail("floor: cannot open");
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    std::unique_ptr<unsigned char[]> bytes(new unsigned char[size.QuadPart]);
    DWORD read = 0;
    const BOOL ok = ReadFile(file, bytes.get(), static_cast<DWORD>(size.QuadPart), &read, nullptr);
    CloseHandle(file);
    if (!ok || read != size.QuadPart) BenchFail("floor: short read");
    const std::size_t records = (read - kBlockSize) / kBlockSize * kBlockSize;
    g_floorRecords.reset(new unsigned char[records]);
    std::memcpy(g_floorRecords.get(), bytes.get() + kBlockSize, records);
}

void Save(BenchAccount&) {
    if (!SaveAccount()) BenchFail("save failed");
}

// Its floor: the same bytes in one WriteFile to a new file, flushed, then
// moved over a file of their own.
void WriteOnceAndReplace(BenchAccount& a) {
    const std::string temp = a.folder + "FLOOR.tmp", target = a.folder + "FLOOR.LPD";
    HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) BenchFail("floor: cannot create");
    DWORD written = 0;
    const BOOL ok = WriteFile(file, a.image.data(), static_cast<DWORD>(a.image.size()), &written, nullptr) &&
                    FlushFileBuffers(file);
    CloseHandle(file);
    if (!ok || written != a.image.size()) BenchFail("floor: write failed");
    if (!MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        BenchFail("floor: replace failed");
}

void BalancesIn(int view) {
    g_Account.view = view;
    g_Account.ComputeBalances();
}

const BenchRegistrar kAccountCases{{
    {.name = "open",
     .target = "<= 1.5x floor",
     .maxFloorRatio = 1.5,
     .prepare = [](BenchAccount&) { g_Account.ClearAccount(); },
     .run = OpenPair,
     .floorPrepare = [](BenchAccount&) { g_floorRecords.reset(); },
     .floor = ReadOnceAndCopy},
    {.name = "save",
     .target = "<= 1.3x floor",
     .maxFloorRatio = 1.3,
     .prepare = [](BenchAccount&) { g_Account.needsSaving = 1; },
     .run = Save,
     .floor = WriteOnceAndReplace},
    {.name = "balances current",
     .target = "< 5 ms",
     .maxMilliseconds = 5,
     .run = [](BenchAccount&) { BalancesIn(ViewCurrent); }},
    {.name = "balances all",
     .target = "< 5 ms",
     .maxMilliseconds = 5,
     .run = [](BenchAccount&) { BalancesIn(ViewAll); }},
}};

}  // namespace
