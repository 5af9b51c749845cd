// The texts of a plot's title block: the tool's name, the plot title of its kind and the X-axis
// title. What the block states beyond the plot data (the data file's date, whether the run has
// a second data file) comes in as facts gathered by the caller.
#pragma once

#include "plots/data/PlotData.h"
#include "plots/data/PlotKind.h"

#include <string>
#include <vector>

namespace plots {

struct PlotFacts {
    // The date of the run's .plt file in the title's pattern; empty when it is not known.
    std::string FileDate;
    // The first data file of a fitting run is shown while the run's second one exists.
    bool InitialSettings = false;
};

// "Tunewave (tm)", ..., "Fitmora (tm)" with " with Initial Settings" when the facts say so.
std::string ToolName(PlotType plotType, const PlotFacts& facts);

// The plot title of a kind: one centred piece, or three pieces of which the middle one is a line
// sample in the first curve's colour; none on a ripple plot whose data does not call for one.
// Stored is the whole title as the run keeps it ("DATA(----) vs. MODEL").
struct PlotTitleText {
    std::vector<std::string> Parts;
    std::string Stored;
};
PlotTitleText PlotTitleFor(PlotKind kind, const PlotData& data, bool blackAndWhite);

// "Frequency" or "Time".
std::string XAxisTitle(PlotType plotType, PlotKind kind);

}  // namespace plots
