#include <windows.h>

#include "storage/bounded_text.h"
#include "storage/datafile_base.h"
#include "storage/log.h"
#include "ui/message_box.h"

namespace {

const char kWriteErrorText[] = "An error occured while trying to write to the file.";
const char kWriteErrorTitle[] = "Error: DATAFILEOUTPUT::Write";

}  // namespace

DATAFILEBASE::DATAFILEBASE(const char* fileName, int mode) : m_Mode(mode) {
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
    if (!SetFileAttributesA(m_FileName, FILE_ATTRIBUTE_NORMAL))
        WriteLog("DATAFILEBASE::DATAFILEBASE: SetFileAttributes: error %i", static_cast<int>(GetLastError()));
    if (mode == kDataFileWrite) return;
    HANDLE handle = CreateFileA(m_FileName, m_DesiredAccess, m_ShareMode, nullptr, m_CreationDisposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) m_Handle = handle;
}

DATAFILEBASE::~DATAFILEBASE() {
    Close();
}

void DATAFILEBASE::Close() {
    if (m_Handle) CloseHandle(static_cast<HANDLE>(m_Handle));
    m_Handle = nullptr;
}

DATAFILEINPUT::DATAFILEINPUT(const char* fileName) : DATAFILEBASE(fileName, kDataFileReadWrite) {}

std::uint32_t DATAFILEINPUT::Read(void* buffer, std::uint32_t capacity) {
    if (!m_Handle) {
        WriteLog("DATAFILEINPUT::INVALID_HANDLE_VALUE %i", -1);
        return 0;
    }
    HANDLE handle = static_cast<HANDLE>(m_Handle);
    m_FileSize = GetFileSize(handle, nullptr);
    // An empty file, one too large for the buffer, or one whose size is
    // unknown is not read at all.
    if (m_FileSize == 0 || m_FileSize == INVALID_FILE_SIZE || m_FileSize > capacity) {
        Close();
        return 0;
    }
    DWORD read = 0;
    BOOL ok = ReadFile(handle, buffer, m_FileSize, &read, nullptr);
    Close();
    if (!ok) {
        WriteLog("DATAFILEINPUT::Read: ReadFile failed, error %i", static_cast<int>(GetLastError()));
        return 0;
    }
    if (read == 0) {
        WriteLog("DATAFILEINPUT::Read: Error loading the file. Passed the end of the file.");
        return 0;
    }
    if (read != m_FileSize) {
        WriteLog("DATAFILEINPUT::Read: Error loading the Log file. Did not load all of the data.");
        return 0;
    }
    return read;
}

DATAFILEOUTPUT::DATAFILEOUTPUT(const char* fileName, WriteFailureReport report)
    : DATAFILEBASE(fileName, kDataFileWrite), m_Report(report) {
    m_File.Open(m_FileName);
}

int DATAFILEOUTPUT::Write(const void* buffer, std::uint32_t count) {
    if (!m_File.IsOpen()) return 0;
    m_BytesWritten = 0;
    bool ok = m_File.Write(buffer, count, &m_BytesWritten) && m_BytesWritten == count;
    ok = ok && m_File.Commit();
    if (!ok) {
        m_File.Abandon();
        WriteLog("DATAFILEOUTPUT::Write: %s not replaced, error %i", m_FileName,
                 static_cast<int>(m_File.LastError()));
        if (m_Report == WriteFailureReport::Tell) ShowMessage(nullptr, kWriteErrorText, kWriteErrorTitle, MB_OK);
        return 0;
    }
    return 1;
}
