// A matching run of the two filter tools: a pole-zero filter whose shape variables and gain
// are chosen so that its magnitude (frequency matching, plot type -2) or its impulse response
// (time matching, plot type -1) follows a target. The side-lobe, group-delay ripple and
// impulse-response curves of the plot file are computed from the resulting poles and zeros.
#pragma once

#include "tools/demogen/PoleZero.h"

#include <functional>
#include <string>
#include <vector>

namespace demogen {

struct FilterExample {
    std::string Stem;
    std::string Title;
    int PlotType = -2;  // -2 frequency matching, -1 time matching
    std::function<PoleZeroSet(const Vec& vars)> Build;  // the filter for the variables, gain 1
    std::vector<std::string> VarNames;
    Vec Start, Lower, Upper;
    int Rounds = 4;
    std::function<double(double)> Target;
    double X0 = 0, X1 = 1;
    int Points = 161;
    double StopLow = 1, StopHigh = 4;  // band of the side-lobe curve
    double PassHigh = 0.7;             // band of the group-delay ripple, from 0
    bool DelayMatched = true;
    double ImpulseEnd = 20;            // h(t) is shown from 0 to here
};

struct MatchStep {
    int Round;
    std::string Variable;
    double Value, ErrorSum;
};

struct FilterRun {
    FilterExample Example;
    Vec Vars;
    PoleZeroSet Filter;  // with the fitted gain
    double ErrorSum = 0;
    double StartErrorSum = 0;
    std::vector<MatchStep> Steps;
    Vec X, Model, Target;
    Vec LobeX, LobeDb, DelayX, DelayRipple, ImpulseT, Impulse;
    double MeanDelay = 0, RipplePeakToPeak = 0, WorstSidelobeDb = 0;
};

// The filter's curve at x: magnitude at jx for plot type -2, h(x) for -1.
double FilterCurve(const PoleZeroSet& f, int plotType, double x);
FilterRun RunFilterExample(const FilterExample& ex);
std::string FilterPlotFile(const FilterRun& run);
std::string FilterListing(const FilterRun& run);

}  // namespace demogen
