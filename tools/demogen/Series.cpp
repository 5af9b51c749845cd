#include "tools/demogen/Series.h"

#include "tools/demogen/PlotFileText.h"
#include "tools/demogen/Random.h"

#include <cmath>
#include <cstdio>

namespace demogen {

namespace {

std::string Fmt(const char* pattern, double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, pattern, v);
    return buf;
}

std::size_t PerTerm(SeriesKind kind) { return TermParamNames(kind).size(); }

}  // namespace

std::vector<std::string> TermParamNames(SeriesKind kind)
{
    switch (kind) {
    case SeriesKind::Lorentzian: return {"A", "PW50", "t0"};
    case SeriesKind::ModifiedLorentzian: return {"A", "B", "PW50", "t0"};
    case SeriesKind::Exponential: return {"A", "B"};
    case SeriesKind::Power: return {"A"};
    case SeriesKind::Sine: return {"A", "B", "C"};
    case SeriesKind::ExpSine: return {"A", "B", "C", "D"};
    }
    return {};
}

std::string SeriesName(SeriesKind kind)
{
    switch (kind) {
    case SeriesKind::Lorentzian: return "Lorentzian series";
    case SeriesKind::ModifiedLorentzian: return "modified Lorentzian series";
    case SeriesKind::Exponential: return "exponential series";
    case SeriesKind::Power: return "power series";
    case SeriesKind::Sine: return "sine series";
    case SeriesKind::ExpSine: return "exponential times sine series";
    }
    return "";
}

double SeriesValue(SeriesKind kind, double t, const Vec& p)
{
    const std::size_t k = PerTerm(kind);
    const std::size_t terms = (p.size() - 1) / k;
    double total = p[0];
    for (std::size_t i = 0; i < terms; ++i) {
        const double* q = &p[1 + i * k];
        switch (kind) {
        case SeriesKind::Lorentzian: {
            const double x = 2 * (t - q[2]) / q[1];
            total += q[0] / (1 + x * x);
            break;
        }
        case SeriesKind::ModifiedLorentzian: {
            const double x = 2 * (t - q[3]) / q[2];
            total += (q[0] + q[1] * x) / (1 + x * x);
            break;
        }
        case SeriesKind::Exponential: total += q[0] * std::exp(q[1] * t); break;
        case SeriesKind::Power: total += q[0] * std::pow(t, static_cast<double>(i + 1)); break;
        case SeriesKind::Sine: total += q[0] * std::sin(q[1] * t + q[2]); break;
        case SeriesKind::ExpSine:
            total += q[0] * std::sin(q[1] * t + q[2]) * std::exp(q[3] * t);
            break;
        }
    }
    return total;
}

SeriesRun RunSeriesExample(const SeriesExample& ex)
{
    SeriesRun run;
    run.Example = ex;
    Random rng(ex.Seed);
    for (int i = 0; i < ex.Points; ++i) {
        const double t = ex.T0 + (ex.T1 - ex.T0) * i / (ex.Points - 1);
        run.T.push_back(t);
        run.Data.push_back(SeriesValue(ex.Kind, t, ex.Truth) + ex.Noise * rng.Normal());
    }
    const ModelFn model = [kind = ex.Kind](double t, const Vec& p) { return SeriesValue(kind, t, p); };
    run.StartSumSquares = SumOfSquares(model, run.T, run.Data, ex.Start);
    run.Fit = FitLeastSquares(model, run.T, run.Data, ex.Start);
    return run;
}

std::string SeriesPlotFile(const SeriesRun& run, const Vec& params, double sumSquares)
{
    const SeriesExample& ex = run.Example;
    const std::size_t k = PerTerm(ex.Kind);
    PlotFileText f;
    f.Line(ex.Title);
    f.Line(Num(sumSquares));
    f.Line("Fitmora 2.1  " + SeriesName(ex.Kind) + ", " + std::to_string(ex.Terms) + " term(s)");
    f.Numbers({static_cast<double>(ex.Kind), static_cast<double>(ex.Terms),
               static_cast<double>(run.T.size())});
    f.Line(ex.Stem + ".dat");
    f.Line(Num(params[0]));
    for (std::size_t j = 0; j < k; ++j) {
        Vec column;
        for (int i = 0; i < ex.Terms; ++i)
            column.push_back(params[1 + i * k + j]);
        f.Numbers(column);
    }
    // Column 2 is the measurement, column 3 the model's departure from it, so that the two
    // added give the model curve.
    Vec error;
    for (std::size_t i = 0; i < run.T.size(); ++i)
        error.push_back(SeriesValue(ex.Kind, run.T[i], params) - run.Data[i]);
    f.Points(run.T, run.Data, error);
    return f.Text();
}

std::string SeriesDataFile(const SeriesRun& run)
{
    std::string out = "! " + run.Example.Title + ": measured points, t and y\n";
    for (std::size_t i = 0; i < run.T.size(); ++i)
        out += Fmt("%12.6f", run.T[i]) + Fmt("  %14.7E", run.Data[i]) + "\n";
    return out;
}

std::string SeriesListing(const SeriesRun& run)
{
    const SeriesExample& ex = run.Example;
    const std::vector<std::string> names = TermParamNames(ex.Kind);
    std::string out;
    out += "\n QZ run of " + ex.Stem + ".qz\n";
    out += " Fitmora (tm) fit of the " + SeriesName(ex.Kind) + " with " + std::to_string(ex.Terms) +
           " term(s) and an offset y0\n";
    out += " Data file " + ex.Stem + ".dat: " + std::to_string(run.T.size()) + " points, t = " +
           Fmt("%g", ex.T0) + " to " + Fmt("%g", ex.T1) + "\n\n";
    out += " FIND started from the INITIATE values:\n";
    out += "       y0    = " + Fmt("%14.6E", ex.Start[0]) + "\n";
    const std::size_t k = names.size();
    for (int i = 0; i < ex.Terms; ++i)
        for (std::size_t j = 0; j < k; ++j) {
            char label[32];
            std::snprintf(label, sizeof label, "%6s(%d)", names[j].c_str(), i + 1);
            out += std::string(" ") + label + " = " + Fmt("%14.6E", ex.Start[1 + i * k + j]) + "\n";
        }
    out += "\n  Iteration    Sum of squares     Damping\n";
    for (const FitStep& s : run.Fit.Steps) {
        char line[96];
        std::snprintf(line, sizeof line, "  %9d    %14.7E    %9.2E\n", s.Iteration, s.SumSquares, s.Lambda);
        out += line;
    }
    out += run.Fit.Converged ? "\n  Converged: relative change of the sum of squares below 1E-10.\n"
                             : "\n  Stopped at the iteration limit.\n";
    out += "\n Final values:\n";
    out += "       y0    = " + Fmt("%14.6E", run.Fit.Params[0]) + "\n";
    for (int i = 0; i < ex.Terms; ++i)
        for (std::size_t j = 0; j < k; ++j) {
            char label[32];
            std::snprintf(label, sizeof label, "%6s(%d)", names[j].c_str(), i + 1);
            out += std::string(" ") + label + " = " + Fmt("%14.6E", run.Fit.Params[1 + i * k + j]) + "\n";
        }
    const double rms = std::sqrt(run.Fit.SumSquares / static_cast<double>(run.T.size()));
    out += "\n  Sum of squares at start  = " + Fmt("%14.7E", run.StartSumSquares) + "\n";
    out += "  Error sum (final)        = " + Fmt("%14.7E", run.Fit.SumSquares) + "\n";
    out += "  RMS residual             = " + Fmt("%14.7E", rms) + "\n";
    out += "\n End of run.\n";
    return out;
}

}  // namespace demogen
