#include "tools/demogen/Compartments.h"

#include "tools/demogen/PlotFileText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace demogen {

double TotalAmount(const RateConstants& k, double a1, double a2, double t)
{
    const Vec s = k.Sums();
    const double a = s[0], b = s[1], c = s[2], d = s[3];
    // Eigenvalues of [[a b] [c d]]: real for every transfer between the compartments.
    const double tr = a + d, det = a * d - b * c;
    const double root = std::sqrt(std::max(0.0, tr * tr / 4 - det));
    const double l1 = tr / 2 + root, l2 = tr / 2 - root;
    double m11, m12, m21, m22;
    if (root < 1e-14) {
        // Repeated eigenvalue: exp(Mt) = exp(l t) (I + (M - l I) t).
        const double e = std::exp(l1 * t);
        m11 = e * (1 + (a - l1) * t);
        m12 = e * b * t;
        m21 = e * c * t;
        m22 = e * (1 + (d - l1) * t);
    } else {
        const double e1 = std::exp(l1 * t), e2 = std::exp(l2 * t);
        const double w = l1 - l2;
        m11 = (e1 * (a - l2) - e2 * (a - l1)) / w;
        m12 = (e1 - e2) * b / w;
        m21 = (e1 - e2) * c / w;
        m22 = (e1 * (d - l2) - e2 * (d - l1)) / w;
    }
    return (m11 + m21) * a1 + (m12 + m22) * a2;
}

double HalfLife(const RateConstants& k, double a1, double a2)
{
    const double half = (a1 + a2) / 2;
    double hi = 1;
    while (TotalAmount(k, a1, a2, hi) > half && hi < 1e9)
        hi *= 2;
    return Bisect([&](double t) { return TotalAmount(k, a1, a2, t) - half; }, 0, hi, 1e-12);
}

DosingRun RunDosingExample(const DosingExample& ex)
{
    DosingRun run;
    run.Example = ex;
    run.Rates = ex.Rates;
    if (ex.TargetDT50 > 0) {
        // The half-life falls as the elimination rate grows: bisect on k10.
        double lo = 1e-4, hi = 10;
        for (int i = 0; i < 60; ++i) {
            const double mid = std::sqrt(lo * hi);
            RateConstants k = ex.Rates;
            k.K10 = mid;
            const double dt50 = HalfLife(k, ex.A1, ex.A2);
            run.Search.push_back({mid, dt50});
            if (dt50 > ex.TargetDT50)
                lo = mid;
            else
                hi = mid;
            if (std::fabs(dt50 - ex.TargetDT50) < 1e-9 * ex.TargetDT50)
                break;
        }
        run.Rates.K10 = run.Search.back().K10;
    }
    run.DT50 = HalfLife(run.Rates, ex.A1, ex.A2);
    const Vec s = run.Rates.Sums();
    const Rhs f = [s](double, const Vec& y, Vec& dy) {
        dy[0] = s[0] * y[0] + s[1] * y[1];
        dy[1] = s[2] * y[0] + s[3] * y[1];
    };
    const int every = 10;
    run.Path = IntegrateRK4(f, {ex.A1, ex.A2}, 0, ex.T1, (ex.Points - 1) * every, every);
    return run;
}

std::string DosingPlotFile(const DosingRun& run)
{
    const DosingExample& ex = run.Example;
    PlotFileText f;
    f.Line(ex.Title);
    // The error sum of a dosing run: how far the half-life is from the wanted one.
    f.Line(Num(ex.TargetDT50 > 0 ? std::fabs(run.DT50 - ex.TargetDT50) : 0.0));
    f.Line("Dosivo 1.2  two-compartment rate equations");
    f.Numbers({110, 4, static_cast<double>(run.Path.T.size())});
    f.Line("k12, k21, k10, k20 = " + Num(run.Rates.K12) + ", " + Num(run.Rates.K21) + ", " +
           Num(run.Rates.K10) + ", " + Num(run.Rates.K20));
    f.Numbers(run.Rates.Sums());
    f.Numbers({ex.A1, ex.A2, run.DT50});
    Vec a1, a2;
    for (const Vec& y : run.Path.Y) {
        a1.push_back(y[0]);
        a2.push_back(y[1]);
    }
    f.Points(run.Path.T, a1, a2);
    return f.Text();
}

std::string DosingListing(const DosingRun& run)
{
    const DosingExample& ex = run.Example;
    char buf[200];
    std::string out;
    out += "\n QZ run of " + ex.Stem + ".qz\n";
    out += " Dosivo (tm) two-compartment model: " + ex.Title + "\n\n";
    std::snprintf(buf, sizeof buf, " Dose: A1(0) = %g, A2(0) = %g\n", ex.A1, ex.A2);
    out += buf;
    std::snprintf(buf, sizeof buf, " Transfer rates: k12 = %g /h, k21 = %g /h; elimination k20 = %g /h\n",
                  ex.Rates.K12, ex.Rates.K21, ex.Rates.K20);
    out += buf;
    if (ex.TargetDT50 > 0) {
        std::snprintf(buf, sizeof buf, "\n FIND k10 such that DT50 = %g h (bisection on a log scale)\n\n", ex.TargetDT50);
        out += buf;
        out += "   Step            k10           DT50\n";
        int step = 0;
        for (const BisectionStep& s : run.Search) {
            std::snprintf(buf, sizeof buf, "   %4d  %14.8E  %14.8E\n", ++step, s.K10, s.DT50);
            out += buf;
        }
    } else {
        std::snprintf(buf, sizeof buf, " Elimination k10 = %g /h\n", ex.Rates.K10);
        out += buf;
    }
    const Vec s = run.Rates.Sums();
    out += "\n Rate sums:\n";
    std::snprintf(buf, sizeof buf, "   A1k_Sum = %14.8E   A2k_Sum = %14.8E\n", s[0], s[1]);
    out += buf;
    std::snprintf(buf, sizeof buf, "   A3k_Sum = %14.8E   A4k_Sum = %14.8E\n", s[2], s[3]);
    out += buf;
    std::snprintf(buf, sizeof buf, "\n Resulting k10 = %.8g /h\n DT50 = %.8g h\n", run.Rates.K10, run.DT50);
    out += buf;
    out += "\n       t (h)             A1             A2          Total\n";
    const std::size_t stride = std::max<std::size_t>(1, (run.Path.T.size() - 1) / 24);
    for (std::size_t i = 0; i < run.Path.T.size(); i += stride) {
        const Vec& y = run.Path.Y[i];
        std::snprintf(buf, sizeof buf, "  %10.3f %14.6E %14.6E %14.6E\n", run.Path.T[i], y[0], y[1], y[0] + y[1]);
        out += buf;
    }
    out += "\n End of run.\n";
    return out;
}

}  // namespace demogen
