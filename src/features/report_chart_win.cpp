#include "features/report_chart_win.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "base/log.h"
#include "features/reports.h"
#include "values/date.h"

using namespace Gdiplus;

namespace {

// Colours told apart by colour-blind readers and in grey print: blue and
// orange, the cleared line also dashed, the net in black.
const Color kBlue(255, 0, 114, 178);
const Color kOrange(255, 230, 159, 0);
const Color kInk(255, 0, 0, 0);
const Color kText(255, 51, 51, 51);
const Color kGrid(255, 225, 225, 225);
const Color kRest(255, 150, 150, 150);
const Color kPaper(255, 255, 255, 255);

std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

// Arial, as the register prints with, or the sans serif face that every
// Windows since Vista has.
std::unique_ptr<FontFamily> SansSerif() {
    auto family = std::make_unique<FontFamily>(L"Arial");
    if (family->GetLastStatus() != Ok) family = std::make_unique<FontFamily>(L"Tahoma");
    return family;
}

// What every part of a chart draws with, sized for one DPI.
class Canvas {
public:
    Canvas(Graphics& g, float scale)
        : g(g), s(scale), m_Family(SansSerif()), label(m_Family.get(), 12 * scale, FontStyleRegular, UnitPixel),
          heading(m_Family.get(), 15 * scale, FontStyleBold, UnitPixel), text(kText) {
        g.SetSmoothingMode(SmoothingModeAntiAlias);
        g.SetTextRenderingHint(TextRenderingHintAntiAliasGridFit);
        g.SetPageUnit(UnitPixel);
    }

    SizeF Measure(const std::wstring& t, const Font& font) const {
        RectF box;
        g.MeasureString(t.c_str(), static_cast<INT>(t.size()), &font, PointF(0, 0), &box);
        return SizeF(box.Width, box.Height);
    }
    void Text(const std::wstring& t, const Font& font, float x, float y, const Brush& brush) {
        g.DrawString(t.c_str(), static_cast<INT>(t.size()), &font, PointF(x, y), &brush);
    }
    // Right-aligned at x, centred on y.
    void TextLeftOf(const std::wstring& t, float x, float y) {
        const SizeF size = Measure(t, label);
        Text(t, label, x - size.Width, y - size.Height / 2, text);
    }
    void TextCentredAt(const std::wstring& t, float x, float y) {
        const SizeF size = Measure(t, label);
        Text(t, label, x - size.Width / 2, y, text);
    }

    Graphics& g;
    const float s;

private:
    std::unique_ptr<FontFamily> m_Family;

public:
    Font label;
    Font heading;
    SolidBrush text;
};

struct Series {
    std::string name;
    Color color;
    bool line;    // a line (dashed when dashed) rather than a filled box
    bool dashed;
};

// Draws the legend from (x, y) rightwards; returns its height.
float DrawLegend(Canvas& c, float x, float y, const std::vector<Series>& series) {
    float height = 0;
    for (const Series& item : series) {
        const std::wstring name = Wide(item.name);
        const SizeF size = c.Measure(name, c.label);
        const float swatch = 14 * c.s, mid = y + size.Height / 2;
        if (item.line) {
            Pen pen(item.color, 2.5f * c.s);
            if (item.dashed) pen.SetDashStyle(DashStyleDash);
            c.g.DrawLine(&pen, x, mid, x + swatch * 1.6f, mid);
            x += swatch * 1.6f + 5 * c.s;
        } else {
            SolidBrush fill(item.color);
            c.g.FillRectangle(&fill, x, mid - swatch / 2, swatch, swatch);
            x += swatch + 5 * c.s;
        }
        c.Text(name, c.label, x, y, c.text);
        x += size.Width + 16 * c.s;
        height = std::max(height, size.Height);
    }
    return height;
}

// The value axis: grid lines and amount labels on the left of the plot.
struct ValueAxis {
    AxisTicks ticks;
    RectF plot;
    float Y(double cents) const {
        const double low = static_cast<double>(ticks.first), high = static_cast<double>(ticks.Last());
        return plot.GetBottom() - static_cast<float>((cents - low) / (high - low)) * plot.Height;
    }
};

// Room that the amount labels of an axis take on the left.
float AxisLabelWidth(Canvas& c, const AxisTicks& ticks) {
    float width = 0;
    for (int i = 0; i < ticks.count; ++i)
        width = std::max(width, c.Measure(Wide(ReportAmountText(ticks.first + ticks.step * i)), c.label).Width);
    return width;
}

void DrawValueAxis(Canvas& c, const ValueAxis& axis) {
    Pen grid(kGrid, 1 * c.s);
    for (int i = 0; i < axis.ticks.count; ++i) {
        const Cents value = axis.ticks.first + axis.ticks.step * i;
        const float y = axis.Y(static_cast<double>(value));
        c.g.DrawLine(&grid, axis.plot.X, y, axis.plot.GetRight(), y);
        c.TextLeftOf(Wide(ReportAmountText(value)), axis.plot.X - 6 * c.s, y);
    }
    // The line at zero, drawn when the values reach both sides of it.
    if (axis.ticks.first < 0 && axis.ticks.Last() > 0) {
        Pen zero(kInk, 1.2f * c.s);
        c.g.DrawLine(&zero, axis.plot.X, axis.Y(0), axis.plot.GetRight(), axis.Y(0));
    }
    Pen frame(kRest, 1 * c.s);
    c.g.DrawLine(&frame, axis.plot.X, axis.plot.Y, axis.plot.X, axis.plot.GetBottom());
    c.g.DrawLine(&frame, axis.plot.X, axis.plot.GetBottom(), axis.plot.GetRight(), axis.plot.GetBottom());
}

// The plot's rectangle below the heading and legend, with room on the left
// for the labels and below for one line of them.
RectF PlotArea(Canvas& c, const RectF& area, float top, float leftLabels) {
    const float pad = 10 * c.s;
    const float below = c.Measure(L"0", c.label).Height + 8 * c.s;
    const float left = area.X + pad + leftLabels + 8 * c.s;
    return RectF(left, top, std::max(1.0f, area.GetRight() - pad - left), std::max(1.0f, area.GetBottom() - below - top));
}

// A line of many more points than pixels across: in each pixel column
// only where it enters, its lowest and highest point and where it leaves
// are drawn, which looks the same and costs far less.
std::vector<PointF> Thinned(const std::vector<PointF>& points) {
    std::vector<PointF> kept;
    kept.reserve(std::min<std::size_t>(points.size(), 4096));
    std::size_t i = 0;
    while (i < points.size()) {
        const float column = std::floor(points[i].X);
        std::size_t end = i, low = i, high = i;
        for (; end < points.size() && std::floor(points[end].X) == column; ++end) {
            if (points[end].Y < points[low].Y) low = end;
            if (points[end].Y > points[high].Y) high = end;
        }
        // The extremes in the order the line meets them.
        const std::size_t first = std::min(low, high), second = std::max(low, high);
        std::size_t previous = points.size();
        for (std::size_t k : {i, first, second, end - 1}) {
            if (k != previous) kept.push_back(points[k]);
            previous = k;
        }
        i = end;
    }
    return kept;
}

void DrawBalance(Canvas& c, const Report& report, const RectF& area, float top) {
    Cents low = std::min(report.openingBalance, report.openingCleared), high = std::max(low, report.openingBalance);
    high = std::max(high, report.openingCleared);
    for (const BalancePoint& p : report.days) {
        low = std::min({low, p.balance, p.cleared});
        high = std::max({high, p.balance, p.cleared});
    }
    ValueAxis axis{NiceTicks(low, high, 5), RectF()};
    axis.plot = PlotArea(c, area, top, AxisLabelWidth(c, axis.ticks));
    DrawValueAxis(c, axis);

    const int first = DaysSinceEpoch(report.query.range.from);
    const int span = std::max(1, DaysSinceEpoch(report.query.range.to) + 1 - first);
    auto x = [&](int days) { return axis.plot.X + axis.plot.Width * static_cast<float>(days - first) / span; };

    // Dates along the bottom, evenly spread.
    const int labels = std::clamp(static_cast<int>(axis.plot.Width / (110 * c.s)), 2, 8);
    for (int i = 0; i < labels; ++i) {
        const int days = first + static_cast<int>(static_cast<long long>(span - 1) * i / (labels - 1));
        const std::string shown = g_Date.ToDisplay(StoredText(DayFromEpochDays(days)).c_str());
        const float at = std::clamp(x(days), axis.plot.X + 24 * c.s, axis.plot.GetRight() - 24 * c.s);
        c.TextCentredAt(Wide(shown), at, axis.plot.GetBottom() + 4 * c.s);
    }
    if (report.days.empty()) return;

    // Each series as steps: level until the day it changes, then the new
    // level through that day.
    auto steps = [&](Cents opening, auto value) {
        std::vector<PointF> points;
        points.reserve(report.days.size() * 2 + 2);
        float level = axis.Y(static_cast<double>(opening));
        points.emplace_back(axis.plot.X, level);
        for (const BalancePoint& p : report.days) {
            const float at = x(DaysSinceEpoch(p.day));
            points.emplace_back(at, level);
            level = axis.Y(static_cast<double>(value(p)));
            points.emplace_back(at, level);
        }
        points.emplace_back(x(DaysSinceEpoch(report.days.back().day) + 1), level);
        return points;
    };
    const auto cleared = Thinned(steps(report.openingCleared, [](const BalancePoint& p) { return p.cleared; }));
    const auto balance = Thinned(steps(report.openingBalance, [](const BalancePoint& p) { return p.balance; }));
    Pen clearedPen(kOrange, 2.5f * c.s);
    clearedPen.SetDashStyle(DashStyleDash);
    Pen balancePen(kBlue, 2.5f * c.s);
    // The dashed cleared line on top, so that it shows where both agree.
    c.g.DrawLines(&balancePen, balance.data(), static_cast<INT>(balance.size()));
    c.g.DrawLines(&clearedPen, cleared.data(), static_cast<INT>(cleared.size()));
}

void DrawInOut(Canvas& c, const Report& report, const RectF& area, float top) {
    Cents low = 0, high = 0;
    for (const MonthTotals& m : report.months) {
        low = std::min(low, m.Net());
        high = std::max({high, m.deposits, m.payments, m.Net()});
    }
    ValueAxis axis{NiceTicks(low, high, 5), RectF()};
    axis.plot = PlotArea(c, area, top, AxisLabelWidth(c, axis.ticks));
    DrawValueAxis(c, axis);
    if (report.months.empty()) return;

    const float slot = axis.plot.Width / static_cast<float>(report.months.size());
    const float bar = slot * 0.34f, zero = axis.Y(0);
    const float labelWidth = c.Measure(L"00/00", c.label).Width * 1.4f;
    const std::size_t every = static_cast<std::size_t>(std::ceil(labelWidth / slot));
    SolidBrush in(kBlue), out(kOrange), ink(kInk);
    // Over many months the net line zigzags across the whole plot: it is
    // drawn one pixel wide then, which reads as well and draws far faster.
    Pen netLine(kInk, (slot < 12 * c.s ? 1.0f : 1.5f) * c.s);
    std::vector<PointF> net;
    std::vector<RectF> deposits, payments;
    for (std::size_t i = 0; i < report.months.size(); ++i) {
        const MonthTotals& m = report.months[i];
        const float centre = axis.plot.X + slot * (static_cast<float>(i) + 0.5f);
        const float depositTop = axis.Y(static_cast<double>(m.deposits));
        const float paymentTop = axis.Y(static_cast<double>(m.payments));
        if (m.deposits > 0) deposits.emplace_back(centre - bar - slot * 0.02f, depositTop, bar, zero - depositTop);
        if (m.payments > 0) payments.emplace_back(centre + slot * 0.02f, paymentTop, bar, zero - paymentTop);
        net.emplace_back(centre, axis.Y(static_cast<double>(m.Net())));
        if (i % every == 0)
            c.TextCentredAt(Wide(MonthText(m.year, m.month, g_Date.GetDateFormat())), centre,
                            axis.plot.GetBottom() + 4 * c.s);
    }
    // Bars stand square to the pixels: smoothing their edges would only
    // blur them, and costs much where there are hundreds.
    c.g.SetSmoothingMode(SmoothingModeNone);
    // (One call a bar: some GDI+ fill a batch of rectangles as one shape,
    // which costs far more than the bars themselves.)
    for (const RectF& bar : deposits) c.g.FillRectangle(&in, bar);
    for (const RectF& bar : payments) c.g.FillRectangle(&out, bar);
    c.g.SetSmoothingMode(SmoothingModeAntiAlias);
    if (net.size() > 1) c.g.DrawLines(&netLine, net.data(), static_cast<INT>(net.size()));
    // A point for each month's net where the months leave room for one;
    // over many years the line alone is clearer.
    const float r = std::min(5.0f * c.s, slot * 0.2f);
    if (r < 2.0f * c.s) return;
    GraphicsPath diamonds;
    for (const PointF& p : net) {
        const PointF diamond[] = {{p.X, p.Y - r}, {p.X + r, p.Y}, {p.X, p.Y + r}, {p.X - r, p.Y}};
        diamonds.AddPolygon(diamond, 4);
    }
    c.g.FillPath(&ink, &diamonds);
}

void DrawPayees(Canvas& c, const Report& report, const RectF& area, float top) {
    const float pad = 10 * c.s;
    const RectF plot(area.X + pad, top, std::max(1.0f, area.Width - 2 * pad), std::max(1.0f, area.GetBottom() - pad - top));
    if (report.payees.empty()) return;
    float nameWidth = 0;
    Cents largest = 1;
    for (const PayeeTotal& p : report.payees) {
        nameWidth = std::max(nameWidth, c.Measure(Wide(p.name), c.label).Width);
        largest = std::max(largest, p.total);
    }
    nameWidth = std::min(nameWidth, plot.Width * 0.35f);
    const float valueWidth = c.Measure(L"-9,999,999.99  100.0%", c.label).Width;
    const float barLeft = plot.X + nameWidth + 8 * c.s;
    const float barRoom = std::max(1.0f, plot.GetRight() - valueWidth - 8 * c.s - barLeft);
    const float row = std::min(plot.Height / static_cast<float>(report.payees.size()), 30 * c.s);
    SolidBrush named(kBlue), rest(kRest);
    // Names longer than their column are cut with an ellipsis.
    StringFormat cut;
    cut.SetTrimming(StringTrimmingEllipsisCharacter);
    cut.SetFormatFlags(StringFormatFlagsNoWrap);
    cut.SetAlignment(StringAlignmentFar);
    cut.SetLineAlignment(StringAlignmentCenter);
    for (std::size_t i = 0; i < report.payees.size(); ++i) {
        const PayeeTotal& p = report.payees[i];
        const float y = plot.Y + row * static_cast<float>(i);
        const std::wstring name = Wide(p.name);
        const RectF nameBox(plot.X, y, nameWidth, row);
        c.g.DrawString(name.c_str(), static_cast<INT>(name.size()), &c.label, nameBox, &cut, &c.text);
        const float length = barRoom * static_cast<float>(static_cast<double>(p.total) / static_cast<double>(largest));
        const bool isRest = i == kTopPayees && p.name == kEverythingElse;
        c.g.FillRectangle(isRest ? &rest : &named, barLeft, y + row * 0.15f, std::max(length, 1.0f), row * 0.7f);
        const std::wstring value = Wide(ReportAmountText(p.total) + "  " + ShareText(p.total, report.allPayments));
        const SizeF size = c.Measure(value, c.label);
        c.Text(value, c.label, barLeft + length + 6 * c.s, y + (row - size.Height) / 2, c.text);
    }
}

std::vector<Series> Legend(const Report& report) {
    switch (report.query.kind) {
        case ReportKind::Balance:
            if (report.query.clearedOnly) return {{"Cleared balance", kBlue, true, false}};
            return {{"Balance", kBlue, true, false}, {"Cleared (R) balance", kOrange, true, true}};
        case ReportKind::InOut:
            return {{"Deposits", kBlue, false, false}, {"Payments", kOrange, false, false}, {"Net", kInk, true, false}};
        case ReportKind::Payees: {
            std::vector<Series> series{{"Payments", kBlue, false, false}};
            if (report.payees.size() > kTopPayees) series.push_back({kEverythingElse, kRest, false, false});
            return series;
        }
    }
    return {};
}

void Draw(Graphics& g, const RectF& area, unsigned dpi, const Report& report, const ChartTexts& texts) {
    Canvas c(g, static_cast<float>(dpi ? dpi : 96) / 96.0f);
    const float pad = 10 * c.s;
    const std::wstring heading = Wide(texts.heading);
    c.Text(heading, c.heading, area.X + pad, area.Y + pad, c.text);
    float top = area.Y + pad + c.Measure(heading, c.heading).Height + 4 * c.s;
    top += DrawLegend(c, area.X + pad, top, Legend(report)) + 10 * c.s;
    if (texts.nothingToShow.empty()) {
        switch (report.query.kind) {
            case ReportKind::Balance: DrawBalance(c, report, area, top); break;
            case ReportKind::InOut: DrawInOut(c, report, area, top); break;
            case ReportKind::Payees: DrawPayees(c, report, area, top); break;
        }
    } else {
        // An empty chart: its frame and the sentence, no made-up scale.
        Pen frame(kRest, 1 * c.s);
        c.g.DrawRectangle(&frame, PlotArea(c, area, top, 0));
        const std::wstring empty = Wide(texts.nothingToShow);
        const SizeF size = c.Measure(empty, c.heading);
        c.Text(empty, c.heading, area.X + (area.Width - size.Width) / 2, top + (area.GetBottom() - top - size.Height) / 2,
               c.text);
    }
}

bool FindPngEncoder(CLSID& clsid) {
    UINT count = 0, bytes = 0;
    if (GetImageEncodersSize(&count, &bytes) != Ok || bytes == 0) return false;
    std::vector<unsigned char> buffer(bytes);
    auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    if (GetImageEncoders(count, bytes, codecs) != Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType && std::wstring(codecs[i].MimeType) == L"image/png") {
            clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

// The chart in a bitmap of its own, drawn whole before it is shown. Its
// pixels start white in memory: painting a whole bitmap white through
// GDI+ costs more than the rest of a chart.
class Picture {
public:
    Picture(int width, int height)
        : m_Width(std::max(width, 1)), m_Height(std::max(height, 1)),
          m_Pixels(static_cast<std::size_t>(m_Width) * static_cast<std::size_t>(m_Height), kPaper.GetValue()),
          m_Bitmap(m_Width, m_Height, m_Width * 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(m_Pixels.data())) {}
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    bool Draw(unsigned dpi, const Report& report, const ChartTexts& texts) {
        if (m_Bitmap.GetLastStatus() != Ok) return false;
        Graphics g(&m_Bitmap);
        ::Draw(g, RectF(0, 0, static_cast<REAL>(m_Width), static_cast<REAL>(m_Height)), dpi, report, texts);
        return g.GetLastStatus() == Ok;
    }
    Bitmap* get() { return &m_Bitmap; }

private:
    int m_Width;
    int m_Height;
    std::vector<ARGB> m_Pixels;  // declared before the bitmap that points into it
    Bitmap m_Bitmap;
};

}  // namespace

bool StartChartDrawing() {
    static const bool started = [] {
        GdiplusStartupInput input;
        ULONG_PTR token = 0;
        const Status status = GdiplusStartup(&token, &input, nullptr);
        if (status != Ok) WriteLog("ReportChart: GdiplusStartup failed, status %d", static_cast<int>(status));
        return status == Ok;
    }();
    return started;
}

bool DrawReportChart(HDC dc, const RECT& area, unsigned dpi, const Report& report, const ChartTexts& texts) {
    if (!StartChartDrawing()) return false;
    const int width = area.right - area.left, height = area.bottom - area.top;
    auto picture = std::make_unique<Picture>(width, height);
    if (!picture->Draw(dpi, report, texts)) return false;
    Graphics screen(dc);
    // A printer's graphics count in hundredths of an inch unless told.
    screen.SetPageUnit(UnitPixel);
    return screen.DrawImage(picture->get(), area.left, area.top, width, height) == Ok;
}

bool DrawReportChartOffscreen(int width, int height, unsigned dpi, const Report& report, const ChartTexts& texts) {
    return StartChartDrawing() && std::make_unique<Picture>(width, height)->Draw(dpi, report, texts);
}

bool SaveReportChartPng(const std::wstring& path, int width, int height, unsigned dpi, const Report& report,
                        const ChartTexts& texts) {
    CLSID png{};
    if (!StartChartDrawing() || !FindPngEncoder(png)) return false;
    auto picture = std::make_unique<Picture>(width, height);
    if (!picture->Draw(dpi, report, texts)) return false;
    const Status status = picture->get()->Save(path.c_str(), &png, nullptr);
    if (status != Ok) WriteLog("ReportChart: saving the PNG failed, status %d", static_cast<int>(status));
    return status == Ok;
}
