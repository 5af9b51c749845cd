// The line-plot driver and the curves it draws.
#include "plots/render/Curves.h"

#include "plots/render/Axis.h"
#include "plots/render/Frame.h"
#include "plots/report/Legends.h"

#include <algorithm>

namespace plots {

void DrawLinePlot(PlotContext& ctx)
{
    ResetSurface(ctx);
    DrawParameterLegend(ctx);
    PrepareXAxis(ctx);
    PrepareYAxis(ctx);
    DrawTitles(ctx);
    const AxisState& ax = ctx.Axis;
    Grid(ctx, ctx.Data.PlotType, ax.Xmin, ax.Xmax, ax.Ymin, ax.Ymax, ctx.Run.CurveKind);
    DrawCurves(ctx);
    ctx.Canvas.Refresh();
}

void DrawCurve(PlotContext& ctx, const Series& curve, Colour colour)
{
    if (ctx.Settings.BlackAndWhite) colour = Black;
    const Series& xs = ctx.Axis.CurveX;
    const std::size_t n =
        std::min({ctx.Data.PointCount > 0 ? std::size_t(ctx.Data.PointCount) : std::size_t(0), xs.size(), curve.size()});
    Surface& s = ctx.Canvas;
    // Single floats, as the surface took them; nothing is clipped but by the surface's edges.
    for (std::size_t i = 1; i < n; ++i)
        s.Line(float(xs[i - 1]), float(curve[i - 1]), float(xs[i]), float(curve[i]), colour);
}

void DrawCurves(PlotContext& ctx)
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
    switch (ctx.Run.CurveKind) {
    case 1:
        if (ctx.Data.PlotType == 0) {
            DrawCurve(ctx, ax.CurveY2, curve1);
            bwStyle(DashDash);
            DrawCurve(ctx, ax.CurveY1, Red);
        } else if (ctx.Data.PlotType == 110) {
            DrawCurve(ctx, ax.CurveY2, curve1);
            bwStyle(DashDash);
            DrawCurve(ctx, ax.CurveY3, curve2);
            bwStyle(DashDot);
            DrawCurve(ctx, ax.CurveY1, Red);
        } else {
            DrawCurve(ctx, ax.CurveY1, Red);
        }
        break;
    case 2:
        bwStyle(DashDash);
        DrawCurve(ctx, ax.CurveY2, curve1);
        s.SetDrawStyle(DashSolid);
        DrawCurve(ctx, ax.CurveY1, curve2);
        break;
    case 3:
        DrawCurve(ctx, ax.CurveY1, curve2);
        break;
    default:
        DrawCurve(ctx, ax.CurveY1, Red);
        break;
    }
}

}  // namespace plots
