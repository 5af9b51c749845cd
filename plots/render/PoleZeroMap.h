// The map of poles, zeros and doublets of the filter-matching runs.
#pragma once

#include "plots/render/DrawContext.h"

namespace plots {

void DrawPoleZeroMap(DrawContext& ctx);
void PlotMarker(DrawContext& ctx, const std::string& text, double omega, double sigma);

}  // namespace plots
