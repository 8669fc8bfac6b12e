// A chart drawn on a window's DC covers its whole rectangle, its text and
// bars included (they and the smoothed lines are drawn by two libraries on
// one bitmap), and a chart drawn after another of the same size keeps
// nothing of the first.
#include "features/report_chart_win.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "features/reports.h"

namespace {

constexpr int kWidth = 600, kHeight = 300;
// Colours as a 32-bit DIB holds them (0x00RRGGBB).
constexpr std::uint32_t kBackdrop = 0xFF00FF;
constexpr std::uint32_t kBlue = 0x0072B2;
constexpr std::uint32_t kOrange = 0xE69F00;
constexpr std::uint32_t kText = 0x333333;

// A window's DC stand-in: a memory DC on a DIB painted with a colour no
// chart uses.
class Screen {
public:
    Screen() : m_Dc(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_Bitmap = CreateDIBSection(m_Dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_Bits = static_cast<std::uint32_t*>(bits);
        m_Old = SelectObject(m_Dc, m_Bitmap);
    }
    ~Screen() {
        SelectObject(m_Dc, m_Old);
        DeleteObject(m_Bitmap);
        DeleteDC(m_Dc);
    }
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    bool Draw(const Report& report, const ChartTexts& texts) {
        std::fill_n(m_Bits, kWidth * kHeight, kBackdrop);
        const RECT area{0, 0, kWidth, kHeight};
        const bool drawn = DrawReportChart(m_Dc, area, 96, report, texts);
        GdiFlush();
        return drawn;
    }
    int Count(std::uint32_t colour) const {
        int count = 0;
        for (int i = 0; i < kWidth * kHeight; ++i) count += (m_Bits[i] & 0xFFFFFF) == colour;
        return count;
    }

private:
    HDC m_Dc;
    HBITMAP m_Bitmap = nullptr;
    HGDIOBJ m_Old = nullptr;
    std::uint32_t* m_Bits = nullptr;
};

Report InOut() {
    Report report;
    report.query = {ReportKind::InOut, {20260101, 20260331}, false};
    report.recordCount = 6;
    report.months = {{2026, 1, 250000, 120000, 2}, {2026, 2, 180000, 200000, 2}, {2026, 3, 90000, 30000, 2}};
    return report;
}

Report Payees() {
    Report report;
    report.query = {ReportKind::Payees, {20260101, 20260331}, false};
    report.recordCount = 3;
    report.payees = {{"Rent", 2, 240000}, {"Corner grocer", 1, 18875}};
    report.allPayments = 258875;
    return report;
}

Report Balance() {
    Report report;
    report.query = {ReportKind::Balance, {20260101, 20260331}, false};
    report.recordCount = 3;
    report.openingBalance = 100000;
    report.openingCleared = 100000;
    report.days = {{20260105, 150000, 100000}, {20260210, 80000, 150000}, {20260301, 120000, 80000}};
    return report;
}

TEST(ReportChartTest, CoversItsRectangleWithItsTextBarsAndLines) {
    StartChartDrawing();
    struct Case {
        const char* name;
        Report report;
        std::vector<std::uint32_t> colours;  // each drawn somewhere
    };
    const Case cases[] = {
        {"money in and out", InOut(), {kBlue, kOrange, kText}},
        {"where the money goes", Payees(), {kBlue, kText}},
        {"balance over time", Balance(), {kBlue, kOrange, kText}},
    };
    Screen screen;
    for (const Case& c : cases) {
        ASSERT_TRUE(screen.Draw(c.report, {"Heading", ""})) << c.name;
        EXPECT_EQ(screen.Count(kBackdrop), 0) << c.name;
        for (std::uint32_t colour : c.colours) EXPECT_GT(screen.Count(colour), 0) << c.name << ", colour " << colour;
    }
}

TEST(ReportChartTest, AChartAfterAnotherOfItsSizeKeepsNothingOfIt) {
    StartChartDrawing();
    Screen screen;
    ASSERT_TRUE(screen.Draw(InOut(), {"Money in and out", ""}));
    ASSERT_GT(screen.Count(kOrange), 0);
    // Where the money goes has no orange: nothing of the bars before.
    ASSERT_TRUE(screen.Draw(Payees(), {"Where the money goes", ""}));
    EXPECT_EQ(screen.Count(kOrange), 0);
    EXPECT_EQ(screen.Count(kBackdrop), 0);
    EXPECT_GT(screen.Count(kText), 0);
}

}  // namespace
