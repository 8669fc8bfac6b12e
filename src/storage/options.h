// Options: the options of the process (date format, window size and
// show state, most recently used account, password), loaded from
// Options.dta at start-up and saved at exit and after password changes.
#pragma once

#include <cstddef>
#include <string>

#include "storage/datafile_base.h"
#include "storage/options_record.h"

class Options {
public:
    // Win32 (options_win.cpp). Reads the options file; a missing or damaged
    // one is replaced by the defaults, written at once. A file that is
    // there but cannot be opened or read (in use, no rights) holds the
    // user's password and settings: the result is then false, *failure
    // says why, and the file is never written by this object, so that
    // defaults cannot replace it.
    bool LoadOptions(const char* optionsPath, const char* accountsFolder, std::string* failure = nullptr);
    // How the write of the defaults by the last LoadOptions came out
    // (NotWritten when the file was valid and nothing was written).
    FileWriteResult DefaultsWrite() const { return m_DefaultsWrite; }
    // Writes the options file crash-safely; the most-recent account comes
    // from the current account file name (g_CurrentAccountFile unless one
    // is given). Anything but Written leaves the options in memory as they
    // are; after a load that could not read the file nothing is written.
    FileWriteResult SaveOptions();
    FileWriteResult SaveOptions(const char* currentAccountFileName);

    // The load without the file: takes a valid image (true) or puts the
    // defaults in place (false, the caller then writes them). Either way
    // sets the date format of g_Date.
    bool TakeLoadedImage(const unsigned char* bytes, std::size_t size, const char* accountsFolder);
    // The save without the file: updates the record as a save does and
    // builds the file image. currentAccountFileName may be nullptr (keep
    // the most-recent account).
    void MakeSaveImage(const char* currentAccountFileName, unsigned char (&image)[kOptionsRecordSize]);
    // The image of the record as it stands (signature and date format set).
    void MakeImage(unsigned char (&image)[kOptionsRecordSize]);

    // A WM_SIZE type: 2 (maximized) records 3, 0 (restored) records 1, any
    // other type leaves the show state.
    void SetShowState(int resizeType);
    int ShowState() const { return m_Record.showState; }
    int SavedShowState() const { return m_Record.savedShowState; }

    void SetWindowRect(int left, int top, int width, int height);
    int WindowLeft() const { return m_Record.left; }
    int WindowTop() const { return m_Record.top; }
    int WindowWidth() const { return m_Record.width; }
    int WindowHeight() const { return m_Record.height; }

    // Copies out (cut to fit), copies in (cut at 771 characters), clears.
    void GetMostRecent(char* out, std::size_t size) const;
    void SetMostRecent(const char* path);
    void ClearMostRecent();
    const char* MostRecent() const { return m_Record.mostRecent; }

    // A password is at most 8 characters; a longer text is cut.
    void GetPassword(char* out, std::size_t size) const;
    void SetPassword(const char* password);
    void ClearPassword();
    bool HasPassword() const { return m_Record.password[0] != '\0'; }

    const char* OptionsPath() const { return m_OptionsPath; }
    const OptionsRecord& Record() const { return m_Record; }

    template <std::size_t N> void GetMostRecent(char (&out)[N]) const { GetMostRecent(out, N); }
    template <std::size_t N> void GetPassword(char (&out)[N]) const { GetPassword(out, N); }

private:
    char m_OptionsPath[kPathSize] = {};
    bool m_Unreadable = false;  // the load could not read the file
    FileWriteResult m_DefaultsWrite = FileWriteResult::NotWritten;
    OptionsRecord m_Record = DefaultOptionsRecord();
};

extern Options g_Options;
