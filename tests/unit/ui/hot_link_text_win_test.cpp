// The link control: its class, the address a click opens, its font and how
// it paints.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/hot_link_text.h"
#include "ui/test_windows.h"

namespace {

using ui_test::Recorder;
using ui_test::ScopedWindow;

std::vector<std::string> g_opened;

void RecordOpen(HWND, const char* target) { g_opened.push_back(target); }

class HotLinkTest : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(RegisterHotLinkText(GetModuleHandleA(nullptr), kHandCursorName, 0)); }

    void SetUp() override {
        previous_ = SetHotLinkOpenFunction(RecordOpen);
        g_opened.clear();
        parent_ = ui_test::CreateRecorderWindow(&recorder_, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        link_ = CreateWindowExA(0, kHotLinkClassName, "www.example.test", WS_CHILD | WS_VISIBLE, 10, 10, 240, 40,
                                parent_, reinterpret_cast<HMENU>(2220), GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(link_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(parent_);
        SetHotLinkOpenFunction(previous_);
    }

    void Click() {
        SendMessageA(link_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageA(link_, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }

    Recorder recorder_;
    HWND parent_ = nullptr;
    HWND link_ = nullptr;
    HotLinkOpenFunction previous_ = nullptr;
};

TEST_F(HotLinkTest, ClassShowsTheHandCursorFromTheProgram) {
    WNDCLASSA info{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), kHotLinkClassName, &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_GE(info.cbWndExtra, static_cast<int>(sizeof(void*)));
    ASSERT_NE(info.hCursor, nullptr);

    // The class cursor is the program's "HAND" resource, not a stock one.
    auto hand = static_cast<HCURSOR>(LoadImageA(GetModuleHandleA(nullptr), kHandCursorName, IMAGE_CURSOR, 0, 0,
                                                LR_DEFAULTSIZE));
    ASSERT_NE(hand, nullptr);
    ICONINFO classInfo{}, handInfo{}, arrowInfo{};
    ASSERT_TRUE(GetIconInfo(info.hCursor, &classInfo));
    ASSERT_TRUE(GetIconInfo(hand, &handInfo));
    ASSERT_TRUE(GetIconInfo(LoadCursorA(nullptr, IDC_ARROW), &arrowInfo));
    EXPECT_EQ(classInfo.xHotspot, handInfo.xHotspot);
    EXPECT_EQ(classInfo.yHotspot, handInfo.yHotspot);
    EXPECT_FALSE(handInfo.xHotspot == arrowInfo.xHotspot && handInfo.yHotspot == arrowInfo.yHotspot);
    for (ICONINFO* i : {&classInfo, &handInfo, &arrowInfo}) {
        DeleteObject(i->hbmMask);
        if (i->hbmColor) DeleteObject(i->hbmColor);
    }
    DestroyCursor(hand);

    // Over the control the mouse shows it.
    SendMessageA(link_, WM_SETCURSOR, reinterpret_cast<WPARAM>(link_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), info.hCursor);
}

TEST_F(HotLinkTest, ClickOpensTheLastTargetAndNothingWithoutOne) {
    Click();
    EXPECT_TRUE(g_opened.empty());

    char first[64] = "https://first.example/";
    SendMessageA(link_, kHotLinkSetTarget, reinterpret_cast<WPARAM>(first), 0);
    char second[64] = "https://www.tallwoodworks.example/ledgerpad";
    SendMessageA(link_, kHotLinkSetTarget, reinterpret_cast<WPARAM>(second), 0);
    // The control keeps its own copy.
    std::fill(std::begin(second), std::end(second), '\0');
    Click();
    EXPECT_EQ(g_opened, std::vector<std::string>{"https://www.tallwoodworks.example/ledgerpad"});

    g_opened.clear();
    SendMessageA(link_, kHotLinkSetTarget, 0, 0);
    Click();
    EXPECT_TRUE(g_opened.empty());
}

TEST_F(HotLinkTest, RemembersItsFontAndRepaintsOnlyWhenAsked) {
    EXPECT_EQ(SendMessageA(link_, WM_GETFONT, 0, 0), 0);
    HFONT font = CreateFontA(10, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    UpdateWindow(link_);
    SendMessageA(link_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(link_, WM_GETFONT, 0, 0)), font);
    EXPECT_FALSE(GetUpdateRect(link_, nullptr, FALSE));
    SendMessageA(link_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EXPECT_TRUE(GetUpdateRect(link_, nullptr, FALSE));
    UpdateWindow(link_);
    DestroyWindow(link_);
    DeleteObject(font);
}

// The painted link: pure blue text on white with an underline row.
struct Ink {
    int top = -1, bottom = -1, left = -1, right = -1;
    int widestBlueRow = 0;
    bool whiteBackground = false;
};

Ink ReadInk(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
    RECT client{};
    GetClientRect(hwnd, &client);
    HDC dc = GetDC(hwnd);
    Ink ink;
    for (int y = 0; y < client.bottom; ++y) {
        int blueInRow = 0;
        for (int x = 0; x < client.right; ++x) {
            COLORREF pixel = GetPixel(dc, x, y);
            if (pixel == RGB(0, 0, 255)) {
                ++blueInRow;
                if (ink.top < 0) ink.top = y;
                ink.bottom = y;
                if (ink.left < 0 || x < ink.left) ink.left = x;
                if (x > ink.right) ink.right = x;
            } else if (pixel == RGB(255, 255, 255) && y < 4) {
                ink.whiteBackground = true;
            }
        }
        if (blueInRow > ink.widestBlueRow) ink.widestBlueRow = blueInRow;
    }
    ReleaseDC(hwnd, dc);
    return ink;
}

TEST_F(HotLinkTest, PaintsUnderlinedBlueTextInTheSystemFontUntilGivenOne) {
    UpdateWindow(parent_);
    const Ink system = ReadInk(link_);
    ASSERT_GE(system.top, 0) << "no blue text painted";
    EXPECT_TRUE(system.whiteBackground);
    // The underline runs (nearly) the whole width of the text.
    EXPECT_GE(system.widestBlueRow, (system.right - system.left + 1) * 9 / 10);
    TEXTMETRICA systemMetrics{};
    HDC dc = GetDC(link_);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    GetTextMetricsA(dc, &systemMetrics);
    ReleaseDC(link_, dc);
    EXPECT_GE(system.bottom - system.top + 1, systemMetrics.tmAscent / 2);
    EXPECT_LE(system.bottom, systemMetrics.tmHeight + 1);

    HFONT small = CreateFontA(8, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    SendMessageA(link_, WM_SETFONT, reinterpret_cast<WPARAM>(small), FALSE);
    const Ink smallInk = ReadInk(link_);
    ASSERT_GE(smallInk.top, 0);
    EXPECT_LT(smallInk.bottom, system.bottom);
    EXPECT_LT(smallInk.right, system.right);
    EXPECT_GE(smallInk.widestBlueRow, (smallInk.right - smallInk.left + 1) * 9 / 10);
    DestroyWindow(link_);
    DeleteObject(small);
}

}  // namespace
