#include "tools/demogen/PoleZero.h"

#include <algorithm>
#include <cmath>

namespace demogen {

namespace {

constexpr double Pi = 3.14159265358979323846;

// Splits roots into the stored form: a real root becomes the sigma-axis pole, roots above the
// axis become pairs (sorted by imaginary part), roots below are their mirror and dropped.
PoleZeroSet FromRoots(const std::vector<Complex>& roots)
{
    PoleZeroSet f;
    std::vector<Complex> upper;
    for (const Complex& r : roots) {
        if (std::fabs(r.imag()) < 1e-9) {
            f.HasSigmaPole = true;
            f.SigmaPole = r.real();
        } else if (r.imag() > 0) {
            upper.push_back(r);
        }
    }
    std::sort(upper.begin(), upper.end(), [](Complex a, Complex b) { return a.imag() < b.imag(); });
    for (const Complex& r : upper) {
        f.PoleRe.push_back(r.real());
        f.PoleIm.push_back(r.imag());
    }
    return f;
}

}  // namespace

std::vector<Complex> PoleZeroSet::Poles() const
{
    std::vector<Complex> p;
    if (HasSigmaPole)
        p.emplace_back(SigmaPole, 0);
    for (std::size_t k = 0; k < PoleRe.size(); ++k) {
        p.emplace_back(PoleRe[k], PoleIm[k]);
        p.emplace_back(PoleRe[k], -PoleIm[k]);
    }
    return p;
}

std::vector<Complex> PoleZeroSet::Zeros() const
{
    std::vector<Complex> z;
    if (HasSigmaZero) {
        const int multiplicity = SigmaZeroOrder > 0 ? 2 : 1;
        for (int m = 0; m < multiplicity; ++m) {
            z.emplace_back(SigmaZero, 0);
            if (SigmaZeroPaired)
                z.emplace_back(-SigmaZero, 0);
        }
    }
    for (double w : OmegaZeros) {
        z.emplace_back(0, w);
        z.emplace_back(0, -w);
    }
    for (int k = 0; k < ZeroPairCount + ZeroQuadCount; ++k) {
        const double a = ZeroRe[k], b = ZeroIm[k];
        z.emplace_back(a, b);
        z.emplace_back(a, -b);
        if (k >= ZeroPairCount) {
            z.emplace_back(-a, b);
            z.emplace_back(-a, -b);
        }
    }
    return z;
}

PoleZeroSet PoleZeroSet::Scaled(double a) const
{
    PoleZeroSet s = *this;
    s.SigmaPole *= a;
    s.SigmaZero *= a;
    for (double& v : s.PoleRe) v *= a;
    for (double& v : s.PoleIm) v *= a;
    for (double& v : s.OmegaZeros) v *= a;
    for (double& v : s.ZeroRe) v *= a;
    for (double& v : s.ZeroIm) v *= a;
    return s;
}

Complex Response(const PoleZeroSet& f, Complex s)
{
    Complex h(f.Gain, 0);
    for (const Complex& z : f.Zeros())
        h *= s - z;
    for (const Complex& p : f.Poles())
        h /= s - p;
    return h;
}

double GroupDelay(const PoleZeroSet& f, double w)
{
    auto term = [w](const Complex& r) {
        const double a = r.real(), b = r.imag();
        const double d = a * a + (w - b) * (w - b);
        return d > 0 ? -a / d : 0.0;
    };
    double tau = 0;
    for (const Complex& p : f.Poles())
        tau += term(p);
    for (const Complex& z : f.Zeros())
        tau -= term(z);
    return tau;
}

double ImpulseResponse(const PoleZeroSet& f, double t)
{
    const std::vector<Complex> poles = f.Poles();
    const std::vector<Complex> zeros = f.Zeros();
    Complex h(0, 0);
    for (std::size_t k = 0; k < poles.size(); ++k) {
        Complex residue(f.Gain, 0);
        for (const Complex& z : zeros)
            residue *= poles[k] - z;
        for (std::size_t j = 0; j < poles.size(); ++j)
            if (j != k)
                residue /= poles[k] - poles[j];
        h += residue * std::exp(poles[k] * t);
    }
    return h.real();
}

std::vector<Complex> PolynomialRoots(const Vec& c)
{
    const std::size_t n = c.size() - 1;
    std::vector<Complex> monic(c.size());
    for (std::size_t k = 0; k <= n; ++k)
        monic[k] = c[k] / c[n];
    auto eval = [&](Complex s) {
        Complex v(0, 0);
        for (std::size_t k = n + 1; k-- > 0;)
            v = v * s + monic[k];
        return v;
    };
    // Start on a spiral that avoids symmetric positions, then refine all roots together.
    const double radius = std::pow(std::abs(monic[0]), 1.0 / static_cast<double>(n));
    std::vector<Complex> r(n);
    for (std::size_t k = 0; k < n; ++k)
        r[k] = radius * std::pow(Complex(0.4, 0.9), static_cast<double>(k));
    for (int iter = 0; iter < 2000; ++iter) {
        double change = 0;
        for (std::size_t k = 0; k < n; ++k) {
            Complex denominator(1, 0);
            for (std::size_t j = 0; j < n; ++j)
                if (j != k)
                    denominator *= r[k] - r[j];
            const Complex step = eval(r[k]) / denominator;
            r[k] -= step;
            change = std::max(change, std::abs(step));
        }
        if (change < 1e-15 * radius)
            break;
    }
    return r;
}

PoleZeroSet BesselPoles(int order)
{
    // Reverse Bessel polynomial: a_k = (2n - k)! / (2^(n - k) k! (n - k)!).
    Vec c(static_cast<std::size_t>(order) + 1);
    for (int k = 0; k <= order; ++k)
        c[static_cast<std::size_t>(k)] = std::exp(std::lgamma(2.0 * order - k + 1) - (order - k) * std::log(2.0) -
                                                  std::lgamma(k + 1.0) - std::lgamma(order - k + 1.0));
    PoleZeroSet f = FromRoots(PolynomialRoots(c));
    // Gain for H(0) = 1.
    f.Gain = 1.0 / std::abs(Response(f, Complex(0, 0)));
    return f;
}

PoleZeroSet ChebyshevPoles(int order, double rippleDb)
{
    const double eps = std::sqrt(std::pow(10.0, rippleDb / 10) - 1);
    const double v = std::asinh(1 / eps) / order;
    std::vector<Complex> roots;
    for (int k = 1; k <= order; ++k) {
        const double theta = (2.0 * k - 1) * Pi / (2.0 * order);
        roots.emplace_back(-std::sinh(v) * std::sin(theta), std::cosh(v) * std::cos(theta));
    }
    PoleZeroSet f = FromRoots(roots);
    f.Gain = 1.0 / std::abs(Response(f, Complex(0, 0)));
    return f;
}

}  // namespace demogen
