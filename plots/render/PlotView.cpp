#include "plots/render/PlotView.h"

#include "plots/render/Curves.h"
#include "plots/render/PoleZeroMap.h"
#include "plots/report/Format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

namespace plots {

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// v × 10^exponent, dividing by the exact power where that is the more exact way.
double TimesPowerOfTen(double v, int exponent)
{
    if (exponent < 0 && exponent >= -300) return v / std::pow(10.0, -exponent);
    return v * std::pow(10.0, exponent);
}

// Which curve array of the drawing (1, 2 or 3 for CurveY1..CurveY3) each curve of a line plot
// is, with its name, in the order DrawCurves draws them.
std::vector<std::pair<std::string, int>> CurveSlots(PlotKind kind, PlotType plotType)
{
    switch (kind) {
    case PlotKind::FirstLinePlot:
        if (plotType == PlotType::Ode) return {{"Y", 2}, {"Ydot", 1}};
        if (plotType == PlotType::TwoCompartment) return {{"A1", 2}, {"A2", 3}, {"A1 + A2", 1}};
        return {{"Error", 1}};
    case PlotKind::CurveVersusData: return {{"DATA", 2}, {"Model", 1}};
    case PlotKind::SideLobe: return {{"Sidelobe", 1}};
    case PlotKind::GroupDelayRipple: return {{"Group Delay Ripple", 1}};
    case PlotKind::ImpulseResponse: return {{"h(t)", 1}};
    default: return {};
    }
}

const Series& Slot(const AxisState& a, int slot)
{
    return slot == 1 ? a.CurveY1 : slot == 2 ? a.CurveY2 : a.CurveY3;
}

// The curve arrays as the plot sequence fills them for a kind, before any scaling.
AxisState FilledCurves(const PlotData& data, PlotKind kind)
{
    MeasuringSurface scratch(1, 1);
    AxisState axis;
    std::string trace;
    const DisplaySettings settings;
    const PlotFacts facts;
    DrawContext ctx{data, kind, settings, facts, scratch, axis, trace};
    FillCurves(ctx);
    return axis;
}

std::size_t PointsOf(const PlotData& d)
{
    return std::min(d.PointCount > 0 ? std::size_t(d.PointCount) : std::size_t(0), d.DataX.size());
}

Series FirstOf(const Series& s, std::size_t n)
{
    Series part(n, NaN);
    std::copy_n(s.begin(), std::min(n, s.size()), part.begin());
    return part;
}

CurveTable MapTable(const PlotData& data)
{
    CurveTable t{XAxisTitle(data.PlotType, PlotKind::PoleZeroMap), {}, {{"Poles", {}}, {"Zeroes", {}}, {"Doublets", {}}}};
    for (const MapMarker& m : MapMarkers(data)) {
        t.X.push_back(m.Omega);
        const int column = m.Text == "X" ? 0 : m.Text == "O" ? 1 : 2;
        for (int c = 0; c < 3; ++c) t.Curves[std::size_t(c)].Y.push_back(c == column ? m.Sigma : NaN);
    }
    return t;
}

std::string Number(double v)
{
    if (std::isnan(v)) return {};
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, end) : std::string();
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// A stretch the scaler and the labels can still tell apart: finite, and wider than a few
// parts in 10^10 of its ends.
bool Drawable(const AxisRange& r)
{
    const double span = r.Max - r.Min;
    return std::isfinite(r.Min) && std::isfinite(r.Max) && std::isfinite(span) && span > 0 &&
           span >= 1e-10 * std::max(std::fabs(r.Min), std::fabs(r.Max)) && span > 1e-250;
}

AxisRange Ordered(double a, double b) { return a <= b ? AxisRange{a, b} : AxisRange{b, a}; }

}  // namespace

CurveTable ShownCurves(const PlotData& data, PlotKind kind)
{
    if (kind == PlotKind::PoleZeroMap) return MapTable(data);
    const std::size_t n = PointsOf(data);
    CurveTable t{XAxisTitle(data.PlotType, kind), FirstOf(data.DataX, n), {}};
    const AxisState filled = FilledCurves(data, kind);
    for (const auto& [name, slot] : CurveSlots(kind, data.PlotType)) t.Curves.push_back({name, FirstOf(Slot(filled, slot), n)});
    return t;
}

std::string CurvesCsv(const CurveTable& table)
{
    std::string csv = CsvField(table.XName);
    for (const NamedCurve& c : table.Curves) csv += "," + CsvField(c.Name);
    csv += "\n";
    for (std::size_t i = 0; i < table.X.size(); ++i) {
        csv += Number(table.X[i]);
        for (const NamedCurve& c : table.Curves) csv += "," + Number(i < c.Y.size() ? c.Y[i] : NaN);
        csv += "\n";
    }
    return csv;
}

std::string AxisValueText(double shown, int exponent, int labelDecimals)
{
    if (!std::isfinite(shown)) return FormatFixed(shown, labelDecimals);
    if (exponent <= labelDecimals) return FormatFixed(TimesPowerOfTen(shown, exponent), labelDecimals - exponent);
    // The labels' last decimal lies above the units: round there, then write the whole number.
    const double units = std::nearbyint(TimesPowerOfTen(shown, labelDecimals));
    return FormatFixed(TimesPowerOfTen(units, exponent - labelDecimals), 0);
}

PlotView::PlotView(const PlotData& data, PlotKind kind, const PlotDrawing& drawing)
    : scale_(drawing.Scale), xPower_(drawing.Axis.XPower), yPower_(drawing.Axis.YPower),
      xExponent_(drawing.Axis.XExponent), yExponent_(drawing.Axis.YExponent), xmin_(drawing.Axis.Xmin),
      xmax_(drawing.Axis.Xmax), ymin_(drawing.Axis.Ymin), ymax_(drawing.Axis.Ymax)
{
    if (kind == PlotKind::Picture) return;
    const CurveTable table = ShownCurves(data, kind);
    if (kind == PlotKind::PoleZeroMap) {
        // A marker stands with its top-left corner at its point; that point is what snaps.
        for (const NamedCurve& c : table.Curves) {
            DrawnCurve d{c.Name, {}, {}, table.X, c.Y};
            for (std::size_t i = 0; i < table.X.size(); ++i) {
                d.X.push_back(table.X[i] / xPower_);
                d.Y.push_back(c.Y[i] / yPower_);
            }
            curves_.push_back(std::move(d));
        }
        return;
    }
    const auto drawnSlots = CurveSlots(kind, data.PlotType);
    for (std::size_t k = 0; k < drawnSlots.size() && k < table.Curves.size(); ++k)
        curves_.push_back({drawnSlots[k].first, drawing.Axis.CurveX, Slot(drawing.Axis, drawnSlots[k].second), table.X,
                           table.Curves[k].Y});
}

QPointF PlotView::ToData(QPointF px) const
{
    const double ux = scale_.Left + px.x() * scale_.Width / scale_.PixelWidth;
    const double uy = scale_.Top + px.y() * scale_.Height / scale_.PixelHeight;
    return {TimesPowerOfTen(ux, xExponent_), TimesPowerOfTen(uy, yExponent_)};
}

QPointF PlotView::ToPixel(QPointF data) const
{
    const double ux = data.x() / xPower_, uy = data.y() / yPower_;
    return {(ux - scale_.Left) * scale_.PixelWidth / scale_.Width, (uy - scale_.Top) * scale_.PixelHeight / scale_.Height};
}

QRectF PlotView::FramePx() const
{
    const double w = scale_.PixelWidth / scale_.Width, h = scale_.PixelHeight / scale_.Height;
    const QPointF a((xmin_ - scale_.Left) * w, (ymin_ - scale_.Top) * h);
    const QPointF b((xmax_ - scale_.Left) * w, (ymax_ - scale_.Top) * h);
    return QRectF(a, b).normalized();
}

AxisRange PlotView::ShownX() const
{
    return Ordered(TimesPowerOfTen(xmin_, xExponent_), TimesPowerOfTen(xmax_, xExponent_));
}

AxisRange PlotView::ShownY() const
{
    return Ordered(TimesPowerOfTen(ymin_, yExponent_), TimesPowerOfTen(ymax_, yExponent_));
}

std::string PlotView::Readout(QPointF px) const
{
    const double ux = scale_.Left + px.x() * scale_.Width / scale_.PixelWidth;
    const double uy = scale_.Top + px.y() * scale_.Height / scale_.PixelHeight;
    return "X: " + AxisValueText(ux, xExponent_, 1) + "   Y: " + AxisValueText(uy, yExponent_, 2);
}

std::optional<SnapPoint> PlotView::Snap(QPointF px, double withinPx) const
{
    const double sx = scale_.PixelWidth / scale_.Width, sy = scale_.PixelHeight / scale_.Height;
    std::optional<SnapPoint> best;
    double bestDistance = withinPx * withinPx;
    for (const DrawnCurve& c : curves_) {
        const std::size_t n = std::min({c.X.size(), c.Y.size(), c.DataY.size()});
        for (std::size_t i = 0; i < n; ++i) {
            const QPointF at((c.X[i] - scale_.Left) * sx, (c.Y[i] - scale_.Top) * sy);
            const double dx = at.x() - px.x(), dy = at.y() - px.y();
            const double d = dx * dx + dy * dy;
            if (!(d <= bestDistance)) continue;  // also skips a point a row lacks (NaN)
            bestDistance = d;
            best = SnapPoint{c.Name, int(i + 1), c.DataX[i], c.DataY[i], at};
        }
    }
    return best;
}

std::string PlotView::SnapReadout(const SnapPoint& p) const
{
    return p.Curve + "  #" + std::to_string(p.Index) + "   X: " +
           AxisValueText(p.X / xPower_, xExponent_, 1) + "   Y: " + AxisValueText(p.Y / yPower_, yExponent_, 2);
}

std::optional<PlotZoom> PlotView::Checked(AxisRange x, AxisRange y) const
{
    if (!Drawable(x) || !Drawable(y)) return std::nullopt;
    return PlotZoom{x, y};
}

std::optional<PlotZoom> PlotView::ZoomedToBox(QPointF a, QPointF b) const
{
    // A box a few pixels thin on one axis zooms the other alone; a click is no box.
    constexpr double Thin = 4;
    const bool wide = std::fabs(b.x() - a.x()) >= Thin, tall = std::fabs(b.y() - a.y()) >= Thin;
    if (!wide && !tall) return std::nullopt;
    const QPointF da = ToData(a), db = ToData(b);
    return Checked(wide ? Ordered(da.x(), db.x()) : ShownX(), tall ? Ordered(da.y(), db.y()) : ShownY());
}

std::optional<PlotZoom> PlotView::ZoomedAbout(QPointF px, double factor) const
{
    if (!(factor > 0) || !std::isfinite(factor)) return std::nullopt;
    const QPointF at = ToData(px);
    const AxisRange x = ShownX(), y = ShownY();
    return Checked(Ordered(at.x() + (x.Min - at.x()) * factor, at.x() + (x.Max - at.x()) * factor),
                   Ordered(at.y() + (y.Min - at.y()) * factor, at.y() + (y.Max - at.y()) * factor));
}

std::optional<PlotZoom> PlotView::Panned(QPointF from, QPointF to) const
{
    const QPointF a = ToData(from), b = ToData(to);
    const double dx = a.x() - b.x(), dy = a.y() - b.y();
    const AxisRange x = ShownX(), y = ShownY();
    return Checked({x.Min + dx, x.Max + dx}, {y.Min + dy, y.Max + dy});
}

}  // namespace plots
