// The kinds of plot a run shows, in the words of the plot sequence. Drawing one plot is a
// function of the plot data and its kind; titles, curves and legends follow from the kind.
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

// The number the drawing knows a plot by: 1 first line plot (and the map), 2 curve versus data,
// 3 side-lobe, 4 ripple, 5 impulse response; 0 for a picture.
std::int16_t CurveKindOf(PlotKind kind);
// "pole-zero map", "first line plot", ...
const char* PlotKindName(PlotKind kind);

// The filter-matching kinds (poles and zeros) and the curve-fitting kinds of the plot type.
inline bool IsPoleZeroType(int plotType) { return plotType == -1 || plotType == -2; }
inline bool IsFittingType(int plotType) { return plotType >= 1 && plotType <= 8; }

}  // namespace plots
