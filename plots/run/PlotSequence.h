// The plot sequence of one data file: from the loaded plot data to the plots "&Next >>" shows,
// in order.
#pragma once

#include "plots/data/PlotData.h"
#include "plots/data/PlotKind.h"

#include <vector>

namespace plots {

// The solution of an ODE run and a two-compartment run's amounts show one plot; curve-fitting
// runs their first plot and the curve against the data; filter-matching runs open with their
// map of poles and zeros and go on through the curve blocks their header announces (side-lobe
// when more than one zero lies on the omega axis, ripple when the group delay was matched, then
// the impulse response, which a frequency run with a matched delay does not show).
std::vector<PlotKind> FilePlotSequence(const PlotData& data);

}  // namespace plots
