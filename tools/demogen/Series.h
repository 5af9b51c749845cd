// The curve-fitting tool's model series and a complete fitting run: noisy measurements drawn
// around a known curve, a least-squares fit from the example's starting values, and the files
// the run leaves (data, plot data, output listing).
#pragma once

#include "tools/demogen/Numerics.h"

#include <cstdint>
#include <string>
#include <vector>

namespace demogen {

enum class SeriesKind : int {
    Lorentzian = 1,
    ModifiedLorentzian = 2,
    Exponential = 3,
    Power = 4,
    Sine = 5,
    ExpSine = 6,
};

// Parameters of one term, in the order the plot data file lists them.
std::vector<std::string> TermParamNames(SeriesKind kind);
// The parameter vector is {y0, term 1's parameters, term 2's parameters, ...}.
double SeriesValue(SeriesKind kind, double t, const Vec& p);
std::string SeriesName(SeriesKind kind);

struct SeriesExample {
    std::string Stem;       // file stem of the example ("EasyFit")
    std::string Title;      // the name the fit is saved under
    SeriesKind Kind = SeriesKind::Lorentzian;
    int Terms = 1;
    Vec Truth;              // the curve the measurements scatter around
    Vec Start;              // the example's starting values
    double T0 = 0, T1 = 1;  // measured interval
    int Points = 101;
    double Noise = 0.01;    // standard deviation of the measurement noise
    std::uint64_t Seed = 1;
    bool SecondFile = false;  // .plt holds the initial settings, .2lt the fitted curve
};

struct SeriesRun {
    SeriesExample Example;
    Vec T, Data;
    FitResult Fit;
    double StartSumSquares = 0;
};

SeriesRun RunSeriesExample(const SeriesExample& ex);

// The plot data file of the run for the given parameters and error sum.
std::string SeriesPlotFile(const SeriesRun& run, const Vec& params, double sumSquares);
// The measured data as the source's data file.
std::string SeriesDataFile(const SeriesRun& run);
// The output listing of the run.
std::string SeriesListing(const SeriesRun& run);

}  // namespace demogen
