#include "RenderRig.h"

#include "plots/render/Curves.h"
#include "plots/render/PlotDrawing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plots {
namespace {

using test::RenderRig;

struct Drawn {
    double Y;  // which array: every array holds one value of its own
    Colour C;
    int Style;
    bool operator==(const Drawn&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Drawn& d)
{
    return o << "{Y" << d.Y << " colour " << std::hex << d.C << std::dec << " style " << d.Style << "}";
}

TEST(DrawCurves, CurvesColoursAndDashStylesByKindAndType)
{
    const DisplaySettings defaults;
    const Colour c1 = defaults.Colours[SlotCurve1];
    const Colour c2 = defaults.Colours[SlotCurve2];
    struct Case {
        int Kind, Type;
        bool BlackAndWhite;
        std::vector<Drawn> Expected;  // one entry per curve, in drawing order
    } cases[] = {
        {1, 0, false, {{2, c1, 0}, {1, Red, 0}}},
        {1, 0, true, {{2, Black, 0}, {1, Black, 1}}},
        {1, 110, false, {{2, c1, 0}, {3, c2, 0}, {1, Red, 0}}},
        {1, 110, true, {{2, Black, 0}, {3, Black, 1}, {1, Black, 2}}},
        {1, 3, false, {{1, Red, 0}}},
        {1, -1, true, {{1, Black, 0}}},
        {2, 3, false, {{2, c1, 0}, {1, c2, 0}}},
        {2, -2, true, {{2, Black, 1}, {1, Black, 0}}},
        {3, -1, false, {{1, c2, 0}}},
        {4, -1, false, {{1, Red, 0}}},
        {5, -1, true, {{1, Black, 0}}},
    };
    for (const Case& c : cases) {
        RenderRig rig;
        rig.Settings.BlackAndWhite = c.BlackAndWhite;
        rig.Data.PlotType = PlotTypeOfCode(std::int16_t(c.Type));
        rig.Data.PointCount = 3;
        const PlotKind kinds[] = {PlotKind::FirstLinePlot, PlotKind::CurveVersusData, PlotKind::SideLobe,
                                  PlotKind::GroupDelayRipple, PlotKind::ImpulseResponse};
        rig.SetKind(kinds[c.Kind - 1]);
        rig.Axis.CurveX = {0, 1, 2};
        rig.Axis.CurveY1 = {1, 1, 1};
        rig.Axis.CurveY2 = {2, 2, 2};
        rig.Axis.CurveY3 = {3, 3, 3};
        rig.Canvas.SetUserScale(-1, 4, 4, -5);
        rig.Canvas.SetDrawStyle(DashDot);  // whatever the frame left
        DrawCurves(rig.Ctx);
        const std::vector<DrawCall> lines = rig.Canvas.Lines();
        ASSERT_EQ(lines.size(), 2 * c.Expected.size()) << "kind " << c.Kind << " type " << c.Type;
        std::vector<Drawn> seen;
        for (std::size_t i = 0; i < lines.size(); i += 2) {
            EXPECT_EQ(lines[i].Y1, lines[i + 1].Y1);
            seen.push_back({lines[i].Y1, lines[i].Colour_, lines[i].Style});
        }
        EXPECT_EQ(seen, c.Expected) << "kind " << c.Kind << " type " << c.Type << (c.BlackAndWhite ? " B&W" : "");
    }
}

TEST(DrawCurve, JoinsConsecutivePointsAsSingleFloatsWithoutClipping)
{
    RenderRig rig;
    rig.Data.PointCount = 4;
    rig.Axis.CurveX = {0, 1, 2, 3};
    rig.Axis.CurveY1 = {0.1, 50, -50, 0.3};  // far outside the axis range
    rig.Canvas.SetUserScale(0, 1, 3, -1);
    DrawCurve(rig.Ctx, rig.Axis.CurveY1, Red);
    const std::vector<DrawCall> lines = rig.Canvas.Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].Y1, double(0.1f));
    EXPECT_EQ(lines[0].Y2, 50);
    EXPECT_EQ(lines[1].X1, 1);
    EXPECT_EQ(lines[2].Y2, double(0.3f));
}

TEST(DrawCurve, FarAwayAndMissingValuesLeaveThePictureIntact)
{
    RenderRig rig;
    rig.Data.PointCount = 5;
    rig.Axis.CurveX = {0, 1, 2, 3, 4};
    rig.Axis.CurveY1 = {0.5, 1e30, -1e38, NAN, 0.5};
    rig.Canvas.SetUserScale(-0.2, 1.1, 4.4, -1.2);
    DrawCurve(rig.Ctx, rig.Axis.CurveY1, Red);
    const QImage picture = rig.Canvas.Picture();
    EXPECT_EQ(picture.size(), QSize(1008, 646));
    // the steep segment from 1E30 at x = 1 down to -1E38 crosses the whole height near x = 1
    for (const int y : {5, 323, 640}) {
        bool crossed = false;
        const int column = int(std::lround(rig.Canvas.ToPixelX(1)));
        for (int x = column - 2; x <= column + 2; ++x) crossed = crossed || picture.pixelColor(x, y) == QColor(255, 0, 0);
        EXPECT_TRUE(crossed) << "at y " << y;
    }
}

TEST(DrawCurve, DashesRunOnAlongACurveOfShortSegments)
{
    struct Case {
        int Style;
        bool Gaps;
    } cases[] = {{DashSolid, false}, {DashDash, true}, {DashDot, true}, {DashDashDotDot, true}};
    for (const Case& c : cases) {
        ImageSurface s(300, 20);
        s.SetBackColour(White);
        s.Clear();
        s.SetDrawStyle(c.Style);
        for (int x = 10; x < 290; ++x) s.Line(x, 10, x + 1, 10, Black);  // one pixel per segment
        const QImage picture = s.Picture();
        int gaps = 0;
        for (int x = 12; x < 288; ++x) gaps += picture.pixelColor(x, 10) == QColor(Qt::white);
        EXPECT_EQ(gaps > 20, c.Gaps) << "style " << c.Style << ": " << gaps << " gaps";
    }
}

TEST(DrawPlot, DrawsFrameTitlesAndCurvesThenRefreshesAndReturnsTheTrace)
{
    struct Case {
        const char* What;
        std::int16_t Points;
        std::size_t CurveSegments;
    } cases[] = {{"three points", 3, 2}, {"one point: frame only", 1, 0}};
    for (const Case& c : cases) {
        RenderRig rig;
        int refreshes = 0;
        rig.Canvas.OnRefresh = [&] { ++refreshes; };
        rig.Data.PlotType = PlotType::ExponentialSeries;
        if (c.Points == 3)
            rig.SetPoints({0, 43.5, 87}, {0, 1, 2}, {0, 2, 2.37});
        else
            rig.SetPoints({5}, {1}, {2});
        const PlotDrawing drawing = DrawPlot(rig.Data, PlotKind::FirstLinePlot, rig.Settings, rig.Facts, rig.Canvas);
        EXPECT_EQ(refreshes, 1) << c.What;
        ASSERT_FALSE(rig.Canvas.Calls.empty());
        EXPECT_EQ(rig.Canvas.Calls.front().Type, DrawCall::Fill) << c.What;
        const std::vector<DrawCall> lines = rig.Canvas.Lines();
        ASSERT_EQ(lines.size(), 2 + 11 + 6 + c.CurveSegments) << c.What;
        for (std::size_t i = lines.size() - c.CurveSegments; i < lines.size(); ++i) EXPECT_EQ(lines[i].Colour_, Red);
        EXPECT_NE(rig.Canvas.FindText("Error Amplitude"), nullptr) << c.What;
        EXPECT_NE(rig.Canvas.FindText("Amplitude"), nullptr) << c.What;
        EXPECT_NE(drawing.Trace.find("min/max/step="), std::string::npos) << c.What;
        EXPECT_FALSE(drawing.FontReleaseFailed);
    }
}

TEST(DrawPlot, DrawingTwiceGivesTheSamePicture)
{
    // The window redraws the plot it shows at every resize; nothing of the first drawing may
    // leak into the second, and the data may not change under it.
    PlotData data;
    data.PlotType = PlotType::ExponentialSeries;
    data.DataX = {0, 1, 2, 3};
    data.DataY1 = {1, 4, 9, 16};
    data.DataY2 = {2, 3, 5, 7};
    data.PointCount = 4;
    const Series y1 = data.DataY1, y2 = data.DataY2;
    DisplaySettings settings;
    const PlotFacts facts{"Mar 05, 2009 02:07 PM", true};
    for (PlotKind kind : {PlotKind::FirstLinePlot, PlotKind::CurveVersusData}) {
        ImageSurface surface(640, 480);
        const PlotDrawing first = DrawPlot(data, kind, settings, facts, surface);
        const QImage picture = surface.Picture();
        const PlotDrawing second = DrawPlot(data, kind, settings, facts, surface);
        EXPECT_EQ(surface.Picture(), picture) << PlotKindName(kind);
        EXPECT_EQ(second.Trace, first.Trace) << PlotKindName(kind);
        EXPECT_EQ(data.DataY1, y1);
        EXPECT_EQ(data.DataY2, y2);
    }
}

TEST(DrawLinePlot, ThreePointCurveSitsInsideTheScaledFrame)
{
    RenderRig rig;
    rig.Data.PlotType = PlotType::ExponentialSeries;
    rig.SetPoints({0, 43.5, 87}, {0, 1, 2}, {0, 2, 2.37});
    DrawLinePlot(rig.Ctx);
    EXPECT_DOUBLE_EQ(rig.Axis.Xmax, 88);
    EXPECT_NEAR(rig.Axis.Ymax, 2.4, 1e-9);
    const DrawCall& last = rig.Canvas.Lines().back();
    EXPECT_NEAR(last.X2, 87, 1e-9);
    EXPECT_NEAR(last.Y2, 2.37, 1e-6);
    // inside the picture: 5 % margins round the axis ranges
    EXPECT_GT(last.P2.x(), 0);
    EXPECT_LT(last.P2.x(), 1008);
    EXPECT_GT(last.P2.y(), 0);
    EXPECT_LT(last.P2.y(), 646);
}

}  // namespace
}  // namespace plots
