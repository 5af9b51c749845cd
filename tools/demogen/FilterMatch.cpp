#include "tools/demogen/FilterMatch.h"

#include "tools/demogen/PlotFileText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace demogen {

namespace {

Vec Grid(double a, double b, int n)
{
    Vec x;
    for (int i = 0; i < n; ++i)
        x.push_back(a + (b - a) * i / (n - 1));
    return x;
}

// The filter of the variables with the least-squares gain, and its error sum.
PoleZeroSet WithBestGain(const FilterExample& ex, const Vec& vars, const Vec& x, const Vec& target,
                         double& errorSum)
{
    PoleZeroSet f = ex.Build(vars);
    f.Gain = 1;
    Vec m;
    double tm = 0, mm = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        m.push_back(FilterCurve(f, ex.PlotType, x[i]));
        tm += target[i] * m.back();
        mm += m.back() * m.back();
    }
    const double g = mm > 0 ? tm / mm : 1;
    errorSum = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double r = target[i] - g * m[i];
        errorSum += r * r;
    }
    f.Gain = g;
    return f;
}

}  // namespace

double FilterCurve(const PoleZeroSet& f, int plotType, double x)
{
    return plotType == -2 ? Magnitude(f, x) : ImpulseResponse(f, x);
}

FilterRun RunFilterExample(const FilterExample& ex)
{
    FilterRun run;
    run.Example = ex;
    run.X = Grid(ex.X0, ex.X1, ex.Points);
    for (double x : run.X)
        run.Target.push_back(ex.Target(x));
    run.Vars = ex.Start;
    WithBestGain(ex, run.Vars, run.X, run.Target, run.StartErrorSum);
    // Coordinate descent: each variable in turn by golden-section search within its bounds.
    for (int round = 1; round <= ex.Rounds; ++round) {
        for (std::size_t j = 0; j < run.Vars.size(); ++j) {
            auto cost = [&](double v) {
                Vec trial = run.Vars;
                trial[j] = v;
                double e = 0;
                WithBestGain(ex, trial, run.X, run.Target, e);
                return e;
            };
            run.Vars[j] = GoldenMinimum(cost, ex.Lower[j], ex.Upper[j], 1e-9);
            run.Steps.push_back({round, ex.VarNames[j], run.Vars[j], cost(run.Vars[j])});
        }
    }
    run.Filter = WithBestGain(ex, run.Vars, run.X, run.Target, run.ErrorSum);
    for (double x : run.X)
        run.Model.push_back(FilterCurve(run.Filter, ex.PlotType, x));

    // Side-lobe curve: the magnitude over the stop band relative to its largest value.
    double peak = 0;
    for (double w : Grid(0, ex.StopHigh, 2001))
        peak = std::max(peak, Magnitude(run.Filter, w));
    run.WorstSidelobeDb = -1e9;
    for (double w : Grid(ex.StopLow, ex.StopHigh, 161)) {
        const double db = 20 * std::log10(std::max(Magnitude(run.Filter, w), 1e-12) / peak);
        run.LobeX.push_back(w);
        run.LobeDb.push_back(db);
        run.WorstSidelobeDb = std::max(run.WorstSidelobeDb, db);
    }
    // Group-delay ripple over the pass band: the delay less its mean.
    Vec delay;
    for (double w : Grid(0, ex.PassHigh, 141)) {
        run.DelayX.push_back(w);
        delay.push_back(GroupDelay(run.Filter, w));
    }
    double sum = 0;
    for (double d : delay)
        sum += d;
    run.MeanDelay = sum / static_cast<double>(delay.size());
    for (double d : delay)
        run.DelayRipple.push_back(d - run.MeanDelay);
    const auto [lo, hi] = std::minmax_element(run.DelayRipple.begin(), run.DelayRipple.end());
    run.RipplePeakToPeak = *hi - *lo;
    for (double t : Grid(0, ex.ImpulseEnd, 201)) {
        run.ImpulseT.push_back(t);
        run.Impulse.push_back(ImpulseResponse(run.Filter, t));
    }
    return run;
}

std::string FilterPlotFile(const FilterRun& run)
{
    const FilterExample& ex = run.Example;
    const PoleZeroSet& f = run.Filter;
    PlotFileText out;
    out.Line(ex.Title);
    out.Line(Num(run.ErrorSum));
    out.Line(std::string(ex.PlotType == -2 ? "Tunewave 3.0" : "Tunepulse 3.0") + "  pole-zero match");
    out.Numbers({static_cast<double>(ex.PlotType), static_cast<double>(f.Poles().size()),
                 static_cast<double>(run.X.size())});
    out.Numbers({ex.DelayMatched ? 1.0 : 0.0, run.MeanDelay, run.RipplePeakToPeak, run.WorstSidelobeDb});
    out.Numbers({f.HasSigmaPole ? 1.0 : 0.0, static_cast<double>(f.PoleRe.size())});
    if (f.HasSigmaPole)
        out.Number(f.SigmaPole);
    out.Numbers(f.PoleRe);
    out.Numbers(f.PoleIm);
    out.Number(f.HasSigmaZero ? 1 : 0);
    if (f.HasSigmaZero)
        out.Numbers({f.SigmaZero, static_cast<double>(f.SigmaZeroOrder), f.SigmaZeroPaired ? 1.0 : 0.0});
    out.Numbers({static_cast<double>(f.OmegaZeros.size()), static_cast<double>(f.ZeroPairCount),
                 static_cast<double>(f.ZeroQuadCount)});
    if (!f.OmegaZeros.empty())
        out.Numbers(f.OmegaZeros);
    if (f.ZeroPairCount + f.ZeroQuadCount > 0) {
        out.Numbers(f.ZeroRe);
        out.Numbers(f.ZeroIm);
    }
    out.Line(Num(f.Gain));
    out.Numbers({static_cast<double>(ex.Rounds), static_cast<double>(run.Steps.size())});
    // Column 2 is the filter's curve, column 3 what the target asks beyond it.
    Vec error;
    for (std::size_t i = 0; i < run.X.size(); ++i)
        error.push_back(run.Target[i] - run.Model[i]);
    out.Points(run.X, run.Model, error);
    if (f.OmegaZeros.size() > 1) {
        out.Line("Sidelobe ripple, 20 Log10(|H| / max)");
        out.Number(static_cast<double>(run.LobeX.size()));
        out.Points(run.LobeX, run.LobeDb);
    }
    if (ex.DelayMatched) {
        out.Line("Group delay ripple");
        out.Number(static_cast<double>(run.DelayX.size()));
        out.Points(run.DelayX, run.DelayRipple);
    }
    out.Line("Impulse response h(t)");
    out.Number(static_cast<double>(run.ImpulseT.size()));
    out.Points(run.ImpulseT, run.Impulse);
    return out.Text();
}

std::string FilterListing(const FilterRun& run)
{
    const FilterExample& ex = run.Example;
    const PoleZeroSet& f = run.Filter;
    char buf[200];
    std::string out;
    out += "\n QZ run of " + ex.Stem + ".qz\n";
    out += std::string(ex.PlotType == -2 ? " Tunewave (tm) frequency-domain match: "
                                         : " Tunepulse (tm) time-domain match: ") + ex.Title + "\n";
    std::snprintf(buf, sizeof buf, " %d target points from %g to %g\n\n", ex.Points, ex.X0, ex.X1);
    out += buf;
    std::snprintf(buf, sizeof buf, " Error sum with the INITIATE values: %14.7E\n\n", run.StartErrorSum);
    out += buf;
    out += "  Round  Variable          Value        Error sum\n";
    for (const MatchStep& s : run.Steps) {
        std::snprintf(buf, sizeof buf, "  %5d  %-10s %14.7E  %14.7E\n", s.Round, s.Variable.c_str(), s.Value, s.ErrorSum);
        out += buf;
    }
    out += "\n Poles:\n";
    if (f.HasSigmaPole) {
        std::snprintf(buf, sizeof buf, "   sigma axis   %14.7E\n", f.SigmaPole);
        out += buf;
    }
    for (std::size_t k = 0; k < f.PoleRe.size(); ++k) {
        std::snprintf(buf, sizeof buf, "   pair         %14.7E +- j %14.7E\n", f.PoleRe[k], f.PoleIm[k]);
        out += buf;
    }
    out += " Zeros:\n";
    if (f.HasSigmaZero) {
        std::snprintf(buf, sizeof buf, "   sigma axis   %s%14.7E%s\n", f.SigmaZeroPaired ? "+- " : "",
                      f.SigmaZero, f.SigmaZeroOrder > 0 ? "  (double)" : "");
        out += buf;
    }
    for (double w : f.OmegaZeros) {
        std::snprintf(buf, sizeof buf, "   omega axis   0 +- j %14.7E\n", w);
        out += buf;
    }
    for (int k = 0; k < f.ZeroPairCount + f.ZeroQuadCount; ++k) {
        std::snprintf(buf, sizeof buf, "   %-12s %s%14.7E +- j %14.7E\n", k < f.ZeroPairCount ? "pair" : "quad",
                      k < f.ZeroPairCount ? "" : "+- ", f.ZeroRe[k], f.ZeroIm[k]);
        out += buf;
    }
    std::snprintf(buf, sizeof buf, "   gain         %14.7E\n\n", f.Gain);
    out += buf;
    std::snprintf(buf, sizeof buf, " Error sum (final)            = %14.7E\n", run.ErrorSum);
    out += buf;
    std::snprintf(buf, sizeof buf, " Highest side lobe            = %8.2f dB (from %g to %g)\n", run.WorstSidelobeDb,
                  ex.StopLow, ex.StopHigh);
    out += buf;
    std::snprintf(buf, sizeof buf, " Mean group delay             = %14.7E (0 to %g)\n", run.MeanDelay, ex.PassHigh);
    out += buf;
    std::snprintf(buf, sizeof buf, " Group delay ripple, p-p      = %14.7E\n", run.RipplePeakToPeak);
    out += buf;
    out += "\n End of run.\n";
    return out;
}

}  // namespace demogen
