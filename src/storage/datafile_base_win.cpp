#include <windows.h>

#include "base/wide_path_win.h"
#include "base/bounded_text.h"
#include "storage/datafile_base.h"
#include "storage/last_error.h"
#include "base/log.h"
#include "storage/whole_file.h"

DataFileBase::DataFileBase(const char* fileName, int mode) : m_Mode(mode) {
    CopyBounded(m_FileName, fileName ? fileName : "");
    switch (mode) {
        case kDataFileWrite:
            m_DesiredAccess = GENERIC_WRITE;
            m_CreationDisposition = CREATE_ALWAYS;
            break;
        case kDataFileReadWrite:
            m_DesiredAccess = GENERIC_READ | GENERIC_WRITE;
            m_CreationDisposition = OPEN_EXISTING;
            break;
        default:
            m_DesiredAccess = 0;
            m_CreationDisposition = OPEN_ALWAYS;
            break;
    }
    if (!SetFileAttributesW(WidePath(m_FileName).c_str(), FILE_ATTRIBUTE_NORMAL))
        WriteLog("DATAFILEBASE::DATAFILEBASE: SetFileAttributes: error %i", static_cast<int>(GetLastError()));
    if (mode == kDataFileWrite) return;
    HANDLE handle = CreateFileW(WidePath(m_FileName).c_str(), m_DesiredAccess, m_ShareMode, nullptr,
                                m_CreationDisposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) m_Handle = handle;
    else m_OpenError = GetLastError();
}

DataFileBase::~DataFileBase() {
    Close();
}

void DataFileBase::Close() {
    if (m_Handle) CloseHandle(static_cast<HANDLE>(m_Handle));
    m_Handle = nullptr;
}

DataFileInput::DataFileInput(const char* fileName) : DataFileBase(fileName, kDataFileReadWrite) {}

std::uint32_t DataFileInput::Read(void* buffer, std::uint32_t capacity) {
    m_Failure.clear();
    if (!m_Handle) {
        WriteLog("DATAFILEINPUT::INVALID_HANDLE_VALUE %i", -1);
        // Only a file that is not there is missing.
        if (m_OpenError != ERROR_FILE_NOT_FOUND && m_OpenError != ERROR_PATH_NOT_FOUND)
            m_Failure = SystemErrorText(m_OpenError);
        return 0;
    }
    const WholeFileRead read =
        ReadWholeFile(m_Handle, capacity, [&](std::size_t) { return static_cast<unsigned char*>(buffer); });
    Close();
    m_FileSize = static_cast<std::uint32_t>(read.size);
    // An empty file or one too large for the buffer is read but not ours.
    if (read.error == 0 && (read.tooLarge || read.size == 0)) return 0;
    if (read.Complete()) return static_cast<std::uint32_t>(read.read);
    if (read.error != 0)
        WriteLog("DATAFILEINPUT::Read: ReadFile failed, error %i", static_cast<int>(read.error));
    else if (read.read == 0)
        WriteLog("DATAFILEINPUT::Read: Error loading the file. Passed the end of the file.");
    else
        WriteLog("DATAFILEINPUT::Read: Error loading the Log file. Did not load all of the data.");
    m_Failure = read.Reason();
    return 0;
}

DataFileOutput::DataFileOutput(const char* fileName) : DataFileBase(fileName, kDataFileWrite) {
    m_File.Open(m_FileName);
}

FileWriteResult DataFileOutput::Write(const void* buffer, std::uint32_t count) {
    if (!m_File.IsOpen()) return FileWriteResult::NotWritten;
    m_BytesWritten = 0;
    bool ok = m_File.Write(buffer, count, &m_BytesWritten) && m_BytesWritten == count;
    ok = ok && m_File.Commit();
    if (!ok) {
        m_File.Abandon();
        WriteLog("DATAFILEOUTPUT::Write: %s not replaced, error %i", m_FileName,
                 static_cast<int>(m_File.LastError()));
        return FileWriteResult::Failed;
    }
    return FileWriteResult::Written;
}
