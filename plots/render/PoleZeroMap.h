// The map of poles, zeros and doublets of the filter-matching runs.
#pragma once

#include "plots/render/PlotContext.h"

namespace plots {

void DrawPoleZeroMap(PlotContext& ctx);
void PlotMarker(PlotContext& ctx, const std::string& text, double omega, double sigma);

}  // namespace plots
