// Starting and closing the program: its one main window, its icon, the ways
// a user closes it, and a picture of it.
#include <chrono>
#include <cstdio>
#include <functional>

#include "accounts_helpers.h"
#include "program_test.h"

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class StartupTest : public ProgramTest {};

TEST_F(StartupTest, ShowsOneMainWindowOfItsClassAndTitle) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    HWND main = app_.MainWindow();

    EXPECT_EQ(ClassName(main), kMainClass);
    EXPECT_EQ(WindowText(main), kMainTitle);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr);
    EXPECT_EQ(TopLevelWindows(app_.Id(), kMainClass).size(), 1u) << app_.DescribeWindows();

    const LONG style = GetWindowLongA(main, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "the window has a fixed size";
    EXPECT_FALSE(IsZoomed(main));
}

// The caption shows the program's own icon, not the system's default one:
// the icon resource drawn at caption size must be found in the caption.
TEST_F(StartupTest, CaptionShowsTheProgramIcon) {
    const int size = GetSystemMetrics(SM_CXSMICON);
    std::optional<Picture> icon = ProgramIcon("LedgerIcon", size);
    ASSERT_TRUE(icon) << "Ledgerpad.exe has no icon LedgerIcon";
    ASSERT_GT(icon->OpaqueCount(), static_cast<size_t>(size * size / 4)) << "the icon is mostly transparent";

    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    HWND main = app_.MainWindow();
    ASSERT_TRUE(app_.WaitIdle());
    RECT caption;
    ASSERT_TRUE(GetWindowRect(main, &caption));
    caption.bottom = caption.top + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
    caption.right = caption.left + 4 * size;

    EXPECT_TRUE(WaitUntil([&] {
        std::optional<Image> screen = CaptureScreen();
        return screen && FindPicture(*screen, *icon, caption);
    })) << "the program's icon is not in the caption; see " << SaveScreenshot("caption-without-icon", main);
}

// Every way a user closes the window with an account open ends the program
// with exit code 0. (The start screen has its own ways out, tested with it.)
struct CloseWay {
    const char* name;
    std::function<bool(HWND)> close;
};

class CloseTest : public ProgramTest, public ::testing::WithParamInterface<CloseWay> {};

TEST_P(CloseTest, EndsTheProgramWithExitCodeZero) {
    const auto started = Clock::now();
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    const long long startMs = MillisecondsSince(started);
    HWND main = app_.MainWindow();
    HWND start = accounts::WaitForStartScreen(app_);
    ASSERT_TRUE(start) << app_.DescribeWindows();
    ASSERT_TRUE(accounts::Press(app_, start, accounts::kCreateButton));
    ASSERT_TRUE(accounts::WaitForDialogShowing(app_, accounts::kCreateCaption, accounts::kLabel,
                                               accounts::kNameLabel))
        << app_.DescribeWindows();
    const std::string failed = accounts::FillCreateDialogs(app_, "Closing", "100.00", "12/01/26");
    ASSERT_TRUE(failed.empty()) << failed;
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != 0; })) << app_.DescribeWindows();
    ASSERT_TRUE(app_.WaitIdle());

    const auto closing = Clock::now();
    ASSERT_TRUE(GetParam().close(main));
    ASSERT_TRUE(app_.WaitForExit()) << "still running; windows:\n" << app_.DescribeWindows();
    const long long closeMs = MillisecondsSince(closing);

    EXPECT_EQ(app_.ExitCode(), 0u);
    EXPECT_FALSE(IsWindow(main));
    std::printf("%s: window up after %lld ms, process ended %lld ms after closing\n", GetParam().name, startMs,
                closeMs);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, CloseTest,
    ::testing::Values(
        CloseWay{"WmClose", [](HWND w) { return PostMessageA(w, WM_CLOSE, 0, 0) != 0; }},
        CloseWay{"CloseBox", [](HWND w) { return PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0) != 0; }},
        // Alt+F4 typed where the user is: the first row's Date field.
        CloseWay{"AltF4", [](HWND w) { return FocusControl(GetDlgItem(w, 1131)) && PressKey(VK_F4, {VK_MENU}); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupTest, ScreenshotShowsTheMainWindow) {
    ASSERT_TRUE(app_.Start()) << app_.DescribeWindows();
    HWND main = app_.MainWindow();
    ASSERT_TRUE(app_.WaitIdle());

    std::optional<Image> screen = CaptureScreen();
    ASSERT_TRUE(screen);
    RECT frame;
    ASSERT_TRUE(GetWindowRect(main, &frame));
    Image window = Crop(*screen, frame);
    EXPECT_EQ(window.width, frame.right - frame.left) << "the window is not wholly on the screen";
    EXPECT_EQ(window.height, frame.bottom - frame.top) << "the window is not wholly on the screen";
    // Frame, caption, title text and client area: a blank capture has one colour.
    EXPECT_GT(window.ColourCount(), 3u);

    std::string path = SaveScreenshot("startup-main-window");
    ASSERT_FALSE(path.empty());
    std::optional<std::vector<uint8_t>> png = ReadFileBytes(path);
    ASSERT_TRUE(png);
    const std::vector<uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GT(png->size(), signature.size());
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png->begin()));
}

}  // namespace
}  // namespace e2e
