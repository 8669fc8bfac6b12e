// Import Bank Statement on the real program: the menu command, the system's
// Open dialog, the preview with its check boxes, and the account file on
// disk afterwards, byte for byte. OFX, QIF and CSV files; Cancel; the same
// file imported twice; files that are refused.
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "accounts_helpers.h"
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

// A cell of the program's list: the request and its answer go through
// memory inside the program, as a list's texts cannot cross processes.
std::string CellText(HWND list, int row, int column) {
    UniqueHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(list)));
    if (!process) return "(no process)";
    constexpr SIZE_T kTextSize = 256;
    void* remote = VirtualAllocEx(process.get(), nullptr, sizeof(LVITEMA) + kTextSize, MEM_COMMIT, PAGE_READWRITE);
    if (!remote) return "(no memory)";
    LVITEMA item{};
    item.iSubItem = column;
    item.cchTextMax = kTextSize;
    item.pszText = static_cast<char*>(remote) + sizeof(LVITEMA);
    char text[kTextSize] = {};
    const bool ok = WriteProcessMemory(process.get(), remote, &item, sizeof item, nullptr) &&
                    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote)) >= 0 &&
                    ReadProcessMemory(process.get(), item.pszText, text, kTextSize - 1, nullptr);
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return ok ? std::string(text) : "(unreadable)";
}

std::vector<std::string> Column(HWND list, int column) {
    std::vector<std::string> cells;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) cells.push_back(CellText(list, i, column));
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
        ASSERT_EQ(reg::OpenWrittenAccount(app_, kRegister), "");
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

    // The May statement imported with every row as offered, the Balance
    // flow declined.
    void ImportMay(const std::string& path) {
        HWND preview = Preview(path);
        ASSERT_NE(preview, nullptr) << failure_;
        ASSERT_TRUE(PressOk(preview));
        Summary();
        ASSERT_TRUE(DeclineBalance());
    }

    // The Balance flow that follows an import with an ending balance,
    // answered No, and the help text that No gives.
    bool DeclineBalance() {
        std::optional<MessageBoxText> question = AnswerMessageBox(app_, IDNO);
        return question && question->caption == kBalanceCaption && AnswerMessageBox(app_);
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
    EXPECT_EQ(Summary(), "may.ofx: 2 marked R, 2 added, 0 already in the register.");
    EXPECT_EQ(accounts::FileBytes(accounts::kFirstSlot), MayImported());

    // The Balance flow follows with the statement's balance typed in.
    std::optional<MessageBoxText> question = AnswerMessageBox(app_, IDYES);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->caption, kBalanceCaption);
    HWND balance = WaitForDialogShowing(app_, kBalanceCaption, kBalanceEntry);
    ASSERT_NE(balance, nullptr) << app_.DescribeWindows();
    EXPECT_EQ(ControlText(balance, kBalanceEntry), "2883.73");
    ASSERT_TRUE(ClickButton(balance, IDOK));
    std::optional<MessageBoxText> result = AnswerMessageBox(app_);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->text, "Your account balanced.");
    // Current view: the dentist is the one open transaction left.
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_EQ(reg::FieldText(app_, 0, reg::Desc), "Dentist");
    EXPECT_EQ(reg::FieldText(app_, 1, reg::Desc), "");
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
    EXPECT_EQ(told->textUtf8, name + ": 2 marked R, 2 added, 0 already in the register.");
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
    EXPECT_EQ(Summary(), "may.qif: 1 marked R, 1 added, 0 already in the register.");
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
    EXPECT_EQ(Summary(), "may.csv: 1 marked R, 2 added, 0 already in the register.");
    EXPECT_EQ(accounts::FileBytes(accounts::kFirstSlot),
              Joined(header_, {RegisterBlock(0, true), accounts::RecordBlock("20260503", "ATM", 60.0, 0, true),
                               RegisterBlock(1, false), RegisterBlock(2, true),
                               accounts::RecordBlock("20260517", "REFUND", 0, 15.25, true), RegisterBlock(3, false)}));
    ASSERT_TRUE(app_.WaitIdle());
    EXPECT_EQ(reg::FieldText(app_, 1, reg::Desc), "ATM");
    EXPECT_EQ(reg::FieldText(app_, 1, reg::R), "R");
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

// A deposit that takes the cleared balance past what the register can
// show is added all the same, with the register's message.
TEST_F(ImportTest, BalanceTooLargeToDisplayIsTold) {
    const std::string path = Write("big.ofx",
                                   "<OFX><BANKMSGSRSV1><STMTTRNRS><STMTRS><BANKTRANLIST>"
                                   "<STMTTRN><TRNTYPE>CREDIT<DTPOSTED>20260525<TRNAMT>999999.99<NAME>LOTTERY</STMTTRN>"
                                   "</BANKTRANLIST></STMTRS></STMTTRNRS></BANKMSGSRSV1></OFX>");
    ASSERT_TRUE(app_.Stop());
    ASSERT_EQ(reg::OpenWrittenAccount(app_, {{.date = "20260501", .description = "Opening", .deposit = 9500000.0,
                                              .cleared = true}}),
              "");
    const std::vector<uint8_t> opened = accounts::FileBytes(accounts::kFirstSlot);
    HWND preview = Preview(path);
    ASSERT_NE(preview, nullptr) << failure_;
    ASSERT_TRUE(PressOk(preview));
    std::optional<MessageBoxText> told = AnswerMessageBox(app_);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->caption, "Data Entry Error");
    EXPECT_EQ(told->text, "The ending balance will be too large to display correctly.");
    EXPECT_EQ(Summary(), "big.ofx: 0 marked R, 1 added, 0 already in the register.");
    EXPECT_EQ(accounts::FileBytes(accounts::kFirstSlot),
              Joined(std::vector<uint8_t>(opened.begin(), opened.begin() + 128),
                     {std::vector<uint8_t>(opened.begin() + 128, opened.end()),
                      accounts::RecordBlock("20260525", "LOTTERY", 0, 999999.99, true)}));
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

// A save that fails is told once and kept for the next save.
TEST_F(ImportTest, FailedSaveIsToldAndWrittenByTheNextSave) {
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
        EXPECT_EQ(Summary(), "may.ofx: 2 marked R, 2 added, 0 already in the register.");
        ASSERT_TRUE(DeclineBalance());
        EXPECT_TRUE(reg::NoMessage(app_));
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

}  // namespace
}  // namespace e2e
