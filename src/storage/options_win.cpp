#include <windows.h>

#include "storage/bounded_text.h"
#include "storage/datafile_base.h"
#include "storage/options.h"
#include "storage/save_account.h"

namespace {

bool WriteImage(const char* path, const unsigned char (&image)[kOptionsRecordSize],
                WriteFailureReport report = WriteFailureReport::Tell) {
    DATAFILEOUTPUT output(path, report);
    return output.Write(image, kOptionsRecordSize) != 0;
}

}  // namespace

void OPTIONS_INIT::LoadOptions(const char* optionsPath, const char* accountsFolder) {
    CopyBounded(m_OptionsPath, optionsPath ? optionsPath : "");
    unsigned char image[kOptionsRecordSize] = {};
    std::uint32_t size = 0;
    {
        DATAFILEINPUT input(m_OptionsPath);
        size = input.Read(image, kOptionsRecordSize);
    }
    if (TakeLoadedImage(image, size, accountsFolder)) return;
    // Defaults are written at once; if that fails, the save at exit tries again.
    MakeImage(image);
    WriteImage(m_OptionsPath, image);
}

bool OPTIONS_INIT::SaveOptions(WriteFailureReport report) {
    return SaveOptions(g_CurrentAccountFile, report);
}

bool OPTIONS_INIT::SaveOptions(const char* currentAccountFileName, WriteFailureReport report) {
    unsigned char image[kOptionsRecordSize];
    MakeSaveImage(currentAccountFileName, image);
    return WriteImage(m_OptionsPath, image, report);
}
