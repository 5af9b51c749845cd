// The two-compartment dosing model: amounts A1 (central) and A2 (peripheral) under
//   dA1/dt = A1k_Sum * A1 + A2k_Sum * A2,   dA2/dt = A3k_Sum * A1 + A4k_Sum * A2,
// with the rate sums made of transfer rates k12, k21 and elimination rates k10, k20. DT50 is
// the time at which the total amount has fallen to half of the dose.
#pragma once

#include "tools/demogen/Numerics.h"

#include <string>
#include <vector>

namespace demogen {

struct RateConstants {
    double K12 = 0, K21 = 0, K10 = 0, K20 = 0;
    // The four rate sums in the order the equations use them.
    Vec Sums() const { return {-(K12 + K10), K21, K12, -(K21 + K20)}; }
};

// Total amount A1 + A2 at time t from the closed-form solution.
double TotalAmount(const RateConstants& k, double a1, double a2, double t);
// Time at which the total amount is half of a1 + a2.
double HalfLife(const RateConstants& k, double a1, double a2);

struct DosingExample {
    std::string Stem;
    std::string Title;
    RateConstants Rates;        // K10 is the unknown when TargetDT50 > 0
    double A1 = 100, A2 = 0;    // amounts at t = 0
    double TargetDT50 = 0;      // the wanted half-life; 0 when the rates are given
    double T1 = 24;
    int Points = 241;
};

struct BisectionStep {
    double K10, DT50;
};

struct DosingRun {
    DosingExample Example;
    RateConstants Rates;  // as used, K10 solved for when asked
    double DT50 = 0;
    std::vector<BisectionStep> Search;
    Trajectory Path;
};

DosingRun RunDosingExample(const DosingExample& ex);
std::string DosingPlotFile(const DosingRun& run);
std::string DosingListing(const DosingRun& run);

}  // namespace demogen
