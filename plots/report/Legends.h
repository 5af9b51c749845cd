// The legends beside the curves, as lines of text at design heights: the fitted parameters of
// the curve-fitting kinds, the side-lobe banner, and the pole and zero list of the
// filter-matching kinds.
#pragma once

#include "plots/data/PlotData.h"

#include <string>
#include <vector>

namespace plots {

struct LegendLine {
    float Y;  // design pixels
    std::string Text;
};

// The parameter lines of the plot type (none for the kinds whose title carries their model).
std::vector<LegendLine> ParameterLegendLines(const PlotData& data);
// The four lines of the side-lobe banner, centred on the surface.
std::vector<LegendLine> SideLobeBannerLines();
// The pole and zero list, from y = 370 upward; a part with nothing to list takes no room.
std::vector<LegendLine> PoleZeroLegendLines(const PlotData& data);

// A tab and a text read as a number in the short scientific form; a text that is not a number
// is shown as it is.
std::string ValueOfText(const std::string& text);

}  // namespace plots
