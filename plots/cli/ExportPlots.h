// The rendering loop of the export command: the plots drawn for a freshly read plot file.
#pragma once

#include "plots/render/PlotContext.h"

#include <functional>

namespace plots {

// Sets up the curve arrays as the plot sequence does for its first line plot and draws, in
// order, the pole-zero map (for the pole-zero kinds) and the first line plot; `onPlot` is
// called after each, while the surface holds it.
void RenderFirstPlots(PlotContext& ctx, const std::function<void()>& onPlot);

}  // namespace plots
