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

struct Marker {
    std::string Text;
    double Omega, Sigma;
};

double Entry(const Series& values, int k)
{
    return k >= 1 && k <= int(values.size()) ? values[std::size_t(k - 1)] : 0.0;
}

// Every marker of the map, in drawing order, in data units.
std::vector<Marker> Markers(const PlotData& d)
{
    std::vector<Marker> m;
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
void IncludeMarkers(const std::vector<Marker>& markers, AxisState& a)
{
    for (const Marker& m : markers) {
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
    const std::vector<Marker> markers = Markers(ctx.Data);
    MapRanges(ctx.Data, a);
    IncludeMarkers(markers, a);

    ScaleXAxis(ctx);
    a.XPower = std::pow(10.0, a.XExponent);
    a.Ymax = -a.Ymin;
    ScaleYAxis(ctx);
    a.YPower = std::pow(10.0, a.YExponent);
    // The upper (positive) end goes to Ymin, so the user scale grows downward.
    std::swap(a.Ymin, a.Ymax);

    DrawTitles(ctx);
    Grid(ctx, -2, a.Xmin, a.Xmax, a.Ymin, a.Ymax, ctx.CurveKind());

    SetTextColour(ctx, SlotMiscInfo);
    for (const Marker& m : markers) PlotMarker(ctx, m.Text, m.Omega, m.Sigma);
}

}  // namespace plots
