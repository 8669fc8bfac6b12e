#include <windows.h>

#include "base/bounded_text.h"
#include "storage/datafile_base.h"
#include "storage/options.h"
#include "storage/save_account.h"

namespace {

FileWriteResult WriteImage(const char* path, const unsigned char (&image)[kOptionsRecordSize]) {
    DataFileOutput output(path);
    return output.Write(image, kOptionsRecordSize);
}

}  // namespace

bool Options::LoadOptions(const char* optionsPath, const char* accountsFolder, std::string* failure) {
    CopyBounded(m_OptionsPath, optionsPath ? optionsPath : "");
    m_DefaultsWrite = FileWriteResult::NotWritten;
    unsigned char image[kOptionsRecordSize] = {};
    std::uint32_t size = 0;
    {
        DataFileInput input(m_OptionsPath);
        size = input.Read(image, kOptionsRecordSize);
        m_Unreadable = input.Unreadable();
        if (failure) *failure = input.Failure();
    }
    if (m_Unreadable) return false;
    if (TakeLoadedImage(image, size, accountsFolder)) return true;
    // Defaults are written at once; if that fails, the save at exit tries again.
    MakeImage(image);
    m_DefaultsWrite = WriteImage(m_OptionsPath, image);
    return true;
}

FileWriteResult Options::SaveOptions() { return SaveOptions(g_CurrentAccountFile); }

FileWriteResult Options::SaveOptions(const char* currentAccountFileName) {
    if (m_Unreadable) return FileWriteResult::NotWritten;
    unsigned char image[kOptionsRecordSize];
    MakeSaveImage(currentAccountFileName, image);
    return WriteImage(m_OptionsPath, image);
}
