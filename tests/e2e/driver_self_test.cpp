// The driver's helpers against real system windows and real folders, so that
// a fault in them shows here and not as a puzzling failure of a program test.
// The windows belong to a thread of the driver made for the purpose, which
// stands in for the program's GUI thread.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "driver.h"

namespace e2e {
namespace {

// ---- Message boxes ----------------------------------------------------------------

struct MessageBoxCase {
    const char* name;
    UINT style;
    int button;  // pressed by the driver; also what MessageBoxA must return
};

class MessageBoxHelpers : public ::testing::TestWithParam<MessageBoxCase> {};

TEST_P(MessageBoxHelpers, ReadTheTextsAndPressTheButton) {
    const MessageBoxCase& c = GetParam();
    std::future<int> answer = std::async(std::launch::async, [&] {
        return MessageBoxA(nullptr, "Are you sure?", "Delete Transaction", c.style);
    });
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        box = FindTopLevel(GetCurrentProcessId(), kDialogClass, "Delete Transaction");
        return box != nullptr;
    }));

    std::optional<MessageBoxText> texts = ReadMessageBox(box);
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->caption, "Delete Transaction");
    EXPECT_EQ(texts->text, "Are you sure?");
    EXPECT_FALSE(ClickButton(box, 0x7777)) << "a missing button was reported as clicked";
    ASSERT_TRUE(ClickButton(box, c.button));
    ASSERT_EQ(answer.wait_for(kTimeout), std::future_status::ready);
    EXPECT_EQ(answer.get(), c.button);
}

INSTANTIATE_TEST_SUITE_P(Buttons, MessageBoxHelpers,
                         ::testing::Values(MessageBoxCase{"Ok", MB_OK | MB_ICONINFORMATION, IDOK},
                                           MessageBoxCase{"No", MB_YESNO | MB_ICONQUESTION, IDNO},
                                           MessageBoxCase{"Yes", MB_YESNO | MB_ICONQUESTION, IDYES}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MessageBoxHelpers, RefuseWhatIsNotAMessageBox) {
    EXPECT_FALSE(ReadMessageBox(nullptr));
    EXPECT_FALSE(ReadMessageBox(GetDesktopWindow()));
}

// ---- Typing ---------------------------------------------------------------------------

// A top-level window with one edit control, run by a thread of its own.
class EditWindowThread {
public:
    EditWindowThread() : thread_([this] { Run(); }) { WaitUntil([this] { return edit_.load() != nullptr; }); }
    ~EditWindowThread() {
        if (HWND top = top_.load()) PostMessageA(top, WM_CLOSE, 0, 0);
        thread_.join();
    }
    HWND edit() const { return edit_.load(); }

private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcA(w, msg, wp, lp);
    }
    void Run() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "E2eTypingTarget";
        RegisterClassA(&wc);
        HWND top = CreateWindowA(wc.lpszClassName, "Typing target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400,
                                 120, nullptr, nullptr, wc.hInstance, nullptr);
        HWND edit = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 10, 360, 24,
                                  top, nullptr, wc.hInstance, nullptr);
        top_ = top;
        edit_ = edit;
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    std::atomic<HWND> top_{nullptr};
    std::atomic<HWND> edit_{nullptr};
    std::thread thread_;
};

TEST(TypingHelpers, KeysReachTheFocusedControlAsTyped) {
    EditWindowThread target;
    ASSERT_NE(target.edit(), nullptr);
    ASSERT_TRUE(FocusControl(target.edit()));
    EXPECT_EQ(GetForegroundWindow(), GetAncestor(target.edit(), GA_ROOT));

    // Capitals and symbols need Shift; every one must arrive as typed.
    const std::string text = "Rent, May: $1,250.00 (paid) #12 & 50% ok!";
    ASSERT_TRUE(TypeText(text));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(target.edit()) == text; })) << WindowText(target.edit());

    ASSERT_TRUE(PressKey(VK_BACK));
    ASSERT_TRUE(PressKey(VK_HOME));
    ASSERT_TRUE(PressKey(VK_DELETE));
    const std::string edited = text.substr(1, text.size() - 2);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(target.edit()) == edited; })) << WindowText(target.edit());
}

// ---- Data folders -----------------------------------------------------------------------

TEST(DataFolderHelpers, ResetRemovesEverythingTheProgramLeft) {
    const std::string accounts = AccountsFolder();
    const std::string options = OptionsFolder();
    ASSERT_TRUE(accounts.ends_with("\\TallwoodWorks\\Ledgerpad\\")) << accounts;
    ASSERT_TRUE(options.ends_with("\\TallwoodWorks\\Ledgerpad\\")) << options;
    ASSERT_NE(accounts, options);

    const std::vector<uint8_t> bytes = {'L', 'P', 'D', 0, 0xFF};
    ASSERT_TRUE(WriteFileBytes(accounts + "LEDGR1.LPD", bytes));
    ASSERT_TRUE(WriteFileBytes(accounts + "old\\LEDGR1I.LPD", bytes));
    ASSERT_TRUE(WriteFileBytes(options + "Options.dta", bytes));
    ASSERT_TRUE(SetFileAttributesA((accounts + "LEDGR1.LPD").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(ReadFileBytes(accounts + "old\\LEDGR1I.LPD"), bytes);

    ASSERT_TRUE(ResetDataFolders());
    EXPECT_FALSE(FolderExists(accounts));
    EXPECT_FALSE(FolderExists(options));
    EXPECT_FALSE(ReadFileBytes(accounts + "LEDGR1.LPD"));
    EXPECT_TRUE(ResetDataFolders()) << "resetting folders that are already gone must succeed";
}

}  // namespace
}  // namespace e2e
