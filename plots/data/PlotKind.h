// The kinds of plot a run shows, in the words of the plot sequence, and the plot types a plot
// data file's header names. Drawing one plot is a function of the plot data and its kind;
// titles, curves and legends follow from the kind and the file's plot type.
#pragma once

#include <cstdint>

namespace plots {

enum class PlotKind {
    PoleZeroMap,       // poles, zeros and doublets of a filter-matching run
    FirstLinePlot,     // the run's first line plot (error, solution and derivative, amounts)
    CurveVersusData,   // the fitted or matched curve against the data
    SideLobe,          // side-lobe ripple (a curve block of the data file)
    GroupDelayRipple,  // group-delay ripple (a curve block)
    ImpulseResponse,   // impulse response h(t) (a curve block)
    Picture,           // a finished plot kept as a picture
};

// "pole-zero map", "first line plot", ...
const char* PlotKindName(PlotKind kind);

// The tool that wrote a plot data file and the model it holds, by the code in the file's
// header. Any other code is accepted and kept: such a file is a curve-fitting run without a
// model section.
enum class PlotType : std::int16_t {
    PoleZeroFrequency = -2,       // frequency-domain matching: poles and zeros
    PoleZeroTime = -1,            // time-domain matching: poles and zeros
    Ode = 0,                      // an ODE and its solution
    LorentzianSeries = 1,         // curve fitting, each model a series of terms
    ModifiedLorentzianSeries = 2,
    ExponentialSeries = 3,
    PowerSeries = 4,
    SineSeries = 5,
    ExponentialSineSeries = 6,
    LastFitting = 8,              // curve fitting goes up to here; 7 and 8 carry no model
    TwoCompartment = 110,         // two coupled rate equations (pharmacokinetics)
};

// The plot type of a header's code, and back; the reader converts once, where it parses.
constexpr PlotType PlotTypeOfCode(std::int16_t code) { return static_cast<PlotType>(code); }
constexpr std::int16_t CodeOf(PlotType type) { return static_cast<std::int16_t>(type); }

// The filter-matching types (poles and zeros) and the curve-fitting types.
constexpr bool IsPoleZeroType(PlotType type) { return type == PlotType::PoleZeroTime || type == PlotType::PoleZeroFrequency; }
constexpr bool IsFittingType(PlotType type) { return type >= PlotType::LorentzianSeries && type <= PlotType::LastFitting; }

}  // namespace plots
