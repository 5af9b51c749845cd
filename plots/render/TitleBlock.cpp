#include "plots/render/TitleBlock.h"

#include "common/Text.h"
#include "plots/render/Frame.h"
#include "plots/report/Format.h"
#include "plots/report/Legends.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plots {

namespace {

bool Meets(const QRectF& a, const QRectF& b)
{
    const QRectF overlap = a.intersected(b);
    return overlap.width() > 0.5 && overlap.height() > 0.5;
}

// The pixels a text would cover printed now at a design position, as PrintAt places it; or
// its ink up to measureTo, its height left out beyond (see Surface::TextInkPx).
QRectF InkAt(DrawContext& ctx, const std::string& text, float x, float y,
             double measureTo = std::numeric_limits<double>::infinity())
{
    Surface& s = ctx.Canvas;
    const double keepX = s.CurrentX(), keepY = s.CurrentY();
    s.SetCurrentX(std::floor(x + 0.5));
    s.SetCurrentY(std::floor(double(ctx.Axis.ScreenYFactor * y) + 0.5));
    const QRectF ink = s.TextInkPx(text, measureTo, false);
    s.SetCurrentX(keepX);
    s.SetCurrentY(keepY);
    return ink;
}

// Where a text's right end may reach: the surface's right edge, or short of a Y label it would
// print over.
double RightLimit(const DrawContext& ctx, const QRectF& ink, double edge)
{
    double limit = edge;
    for (const QRectF& label : ctx.Labels.YLabels)
        if (ink.bottom() > label.top() && ink.top() < label.bottom() && ink.right() > label.left() - 4)
            limit = std::min(limit, label.left() - 4);
    return limit;
}

// The font size at which every line, printed at x and its design height, ends on the surface and
// clear of the Y labels: the given size unless some line would run over (a long list of poles,
// a long equation on a small surface).
double FittingFontSize(DrawContext& ctx, const std::vector<LegendLine>& lines, float x, double size)
{
    Surface& s = ctx.Canvas;
    const double edge = s.ScaleWidth() - 2;
    // A line whose ink reaches past twice the room halves the size whatever lies beyond, so
    // that is where measuring it stops.
    const double halves = x + 2 * std::max(0.0, edge - x) + 1;
    // The longest line first: once one line halves the size, the others need no measuring.
    std::vector<const LegendLine*> longestFirst;
    for (const LegendLine& line : lines) longestFirst.push_back(&line);
    std::stable_sort(longestFirst.begin(), longestFirst.end(),
                     [](const LegendLine* a, const LegendLine* b) { return a->Text.size() > b->Text.size(); });
    for (int round = 0; round < 10; ++round) {
        s.SetFontSize(size);
        double worst = 1;
        for (const LegendLine* line : longestFirst) {
            const QRectF ink = InkAt(ctx, line->Text, x, line->Y, halves);
            const double limit = RightLimit(ctx, ink, edge);
            if (ink.right() > limit && ink.right() > x) worst = std::min(worst, (limit - x) / (ink.right() - x));
            if (worst * 0.98 <= 0.5) break;
        }
        if (worst >= 1) break;
        size *= std::max(0.5, worst * 0.98);
    }
    s.SetFontSize(size);
    return size;
}

// Where the first value of a legend line begins: the tab stop after its label, printed at x.
double FirstValueAt(DrawContext& ctx, const std::string& label, float x, float y)
{
    Surface& s = ctx.Canvas;
    const double keepX = s.CurrentX(), keepY = s.CurrentY();
    s.SetCurrentX(std::floor(x + 0.5));
    s.SetCurrentY(std::floor(double(ctx.Axis.ScreenYFactor * y) + 0.5));
    const double at = s.TextBoxPx(label).right();
    s.SetCurrentX(keepX);
    s.SetCurrentY(keepY);
    return at;
}

// The lines of one legend block with their values in one column: the labels are padded with
// spaces to look aligned in a fixed-pitch font, but in the surface's font each ends elsewhere,
// so one label's tab can reach the next stop while its neighbour's stops short of it. A line
// whose first value would stand left of the block's rightmost one gets the tabs that bring it
// there; later values follow at the same stops.
std::vector<LegendLine> AlignedValues(DrawContext& ctx, std::vector<LegendLine> lines, float x)
{
    std::vector<double> at(lines.size(), -1);
    double column = -1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t tab = lines[i].Text.find('\t');
        if (tab == std::string::npos) continue;
        at[i] = FirstValueAt(ctx, lines[i].Text.substr(0, tab + 1), x, lines[i].Y);
        column = std::max(column, at[i]);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (at[i] < 0) continue;
        std::string label = lines[i].Text.substr(0, lines[i].Text.find('\t') + 1);
        // A stop is many pixels wide; a few tabs at most close the gap.
        for (int extra = 0; at[i] < column - 0.5 && extra < 4; ++extra) {
            label += '\t';
            at[i] = FirstValueAt(ctx, label, x, lines[i].Y);
        }
        lines[i].Text = label + lines[i].Text.substr(lines[i].Text.find('\t') + 1);
    }
    return lines;
}

// A legend block at x: its values in one column, in a size at which every line fits.
void PrintLegendBlock(DrawContext& ctx, const std::vector<LegendLine>& lines, float x, double size)
{
    ctx.Canvas.SetFontSize(size);
    const double fitted = FittingFontSize(ctx, AlignedValues(ctx, lines, x), x, size);
    for (const LegendLine& line : AlignedValues(ctx, lines, x)) PrintAt(ctx, line.Text, x, line.Y);
    ctx.Canvas.SetFontSize(fitted);
}

// The plot title's glyphs, where DrawTitles will print it (centred at design height 30).
QRectF PlotTitleInk(DrawContext& ctx)
{
    const PlotTitleText title = PlotTitleFor(ctx.Kind, ctx.Data, ctx.Settings.BlackAndWhite);
    std::string whole;
    for (const std::string& part : title.Parts) whole += part;
    if (whole.empty()) return {};
    Surface& s = ctx.Canvas;
    const double keep = s.FontSize();
    s.SetFontSize(14 * ctx.Axis.ScreenXFactor);
    const double x = std::nearbyint((s.ScaleWidth() - s.TextWidth(whole)) / 2);
    const QRectF ink = InkAt(ctx, whole, float(x), 30);
    s.SetFontSize(keep);
    return ink;
}

}  // namespace

void PrintRightAligned(DrawContext& ctx, const std::string& text, float y)
{
    Surface& s = ctx.Canvas;
    double x = std::nearbyint(s.ScaleWidth() - s.TextWidth(text) - 5);
    // Clear of a Y label it would print over (the top label, on a small surface).
    const QRectF ink = InkAt(ctx, text, float(x), y);
    const double limit = RightLimit(ctx, ink, s.ScaleWidth());
    if (ink.right() > limit) x = std::floor(x - (ink.right() - limit));
    PrintAt(ctx, text, float(x), y);
}

void DrawPlotTitle(DrawContext& ctx)
{
    const PlotData& d = ctx.Data;
    Surface& s = ctx.Canvas;
    const double fx = ctx.Axis.ScreenXFactor;

    // The run's title line sits right of the plot title. Where the two would meet (a narrow
    // surface, a long title) it is made smaller to fit beside it, or else goes below it.
    SetTextColour(ctx, SlotTitles);
    s.SetFontSize(10 * fx);
    const std::string titleLine = tk::TrimSpaces(d.TitleLine);
    float titleLineY = 35;
    const QRectF plotTitle = PlotTitleInk(ctx);
    const QRectF titleInk = InkAt(ctx, titleLine, float(s.ScaleWidth() - s.TextWidth(titleLine) - 5), titleLineY);
    if (!plotTitle.isNull() && Meets(titleInk, plotTitle)) {
        const double room = s.ScaleWidth() - 5 - (plotTitle.right() + 6);
        const double scale = room / std::max(1.0, titleInk.width());
        if (scale >= 0.6)
            s.SetFontSize(10 * fx * scale);
        else
            titleLineY = float((plotTitle.bottom() + 4) / ctx.Axis.ScreenYFactor);
    }
    PrintRightAligned(ctx, titleLine, titleLineY);

    // The date is the .plt file's, also while a later file of the run is shown.
    SetTextColour(ctx, SlotAxes);
    s.SetFontSize(8 * fx);
    if (!ctx.Facts.FileDate.empty()) PrintRightAligned(ctx, ctx.Facts.FileDate, 5);

    s.SetFontSize(12 * fx);
    SetTextColour(ctx, SlotMiscInfo);
    if (IsPoleZeroType(d.PlotType)) {
        DrawPoleZeroLegend(ctx);
    } else if (d.PlotType == PlotType::Ode) {
        const LegendLine equation{385, "Equation: " + d.OdeText};
        FittingFontSize(ctx, {equation}, 2, 12 * fx);
        PrintAt(ctx, equation.Text, 2, equation.Y);
    } else if (d.PlotType == PlotType::TwoCompartment) {
        PrintAt(ctx, "DT50:" + FormatValue(d.DT50), 2, 35);
    }

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

    if (IsPoleZeroType(ctx.Data.PlotType) && ctx.Kind == PlotKind::SideLobe)
        for (const LegendLine& line : SideLobeBannerLines()) PrintCentred(ctx, line.Text, line.Y);

    SetTextColour(ctx, SlotMiscInfo);
    PrintLegendBlock(ctx, ParameterLegendLines(ctx.Data), 15, 10 * ctx.Axis.ScreenXFactor);
    // Later texts (the X-axis title) take the legend's size as designed.
    ctx.Canvas.SetFontSize(10 * ctx.Axis.ScreenXFactor);
}

void DrawPoleZeroLegend(DrawContext& ctx)
{
    SetTextColour(ctx, SlotMiscInfo);
    PrintLegendBlock(ctx, PoleZeroLegendLines(ctx.Data), 15, 8 * ctx.Axis.ScreenXFactor);
}

}  // namespace plots
