#include "features/report_chart_win.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <map>
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

// Text and square fills go through GDI on the bitmap's own DC (GDI+ text
// and fills cost several times more); GDI+ draws only the anti-aliased
// lines. The fonts of one DPI, made once and kept for the run.
struct ChartFonts {
    HFONT label = nullptr;
    HFONT heading = nullptr;
};

HFONT MakeFont(float pixels, int weight) {
    // Arial, as the register prints with; the system picks its nearest sans
    // serif where it is missing.
    return CreateFontW(-static_cast<int>(std::lround(pixels)), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

const ChartFonts& FontsFor(unsigned dpi, float scale) {
    static std::map<unsigned, ChartFonts> fonts;
    ChartFonts& made = fonts[dpi];
    if (!made.label) made.label = MakeFont(12 * scale, FW_NORMAL);
    if (!made.heading) made.heading = MakeFont(15 * scale, FW_BOLD);
    return made;
}

// One face as the chart sets it: a run of text is as wide as the font
// makes it plus a sixth of the size on each side, and as tall as a line.
struct Face {
    HFONT font;
    float margin;  // the sixth of the size each side of a text
    float height;  // one line, its leading included
};

// What every part of a chart draws with, sized for one DPI. GDI and GDI+
// draw on the same pixels in turn: each turn hands over once the other
// has finished, and GDI's pixels are made opaque before GDI+ draws over
// them or the bitmap is used (GDI leaves their alpha at 0).
class Canvas {
public:
    Canvas(Graphics& g, HDC dc, ARGB* pixels, int width, int height, unsigned dpi, float scale)
        : g(g), s(scale), m_Dc(dc), m_Pixels(pixels), m_Width(width), m_Height(height) {
        const ChartFonts& fonts = FontsFor(dpi, scale);
        label = MakeFace(fonts.label, 12 * scale);
        heading = MakeFace(fonts.heading, 15 * scale);
        g.SetSmoothingMode(SmoothingModeAntiAlias);
        g.SetPageUnit(UnitPixel);
        SetBkMode(m_Dc, TRANSPARENT);
        SetTextColor(m_Dc, RGB(kText.GetR(), kText.GetG(), kText.GetB()));
        SetTextAlign(m_Dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas() { Lines(); }

    SizeF Measure(const std::wstring& t, const Face& face) const {
        SelectObject(m_Dc, face.font);
        SIZE size{};
        GetTextExtentPoint32W(m_Dc, t.c_str(), static_cast<int>(t.size()), &size);
        return SizeF(static_cast<float>(size.cx) + 2 * face.margin, face.height);
    }
    void Text(const std::wstring& t, const Face& face, float x, float y) {
        const SizeF size = Measure(t, face);
        const int left = static_cast<int>(std::lround(x + face.margin)), top = static_cast<int>(std::lround(y));
        TextOutW(Gdi(), left, top, t.c_str(), static_cast<int>(t.size()));
        Touch({left, top, left + static_cast<int>(std::ceil(size.Width)), top + static_cast<int>(std::ceil(size.Height))});
    }
    // Right-aligned in the box, centred on its height, cut with an ellipsis
    // where it does not fit.
    void TextRightIn(const std::wstring& t, const Face& face, const RectF& box) {
        SelectObject(m_Dc, face.font);
        RECT r{Round(box.X + face.margin), Round(box.Y), Round(box.GetRight() - face.margin), Round(box.GetBottom())};
        DrawTextW(Gdi(), t.c_str(), static_cast<int>(t.size()), &r,
                  DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        Touch(r);
    }
    // Right-aligned at x, centred on y.
    void TextLeftOf(const std::wstring& t, float x, float y) {
        const SizeF size = Measure(t, label);
        Text(t, label, x - size.Width, y - size.Height / 2);
    }
    void TextCentredAt(const std::wstring& t, float x, float y) {
        const SizeF size = Measure(t, label);
        Text(t, label, x - size.Width / 2, y);
    }
    // A box square to the pixels, covering those whose centres it holds.
    void Box(const Color& color, float x, float y, float width, float height) {
        const RECT r{Up(x), Up(y), Up(x + width), Up(y + height)};
        if (r.right <= r.left || r.bottom <= r.top) return;
        SetDCBrushColor(m_Dc, RGB(color.GetR(), color.GetG(), color.GetB()));
        FillRect(Gdi(), &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        Touch(r);
    }
    // GDI+ for what follows: GDI's drawing finished and made opaque.
    Graphics& Lines() {
        if (m_GdiTurn) {
            GdiFlush();
            const LONG left = std::max<LONG>(m_Touched.left, 0), right = std::min<LONG>(m_Touched.right, m_Width);
            const LONG top = std::max<LONG>(m_Touched.top, 0), bottom = std::min<LONG>(m_Touched.bottom, m_Height);
            for (LONG row = top; row < bottom; ++row) {
                ARGB* pixel = m_Pixels + static_cast<std::size_t>(row) * static_cast<std::size_t>(m_Width);
                for (LONG column = left; column < right; ++column) pixel[column] |= 0xFF000000u;
            }
            m_Touched = {m_Width, m_Height, 0, 0};
            m_GdiTurn = false;
        }
        return g;
    }

    Graphics& g;
    const float s;
    Face label{};
    Face heading{};

private:
    static int Round(float v) { return static_cast<int>(std::lround(v)); }
    static int Up(float v) { return static_cast<int>(std::ceil(v)); }
    Face MakeFace(HFONT font, float size) const {
        SelectObject(m_Dc, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(m_Dc, &metrics);
        return {font, size / 6, static_cast<float>(metrics.tmHeight + metrics.tmExternalLeading)};
    }
    HDC Gdi() {
        if (!m_GdiTurn) {
            g.Flush(FlushIntentionSync);
            m_GdiTurn = true;
        }
        return m_Dc;
    }
    void Touch(const RECT& r) {
        m_Touched = {std::min(m_Touched.left, r.left), std::min(m_Touched.top, r.top),
                     std::max(m_Touched.right, r.right), std::max(m_Touched.bottom, r.bottom)};
    }

    HDC m_Dc;
    ARGB* m_Pixels;
    int m_Width;
    int m_Height;
    bool m_GdiTurn = false;
    RECT m_Touched{m_Width, m_Height, 0, 0};
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
            c.Lines().DrawLine(&pen, x, mid, x + swatch * 1.6f, mid);
            x += swatch * 1.6f + 5 * c.s;
        } else {
            c.Box(item.color, x, mid - swatch / 2, swatch, swatch);
            x += swatch + 5 * c.s;
        }
        c.Text(name, c.label, x, y);
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
        c.Lines().DrawLine(&grid, axis.plot.X, y, axis.plot.GetRight(), y);
        c.TextLeftOf(Wide(ReportAmountText(value)), axis.plot.X - 6 * c.s, y);
    }
    // The line at zero, drawn when the values reach both sides of it.
    if (axis.ticks.first < 0 && axis.ticks.Last() > 0) {
        Pen zero(kInk, 1.2f * c.s);
        c.Lines().DrawLine(&zero, axis.plot.X, axis.Y(0), axis.plot.GetRight(), axis.Y(0));
    }
    Pen frame(kRest, 1 * c.s);
    c.Lines().DrawLine(&frame, axis.plot.X, axis.plot.Y, axis.plot.X, axis.plot.GetBottom());
    c.Lines().DrawLine(&frame, axis.plot.X, axis.plot.GetBottom(), axis.plot.GetRight(), axis.plot.GetBottom());
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

// GDI+ blends a line over the whole rectangle that bounds it, so one line
// across the plot costs as much as filling the plot. A long line is drawn
// in pieces some 64 pixels across instead. Pieces meet within a level
// stretch of the line: a solid one where two pixels part, a dashed one
// where a dash begins (dashPeriod: a dash and its gap), so that no join
// shows.
void DrawInPieces(Graphics& g, const Pen& pen, const std::vector<PointF>& points, float dashPeriod) {
    constexpr float kPiece = 64;
    std::vector<PointF> piece;
    float travelled = 0;  // along the line from its start, for the dashes
    float pieceStart = points.empty() ? 0 : points.front().X;
    for (std::size_t i = 0; i < points.size(); ++i) {
        piece.push_back(points[i]);
        if (i + 1 == points.size()) break;
        const PointF a = points[i], b = points[i + 1];
        if (a.Y == b.Y && b.X > a.X && b.X - pieceStart >= kPiece) {
            float cut = std::floor(a.X - 0.5f) + 1.5f;
            if (dashPeriod > 0) {
                cut = a.X + (std::ceil(travelled / dashPeriod) * dashPeriod - travelled);
                if (cut - a.X < 0.01f) cut += dashPeriod;
            }
            if (cut < b.X) {
                piece.emplace_back(cut, a.Y);
                g.DrawLines(&pen, piece.data(), static_cast<INT>(piece.size()));
                piece.assign(1, PointF(cut, a.Y));
                pieceStart = cut;
            }
        }
        travelled += std::hypot(b.X - a.X, b.Y - a.Y);
    }
    if (piece.size() > 1) g.DrawLines(&pen, piece.data(), static_cast<INT>(piece.size()));
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
    DrawInPieces(c.Lines(), balancePen, balance, 0);
    // A dash three widths long, then a gap of one.
    DrawInPieces(c.Lines(), clearedPen, cleared, 4 * 2.5f * c.s);
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
    SolidBrush ink(kInk);
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
    for (const RectF& bar : deposits) c.Box(kBlue, bar.X, bar.Y, bar.Width, bar.Height);
    for (const RectF& bar : payments) c.Box(kOrange, bar.X, bar.Y, bar.Width, bar.Height);
    if (net.size() > 1) c.Lines().DrawLines(&netLine, net.data(), static_cast<INT>(net.size()));
    // A point for each month's net where the months leave room for one;
    // over many years the line alone is clearer.
    const float r = std::min(5.0f * c.s, slot * 0.2f);
    if (r < 2.0f * c.s) return;
    GraphicsPath diamonds;
    for (const PointF& p : net) {
        const PointF diamond[] = {{p.X, p.Y - r}, {p.X + r, p.Y}, {p.X, p.Y + r}, {p.X - r, p.Y}};
        diamonds.AddPolygon(diamond, 4);
    }
    c.Lines().FillPath(&ink, &diamonds);
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
    // Names longer than their column are cut with an ellipsis.
    for (std::size_t i = 0; i < report.payees.size(); ++i) {
        const PayeeTotal& p = report.payees[i];
        const float y = plot.Y + row * static_cast<float>(i);
        const std::wstring name = Wide(p.name);
        const RectF nameBox(plot.X, y, nameWidth, row);
        c.TextRightIn(name, c.label, nameBox);
        const float length = barRoom * static_cast<float>(static_cast<double>(p.total) / static_cast<double>(largest));
        const bool isRest = i == kTopPayees && p.name == kEverythingElse;
        c.Box(isRest ? kRest : kBlue, barLeft, y + row * 0.15f, std::max(length, 1.0f), row * 0.7f);
        const std::wstring value = Wide(ReportAmountText(p.total) + "  " + ShareText(p.total, report.allPayments));
        const SizeF size = c.Measure(value, c.label);
        c.Text(value, c.label, barLeft + length + 6 * c.s, y + (row - size.Height) / 2);
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

void Draw(Canvas& c, const RectF& area, const Report& report, const ChartTexts& texts) {
    const float pad = 10 * c.s;
    const std::wstring heading = Wide(texts.heading);
    c.Text(heading, c.heading, area.X + pad, area.Y + pad);
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
        c.Lines().DrawRectangle(&frame, PlotArea(c, area, top, 0));
        const std::wstring empty = Wide(texts.nothingToShow);
        const SizeF size = c.Measure(empty, c.heading);
        c.Text(empty, c.heading, area.X + (area.Width - size.Width) / 2, top + (area.GetBottom() - top - size.Height) / 2);
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

// The pixels of a picture: a DIB section that GDI draws on through its own
// DC and GDI+ through a bitmap over the same memory.
class Pixels {
public:
    Pixels(int width, int height) : m_Dc(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top row first, as GDI+ reads it
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_Section = CreateDIBSection(m_Dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!m_Dc || !m_Section || !bits) {
            WriteLog("ReportChart: no %dx%d bitmap, error %lu", width, height, GetLastError());
            return;
        }
        m_Bits = static_cast<ARGB*>(bits);
        m_Old = SelectObject(m_Dc, m_Section);
    }
    ~Pixels() {
        if (m_Old) SelectObject(m_Dc, m_Old);
        if (m_Section) DeleteObject(m_Section);
        if (m_Dc) DeleteDC(m_Dc);
    }
    Pixels(const Pixels&) = delete;
    Pixels& operator=(const Pixels&) = delete;

    HDC dc() const { return m_Dc; }
    ARGB* bits() const { return m_Bits; }

private:
    HDC m_Dc;
    HBITMAP m_Section = nullptr;
    HGDIOBJ m_Old = nullptr;
    ARGB* m_Bits = nullptr;
};

// The chart in a bitmap of its own, drawn whole before it is shown.
// Each drawing starts from white pixels written in memory: painting a
// whole bitmap white through GDI+ costs more than the rest of a chart.
class Picture {
public:
    Picture(int width, int height)
        : m_Width(std::max(width, 1)), m_Height(std::max(height, 1)), m_Pixels(m_Width, m_Height),
          m_Bitmap(m_Width, m_Height, m_Width * 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(m_Pixels.bits())) {}
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    bool Draw(unsigned dpi, const Report& report, const ChartTexts& texts) {
        if (!m_Pixels.bits() || m_Bitmap.GetLastStatus() != Ok) return false;
        std::fill_n(m_Pixels.bits(), static_cast<std::size_t>(m_Width) * static_cast<std::size_t>(m_Height),
                    kPaper.GetValue());
        Graphics g(&m_Bitmap);
        {
            const unsigned shownDpi = dpi ? dpi : 96;
            Canvas c(g, m_Pixels.dc(), m_Pixels.bits(), m_Width, m_Height, shownDpi, static_cast<float>(shownDpi) / 96.0f);
            ::Draw(c, RectF(0, 0, static_cast<REAL>(m_Width), static_cast<REAL>(m_Height)), report, texts);
        }
        return g.GetLastStatus() == Ok;
    }
    Bitmap* get() { return &m_Bitmap; }
    bool Fits(int width, int height) const { return m_Width == std::max(width, 1) && m_Height == std::max(height, 1); }

private:
    int m_Width;
    int m_Height;
    Pixels m_Pixels;  // declared before the bitmap that points into it
    Bitmap m_Bitmap;
};

// The picture of the last chart, kept for the next one of the same size:
// making a bitmap of a whole screen costs as much as drawing the chart,
// and a window is drawn again and again at one size.
Picture& PictureOf(int width, int height) {
    static std::unique_ptr<Picture> kept;
    if (!kept || !kept->Fits(width, height)) {
        kept.reset();
        kept = std::make_unique<Picture>(width, height);
    }
    return *kept;
}

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
    Picture& picture = PictureOf(width, height);
    if (!picture.Draw(dpi, report, texts)) return false;
    Graphics screen(dc);
    // A printer's graphics count in hundredths of an inch unless told.
    screen.SetPageUnit(UnitPixel);
    return screen.DrawImage(picture.get(), area.left, area.top, width, height) == Ok;
}

bool DrawReportChartOffscreen(int width, int height, unsigned dpi, const Report& report, const ChartTexts& texts) {
    return StartChartDrawing() && PictureOf(width, height).Draw(dpi, report, texts);
}

bool SaveReportChartPng(const std::wstring& path, int width, int height, unsigned dpi, const Report& report,
                        const ChartTexts& texts) {
    CLSID png{};
    if (!StartChartDrawing() || !FindPngEncoder(png)) return false;
    Picture& picture = PictureOf(width, height);
    if (!picture.Draw(dpi, report, texts)) return false;
    const Status status = picture.get()->Save(path.c_str(), &png, nullptr);
    if (status != Ok) WriteLog("ReportChart: saving the PNG failed, status %d", static_cast<int>(status));
    return status == Ok;
}
