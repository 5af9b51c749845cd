#include "tools/demogen/Examples.h"

#include "tools/demogen/Pictures.h"
#include "tools/demogen/PlotFileText.h"

#include <cmath>
#include <cstdio>

namespace demogen {

namespace {

constexpr double Pi = 3.14159265358979323846;

double RaisedCosine(double w, double edge, double rolloff)
{
    const double a = edge * (1 - rolloff), b = edge * (1 + rolloff);
    if (w <= a)
        return 1;
    if (w >= b)
        return 0;
    return 0.5 * (1 + std::cos(Pi * (w - a) / (b - a)));
}

double Rosenbrock(double x, double y) { return 100 * (y - x * x) * (y - x * x) + (1 - x) * (1 - x); }

}  // namespace

std::vector<SeriesExample> SeriesExamples()
{
    std::vector<SeriesExample> list;
    SeriesExample e;

    e = {};
    e.Stem = "EasyFit";
    e.Title = "EasyFit cubic trend";
    e.Kind = SeriesKind::Power;
    e.Terms = 3;
    e.Truth = {1.5, 2.0, -0.8, 0.06};
    e.Start = {0, 1, 0, 0};
    e.T0 = 0, e.T1 = 8, e.Points = 81, e.Noise = 0.25, e.Seed = 11;
    list.push_back(e);

    e = {};
    e.Stem = "HardFit";
    e.Title = "HardFit two damped modes";
    e.Kind = SeriesKind::ExpSine;
    e.Terms = 2;
    e.Truth = {0.0, 3.0, 2.2, 0.3, -0.25, 1.2, 5.1, 1.0, -0.6};
    e.Start = {0.0, 2.5, 2.1, 0.0, -0.2, 1.0, 5.0, 0.8, -0.5};
    e.T0 = 0, e.T1 = 10, e.Points = 201, e.Noise = 0.08, e.Seed = 12;
    list.push_back(e);

    e = {};
    e.Stem = "ReadRit";
    e.Title = "ReadRit TFH 2-term Lorentzian";
    e.Kind = SeriesKind::Lorentzian;
    e.Terms = 2;
    e.Truth = {0.05, 1.0, 1.2, 4.0, -0.6, 1.8, 6.5};
    e.Start = {0.0, 0.8, 1.0, 3.8, -0.4, 1.5, 6.8};
    e.T0 = 0, e.T1 = 12, e.Points = 161, e.Noise = 0.02, e.Seed = 13;
    list.push_back(e);

    e = {};
    e.Stem = "ReadRit2";
    e.Title = "ReadRit2 modified Lorentzian";
    e.Kind = SeriesKind::ModifiedLorentzian;
    e.Terms = 3;
    e.Truth = {0.0, 1.0, 0.2, 1.0, 3.0, -0.7, -0.1, 1.4, 6.0, 0.4, 0.15, 0.9, 9.0};
    e.Start = {0.0, 0.8, 0.0, 1.2, 3.2, -0.5, 0.0, 1.2, 6.2, 0.3, 0.0, 1.0, 8.8};
    e.T0 = 0, e.T1 = 12, e.Points = 241, e.Noise = 0.015, e.Seed = 14;
    list.push_back(e);

    e = {};
    e.Stem = "fit4QZ-W";
    e.Title = "fit4QZ-W A1 pulse";
    e.Kind = SeriesKind::Lorentzian;
    e.Terms = 1;
    e.Truth = {0.1, 2.5, 0.8, 5.2};
    e.Start = {0.0, 2.0, 1.2, 4.7};
    e.T0 = 0, e.T1 = 10, e.Points = 121, e.Noise = 0.04, e.Seed = 15;
    e.SecondFile = true;
    list.push_back(e);

    e = {};
    e.Stem = "Damper";
    e.Title = "Damper decay trend";
    e.Kind = SeriesKind::Exponential;
    e.Terms = 2;
    e.Truth = {0.2, 3.0, -0.9, 1.5, -0.15};
    e.Start = {0.0, 2.0, -0.5, 1.0, -0.1};
    e.T0 = 0, e.T1 = 15, e.Points = 151, e.Noise = 0.03, e.Seed = 16;
    list.push_back(e);

    e = {};
    e.Stem = "Circuit";
    e.Title = "Circuit two-tone response";
    e.Kind = SeriesKind::Sine;
    e.Terms = 2;
    e.Truth = {0.5, 2.0, 1.3, 0.4, 0.7, 3.9, -0.8};
    e.Start = {0.0, 1.8, 1.25, 0.3, 0.5, 3.85, -0.5};
    e.T0 = 0, e.T1 = 12, e.Points = 181, e.Noise = 0.1, e.Seed = 17;
    list.push_back(e);
    return list;
}

std::vector<OdeExample> OdeExamples()
{
    std::vector<OdeExample> list;
    OdeExample e;

    e = {};
    e.Stem = "Beam";
    e.Title = "Cantilever beam, uniform load";
    e.OdeText = "y'' = -w*(L-x)^2/(2*EI)   ! x along the beam from the wall";
    e.ParamNames = {"w", "L", "EI"};
    e.Params = {2000, 3, 1.75e6};
    e.StateNames = {"y", "y'"};
    e.F = [w = 2000.0, L = 3.0, EI = 1.75e6](double x, const Vec& y, Vec& dy) {
        dy[0] = y[1];
        dy[1] = -w * (L - x) * (L - x) / (2 * EI);
    };
    e.Y0 = {0, 0};
    e.T0 = 0, e.T1 = 3, e.Steps = 300, e.Every = 5;
    list.push_back(e);

    e = {};
    e.Stem = "GunAt";
    e.Title = "Shell trajectory with air drag";
    e.OdeText = "x'' = -k*v*x', y'' = -g - k*v*y', v = sqrt(x'^2+y'^2)   ! quadratic drag";
    e.ParamNames = {"v0", "angle", "k", "g"};
    e.Params = {450, 40, 4e-5, 9.81};
    e.StateNames = {"x", "y", "x'", "y'"};
    e.F = [k = 4e-5, g = 9.81](double, const Vec& y, Vec& dy) {
        const double v = std::sqrt(y[2] * y[2] + y[3] * y[3]);
        dy[0] = y[2];
        dy[1] = y[3];
        dy[2] = -k * v * y[2];
        dy[3] = -g - k * v * y[3];
    };
    e.Y0 = {0, 0, 450 * std::cos(40 * Pi / 180), 450 * std::sin(40 * Pi / 180)};
    e.T0 = 0, e.T1 = 50, e.Steps = 5000, e.Every = 25;
    e.Shown = 1;
    list.push_back(e);

    e = {};
    e.Stem = "KROGH";
    e.Title = "Stiff relaxation onto cos(t)";
    e.OdeText = "y' = -lambda*(y - cos(t)) - sin(t)   ! exact: cos(t) + exp(-lambda*t)";
    e.ParamNames = {"lambda"};
    e.Params = {1000};
    e.StateNames = {"y"};
    e.F = [](double t, const Vec& y, Vec& dy) { dy[0] = -1000 * (y[0] - std::cos(t)) - std::sin(t); };
    e.Y0 = {2};
    e.T0 = 0, e.T1 = 10, e.Steps = 10000, e.Every = 50;
    list.push_back(e);

    e = {};
    e.Stem = "PURSUIT";
    e.Title = "Missile pursuit, range to target";
    e.OdeText = "M' = v*(T-M)/|T-M|, T = (10, u*t)   ! pure pursuit";
    e.ParamNames = {"v", "u", "d"};
    e.Params = {1.5, 1.0, 10};
    e.StateNames = {"mx", "my", "range"};
    e.F = [v = 1.5, u = 1.0, d = 10.0](double t, const Vec& y, Vec& dy) {
        const double tx = d - y[0], ty = u * t - y[1];
        const double r = std::sqrt(tx * tx + ty * ty);
        dy[0] = v * tx / r;
        dy[1] = v * ty / r;
        dy[2] = ty * u / r - v;  // d|T - M|/dt with the target moving along y
    };
    e.Y0 = {0, 0, 10};
    e.T0 = 0, e.T1 = 11.5, e.Steps = 2300, e.Every = 10;
    e.Shown = 2;
    list.push_back(e);

    e = {};
    e.Stem = "VOLTERIS";
    e.Title = "Prey and predator cycle";
    e.OdeText = "x' = a*x - b*x*y, y' = -c*y + d*x*y   ! x prey, y predators";
    e.ParamNames = {"a", "b", "c", "d"};
    e.Params = {1.0, 0.1, 1.5, 0.075};
    e.StateNames = {"prey", "predators"};
    e.F = [](double, const Vec& y, Vec& dy) {
        dy[0] = 1.0 * y[0] - 0.1 * y[0] * y[1];
        dy[1] = -1.5 * y[1] + 0.075 * y[0] * y[1];
    };
    e.Y0 = {10, 5};
    e.T0 = 0, e.T1 = 15, e.Steps = 1500, e.Every = 10;
    list.push_back(e);

    e = {};
    e.Stem = "EjectSim";
    e.Title = "Seat height above the canopy";
    e.OdeText = "v' = -D/m - g*sin(th), th' = -g*cos(th)/v, y' = v*sin(th)   ! D = rho*CdS*v^2/2";
    e.ParamNames = {"m", "g", "rho", "CdS", "Va", "Ve"};
    e.Params = {100, 9.81, 1.225, 1.0, 150, 12};
    e.StateNames = {"x", "y", "v", "theta"};
    e.F = [](double, const Vec& y, Vec& dy) {
        const double m = 100, g = 9.81, rho = 1.225, cds = 1.0, va = 150;
        const double drag = 0.5 * rho * cds * y[2] * y[2];
        dy[0] = y[2] * std::cos(y[3]) - va;
        dy[1] = y[2] * std::sin(y[3]);
        dy[2] = -drag / m - g * std::sin(y[3]);
        dy[3] = -g * std::cos(y[3]) / y[2];
    };
    {
        // The seat leaves the rails at Ve, 15 degrees back from vertical, while the aircraft
        // flies at Va: its speed and path angle relative to the air.
        const double va = 150, ve = 12, tilt = 15 * Pi / 180;
        const double vx = va - ve * std::sin(tilt), vy = ve * std::cos(tilt);
        e.Y0 = {0, 0, std::sqrt(vx * vx + vy * vy), std::atan2(vy, vx)};
    }
    e.T0 = 0, e.T1 = 2, e.Steps = 2000, e.Every = 10;
    e.Shown = 1;
    list.push_back(e);
    return list;
}

std::vector<DosingExample> DosingExamples()
{
    std::vector<DosingExample> list;
    DosingExample e;
    e.Stem = "Pharm-IP";
    e.Title = "Pharm-IP elimination for DT50 = 6 h";
    e.Rates = {0.35, 0.20, 0.0, 0.0};
    e.A1 = 100, e.A2 = 0, e.TargetDT50 = 6, e.T1 = 36, e.Points = 181;
    list.push_back(e);

    e = {};
    e.Stem = "PharmAlg";
    e.Title = "PharmAlg loading dose, DT50 = 8 h";
    e.Rates = {0.5, 0.25, 0.0, 0.02};
    e.A1 = 250, e.A2 = 40, e.TargetDT50 = 8, e.T1 = 48, e.Points = 193;
    list.push_back(e);
    return list;
}

std::vector<FilterExample> FilterExamples()
{
    std::vector<FilterExample> list;
    FilterExample e;

    // A 7th-order equal-ripple low-pass with two stop-band notches and a mirrored pair of
    // real zeros that lifts the band edge without touching the delay.
    e.Stem = "hb1mfd";
    e.Title = "Feasimod raised-cosine low-pass";
    e.PlotType = -2;
    e.Build = [](const Vec& v) {
        PoleZeroSet f = ChebyshevPoles(7, v[3]);
        f.HasSigmaZero = true;
        f.SigmaZero = -v[1];
        f.SigmaZeroPaired = true;
        f.OmegaZeros = {v[2], 1.4 * v[2]};
        return f.Scaled(v[0]);
    };
    e.VarNames = {"scale", "sigmaZ", "omegaZ", "rippleDb"};
    e.Start = {1.0, 2.5, 1.75, 0.25};
    e.Lower = {0.6, 1.0, 1.2, 0.01};
    e.Upper = {1.6, 6.0, 3.0, 1.0};
    e.Rounds = 6;
    e.Target = [](double w) { return RaisedCosine(w, 1.0, 0.35); };
    e.X0 = 0, e.X1 = 2, e.Points = 161;
    e.StopLow = 1.45, e.StopHigh = 4, e.PassHigh = 0.65;
    e.DelayMatched = true;
    e.ImpulseEnd = 30;
    list.push_back(e);

    // An 11th-order constant-delay filter shaped into a Gaussian read pulse: a quad of zeros
    // slims the pulse, two notches bound the spectrum.
    e = {};
    e.Stem = "hb2mfd";
    e.Title = "Feasimod II Gaussian pulse match";
    e.PlotType = -1;
    e.Build = [](const Vec& v) {
        PoleZeroSet f = BesselPoles(11);
        f.OmegaZeros = {11.0, 15.0};
        f.ZeroRe = {v[1]};
        f.ZeroIm = {v[2]};
        f.ZeroQuadCount = 1;
        return f.Scaled(v[0]);
    };
    e.VarNames = {"scale", "quadRe", "quadIm"};
    e.Start = {0.5, 6.0, 3.0};
    e.Lower = {0.3, 2.0, 0.5};
    e.Upper = {1.5, 14.0, 8.0};
    e.Target = [](double t) { return std::exp(-4 * std::log(2.0) * (t - 2) * (t - 2)); };
    e.X0 = 0, e.X1 = 6, e.Points = 181;
    e.StopLow = 4, e.StopHigh = 12, e.PassHigh = 3.0;
    e.DelayMatched = true;
    e.ImpulseEnd = 8;
    list.push_back(e);

    // A 5th-order low-pass with one notch, matched in magnitude only.
    e = {};
    e.Stem = "hb1sqp";
    e.Title = "Quadrix notched low-pass";
    e.PlotType = -2;
    e.Build = [](const Vec& v) {
        PoleZeroSet f = ChebyshevPoles(5, 0.5);
        f.OmegaZeros = {v[1]};
        return f.Scaled(v[0]);
    };
    e.VarNames = {"scale", "omegaZ"};
    e.Start = {1.0, 2.0};
    e.Lower = {0.5, 1.3};
    e.Upper = {1.8, 4.0};
    e.Target = [](double w) { return RaisedCosine(w, 1.0, 0.5); };
    e.X0 = 0, e.X1 = 2.5, e.Points = 126;
    e.StopLow = 1.5, e.StopHigh = 5, e.PassHigh = 0.5;
    e.DelayMatched = false;
    e.ImpulseEnd = 25;
    list.push_back(e);
    return list;
}

namespace {

std::string Fmt(const char* pattern, double a, double b = 0, double c = 0)
{
    char buf[200];
    std::snprintf(buf, sizeof buf, pattern, a, b, c);
    return buf;
}

struct Writer {
    std::string Dir;
    std::vector<std::string> Written;
    bool Ok = true;
    void Put(const std::string& relative, const std::string& bytes)
    {
        Ok = WriteBytes(Dir + "/" + relative, bytes) && Ok;
        Written.push_back(relative);
    }
    void Picture(const std::string& relative, const QImage& image)
    {
        Ok = WriteGif(Dir + "/" + relative, image) && Ok;
        Written.push_back(relative);
    }
};

FitResult RosenbrockSolve(const Vec& start)
{
    // f = r1^2 + r2^2 with r1 = 10 (y - x^2), r2 = 1 - x.
    const ModelFn residual = [](double i, const Vec& p) {
        return i < 0.5 ? 10 * (p[1] - p[0] * p[0]) : 1 - p[0];
    };
    return FitLeastSquares(residual, {0, 1}, {0, 0}, start, 100);
}

void WriteRosenbrock(Writer& w)
{
    const FitResult fit = RosenbrockSolve({-1.2, 1.0});
    ContourPicture p;
    p.Title = "Rosenbrock's function";
    p.Subtitle = "f(x, y) = 100 (y - x^2)^2 + (1 - x)^2";
    p.F = Rosenbrock;
    p.Levels = {0.5, 2, 8, 32, 128, 512};
    p.Marker = {1, 1};
    p.MarkerText = "minimum f(1, 1) = 0";
    w.Picture("answers/RosenBrh.gif", DrawContourPicture(p));

    p.Subtitle = "Contoura path from (-1.2, 1), " + std::to_string(fit.Steps.size() - 1) + " steps";
    for (const FitStep& s : fit.Steps)
        p.Path.push_back(s.Params);
    w.Picture("answers/RosenBrh.2if", DrawContourPicture(p));

    Vec history;
    for (const FitStep& s : fit.Steps)
        history.push_back(s.SumSquares);
    w.Picture("answers/RosenBrh.3if", DrawHistoryPicture("Contoura convergence", history));

    std::string out = "\n QZ run of RosenBrh.qz\n Solver Contoura: damped Gauss-Newton on the two residuals\n";
    out += "   r1 = 10 (y - x^2),  r2 = 1 - x,  f = r1^2 + r2^2\n\n";
    out += "  Step             x              y              f\n";
    for (const FitStep& s : fit.Steps)
        out += Fmt("  %4.0f", s.Iteration) + Fmt("  %13.6E  %13.6E", s.Params[0], s.Params[1]) +
               Fmt("  %13.6E\n", s.SumSquares);
    out += "\n Minimum at x = " + Fmt("%.8f", fit.Params[0]) + ", y = " + Fmt("%.8f", fit.Params[1]) +
           ", f = " + Fmt("%.3E", fit.SumSquares) + "\n";
    out += " Contour graph: RosenBrh.gif (levels 0.5 to 512), path: RosenBrh.2if,\n";
    out += " convergence history: RosenBrh.3if\n\n End of run.\n";
    w.Put("answers/RosenBrh.out", out);
}

void WriteConstrainedRosenbrock(Writer& w)
{
    const double r = std::sqrt(1.5);
    const auto onCircle = [r](double a) { return Rosenbrock(r * std::cos(a), r * std::sin(a)); };
    const double best = GoldenMinimum(onCircle, 0, Pi / 2, 1e-12);
    const double x = r * std::cos(best), y = r * std::sin(best);
    ContourPicture p;
    p.Title = "Contour and constraint graph";
    p.Subtitle = "minimise 100 (y - x^2)^2 + (1 - x)^2  subject to  x^2 + y^2 <= 1.5";
    p.F = Rosenbrock;
    p.Levels = {0.05, 0.2, 1, 4, 16, 64, 256};
    p.X0 = -1.5, p.X1 = 1.5, p.Y0 = -0.5, p.Y1 = 2;
    p.ConstraintRadius = r;
    p.Marker = {x, y};
    p.MarkerText = "constrained minimum";
    w.Picture("answers/tCircuit.gif", DrawContourPicture(p));

    std::string out = "\n QZ run of tCircuit.qz\n Contour and constraint graph of Rosenbrock's function\n";
    out += " Constraint: x^2 + y^2 <= 1.5 (the circle is active: the free minimum (1, 1) lies outside)\n\n";
    out += " Search along the circle, angle from the x axis (golden section):\n";
    out += "   angle  = " + Fmt("%.8f rad", best) + "\n";
    out += "   x      = " + Fmt("%.8f", x) + "\n   y      = " + Fmt("%.8f", y) + "\n";
    out += "   f      = " + Fmt("%.8E", Rosenbrock(x, y)) + "\n";
    out += "   x^2+y^2 = " + Fmt("%.8f", x * x + y * y) + "\n\n Picture: tCircuit.gif\n\n End of run.\n";
    w.Put("answers/tCircuit.out", out);
}

}  // namespace

std::vector<std::string> GenerateAll(const std::string& dir)
{
    Writer w{dir, {}, true};
    for (const SeriesExample& ex : SeriesExamples()) {
        const SeriesRun run = RunSeriesExample(ex);
        w.Put(ex.Stem + ".dat", SeriesDataFile(run));
        if (ex.SecondFile) {
            w.Put("answers/" + ex.Stem + ".plt", SeriesPlotFile(run, ex.Start, run.StartSumSquares));
            w.Put("answers/" + ex.Stem + ".2lt", SeriesPlotFile(run, run.Fit.Params, run.Fit.SumSquares));
        } else {
            w.Put("answers/" + ex.Stem + ".plt", SeriesPlotFile(run, run.Fit.Params, run.Fit.SumSquares));
        }
        w.Put("answers/" + ex.Stem + ".out", SeriesListing(run));
    }
    for (const OdeExample& ex : OdeExamples()) {
        const OdeRun run = RunOdeExample(ex);
        w.Put("answers/" + ex.Stem + ".plt", OdePlotFile(run));
        w.Put("answers/" + ex.Stem + ".out", OdeListing(run));
    }
    for (const DosingExample& ex : DosingExamples()) {
        const DosingRun run = RunDosingExample(ex);
        w.Put("answers/" + ex.Stem + ".plt", DosingPlotFile(run));
        w.Put("answers/" + ex.Stem + ".out", DosingListing(run));
    }
    for (const FilterExample& ex : FilterExamples()) {
        const FilterRun run = RunFilterExample(ex);
        w.Put("answers/" + ex.Stem + ".plt", FilterPlotFile(run));
        w.Put("answers/" + ex.Stem + ".out", FilterListing(run));
    }
    WriteRosenbrock(w);
    WriteConstrainedRosenbrock(w);
    if (!w.Ok)
        return {};
    return w.Written;
}

}  // namespace demogen
