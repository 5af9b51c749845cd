#include "plots/render/PlotDrawing.h"

#include "plots/render/Curves.h"
#include "plots/render/DrawContext.h"
#include "plots/render/PoleZeroMap.h"

namespace plots {

namespace {

void DrawOn(DrawContext& ctx)
{
    if (ctx.Kind == PlotKind::PoleZeroMap)
        DrawPoleZeroMap(ctx);
    else
        DrawLinePlot(ctx);
}

}  // namespace

PlotDrawing DrawPlot(const PlotData& data, PlotKind kind, const DisplaySettings& settings, const PlotFacts& facts,
                     Surface& surface)
{
    // A first pass that draws nothing learns where the axis labels land, so that the titles
    // drawn before them can keep clear of them.
    MeasuringSurface measuring(surface.PixelWidth(), surface.PixelHeight());
    measuring.ShareTexts(surface);
    AxisState measuredAxis;
    std::string measuredTrace;
    DrawContext first{data, kind, settings, facts, measuring, measuredAxis, measuredTrace};
    first.TextsOnly = true;
    DrawOn(first);

    PlotDrawing drawing;
    surface.SetSmoothLines(settings.SmoothLines);
    DrawContext ctx{data, kind, settings, facts, surface, drawing.Axis, drawing.Trace};
    ctx.Labels = first.LabelsDrawn;
    DrawOn(ctx);
    drawing.FontReleaseFailed = ctx.FontReleaseFailed;
    drawing.Scale = {surface.ScaleLeft(), surface.ScaleTop(), surface.ScaleWidth(), surface.ScaleHeight(),
                     surface.PixelWidth(), surface.PixelHeight()};
    surface.Refresh();
    return drawing;
}

void DrawPicturePlot(const QImage& picture, Surface& surface)
{
    if (picture.isNull()) return;
    surface.Clear();
    surface.SetPixelScale();
    surface.DrawPicture(picture, 0, 0, surface.ScaleWidth(), surface.ScaleHeight());
    surface.Refresh();
}

}  // namespace plots
