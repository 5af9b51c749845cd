#include "tools/demogen/OdeRun.h"

#include "tools/demogen/PlotFileText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace demogen {

OdeRun RunOdeExample(const OdeExample& ex)
{
    OdeRun run;
    run.Example = ex;
    run.Path = IntegrateRK4(ex.F, ex.Y0, ex.T0, ex.T1, ex.Steps, ex.Every);
    // The same run with half the step: the difference estimates the integration error.
    const Trajectory fine = IntegrateRK4(ex.F, ex.Y0, ex.T0, ex.T1, 2 * ex.Steps, 2 * ex.Every);
    for (std::size_t i = 0; i < run.Path.T.size() && i < fine.T.size(); ++i)
        run.ErrorEstimate =
            std::max(run.ErrorEstimate, std::fabs(run.Path.Y[i][ex.Shown] - fine.Y[i][ex.Shown]));
    return run;
}

std::string OdePlotFile(const OdeRun& run)
{
    const OdeExample& ex = run.Example;
    PlotFileText f;
    f.Line(ex.Title);
    f.Line(Num(run.ErrorEstimate));
    f.Line("Derivex 1.6  RK4, " + std::to_string(ex.Steps) + " steps");
    f.Numbers({0.0, static_cast<double>(ex.Params.size()), static_cast<double>(run.Path.T.size())});
    f.Line(ex.OdeText);
    f.Numbers(ex.Params);
    Vec y, dy;
    for (std::size_t i = 0; i < run.Path.T.size(); ++i) {
        y.push_back(run.Path.Y[i][ex.Shown]);
        dy.push_back(run.Path.Dy[i][ex.Shown]);
    }
    f.Points(run.Path.T, y, dy);
    return f.Text();
}

std::string OdeListing(const OdeRun& run)
{
    const OdeExample& ex = run.Example;
    char buf[256];
    std::string out;
    out += "\n QZ run of " + ex.Stem + ".qz\n";
    out += " Derivex (tm) initial value problem: " + ex.Title + "\n";
    out += " ODE: " + ex.OdeText + "\n\n";
    out += " Parameters:\n";
    for (std::size_t i = 0; i < ex.Params.size(); ++i) {
        std::snprintf(buf, sizeof buf, "   %-8s = %14.6E\n", ex.ParamNames[i].c_str(), ex.Params[i]);
        out += buf;
    }
    std::snprintf(buf, sizeof buf, "\n Integration: Runge-Kutta 4th order, t = %g to %g, %d steps of %g\n",
                  ex.T0, ex.T1, ex.Steps, (ex.T1 - ex.T0) / ex.Steps);
    out += buf;
    out += "\n          t";
    for (const std::string& name : ex.StateNames) {
        std::snprintf(buf, sizeof buf, " %14s", name.c_str());
        out += buf;
    }
    out += "\n";
    const std::size_t n = run.Path.T.size();
    const std::size_t stride = std::max<std::size_t>(1, (n - 1) / 20);
    for (std::size_t i = 0; i < n; i += stride) {
        std::snprintf(buf, sizeof buf, " %10.4f", run.Path.T[i]);
        out += buf;
        for (double v : run.Path.Y[i]) {
            std::snprintf(buf, sizeof buf, " %14.6E", v);
            out += buf;
        }
        out += "\n";
    }
    std::snprintf(buf, sizeof buf,
                  "\n Step-halving error estimate for %s: %12.4E\n",
                  ex.StateNames[ex.Shown].c_str(), run.ErrorEstimate);
    out += buf;
    out += " Final state:\n";
    for (std::size_t k = 0; k < ex.StateNames.size(); ++k) {
        std::snprintf(buf, sizeof buf, "   %-8s = %14.6E\n", ex.StateNames[k].c_str(), run.Path.Y.back()[k]);
        out += buf;
    }
    out += "\n End of run.\n";
    return out;
}

}  // namespace demogen
