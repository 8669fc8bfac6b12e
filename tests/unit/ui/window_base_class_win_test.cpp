// WindowBaseClass and InstanceSubclasser on real windows: attaching, the
// dispatcher's routing and filtering, and what happens when either the
// window or the object goes first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/instance_subclasser.h"
#include "ui/test_windows.h"
#include "ui/window_base_class.h"

namespace {

using ui_test::Recorder;
using ui_test::ScopedWindow;

// Notes every operation the dispatcher calls, with its arguments.
class SpyWindow : public WindowBaseClass {
public:
    std::vector<std::string> calls;

    void onSettingChange(const char* section) override { calls.push_back(std::string("setting ") + section); }
    void OnPaint(WPARAM wParam) override { calls.push_back("paint " + std::to_string(wParam)); }
    void OnDestroy() override { calls.push_back("destroy"); }
    void OnCommand(int id, HWND hwndCtl, UINT codeNotify) override {
        calls.push_back("command " + std::to_string(id) + " " + std::to_string(reinterpret_cast<INT_PTR>(hwndCtl)) +
                        " " + std::to_string(codeNotify));
    }
    void OnLButtonDown(int fDoubleClick, int x, int y, UINT keyFlags) override {
        calls.push_back("button " + std::to_string(fDoubleClick) + " " + std::to_string(x) + " " + std::to_string(y) +
                        " " + std::to_string(keyFlags));
    }
    void OnSysColorChange() override { calls.push_back("colors"); }
    void OnTimer(UINT id) override { calls.push_back("timer " + std::to_string(id)); }
    void OnSetFocus() override { calls.push_back("setfocus"); }
    void OnKillFocus() override { calls.push_back("killfocus"); }
};

// Turns 'a' into 'b', Left into Right; everything else goes through.
class FilterWindow : public WindowBaseClass {
public:
    std::vector<int> charsSeen;
    unsigned char OnChar(unsigned char ch, LPARAM) override {
        charsSeen.push_back(ch);
        return ch == 'a' ? 'b' : ch;
    }
    unsigned char OnKeyDown(unsigned char vk, LPARAM) override { return vk == VK_LEFT ? VK_RIGHT : vk; }
};

class NotifyWindow : public WindowBaseClass {
public:
    int notifications = 0;
    LRESULT OnNotify(WPARAM, LPARAM) override {
        ++notifications;
        return 42;
    }
};

TEST(WindowBaseClassTest, AttachToSomethingThatIsNotAWindowLeavesTheObjectDetached) {
    for (HWND notAWindow : {static_cast<HWND>(nullptr), reinterpret_cast<HWND>(0x1234567)}) {
        SpyWindow spy;
        EXPECT_FALSE(spy.Attach(notAWindow));
        EXPECT_EQ(spy.GetHwnd(), nullptr);
        EXPECT_EQ(SharedSubclasser().Lookup(notAWindow), nullptr);
    }
}

TEST(WindowBaseClassTest, AttachSubclassesTheWindowAndRegistersTheObject) {
    Recorder recorder;
    ScopedWindow window(ui_test::CreateRecorderWindow(&recorder));
    const LONG_PTR original = GetWindowLongPtrA(window.get(), GWLP_WNDPROC);
    SpyWindow spy;
    ASSERT_TRUE(spy.Attach(window.get()));
    EXPECT_EQ(spy.GetHwnd(), window.get());
    EXPECT_EQ(SharedSubclasser().Lookup(window.get()), &spy);
    EXPECT_NE(GetWindowLongPtrA(window.get(), GWLP_WNDPROC), original);

    // A message that names no operation still reaches the window's own procedure.
    SendMessageA(window.get(), WM_USER + 7, 3, 4);
    ASSERT_NE(recorder.Last(WM_USER + 7), nullptr);
    EXPECT_EQ(recorder.Last(WM_USER + 7)->wParam, 3u);
}

TEST(WindowBaseClassTest, DispatcherCallsTheNamedOperationAndPassesTheMessageOn) {
    Recorder recorder;
    ScopedWindow window(ui_test::CreateRecorderWindow(&recorder));
    SpyWindow spy;
    ASSERT_TRUE(spy.Attach(window.get()));
    HWND control = window.get();
    const INT_PTR controlValue = reinterpret_cast<INT_PTR>(control);
    const char section[] = "intl";
    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::string call;  // "" for none
    } cases[] = {
        {WM_COMMAND, MAKEWPARAM(1234, 5), reinterpret_cast<LPARAM>(control),
         "command 1234 " + std::to_string(controlValue) + " 5"},
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 7), "button 0 -3 7 1"},
        {WM_LBUTTONDBLCLK, MK_LBUTTON | MK_SHIFT, MAKELPARAM(20, -9), "button 1 20 -9 5"},
        {WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(section), "setting intl"},
        {WM_SYSCOLORCHANGE, 0, 0, "colors"},
        {WM_SETFOCUS, 0, 0, "setfocus"},
        {WM_KILLFOCUS, 0, 0, "killfocus"},
        {WM_PAINT, 0, 0, "paint 0"},
        {WM_TIMER, 9, 0, ""},  // OnTimer is not dispatched
        {WM_USER + 1, 0, 0, ""},
    };
    for (const auto& c : cases) {
        spy.calls.clear();
        const int before = recorder.Count(c.message);
        SendMessageA(window.get(), c.message, c.wParam, c.lParam);
        const std::vector<std::string> expected = c.call.empty() ? std::vector<std::string>{} : std::vector{c.call};
        EXPECT_EQ(spy.calls, expected) << "message " << c.message;
        EXPECT_EQ(recorder.Count(c.message), before + 1) << "message " << c.message << " passed on once";
    }
}

TEST(WindowBaseClassTest, OnCharAndOnKeyDownDecideWhatThePreviousProcedureGets) {
    Recorder recorder;
    ScopedWindow parent(ui_test::CreateRecorderWindow(&recorder));
    ScopedWindow edit(CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.get(), nullptr,
                                      GetModuleHandleA(nullptr), nullptr));
    FilterWindow filter;
    ASSERT_TRUE(filter.Attach(edit.get()));
    for (WPARAM ch : {WPARAM('a'), WPARAM('c'), WPARAM(0xE9), WPARAM('a')}) SendMessageA(edit.get(), WM_CHAR, ch, 1);
    char text[16] = {};
    GetWindowTextA(edit.get(), text, sizeof(text));
    EXPECT_STREQ(text, "bc\xE9" "b");
    // The 8-bit character arrives unsigned.
    EXPECT_EQ(filter.charsSeen, (std::vector<int>{'a', 'c', 0xE9, 'a'}));

    FilterWindow keyFilter;
    ASSERT_TRUE(keyFilter.Attach(parent.get()));
    SendMessageA(parent.get(), WM_KEYDOWN, VK_LEFT, 1);
    SendMessageA(parent.get(), WM_KEYDOWN, VK_UP, 1);
    const std::vector<WPARAM> keys = [&] {
        std::vector<WPARAM> seen;
        for (const auto& m : recorder.messages) {
            if (m.message == WM_KEYDOWN) seen.push_back(m.wParam);
        }
        return seen;
    }();
    EXPECT_EQ(keys, (std::vector<WPARAM>{VK_RIGHT, VK_UP}));
}

TEST(WindowBaseClassTest, NotifyAnswerComesFromOnNotifyAlone) {
    Recorder recorder;
    recorder.notifyResult = 77;
    ScopedWindow window(ui_test::CreateRecorderWindow(&recorder));
    NMHDR header{window.get(), 501, 0};

    NotifyWindow overriding;
    ASSERT_TRUE(overriding.Attach(window.get()));
    EXPECT_EQ(SendMessageA(window.get(), WM_NOTIFY, 501, reinterpret_cast<LPARAM>(&header)), 42);
    EXPECT_EQ(overriding.notifications, 1);
    EXPECT_EQ(recorder.Count(WM_NOTIFY), 0);

    // The default operation asks the previous procedure, exactly once.
    SpyWindow plain;
    ASSERT_TRUE(plain.Attach(window.get()));
    EXPECT_EQ(SendMessageA(window.get(), WM_NOTIFY, 501, reinterpret_cast<LPARAM>(&header)), 77);
    EXPECT_EQ(recorder.Count(WM_NOTIFY), 1);
}

TEST(WindowBaseClassTest, DestroyedWindowLeavesTheRegistryAndTheObjectDestroysNothing) {
    Recorder recorder;
    HWND hwnd = ui_test::CreateRecorderWindow(&recorder);
    auto* spy = new SpyWindow;
    ASSERT_TRUE(spy->Attach(hwnd));
    DestroyWindow(hwnd);
    EXPECT_EQ(spy->calls, std::vector<std::string>{"destroy"});
    EXPECT_EQ(SharedSubclasser().Lookup(hwnd), nullptr);
    EXPECT_EQ(recorder.Count(WM_DESTROY), 1);
    EXPECT_EQ(recorder.Count(WM_NCDESTROY), 1);
    EXPECT_EQ(spy->GetHwnd(), hwnd);  // stale, but harmless

    ui_test::DestroyCounter destroys;
    ASSERT_TRUE(destroys.Hooked());
    delete spy;
    EXPECT_EQ(destroys.Total(), 0);
}

TEST(WindowBaseClassTest, DestroyingTheObjectDestroysItsLiveWindow) {
    Recorder recorder;
    HWND hwnd = ui_test::CreateRecorderWindow(&recorder);
    auto* spy = new SpyWindow;
    ASSERT_TRUE(spy->Attach(hwnd));
    ui_test::DestroyCounter destroys;
    ASSERT_TRUE(destroys.Hooked());
    delete spy;
    EXPECT_EQ(destroys.Count(hwnd), 1);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(recorder.Count(WM_DESTROY), 1);
    EXPECT_EQ(SharedSubclasser().Lookup(hwnd), nullptr);
}

LRESULT CALLBACK CountingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    static int depth = 0;
    if (message == WM_USER + 3 && ++depth > 5) return -1;  // would recurse without end
    LRESULT result = SharedSubclasser().CallOldProc(hwnd, message, wParam, lParam);
    if (message == WM_USER + 3) --depth;
    return result;
}

TEST(InstanceSubclasserTest, UnsubclassPutsTheOriginalProcedureBack) {
    Recorder recorder;
    ScopedWindow window(ui_test::CreateRecorderWindow(&recorder));
    const LONG_PTR original = GetWindowLongPtrA(window.get(), GWLP_WNDPROC);
    InstanceSubclasser subclasser;
    int owner = 0;
    ASSERT_TRUE(subclasser.Subclass(window.get(), CountingProc, &owner));
    EXPECT_EQ(subclasser.Lookup(window.get()), &owner);
    EXPECT_TRUE(subclasser.Unsubclass(window.get()));
    EXPECT_EQ(GetWindowLongPtrA(window.get(), GWLP_WNDPROC), original);
    EXPECT_EQ(subclasser.Lookup(window.get()), nullptr);
    EXPECT_FALSE(subclasser.Unsubclass(window.get()));
}

TEST(InstanceSubclasserTest, SubclassingTwiceKeepsTheFirstPreviousProcedure) {
    Recorder recorder;
    ScopedWindow window(ui_test::CreateRecorderWindow(&recorder));
    const LONG_PTR original = GetWindowLongPtrA(window.get(), GWLP_WNDPROC);
    InstanceSubclasser& subclasser = SharedSubclasser();
    int first = 0, second = 0;
    ASSERT_TRUE(subclasser.Subclass(window.get(), CountingProc, &first));
    ASSERT_TRUE(subclasser.Subclass(window.get(), CountingProc, &second));
    EXPECT_EQ(subclasser.Lookup(window.get()), &second);
    EXPECT_EQ(SendMessageA(window.get(), WM_USER + 3, 0, 0), 0);
    EXPECT_EQ(recorder.Count(WM_USER + 3), 1);
    EXPECT_TRUE(subclasser.Unsubclass(window.get()));
    EXPECT_EQ(GetWindowLongPtrA(window.get(), GWLP_WNDPROC), original);
}

TEST(InstanceSubclasserTest, UnknownWindowsAreRefusedOrAnsweredWithZero) {
    InstanceSubclasser subclasser;
    HWND notAWindow = reinterpret_cast<HWND>(0x7654321);
    int owner = 0;
    EXPECT_FALSE(subclasser.Subclass(notAWindow, CountingProc, &owner));
    EXPECT_EQ(subclasser.Lookup(notAWindow), nullptr);
    EXPECT_FALSE(subclasser.Unsubclass(notAWindow));
    EXPECT_EQ(subclasser.CallOldProc(notAWindow, WM_GETTEXTLENGTH, 0, 0), 0);
}

TEST(InstanceSubclasserTest, EachWindowReachesItsOwnObject) {
    Recorder firstRecorder, secondRecorder;
    ScopedWindow first(ui_test::CreateRecorderWindow(&firstRecorder));
    ScopedWindow second(ui_test::CreateRecorderWindow(&secondRecorder));
    SpyWindow firstSpy, secondSpy;
    ASSERT_TRUE(firstSpy.Attach(first.get()));
    ASSERT_TRUE(secondSpy.Attach(second.get()));
    SendMessageA(second.get(), WM_COMMAND, MAKEWPARAM(8, 0), 0);
    EXPECT_TRUE(firstSpy.calls.empty());
    EXPECT_EQ(secondSpy.calls, std::vector<std::string>{"command 8 0 0"});
    EXPECT_EQ(firstRecorder.Count(WM_COMMAND), 0);
    EXPECT_EQ(secondRecorder.Count(WM_COMMAND), 1);
}

}  // namespace
