// The line-plot driver and the curves it draws.
#include "plots/render/Curves.h"

#include "plots/render/Axis.h"
#include "plots/render/Frame.h"
#include "plots/render/TitleBlock.h"

#include <algorithm>

namespace plots {

namespace {

// Element-wise sum over the entries both columns have.
Series Sum(const Series& a, const Series& b)
{
    Series sum = a;
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) sum[i] += b[i];
    return sum;
}

}  // namespace

void FillCurves(DrawContext& ctx)
{
    const PlotData& d = ctx.Data;
    AxisState& ax = ctx.Axis;
    ax.CurveY3.assign(d.DataY1.size(), 0.0);
    switch (ctx.Kind) {
    case PlotKind::CurveVersusData:
        // The data's second column already holds the sum the sequence made when it came here.
        ax.CurveY1 = IsFittingType(d.PlotType) ? d.DataY2 : d.DataY1;
        ax.CurveY2 = IsFittingType(d.PlotType) ? d.DataY1 : d.DataY2;
        break;
    case PlotKind::SideLobe:
    case PlotKind::GroupDelayRipple:
    case PlotKind::ImpulseResponse:
        // A curve block: the block's values replaced the second data column.
        ax.CurveY1 = d.DataY2;
        ax.CurveY2 = d.DataY1;
        break;
    default:
        ax.CurveY1 = d.DataY2;
        ax.CurveY2 = d.DataY1;
        if (d.PlotType == PlotType::TwoCompartment) {
            ax.CurveY3 = d.DataY2;
            ax.CurveY1 = Sum(d.DataY1, d.DataY2);
        }
        break;
    }
}

void DrawLinePlot(DrawContext& ctx)
{
    FillCurves(ctx);
    ResetSurface(ctx);
    DrawParameterLegend(ctx);
    PrepareXAxis(ctx);
    PrepareYAxis(ctx);
    DrawTitles(ctx);
    const AxisState& ax = ctx.Axis;
    Grid(ctx, ctx.Data.PlotType, ax.Xmin, ax.Xmax, ax.Ymin, ax.Ymax);
    if (ctx.TextsOnly) return;
    ClipToFrameWhileZoomed(ctx);
    DrawCurves(ctx);
    ctx.Canvas.SetLineClip(std::nullopt);
}

void DrawCurve(DrawContext& ctx, const Series& curve, Colour colour)
{
    if (ctx.Settings.BlackAndWhite) colour = Black;
    const Series& xs = ctx.Axis.CurveX;
    const std::size_t n =
        std::min({ctx.Data.PointCount > 0 ? std::size_t(ctx.Data.PointCount) : std::size_t(0), xs.size(), curve.size()});
    // Single floats, as the surface took them; nothing is clipped but by the surface's edges.
    std::vector<QPointF> points;
    points.reserve(n);
    for (std::size_t i = 0; i < n; ++i) points.emplace_back(float(xs[i]), float(curve[i]));
    ctx.Canvas.Polyline(points, colour);
}

void DrawCurves(DrawContext& ctx)
{
    Surface& s = ctx.Canvas;
    AxisState& ax = ctx.Axis;
    const bool bw = ctx.Settings.BlackAndWhite;
    const Colour curve1 = ctx.Settings.Colours[SlotCurve1];
    const Colour curve2 = ctx.Settings.Colours[SlotCurve2];
    auto bwStyle = [&](int style) {
        if (bw) s.SetDrawStyle(style);
    };

    s.SetDrawStyle(DashSolid);
    switch (ctx.Kind) {
    case PlotKind::PoleZeroMap:
    case PlotKind::FirstLinePlot:
        if (ctx.Data.PlotType == PlotType::Ode) {
            DrawCurve(ctx, ax.CurveY2, curve1);
            bwStyle(DashDash);
            DrawCurve(ctx, ax.CurveY1, Red);
        } else if (ctx.Data.PlotType == PlotType::TwoCompartment) {
            DrawCurve(ctx, ax.CurveY2, curve1);
            bwStyle(DashDash);
            DrawCurve(ctx, ax.CurveY3, curve2);
            bwStyle(DashDot);
            DrawCurve(ctx, ax.CurveY1, Red);
        } else {
            DrawCurve(ctx, ax.CurveY1, Red);
        }
        break;
    case PlotKind::CurveVersusData:
        bwStyle(DashDash);
        DrawCurve(ctx, ax.CurveY2, curve1);
        s.SetDrawStyle(DashSolid);
        DrawCurve(ctx, ax.CurveY1, curve2);
        break;
    case PlotKind::SideLobe:
        DrawCurve(ctx, ax.CurveY1, curve2);
        break;
    default:
        DrawCurve(ctx, ax.CurveY1, Red);
        break;
    }
}

}  // namespace plots
