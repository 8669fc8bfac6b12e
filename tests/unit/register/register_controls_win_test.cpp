// The register on real edit controls in a test window: the field rules as
// the controls show them, the field window procedure's handling of keys,
// characters, clicks, the wheel and the clipboard, the scroll bar, the
// painting, and a save that reaches the disk.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/account.h"
#include "model/account_builder.h"
#include "register/edit_window.h"
#include "register/multi_records.h"
#include "register/register.h"
#include "register/register_display.h"
#include "register/register_host.h"
#include "register/register_layout.h"
#include "storage/data_file.h"
#include "storage/save_account.h"
#include "ui/storage_messages.h"
#include "ui/message_box.h"
#include "values/date.h"

namespace {

using model_test::Cleared;
using model_test::Tx;

struct CapturedBox {
    std::string title;
    std::string text;
};
std::vector<CapturedBox> g_boxes;

int CaptureBox(HWND__*, const char* text, const char* title, unsigned) {
    g_boxes.push_back({title, text});
    return IDOK;
}

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_VSCROLL) {
        ScrollRegister(wParam, lParam);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

const char* ParentClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
        wc.lpszClassName = "RegisterTestParent";
        RegisterClassA(&wc);
        return "RegisterTestParent";
    }();
    return name;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

class RegisterWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_boxes.clear();
        previousBox_ = SetMessageBoxFunction(CaptureBox);
        g_Date.SetDateFormat(kFormatMMDDYY);
        parent_ = CreateWindowExA(0, ParentClass(), "register", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 820, 600,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
        ASSERT_TRUE(CreateRegisterControls(parent_, GetModuleHandleA(nullptr), 0));
        ASSERT_TRUE(AttachFieldProcedures());
        SetForegroundWindow(parent_);
        Pump();
        ClearRegister();
        g_Account.ClearAccount();
        g_Account.needsSaving = 0;
        CopyFixedText(g_CurrentAccountFile, sizeof g_CurrentAccountFile, "");
    }
    void TearDown() override {
        ClearRegister();
        g_Account.ClearAccount();
        g_Account.isOpen = 0;
        g_Account.needsSaving = 0;
        DestroyWindow(parent_);
        for (HWND& field : g_hFieldWindows) field = nullptr;
        g_hScrollBar = nullptr;
        SetRegisterHost(nullptr);
        SetMessageBoxFunction(previousBox_);
        if (!folder_.empty()) {
            DeleteFileA((folder_ + "\\T.LPD").c_str());
            DeleteFileA((folder_ + "\\TI.LPD").c_str());
            RemoveDirectoryA(folder_.c_str());
        }
    }

    void Open(const std::vector<Tx>& txs, int view = ViewAll) {
        model_test::Build(g_Account, txs);
        g_Account.isOpen = 1;
        g_Account.view = view;
        g_MultiRecords.ShowLastRecords();
        Pump();
    }
    // Saves go to a file of the test's own.
    void SaveInto() {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        folder_ = std::string(temp) + "ledger_register_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        CopyFixedText(g_CurrentAccountFile, sizeof g_CurrentAccountFile, (folder_ + "\\T.LPD").c_str());
    }

    static HWND Field(int row, int field) { return g_hFieldWindows[FieldId(row, field) - kFirstFieldId]; }
    static std::string Text(HWND control) {
        char text[256] = {};
        GetWindowTextA(control, text, sizeof text);
        return text;
    }
    static std::string Text(int row, int field) { return Text(Field(row, field)); }
    static void SetText(int row, int field, const char* text) { SetWindowTextA(Field(row, field), text); }
    static LRESULT Key(HWND control, UINT vk) {
        const LRESULT result = SendMessageA(control, WM_KEYDOWN, vk, 1);
        SendMessageA(control, WM_KEYUP, vk, 0xC0000001);
        return result;
    }
    static void Char(HWND control, char ch) { SendMessageA(control, WM_CHAR, static_cast<unsigned char>(ch), 1); }
    static void Click(HWND control, UINT message = WM_LBUTTONDOWN) {
        SendMessageA(control, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(2, 2));
        SendMessageA(control, message == WM_LBUTTONDOWN ? WM_LBUTTONUP : WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
    }

    HWND parent_ = nullptr;
    MessageBoxFunction previousBox_ = nullptr;
    std::string folder_;
};

TEST_F(RegisterWindowTest, FieldsShowSeparatorsAndReadAmountsBack) {
    EditWindow payment(FieldId(0, PAYMENT_FLD), kKindAmount);
    payment.SetText("1234.50");
    EXPECT_EQ(Text(0, PAYMENT_FLD), "1,234.50");
    payment.SetText("1234.5");
    EXPECT_EQ(Text(0, PAYMENT_FLD), "1234.5");
    EditWindow balance(FieldId(0, BALANCE_FLD), kKindBalance);
    balance.SetText("1234567.89");
    EXPECT_EQ(Text(0, BALANCE_FLD), "1,234,567.89");

    char out[kFieldTextSize];
    SetText(0, PAYMENT_FLD, "1,234.56");
    payment.GetInput(out);
    EXPECT_STREQ(out, "1234.56");
    EXPECT_STREQ(payment.Text(), "1234.56");
    EXPECT_FALSE(payment.IsInvalid());
    EXPECT_EQ(Text(0, PAYMENT_FLD), "1,234.56");  // the control keeps what was typed
    SetText(0, PAYMENT_FLD, "12a");
    payment.GetInput(out);
    EXPECT_TRUE(payment.IsInvalid());
}

TEST_F(RegisterWindowTest, TheReconcileFieldTakesOneCapitalLetter) {
    HWND r = Field(0, RECONCILE_FLD);
    Char(r, 'r');
    Char(r, 'x');
    EXPECT_EQ(Text(r), "R");
    const std::string longText(120, 'd');
    HWND description = Field(0, DESC_FLD);
    for (char ch : longText) Char(description, ch);
    EXPECT_EQ(Text(description).size(), kFieldReadSize - 1);  // nothing typed is cut off later
}

TEST_F(RegisterWindowTest, DisplayRecordsFillsTheControls) {
    model_test::Build(g_Account, {{.desc = "a", .date = "20260301", .deposit = 100},
                                  {.desc = "b", .date = "20260302", .check = 7, .payment = 25},
                                  {.desc = "c", .date = "20260303", .deposit = 12345678},
                                  {.desc = "d", .date = "20260304"},
                                  {.desc = "e", .date = "20260305", .payment = 1}});
    g_Account.isOpen = 1;
    g_Account.view = ViewAll;
    g_Account.PositionAtTop(0);
    DisplayRecords(g_Account.current);
    EXPECT_EQ(g_MultiRecords.LastFilledRow(), 4);
    for (int row = 0; row < kRegisterRows; ++row)
        EXPECT_EQ(Text(row, DESC_FLD), row <= 4 ? std::string(1, static_cast<char>('a' + row)) : "") << row;
    EXPECT_EQ(Text(1, DATE_FLD), "03/02/26");
    EXPECT_EQ(Text(1, NUM_FLD), "7");
    EXPECT_EQ(Text(1, PAYMENT_FLD), "25.00");
    EXPECT_EQ(Text(1, DEPOSIT_FLD), "");
    EXPECT_EQ(Text(2, DEPOSIT_FLD), "12,345,678.00");
    EXPECT_EQ(Text(2, BALANCE_FLD), "*,***,***.**");
    EXPECT_EQ(Text(g_hFieldWindows[kEndingBalanceId - kFirstFieldId]), "*,***,***.**");

    g_Date.SetDateFormat(kFormatYYMMDD);
    DisplayRecords(g_Account.current);
    EXPECT_EQ(Text(1, DATE_FLD), "26/03/02");
    EXPECT_STREQ(g_Account.Head()->next->record->date, "20260302");
    g_Date.SetDateFormat(kFormatMMDDYY);
}

TEST_F(RegisterWindowTest, CurrentViewOfClearedRecordsGetsABlankRow) {
    model_test::Build(g_Account, {Cleared({.desc = "OPENING BALANCE", .date = "20260301", .deposit = 250})});
    g_Account.isOpen = 1;
    g_Account.view = ViewCurrent;
    g_Account.PositionAtTop(0);
    DisplayRecords(g_Account.current);
    EXPECT_EQ(g_Account.RecordCount(), 2u);
    EXPECT_EQ(g_MultiRecords.LastFilledRow(), 0);
    EXPECT_EQ(Text(0, DESC_FLD), "");
    EXPECT_EQ(Text(g_hFieldWindows[kOpeningBalanceId - kFirstFieldId]), "250.00");
}

TEST_F(RegisterWindowTest, TypingMarksTheAccountChangedButASpaceDoesNot) {
    Open({{.desc = "a", .date = "20260301"}});
    HWND description = Field(0, DESC_FLD);
    struct Step {
        UINT message;
        WPARAM code;
        int needsSaving;
    };
    const Step steps[] = {
        {WM_CHAR, ' ', 0}, {WM_KEYDOWN, VK_LEFT, 0}, {WM_CHAR, 'x', 1}, {WM_CHAR, '\b', 1},
        {WM_KEYDOWN, VK_DELETE, 1}, {WM_CUT, 0, 1}, {WM_UNDO, 0, 1},
    };
    for (const Step& s : steps) {
        g_Account.needsSaving = 0;
        SendMessageA(description, s.message, s.code, 1);
        EXPECT_EQ(g_Account.needsSaving, s.needsSaving) << "message " << s.message << " code " << s.code;
    }
}

TEST_F(RegisterWindowTest, TabAndEnterMoveTheFocusAndLeaveNoCharacter) {
    Open({{.desc = "a", .date = "20260301"}, {.desc = "b", .date = "20260302"}});
    g_MultiRecords.SetFocusToRecordAndField(1, DESC_FLD);
    HWND description = Field(1, DESC_FLD);
    ASSERT_EQ(GetFocus(), description);
    Key(description, VK_TAB);
    Char(description, '\t');
    EXPECT_EQ(GetFocus(), Field(1, PAYMENT_FLD));
    EXPECT_EQ(Text(description), "b");
    SetWindowTextA(Field(1, PAYMENT_FLD), "25");
    Key(Field(1, PAYMENT_FLD), VK_RETURN);
    Char(Field(1, PAYMENT_FLD), '\r');
    EXPECT_EQ(GetFocus(), Field(2, DATE_FLD));
    EXPECT_EQ(Text(1, PAYMENT_FLD), "25.00");
    EXPECT_EQ(g_Account.RecordCount(), 3u);
    // Up from the untouched blank record takes it away again.
    EXPECT_EQ(Key(Field(2, DATE_FLD), VK_UP), 0);
    EXPECT_EQ(GetFocus(), Field(1, DATE_FLD));
    EXPECT_EQ(g_Account.RecordCount(), 2u);
}

TEST_F(RegisterWindowTest, ClicksMoveTheFocusExceptOnBalances) {
    Open({{.desc = "a", .date = "20260301"}, {.desc = "b", .date = "20260302"}, {.desc = "c", .date = "20260303"}});
    g_MultiRecords.SetFocusToRecordAndField(0, NUM_FLD);
    for (HWND balance : {Field(1, BALANCE_FLD), g_hFieldWindows[kOpeningBalanceId - kFirstFieldId],
                         g_hFieldWindows[kEndingBalanceId - kFirstFieldId]}) {
        Click(balance);
        SendMessageA(balance, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(balance, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(GetFocus(), Field(0, NUM_FLD));
    }
    Click(Field(2, DESC_FLD));
    EXPECT_EQ(GetFocus(), Field(2, DESC_FLD));
    EXPECT_EQ(g_MultiRecords.Focus(), 2);
    // The empty row below the last record: as Down, a blank record.
    Click(Field(3, DESC_FLD));
    EXPECT_EQ(GetFocus(), Field(3, DATE_FLD));
    EXPECT_EQ(g_Account.RecordCount(), 4u);
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(RegisterWindowTest, RefusedInputShowsItsMessageAndKeepsTheFocus) {
    Open({{.desc = "a", .date = "20260301"}, {.desc = "b", .date = "20260302"}});
    g_MultiRecords.SetFocusToRecordAndField(1, PAYMENT_FLD);
    SetText(1, PAYMENT_FLD, "$5");
    Key(Field(1, PAYMENT_FLD), VK_TAB);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].title, "Amount Error");
    EXPECT_EQ(GetFocus(), Field(1, PAYMENT_FLD));
    EXPECT_EQ(Text(1, PAYMENT_FLD), "$5");
}

TEST_F(RegisterWindowTest, WheelAndScrollBarMoveTheRows) {
    std::vector<std::string> names;
    std::vector<Tx> txs;
    for (int i = 0; i < 40; ++i) names.push_back("r" + std::to_string(i));
    for (int i = 0; i < 40; ++i) txs.push_back({.desc = names[i].c_str(), .date = "20260301"});
    Open(txs);
    ASSERT_EQ(g_Account.topIndex, 22);
    g_MultiRecords.SetFocusToRecordAndField(5, DESC_FLD);
    // Half a notch waits; the second half moves one row down.
    SendMessageA(Field(5, DESC_FLD), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-60)), 0);
    EXPECT_EQ(g_MultiRecords.Focus(), 5);
    SendMessageA(Field(5, DESC_FLD), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-60)), 0);
    EXPECT_EQ(g_MultiRecords.Focus(), 6);
    EXPECT_EQ(GetFocus(), Field(6, DESC_FLD));

    SendMessageA(parent_, WM_VSCROLL, MAKEWPARAM(SB_PAGEUP, 0), reinterpret_cast<LPARAM>(g_hScrollBar));
    EXPECT_EQ(g_Account.topIndex, 4);
    EXPECT_EQ(GetScrollPos(g_hScrollBar, SB_CTL), 4 + 6);
    int low = -1, high = -1;
    GetScrollRange(g_hScrollBar, SB_CTL, &low, &high);
    EXPECT_EQ(high, 39);

    SendMessageA(parent_, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 12), reinterpret_cast<LPARAM>(g_hScrollBar));
    EXPECT_EQ(g_Account.topIndex, 12);
    EXPECT_EQ(Text(0, DESC_FLD), "r12");
    EXPECT_EQ(GetFocus(), Field(0, DATE_FLD));
    // The last position does nothing.
    SendMessageA(parent_, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 39), reinterpret_cast<LPARAM>(g_hScrollBar));
    EXPECT_EQ(g_Account.topIndex, 12);
    SendMessageA(parent_, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 30), reinterpret_cast<LPARAM>(g_hScrollBar));
    EXPECT_EQ(g_Account.topIndex, 12);
}

TEST_F(RegisterWindowTest, PasteIsTypingAndLosingTheFocusDropsTheSelection) {
    Open({{.desc = "a", .date = "20260301"}});
    g_MultiRecords.SetFocusToRecordAndField(0, DESC_FLD);
    HWND description = Field(0, DESC_FLD);
    DWORD start = 0, end = 0;
    SendMessageA(description, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end, 1u);  // the whole text is selected on arrival
    SendMessageA(description, WM_KILLFOCUS, 0, 0);
    SendMessageA(description, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, end);

    g_Account.needsSaving = 0;
    SendMessageA(description, EM_SETSEL, 0, -1);
    SendMessageA(description, WM_CUT, 0, 0);
    EXPECT_EQ(g_Account.needsSaving, 1);
    EXPECT_EQ(Text(description), "");
    g_Account.needsSaving = 0;
    SendMessageA(description, WM_PASTE, 0, 0);
    EXPECT_EQ(g_Account.needsSaving, 1);
    EXPECT_EQ(Text(description), "a");
}

TEST_F(RegisterWindowTest, ACommittedRowReachesTheDisk) {
    SaveInto();
    FillAccountHeader(g_Account.header, "Test", 0, "20260101", 2026, 1);
    Open({{.desc = "a", .date = "20260301"}, {.desc = "b", .date = "20260305"}});
    g_MultiRecords.SetFocusToRecordAndField(1, DATE_FLD);
    SetText(1, DATE_FLD, "2/28/26");
    g_Account.needsSaving = 1;
    Key(Field(1, DATE_FLD), VK_UP);
    ASSERT_TRUE(g_boxes.empty()) << g_boxes[0].text;
    EXPECT_EQ(g_Account.needsSaving, 0);

    Account read;
    DataFile file;
    ASSERT_TRUE(ReadAccountFile(file, g_CurrentAccountFile, read));
    EXPECT_EQ(model_test::Order(read), "b a");
    EXPECT_STREQ(read.Head()->record->date, "20260228");
}

TEST_F(RegisterWindowTest, ASaveAfterTheFocusedRecordWasDeletedLeavesItAlone) {
    SaveInto();
    FillAccountHeader(g_Account.header, "Test", 0, "20260101", 2026, 1);
    Open({{.desc = "a", .date = "20260301"}, {.desc = "b", .date = "20260305"}, {.desc = "c", .date = "20260306"}});
    g_MultiRecords.SetFocusToRecordAndField(1, DESC_FLD);
    RecordNode* deleted = g_MultiRecords.RowNode(1);
    g_Account.Unlink(deleted).reset();
    // The freed node is only compared; its memory is scribbled over.
    EXPECT_EQ(g_MultiRecords.FocusedNodeInList(), nullptr);
    ASSERT_TRUE(SaveAccount());
    Account read;
    DataFile file;
    ASSERT_TRUE(ReadAccountFile(file, g_CurrentAccountFile, read));
    EXPECT_EQ(model_test::Order(read), "a c");
}

TEST_F(RegisterWindowTest, FrameAndHeadersArePainted) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 820, 560);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 820, 560};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int left = 5, width = 798;
    DrawRegisterFrame(dc, left, width);
    DrawRegisterHeaders(dc, left);
    struct Pixel {
        int x, y;
        COLORREF color;
    };
    const Pixel pixels[] = {
        {left, 300, RGB(0, 0, 0)},           {left + 1, 300, RGB(192, 192, 192)},
        {left + 2, 300, RGB(255, 255, 255)}, {left + width - 1, 300, RGB(0, 0, 0)},
        {left + width - 2, 300, RGB(128, 128, 128)}, {left + 300, 484, RGB(128, 128, 128)},
        {left + 300, 26, RGB(128, 128, 128)}, {left + 300, 545, RGB(0, 0, 0)},
    };
    for (const Pixel& p : pixels) EXPECT_EQ(GetPixel(dc, p.x, p.y), p.color) << p.x << "," << p.y;
    // Header text on light grey inside its rectangle.
    int grey = 0, dark = 0;
    for (int y = 3; y < 27; ++y)
        for (int x = left + 21; x < left + 87; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            grey += c == RGB(192, 192, 192);
            dark += GetRValue(c) < 100;
        }
    EXPECT_GT(grey, 0);
    EXPECT_GT(dark, 0);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace
