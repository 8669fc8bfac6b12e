// Export: the range dialog, the save-file dialog and the file.
#include <windows.h>

#include "features/export_file.h"
#include "storage/atomic_file.h"

bool WriteExportText(const char* path, const std::string& text, unsigned long* error) {
    AtomicFileWriter writer;
    const bool ok = writer.Open(path) &&
                    (text.empty() || writer.Write(text.data(), static_cast<std::uint32_t>(text.size()))) &&
                    writer.Commit();
    if (!ok && error != nullptr)
        *error = writer.LastError();
    return ok;
}
