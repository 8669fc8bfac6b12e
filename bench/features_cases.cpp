// Find Next with nothing to find (the search runs to the end and wraps once
// over the whole view) and the export of the whole view to a file.
#include <windows.h>

#include <cstring>
#include <string>

#include "bench.h"
#include "features/date_range.h"
#include "features/export_file.h"
#include "features/text_finder.h"
#include "model/account.h"

namespace {

TextFinder g_Finder;

// A text that occurs nowhere. Digits and a point could be in any amount,
// so every payment and deposit is formatted and searched: the worst case.
void FindNothing(const char* text) {
    g_Finder.SetSearch(text, false, false);
    g_Finder.SetStart(0, 1, 0);
    FindMatch match;
    if (g_Finder.FindNext(g_Account.Head(), g_Account.view, "LEDGR1.LPD", match))
        BenchFail(std::string("find: \"") + text + "\" was found");
}

// Its floor: one pass over the same records looking at each description.
void ScanDescriptions(BenchAccount&) {
    std::size_t hits = 0;
    for (const RecordNode* n = g_Account.Head(); n != nullptr; n = n->next)
        hits += std::strstr(n->record->description, "7777.77") != nullptr;
    if (hits != 0) BenchFail("find floor: unexpected hit");
}

std::string ExportPath(const BenchAccount& a) { return a.folder + "Export.txt"; }

void ExportView(BenchAccount& a) {
    const std::string text = BuildExportText(g_Account.Head(), g_Account.view, DateRange{});
    unsigned long error = 0;
    if (text.empty() || !WriteExportText(ExportPath(a).c_str(), text, &error))
        BenchFail("export failed, error " + std::to_string(error));
}

// Its floor: as many bytes as the export wrote, in one WriteFile.
void WriteExportSizedFile(BenchAccount& a) {
    static std::string bytes;
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!GetFileAttributesExA(ExportPath(a).c_str(), GetFileExInfoStandard, &info))
        BenchFail("export floor: no export file to compare with");
    bytes.assign(info.nFileSizeLow, 'x');
    const std::string path = a.folder + "ExportFloor.txt";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) BenchFail("export floor: cannot create");
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size()) BenchFail("export floor: write failed");
}

const BenchRegistrar kFeatureCases{{
    {.name = "find wrap digits",
     .target = "< 100 ms",
     .maxMilliseconds = 100,
     .run = [](BenchAccount&) { FindNothing("7777.77"); },
     .floor = ScanDescriptions},
    {.name = "find wrap words",
     .target = "< 100 ms",
     .maxMilliseconds = 100,
     .run = [](BenchAccount&) { FindNothing("no such payee"); },
     .floor = ScanDescriptions},
    {.name = "export current",
     .target = "< 200 ms",
     .maxMilliseconds = 200,
     .prepare = [](BenchAccount&) { g_Account.view = ViewCurrent; g_Account.ComputeBalances(); },
     .run = ExportView,
     .floor = WriteExportSizedFile},
    {.name = "export all",
     .target = "< 200 ms",
     .maxMilliseconds = 200,
     .prepare = [](BenchAccount&) { g_Account.view = ViewAll; g_Account.ComputeBalances(); },
     .run = ExportView,
     .floor = WriteExportSizedFile},
}};

}  // namespace
