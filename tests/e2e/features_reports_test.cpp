// Reports on the real program: Ctrl+R opens the window on the open account,
// each report's table holds the sums this test works out itself from the
// account file, Copy puts that table on the clipboard, Save Picture writes
// a PNG of the chart's size, and Print sends one page to the print queue.
// A screenshot of each report is kept.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "accounts_helpers.h"
#include "features/reports_ids.h"
#include "features_helpers.h"
#include "program_test.h"
#include "register_helpers.h"

namespace e2e {
namespace {

using accounts::WaitForDialogShowing;
using accounts::WaitGone;

constexpr char kCaption[] = "Reports - Register Test";
constexpr int kCmdReports = 1045;
constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED
constexpr int kFileNameCombo = 1148;
constexpr int kFileNameEdit = 1152;

// Across a year end, two records on one day, cleared and not, one payee
// written three ways.
const std::vector<reg::Tx> kRecords = {
    {.date = "20251120", .description = "Opening", .deposit = 2500.0, .cleared = true},
    {.date = "20251201", .description = "Rent", .payment = 1200.0, .cleared = true},
    {.date = "20251215", .description = "corner grocer", .payment = 85.4, .cleared = true},
    {.date = "20251215", .description = "Paycheck", .deposit = 1800.0},
    {.date = "20251231", .description = "CORNER GROCER ", .payment = 42.15},
    {.date = "20260105", .description = "Rent", .payment = 1200.0},
    {.date = "20260105", .description = "Coffee", .payment = 3.75, .cleared = true},
    {.date = "20260220", .description = "Corner Grocer", .payment = 61.2},
    {.date = "20260228", .description = "Paycheck", .deposit = 1800.0},
};

// ---- The sums, worked out here from the account file -------------------------------

long long CentsOf(double dollars) { return std::llround(dollars * 100); }

std::string Amount(long long cents) {
    const bool negative = cents < 0;
    const long long magnitude = negative ? -cents : cents;
    std::string whole = std::to_string(magnitude / 100);
    for (int at = static_cast<int>(whole.size()) - 3; at > 0; at -= 3) whole.insert(static_cast<size_t>(at), ",");
    char decimals[4];
    std::snprintf(decimals, sizeof decimals, "%02lld", magnitude % 100);
    return (negative ? "-" : "") + whole + "." + decimals;
}

std::string Shown(const std::string& stored) {  // MM/DD/YY
    return stored.substr(4, 2) + "/" + stored.substr(6, 2) + "/" + stored.substr(2, 2);
}

using Table = std::vector<std::vector<std::string>>;

std::vector<reg::Tx> Dated(std::vector<reg::Tx> records) {
    std::erase_if(records, [](const reg::Tx& tx) { return tx.date.empty(); });
    std::stable_sort(records.begin(), records.end(), [](const reg::Tx& a, const reg::Tx& b) { return a.date < b.date; });
    return records;
}

Table BalanceRows(const std::vector<reg::Tx>& records) {
    Table rows;
    long long balance = 0, cleared = 0;
    for (const reg::Tx& tx : Dated(records)) {
        const long long change = CentsOf(tx.deposit) - CentsOf(tx.payment);
        balance += change;
        if (tx.cleared) cleared += change;
        std::vector<std::string> row{Shown(tx.date), Amount(balance), Amount(cleared)};
        if (!rows.empty() && rows.back()[0] == row[0])
            rows.back() = row;
        else
            rows.push_back(row);
    }
    return rows;
}

Table MonthRows(const std::vector<reg::Tx>& records) {
    std::map<std::string, std::array<long long, 3>> months;  // YYYYMM: in, out, count
    for (const reg::Tx& tx : Dated(records)) {
        auto& m = months[tx.date.substr(0, 6)];
        m[0] += CentsOf(tx.deposit);
        m[1] += CentsOf(tx.payment);
        ++m[2];
    }
    Table rows;
    // Every month from the first to the last, empty ones too.
    std::string month = months.begin()->first;
    while (month <= months.rbegin()->first) {
        const auto found = months.find(month);
        const std::array<long long, 3> m = found == months.end() ? std::array<long long, 3>{} : found->second;
        rows.push_back({month.substr(4, 2) + "/" + month.substr(2, 2), Amount(m[0]), Amount(m[1]), Amount(m[0] - m[1]),
                        std::to_string(m[2])});
        int y = std::stoi(month.substr(0, 4)), mo = std::stoi(month.substr(4, 2)) + 1;
        if (mo > 12) mo = 1, ++y;
        char next[8];
        std::snprintf(next, sizeof next, "%04d%02d", y, mo);
        month = next;
    }
    return rows;
}

std::string Trim(const std::string& text) {
    const size_t start = text.find_first_not_of(' ');
    return start == std::string::npos ? "" : text.substr(start, text.find_last_not_of(' ') - start + 1);
}

Table PayeeRows(const std::vector<reg::Tx>& records) {
    struct Payee {
        std::string key, name;
        long long count = 0, total = 0;
    };
    std::vector<Payee> payees;
    long long all = 0;
    for (const reg::Tx& tx : Dated(records)) {
        if (CentsOf(tx.payment) <= 0) continue;
        std::string key = Trim(tx.description);
        std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
        auto it = std::find_if(payees.begin(), payees.end(), [&](const Payee& p) { return p.key == key; });
        if (it == payees.end()) it = payees.insert(payees.end(), {key, Trim(tx.description)});
        ++it->count;
        it->total += CentsOf(tx.payment);
        all += CentsOf(tx.payment);
    }
    std::sort(payees.begin(), payees.end(), [](const Payee& a, const Payee& b) {
        return a.total != b.total ? a.total > b.total : a.count != b.count ? a.count > b.count : a.key < b.key;
    });
    Table rows;
    for (const Payee& p : payees) {
        const long long tenths = (p.total * 2000 + all) / (2 * all);
        rows.push_back({p.name, std::to_string(p.count), Amount(p.total),
                        std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + "%"});
    }
    return rows;
}

const std::vector<std::string> kHeaders[] = {
    {"Date", "Balance", "Cleared balance"},
    {"Month", "Deposits", "Payments", "Net", "Records"},
    {"Description", "Payments", "Total", "Share"},
};

// ---- Reading the window --------------------------------------------------------------------

int RowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

Table ReadTable(HWND list, size_t columns) {
    Table rows;
    for (int r = 0; r < RowCount(list); ++r) {
        std::vector<std::string> row;
        for (size_t c = 0; c < columns; ++c) row.push_back(features::ListCellText(list, r, static_cast<int>(c)));
        rows.push_back(row);
    }
    return rows;
}

std::string Render(const Table& table) {
    std::string text;
    for (const auto& row : table) {
        for (size_t i = 0; i < row.size(); ++i) text += (i ? "\t" : "") + row[i];
        text += "\r\n";
    }
    return text;
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void EmptyTheClipboard() {
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

int Selected(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)); }

// Width and height from a PNG's header chunk; nothing when it is not one.
std::optional<std::pair<int, int>> PngSize(const std::vector<uint8_t>& bytes) {
    static const uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() < 33 || !std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin())) return {};
    if (std::string(bytes.begin() + 12, bytes.begin() + 16) != "IHDR") return {};
    auto big = [&](size_t at) { return (bytes[at] << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) | bytes[at + 3]; };
    return std::make_pair(big(16), big(20));
}

class ReportsTest : public ProgramTest {
protected:
    // The account written and opened, then Ctrl+R.
    HWND OpenReports() {
        if (reg::OpenWrittenAccount(app_, kRecords) != "") return nullptr;
        if (!Activate(app_.MainWindow()) || !PressKey('R', {VK_CONTROL})) return nullptr;
        return WaitForDialogShowing(app_, kCaption, kIdReportTable);
    }

    // A choice of one of the window's drop-down lists, made with keys.
    bool Choose(HWND dialog, int id, int index) {
        if (!FocusControl(GetDlgItem(dialog, id)) || !PressKey(VK_HOME)) return false;
        for (int i = 0; i < index; ++i)
            if (!PressKey(VK_DOWN)) return false;
        return WaitUntil([&] { return Selected(dialog, id) == index; }) && app_.WaitIdle();
    }

    // "All", so that the test does not depend on today's date.
    bool ChooseAll(HWND dialog) {
        return FocusControl(GetDlgItem(dialog, kIdReportRange)) && PressKey(VK_END) &&
               WaitUntil([&] { return ControlText(dialog, kIdReportFrom) == "11/20/25"; }) && app_.WaitIdle();
    }

    Table Expected(int kind) {
        const std::vector<reg::Tx> stored = reg::StoredRecords();
        return kind == 0 ? BalanceRows(stored) : kind == 1 ? MonthRows(stored) : PayeeRows(stored);
    }
};

TEST_F(ReportsTest, EachTableHoldsTheSumsOfTheAccountFile) {
    HWND dialog = OpenReports();
    ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(WindowText(dialog), kCaption);
    ASSERT_TRUE(ChooseAll(dialog));
    EXPECT_EQ(ControlText(dialog, kIdReportTo), "02/28/26");
    const char* shots[] = {"reports-balance", "reports-in-and-out", "reports-where-the-money-goes"};
    for (int kind = 0; kind < 3; ++kind) {
        ASSERT_TRUE(Choose(dialog, kIdReportKind, kind)) << kind;
        const Table expected = Expected(kind);
        HWND list = GetDlgItem(dialog, kIdReportTable);
        ASSERT_TRUE(WaitUntil([&] { return RowCount(list) == static_cast<int>(expected.size()); }))
            << kind << ": " << RowCount(list) << " rows";
        EXPECT_EQ(Render(ReadTable(list, kHeaders[kind].size())), Render(expected)) << "report " << kind;
        EXPECT_EQ(ControlText(dialog, kIdReportStatus), "9 records in the range.");
        // The chart is drawn: far more than its white and one line of text
        // (which takes two colours: text is drawn without smoothing at the
        // sizes its font asks for none; the chart's lines are smoothed).
        RECT chart{};
        GetWindowRect(GetDlgItem(dialog, kIdReportChart), &chart);
        std::optional<Image> screen = CaptureScreen();
        ASSERT_TRUE(screen);
        EXPECT_GT(Crop(*screen, chart).ColourCount(), 10u) << "report " << kind;
        SaveScreenshot(shots[kind], dialog);
    }
    // Esc closes the window and gives the register back.
    ASSERT_TRUE(FocusControl(GetDlgItem(dialog, kIdReportKind)) && PressKey(VK_ESCAPE));
    EXPECT_TRUE(WaitGone(dialog));
}

TEST_F(ReportsTest, ClearedOnlyAndAnEmptyRange) {
    HWND dialog = OpenReports();
    ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
    ASSERT_TRUE(ChooseAll(dialog));
    ASSERT_TRUE(FocusControl(GetDlgItem(dialog, kIdReportCleared)) && PressKey(VK_SPACE));
    std::vector<reg::Tx> cleared = reg::StoredRecords();
    std::erase_if(cleared, [](const reg::Tx& tx) { return !tx.cleared; });
    HWND list = GetDlgItem(dialog, kIdReportTable);
    ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, kIdReportStatus) == "4 records in the range."; }));
    EXPECT_EQ(Render(ReadTable(list, 3)), Render(BalanceRows(cleared)));

    // Dates typed in the user's format; a range without records empties
    // the table and says so on the chart.
    ASSERT_TRUE(accounts::TypeInto(dialog, kIdReportFrom, "03/01/26"));
    ASSERT_TRUE(accounts::TypeInto(dialog, kIdReportTo, "03/31/26"));
    ASSERT_TRUE(WaitUntil([&] { return RowCount(list) == 0; }));
    EXPECT_EQ(ControlText(dialog, kIdReportChart), "No records between 03/01/26 and 03/31/26.");
    EXPECT_EQ(Selected(dialog, kIdReportRange), -1);
    SaveScreenshot("reports-empty-range", dialog);
}

TEST_F(ReportsTest, CopyPutsTheTableOnTheClipboard) {
    HWND dialog = OpenReports();
    ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
    ASSERT_TRUE(ChooseAll(dialog));
    ASSERT_TRUE(Choose(dialog, kIdReportKind, 2));
    EmptyTheClipboard();
    ASSERT_TRUE(ClickButton(dialog, kIdReportCopy));
    ASSERT_TRUE(WaitUntil([] { return !ClipboardText().empty(); }));
    Table expected = PayeeRows(reg::StoredRecords());
    expected.insert(expected.begin(), kHeaders[2]);
    EXPECT_EQ(ClipboardText(), Render(expected));
}

TEST_F(ReportsTest, SavePictureWritesAPngOfTheChartsSize) {
    HWND dialog = OpenReports();
    ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
    ASSERT_TRUE(ChooseAll(dialog));
    const std::string path = ToWindowsPath(GetSettings().shots) + "\\reports-saved-picture.png";
    DeleteFileA(path.c_str());
    ASSERT_TRUE(ClickButton(dialog, kIdReportSavePicture));
    HWND save = WaitForDialogShowing(app_, "Save Picture", IDOK);
    ASSERT_NE(save, nullptr) << app_.DescribeWindows();
    HWND name = GetDlgItem(save, kFileNameCombo) ? GetDlgItem(save, kFileNameCombo) : GetDlgItem(save, kFileNameEdit);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(WindowText(name), "Balance over time.png");
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ASSERT_TRUE(ClickButton(save, IDOK) && WaitGone(save));
    std::optional<std::pair<int, int>> size;
    ASSERT_TRUE(WaitUntil([&] {
        std::optional<std::vector<uint8_t>> bytes = ReadFileBytes(path);
        size = bytes ? PngSize(*bytes) : std::nullopt;
        return size.has_value();
    })) << path;
    RECT chart{};
    GetClientRect(GetDlgItem(dialog, kIdReportChart), &chart);
    EXPECT_EQ(size->first, chart.right);
    EXPECT_EQ(size->second, chart.bottom);
    EXPECT_GT(chart.right, 400);
}

// Without an open account the command does nothing.
TEST_F(ReportsTest, DoesNothingWithoutAnOpenAccount) {
    ASSERT_TRUE(app_.Start());
    ASSERT_NE(accounts::WaitForStartScreen(app_), nullptr);
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdReports));
    ASSERT_TRUE(app_.WaitIdle());
    for (HWND window : TopLevelWindows(app_.Id()))
        EXPECT_NE(WindowText(window).rfind("Reports", 0), 0u) << WindowText(window);
}

// A move to a display of 144 DPI: the window takes the rectangle it is
// offered and its controls grow with the DPI.
TEST_F(ReportsTest, ControlsFollowTheWindowsDpi) {
    HWND dialog = OpenReports();
    ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
    auto height = [&](int id) {
        RECT r{};
        GetWindowRect(GetDlgItem(dialog, id), &r);
        return r.bottom - r.top;
    };
    ASSERT_EQ(height(kIdReportCopy), 26);
    // (Within the test's 1024 x 768 desktop.)
    const RECT offered{0, 0, 1000, 740};
    // The rectangle goes to the program in its own memory.
    UniqueHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, app_.Id()));
    ASSERT_TRUE(process);
    void* remote = VirtualAllocEx(process.get(), nullptr, sizeof offered, MEM_COMMIT, PAGE_READWRITE);
    ASSERT_NE(remote, nullptr);
    ASSERT_TRUE(WriteProcessMemory(process.get(), remote, &offered, sizeof offered, nullptr));
    SendMessageA(dialog, kDpiChanged, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(remote));
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    RECT window{};
    GetWindowRect(dialog, &window);
    EXPECT_EQ(window.right - window.left, offered.right);
    EXPECT_EQ(window.bottom - window.top, offered.bottom);
    EXPECT_EQ(height(kIdReportCopy), 39);
    EXPECT_EQ(height(kIdReportFrom), 36);
    // The row of choices is now wider than the window: the check box stays in it.
    RECT client{}, box{};
    GetClientRect(dialog, &client);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&client), 2);
    GetWindowRect(GetDlgItem(dialog, kIdReportCleared), &box);
    EXPECT_LE(box.right, client.right);
    ASSERT_TRUE(app_.WaitIdle());
    SaveScreenshot("reports-144-dpi", dialog);
}

std::set<std::string> PdfFiles(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.insert(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

TEST_F(ReportsTest, PrintSendsOnePageWithTheTitleAndTheTable) {
    const std::string unixPrinted = features::PrintedFolder();
    if (unixPrinted.empty()) GTEST_SKIP() << "no test printer (scripts/printing.sh sets one up)";
    const std::string printed = ToWindowsPath(unixPrinted);
    const std::set<std::string> before = PdfFiles(printed);
    HWND dialog = OpenReports();
    ASSERT_NE(dialog, nullptr) << app_.DescribeWindows();
    ASSERT_TRUE(ChooseAll(dialog));
    ASSERT_TRUE(Choose(dialog, kIdReportKind, 1));
    ASSERT_TRUE(ClickButton(dialog, kIdReportPrint));
    HWND print = WaitForDialogShowing(app_, "Print", IDOK);
    ASSERT_NE(print, nullptr) << app_.DescribeWindows();
    ASSERT_TRUE(ClickButton(print, IDOK));
    std::string pdf;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (const std::string& name : PdfFiles(printed)) {
                if (before.count(name)) continue;
                std::optional<std::vector<uint8_t>> bytes = ReadFileBytes(printed + "\\" + name);
                if (bytes && bytes->size() > 8 && std::string(bytes->end() - 8, bytes->end()).find("%%EOF") != std::string::npos)
                    pdf = name;
            }
            return !pdf.empty();
        },
        Duration(60000)))
        << "no PDF in " << unixPrinted;
    const std::string work = GetSettings().shots + "/reports-printed";
    ASSERT_TRUE(features::RunLinuxCommands(work,
                                           "rm -f page*.png words.txt\n"
                                           "pdftotext -layout '" + unixPrinted + "/" + pdf + "' words.txt\n"
                                           "pdftoppm -png -r 60 '" + unixPrinted + "/" + pdf + "' page",
                                           Duration(60000)));
    std::optional<std::vector<uint8_t>> bytes = ReadFileBytes(ToWindowsPath(work) + "\\words.txt");
    ASSERT_TRUE(bytes);
    std::string text(bytes->begin(), bytes->end());
    // pdftotext gives a minus sign at the start of a word as a soft hyphen.
    for (size_t at; (at = text.find("\xC2\xAD")) != std::string::npos;) text.replace(at, 2, "-");
    // pdftotext ends every page with a form feed.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 1) << text;
    EXPECT_NE(text.find("Ledgerpad: Money in and out by month - Register Test"), std::string::npos) << text;
    EXPECT_NE(text.find("Money in and out by month, 11/20/25 to 02/28/26"), std::string::npos) << text;
    for (const auto& row : MonthRows(reg::StoredRecords())) {
        // Each row's cells in order on one line of the page.
        std::string line;
        std::istringstream lines(text);
        for (std::string candidate; std::getline(lines, candidate);)
            if (Trim(candidate).rfind(row[0] + " ", 0) == 0) line = candidate;
        ASSERT_FALSE(line.empty()) << row[0] << "\n" << text;
        size_t from = 0;
        for (const std::string& cell : row) {
            from = line.find(cell, from);
            EXPECT_NE(from, std::string::npos) << cell << " in \"" << line << "\"";
            if (from == std::string::npos) break;
        }
    }
}

}  // namespace
}  // namespace e2e
