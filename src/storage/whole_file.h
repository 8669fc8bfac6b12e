// Reading a file whole, as the account, information and options files are
// read: every byte the file holds, or a failure that says why. A read that
// ends early is a failure, never a smaller file. Win32 (whole_file_win.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// Files larger than this are none of ours: they are not read into memory.
inline constexpr std::uint64_t kLargestWholeFile = 1ull << 30;

// How reading a whole file went.
struct WholeFileRead {
    std::uint64_t size = 0;   // bytes the file holds
    std::uint64_t read = 0;   // bytes that arrived
    unsigned long error = 0;  // the system's error of the step that failed
    bool tooLarge = false;    // above the limit: nothing was read

    bool Complete() const { return !tooLarge && error == 0 && read == size; }
    // Why the read is not complete, for the user: the system's text, or how
    // much of the file arrived.
    std::string Reason() const;
};

// Reads an open file from its start. reserve is asked for a buffer of the
// file's size (nullptr when the memory cannot be had); nothing is read
// when the file is larger than limit.
WholeFileRead ReadWholeFile(void* file, std::uint64_t limit,
                            const std::function<unsigned char*(std::size_t size)>& reserve);

// Tests: make a read fail, as a failing disk or a dropped network drive
// would. Reads are counted from the call; number 1 is the first ReadFile.
struct FileReadFaults {
    int failReadNumber = 0;  // this read fails (ERROR_READ_FAULT); 0 = none
    bool shortRead = false;  // ... or brings half its bytes, and the file
                             // then seems to end
};
void SetFileReadFaultsForTesting(const FileReadFaults& faults);
void ClearFileReadFaultsForTesting();
