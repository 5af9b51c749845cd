// The numerical tools the demo generator computes its content with: a classic fourth-order
// Runge-Kutta integrator, a dense linear solver, Levenberg-Marquardt least squares and two
// one-dimensional searches.
#pragma once

#include <functional>
#include <vector>

namespace demogen {

using Vec = std::vector<double>;

// dy/dt = f(t, y), written into dydt (sized like y).
using Rhs = std::function<void(double t, const Vec& y, Vec& dydt)>;

struct Trajectory {
    Vec T;                 // the recorded times
    std::vector<Vec> Y;    // the state at each recorded time
    std::vector<Vec> Dy;   // its derivative there
};

// Integrates from t0 to t1 in `steps` equal RK4 steps and records the state every `every`
// steps, the start included.
Trajectory IntegrateRK4(const Rhs& f, const Vec& y0, double t0, double t1, int steps, int every);

// Solves a x = b by Gaussian elimination with partial pivoting. False when a is singular.
bool SolveLinear(std::vector<Vec> a, Vec b, Vec& x);

// Least squares of a model y = m(t, p) over the points (t, y).
using ModelFn = std::function<double(double t, const Vec& p)>;

struct FitStep {
    int Iteration = 0;
    double SumSquares = 0;
    double Lambda = 0;
    Vec Params;
};

struct FitResult {
    Vec Params;
    double SumSquares = 0;
    std::vector<FitStep> Steps;  // the start (iteration 0) and every accepted step
    bool Converged = false;
};

double SumOfSquares(const ModelFn& m, const Vec& t, const Vec& y, const Vec& p);

// Levenberg-Marquardt with a forward-difference Jacobian; stops when the relative decrease of
// the sum of squares stays below 1E-10 or after maxIterations.
FitResult FitLeastSquares(const ModelFn& m, const Vec& t, const Vec& y, const Vec& start,
                          int maxIterations = 200);

// Minimum of a unimodal function on [a, b] by golden-section search.
double GoldenMinimum(const std::function<double(double)>& f, double a, double b, double tol = 1e-10);

// A root of f on [a, b], where f(a) and f(b) differ in sign, by bisection.
double Bisect(const std::function<double(double)>& f, double a, double b, double tol = 1e-12);

}  // namespace demogen
