#include "RenderRig.h"

#include "plots/render/Axis.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plots {
namespace {

using test::RenderRig;

constexpr double Tol = 1e-9;

TEST(ScaleAxis, RoundsRangesAsTheWorkedExamplesSay)
{
    struct Case {
        const char* What;
        double Min, Max;
        int N;
        int Exponent;
        double NewMin, NewMax;
    } cases[] = {
        {"0 to 87 on X", 0, 87, 11, 0, 0, 88},
        {"0 to 5000 on X: scaled by 10E2, step 4.6", 0, 5000, 11, 2, 0, 50.6},
        {"-3.14 to 2: minimum lowered, step 0.87", -3.14, 2, 6, 0, -3.2, 2.02},
        {"0 to 2.37: step 0.4", 0, 2.37, 6, 0, 0, 2.4},
        {"all equal at 5 on Y: step 1.1", 5, 5, 6, 0, 5, 11.6},
        {"all equal at 5 on X", 5, 5, 11, 0, 5, 17.1},
        {"0 to 0.0005: scaled by 10E-6, step 84", 0, 0.0005, 6, -6, 0, 504},
        {"-0.004 to 1: candidate above the minimum not taken", -0.004, 1, 6, 0, -0.004, 1.016},
        {"2.35 to 3: candidate 2.3 taken", 2.35, 3.0, 6, 0, 2.3, 3.02},
        {"2.39 to 3: candidate 2.3 widens too much", 2.39, 3.0, 6, 0, 2.39, 3.05},
        {"-0.05 to 0.7: second-decimal candidate -0.1 taken", -0.05, 0.7, 6, 0, -0.1, 0.74},
        {"0 to 0 widens to 1.1 steps", 0, 0, 11, 0, 0, 12.1},
        {"inverted ends are put in order", 87, 0, 11, 0, 0, 88},
    };
    for (const Case& c : cases) {
        double min = c.Min, max = c.Max;
        std::int16_t exponent = 99;
        std::string trace;
        ScaleAxis(min, max, std::int16_t(c.N), exponent, trace);
        EXPECT_EQ(exponent, c.Exponent) << c.What;
        EXPECT_NEAR(min, c.NewMin, Tol * std::max(1.0, std::fabs(c.NewMin))) << c.What;
        EXPECT_NEAR(max, c.NewMax, Tol * std::max(1.0, std::fabs(c.NewMax))) << c.What;
    }
}

TEST(ScaleAxis, PowerOfTenIsAlwaysEven)
{
    // s = span / 1 for one interval
    struct Case {
        double Step;
        int Exponent;
    } cases[] = {{150, 2}, {999, 2}, {5000, 4}, {0.09, -2}, {0.0316, -4}, {0.001, -4}, {0.1, 0}, {99, 0}, {0, 0}};
    for (const Case& c : cases) {
        double min = 0, max = c.Step;
        std::int16_t exponent = 0;
        std::string trace;
        ScaleAxis(min, max, 1, exponent, trace);
        EXPECT_EQ(exponent, c.Exponent) << "step " << c.Step;
    }
}

TEST(ScaleAxis, AppendsTheTraceLines)
{
    struct Case {
        double Min, Max;
        int N;
        const char* Expected;
    } cases[] = {
        {0, 87, 11, "before\r\n\t Min/Max/step=  0 87 8 1\r\n\t min/max/step= 0 88 8"},
        {-3.14, 2, 6, "before\r\n\t Min/Max/step=  -3.2 2 8.7 0.1\r\n\t min/max/step= -3.2 2.02 0.87"},
        {0, 5000, 11, "before\r\n\t Min/Max/step=  0 50 4.6 1\r\n\t min/max/step= 0 50.6 4.6"},
        {5, 5, 6, "before\r\n\t Min/Max/step=  5 5 1.1 1\r\n\t min/max/step= 5 11.6 1.1"},
    };
    for (const Case& c : cases) {
        double min = c.Min, max = c.Max;
        std::int16_t exponent = 0;
        std::string trace = "before";
        ScaleAxis(min, max, std::int16_t(c.N), exponent, trace);
        EXPECT_EQ(trace, c.Expected);
    }
}

TEST(ScaleAxis, EndsNearTheLargestDoublesStayFinite)
{
    double min = -1.5e308, max = 1.5e308;
    std::int16_t exponent = 0;
    std::string trace;
    ScaleAxis(min, max, 6, exponent, trace);
    EXPECT_EQ(exponent, 308);
    EXPECT_TRUE(std::isfinite(min) && std::isfinite(max) && max > min) << min << " " << max;
}

TEST(ScaleAxis, NonFiniteEndsGiveAUsableRange)
{
    double min = -INFINITY, max = NAN;
    std::int16_t exponent = 7;
    std::string trace;
    ScaleAxis(min, max, 6, exponent, trace);
    EXPECT_EQ(exponent, 0);
    EXPECT_TRUE(std::isfinite(min) && std::isfinite(max) && max > min);
}

TEST(PrepareXAxis, TakesTheEndsOfTheAbscissaInAnyOrderAndTracesToTheOutputBox)
{
    RenderRig rig;
    rig.SetPoints({5000, 2500, 0}, {1, 2, 3}, {1, 2, 3});
    rig.Trace = "summary";
    PrepareXAxis(rig.Ctx);
    EXPECT_EQ(rig.Axis.XExponent, 2);
    EXPECT_DOUBLE_EQ(rig.Axis.Xmin, 0);
    EXPECT_NEAR(rig.Axis.Xmax, 50.6, 1e-9);
    ASSERT_EQ(rig.Axis.CurveX.size(), 3u);
    EXPECT_DOUBLE_EQ(rig.Axis.CurveX[0], 50);
    EXPECT_DOUBLE_EQ(rig.Axis.CurveX[1], 25);
    EXPECT_DOUBLE_EQ(rig.Data.DataX[0], 5000) << "the data stay in data units";
    EXPECT_EQ(rig.Trace.rfind("summary\r\n\t Min/Max/step=", 0), 0u);
}

TEST(PrepareAxes, OverridesReplaceTheRangeInDisplayedUnits)
{
    struct Case {
        const char* What;
        bool Enabled;
        const char* Min;
        const char* Step;
        double Xmin, Xmax;
    } cases[] = {
        {"min 0 step 0.5: ten steps", true, "0", "0.5", 0, 5},
        {"leading number of a field read", true, "1abc", "0.5xyz", 1, 6},
        {"empty minimum reads 0", true, "", "2", 0, 20},
        {"a step reading 0 keeps the computed range", true, "1", "abc", 0, 50.6},
        {"not ticked", false, "1", "2", 0, 50.6},
    };
    for (const Case& c : cases) {
        RenderRig rig;
        rig.SetPoints({0, 5000}, {1, 2}, {3, 4});
        rig.Settings.X = {c.Enabled, c.Min, c.Step};
        PrepareXAxis(rig.Ctx);
        EXPECT_EQ(rig.Axis.XExponent, 2) << c.What;
        EXPECT_NEAR(rig.Axis.Xmin, c.Xmin, 1e-9) << c.What;
        EXPECT_NEAR(rig.Axis.Xmax, c.Xmax, 1e-9) << c.What;
        EXPECT_DOUBLE_EQ(rig.Axis.CurveX[1], 50) << c.What;
    }
    RenderRig rig;
    rig.SetPoints({0, 1}, {0, 1}, {0, 87});
    rig.FirstPlotCurves();
    rig.Data.PlotType = PlotType::ExponentialSeries;
    rig.Settings.Y = {true, "-1", "2"};
    PrepareYAxis(rig.Ctx);
    EXPECT_DOUBLE_EQ(rig.Axis.Ymin, -1);
    EXPECT_DOUBLE_EQ(rig.Axis.Ymax, 9) << "five steps";
}

TEST(PrepareYAxis, RangeByPlotTypeAndCurveKind)
{
    struct Case {
        const char* What;
        int Type;
        PlotKind Kind;
        double Ymin, Ymax;
    } cases[] = {
        // CurveY1 = 1..3 (third column), CurveY2 = -3..0 (second), CurveY3 = 10..12
        {"ordinary type: CurveY1 alone", 3, PlotKind::FirstLinePlot, 1, 3.04},
        {"type 110: widened over CurveY2 and CurveY3", 110, PlotKind::FirstLinePlot, -3, 12},
        {"curve versus data: union of both", 3, PlotKind::CurveVersusData, -3, 3},
        {"type 0: the axis of CurveY2", 0, PlotKind::FirstLinePlot, -3, 0},
    };
    for (const Case& c : cases) {
        RenderRig rig;
        rig.SetPoints({0, 1, 2}, {-3, -1, 0}, {1, 2, 3});
        rig.Data.PlotType = PlotTypeOfCode(std::int16_t(c.Type));
        rig.SetKind(c.Kind);
        rig.Axis.CurveY1 = {1, 2, 3};
        rig.Axis.CurveY2 = {-3, -1, 0};
        rig.Axis.CurveY3 = {10, 11, 12};
        PrepareYAxis(rig.Ctx);
        EXPECT_NEAR(rig.Axis.Ymin, c.Ymin, 1e-9) << c.What;
        EXPECT_NEAR(rig.Axis.Ymax, c.Ymax, 1e-9) << c.What;
    }
}

TEST(PrepareYAxis, LargeValuesAreNotHiddenBySearchSeeds)
{
    RenderRig rig;
    rig.SetPoints({0, 1}, {0, 0}, {0, 0});
    rig.Data.PlotType = PlotType::ExponentialSeries;
    rig.Axis.CurveY1 = {5e10, 6e10};
    PrepareYAxis(rig.Ctx);
    const double p = std::pow(10.0, rig.Axis.YExponent);
    EXPECT_LE(rig.Axis.Ymin * p, 5e10);
    EXPECT_GE(rig.Axis.Ymin * p, 4.9e10) << "the minimum is the data's, not 1E10";
}

TEST(PrepareYAxis, TypeZeroMapsTheDerivativeOntoTheSolutionRange)
{
    RenderRig rig;
    rig.SetPoints({0, 1, 2}, {0, 5, 10}, {-1, 0, 1});
    rig.Data.PlotType = PlotType::Ode;
    rig.FirstPlotCurves();  // CurveY1 = derivative -1..1, CurveY2 = solution 0..10
    PrepareYAxis(rig.Ctx);
    EXPECT_EQ(rig.Axis.YExponent, 0);
    EXPECT_DOUBLE_EQ(rig.Axis.CurveY1[0], 0);
    EXPECT_DOUBLE_EQ(rig.Axis.CurveY1[1], 5);
    EXPECT_DOUBLE_EQ(rig.Axis.CurveY1[2], 10);
    EXPECT_EQ(rig.Axis.PlotTitle.rfind("Min: -", 0), 0u) << rig.Axis.PlotTitle;
    EXPECT_NE(rig.Axis.PlotTitle.find("\tMax:  "), std::string::npos) << rig.Axis.PlotTitle;
    const DrawCall* label = rig.Canvas.FindText("Ydot Range... ");
    ASSERT_NE(label, nullptr);
    EXPECT_DOUBLE_EQ(label->X1, 15);
    EXPECT_DOUBLE_EQ(label->Y1, 24) << "design y 15 times 1.6";
    const DrawCall* range = rig.Canvas.FindText(rig.Axis.PlotTitle);
    ASSERT_NE(range, nullptr);
    EXPECT_DOUBLE_EQ(range->Y1, 48);
}

TEST(PrepareYAxis, TypeZeroWithAConstantDerivativeDividesByOne)
{
    RenderRig rig;
    rig.SetPoints({0, 1}, {2, 4}, {7, 7});
    rig.Data.PlotType = PlotType::Ode;
    rig.FirstPlotCurves();
    PrepareYAxis(rig.Ctx);
    // ((7-7)*4 + (7-7)*2) / 1
    EXPECT_DOUBLE_EQ(rig.Axis.CurveY1[0], 0);
    EXPECT_DOUBLE_EQ(rig.Axis.CurveY1[1], 0);
}

TEST(PrepareYAxis, CurvesAreDividedByThePowerOfTen)
{
    RenderRig rig;
    rig.SetPoints({0, 1}, {0, 0.0005}, {0, 0.0004});
    rig.Data.PlotType = PlotType::ExponentialSeries;
    rig.SetKind(PlotKind::CurveVersusData);
    rig.Axis.CurveY1 = {0, 0.0004};
    rig.Axis.CurveY2 = {0, 0.0005};
    PrepareYAxis(rig.Ctx);
    EXPECT_EQ(rig.Axis.YExponent, -6);
    EXPECT_NEAR(rig.Axis.CurveY1[1], 400, 1e-9);
    EXPECT_NEAR(rig.Axis.CurveY2[1], 500, 1e-9);
    EXPECT_NEAR(rig.Axis.Ymax, 504, 1e-9);
}

}  // namespace
}  // namespace plots
