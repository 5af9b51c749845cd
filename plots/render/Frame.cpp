// The plot frame: the surface's preparation, the text helpers every plot and legend uses,
// titles and scale block, and the axes with grid lines or ticks and their labels.
#include "plots/render/Frame.h"

#include "plots/render/Axis.h"
#include "plots/render/RotatedText.h"
#include "plots/report/Format.h"

#include <QRectF>

#include <algorithm>
#include <cmath>
#include <optional>

namespace plots {

namespace {

double RoundHalfEven(double v) { return std::nearbyint(v); }

// An exponent as the scale block writes it: a blank in place of a plus sign.
std::string SignedExponent(int e) { return (e < 0 ? "" : " ") + std::to_string(e); }

// The dash style of the grid lines along one axis; none when that axis gets ticks instead.
std::optional<int> GridDash(bool wanted, GridStyle style)
{
    if (!wanted) return std::nullopt;
    switch (style) {
    case GridStyle::Solid: return DashSolid;
    case GridStyle::Dashed: return DashDash;
    case GridStyle::Dotted: return DashDot;
    case GridStyle::DashDotDot: return DashDashDotDot;
    }
    return DashSolid;
}

void DrawGridAndLabels(DrawContext& ctx, double xmin, double xmax, double ymin, double ymax, double x0,
                       double y0, Colour c)
{
    Surface& s = ctx.Canvas;
    const GridAxes lines = ctx.Settings.GridLines;
    const auto gx = GridDash(lines == GridAxes::XAndY || lines == GridAxes::XOnly, ctx.Settings.GridType);
    const auto gy = GridDash(lines == GridAxes::XAndY || lines == GridAxes::YOnly, ctx.Settings.GridType);

    // Ten X divisions of the span rounded up to a whole number.
    const double firstX = std::floor(SnapToWhole(10 * xmin)) / 10;
    const double span = Ceil(SnapToWhole(xmax - xmin));
    float vx[11];
    for (int i = 0; i < 11; ++i) vx[i] = float(firstX + span * i / 10);

    if (gx) {
        s.SetDrawStyle(*gx);
        for (float v : vx) s.Line(v, ymax, v, ymin, c);
    } else {
        const double t = std::fabs(s.PixelsToUnitsY(3));
        for (float v : vx) s.Line(v, y0 - t, v, y0 + t, c);
    }
    // A label stays whole on the surface: one that would run over an edge is moved in, and one
    // whose division lies beyond the surface is left out with its division.
    const double labelY = s.ScaleTop() + 0.52 * s.ScaleHeight();
    const double left = s.ScaleLeft(), right = s.ScaleLeft() + s.ScaleWidth();
    for (float v : vx) {
        if (v < left || v > right) continue;
        const std::string label = FormatFixed(v, 1);
        const double width = s.TextWidth(label);
        s.SetCurrentX(std::max(left, std::min(v - 0.02 * s.ScaleWidth(), right - width)));
        s.SetCurrentY(labelY);
        s.Print(label);
    }

    float wy[6];
    for (int i = 0; i < 6; ++i) wy[i] = float(ymin + (ymax - ymin) * i / 5);
    if (gy) {
        s.SetDrawStyle(*gy);
        for (float w : wy) s.Line(xmin, w, xmax, w, c);
    } else {
        const double u = std::fabs(s.PixelsToUnitsX(5));
        for (float w : wy) s.Line(x0 - u, w, x0 + u, w, c);
    }
    // The labels stand in the right margin; a label too wide for it moves left as far as its
    // width needs instead of being cut at the surface's edge.
    const double labelX = s.ScaleLeft() + 0.95 * s.ScaleWidth();
    for (float w : wy) {
        const std::string label = FormatFixed(w, 2);
        s.SetCurrentX(std::min(labelX, right - s.TextWidth(label) - s.PixelsToUnitsX(1)));
        s.SetCurrentY(w - s.PixelsToUnitsY(9));  // 9 pixels higher on the screen
        ctx.LabelsDrawn.YLabels.push_back(s.TextInkPx(label));
        s.Print(label);
    }
}

}  // namespace

// The design positions were laid out for a 640 x 480 screen that the plot window filled, and
// the factors were taken from the screen. What they stand for is the plot surface: on a 1280 x
// 1024 screen the maximised window's surface is 1260 x 861 pixels, where the factors are what
// that screen gave (2 across, 1024 / 480 down). Every surface scales from there, so a plot keeps
// its proportions in a window of any size, in an export and on paper.
// Fonts follow the width as they did, but on a surface wider than the screens the layout was made
// for they follow its height instead, so that text never outgrows the rows it was laid out for.
namespace {
constexpr double ReferenceSurfaceWidth = 1260, ReferenceSurfaceHeight = 861;
constexpr double ReferenceXFactor = 1280.0 / 640, ReferenceYFactor = 1024.0 / 480;
double XFactorOf(const Surface& s) { return s.PixelWidth() / ReferenceSurfaceWidth * ReferenceXFactor; }
}  // namespace

double YFactorOf(const Surface& s) { return s.PixelHeight() / ReferenceSurfaceHeight * ReferenceYFactor; }

float ScreenXFactor(const Surface& s) { return float(std::min(XFactorOf(s), YFactorOf(s))); }
float ScreenYFactor(const Surface& s) { return float(YFactorOf(s)); }
int AxisLineWidth(const Surface& s) { return std::max(1, int(RoundHalfEven(2.0 * XFactorOf(s)))); }
int NormalLineWidth(const Surface& s) { return std::max(1, int(RoundHalfEven(XFactorOf(s)))); }

void ResetSurface(DrawContext& ctx)
{
    ctx.Axis.ScreenXFactor = ScreenXFactor(ctx.Canvas);
    ctx.Axis.ScreenYFactor = ScreenYFactor(ctx.Canvas);
    ctx.Canvas.Clear();
    ctx.Canvas.SetPixelScale();
    ctx.Canvas.SetCurrentX(0);
    ctx.Canvas.SetCurrentY(0);
}

void SetTextColour(DrawContext& ctx, int slot) { ctx.Canvas.SetForeColour(ctx.Settings.SlotColour(slot)); }

void PrintAt(DrawContext& ctx, const std::string& text, float x, float y)
{
    Surface& s = ctx.Canvas;
    if (s.IsPixelScale()) {
        s.SetCurrentX(std::floor(x + 0.5));
        s.SetCurrentY(std::floor(double(ctx.Axis.ScreenYFactor * y) + 0.5));
        // Kept to keep the Y-axis title clear of it, which stands inside the surface: what lies
        // beyond the right edge is not measured (the ink then reaches past the edge, which is
        // all the title needs to know there).
        ctx.TextsDrawn.push_back(s.TextInkPx(text, s.ScaleWidth()));
    } else {
        s.SetCurrentX(x);
        s.SetCurrentY(y);
    }
    s.Print(text);
}

void PrintCentred(DrawContext& ctx, const std::string& text, float y)
{
    const double x = RoundHalfEven((ctx.Canvas.ScaleWidth() - ctx.Canvas.TextWidth(text)) / 2);
    PrintAt(ctx, text, float(x), y);
}

void PrintCentredParts(DrawContext& ctx, const std::string& first, const std::string& middle,
                       const std::string& last, float y)
{
    Surface& s = ctx.Canvas;
    const double w = s.TextWidth(first + middle + last);
    float x = float((s.ScaleWidth() - w) / 2);
    PrintAt(ctx, first, x, y);
    SetTextColour(ctx, SlotCurve1);
    x += float(s.TextWidth(first));
    PrintAt(ctx, middle, x, y);
    SetTextColour(ctx, SlotTitles);
    x += float(s.TextWidth(middle));
    PrintAt(ctx, last, x, y);
}

void DrawTitles(DrawContext& ctx)
{
    Surface& s = ctx.Canvas;
    AxisState& ax = ctx.Axis;
    const PlotType type = ctx.Data.PlotType;
    const float sxf = ax.ScreenXFactor;

    // X-axis title, in the font size the legend left.
    SetTextColour(ctx, SlotAxes);
    ax.PlotTitle = XAxisTitle(type, ctx.Kind);
    PrintAt(ctx, ax.PlotTitle, float(0.48 * s.ScaleWidth()), float(0.48 * s.ScaleHeight() / ax.ScreenYFactor));

    // Plot title.
    SetTextColour(ctx, SlotTitles);
    s.SetFontSize(14 * sxf);
    constexpr float titleY = 30;
    const PlotTitleText title = PlotTitleFor(ctx.Kind, ctx.Data, ctx.Settings.BlackAndWhite);
    ax.PlotTitle = title.Stored;
    if (title.Parts.size() == 3)
        PrintCentredParts(ctx, title.Parts[0], title.Parts[1], title.Parts[2], titleY);
    else if (title.Parts.size() == 1)
        PrintCentred(ctx, title.Parts[0], titleY);

    // Y-axis title, turned upward, at surface pixels, beside the Y labels' column rather than
    // over its labels.
    SetTextColour(ctx, SlotAxes);
    s.SetFontSize(10 * sxf);
    float amplitudeY = float(0.3 * s.ScaleHeight());
    float amplitudeX = float(0.95 * s.ScaleWidth());
    const double clearOf = ctx.Labels.ColumnLeft(s.ScaleWidth()) - 2;
    QRectF amplitude = RotatedTextBox(s, "Amplitude", "90", amplitudeX, amplitudeY, sxf);
    if (amplitude.right() > clearOf) amplitudeX -= float(amplitude.right() - clearOf);
    amplitude = RotatedTextBox(s, "Amplitude", "90", amplitudeX, amplitudeY, sxf);
    // Below a title line it would cross (a small surface).
    for (const QRectF& text : ctx.TextsDrawn) {
        const QRectF overlap = amplitude.intersected(text);
        if (overlap.width() <= 0.5 || overlap.height() <= 0.5) continue;
        const double down = text.bottom() + 2 - amplitude.top();
        amplitudeY += float(down);
        amplitude.translate(0, down);
    }
    if (!RotatedText(s, "Amplitude", "90", amplitudeX, amplitudeY, sxf)) ctx.FontReleaseFailed = true;

    // Scale block.
    SetTextColour(ctx, SlotAxes);
    if (ax.XExponent != 0 || ax.YExponent != 0) {
        PrintAt(ctx, "Scale Factor", 15, 70);
        PrintAt(ctx, "============", 15, 85);
    }
    if (ax.XExponent != 0) PrintAt(ctx, "X-axis = 10E" + SignedExponent(ax.XExponent), 15, 100);
    if (ax.YExponent != 0) PrintAt(ctx, "Y-axis = 10E" + SignedExponent(ax.YExponent), 15, ax.XExponent != 0 ? 115 : 100);

    // The overrides again, then the plot's own coordinates with margins: 5 % left, 13.5 %
    // right for the Y labels, 5 % above and below.
    ApplyOverrideOf(ctx, AxisName::X, ax.XExponent, ax.Xmin, ax.Xmax);
    const bool yOverride = ApplyOverrideOf(ctx, AxisName::Y, ax.YExponent, ax.Ymin, ax.Ymax);
    const float mx = float(0.05 * (ax.Xmax - ax.Xmin));
    float my = float(0.05 * (ax.Ymax - ax.Ymin));
    if (yOverride && ctx.Kind == PlotKind::PoleZeroMap) {
        // The pole-zero map keeps σ growing downward under an override too.
        my = -my;
        const double oldMin = ax.Ymin;
        ax.Ymin = ax.Ymax;
        ax.Ymax = double(float(oldMin));
    }
    s.SetUserScale(ax.Xmin - mx, ax.Ymax + my, (ax.Xmax - ax.Xmin) + 2.7 * double(mx),
                   -(ax.Ymax - ax.Ymin) - 2 * double(my));
}

QRectF FramePx(const DrawContext& ctx)
{
    const Surface& s = ctx.Canvas;
    const AxisState& ax = ctx.Axis;
    const QPointF a(s.ToPixelX(ax.Xmin), s.ToPixelY(ax.Ymin)), b(s.ToPixelX(ax.Xmax), s.ToPixelY(ax.Ymax));
    return QRectF(a, b).normalized();
}

void ClipToFrameWhileZoomed(DrawContext& ctx)
{
    if (ctx.Settings.Zoom.IsZoomed()) ctx.Canvas.SetLineClip(FramePx(ctx));
}

void Grid(DrawContext& ctx, PlotType plotType, double xmin, double xmax, double ymin, double ymax)
{
    Surface& s = ctx.Canvas;
    s.SetDrawStyle(DashSolid);
    double x0 = xmin * xmax > 0 ? xmin : 0;
    if (plotType == PlotType::Ode) x0 = xmin;
    const double y0 = ymin * ymax > 0 ? ymin : 0;

    const Colour c = ctx.Settings.SlotColour(SlotAxes);
    s.SetDrawWidth(AxisLineWidth(s));
    s.Line(xmin, y0, xmax, y0, c);
    s.Line(x0, ymin, x0, ymax, c);
    s.SetDrawWidth(NormalLineWidth(s));
    DrawGridAndLabels(ctx, xmin, xmax, ymin, ymax, x0, y0, c);
}

}  // namespace plots
