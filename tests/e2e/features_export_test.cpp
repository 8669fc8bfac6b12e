// Export on the real program: the range dialog, the save-file dialog, the
// file's bytes in both views and whatever the date format, no data, a
// target that cannot be written, and the file opened by a spreadsheet.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "accounts_helpers.h"
#include "features_helpers.h"
#include "program_test.h"
#include "register_helpers.h"

namespace e2e {
namespace {

using accounts::AnswerMessageBox;
using accounts::WaitForDialogShowing;
using accounts::WaitGone;

constexpr int kCmdExport = 1031;
constexpr int kCmdViewAll = 1011;
constexpr int kCmdDateDDMMYY = 1027;
constexpr int kAll = 1000;
constexpr int kRange = 1001;
constexpr int kFrom = 2100;
constexpr int kTo = 2101;
constexpr int kGroup = 2504;
constexpr char kRangeCaption[] = "Export Range";
constexpr char kSaveCaption[] = "Save Export File";
// The file name field of the system's save dialog (a combo box or an edit,
// depending on the dialog's style).
constexpr int kFileNameCombo = 1148;
constexpr int kFileNameEdit = 1152;

bool TypeInto(HWND dialog, int id, const std::string& text) {
    return accounts::TypeInto(dialog, id, text) && WaitUntil([&] { return ControlText(dialog, id) == text; });
}

bool IsChecked(HWND dialog, int id) { return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

HWND FileNameField(HWND dialog) {
    HWND field = GetDlgItem(dialog, kFileNameCombo);
    return field ? field : GetDlgItem(dialog, kFileNameEdit);
}

std::string Text(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

class ExportTest : public ProgramTest {
protected:
    void Open() {
        ASSERT_EQ(reg::OpenWrittenAccount(
                      app_, {{.date = "20260101", .description = "Opening", .deposit = 150.0, .cleared = true},
                             {.date = "20260102", .description = "Cleared rent", .payment = 50.0, .cleared = true},
                             {.date = "20260103", .description = "Open groceries", .payment = 20.5},
                             {.date = "20260305", .description = "Open pay", .deposit = 500.0}}),
                  "");
    }

    HWND RangeDialog() {
        if (!PostCommand(app_.MainWindow(), kCmdExport)) return nullptr;
        HWND dialog = WaitForDialogShowing(app_, kRangeCaption, kFrom);
        // The dialog selects All by a message it posts to itself.
        if (dialog) WaitUntil([&] { return IsChecked(dialog, kAll); });
        return dialog;
    }

    // OK in the range dialog, then the save dialog answered with `path`.
    // Returns the save dialog's file name as it was offered.
    std::string ExportTo(HWND range, const std::string& path) {
        if (!ClickButton(range, IDOK)) return "no OK";
        HWND save = WaitForDialogShowing(app_, kSaveCaption, IDOK);
        if (!save) return "no save dialog\n" + app_.DescribeWindows();
        HWND name = FileNameField(save);
        if (!name) return "no file name field";
        WaitUntil([&] { return !WindowText(name).empty(); });
        const std::string offered = WindowText(name);
        SetWindowTextUtf8(name, path);
        if (!ClickButton(save, IDOK) || !WaitGone(save)) return "the save dialog did not close";
        app_.WaitIdle();
        return offered;
    }

    std::string Target(const char* name) { return AccountsFolder() + name; }
};

constexpr char kCurrentLines[] =
    "\t01/03/26\t\tOpen groceries\t20.50\t\t79.50\r\n"
    "\t03/05/26\t\tOpen pay\t\t500.00\t579.50\r\n";
constexpr char kAllLines[] =
    "R\t01/01/26\t\tOpening\t\t150.00\t150.00\r\n"
    "R\t01/02/26\t\tCleared rent\t50.00\t\t100.00\r\n"
    "\t01/03/26\t\tOpen groceries\t20.50\t\t79.50\r\n"
    "\t03/05/26\t\tOpen pay\t\t500.00\t579.50\r\n";

TEST_F(ExportTest, RangeDialogOpensWithAllAndTheViewsDatesAndChecksTheRange) {
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND range = RangeDialog();
    ASSERT_NE(range, nullptr) << app_.DescribeWindows();
    EXPECT_TRUE(IsChecked(range, kAll));
    EXPECT_FALSE(IsChecked(range, kRange));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(range, kFrom)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(range, kTo)));
    EXPECT_EQ(ControlText(range, kFrom), "01/03/26");  // the Current view's first and last
    EXPECT_EQ(ControlText(range, kTo), "03/05/26");
    EXPECT_EQ(ControlText(range, kGroup), kRangeCaption);
    EXPECT_FALSE(accounts::SaveDialogShot(range, "export-range-dialog").empty());

    ASSERT_TRUE(ClickButton(range, kRange));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(range, kFrom)) != FALSE; }));
    EXPECT_TRUE(IsChecked(range, kRange));
    // Reversed within one year, and across years.
    for (auto [from, to] : {std::pair{"03/06/26", "03/05/26"}, std::pair{"01/01/27", "12/31/26"}}) {
        ASSERT_TRUE(TypeInto(range, kFrom, from));
        ASSERT_TRUE(TypeInto(range, kTo, to));
        ASSERT_TRUE(ClickButton(range, IDOK));
        std::optional<MessageBoxText> told = AnswerMessageBox(app_);
        ASSERT_TRUE(told) << from;
        EXPECT_EQ(told->caption, kRangeCaption);
        EXPECT_EQ(told->text, "The \"From\" date cannot be a date that occurs later than the \"To\" date.");
        EXPECT_TRUE(IsWindowVisible(range));
    }
    ASSERT_TRUE(TypeInto(range, kFrom, "13/01/26"));
    ASSERT_TRUE(ClickButton(range, IDOK));
    std::optional<MessageBoxText> wrong = AnswerMessageBox(app_);
    ASSERT_TRUE(wrong);
    EXPECT_EQ(wrong->caption, "Incorrect Date Format");
    EXPECT_EQ(wrong->text.rfind("Enter a valid \"Range From\" date", 0), 0u) << wrong->text;
    ASSERT_TRUE(TypeInto(range, kFrom, "01/01/26"));
    ASSERT_TRUE(TypeInto(range, kTo, "02/30/26"));
    ASSERT_TRUE(ClickButton(range, IDOK));
    wrong = AnswerMessageBox(app_);
    ASSERT_TRUE(wrong);
    EXPECT_EQ(wrong->text.rfind("Enter a valid \"Range To\" date", 0), 0u) << wrong->text;

    ASSERT_TRUE(ClickButton(range, IDCANCEL));
    EXPECT_TRUE(WaitGone(range));
    EXPECT_EQ(WaitForDialogShowing(app_, kSaveCaption, IDOK, nullptr, Duration(300)), nullptr);
}

TEST_F(ExportTest, CurrentViewWithoutReconciledRecords) {
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND range = RangeDialog();
    ASSERT_NE(range, nullptr);
    const std::string path = Target("current.txt");
    // A file of the user's own beside the target, named as a temporary
    // file might be, keeps its bytes.
    const std::vector<uint8_t> users = {'m', 'i', 'n', 'e'};
    ASSERT_TRUE(WriteFileBytes(path + ".tmp", users));
    EXPECT_EQ(ExportTo(range, path), "Untitled.txt");
    ASSERT_TRUE(WaitUntil([&] { return FileExists(path); }));
    EXPECT_EQ(Text(*ReadFileBytes(path)), kCurrentLines);
    EXPECT_TRUE(reg::NoMessage(app_));
    EXPECT_EQ(ReadFileBytes(path + ".tmp"), users);
}

// A file the user names in Cyrillic is written under that name, not under
// "?" in its place; scripts/test also runs this under a user whose profile
// folder is named in Cyrillic.
TEST_F(ExportTest, AFileNamedInCyrillicIsWrittenUnderItsName) {
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND range = RangeDialog();
    ASSERT_NE(range, nullptr);
    // "Выписка.txt" ("statement").
    const std::string path = Target("\xD0\x92\xD1\x8B\xD0\xBF\xD0\xB8\xD1\x81\xD0\xBA\xD0\xB0.txt");
    EXPECT_EQ(ExportTo(range, path), "Untitled.txt");
    ASSERT_TRUE(WaitUntil([&] { return FileExists(path); }))
        << "files: " << testing::PrintToString(FilesStartingWith(AccountsFolder()));
    EXPECT_EQ(Text(*ReadFileBytes(path)), kCurrentLines);
    EXPECT_TRUE(reg::NoMessage(app_));
}

TEST_F(ExportTest, AllViewInTheDayFirstFormatStillWritesMonthFirst) {
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdViewAll));
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdDateDDMMYY));
    ASSERT_TRUE(app_.WaitIdle());
    HWND range = RangeDialog();
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(ControlText(range, kFrom), "01/01/26");
    EXPECT_EQ(ControlText(range, kTo), "05/03/26") << "the dialog shows the user's format";
    const std::string path = Target("all.txt");
    ExportTo(range, path);
    ASSERT_TRUE(WaitUntil([&] { return FileExists(path); }));
    EXPECT_EQ(Text(*ReadFileBytes(path)), kAllLines);

    // A range of one day, typed in the user's format.
    range = RangeDialog();
    ASSERT_NE(range, nullptr);
    ASSERT_TRUE(ClickButton(range, kRange));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(range, kFrom)) != FALSE; }));
    ASSERT_TRUE(TypeInto(range, kFrom, "05/03/26"));
    ASSERT_TRUE(TypeInto(range, kTo, "05/03/26"));
    const std::string day = Target("day.txt");
    ExportTo(range, day);
    ASSERT_TRUE(WaitUntil([&] { return FileExists(day); }));
    EXPECT_EQ(Text(*ReadFileBytes(day)), "\t03/05/26\t\tOpen pay\t\t500.00\t579.50\r\n");
}

TEST_F(ExportTest, NoDataGivesItsMessageAndNoFile) {
    ASSERT_EQ(reg::OpenWrittenAccount(
                  app_, {{.date = "20260101", .description = "Opening", .deposit = 150.0, .cleared = true}}),
              "");
    HWND range = RangeDialog();
    ASSERT_NE(range, nullptr);
    ASSERT_TRUE(ClickButton(range, IDOK));
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, kRangeCaption);
    EXPECT_EQ(told->text, "There is no data to export.");
    EXPECT_EQ(WaitForDialogShowing(app_, kSaveCaption, IDOK, nullptr, Duration(300)), nullptr);
}

TEST_F(ExportTest, NothingInTheRangeGivesItsMessage) {
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND range = RangeDialog();
    ASSERT_NE(range, nullptr);
    ASSERT_TRUE(ClickButton(range, kRange));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(range, kFrom)) != FALSE; }));
    ASSERT_TRUE(TypeInto(range, kFrom, "06/01/26"));
    ASSERT_TRUE(TypeInto(range, kTo, "06/30/26"));
    ASSERT_TRUE(ClickButton(range, IDOK));
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->text, "There is no data within this date range to export.");
    EXPECT_EQ(WaitForDialogShowing(app_, kSaveCaption, IDOK, nullptr, Duration(300)), nullptr);
}

TEST_F(ExportTest, ATargetThatCannotBeWrittenIsToldAndKeepsItsBytes) {
    ASSERT_NO_FATAL_FAILURE(Open());
    const std::string path = Target("in use.txt");
    const std::vector<uint8_t> before = {'k', 'e', 'e', 'p', '\r', '\n'};
    ASSERT_TRUE(WriteFileBytes(path, before));
    // Another program holds the file open and shares nothing.
    UniqueHandle held(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(held.get(), INVALID_HANDLE_VALUE);

    HWND range = RangeDialog();
    ASSERT_NE(range, nullptr);
    ASSERT_TRUE(ClickButton(range, IDOK));
    HWND save = WaitForDialogShowing(app_, kSaveCaption, IDOK);
    ASSERT_NE(save, nullptr);
    SendMessageA(FileNameField(save), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ASSERT_TRUE(ClickButton(save, IDOK));
    // The save dialog asks before replacing the file.
    std::optional<MessageBoxText> replace = AnswerMessageBox(app_, IDYES);
    ASSERT_TRUE(replace) << app_.DescribeWindows();
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told) << app_.DescribeWindows();
    EXPECT_EQ(told->caption, "Error Saving File");
    EXPECT_EQ(told->text.rfind("The export file could not be written:\n" + path, 0), 0u) << told->text;
    held.reset();
    EXPECT_EQ(*ReadFileBytes(path), before);
    EXPECT_EQ(FilesStartingWith(path), std::vector<std::string>{"in use.txt"}) << "a temporary file was left";
}

// The exported file read by a spreadsheet program as tab-separated text:
// seven columns on every line, the texts and the amounts in their cells.
TEST_F(ExportTest, ASpreadsheetReadsSevenColumns) {
    const std::string office = "/usr/bin/libreoffice";
    if (!FileExists(ToWindowsPath(office))) GTEST_SKIP() << "LibreOffice is not installed";
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdViewAll));
    ASSERT_TRUE(app_.WaitIdle());
    HWND range = RangeDialog();
    ASSERT_NE(range, nullptr);
    // Saved where the save dialog starts, the accounts folder.
    const std::string dir = AccountsFolder() + "spreadsheet";
    const std::string unixDir = features::UnixPath(dir);
    ASSERT_FALSE(unixDir.empty());
    ASSERT_TRUE(MakeFolders(dir));
    ExportTo(range, AccountsFolder() + "spreadsheet\\export.txt");
    ASSERT_TRUE(WaitUntil([&] { return FileExists(dir + "\\export.txt"); }));
    EXPECT_TRUE(reg::NoMessage(app_));
    EXPECT_TRUE(app_.Running());

    // The conversion by the spreadsheet program, a Linux program.
    ASSERT_TRUE(features::RunLinuxCommands(
        unixDir,
        "HOME='" + unixDir + "/home' " + office +
            " --headless --infilter='Text - txt - csv (StarCalc):9,34,76'"
            " --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76' --outdir . export.txt >convert.log 2>&1",
        Duration(180000)));
    std::optional<std::vector<uint8_t>> csv = ReadFileBytes(dir + "\\export.csv");
    ASSERT_TRUE(csv) << "no export.csv; see " << unixDir << "/convert.log";

    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(Text(*csv));
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> cells;
        std::string cell;
        bool quoted = false;
        for (char c : line) {
            if (c == '"') quoted = !quoted;
            else if (c == ',' && !quoted) {
                cells.push_back(cell);
                cell.clear();
            } else cell += c;
        }
        cells.push_back(cell);
        rows.push_back(cells);
    }
    ASSERT_EQ(rows.size(), 4u) << Text(*csv);
    for (const auto& row : rows) ASSERT_EQ(row.size(), 7u) << Text(*csv);
    EXPECT_EQ(rows[0][0], "R");
    EXPECT_EQ(rows[0][3], "Opening");
    EXPECT_EQ(std::atof(rows[0][5].c_str()), 150.0);
    EXPECT_EQ(rows[1][4].empty(), false);
    EXPECT_EQ(std::atof(rows[1][4].c_str()), 50.0);
    EXPECT_EQ(rows[2][0], "");
    EXPECT_EQ(rows[2][3], "Open groceries");
    EXPECT_EQ(std::atof(rows[2][4].c_str()), 20.5);
    EXPECT_EQ(rows[2][5], "");
    EXPECT_EQ(std::atof(rows[3][6].c_str()), 579.5);
}

}  // namespace
}  // namespace e2e
