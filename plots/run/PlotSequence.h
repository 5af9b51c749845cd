// The plot sequence of one data file: from the loaded plot data to the plots "&Next >>" shows,
// in order, and the curve blocks the file's header announces after its data points.
#pragma once

#include "plots/data/PlotData.h"
#include "plots/data/PlotKind.h"

#include <vector>

namespace plots {

// The curve blocks a filter-matching file holds after its data points, in the order they are
// written and read: side-lobe when more than one zero lies on the omega axis, ripple when the
// group delay was matched, then always the impulse response. None for the other runs.
std::vector<PlotKind> CurveBlocksOf(const PlotData& data);

// The solution of an ODE run and a two-compartment run's amounts show one plot; curve-fitting
// runs their first plot and the curve against the data; filter-matching runs open with their
// map of poles and zeros and go on through the curve blocks their header announces (the
// impulse response is not shown by a frequency run with a matched delay).
std::vector<PlotKind> FilePlotSequence(const PlotData& data);

// True for the plots drawn from a curve block of their own.
bool IsCurveBlock(PlotKind kind);

// The fatal warning for a curve block that yields no point ("==Warning== No h(t) data in file").
const char* EmptyBlockWarning(PlotKind kind);

}  // namespace plots
