#include "plots/render/PlotDrawing.h"

#include "plots/render/Curves.h"
#include "plots/render/DrawContext.h"
#include "plots/render/PoleZeroMap.h"

namespace plots {

PlotDrawing DrawPlot(const PlotData& data, PlotKind kind, const DisplaySettings& settings, const PlotFacts& facts,
                     Surface& surface)
{
    PlotDrawing drawing;
    DrawContext ctx{data, kind, settings, facts, surface, drawing.Axis, drawing.Trace};
    if (kind == PlotKind::PoleZeroMap)
        DrawPoleZeroMap(ctx);
    else
        DrawLinePlot(ctx);
    drawing.FontReleaseFailed = ctx.FontReleaseFailed;
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
