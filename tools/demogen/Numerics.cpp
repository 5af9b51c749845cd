#include "tools/demogen/Numerics.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace demogen {

namespace {

Vec Axpy(const Vec& y, double h, const Vec& k)
{
    Vec out(y.size());
    for (std::size_t i = 0; i < y.size(); ++i)
        out[i] = y[i] + h * k[i];
    return out;
}

}  // namespace

Trajectory IntegrateRK4(const Rhs& f, const Vec& y0, double t0, double t1, int steps, int every)
{
    Trajectory out;
    const double h = (t1 - t0) / steps;
    Vec y = y0;
    Vec k1(y.size()), k2(y.size()), k3(y.size()), k4(y.size());
    auto record = [&](double t) {
        Vec dy(y.size());
        f(t, y, dy);
        out.T.push_back(t);
        out.Y.push_back(y);
        out.Dy.push_back(dy);
    };
    record(t0);
    for (int n = 1; n <= steps; ++n) {
        const double t = t0 + (n - 1) * h;
        f(t, y, k1);
        f(t + h / 2, Axpy(y, h / 2, k1), k2);
        f(t + h / 2, Axpy(y, h / 2, k2), k3);
        f(t + h, Axpy(y, h, k3), k4);
        for (std::size_t i = 0; i < y.size(); ++i)
            y[i] += h / 6 * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]);
        if (n % every == 0)
            record(t0 + n * h);
    }
    return out;
}

bool SolveLinear(std::vector<Vec> a, Vec b, Vec& x)
{
    const std::size_t n = b.size();
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < n; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col]))
                pivot = r;
        if (std::fabs(a[pivot][col]) < 1e-300)
            return false;
        std::swap(a[pivot], a[col]);
        std::swap(b[pivot], b[col]);
        for (std::size_t r = col + 1; r < n; ++r) {
            const double factor = a[r][col] / a[col][col];
            for (std::size_t c = col; c < n; ++c)
                a[r][c] -= factor * a[col][c];
            b[r] -= factor * b[col];
        }
    }
    x.assign(n, 0.0);
    for (std::size_t i = n; i-- > 0;) {
        double s = b[i];
        for (std::size_t c = i + 1; c < n; ++c)
            s -= a[i][c] * x[c];
        x[i] = s / a[i][i];
    }
    return true;
}

double SumOfSquares(const ModelFn& m, const Vec& t, const Vec& y, const Vec& p)
{
    double s = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const double r = m(t[i], p) - y[i];
        s += r * r;
    }
    return s;
}

FitResult FitLeastSquares(const ModelFn& m, const Vec& t, const Vec& y, const Vec& start,
                          int maxIterations)
{
    const std::size_t np = start.size();
    FitResult out;
    Vec p = start;
    double sse = SumOfSquares(m, t, y, p);
    double lambda = 1e-3;
    out.Steps.push_back({0, sse, lambda, p});
    for (int iter = 1; iter <= maxIterations; ++iter) {
        // Jacobian of the residuals by forward differences.
        std::vector<Vec> jac(t.size(), Vec(np));
        Vec residual(t.size());
        for (std::size_t i = 0; i < t.size(); ++i)
            residual[i] = m(t[i], p) - y[i];
        for (std::size_t k = 0; k < np; ++k) {
            Vec q = p;
            const double h = 1e-7 * std::max(1.0, std::fabs(p[k]));
            q[k] += h;
            for (std::size_t i = 0; i < t.size(); ++i)
                jac[i][k] = (m(t[i], q) - y[i] - residual[i]) / h;
        }
        std::vector<Vec> jtj(np, Vec(np, 0.0));
        Vec jtr(np, 0.0);
        for (std::size_t i = 0; i < t.size(); ++i)
            for (std::size_t a = 0; a < np; ++a) {
                jtr[a] -= jac[i][a] * residual[i];
                for (std::size_t b = 0; b < np; ++b)
                    jtj[a][b] += jac[i][a] * jac[i][b];
            }
        bool accepted = false;
        for (int attempt = 0; attempt < 30 && !accepted; ++attempt) {
            std::vector<Vec> damped = jtj;
            for (std::size_t a = 0; a < np; ++a)
                damped[a][a] += lambda * (jtj[a][a] > 0 ? jtj[a][a] : 1.0);
            Vec delta;
            if (SolveLinear(damped, jtr, delta)) {
                Vec trial = p;
                for (std::size_t a = 0; a < np; ++a)
                    trial[a] += delta[a];
                const double trialSse = SumOfSquares(m, t, y, trial);
                if (std::isfinite(trialSse) && trialSse < sse) {
                    const double decrease = (sse - trialSse) / std::max(sse, 1e-300);
                    p = trial;
                    sse = trialSse;
                    lambda = std::max(lambda / 10, 1e-12);
                    out.Steps.push_back({iter, sse, lambda, p});
                    accepted = true;
                    if (decrease < 1e-10) {
                        out.Converged = true;
                        out.Params = p;
                        out.SumSquares = sse;
                        return out;
                    }
                    break;
                }
            }
            lambda *= 10;
        }
        if (!accepted) {
            // No step lowers the sum any more: the minimum is reached within rounding.
            out.Converged = true;
            break;
        }
    }
    out.Params = p;
    out.SumSquares = sse;
    return out;
}

double GoldenMinimum(const std::function<double(double)>& f, double a, double b, double tol)
{
    const double g = (std::sqrt(5.0) - 1) / 2;
    double c = b - g * (b - a), d = a + g * (b - a);
    double fc = f(c), fd = f(d);
    while (b - a > tol * (1 + std::fabs(a) + std::fabs(b))) {
        if (fc < fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - g * (b - a);
            fc = f(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + g * (b - a);
            fd = f(d);
        }
    }
    return (a + b) / 2;
}

double Bisect(const std::function<double(double)>& f, double a, double b, double tol)
{
    double fa = f(a);
    for (int i = 0; i < 200 && b - a > tol; ++i) {
        const double m = (a + b) / 2;
        const double fm = f(m);
        if ((fm < 0) == (fa < 0)) {
            a = m;
            fa = fm;
        } else {
            b = m;
        }
    }
    return (a + b) / 2;
}

}  // namespace demogen
