#include "plots/render/TitleBlock.h"

#include "common/Text.h"
#include "plots/render/Frame.h"
#include "plots/report/Format.h"
#include "plots/report/Legends.h"

#include <cmath>

namespace plots {

void PrintRightAligned(DrawContext& ctx, const std::string& text, float y)
{
    const double x = std::nearbyint(ctx.Canvas.ScaleWidth() - ctx.Canvas.TextWidth(text) - 5);
    PrintAt(ctx, text, float(x), y);
}

void DrawPlotTitle(DrawContext& ctx)
{
    const PlotData& d = ctx.Data;
    Surface& s = ctx.Canvas;
    const double fx = ctx.Axis.ScreenXFactor;

    SetTextColour(ctx, SlotTitles);
    s.SetFontSize(10 * fx);
    PrintRightAligned(ctx, tk::TrimSpaces(d.TitleLine), 35);

    // The date is the .plt file's, also while a later file of the run is shown.
    SetTextColour(ctx, SlotAxes);
    s.SetFontSize(8 * fx);
    if (!ctx.Facts.FileDate.empty()) PrintRightAligned(ctx, ctx.Facts.FileDate, 5);

    s.SetFontSize(12 * fx);
    SetTextColour(ctx, SlotMiscInfo);
    if (IsPoleZeroType(d.PlotType)) DrawPoleZeroLegend(ctx);
    else if (d.PlotType == 0) PrintAt(ctx, "Equation: " + d.OdeText, 2, 385);
    else if (d.PlotType == 110) PrintAt(ctx, "DT50:" + FormatValue(d.DT50), 2, 35);

    s.SetFontSize(14 * fx);
    SetTextColour(ctx, SlotTitles);
    PrintCentred(ctx, ToolName(d.PlotType, ctx.Facts), 1);

    SetTextColour(ctx, SlotMiscInfo);
    s.SetFontSize(10 * fx);
}

void DrawParameterLegend(DrawContext& ctx)
{
    DrawPlotTitle(ctx);
    ctx.Canvas.SetFontSize(10 * ctx.Axis.ScreenXFactor);
    SetTextColour(ctx, SlotAxes);

    if (IsPoleZeroType(ctx.Data.PlotType) && ctx.CurveKind() == 3)
        for (const LegendLine& line : SideLobeBannerLines()) PrintCentred(ctx, line.Text, line.Y);

    SetTextColour(ctx, SlotMiscInfo);
    for (const LegendLine& line : ParameterLegendLines(ctx.Data)) PrintAt(ctx, line.Text, 15, line.Y);
}

void DrawPoleZeroLegend(DrawContext& ctx)
{
    ctx.Canvas.SetFontSize(8 * ctx.Axis.ScreenXFactor);
    SetTextColour(ctx, SlotMiscInfo);
    for (const LegendLine& line : PoleZeroLegendLines(ctx.Data)) PrintAt(ctx, line.Text, 15, line.Y);
}

}  // namespace plots
