// Crash-safe replacement of a file. The new content goes to a temporary
// file beside the target (same folder and so same volume), created new
// under a name of its own, "<target>.~lp<8 hex digits>.tmp", is flushed to
// the disk, and only then moved over the target in one step (MoveFileExW
// with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH); a target that
// another program holds open for a moment is waited for, up to half a
// second. If any step fails, or the writer is destroyed without Commit, the
// temporary file is removed and the target keeps its old bytes. A
// temporary file of the same target that a crash left behind is removed
// when the target is first written in the next run; no other file is
// touched.
// Win32 (atomic_file_win.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter() { Abandon(); }
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates a new temporary file beside target, after removing the
    // leftovers of earlier crashes.
    bool Open(const char* target);
    bool IsOpen() const { return m_Handle != nullptr; }

    // Appends to the temporary file. False when WriteFile fails; *written
    // (when given) receives the count written, which may be short. After a
    // failed or short write, Commit refuses to replace the target.
    bool Write(const void* bytes, std::uint32_t count, std::uint32_t* written = nullptr);

    // Flushes, closes and moves the temporary file over the target. False
    // when any step fails: the target is untouched, the temp file removed.
    bool Commit();

    // Closes and removes the temporary file; the target is untouched.
    void Abandon();

    // GetLastError of the step that failed last (0 when none did).
    unsigned long LastError() const { return m_Error; }
    const std::string& TempPath() const { return m_Temp; }

private:
    bool Fail();

    void* m_Handle = nullptr;
    std::string m_Target;
    std::string m_Temp;
    bool m_TempCreated = false;
    bool m_Broken = false;  // a write failed or came up short
    unsigned long m_Error = 0;
};

// Whether a file name (without folder) is one of target's temporary names.
bool IsAtomicFileTempName(const std::string& target, const std::string& name);

// Replaces path's content with the given bytes, crash-safely. False when it
// failed (the old file is then intact); *error receives GetLastError.
bool ReplaceFileContents(const char* path, const void* bytes, std::size_t size,
                         unsigned long* error = nullptr);

// Tests: make a step of the next atomic writes fail, as a full disk would.
// Writes are counted from the call; number 1 is the first WriteFile.
struct AtomicFileFaults {
    bool failCreate = false;    // the temporary file cannot be created
    int failWriteNumber = 0;    // this write fails (ERROR_DISK_FULL); 0 = none
    bool shortWrite = false;    // ... or stores half its bytes and reports that
    bool failFlush = false;     // FlushFileBuffers fails
    bool failMove = false;      // the final move fails
    // Called with the temporary file's path once it is closed, just before
    // the move: where another program may open it.
    void (*beforeMove)(const std::string& temp) = nullptr;
};
void SetAtomicFileFaultsForTesting(const AtomicFileFaults& faults);
void ClearAtomicFileFaultsForTesting();
