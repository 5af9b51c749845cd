// The map of poles, zeros and doublets of the filter-matching runs: the s-plane turned a
// quarter turn, imaginary part (omega) across, real part (sigma) growing downward, so that
// stable poles stand above the omega axis.
#include "plots/render/PoleZeroMap.h"

#include "plots/render/Axis.h"
#include "plots/render/Frame.h"
#include "plots/render/TitleBlock.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace plots {
namespace {

double Entry(const Series& values, int k)
{
    return k >= 1 && k <= int(values.size()) ? values[std::size_t(k - 1)] : 0.0;
}

}  // namespace

std::vector<MapMarker> MapMarkers(const PlotData& d)
{
    std::vector<MapMarker> m;
    m.reserve(std::size_t(std::max<int>(0, d.PoleCount) + std::max<int>(0, d.OmegaZeroCount) + 4 * std::max<int>(0, d.ComplexZeroCount) + 3));
    if (d.SigmaPoleCount > 0) m.push_back({"X", 0, d.SigmaPole});
    for (int k = 1; k <= d.PoleCount; ++k) m.push_back({"X", Entry(d.PoleIm, k), Entry(d.PoleRe, k)});
    if (d.SigmaZeroCount > 0) {
        const std::string mark = d.SigmaZeroOrder > 0 ? "dO" : "O";
        m.push_back({mark, 0, d.SigmaZero});
        if (d.SigmaZeroPaired == 1) m.push_back({mark, 0, -d.SigmaZero});
    }
    for (int j = 1; j <= d.OmegaZeroCount; ++j) m.push_back({"O", Entry(d.OmegaZeros, j), 0});
    for (int k = 1; k <= d.ZeroPairCount; ++k) {
        const double re = Entry(d.ZeroRe, k), im = Entry(d.ZeroIm, k);
        m.push_back({"O", -im, re});
        m.push_back({"O", im, re});
    }
    for (int k = d.ZeroPairCount + 1; k <= d.ZeroPairCount + d.ZeroQuadCount; ++k) {
        const double re = Entry(d.ZeroRe, k), im = Entry(d.ZeroIm, k);
        m.push_back({"O", -im, -re});
        m.push_back({"O", im, -re});
        m.push_back({"O", -im, re});
        m.push_back({"O", im, re});
    }
    return m;
}

namespace {

// The ranges in data units: omega from 0 (or the mirror of the largest zero imaginary part)
// to the largest imaginary part, sigma down to the most negative real part.
void MapRanges(const PlotData& d, AxisState& a)
{
    a.Xmax = -1E9;
    a.Ymin = d.SigmaPoleCount > 0 ? d.SigmaPole : 1E9;
    for (int k = 1; k <= d.PoleCount; ++k) {
        a.Ymin = std::min(a.Ymin, Entry(d.PoleRe, k));
        a.Xmax = std::max(a.Xmax, Entry(d.PoleIm, k));
    }
    if (d.SigmaZeroCount > 0) a.Ymin = std::min(a.Ymin, d.SigmaZero);
    for (int j = 1; j <= d.OmegaZeroCount; ++j) a.Xmax = std::max(a.Xmax, Entry(d.OmegaZeros, j));
    a.Xmin = 0;
    for (int k = 1; k <= d.ComplexZeroCount; ++k) {
        a.Xmax = std::max(a.Xmax, Entry(d.ZeroIm, k));
        a.Xmin = std::min(a.Xmin, -Entry(d.ZeroIm, k));
        a.Ymin = std::min(a.Ymin, Entry(d.ZeroRe, k));
    }
}

// Data that has no pole or zero at all, only positive real parts or only negative imaginary
// parts leaves the ranges above inverted, and a marker beyond them would land outside the
// plot. The ranges are widened to take in every marker and 0 (sigma symmetric about 0), so an
// empty map gets the range of an all-zero one. Wherever every marker already fits, nothing
// changes.
void IncludeMarkers(const std::vector<MapMarker>& markers, AxisState& a)
{
    for (const MapMarker& m : markers) {
        if (!std::isfinite(m.Omega) || !std::isfinite(m.Sigma)) continue;
        a.Xmin = std::min(a.Xmin, m.Omega);
        a.Xmax = std::max(a.Xmax, m.Omega);
        a.Ymin = std::min(a.Ymin, -std::abs(m.Sigma));
    }
    a.Xmax = std::max(a.Xmax, 0.0);
    a.Ymin = std::min(a.Ymin, 0.0);
}

}  // namespace

void PlotMarker(DrawContext& ctx, const std::string& text, double omega, double sigma)
{
    ctx.Canvas.SetCurrentX(omega / ctx.Axis.XPower);
    ctx.Canvas.SetCurrentY(sigma / ctx.Axis.YPower);
    ctx.Canvas.Print(text);
}

void DrawPoleZeroMap(DrawContext& ctx)
{
    ResetSurface(ctx);
    DrawParameterLegend(ctx);
    ctx.Canvas.SetFontSize(10 * ctx.Axis.ScreenXFactor);

    AxisState& a = ctx.Axis;
    const std::vector<MapMarker> markers = MapMarkers(ctx.Data);
    MapRanges(ctx.Data, a);
    IncludeMarkers(markers, a);

    // A zoomed axis takes the power of ten its stretch calls for, as on a line plot.
    if (const auto zoom = ZoomOf(ctx.Settings, AxisName::X)) a.Xmin = zoom->Min, a.Xmax = zoom->Max;
    ScaleXAxis(ctx);
    a.XPower = std::pow(10.0, a.XExponent);
    a.Ymax = -a.Ymin;
    if (const auto zoom = ZoomOf(ctx.Settings, AxisName::Y)) a.Ymin = zoom->Min, a.Ymax = zoom->Max;
    ScaleYAxis(ctx);
    a.YPower = std::pow(10.0, a.YExponent);
    // The upper (positive) end goes to Ymin, so the user scale grows downward.
    std::swap(a.Ymin, a.Ymax);

    DrawTitles(ctx);
    Grid(ctx, ctx.Data.PlotType, a.Xmin, a.Xmax, a.Ymin, a.Ymax);

    SetTextColour(ctx, SlotMiscInfo);
    // Zoomed, a marker whose point lies outside the frame is left out, as the curves are cut.
    const QRectF frame = FramePx(ctx);
    const bool zoomed = ctx.Settings.Zoom.IsZoomed();
    for (const MapMarker& m : markers) {
        const QPointF at(ctx.Canvas.ToPixelX(m.Omega / a.XPower), ctx.Canvas.ToPixelY(m.Sigma / a.YPower));
        if (zoomed && !frame.contains(at)) continue;
        PlotMarker(ctx, m.Text, m.Omega, m.Sigma);
    }
}

}  // namespace plots
