#include "RenderRig.h"

#include "plots/render/Frame.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plots {
namespace {

using test::RenderRig;

// Draws titles and frame for a prepared axis state, as the line-plot driver does.
void DrawFrame(RenderRig& rig, double xmin, double xmax, double ymin, double ymax)
{
    rig.Axis.Xmin = xmin;
    rig.Axis.Xmax = xmax;
    rig.Axis.Ymin = ymin;
    rig.Axis.Ymax = ymax;
    ResetSurface(rig.Ctx);
    rig.Canvas.SetFontSize(10 * rig.Axis.ScreenXFactor);  // as the legend leaves it
    DrawTitles(rig.Ctx);
    Grid(rig.Ctx, rig.Data.PlotType, rig.Axis.Xmin, rig.Axis.Xmax, rig.Axis.Ymin, rig.Axis.Ymax);
}

std::vector<DrawCall> TextsAtDesignY(const RecordingSurface& s, double pixelY)
{
    std::vector<DrawCall> out;
    for (const DrawCall& d : s.Texts())
        if (std::fabs(d.P1.y() - pixelY) < 0.5) out.push_back(d);
    return out;
}

TEST(ScreenFactors, FollowThePlotSurfaceAsTheMaximisedWindowsDidTheScreen)
{
    // The plot surface of a maximised window on screens of 4:3 and 5:4 shape gives the factors
    // and line widths the screen gave; on a wider surface fonts follow its height.
    struct Case {
        const char* Screen;
        int W, H;     // its maximised window's plot surface
        double X, Y;  // the font and design-height factors
        int Axis, Normal;
    } cases[] = {
        {"1280 x 1024", 1260, 861, 2.0, 1024 / 480.0, 4, 2},
        {"1024 x 768", 1008, 646, 1.6, 1.6, 3, 2},
        {"800 x 600", 787, 504, 1.25, 1.25, 2, 1},
        {"640 x 480", 630, 404, 1.0, 1.0, 2, 1},
        {"1920 x 1200, wider", 1890, 1009, 2.5, 2.5, 6, 3},
        {"a 4K surface", 3840, 2160, 2160 / 403.6, 2160 / 403.6, 12, 6},
    };
    for (const Case& c : cases) {
        const RecordingSurface s(c.W, c.H);
        EXPECT_NEAR(ScreenXFactor(s), c.X, 0.005) << c.Screen;
        EXPECT_NEAR(ScreenYFactor(s), c.Y, 0.005) << c.Screen;
        EXPECT_EQ(AxisLineWidth(s), c.Axis) << c.Screen;
        EXPECT_EQ(NormalLineWidth(s), c.Normal) << c.Screen;
    }
    RenderRig rig;
    ResetSurface(rig.Ctx);
    EXPECT_FLOAT_EQ(rig.Axis.ScreenXFactor, ScreenXFactor(rig.Canvas));
    EXPECT_FLOAT_EQ(rig.Axis.ScreenYFactor, ScreenYFactor(rig.Canvas));
    EXPECT_TRUE(rig.Canvas.IsPixelScale());
}

TEST(TextHelpers, PrintAtScalesDesignYOnlyInPixelUnits)
{
    RenderRig rig;
    ResetSurface(rig.Ctx);
    PrintAt(rig.Ctx, "a", 15.4f, 30);
    PrintAt(rig.Ctx, "b", 15.5f, 70);
    rig.Canvas.SetUserScale(0, 10, 10, -10);
    PrintAt(rig.Ctx, "c", 2.5f, 7.25f);
    EXPECT_DOUBLE_EQ(rig.Canvas.FindText("a")->X1, 15);
    EXPECT_DOUBLE_EQ(rig.Canvas.FindText("a")->Y1, 48);
    EXPECT_DOUBLE_EQ(rig.Canvas.FindText("b")->X1, 16);
    EXPECT_DOUBLE_EQ(rig.Canvas.FindText("b")->Y1, 112);
    EXPECT_DOUBLE_EQ(rig.Canvas.FindText("c")->X1, 2.5);
    EXPECT_DOUBLE_EQ(rig.Canvas.FindText("c")->Y1, 7.25);
}

TEST(TextHelpers, CentredPartsTakeTheirColoursAndFollowEachOther)
{
    RenderRig rig;
    ResetSurface(rig.Ctx);
    SetTextColour(rig.Ctx, SlotAxes);
    PrintCentredParts(rig.Ctx, "DATA(", "----", ") vs. Model", 30);
    const DrawCall* first = rig.Canvas.FindText("DATA(");
    const DrawCall* middle = rig.Canvas.FindText("----");
    const DrawCall* last = rig.Canvas.FindText(") vs. Model");
    ASSERT_TRUE(first && middle && last);
    EXPECT_EQ(first->Colour_, rig.Settings.Colours[SlotAxes]);
    EXPECT_EQ(middle->Colour_, rig.Settings.Colours[SlotCurve1]);
    EXPECT_EQ(last->Colour_, rig.Settings.Colours[SlotTitles]);
    const double whole = rig.Canvas.TextWidth("DATA(----) vs. Model");
    EXPECT_NEAR(first->X1, std::floor((1008 - whole) / 2 + 0.5), 1.0);
    EXPECT_NEAR(middle->X1 - first->X1, rig.Canvas.TextWidth("DATA("), 1.0);
    EXPECT_NEAR(last->X1 - middle->X1, rig.Canvas.TextWidth("----"), 1.0);

    PrintCentred(rig.Ctx, "Error Amplitude", 30);
    const DrawCall* centred = rig.Canvas.FindText("Error Amplitude");
    EXPECT_DOUBLE_EQ(centred->X1, std::nearbyint((1008 - rig.Canvas.TextWidth("Error Amplitude")) / 2));
}

TEST(DrawTitles, PlotTitleByKindAndType)
{
    using K = PlotKind;
    struct Case {
        PlotKind Kind;
        int Type;
        bool BlackAndWhite;
        int OmegaZeros, Delay;
        std::vector<std::string> Printed;  // at design height 30
        const char* Stored;
    } cases[] = {
        {K::FirstLinePlot, 0, false, 0, 0, {"Y(", "----", ") and Ydot"}, "Y(----) and Ydot"},
        {K::PoleZeroMap, -2, false, 0, 0, {"Poles (X), Zeroes (O) and Doublets (D)"}, "Poles (X), Zeroes (O) and Doublets (D)"},
        {K::PoleZeroMap, -1, false, 0, 0, {"Error Amplitude"}, "Error Amplitude"},
        {K::FirstLinePlot, 3, false, 0, 0, {"Error Amplitude"}, "Error Amplitude"},
        {K::FirstLinePlot, -1, false, 0, 0, {"Error Amplitude"}, "Error Amplitude"},
        {K::FirstLinePlot, -2, false, 0, 0, {"Error Amplitude"}, "Error Amplitude"},
        {K::CurveVersusData, 3, false, 0, 0, {"DATA(", "----", ") vs. Model"}, "DATA(----) vs. MODEL"},
        {K::CurveVersusData, -1, true, 0, 0, {"DATA(", "- - -", ") vs. Model"}, "DATA(----) vs. MODEL"},
        {K::ImpulseResponse, -1, false, 0, 0, {"DATA(", "----", ") vs. Model"}, "DATA(----) vs. MODEL"},
        {K::SideLobe, -1, false, 2, 0, {"Sidelobe: Equal Ripple?"}, "Sidelobe: Equal Ripple?"},
        {K::SideLobe, -1, false, 1, 0, {}, ""},
        {K::GroupDelayRipple, -2, false, 0, 1, {"Group Delay Ripple"}, "Group Delay Ripple"},
        {K::GroupDelayRipple, -2, false, 0, 0, {}, ""},
    };
    for (const Case& c : cases) {
        RenderRig rig;
        rig.SetKind(c.Kind);
        rig.Data.PlotType = PlotTypeOfCode(std::int16_t(c.Type));
        rig.Data.OmegaZeroCount = std::int16_t(c.OmegaZeros);
        rig.Data.DelayMatched = std::int16_t(c.Delay);
        rig.Settings.BlackAndWhite = c.BlackAndWhite;
        DrawFrame(rig, 0, 88, 0, 2.4);
        std::vector<std::string> printed;
        for (const DrawCall& d : TextsAtDesignY(rig.Canvas, 48)) {
            printed.push_back(d.Text_);
            EXPECT_FLOAT_EQ(float(d.FontSize), 14 * 1.6f) << c.Stored;
        }
        EXPECT_EQ(printed, c.Printed) << PlotKindName(c.Kind) << " type " << c.Type;
        EXPECT_EQ(rig.Axis.PlotTitle, c.Stored) << PlotKindName(c.Kind) << " type " << c.Type;
    }
}

TEST(DrawTitles, AxisTitlesSitMidSurfaceAndAmplitudeIsTurned)
{
    struct Case {
        int Type;
        PlotKind Kind;
        const char* XTitle;
    } cases[] = {{3, PlotKind::FirstLinePlot, "Time"},
                 {-2, PlotKind::FirstLinePlot, "Frequency"},
                 {-1, PlotKind::SideLobe, "Frequency"},
                 {-1, PlotKind::GroupDelayRipple, "Time"}};
    for (const Case& c : cases) {
        RenderRig rig;
        rig.Data.PlotType = PlotTypeOfCode(std::int16_t(c.Type));
        rig.SetKind(c.Kind);
        DrawFrame(rig, 0, 88, 0, 2.4);
        const DrawCall* x = rig.Canvas.FindText(c.XTitle);
        ASSERT_NE(x, nullptr) << c.XTitle;
        EXPECT_NEAR(x->P1.x(), 0.48 * 1008, 0.5);
        EXPECT_NEAR(x->P1.y(), 0.48 * 646, 0.5);
        EXPECT_EQ(x->Colour_, rig.Settings.Colours[SlotAxes]);
        const DrawCall* y = rig.Canvas.FindText("Amplitude");
        ASSERT_NE(y, nullptr);
        EXPECT_DOUBLE_EQ(y->Angle, 90);
        EXPECT_LT(y->P1.x(), 0.95 * 1008);
        EXPECT_GT(y->P1.x(), 0.95 * 1008 - 14);
        EXPECT_LT(y->P1.y(), 0.3 * 646);
    }
}

TEST(DrawTitles, ScaleBlockOnlyForScaledAxes)
{
    struct Case {
        int X, Y;
        std::vector<std::pair<std::string, double>> Lines;  // text and pixel y
    } cases[] = {
        {0, 0, {}},
        {2, 0, {{"Scale Factor", 112}, {"============", 136}, {"X-axis = 10E 2", 160}}},
        {0, -6, {{"Scale Factor", 112}, {"============", 136}, {"Y-axis = 10E-6", 160}}},
        {-4, 4, {{"Scale Factor", 112}, {"============", 136}, {"X-axis = 10E-4", 160}, {"Y-axis = 10E 4", 184}}},
    };
    for (const Case& c : cases) {
        RenderRig rig;
        rig.Data.PlotType = PlotType::ExponentialSeries;
        rig.Axis.XExponent = std::int16_t(c.X);
        rig.Axis.YExponent = std::int16_t(c.Y);
        DrawFrame(rig, 0, 88, 0, 2.4);
        std::vector<std::pair<std::string, double>> block;
        for (const DrawCall& d : rig.Canvas.Texts())
            if (d.P1.x() == 15 && d.Y1 >= 100 && d.Y1 <= 190) block.emplace_back(d.Text_, d.Y1);
        EXPECT_EQ(block, c.Lines) << c.X << " " << c.Y;
    }
}

TEST(DrawTitles, EndsInPlotUnitsWithMargins)
{
    struct Case {
        const char* What;
        int Type;
        PlotKind Kind;
        bool YOverride;
        double Ymin, Ymax;
        double Top, Height;
    } cases[] = {
        {"line plot: y upward", 3, PlotKind::FirstLinePlot, false, 0, 2.4, 2.52, -2.64},
        {"map: sigma downward", -2, PlotKind::PoleZeroMap, false, 2, -2, -2.2, 4.4},
        {"map with override: ends exchanged", -2, PlotKind::PoleZeroMap, true, 0, 0, -2.2, 4.4},
        {"override on a line plot", 3, PlotKind::CurveVersusData, true, 0, 0, 8.4, -8.8},
    };
    for (const Case& c : cases) {
        RenderRig rig;
        rig.Data.PlotType = PlotTypeOfCode(std::int16_t(c.Type));
        rig.SetKind(c.Kind);
        rig.Settings.Y = {c.YOverride, c.Type == -2 ? "-2" : "0", c.Type == -2 ? "0.8" : "1.6"};
        DrawFrame(rig, 0, 88, c.Ymin, c.Ymax);
        EXPECT_FALSE(rig.Canvas.IsPixelScale());
        EXPECT_NEAR(rig.Canvas.ScaleLeft(), -4.4, 1e-5) << c.What;
        EXPECT_NEAR(rig.Canvas.ScaleWidth(), 99.88, 1e-4) << c.What;
        EXPECT_NEAR(rig.Canvas.ScaleTop(), c.Top, 1e-5) << c.What;
        EXPECT_NEAR(rig.Canvas.ScaleHeight(), c.Height, 1e-5) << c.What;
    }
}

struct GridLinesSeen {
    std::vector<DrawCall> Vertical, Horizontal;
};

// The lines Grid drew after its two axis lines: first the X set, then the Y set.
GridLinesSeen GridLinesOf(const RenderRig& rig, std::size_t linesBefore)
{
    const std::vector<DrawCall> lines = rig.Canvas.Lines();
    GridLinesSeen g;
    for (std::size_t i = linesBefore + 2; i < lines.size(); ++i)
        (i < linesBefore + 13 ? g.Vertical : g.Horizontal).push_back(lines[i]);
    return g;
}

TEST(Grid, LinesOrTicksByGridOptions)
{
    struct Case {
        const char* What;
        GridAxes GridLines;
        GridStyle GridType;
        bool XLines, YLines;
        int XStyle, YStyle;
    } cases[] = {
        {"no grid lines: ticks on both axes", GridAxes::None, GridStyle::Solid, false, false, 0, 0},
        {"X and Y, solid", GridAxes::XAndY, GridStyle::Solid, true, true, 0, 0},
        {"X and Y, dashed", GridAxes::XAndY, GridStyle::Dashed, true, true, 1, 1},
        {"X only, dotted: Y ticks take the dotted style", GridAxes::XOnly, GridStyle::Dotted, true, false, 2, 2},
        {"Y only, dashed-dot-dot", GridAxes::YOnly, GridStyle::DashDotDot, false, true, 0, 4},
    };
    for (const Case& c : cases) {
        RenderRig rig;
        rig.Data.PlotType = PlotType::ExponentialSeries;
        rig.Settings.GridLines = c.GridLines;
        rig.Settings.GridType = c.GridType;
        rig.Axis.Xmin = 0, rig.Axis.Xmax = 88, rig.Axis.Ymin = -1, rig.Axis.Ymax = 2;
        ResetSurface(rig.Ctx);
        DrawTitles(rig.Ctx);
        const std::size_t before = rig.Canvas.Lines().size();
        Grid(rig.Ctx, PlotType::ExponentialSeries, 0, 88, -1, 2);
        const std::vector<DrawCall> all = rig.Canvas.Lines();
        ASSERT_EQ(all.size(), before + 2 + 11 + 6) << c.What;
        // axes: X along y = 0 (zero inside the range), Y at x = 0
        EXPECT_EQ(all[before].Width, 3);
        EXPECT_DOUBLE_EQ(all[before].Y1, 0);
        EXPECT_DOUBLE_EQ(all[before + 1].X1, 0);
        const GridLinesSeen g = GridLinesOf(rig, before);
        for (const DrawCall& d : g.Vertical) {
            EXPECT_EQ(d.Width, 2) << c.What;
            EXPECT_EQ(d.Style, c.XStyle) << c.What;
            EXPECT_DOUBLE_EQ(d.X1, d.X2);
            if (c.XLines) {
                EXPECT_DOUBLE_EQ(d.Y1, 2) << c.What;
                EXPECT_DOUBLE_EQ(d.Y2, -1) << c.What;
            } else {
                EXPECT_NEAR(std::fabs(d.P2.y() - d.P1.y()), 6, 1e-6) << c.What;
                EXPECT_NEAR((d.Y1 + d.Y2) / 2, 0, 1e-9) << c.What;
            }
        }
        for (const DrawCall& d : g.Horizontal) {
            EXPECT_EQ(d.Style, c.YStyle) << c.What;
            EXPECT_DOUBLE_EQ(d.Y1, d.Y2);
            if (c.YLines) {
                EXPECT_DOUBLE_EQ(d.X1, 0) << c.What;
                EXPECT_DOUBLE_EQ(d.X2, 88) << c.What;
            } else {
                EXPECT_NEAR(std::fabs(d.P2.x() - d.P1.x()), 10, 1e-6) << c.What;
            }
        }
    }
}

TEST(Grid, PositionsLabelsAndAxisPlaces)
{
    struct Case {
        const char* What;
        int Type;
        double Xmin, Xmax, Ymin, Ymax;
        double AxisY, AxisX;
        std::vector<std::string> XLabels;
        std::vector<std::string> YLabels;
    } cases[] = {
        {"0 to 8.8: divisions of 0.9, the last beyond the axis end", 3, 0, 8.8, -1, 2, 0, 0,
         {".", ".9", "1.8", "2.7", "3.6", "4.5", "5.4", "6.3", "7.2", "8.1", "9."},
         {"-1.", "-.4", ".2", ".8", "1.4", "2."}},
        {"all positive Y: X axis along Ymin", 3, 1, 11, 2, 6, 2, 1,
         {"1.", "2.", "3.", "4.", "5.", "6.", "7.", "8.", "9.", "10.", "11."},
         {"2.", "2.8", "3.6", "4.4", "5.2", "6."}},
        {"type 0: Y axis at the left end", 0, -1, 1, -3.2, 2.02, 0, -1,
         {"-1.", "-.8", "-.6", "-.4", "-.2", ".", ".2", ".4", ".6", ".8", "1."},
         {"-3.2", "-2.16", "-1.11", "-.07", ".98", "2.02"}},
    };
    for (const Case& c : cases) {
        RenderRig rig;
        rig.Data.PlotType = PlotTypeOfCode(std::int16_t(c.Type));
        rig.Settings.GridLines = GridAxes::None;
        DrawFrame(rig, c.Xmin, c.Xmax, c.Ymin, c.Ymax);
        const std::vector<DrawCall> lines = rig.Canvas.Lines();
        ASSERT_GE(lines.size(), 19u);
        const DrawCall& xAxis = lines[lines.size() - 19];
        const DrawCall& yAxis = lines[lines.size() - 18];
        EXPECT_DOUBLE_EQ(xAxis.Y1, c.AxisY) << c.What;
        EXPECT_DOUBLE_EQ(yAxis.X1, c.AxisX) << c.What;

        const std::vector<DrawCall> texts = rig.Canvas.Texts();
        ASSERT_GE(texts.size(), 17u);
        std::vector<std::string> xl, yl;
        for (std::size_t i = texts.size() - 17; i < texts.size() - 6; ++i) {
            xl.push_back(texts[i].Text_);
            EXPECT_NEAR(texts[i].P1.y(), 0.52 * 646, 0.5) << c.What;
        }
        for (std::size_t i = texts.size() - 6; i < texts.size(); ++i) {
            yl.push_back(texts[i].Text_);
            EXPECT_NEAR(texts[i].P1.x(), 0.95 * 1008, 0.5) << c.What;
        }
        EXPECT_EQ(xl, c.XLabels) << c.What;
        EXPECT_EQ(yl, c.YLabels) << c.What;
        // The first X label stands 2 % of the width left of its division; Y labels 9 pixels up.
        const std::size_t firstX = texts.size() - 17;
        EXPECT_NEAR(texts[firstX].X1, std::floor(10 * c.Xmin) / 10 - 0.02 * rig.Canvas.ScaleWidth(), 1e-6);
        const DrawCall& bottomY = texts[texts.size() - 6];
        EXPECT_NEAR(bottomY.P1.y(), rig.Canvas.ToPixelY(float(c.Ymin)) - 9, 1e-3) << c.What;
    }
}

TEST(Grid, BlackAndWhiteDrawsEverythingBlack)
{
    RenderRig rig;
    rig.Settings.BlackAndWhite = true;
    rig.Data.PlotType = PlotType::ExponentialSeries;
    rig.SetKind(PlotKind::CurveVersusData);
    rig.Axis.XExponent = 2;
    DrawFrame(rig, 0, 88, 0, 2.4);
    for (const DrawCall& d : rig.Canvas.Lines()) EXPECT_EQ(d.Colour_, Black);
    for (const DrawCall& d : rig.Canvas.Texts()) EXPECT_EQ(d.Colour_, Black) << d.Text_;
    EXPECT_NE(rig.Canvas.FindText("- - -"), nullptr);
}

}  // namespace
}  // namespace plots
