// Exploring a plot: a zoomed range is an axis override for the shown plot, curves stay inside
// the frame while zoomed, and the readout, snapping, zoom gestures and data table work from
// what was drawn.
#include "RenderRig.h"

#include "plots/render/PlotDrawing.h"
#include "plots/render/PlotView.h"
#include "plots/run/ZoomHistory.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plots {
namespace {

using test::RenderRig;

PlotData Fitting(int points = 88)
{
    PlotData d;
    d.PlotType = PlotType::ExponentialSeries;
    for (int i = 0; i < points; ++i) {
        d.DataX.push_back(i);
        d.DataY1.push_back(std::sin(i / 7.0));
        d.DataY2.push_back(0.5 * std::cos(i / 5.0));
    }
    d.PointCount = std::int16_t(points);
    return d;
}

PlotData PoleZero()
{
    PlotData d;
    d.PlotType = PlotType::PoleZeroFrequency;
    d.PoleCount = 2;
    d.PoleRe = {-2, -0.5};
    d.PoleIm = {3, 8};
    d.OmegaZeroCount = 1;
    d.OmegaZeros = {6};
    d.PointCount = 1;
    d.DataX = {0};
    d.DataY1 = {0};
    d.DataY2 = {0};
    return d;
}

QImage Drawn(const PlotData& d, PlotKind kind, const DisplaySettings& s, PlotDrawing* drawing = nullptr)
{
    ImageSurface surface(800, 600);
    const PlotDrawing made = DrawPlot(d, kind, s, PlotFacts{}, surface);
    if (drawing) *drawing = made;
    return surface.Picture();
}

// The frame, grid, labels, titles and scale block of a plot, as drawn: every text and every
// line in the axes' colour, where it landed.
std::vector<std::string> FrameOf(const PlotData& d, PlotKind kind, const DisplaySettings& s, PlotDrawing& drawing)
{
    RecordingSurface canvas(800, 600);
    drawing = DrawPlot(d, kind, s, PlotFacts{}, canvas);
    std::vector<std::string> frame;
    for (const DrawCall& c : canvas.Calls) {
        if (c.Type == DrawCall::Text)
            frame.push_back(c.Text_ + " at " + std::to_string(c.P1.x()) + "," + std::to_string(c.P1.y()));
        if (c.Type == DrawCall::Line && c.Colour_ == s.Colours[SlotAxes])
            frame.push_back("line " + std::to_string(c.P1.x()) + "," + std::to_string(c.P1.y()) + " " +
                            std::to_string(c.P2.x()) + "," + std::to_string(c.P2.y()));
    }
    return frame;
}

TEST(Zoom, IsTheSetupTabsOverrideWithThePowerOfTenOfItsStretch)
{
    struct Case {
        const char* What;
        PlotKind Kind;
        PlotZoom Zoom;
        AxisOverride X, Y;
    } cases[] = {
        {"X alone", PlotKind::FirstLinePlot, {AxisRange{20, 40}, {}}, {true, "20", "2"}, {}},
        {"Y alone", PlotKind::CurveVersusData, {{}, AxisRange{-0.5, 0.5}}, {}, {true, "-.5", ".2"}},
        {"both", PlotKind::CurveVersusData, {AxisRange{10, 30}, AxisRange{0, 1}}, {true, "10", "2"}, {true, "0", ".2"}},
        {"the map", PlotKind::PoleZeroMap, {AxisRange{0, 5}, AxisRange{-3, 1}}, {true, "0", ".5"}, {true, "-3", ".8"}},
    };
    for (const Case& c : cases) {
        const PlotData d = c.Kind == PlotKind::PoleZeroMap ? PoleZero() : Fitting();
        DisplaySettings zoomed, boxes;
        zoomed.Zoom = c.Zoom;
        boxes.X = c.X;
        boxes.Y = c.Y;
        PlotDrawing z, b;
        const std::vector<std::string> zoomedFrame = FrameOf(d, c.Kind, zoomed, z);
        if (c.Kind != PlotKind::PoleZeroMap) EXPECT_EQ(zoomedFrame, FrameOf(d, c.Kind, boxes, b)) << c.What;
        else FrameOf(d, c.Kind, boxes, b);
        EXPECT_EQ(z.Axis.Xmin, b.Axis.Xmin) << c.What;
        EXPECT_EQ(z.Axis.Ymax, b.Axis.Ymax) << c.What;
        EXPECT_EQ(z.Axis.XExponent, b.Axis.XExponent) << c.What;
    }
}

TEST(Zoom, ChoosesThePowerOfTenTheScalerGivesTheZoomedStretch)
{
    PlotData d = Fitting();
    for (double& x : d.DataX) x *= 1000;  // 0 .. 87000: scaled by 10E4
    struct Case {
        AxisRange X;
        int Exponent;
        double Min, Max;
    } cases[] = {{{0, 87000}, 4, 0, 8.7}, {{1000, 1050}, 0, 1000, 1050}, {{20000, 30000}, 2, 200, 300}};
    for (const Case& c : cases) {
        DisplaySettings s;
        s.Zoom.X = c.X;
        PlotDrawing drawing;
        Drawn(d, PlotKind::FirstLinePlot, s, &drawing);
        EXPECT_EQ(drawing.Axis.XExponent, c.Exponent) << c.X.Min;
        EXPECT_NEAR(drawing.Axis.Xmin, c.Min, 1e-9) << c.X.Min;
        EXPECT_NEAR(drawing.Axis.Xmax, c.Max, 1e-9) << c.X.Min;
    }
}

TEST(Zoom, CurvesAndMarkersStayInsideTheFrameOnlyWhileZoomed)
{
    struct Case {
        const char* What;
        PlotKind Kind;
        PlotZoom Zoom;
        bool Outside;  // something is drawn beyond the frame
    } cases[] = {
        {"a box override lets curves run into the margins", PlotKind::FirstLinePlot, {}, true},
        {"zoomed: curves are cut at the frame", PlotKind::FirstLinePlot, {AxisRange{20, 40}, AxisRange{-0.2, 0.2}}, false},
        {"zoomed map: markers beyond it are left out", PlotKind::PoleZeroMap, {AxisRange{0, 5}, AxisRange{-3, 1}}, false},
    };
    for (const Case& c : cases) {
        RenderRig rig;
        rig.Data = c.Kind == PlotKind::PoleZeroMap ? PoleZero() : Fitting();
        rig.Settings.Zoom = c.Zoom;
        if (!c.Zoom.IsZoomed()) rig.Settings.X = {true, "20", "2"};
        const PlotDrawing drawing = DrawPlot(rig.Data, c.Kind, rig.Settings, rig.Facts, rig.Canvas);
        const QRectF frame = PlotView(rig.Data, c.Kind, drawing).FramePx().adjusted(-0.01, -0.01, 0.01, 0.01);
        bool outside = false;
        for (const DrawCall& call : rig.Canvas.Calls) {
            const bool curve = call.Type == DrawCall::Line && (call.Colour_ == Red || call.Colour_ == DefaultColours[SlotCurve2] ||
                                                               call.Colour_ == DefaultColours[SlotCurve1]);
            const bool marker = call.Type == DrawCall::Text && (call.Text_ == "X" || call.Text_ == "O");
            if (curve && (!frame.contains(call.P1) || !frame.contains(call.P2))) outside = true;
            if (marker && !frame.contains(call.P1)) outside = true;
        }
        EXPECT_EQ(outside, c.Outside) << c.What;
    }
}

TEST(PlotView, ReadsPixelsAsDataAndSnapsToTheNearestPointOfTheNearestCurve)
{
    PlotData d = Fitting();
    DisplaySettings s;
    PlotDrawing drawing;
    Drawn(d, PlotKind::CurveVersusData, s, &drawing);
    const PlotView view(d, PlotKind::CurveVersusData, drawing);

    // Point 31 of the data curve (index 30 in memory) lies where the view puts it.
    const QPointF data(30, d.DataY1[30]);
    const QPointF px = view.ToPixel(data);
    EXPECT_NEAR(view.ToData(px).x(), 30, 1e-9);
    EXPECT_NEAR(view.ToData(px).y(), d.DataY1[30], 1e-9);
    EXPECT_EQ(view.Readout(px), "X: 30.   Y: " + AxisValueText(d.DataY1[30], 0, 2));

    // A pixel or two off, it snaps to that point of the curve drawn there, named as the title names it.
    const auto snap = view.Snap(px + QPointF(1.5, -1), 8);
    ASSERT_TRUE(snap);
    EXPECT_EQ(snap->Curve, "DATA");
    EXPECT_EQ(snap->Index, 31);
    EXPECT_EQ(snap->Y, d.DataY1[30]);
    EXPECT_EQ(view.SnapReadout(*snap), "DATA  #31   X: 30.   Y: " + AxisValueText(d.DataY1[30], 0, 2));
    // Far from every curve nothing snaps.
    EXPECT_FALSE(view.Snap(view.FramePx().topLeft() - QPointF(50, 50), 8));
}

TEST(AxisValueText, WritesTheLabelsPrecisionInDataUnits)
{
    struct Case {
        double Shown;
        int Exponent, Decimals;
        const char* Text;
    } cases[] = {
        {12.34, 0, 1, "12.3"},      {0.5, 0, 2, ".5"},     {12.34, 2, 1, "1230."}, {12.36, 4, 1, "124000."},
        {12.34, -4, 1, ".00123"},   {-3.2, 0, 1, "-3.2"},  {0, 0, 2, "."},
    };
    for (const Case& c : cases) EXPECT_EQ(AxisValueText(c.Shown, c.Exponent, c.Decimals), c.Text) << c.Shown << " e" << c.Exponent;
}

TEST(PlotView, GesturesGiveTheRangesToZoomTo)
{
    PlotData d = Fitting();
    PlotDrawing drawing;
    Drawn(d, PlotKind::FirstLinePlot, DisplaySettings{}, &drawing);
    const PlotView view(d, PlotKind::FirstLinePlot, drawing);
    const QPointF a = view.ToPixel({10, 0.2}), b = view.ToPixel({30, -0.1});

    const auto box = view.ZoomedToBox(b, a);
    ASSERT_TRUE(box);
    EXPECT_NEAR(box->X->Min, 10, 1e-9);
    EXPECT_NEAR(box->X->Max, 30, 1e-9);
    EXPECT_NEAR(box->Y->Min, -0.1, 1e-9);
    EXPECT_NEAR(box->Y->Max, 0.2, 1e-9);

    const auto flat = view.ZoomedToBox(a, QPointF(b.x(), a.y() + 1));  // Y keeps what is shown
    ASSERT_TRUE(flat);
    EXPECT_EQ(*flat->Y, view.ShownY());
    EXPECT_FALSE(view.ZoomedToBox(a, a + QPointF(2, 2)));  // a click

    const auto in = view.ZoomedAbout(view.ToPixel({44, 0}), 0.5);
    ASSERT_TRUE(in);
    EXPECT_NEAR(in->X->Max - in->X->Min, (view.ShownX().Max - view.ShownX().Min) / 2, 1e-9);
    EXPECT_NEAR((in->X->Min + in->X->Max) / 2 - 44, ((view.ShownX().Min + view.ShownX().Max) / 2 - 44) / 2, 1e-9);

    const auto pan = view.Panned(view.ToPixel({10, 0}), view.ToPixel({20, 0}));
    ASSERT_TRUE(pan);
    EXPECT_NEAR(pan->X->Min, view.ShownX().Min - 10, 1e-9);
    EXPECT_NEAR(pan->Y->Max, view.ShownY().Max, 1e-9);

    EXPECT_FALSE(view.ZoomedAbout(view.ToPixel({44, 0}), 1e-30));  // finer than the numbers tell apart
}

TEST(CurvesCsv, NamesTheCurvesAndKeepsEveryDigit)
{
    PlotData d;
    d.PlotType = PlotType::Ode;
    d.DataX = {0, 0.1, 1e-20};
    d.DataY1 = {1.0 / 3, 2, 3};
    d.DataY2 = {-4, 5.5, 6};
    d.PointCount = 3;
    EXPECT_EQ(CurvesCsv(ShownCurves(d, PlotKind::FirstLinePlot)),
              "Time,Y,Ydot\n0,0.3333333333333333,-4\n0.1,2,5.5\n1e-20,3,6\n");
    EXPECT_EQ(CurvesCsv(ShownCurves(PoleZero(), PlotKind::PoleZeroMap)),
              "Frequency,Poles,Zeroes,Doublets\n3,-2,,\n8,-0.5,,\n6,,0,\n");
}

TEST(ZoomHistory, WalksBackAndForwardAndHomeKeepsWhatLiesAhead)
{
    const PlotZoom one{AxisRange{0, 1}, {}}, two{AxisRange{0, 0.5}, {}}, three{{}, AxisRange{1, 2}};
    ZoomHistory h;
    EXPECT_FALSE(h.CanBack());
    h.Push(one);
    h.Push(two);
    h.Push(two);  // the same zoom again is no new entry
    EXPECT_TRUE(h.Back());
    EXPECT_EQ(h.Current(), one);
    EXPECT_TRUE(h.Home());
    EXPECT_FALSE(h.Current().IsZoomed());
    EXPECT_TRUE(h.Forward());
    EXPECT_TRUE(h.Forward());
    EXPECT_EQ(h.Current(), two);
    EXPECT_FALSE(h.Forward());
    h.Back();
    h.Push(three);  // a new zoom drops what lay ahead
    EXPECT_FALSE(h.CanForward());
    h.Reset();
    EXPECT_FALSE(h.CanBack());
    EXPECT_FALSE(h.Current().IsZoomed());
}

}  // namespace
}  // namespace plots
