// Opening and saving the account file pair, and the balance computation.
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench.h"
#include "model/account.h"
#include "storage/account_info.h"
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

// Its floor: one ReadFile of the whole account file, then one copy of its
// records into one contiguous array, and one ReadFile of the information
// file: the least that reads the pair into memory.
struct FileBytes {
    std::unique_ptr<unsigned char[]> data;  // not zero-filled first
    std::size_t size = 0;
};
FileBytes ReadWhole(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) BenchFail("floor: cannot open " + path);
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    FileBytes bytes{std::unique_ptr<unsigned char[]>(new unsigned char[size.QuadPart]),
                    static_cast<std::size_t>(size.QuadPart)};
    DWORD read = 0;
    const BOOL ok = ReadFile(file, bytes.data.get(), static_cast<DWORD>(bytes.size), &read, nullptr);
    CloseHandle(file);
    if (!ok || read != bytes.size) BenchFail("floor: short read of " + path);
    return bytes;
}

FileBytes g_floorInfo;
std::unique_ptr<unsigned char[]> g_floorRecords;
void ReadOnceAndCopy(BenchAccount& a) {
    const FileBytes bytes = ReadWhole(a.accountPath);
    const std::size_t records = (bytes.size - kBlockSize) / kBlockSize * kBlockSize;
    g_floorRecords.reset(new unsigned char[records]);
    std::memcpy(g_floorRecords.get(), bytes.data.get() + kBlockSize, records);
    g_floorInfo = ReadWhole(AccountInfo().InfoFileName(a.accountPath.c_str()));
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

// The balances' floor: the same records copied into one contiguous array
// beforehand, then one pass over it taking the cleared total and the
// running total: the least that reads what the balances need.
std::vector<AcctRecord> g_floorList;
volatile double g_floorSums;
void CopyRecords(BenchAccount&) {
    g_floorList.clear();
    for (const RecordNode* n = g_Account.Head(); n != nullptr; n = n->next) g_floorList.push_back(*n->record);
}
void SumOnce(BenchAccount&) {
    double cleared = 0, running = 0;
    for (const AcctRecord& r : g_floorList) {
        const double effect = r.deposit - r.payment;
        if (r.reconcile[0] == 'R') cleared += effect;
        running += effect;
    }
    g_floorSums = cleared + running;
}

const BenchRegistrar kAccountCases{{
    {.name = "open",
     .target = "<= 1.5x floor",
     .maxFloorRatio = 1.5,
     .prepare = [](BenchAccount&) { g_Account.ClearAccount(); },
     .run = OpenPair,
     .floorPrepare = [](BenchAccount&) { g_floorRecords.reset(); g_floorInfo = {}; },
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
     .run = [](BenchAccount&) { BalancesIn(ViewCurrent); },
     .floorPrepare = CopyRecords,
     .floor = SumOnce},
    {.name = "balances all",
     .target = "< 5 ms",
     .maxMilliseconds = 5,
     .run = [](BenchAccount&) { BalancesIn(ViewAll); },
     .floorPrepare = CopyRecords,
     .floor = SumOnce},
}};

}  // namespace
