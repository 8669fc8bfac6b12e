// Import Bank Statement on the real program: the menu command, the system's
// Open dialog and its starting folder, the preview with its check boxes and
// its size, the register afterwards, and the account file on disk, byte for
// byte. OFX, QIF and CSV files; Cancel; the same file imported twice; files
// that are refused; a balance the register cannot show; a save that fails;
// a blank record left between records; transactions before the account's
// opening balance.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "accounts_helpers.h"
#include "features_helpers.h"
#include "import/import_dialog_ids.h"
#include "import/statement.h"
#include "program_test.h"
#include "register_helpers.h"

namespace e2e {
namespace {

using accounts::AnswerMessageBox;
using accounts::WaitForDialogShowing;
using accounts::WaitGone;

constexpr int kCmdImport = 1041;
constexpr int kCmdUndo = 1042;
constexpr int kCmdRedo = 1043;
constexpr char kImportCaption[] = "Import Bank Statement";
constexpr char kBalanceCaption[] = "Balance Ledgerpad";
constexpr int kBalanceEntry = 2120;
// The file name field of the system's Open dialog (a combo box or an edit)
// and its file type list.
constexpr int kFileNameCombo = 1148;
constexpr int kFileNameEdit = 1152;
constexpr int kFileTypes = 1136;

// The state image of a list row: 0 no box, 1 empty, 2 ticked.
int BoxOf(HWND list, int row) {
    return static_cast<int>(SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12);
}

std::vector<int> Boxes(HWND list) {
    std::vector<int> boxes;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) boxes.push_back(BoxOf(list, i));
    return boxes;
}


// The width the program's list gives a text in its own font, asked
// through memory inside the program as ListCellText does.
int StringWidth(HWND list, const std::string& text) {
    UniqueHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(list)));
    if (!process) return -1;
    void* remote = VirtualAllocEx(process.get(), nullptr, text.size() + 1, MEM_COMMIT, PAGE_READWRITE);
    if (!remote) return -1;
    const bool written = WriteProcessMemory(process.get(), remote, text.c_str(), text.size() + 1, nullptr);
    const int width =
        written ? static_cast<int>(SendMessageA(list, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(remote))) : -1;
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return width;
}

// The folder the program's Open dialog shows, asked through memory inside
// the program as ListCellText does; "" when it cannot be read.
std::string OpenDialogFolder(HWND open) {
    UniqueHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(open)));
    if (!process) return "";
    // The program's Open dialog is a wide one: it answers in UTF-16.
    wchar_t folder[MAX_PATH] = {};
    void* remote = VirtualAllocEx(process.get(), nullptr, sizeof folder, MEM_COMMIT, PAGE_READWRITE);
    if (!remote) return "";
    const bool ok = SendMessageW(open, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(remote)) > 0 &&
                    ReadProcessMemory(process.get(), remote, folder, sizeof folder - sizeof(wchar_t), nullptr);
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    char narrow[MAX_PATH * 3] = {};
    if (ok) WideCharToMultiByte(CP_UTF8, 0, folder, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

// A folder as the shell names it, without a final "\\", in capitals.
std::string SameFolder(std::string folder) {
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    for (char& c : folder) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return folder;
}

std::string DownloadsFolder() {
    PWSTR wide = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Downloads, 0, nullptr, &wide))) {
        char narrow[MAX_PATH] = {};
        if (WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr) > 0) folder = narrow;
    }
    CoTaskMemFree(wide);
    return folder;
}

SIZE SizeOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

std::vector<std::string> Column(HWND list, int column) {
    std::vector<std::string> cells;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) cells.push_back(features::ListCellText(list, i, column));
    return cells;
}

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// A record block with a check number in the Num field.
std::vector<uint8_t> CheckBlock(const std::string& date, const std::string& number, const std::string& description,
                                double payment) {
    std::vector<uint8_t> block = accounts::RecordBlock(date, description, payment, 0, true);
    std::memcpy(block.data() + 15, number.data(), number.size());
    const uint16_t value = static_cast<uint16_t>(std::stoi(number));
    std::memcpy(block.data() + 20, &value, sizeof value);
    return block;
}

std::vector<uint8_t> Joined(const std::vector<uint8_t>& header, const std::vector<std::vector<uint8_t>>& blocks) {
    std::vector<uint8_t> bytes = header;
    for (const auto& b : blocks) bytes.insert(bytes.end(), b.begin(), b.end());
    return bytes;
}

// The account every test starts from: one cleared opening deposit and
// three transactions typed by the user, with the user's own dates.
constexpr char kOpeningDate[] = "20260501";
const std::vector<reg::Tx> kRegister = {
    {.date = "20260501", .description = "Opening", .deposit = 1000.0, .cleared = true},
    {.date = "20260510", .description = "Groceries", .payment = 42.5},
    {.date = "20260515", .description = "Pay", .deposit = 2000.0},
    {.date = "20260520", .description = "Dentist", .payment = 80.0},
};

std::vector<uint8_t> RegisterBlock(std::size_t i, bool cleared) {
    const reg::Tx& tx = kRegister[i];
    return accounts::RecordBlock(tx.date, tx.description, tx.payment, tx.deposit, cleared);
}

// May: the groceries two days later than typed, the pay, a check the user
// did not type and the interest; the dentist is not on it.
constexpr char kMayOfx[] =
    "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nSECURITY:NONE\r\nENCODING:USASCII\r\n"
    "CHARSET:1252\r\nCOMPRESSION:NONE\r\nOLDFILEUID:NONE\r\nNEWFILEUID:NONE\r\n\r\n"
    "<OFX>\r\n<BANKMSGSRSV1>\r\n<STMTTRNRS>\r\n<TRNUID>1\r\n<STATUS>\r\n<CODE>0\r\n<SEVERITY>INFO\r\n</STATUS>\r\n"
    "<STMTRS>\r\n<CURDEF>USD\r\n<BANKACCTFROM>\r\n<BANKID>121000358\r\n<ACCTID>000123456789\r\n"
    "<ACCTTYPE>CHECKING\r\n</BANKACCTFROM>\r\n<BANKTRANLIST>\r\n<DTSTART>20260501\r\n<DTEND>20260531\r\n"
    "<STMTTRN>\r\n<TRNTYPE>DEBIT\r\n<DTPOSTED>20260512\r\n<TRNAMT>-42.50\r\n<FITID>A1\r\n<NAME>FRESH MARKET\r\n</STMTTRN>\r\n"
    "<STMTTRN>\r\n<TRNTYPE>CREDIT\r\n<DTPOSTED>20260515\r\n<TRNAMT>2000.00\r\n<FITID>A2\r\n<NAME>PAYROLL\r\n</STMTTRN>\r\n"
    "<STMTTRN>\r\n<TRNTYPE>CHECK\r\n<DTPOSTED>20260521\r\n<TRNAMT>-75.00\r\n<FITID>A3\r\n<CHECKNUM>1234\r\n"
    "<NAME>CITY WATER\r\n</STMTTRN>\r\n"
    "<STMTTRN>\r\n<TRNTYPE>INT\r\n<DTPOSTED>20260531\r\n<TRNAMT>1.23\r\n<FITID>A4\r\n<MEMO>INTEREST PAID\r\n</STMTTRN>\r\n"
    "</BANKTRANLIST>\r\n<LEDGERBAL>\r\n<BALAMT>2883.73\r\n<DTASOF>20260531\r\n</LEDGERBAL>\r\n"
    "</STMTRS>\r\n</STMTTRNRS>\r\n</BANKMSGSRSV1>\r\n</OFX>\r\n";

class ImportTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_EQ(reg::OpenWrittenAccount(app_, kRegister, kOpeningDate), "");
        before_ = accounts::FileBytes(accounts::kFirstSlot);
        ASSERT_EQ(before_.size(), 128u * (kRegister.size() + 1));
        header_.assign(before_.begin(), before_.begin() + 128);
    }

    std::string Write(const char* name, const std::string& text) {
        const std::string path = AccountsFolder() + name;
        return WriteFileBytes(path, Bytes(text)) ? path : "";
    }

    // The command, then the Open dialog answered with `path`. The preview,
    // or null with the reason in `failure`.
    HWND OpenInDialog(const std::string& path) {
        if (!PostCommand(app_.MainWindow(), kCmdImport)) return Fail("no command");
        HWND open = WaitForDialogShowing(app_, kImportCaption, IDOK);
        if (!open) return Fail("no Open dialog\n" + app_.DescribeWindows());
        HWND name = GetDlgItem(open, kFileNameCombo);
        if (!name) name = GetDlgItem(open, kFileNameEdit);
        if (!name) return Fail("no file name field");
        fileTypes_ = ControlText(open, kFileTypes);
        SetWindowTextUtf8(name, path);
        if (!ClickButton(open, IDOK) || !WaitGone(open)) return Fail("the Open dialog did not close");
        return open;
    }

    HWND Preview(const std::string& path) {
        if (!OpenInDialog(path)) return nullptr;
        HWND preview = WaitForDialogShowing(app_, kImportCaption, kIdImportList);
        if (!preview) return Fail("no preview\n" + app_.DescribeWindows());
        HWND list = GetDlgItem(preview, kIdImportList);
        WaitUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) > 0; });
        return preview;
    }

    HWND Fail(const std::string& why) {
        failure_ = why;
        return nullptr;
    }

    // OK pressed with Enter from the list, as a user of the keyboard would.
    bool PressOk(HWND preview) {
        return FocusControl(GetDlgItem(preview, kIdImportList)) && PressKey(VK_RETURN) && WaitGone(preview);
    }

    std::string Summary() {
        std::optional<MessageBoxText> told = AnswerMessageBox(app_);
        if (!told) return "(no message)";
        EXPECT_EQ(told->caption, kImportCaption);
        return told->text;
    }

    // The summary of an import that marked or added records.
    static std::string Shown(const std::string& counts) {
        return counts + "\nThe register shows View All, from the first transaction the import marked or added.";
    }

    // The May statement imported with every row as offered, the Balance
    // flow declined.
    void ImportMay(const std::string& path) {
        HWND preview = Preview(path);
        ASSERT_NE(preview, nullptr) << failure_;
        ASSERT_TRUE(PressOk(preview));
        Summary();
        ASSERT_TRUE(DeclineBalance());
    }

    // The Balance step that follows an import with an ending balance: its
    // dialog, cancelled.
    bool DeclineBalance() {
        HWND balance = WaitForDialogShowing(app_, kBalanceCaption, kBalanceEntry);
        return balance && ClickButton(balance, IDCANCEL) && WaitGone(balance);
    }

    std::vector<uint8_t> MayImported() const {
        return Joined(header_, {RegisterBlock(0, true), RegisterBlock(1, true), RegisterBlock(2, true),
                                RegisterBlock(3, false), CheckBlock("20260521", "1234", "CITY WATER", 75.0),
                                accounts::RecordBlock("20260531", "INTEREST PAID", 0, 1.23, true)});
    }

    std::vector<uint8_t> before_;
    std::vector<uint8_t> header_;
    std::string failure_;
    std::string fileTypes_;
};

TEST_F(ImportTest, OfxMarksAndAddsThenBalancesWithTheStatementsBalance) {
    const std::string path = Write("may.ofx", kMayOfx);
    HWND preview = Preview(path);
    ASSERT_NE(preview, nullptr) << failure_;
    EXPECT_EQ(fileTypes_, "Bank statements (*.ofx;*.qfx;*.qif;*.csv)");
    EXPECT_EQ(ControlText(preview, kIdImportFile), "File: may.ofx");
    EXPECT_EQ(ControlText(preview, kIdImportAccount), "Account: Checking ...6789");
    EXPECT_EQ(ControlText(preview, kIdImportPeriod), "Period: 05/01/26 to 05/31/26    Ending balance: 2,883.73");
    HWND list = GetDlgItem(preview, kIdImportList);
    EXPECT_EQ(Column(list, kColAction), (std::vector<std::string>{"Mark R", "Mark R", "Add", "Add"}));
    EXPECT_EQ(Column(list, kColDate), (std::vector<std::string>{"05/12/26", "05/15/26", "05/21/26", "05/31/26"}));
    EXPECT_EQ(Column(list, kColNumber), (std::vector<std::string>{"", "", "1234", ""}));
    EXPECT_EQ(Column(list, kColDescription),
              (std::vector<std::string>{"FRESH MARKET", "PAYROLL", "CITY WATER", "INTEREST PAID"}));
    EXPECT_EQ(Column(list, kColAmount), (std::vector<std::string>{"-42.50", "2,000.00", "-75.00", "1.23"}));
    EXPECT_EQ(Column(list, kColRecord), (std::vector<std::string>{"05/10/26  Groceries", "05/15/26  Pay", "", ""}));
    EXPECT_EQ(Boxes(list), (std::vector<int>{2, 2, 2, 2}));
    EXPECT_FALSE(accounts::SaveDialogShot(preview, "import-preview-ofx").empty());

    ASSERT_TRUE(PressOk(preview));
    EXPECT_EQ(Summary(), Shown("may.ofx: 2 marked R, 2 added, 0 already in the register."));
    EXPECT_EQ(accounts::FileBytes(accounts::kFirstSlot), MayImported());

    // The Balance step follows with the statement's balance typed in. The
    // import has marked the statement's transactions: no question whether
    // the user typed the R marks comes first.
    HWND balance = WaitForDialogShowing(app_, kBalanceCaption, kBalanceEntry);
    ASSERT_NE(balance, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(ControlText(balance, kBalanceEntry), "2883.73");
    ASSERT_TRUE(ClickButton(balance, IDOK));
    std::optional<MessageBoxText> result = AnswerMessageBox(app_);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->text, "Your account balanced.");
    // The All view: the records the import marked and added stay in sight.
    ASSERT_TRUE(app_.WaitIdle());
    std::string rows;
    for (int row = 0; row < 7; ++row)
        rows += reg::FieldText(app_, row, reg::R) + " " + reg::FieldText(app_, row, reg::Desc) + "|";
    EXPECT_EQ(rows, "R Opening|R Groceries|R Pay| Dentist|R CITY WATER|R INTEREST PAID| |");
}

// A card's CSV lists payments as positive numbers, and ends with a total:
// the total is skipped and counted, and Reverse signs turns the payments
// around and matches them again at once.
TEST_F(ImportTest, ReverseSignsMatchesPaymentsListedAsPositive) {
    const std::string path = Write("card.csv",
                                   "Date,Description,Amount\r\n"
                                   "05/12/2026,FRESH MARKET,42.50\r\n"
                                   "05/21/2026,CITY WATER,75.00\r\n"
                                   "Total,,117.50\r\n");
    HWND preview = Preview(path);
    ASSERT_NE(preview, nullptr) << failure_;
    EXPECT_EQ(ControlText(preview, kIdImportPeriod), "1 line without a transaction was skipped.");
    HWND list = GetDlgItem(preview, kIdImportList);
    EXPECT_EQ(Column(list, kColAction), (std::vector<std::string>{"Add", "Add"}));
    EXPECT_EQ(Column(list, kColAmount), (std::vector<std::string>{"42.50", "75.00"}));

    ASSERT_TRUE(ClickButton(preview, kIdImportReverse));
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_EQ(Column(list, kColAction), (std::vector<std::string>{"Mark R", "Add"}));
    EXPECT_EQ(Column(list, kColAmount), (std::vector<std::string>{"-42.50", "-75.00"}));
    EXPECT_EQ(Column(list, kColRecord), (std::vector<std::string>{"05/10/26  Groceries", ""}));
    EXPECT_EQ(Boxes(list), (std::vector<int>{2, 2}));
    EXPECT_FALSE(accounts::SaveDialogShot(preview, "import-preview-reversed").empty());

    ASSERT_TRUE(PressOk(preview));
    EXPECT_EQ(Summary(), Shown("card.csv: 1 marked R, 1 added, 0 already in the register."));
    EXPECT_EQ(accounts::FileBytes(accounts::kFirstSlot),
              Joined(header_, {RegisterBlock(0, true), RegisterBlock(1, true), RegisterBlock(2, false),
                               RegisterBlock(3, false), accounts::RecordBlock("20260521", "CITY WATER", 75.0, 0, true)}));
}

// A statement saved under a Cyrillic name opens, is named as it is in the
// preview and the summary, and is imported; scripts/test also runs this
// under a user whose profile folder is named in Cyrillic.
TEST_F(ImportTest, AStatementNamedInCyrillicIsImported) {
    // "май.ofx" ("May").
    const std::string name = "\xD0\xBC\xD0\xB0\xD0\xB9.ofx";
    const std::string path = Write(name.c_str(), kMayOfx);
    ASSERT_FALSE(path.empty());
    HWND preview = Preview(path);
    ASSERT_NE(preview, nullptr) << failure_;
    EXPECT_EQ(WindowTextUtf8(GetDlgItem(preview, kIdImportFile)), "File: " + name);
    ASSERT_TRUE(PressOk(preview));
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->textUtf8, Shown(name + ": 2 marked R, 2 added, 0 already in the register."));
    EXPECT_EQ(accounts::FileBytes(accounts::kFirstSlot), MayImported());
    EXPECT_TRUE(DeclineBalance());
}

TEST_F(ImportTest, SameFileAgainChangesNothing) {
    const std::string path = Write("may.ofx", kMayOfx);
    ASSERT_NO_FATAL_FAILURE(ImportMay(path));
    const std::vector<uint8_t> imported = accounts::FileBytes(accounts::kFirstSlot);
    ASSERT_EQ(imported, MayImported());

    HWND preview = Preview(path);
    ASSERT_NE(preview, nullptr) << failure_;
    HWND list = GetDlgItem(preview, kIdImportList);
    EXPECT_EQ(Column(list, kColAction),
              (std::vector<std::string>{"Already there", "Already there", "Already there", "Already there"}));
    EXPECT_EQ(Boxes(list), (std::vector<int>{1, 1, 1, 1})) << "offered, not ticked";
    ASSERT_TRUE(PressOk(preview));
    EXPECT_EQ(Summary(), "may.ofx: 0 marked R, 0 added, 4 already in the register.");
    ASSERT_TRUE(DeclineBalance());
    EXPECT_EQ(accounts::FileBytes(accounts::kFirstSlot), imported);
}

TEST_F(ImportTest, CancelChangesNothing) {
    const std::string path = Write("may.ofx", kMayOfx);
    HWND preview = Preview(path);
    ASSERT_NE(preview, nullptr) << failure_;
    ASSERT_TRUE(ClickButton(preview, IDCANCEL));
    ASSERT_TRUE(WaitGone(preview));
    EXPECT_TRUE(reg::NoMessage(app_));
    EXPECT_EQ(accounts::FileBytes(accounts::kFirstSlot), before_);
    EXPECT_EQ(reg::FieldText(app_, 1, reg::R), "");
}

// QIF, worked with the keyboard alone: Space unticks the first row, Tab
// reaches OK, Enter presses it. A row whose date cannot be read is refused
// and cannot be ticked.
TEST_F(ImportTest, QifWithTheKeyboardAndARefusedRow) {
    const std::string path = Write("may.qif",
                                   "!Type:Bank\r\n"
                                   "D05/12/2026\r\nT-42.50\r\nPFRESH MARKET\r\n^\r\n"
                                   "D05/45/2026\r\nT-9.99\r\nPBAD DATE\r\n^\r\n"
                                   "D05/19/2026\r\nT-80.00\r\nPDR SMILE\r\n^\r\n"
                                   "D05/28/2026\r\nT-12.00\r\nN301\r\nPBOOK CLUB\r\n^\r\n");
    HWND preview = Preview(path);
    ASSERT_NE(preview, nullptr) << failure_;
    EXPECT_EQ(ControlText(preview, kIdImportPeriod), "") << "a QIF file gives neither period nor balance";
    HWND list = GetDlgItem(preview, kIdImportList);
    const std::vector<std::string> actions = Column(list, kColAction);
    ASSERT_EQ(actions.size(), 4u);
    EXPECT_EQ(actions[0], "Mark R");
    EXPECT_EQ(actions[1].rfind("Refused: ", 0), 0u) << actions[1];
    EXPECT_EQ(actions[2], "Mark R");
    EXPECT_EQ(actions[3], "Add");
    EXPECT_EQ(Boxes(list), (std::vector<int>{2, 0, 2, 2}));
    EXPECT_FALSE(accounts::SaveDialogShot(preview, "import-preview-qif").empty());

    ASSERT_TRUE(FocusControl(list));
    ASSERT_TRUE(PressKey(VK_SPACE));
    ASSERT_TRUE(WaitUntil([&] { return BoxOf(list, 0) == 1; }));
    ASSERT_TRUE(PressKey(VK_DOWN));
    ASSERT_TRUE(PressKey(VK_SPACE));
    ASSERT_TRUE(PressKey(VK_DOWN));
    ASSERT_TRUE(PressKey(VK_SPACE));
    ASSERT_TRUE(WaitUntil([&] { return BoxOf(list, 2) == 1; }));
    EXPECT_EQ(BoxOf(list, 1), 0) << "the refused row got a box";
    ASSERT_TRUE(PressKey(VK_SPACE));
    ASSERT_TRUE(WaitUntil([&] { return BoxOf(list, 2) == 2; }));
    ASSERT_TRUE(PressKey(VK_TAB));
    ASSERT_TRUE(WaitUntil([&] { return FocusedWindow(preview) == GetDlgItem(preview, IDOK); }));
    ASSERT_TRUE(PressKey(VK_RETURN));
    ASSERT_TRUE(WaitGone(preview));
    EXPECT_EQ(Summary(), Shown("may.qif: 1 marked R, 1 added, 0 already in the register."));
    EXPECT_TRUE(reg::NoMessage(app_)) << "no ending balance: no Balance flow";
    EXPECT_EQ(accounts::FileBytes(accounts::kFirstSlot),
              Joined(header_, {RegisterBlock(0, true), RegisterBlock(1, false), RegisterBlock(2, false),
                               RegisterBlock(3, true), CheckBlock("20260528", "301", "BOOK CLUB", 12.0)}));
}

TEST_F(ImportTest, CsvAddsInDateOrderInTheAllView) {
    ASSERT_TRUE(PostCommand(app_.MainWindow(), reg::kCmdViewAll));
    ASSERT_TRUE(app_.WaitIdle());
    const std::string path = Write("may.csv",
                                   "Date,Description,Amount\r\n"
                                   "05/15/2026,PAYROLL,2000.00\r\n"
                                   "05/03/2026,ATM,-60.00\r\n"
                                   "05/17/2026,REFUND,15.25\r\n");
    HWND preview = Preview(path);
    ASSERT_NE(preview, nullptr) << failure_;
    HWND list = GetDlgItem(preview, kIdImportList);
    EXPECT_EQ(Column(list, kColAction), (std::vector<std::string>{"Mark R", "Add", "Add"}));
    ASSERT_TRUE(PressOk(preview));
    EXPECT_EQ(Summary(), Shown("may.csv: 1 marked R, 2 added, 0 already in the register."));
    EXPECT_EQ(accounts::FileBytes(accounts::kFirstSlot),
              Joined(header_, {RegisterBlock(0, true), accounts::RecordBlock("20260503", "ATM", 60.0, 0, true),
                               RegisterBlock(1, false), RegisterBlock(2, true),
                               accounts::RecordBlock("20260517", "REFUND", 0, 15.25, true), RegisterBlock(3, false)}));
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_EQ(reg::FieldText(app_, 1, reg::Desc), "ATM");
    EXPECT_EQ(reg::FieldText(app_, 1, reg::R), "R");
}

// An import is one step of Undo and Redo, whatever it added and marked.
TEST_F(ImportTest, AnImportIsUndoneAndRedoneWhole) {
    const std::string path = Write("june.csv",
                                   "Date,Description,Amount\r\n"
                                   "05/15/2026,PAYROLL,2000.00\r\n"
                                   "05/03/2026,ATM,-60.00\r\n"
                                   "05/17/2026,REFUND,15.25\r\n");
    HWND preview = Preview(path);
    ASSERT_NE(preview, nullptr) << failure_;
    ASSERT_TRUE(PressOk(preview));
    Summary();
    const std::vector<uint8_t> imported = accounts::FileBytes(accounts::kFirstSlot);
    ASSERT_NE(imported, before_);

    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdUndo));
    EXPECT_TRUE(WaitUntil([&] { return accounts::FileBytes(accounts::kFirstSlot) == before_; }))
        << "the import was not undone whole";
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdRedo));
    EXPECT_TRUE(WaitUntil([&] { return accounts::FileBytes(accounts::kFirstSlot) == imported; }))
        << "the import was not done again whole";
    EXPECT_TRUE(reg::NoMessage(app_));
}

TEST_F(ImportTest, RefusedFilesChangeNothing) {
    const std::string held = Write("held.ofx", kMayOfx);
    UniqueHandle hold = accounts::HoldFile(held);
    ASSERT_TRUE(hold);
    const struct {
        const char* name;
        std::string text;
        std::string reasonStart;  // of the line after the file's name
    } cases[] = {
        {"empty.ofx", "", ""},
        {"letter.csv", "Dear bank,\r\nplease send my statement.\r\n", ""},
        {"held.ofx", "", accounts::SystemErrorText(ERROR_SHARING_VIOLATION)},
        {"huge.csv", std::string(kLargestStatementFile + 1, '1'), "The file is larger than 50 MB"},
    };
    for (const auto& c : cases) {
        const std::string path = c.name == std::string("held.ofx") ? held : Write(c.name, c.text);
        ASSERT_NE(OpenInDialog(path), nullptr) << c.name << ": " << failure_;
        std::optional<MessageBoxText> told = AnswerMessageBox(app_);
        ASSERT_TRUE(told) << c.name;
        EXPECT_EQ(told->caption, kImportCaption);
        const std::string head = std::string(c.name) + " cannot be imported.\n";
        EXPECT_EQ(told->text.rfind(head + c.reasonStart, 0), 0u) << told->text;
        EXPECT_GT(told->text.size(), head.size()) << c.name << ": says what is wrong";
        EXPECT_EQ(WaitForDialogShowing(app_, kImportCaption, kIdImportList, nullptr, Duration(300)), nullptr);
        EXPECT_EQ(accounts::FileBytes(accounts::kFirstSlot), before_) << c.name;
    }
}

TEST_F(ProgramTest, ImportWithoutAnOpenAccountDoesNothing) {
    ASSERT_TRUE(app_.Start());
    ASSERT_NE(accounts::WaitForStartScreen(app_), nullptr);
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdImport));
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_EQ(WaitForDialogShowing(app_, kImportCaption, IDOK, nullptr, Duration(300)), nullptr);
    EXPECT_TRUE(reg::NoMessage(app_));
}

// A deposit that would take the balances past what the register can show
// is refused before anything changes, with one message naming the limit;
// the commands after it run as before.
TEST_F(ImportTest, BalanceTheRegisterCannotShowIsRefusedBeforeAnythingChanges) {
    const std::string path = Write("big.ofx",
                                   "<OFX><BANKMSGSRSV1><STMTTRNRS><STMTRS><BANKTRANLIST>"
                                   "<STMTTRN><TRNTYPE>CREDIT<DTPOSTED>20260525<TRNAMT>999999.99<NAME>LOTTERY</STMTTRN>"
                                   "</BANKTRANLIST></STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>");
    ASSERT_TRUE(app_.Stop());
    // 9,500,000 cleared, in deposits the register accepts.
    std::vector<reg::Tx> large;
    for (int i = 0; i < 10; ++i)
        large.push_back({.date = "20260501", .description = "Deposit", .deposit = 950000.0, .cleared = true});
    ASSERT_EQ(reg::OpenWrittenAccount(app_, large, kOpeningDate), "");
    const std::vector<uint8_t> opened = accounts::FileBytes(accounts::kFirstSlot);
    HWND preview = Preview(path);
    ASSERT_NE(preview, nullptr) << failure_;
    ASSERT_TRUE(PressOk(preview));
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, kImportCaption);
    EXPECT_EQ(told->text,
              "big.ofx cannot be imported.\nThe running balance would go above 9,999,999.99, the largest balance "
              "the register shows.");
    EXPECT_TRUE(reg::NoMessage(app_)) << "one message, no summary";
    EXPECT_EQ(accounts::FileBytes(accounts::kFirstSlot), opened);
    // Nothing is left for the next command's checks to trip on.
    ASSERT_TRUE(PostCommand(app_.MainWindow(), reg::kCmdViewAll));
    EXPECT_TRUE(reg::NoMessage(app_));
    EXPECT_EQ(reg::FieldText(app_, 9, reg::Desc), "Deposit");
    EXPECT_EQ(reg::FieldText(app_, 10, reg::Desc), "");
}

// New Transaction leaves a blank record above the focused row, saved
// there, and it comes back with the account: an import afterwards still
// puts its records in date order among all records.
TEST_F(ImportTest, AfterANewTransactionBlankRecordsLandInDateOrder) {
    ASSERT_TRUE(app_.Stop());
    std::vector<reg::Tx> withBlank = kRegister;
    withBlank.insert(withBlank.begin() + 3, reg::Tx{});
    ASSERT_EQ(reg::OpenWrittenAccount(app_, withBlank, kOpeningDate), "");
    ASSERT_EQ(reg::FieldText(app_, 2, reg::Desc), "");
    ASSERT_EQ(reg::FieldText(app_, 3, reg::Desc), "Dentist");
    const std::string path = Write("late.csv",
                                   "Date,Description,Amount\r\n"
                                   "05/25/2026,BOOKS,-10.00\r\n"
                                   "05/03/2026,ATM,-60.00\r\n");
    HWND preview = Preview(path);
    ASSERT_NE(preview, nullptr) << failure_;
    ASSERT_TRUE(PressOk(preview));
    EXPECT_EQ(Summary().rfind("late.csv: 0 marked R, 2 added", 0), 0u);
    std::string dated;
    for (const reg::Tx& tx : reg::StoredRecords())
        if (!tx.date.empty()) dated += tx.date + " " + tx.description + "\n";
    EXPECT_EQ(dated,
              "20260501 Opening\n20260503 ATM\n20260510 Groceries\n20260515 Pay\n20260520 Dentist\n"
              "20260525 BOOKS\n");
}

// A file of two accounts asks which one to import; the choice is made
// with the keyboard.
TEST_F(ImportTest, FileOfTwoAccountsAsksWhichOne) {
    std::string two = kMayOfx;
    const std::string statementEnd = "</STMTRS>\r\n</STMTTRNRS>\r\n";
    const std::size_t start = two.find("<STMTTRNRS>");
    const std::size_t end = two.find(statementEnd) + statementEnd.size();
    std::string savings = two.substr(start, end - start);
    savings.replace(savings.find("000123456789"), 12, "55554321");
    savings.replace(savings.find("CHECKING"), 8, "SAVINGS");
    two.insert(end, savings);
    const std::string path = Write("two.ofx", two);
    ASSERT_NE(OpenInDialog(path), nullptr) << failure_;
    HWND choice = WaitForDialogShowing(app_, kImportCaption, kIdImportChoiceList);
    ASSERT_NE(choice, nullptr) << app_.DescribeWindows();
    HWND accounts = GetDlgItem(choice, kIdImportChoiceList);
    EXPECT_EQ(SendMessageA(accounts, LB_GETCOUNT, 0, 0), 2);
    EXPECT_FALSE(accounts::SaveDialogShot(choice, "import-choose-account").empty());
    ASSERT_TRUE(FocusControl(accounts));
    ASSERT_TRUE(PressKey(VK_DOWN));
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(accounts, LB_GETCURSEL, 0, 0) == 1; }));
    ASSERT_TRUE(PressKey(VK_RETURN));
    ASSERT_TRUE(WaitGone(choice));
    HWND preview = WaitForDialogShowing(app_, kImportCaption, kIdImportList);
    ASSERT_NE(preview, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(ControlText(preview, kIdImportAccount), "Account: Savings ...4321");
    ASSERT_TRUE(ClickButton(preview, IDCANCEL));
    ASSERT_TRUE(WaitGone(preview));
    EXPECT_EQ(accounts::FileBytes(accounts::kFirstSlot), before_);
}

// A save that fails is told once, like any failed save; nothing is summed
// up as done and no Balance step follows. The change is kept for the next
// save.
TEST_F(ImportTest, FailedSaveIsToldOnceAndWrittenByTheNextSave) {
    const std::string path = Write("may.ofx", kMayOfx);
    HWND preview = Preview(path);
    ASSERT_NE(preview, nullptr) << failure_;
    {
        UniqueHandle hold = accounts::HoldFile(accounts::AccountPath(accounts::kFirstSlot));
        ASSERT_TRUE(hold);
        ASSERT_TRUE(PressOk(preview));
        std::optional<MessageBoxText> failed = AnswerMessageBox(app_);
        ASSERT_TRUE(failed);
        EXPECT_EQ(failed->caption, "Error Saving File");
        EXPECT_TRUE(reg::NoMessage(app_)) << "no summary, no Balance step";
    }
    EXPECT_EQ(accounts::FileBytes(accounts::kFirstSlot), before_);
    // The next command's checks save what the import changed.
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdImport));
    HWND open = WaitForDialogShowing(app_, kImportCaption, IDOK);
    ASSERT_NE(open, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(accounts::FileBytes(accounts::kFirstSlot), MayImported());
    ASSERT_TRUE(ClickButton(open, IDCANCEL));
    ASSERT_TRUE(WaitGone(open));
    EXPECT_TRUE(reg::NoMessage(app_));
}

// The Current view hides records marked "R", which is every record an
// import marks or adds: the register turns to the All view at the first
// of them.
TEST_F(ImportTest, AddedRecordsStayInSightInTheAllView) {
    ASSERT_TRUE(app_.Stop());
    ASSERT_EQ(reg::OpenWrittenAccount(app_, reg::Numbered(40), "20260101"), "");
    const std::string path = Write("jan.csv",
                                   "Date,Description,Amount\r\n"
                                   "01/15/2026,BOOKSHOP,-7.00\r\n"
                                   "02/20/2026,LATE FEE,-3.00\r\n");
    HWND preview = Preview(path);
    ASSERT_NE(preview, nullptr) << failure_;
    ASSERT_TRUE(PressOk(preview));
    EXPECT_EQ(Summary(), Shown("jan.csv: 0 marked R, 2 added, 0 already in the register."));
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_EQ(reg::FieldText(app_, 0, reg::Desc), "BOOKSHOP");
    EXPECT_EQ(reg::FieldText(app_, 0, reg::R), "R");
    EXPECT_EQ(reg::FieldText(app_, 1, reg::Desc), "r16");
}

// The preview can be made larger; the list grows with it, the buttons
// follow, every column shows its texts whole, and the next preview of the
// run keeps the size. A file that names no account shows no account line.
TEST_F(ImportTest, PreviewResizedShowsEveryColumnWhole) {
    const std::string path = Write("store.csv",
                                   "Date,Description,Amount\r\n"
                                   "05/12/2026,FRESH MARKET,-42.50\r\n"
                                   "05/25/2026,THE VERY LONG NAME OF A HARDWARE STORE DOWN THE ROAD 1234,-15.00\r\n");
    HWND preview = Preview(path);
    ASSERT_NE(preview, nullptr) << failure_;
    EXPECT_EQ(ControlText(preview, kIdImportAccount), "");
    EXPECT_EQ(ControlText(preview, kIdImportBeforeOpening), "");
    HWND list = GetDlgItem(preview, kIdImportList);
    const SIZE first = SizeOf(preview);
    const SIZE firstList = SizeOf(list);

    const SIZE larger = {first.cx + 160, first.cy + 120};
    ASSERT_TRUE(SetWindowPos(preview, nullptr, 0, 0, larger.cx, larger.cy, SWP_NOMOVE | SWP_NOZORDER));
    ASSERT_TRUE(WaitUntil([&] { return SizeOf(list).cx == firstList.cx + 160; })) << SizeOf(list).cx;
    EXPECT_EQ(SizeOf(list).cy, firstList.cy + 120);
    RECT dialogRect{}, okRect{};
    GetWindowRect(preview, &dialogRect);
    GetWindowRect(GetDlgItem(preview, IDOK), &okRect);
    EXPECT_LT(dialogRect.bottom - okRect.bottom, 40) << "OK stays at the bottom";
    EXPECT_FALSE(accounts::SaveDialogShot(preview, "import-preview-resized").empty());

    RECT client{};
    GetClientRect(list, &client);
    const char* const titles[kImportColumnCount] = {"Action", "Date", "Num", "Description", "Amount",
                                                    "Register record"};
    int columns = 0;
    for (int column = 0; column < kImportColumnCount; ++column) {
        const int width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0));
        columns += width;
        EXPECT_GE(width, StringWidth(list, titles[column]) + 16) << "column " << column << " cuts its title";
        for (const std::string& cell : Column(list, column))
            EXPECT_GE(width, StringWidth(list, cell) + 6) << "column " << column << " cuts \"" << cell << "\"";
    }
    EXPECT_LE(columns, client.right) << "the columns fit in the list";

    ASSERT_TRUE(ClickButton(preview, IDCANCEL));
    ASSERT_TRUE(WaitGone(preview));
    HWND again = Preview(path);
    ASSERT_NE(again, nullptr) << failure_;
    EXPECT_EQ(SizeOf(again).cx, larger.cx) << "the size is kept for the next import";
    EXPECT_EQ(SizeOf(again).cy, larger.cy);
    ASSERT_TRUE(ClickButton(again, IDCANCEL));
    ASSERT_TRUE(WaitGone(again));
}

// Transactions dated before the account's opening balance may be another
// account's: they are offered unticked, and a line says how many.
TEST_F(ImportTest, TransactionsBeforeTheOpeningBalanceAreOfferedUnticked) {
    const std::string path = Write("april.csv",
                                   "Date,Description,Amount\r\n"
                                   "04/20/2026,OLD RENT,-900.00\r\n"
                                   "04/25/2026,OLD GAS,-30.00\r\n"
                                   "05/25/2026,BOOKS,-10.00\r\n");
    HWND preview = Preview(path);
    ASSERT_NE(preview, nullptr) << failure_;
    HWND list = GetDlgItem(preview, kIdImportList);
    EXPECT_EQ(Column(list, kColAction),
              (std::vector<std::string>{"Add (before the account's opening balance)",
                                        "Add (before the account's opening balance)", "Add"}));
    EXPECT_EQ(Boxes(list), (std::vector<int>{1, 1, 2}));
    EXPECT_EQ(ControlText(preview, kIdImportBeforeOpening),
              "2 transactions are dated before the account's opening balance (05/01/26); they are left unticked. "
              "Is this statement for this account?");
    // The user may tick one all the same.
    ASSERT_TRUE(FocusControl(list));
    ASSERT_TRUE(PressKey(VK_SPACE));
    ASSERT_TRUE(WaitUntil([&] { return BoxOf(list, 0) == 2; }));
    ASSERT_TRUE(PressOk(preview));
    EXPECT_EQ(Summary(), Shown("april.csv: 0 marked R, 2 added, 0 already in the register."));
    EXPECT_EQ(reg::Descriptions(reg::StoredRecords()), "OLD RENT Opening Groceries Pay Dentist BOOKS");
}

// The Open dialog starts where a statement from the bank lands, the
// Downloads folder, and the next time in the folder used last.
TEST_F(ImportTest, OpenDialogStartsInDownloadsThenTheFolderUsedLast) {
    const std::string downloads = DownloadsFolder();
    ASSERT_FALSE(downloads.empty());
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdImport));
    HWND open = WaitForDialogShowing(app_, kImportCaption, IDOK);
    ASSERT_NE(open, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(SameFolder(OpenDialogFolder(open)), SameFolder(downloads));
    ASSERT_TRUE(ClickButton(open, IDCANCEL));
    ASSERT_TRUE(WaitGone(open));

    const std::string path = Write("may.ofx", kMayOfx);
    HWND preview = Preview(path);
    ASSERT_NE(preview, nullptr) << failure_;
    ASSERT_TRUE(ClickButton(preview, IDCANCEL));
    ASSERT_TRUE(WaitGone(preview));
    ASSERT_TRUE(PostCommand(app_.MainWindow(), kCmdImport));
    open = WaitForDialogShowing(app_, kImportCaption, IDOK);
    ASSERT_NE(open, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(SameFolder(OpenDialogFolder(open)), SameFolder(AccountsFolder()));
    ASSERT_TRUE(ClickButton(open, IDCANCEL));
    ASSERT_TRUE(WaitGone(open));
}

}  // namespace
}  // namespace e2e
