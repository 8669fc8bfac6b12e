// Export Account Data: the transactions of the view, all or those of a date
// range, written to a text file that a spreadsheet reads. One line per
// transaction, seven fields separated by tabs, ended by CR LF:
//   mark, date (always MM/DD/YY), check number, description,
//   payment, deposit (empty when 0), running balance of the view.
// The text is built here, platform-free; the range dialog, the save-file
// dialog and the writing are export_file_win.cpp.
#pragma once

#include <cstddef>
#include <string>

#include "base/path_size.h"
#include "storage/file_messages.h"

struct AcctRecord;
struct RecordNode;
struct HWND__;
class DateRange;

inline constexpr char kExportRangeTitle[] = "Export Range";
inline constexpr char kExportNoDataInRangeText[] = "There is no data within this date range to export.";
inline constexpr char kExportNoDataText[] = "There is no data to export.";

// The save-file dialog.
inline constexpr char kExportSaveTitle[] = "Save Export File";
// Filter pairs, each part NUL-terminated, the list ended by a second NUL.
inline constexpr char kExportFilter[] = "Text Documents (*.txt)\0*.txt\0";
inline constexpr char kExportDefaultExtension[] = "txt";
inline constexpr char kExportDefaultName[] = "Untitled.txt";
inline constexpr unsigned kExportSaveFlags = 0x80806;  // overwrite prompt, hide read-only,
                                                       // path must exist, explorer
// The chosen path in UTF-8, as every path of the program.
inline constexpr std::size_t kExportPathSize = kPathSize;

// When the file cannot be written the user is told, and nothing is left
// behind: a file that existed keeps its old content.
inline constexpr char kExportErrorTitle[] = "Error Saving File";
inline constexpr char kExportErrorText[] = "The export file could not be written:\n";

// Appends the line of one transaction, CR LF included.
void AppendExportLine(std::string& out, const AcctRecord& record, double balance);

// Every line to export: the records from first that the range selects in
// the view, with the running balances the view's ComputeBalances left in
// their nodes.
std::string BuildExportText(const RecordNode* first, int view, const DateRange& range);

// The message for a file that could not be written, with the system's
// reason when there is one.
PathMessage ExportErrorMessage(const char* path, const char* reason);

// Win32: writes the text as the whole new content of path, crash-safely
// (beside it first, then moved over it). False when it could not be
// written; a file that was there keeps its old content and nothing new is
// left behind. *error receives the system's error code.
bool WriteExportText(const char* path, const std::string& text, unsigned long* error);

class ExportFile {
public:
    // Win32: the range dialog, the checks, the save-file dialog and the
    // file. True when a file was written.
    bool Export(HWND__* owner, const RecordNode* first, int view);

    const std::string& FileName() const { return m_FileName; }

private:
    std::string m_FileName;
};
