// The mathematics behind the demo content: the integrator, the least-squares fit, the
// transfer-function curves, the dosing half-life, the contour tracer and the picture files.
#include "tools/demogen/Examples.h"
#include "tools/demogen/FilterMatch.h"
#include "tools/demogen/Pictures.h"
#include "tools/demogen/Random.h"
#include "tools/demogen/Series.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using namespace demogen;

namespace {
constexpr double Pi = 3.14159265358979323846;
}

TEST(DemoMath, RungeKuttaMatchesKnownSolutions)
{
    struct Case {
        const char* Name;
        Rhs F;
        Vec Y0;
        double T1;
        int Steps;
        double Exact;  // first component at T1
        double Tolerance;
    };
    const Case cases[] = {
        {"decay", [](double, const Vec& y, Vec& d) { d[0] = -y[0]; }, {1}, 2, 200, std::exp(-2.0), 1e-9},
        {"oscillator", [](double, const Vec& y, Vec& d) { d[0] = y[1]; d[1] = -y[0]; }, {0, 1}, Pi / 2, 400, 1.0, 1e-9},
        // Cantilever under a uniform load: tip deflection w L^4 / (8 EI).
        {"beam", [](double x, const Vec& y, Vec& d) { d[0] = y[1]; d[1] = -2000 * (3 - x) * (3 - x) / (2 * 1.75e6); },
         {0, 0}, 3, 300, -2000 * 81 / (8 * 1.75e6), 1e-12},
        // Stiff relaxation: cos t + exp(-1000 t), stable with a step of 1E-3.
        {"stiff", [](double t, const Vec& y, Vec& d) { d[0] = -1000 * (y[0] - std::cos(t)) - std::sin(t); },
         {2}, 1, 1000, std::cos(1.0), 1e-6},
    };
    for (const Case& c : cases) {
        const Trajectory path = IntegrateRK4(c.F, c.Y0, 0, c.T1, c.Steps, c.Steps / 10);
        ASSERT_EQ(path.T.size(), 11u) << c.Name;
        EXPECT_NEAR(path.T.back(), c.T1, 1e-12) << c.Name;
        EXPECT_NEAR(path.Y.back()[0], c.Exact, c.Tolerance) << c.Name;
    }
}

TEST(DemoMath, LeastSquaresRecoversEverySeriesFromExactData)
{
    struct Case {
        SeriesKind Kind;
        Vec Truth, Start;
    };
    const Case cases[] = {
        {SeriesKind::Lorentzian, {0.1, 2.0, 1.0, 4.0}, {0, 1.5, 1.3, 3.7}},
        {SeriesKind::ModifiedLorentzian, {0.0, 1.0, 0.3, 1.2, 5.0}, {0.1, 0.8, 0.0, 1.0, 5.3}},
        {SeriesKind::Exponential, {0.2, 3.0, -0.9, 1.5, -0.15}, {0, 2, -0.5, 1, -0.1}},
        {SeriesKind::Power, {1.0, -2.0, 0.5}, {0, 0, 0}},
        {SeriesKind::Sine, {0.5, 2.0, 1.3, 0.4}, {0, 1.8, 1.25, 0.3}},
        {SeriesKind::ExpSine, {0.0, 3.0, 2.2, 0.3, -0.25}, {0, 2.5, 2.1, 0, -0.2}},
    };
    for (const Case& c : cases) {
        SeriesExample ex;
        ex.Stem = "case";
        ex.Kind = c.Kind;
        ex.Terms = static_cast<int>((c.Truth.size() - 1) / TermParamNames(c.Kind).size());
        ex.Truth = c.Truth;
        ex.Start = c.Start;
        ex.T0 = 0, ex.T1 = 8, ex.Points = 81, ex.Noise = 0;
        const SeriesRun run = RunSeriesExample(ex);
        ASSERT_TRUE(run.Fit.Converged) << static_cast<int>(c.Kind);
        EXPECT_LT(run.Fit.SumSquares, 1e-12) << static_cast<int>(c.Kind);
        for (std::size_t i = 0; i < c.Truth.size(); ++i)
            EXPECT_NEAR(run.Fit.Params[i], c.Truth[i], 1e-5) << static_cast<int>(c.Kind) << " parameter " << i;
    }
}

TEST(DemoMath, RandomNumbersAreRepeatableAndNormal)
{
    Random a(42), b(42);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(a.Next(), b.Next());
    Random r(7);
    double sum = 0, squares = 0;
    const int n = 20000;
    for (int i = 0; i < n; ++i) {
        const double v = r.Normal();
        sum += v;
        squares += v * v;
    }
    EXPECT_NEAR(sum / n, 0.0, 0.03);
    EXPECT_NEAR(squares / n, 1.0, 0.05);
}

TEST(DemoMath, TransferFunctionCurvesAgreeWithTheirDefinitions)
{
    PoleZeroSet notched = ChebyshevPoles(5, 0.5);
    notched.OmegaZeros = {2.0};
    notched.Gain = 1;
    notched.Gain = 1 / std::abs(Response(notched, {0, 0}));
    PoleZeroSet equalised = BesselPoles(7);
    equalised.ZeroRe = {4.0};
    equalised.ZeroIm = {1.0};
    equalised.ZeroQuadCount = 1;
    PoleZeroSet paired = ChebyshevPoles(7, 0.25);
    paired.HasSigmaZero = true;
    paired.SigmaZero = -2.5;
    paired.SigmaZeroPaired = true;
    paired.OmegaZeros = {1.8, 2.5};
    struct Case {
        const char* Name;
        PoleZeroSet F;
    };
    const Case cases[] = {{"notched", notched}, {"equalised", equalised.Scaled(0.5)}, {"paired", paired}};
    for (const Case& c : cases) {
        // The impulse response integrates to H(0).
        double area = 0;
        const double dt = 1e-3;
        for (int i = 0; i < 200000; ++i)
            area += ImpulseResponse(c.F, (i + 0.5) * dt) * dt;
        EXPECT_NEAR(area, Response(c.F, {0, 0}).real(), 1e-4 * (1 + std::abs(area))) << c.Name;
        // The group delay is minus the derivative of the phase (away from the notches).
        for (double w : {0.1, 0.4, 0.7}) {
            const double h = 1e-6;
            const double dPhase = std::arg(Response(c.F, {0, w + h}) / Response(c.F, {0, w - h})) / (2 * h);
            EXPECT_NEAR(GroupDelay(c.F, w), -dPhase, 1e-5) << c.Name << " at " << w;
        }
    }
    // An equal-ripple low-pass of odd order meets its ripple at the band edge.
    const PoleZeroSet cheb = ChebyshevPoles(5, 0.5);
    EXPECT_NEAR(20 * std::log10(Magnitude(cheb, 1.0)), -0.5, 1e-9);
    // A notch is a zero of the magnitude.
    EXPECT_LT(Magnitude(notched, 2.0), 1e-9);
}

TEST(DemoMath, FilterMatchWritesTheSideLobesOfItsOwnPoles)
{
    for (const FilterExample& ex : FilterExamples()) {
        const FilterRun run = RunFilterExample(ex);
        EXPECT_LE(run.ErrorSum, run.StartErrorSum) << ex.Stem;
        double peak = 0;
        for (int i = 0; i <= 2000; ++i)
            peak = std::max(peak, Magnitude(run.Filter, ex.StopHigh * i / 2000));
        for (std::size_t i = 0; i < run.LobeX.size(); i += 20)
            EXPECT_NEAR(run.LobeDb[i], 20 * std::log10(Magnitude(run.Filter, run.LobeX[i]) / peak), 1e-9) << ex.Stem;
        for (std::size_t i = 0; i < run.ImpulseT.size(); i += 20)
            EXPECT_DOUBLE_EQ(run.Impulse[i], ImpulseResponse(run.Filter, run.ImpulseT[i])) << ex.Stem;
        double sum = 0;
        for (double r : run.DelayRipple)
            sum += r;
        EXPECT_NEAR(sum, 0.0, 1e-9) << ex.Stem << ": ripple is the delay less its mean";
    }
}

TEST(DemoMath, DosingHalfLifeHalvesTheTotalAmount)
{
    for (const DosingExample& ex : DosingExamples()) {
        const DosingRun run = RunDosingExample(ex);
        EXPECT_NEAR(run.DT50, ex.TargetDT50, 1e-6) << ex.Stem;
        EXPECT_NEAR(TotalAmount(run.Rates, ex.A1, ex.A2, run.DT50), (ex.A1 + ex.A2) / 2, 1e-9) << ex.Stem;
        // The integrated amounts follow the closed-form total.
        for (std::size_t i = 0; i < run.Path.T.size(); i += 30) {
            const double total = run.Path.Y[i][0] + run.Path.Y[i][1];
            EXPECT_NEAR(total, TotalAmount(run.Rates, ex.A1, ex.A2, run.Path.T[i]), 1e-6) << ex.Stem;
        }
    }
}

TEST(DemoMath, ContourSegmentsLieOnTheLevelLine)
{
    const Objective bowl = [](double x, double y) { return x * x + y * y; };
    for (double level : {0.25, 1.0, 2.0}) {
        const auto segments = ContourSegments(bowl, level, -2, 2, -2, 2, 80, 80);
        ASSERT_FALSE(segments.empty());
        for (const Segment& s : segments) {
            EXPECT_NEAR(std::hypot(s.X1, s.Y1), std::sqrt(level), 0.01);
            EXPECT_NEAR(std::hypot(s.X2, s.Y2), std::sqrt(level), 0.01);
        }
    }
}

TEST(DemoMath, PicturesAreSavedInTheFixedPalette)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(qRgb(250, 250, 250));
    for (int x = 0; x < 40; ++x)
        image.setPixel(x, 10, qRgb(190, 10, 10));
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/p.gif";
    ASSERT_TRUE(WriteGif(path, image));
    QImage back;
    ASSERT_TRUE(back.load(QString::fromStdString(path), "GIF"));
    EXPECT_EQ(back.pixel(0, 0) & 0xFFFFFF, qRgb(255, 255, 255) & 0xFFFFFF);
    EXPECT_EQ(back.pixel(5, 10) & 0xFFFFFF, qRgb(200, 0, 0) & 0xFFFFFF);
}
