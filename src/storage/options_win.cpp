#include <windows.h>

#include "storage/bounded_text.h"
#include "storage/datafile_base.h"
#include "storage/options.h"
#include "storage/save_account.h"

namespace {

bool WriteImage(const char* path, const unsigned char (&image)[kOptionsRecordSize],
                WriteFailureReport report = WriteFailureReport::Tell) {
    DataFileOutput output(path, report);
    return output.Write(image, kOptionsRecordSize) != 0;
}

}  // namespace

bool Options::LoadOptions(const char* optionsPath, const char* accountsFolder, std::string* failure) {
    CopyBounded(m_OptionsPath, optionsPath ? optionsPath : "");
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
    WriteImage(m_OptionsPath, image);
    return true;
}

bool Options::SaveOptions(WriteFailureReport report) {
    return SaveOptions(g_CurrentAccountFile, report);
}

bool Options::SaveOptions(const char* currentAccountFileName, WriteFailureReport report) {
    if (m_Unreadable) return false;
    unsigned char image[kOptionsRecordSize];
    MakeSaveImage(currentAccountFileName, image);
    return WriteImage(m_OptionsPath, image, report);
}
