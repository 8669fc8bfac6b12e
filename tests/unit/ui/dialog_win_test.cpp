// Dialogs built from their descriptions and run for real: templates in
// global memory, every dialog created with its controls where the layout
// puts them, PlaceDialog, the failure path, and class-based dialogs.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "ui/command_boundary.h"
#include "ui/dialog_base_class.h"
#include "ui/dialog_ids.h"
#include "ui/dialog_runner.h"
#include "ui/dialog_table.h"
#include "ui/dialog_template.h"
#include "ui/hot_link_text.h"
#include "ui/instance_subclasser.h"
#include "ui/message_box.h"
#include "ui/template_reader.h"
#include "ui/test_windows.h"

namespace {

using ui_test::Recorder;
using ui_test::ScopedWindow;

class DialogTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        // The About box holds a link control; the main window registers its
        // class in the program.
        ASSERT_TRUE(RegisterHotLinkText(GetModuleHandleA(nullptr), kHandCursorName, 0));
    }
    void SetUp() override { parent_ = ui_test::CreateRecorderWindow(&recorder_); }
    void TearDown() override {
        DestroyWindow(parent_);
        ui_test::PumpMessages();
    }

    Recorder recorder_;
    HWND parent_ = nullptr;
};

// Ends a modal dialog that a broken test failed to end, so no test can hang.
class ModalWatchdog {
public:
    ModalWatchdog() : m_timer(SetTimer(nullptr, 0, 10000, Fire)) {}
    ~ModalWatchdog() { KillTimer(nullptr, m_timer); }
    ModalWatchdog(const ModalWatchdog&) = delete;
    ModalWatchdog& operator=(const ModalWatchdog&) = delete;

private:
    static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD) {
        HWND dialog = GetActiveWindow();
        if (dialog) EndDialog(dialog, -99);
    }
    UINT_PTR m_timer;
};

std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    return name;
}

std::string TextOf(HWND hwnd) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

RECT RectInDialog(HWND dialog, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Icons, rectangles and frames are statics that keep no font.
bool HoldsText(const ControlDescription& c) {
    if (_stricmp(c.windowClass, "static") != 0) return true;
    const std::uint32_t kind = c.style & 0x1F;
    return kind == dlgstyle::kStaticLeft || kind == dlgstyle::kStaticCenter || kind == dlgstyle::kStaticRight;
}

INT_PTR CALLBACK PassiveProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

TEST_F(DialogTest, EveryTemplateCountsItsControlsAndAlignsItsItems) {
    for (int n = 0; n < kDialogCount; ++n) {
        const DialogDescription& dialog = *FindDialogDescription(n);
        HGLOBAL block = BuildDialogTemplate(n);
        ASSERT_NE(block, nullptr) << "dialog " << n;
        const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(block));
        ASSERT_NE(bytes, nullptr);
        const ui_test::TemplateContents t = ui_test::TemplateReader(bytes, GlobalSize(block)).Read(false);
        EXPECT_TRUE(t.complete) << "dialog " << n;
        EXPECT_EQ(t.itemCount, static_cast<int>(dialog.controls.size())) << "dialog " << n;
        EXPECT_EQ(t.items.size(), dialog.controls.size()) << "dialog " << n;
        for (std::size_t i = 0; i < t.items.size(); ++i) {
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(bytes + t.items[i].offset) % 4, 0u) << "dialog " << n;
            EXPECT_EQ(t.items[i].id, dialog.controls[i].id) << "dialog " << n << " item " << i;
        }
        GlobalUnlock(block);
        GlobalFree(block);
    }
    EXPECT_EQ(BuildDialogTemplate(kDialogCount), nullptr);
    EXPECT_EQ(BuildDialogTemplate(-1), nullptr);
}

TEST_F(DialogTest, TemplateScalesByTheBaseUnitsItIsGiven) {
    const struct {
        DialogBaseUnits units;
        int okWidth;   // stored 31
        int okHeight;  // stored 14
    } cases[] = {{{8, 16}, 31, 14}, {{10, 20}, 24, 11}, {{6, 12}, 41, 18}};
    for (const auto& c : cases) {
        HGLOBAL block = BuildDialogTemplate(kDlgBalance, c.units);
        ASSERT_NE(block, nullptr);
        const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(block));
        const ui_test::TemplateContents t = ui_test::TemplateReader(bytes, GlobalSize(block)).Read(false);
        GlobalUnlock(block);
        GlobalFree(block);
        ASSERT_GE(t.items.size(), 2u);
        EXPECT_EQ(t.items[1].id, kIdOk);
        EXPECT_EQ(t.items[1].width, c.okWidth) << c.units.horizontal;
        EXPECT_EQ(t.items[1].height, c.okHeight) << c.units.vertical;
    }
}

// Built with the system's own base units, every stored unit is two pixels:
// each dialog comes up with all its controls, of their classes, in place.
TEST_F(DialogTest, EveryDialogCreatesItsControlsTwoPixelsPerUnit) {
    for (int n = 0; n < kDialogCount; ++n) {
        const DialogDescription& dialog = *FindDialogDescription(n);
        ScopedWindow hwnd(CreateModelessDialog(parent_, n, PassiveProc, 0));
        ASSERT_NE(hwnd.get(), nullptr) << "dialog " << n;
        EXPECT_EQ(TextOf(hwnd.get()), dialog.caption) << "dialog " << n;
        RECT client{};
        GetClientRect(hwnd.get(), &client);
        EXPECT_NEAR(client.right, 2 * dialog.width, 3) << "dialog " << n;
        EXPECT_NEAR(client.bottom, 2 * dialog.height, 3) << "dialog " << n;

        int children = 0;
        for (HWND child = GetWindow(hwnd.get(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++children;
        EXPECT_EQ(children, static_cast<int>(dialog.controls.size())) << "dialog " << n;

        HWND child = GetWindow(hwnd.get(), GW_CHILD);
        for (const ControlDescription& c : dialog.controls) {
            ASSERT_NE(child, nullptr) << "dialog " << n << " id " << c.id;
            const std::string where = "dialog " + std::to_string(n) + " id " + std::to_string(c.id);
            EXPECT_EQ(GetDlgCtrlID(child), c.id) << where;
            EXPECT_EQ(_stricmp(ClassOf(child).c_str(), c.windowClass), 0) << where << " " << ClassOf(child);
            const RECT r = RectInDialog(hwnd.get(), child);
            EXPECT_NEAR(r.left, 2 * c.x, 2) << where;
            EXPECT_NEAR(r.top, 2 * c.y, 2) << where;
            EXPECT_NEAR(r.right - r.left, 2 * c.width, 2) << where;
            // A list box rounds its height to whole lines.
            if (_stricmp(c.windowClass, "LISTBOX") != 0) {
                EXPECT_NEAR(r.bottom - r.top, 2 * c.height, 2) << where;
            }
            child = GetWindow(child, GW_HWNDNEXT);
        }
    }
}

struct CapturedBox {
    int calls = 0;
    HWND owner = nullptr;
    std::string text, title;
    unsigned type = 0;
};
CapturedBox g_box;

int CaptureBox(HWND__* owner, const char* text, const char* title, unsigned type) {
    ++g_box.calls;
    g_box.owner = owner;
    g_box.text = text;
    g_box.title = title;
    g_box.type = type;
    return IDOK;
}

HGLOBAL FailAlloc(UINT, SIZE_T) { return nullptr; }

TEST_F(DialogTest, NoMemoryForTheTemplateTellsTheUserAndShowsNothing) {
    MessageBoxFunction previousBox = SetMessageBoxFunction(CaptureBox);
    TemplateAllocFunction previousAlloc = SetTemplateAllocFunction(FailAlloc);
    g_box = {};
    EXPECT_EQ(ShowModalDialog(parent_, kDlgNewAccountName, PassiveProc, 0), 0);
    EXPECT_EQ(g_box.calls, 1);
    EXPECT_EQ(g_box.owner, parent_);
    EXPECT_EQ(g_box.text, "Insufficient memory.");
    EXPECT_EQ(g_box.title, "Ledgerpad");
    EXPECT_EQ(g_box.type, static_cast<unsigned>(MB_OK));

    g_box = {};
    EXPECT_EQ(CreateModelessDialog(parent_, kDlgPrinting, PassiveProc, 0), nullptr);
    EXPECT_EQ(g_box.calls, 1);
    EXPECT_EQ(g_box.text, "Insufficient memory.");
    EXPECT_EQ(FindWindowA("#32770", "Printing"), nullptr);

    SetTemplateAllocFunction(previousAlloc);
    SetMessageBoxFunction(previousBox);
}

// A dialog procedure that runs out of memory: the dialog ends and the
// failure reaches the command that opened it, past the system's dialog
// code, which tells it once. A modeless dialog tells it itself and ends.
INT_PTR CALLBACK ThrowingProc(HWND, UINT msg, WPARAM, LPARAM) {
    if (msg == WM_INITDIALOG) throw std::bad_alloc();
    return FALSE;
}

TEST_F(DialogTest, ADialogThatRunsOutOfMemoryEndsAndTheCommandTellsIt) {
    MessageBoxFunction previousBox = SetMessageBoxFunction(CaptureBox);
    ModalWatchdog watchdog;
    g_box = {};
    bool thrown = false;
    try {
        ShowModalDialog(parent_, kDlgNewAccountName, ThrowingProc, 0);
    } catch (const std::bad_alloc&) {
        thrown = true;
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(g_box.calls, 0) << "told before the command ended";
    EXPECT_TRUE(IsWindowEnabled(parent_)) << "the dialog did not end";

    EXPECT_FALSE(RunToCommandBoundary(parent_, [&] { ShowModalDialog(parent_, kDlgNewAccountName, ThrowingProc, 0); }));
    EXPECT_EQ(g_box.calls, 1);
    EXPECT_EQ(g_box.text, "Insufficient memory.");
    EXPECT_EQ(g_box.owner, parent_);
    EXPECT_TRUE(RunToCommandBoundary(parent_, [] {}));
    EXPECT_EQ(g_box.calls, 1);

    g_box = {};
    CreateModelessDialog(parent_, kDlgPrinting, ThrowingProc, 0);
    ui_test::PumpMessages();
    EXPECT_EQ(g_box.calls, 1);
    EXPECT_EQ(g_box.text, "Insufficient memory.");
    EXPECT_EQ(FindWindowA("#32770", "Printing"), nullptr);
    SetMessageBoxFunction(previousBox);
}

// A plain dialog procedure as the features write them: the common messages
// first, then its own set-up; here it presses one button at once.
struct PlainRun {
    int dialogNumber = 0;
    EndingButtons endingButtons = EndingButtons::OkAndCancel;
    int press = kIdOk;
    RECT placed{};
    bool parentEnabled = true;
    HBRUSH staticBrush = nullptr;
    HBRUSH dialogBrush = nullptr;
    std::vector<int> ownCommands;  // the commands the skeleton left to the procedure
};

INT_PTR CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* run = reinterpret_cast<PlainRun*>(msg == WM_INITDIALOG ? lParam : GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!run) return FALSE;
    INT_PTR result = FALSE;
    if (HandleCommonDialogMessage(hwnd, msg, wParam, {run->dialogNumber, run->endingButtons}, result)) return result;
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        GetWindowRect(hwnd, &run->placed);
        run->parentEnabled = IsWindowEnabled(GetWindow(hwnd, GW_OWNER));
        run->staticBrush = reinterpret_cast<HBRUSH>(
            SendMessageA(hwnd, WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(GetDlgItem(hwnd, kIdText0))));
        run->dialogBrush = reinterpret_cast<HBRUSH>(SendMessageA(hwnd, WM_CTLCOLORDLG, 0, 0));
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(run->press, BN_CLICKED), 0);
        return TRUE;
    case WM_COMMAND:
        // The pressed button, when the skeleton leaves it alone, ends the
        // dialog with 77; notifications from the controls are ignored.
        if (LOWORD(wParam) != run->press) return FALSE;
        run->ownCommands.push_back(LOWORD(wParam));
        EndDialog(hwnd, 77);
        return TRUE;
    default:
        return FALSE;
    }
}

TEST_F(DialogTest, ModalDialogRunsCentredOnTheMainWindowAndEndsWithItsValue) {
    const RECT main{100, 50, 740, 530};
    SetDialogMainWindowRect(main);
    ModalWatchdog watchdog;
    PlainRun run;
    run.dialogNumber = kDlgBalance;
    EXPECT_EQ(ShowModalDialog(parent_, kDlgBalance, PlainProc, reinterpret_cast<LPARAM>(&run)), 1);
    EXPECT_FALSE(run.parentEnabled);
    EXPECT_TRUE(IsWindowEnabled(parent_));
    EXPECT_EQ(run.staticBrush, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(run.dialogBrush, GetStockObject(WHITE_BRUSH));
    const int width = run.placed.right - run.placed.left;
    const int height = run.placed.bottom - run.placed.top;
    EXPECT_EQ(run.placed.left, 100 + (640 - width) / 2);
    EXPECT_EQ(run.placed.top, 50 + (480 - height) / 2);
}

// The skeleton ends the dialog at its ending buttons with the button's id and
// hands every other command to the procedure.
TEST_F(DialogTest, PlainDialogEndsAtItsEndingButtonsOnly) {
    const struct {
        EndingButtons buttons;
        int press;
        INT_PTR ended;
    } cases[] = {
        {EndingButtons::Cancel, kIdCancel, kIdCancel},   {EndingButtons::Cancel, kIdOk, 77},
        {EndingButtons::OkAndCancel, kIdOk, kIdOk},      {EndingButtons::OkAndCancel, kIdCancel, kIdCancel},
        {EndingButtons::OkAndCancel, kIdRetry, 77},      {EndingButtons::None, kIdCancel, 77},
        {EndingButtons::None, kIdOk, 77},
    };
    SetDialogMainWindowRect({0, 0, 640, 480});
    ModalWatchdog watchdog;
    for (const auto& c : cases) {
        PlainRun run;
        run.dialogNumber = kDlgAbout;
        run.endingButtons = c.buttons;
        run.press = c.press;
        EXPECT_EQ(ShowModalDialog(parent_, kDlgAbout, PlainProc, reinterpret_cast<LPARAM>(&run)), c.ended)
            << static_cast<int>(c.buttons) << " " << c.press;
        EXPECT_EQ(run.ownCommands, (c.ended == 77 ? std::vector<int>{c.press} : std::vector<int>{}));
    }
}

// A procedure that places the dialog itself is not moved by the skeleton.
TEST_F(DialogTest, PlainDialogPlacedByItsProcedureStaysWhereItWasCreated) {
    SetDialogMainWindowRect({100, 50, 740, 530});
    ModalWatchdog watchdog;
    PlainRun run;
    run.dialogNumber = kPlacedByProcedure;
    EXPECT_EQ(ShowModalDialog(parent_, kDlgBalance, PlainProc, reinterpret_cast<LPARAM>(&run)), kIdOk);
    PlainRun placed;
    placed.dialogNumber = kDlgBalance;
    EXPECT_EQ(ShowModalDialog(parent_, kDlgBalance, PlainProc, reinterpret_cast<LPARAM>(&placed)), kIdOk);
    EXPECT_NE(run.placed.left, placed.placed.left);
    EXPECT_EQ(run.staticBrush, GetStockObject(WHITE_BRUSH));
}

TEST_F(DialogTest, PlaceDialogMovesByTheOffsetAndGivesEveryControlTheChosenFont) {
    SetDialogMainWindowRect({0, 0, 600, 400});
    HFONT fonts[kDialogFontCount];
    for (int i = 0; i < kDialogFontCount; ++i) {
        fonts[i] = CreateFontA(12 + i, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    }
    SetDialogFonts(fonts[0], fonts[1], fonts[2]);
    for (int dialogNumber : {kDlgAbout, kDlgRenameAccount, kDlgAccountInfo}) {
        for (int choice = 0; choice < kDialogFontCount; ++choice) {
            ScopedWindow hwnd(CreateModelessDialog(parent_, dialogNumber, PassiveProc, 0));
            ASSERT_NE(hwnd.get(), nullptr);
            PlaceDialog(hwnd.get(), dialogNumber, choice, 30);
            RECT placed{};
            GetWindowRect(hwnd.get(), &placed);
            EXPECT_EQ(placed.top, (400 - (placed.bottom - placed.top)) / 2 + 30) << dialogNumber;
            for (const ControlDescription& c : FindDialogDescription(dialogNumber)->controls) {
                if (!HoldsText(c)) continue;
                HWND control = GetDlgItem(hwnd.get(), c.id);
                EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), fonts[choice])
                    << "dialog " << dialogNumber << " id " << c.id << " choice " << choice;
            }
        }
    }
    SetDialogFonts(nullptr, nullptr, nullptr);
    for (HFONT font : fonts) DeleteObject(font);
}

// A class-based dialog that notes what happened to it.
class ProbeDialog : public DialogBaseClass {
public:
    explicit ProbeDialog(int number) : m_number(number) {}

    int numberAsked = 0;
    int messagesBeforeInit = 0;
    bool initialized = false;
    std::string caption;
    std::vector<int> notifications;
    HBRUSH editBrush = reinterpret_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    std::function<void(ProbeDialog&)> onInit;

    int GetDialogNumber() override {
        ++numberAsked;
        return m_number;
    }
    INT_PTR OnDialogMessage(UINT, WPARAM, LPARAM) override {
        if (!initialized) ++messagesBeforeInit;
        return FALSE;
    }
    BOOL OnInitDialog(HWND, LPARAM) override {
        initialized = true;
        caption = TextOf(GetHwnd());
        if (onInit) onInit(*this);
        return TRUE;
    }
    BOOL OnDialogNotify(int idCtrl, NMHDR*) override {
        notifications.push_back(idCtrl);
        return TRUE;
    }
    HBRUSH OnCtlColorEdit(HDC, HWND) override { return editBrush; }

private:
    int m_number;
};

TEST_F(DialogTest, DoModalWithoutANumberRunsTheClassOwnDialog) {
    ModalWatchdog watchdog;
    ProbeDialog probe(kDlgConfirmPassword);
    probe.onInit = [](ProbeDialog& d) { PostMessageA(d.GetHwnd(), WM_COMMAND, MAKEWPARAM(kIdCancel, 0), 0); };
    EXPECT_EQ(probe.doModal(parent_), kIdCancel);
    EXPECT_EQ(probe.numberAsked, 1);
    EXPECT_EQ(probe.caption, "Confirm Password");
    EXPECT_EQ(probe.messagesBeforeInit, 0);

    ProbeDialog named(kDlgConfirmPassword);
    named.onInit = [](ProbeDialog& d) { PostMessageA(d.GetHwnd(), WM_COMMAND, MAKEWPARAM(kIdOk, 0), 0); };
    EXPECT_EQ(named.doModal(parent_, kDlgCreatePassword), kIdOk);
    EXPECT_EQ(named.numberAsked, 0);
    EXPECT_EQ(named.caption, "Create Password");
}

TEST_F(DialogTest, DoModelessWithoutANumberCreatesTheClassOwnDialog) {
    ProbeDialog find(kDlgFind);
    HWND hwnd = find.DoModeless(parent_);
    ScopedWindow owned(hwnd);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(find.numberAsked, 1);
    EXPECT_EQ(find.GetHwnd(), hwnd);
    EXPECT_EQ(find.caption, "Find");
    EXPECT_EQ(SharedSubclasser().Lookup(hwnd), &find);
    EXPECT_TRUE(IsWindowVisible(hwnd));  // the Find description is visible

    // Other ids do not end the dialog.
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(kIdFindMatchCase, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindow(hwnd));

    NMHDR header{GetDlgItem(hwnd, kIdFindText), static_cast<UINT_PTR>(kIdFindText), 0};
    SendMessageA(hwnd, WM_NOTIFY, kIdFindText, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(find.notifications, std::vector<int>{kIdFindText});

    HDC dc = GetDC(hwnd);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(SendMessageA(hwnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                    reinterpret_cast<LPARAM>(GetDlgItem(hwnd, kIdFindText)))),
              find.editBrush);
    ReleaseDC(hwnd, dc);

    DestroyWindow(hwnd);
    EXPECT_EQ(SharedSubclasser().Lookup(hwnd), nullptr);
}

TEST_F(DialogTest, DialogProcedureWithoutAnObjectAnswersFalse) {
    ProbeDialog info(kDlgAccountInfo);
    ScopedWindow hwnd(info.DoModeless(parent_, kDlgAccountInfo));
    ASSERT_NE(hwnd.get(), nullptr);
    auto shared = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hwnd.get(), DWLP_DLGPROC));
    ASSERT_NE(shared, nullptr);

    // Another dialog that no object has attached to yet.
    ScopedWindow stranger(CreateModelessDialog(parent_, kDlgPassword, PassiveProc, 0));
    ASSERT_NE(stranger.get(), nullptr);
    EXPECT_EQ(shared(stranger.get(), WM_COMMAND, MAKEWPARAM(kIdOk, BN_CLICKED), 0), FALSE);
    EXPECT_TRUE(IsWindow(stranger.get()));
    EXPECT_EQ(SharedSubclasser().Lookup(stranger.get()), nullptr);
}

TEST_F(DialogTest, ControlHelpersReadWriteShowAndHide) {
    ProbeDialog info(kDlgAccountInfo);
    ScopedWindow hwnd(info.DoModeless(parent_, kDlgAccountInfo));
    ASSERT_NE(hwnd.get(), nullptr);

    const std::string longText(300, 'x');
    const struct {
        int id;
        std::string text;
    } cases[] = {
        {kIdInfoInstitution, "First Savings"},
        {kIdInfoAddress, "12 Main St\r\nSpringfield"},
        {kIdInfoNotes, longText},
        {kIdInfoPhone, ""},
    };
    for (const auto& c : cases) {
        info.SetItemText(c.id, c.text.c_str());
        EXPECT_EQ(info.GetItemText(c.id), c.text) << c.id;
    }
    EXPECT_EQ(info.GetItem(kIdInfoNotes), GetDlgItem(hwnd.get(), kIdInfoNotes));
    EXPECT_EQ(info.GetItem(9999), nullptr);
    EXPECT_EQ(info.GetItemText(9999), "");

    ShowWindow(hwnd.get(), SW_SHOW);
    info.HideItem(kIdInfoNotes);
    EXPECT_FALSE(IsWindowVisible(info.GetItem(kIdInfoNotes)));
    info.ShowItem(kIdInfoNotes);
    EXPECT_TRUE(IsWindowVisible(info.GetItem(kIdInfoNotes)));
}

}  // namespace

namespace {

struct DialogFailure {};

class ThrowingDialog : public DialogBaseClass {
public:
    bool throwAtInit = true;
    int GetDialogNumber() override { return kDlgPassword; }
    BOOL OnInitDialog(HWND, LPARAM) override {
        if (throwAtInit) throw DialogFailure{};
        PostMessageA(GetHwnd(), WM_COMMAND, MAKEWPARAM(kIdOk, 0), 0);
        return TRUE;
    }
    BOOL OnCommand(WORD id, HWND, WORD) override {
        if (id == kIdOk) throw DialogFailure{};
        return FALSE;
    }
};

TEST_F(DialogTest, ExceptionFromDialogCodeEndsTheDialogAndReachesTheCaller) {
    for (bool atInit : {true, false}) {
        ModalWatchdog watchdog;
        ThrowingDialog dialog;
        dialog.throwAtInit = atInit;
        EXPECT_THROW(dialog.doModal(parent_), DialogFailure) << atInit;
        EXPECT_TRUE(IsWindowEnabled(parent_)) << atInit;
        EXPECT_FALSE(IsWindow(dialog.GetHwnd())) << atInit;
    }
}

}  // namespace
