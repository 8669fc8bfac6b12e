// Options.dta is read at every start: any file of up to 2000 bytes must load
// as valid or fall back to the defaults without reading outside the input,
// leave both texts terminated inside their fields, keep the most-recent path
// inside the accounts folder, and save back to an image that loads the same.
#include <cstdint>
#include <cstring>

#include "storage/options.h"

namespace {

constexpr const char kAccountsFolder[] = "C:\\Users\\me\\Documents\\TallwoodWorks\\Ledgerpad\\";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 2000) return 0;
    Options options;
    bool valid = options.TakeLoadedImage(data, size, kAccountsFolder);
    const OptionsRecord& record = options.Record();
    if (valid && size != kOptionsRecordSize) __builtin_trap();
    if (!valid) {
        const OptionsRecord defaults = DefaultOptionsRecord();
        if (std::memcmp(&record, &defaults, sizeof record) != 0) __builtin_trap();
    }
    if (strnlen(record.mostRecent, kPathSize) == kPathSize) __builtin_trap();
    if (strnlen(record.password, kPasswordSize) == kPasswordSize) __builtin_trap();
    if (record.mostRecent[0] &&
        std::strncmp(record.mostRecent, kAccountsFolder, sizeof kAccountsFolder - 1) != 0)
        __builtin_trap();

    unsigned char image[kOptionsRecordSize];
    options.MakeImage(image);
    OptionsRecord back{};
    if (!DecodeOptionsRecord(image, sizeof image, back)) __builtin_trap();
    if (std::memcmp(&back, &record, sizeof back) != 0) __builtin_trap();
    return 0;
}
