#include "storage/options.h"

#include <cstring>

#include "base/bounded_text.h"
#include "base/log.h"
#include "values/date.h"

Options g_Options;

namespace {

// The current file name while no account is open.
constexpr std::size_t kPlaceholderLength = 3;  // "new"

}  // namespace

bool Options::TakeLoadedImage(const unsigned char* bytes, std::size_t size,
                                   const char* accountsFolder) {
    if (!DecodeOptionsRecord(bytes, size, m_Record)) {
        m_Record = DefaultOptionsRecord();
        g_Date.SetDateFormat(m_Record.dateFormat);
        return false;
    }
    WriteLog("OPTIONS_INIT::LoadOptions: Most Recent: %s", m_Record.mostRecent);
    g_Date.SetDateFormat(m_Record.dateFormat);
    RebuildMostRecentPath(m_Record.mostRecent, accountsFolder);
    return true;
}

void Options::MakeSaveImage(const char* currentAccountFileName,
                                 unsigned char (&image)[kOptionsRecordSize]) {
    m_Record.savedShowState = m_Record.showState;
    if (currentAccountFileName) {
        std::size_t length = strnlen(currentAccountFileName, kPathSize);
        if (length > kPlaceholderLength) SetMostRecent(currentAccountFileName);
        else if (length == 0) ClearMostRecent();
    }
    MakeImage(image);
}

void Options::MakeImage(unsigned char (&image)[kOptionsRecordSize]) {
    m_Record.signature = kOptionsSignature;
    m_Record.dateFormat = g_Date.GetDateFormat();
    EncodeOptionsRecord(m_Record, image);
}

void Options::SetShowState(int resizeType) {
    constexpr int kResizeRestored = 0;   // SIZE_RESTORED
    constexpr int kResizeMaximized = 2;  // SIZE_MAXIMIZED
    if (resizeType == kResizeMaximized) m_Record.showState = kShowMaximized;
    else if (resizeType == kResizeRestored) m_Record.showState = kShowNormal;
}

void Options::SetWindowRect(int left, int top, int width, int height) {
    m_Record.left = left;
    m_Record.top = top;
    m_Record.width = width;
    m_Record.height = height;
}

void Options::GetMostRecent(char* out, std::size_t size) const {
    CopyBounded(out, size, m_Record.mostRecent);
}

void Options::SetMostRecent(const char* path) {
    std::memset(m_Record.mostRecent, 0, kPathSize);
    CopyBounded(m_Record.mostRecent, path);
}

void Options::ClearMostRecent() {
    std::memset(m_Record.mostRecent, 0, kPathSize);
}

void Options::GetPassword(char* out, std::size_t size) const {
    CopyBounded(out, size, m_Record.password);
}

void Options::SetPassword(const char* password) {
    std::memset(m_Record.password, 0, kPasswordSize);
    CopyBounded(m_Record.password, password);
}

void Options::ClearPassword() {
    std::memset(m_Record.password, 0, kPasswordSize);
}
