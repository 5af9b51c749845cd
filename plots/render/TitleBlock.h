// The title block and legends of every plot, drawn in design pixels: the run's title line, the
// data file's date, the tool's name and its model line, then the parameter legend, the
// side-lobe banner or the pole-zero list.
#pragma once

#include "plots/render/DrawContext.h"

#include <string>

namespace plots {

void DrawPlotTitle(DrawContext& ctx);
void DrawParameterLegend(DrawContext& ctx);
void DrawPoleZeroLegend(DrawContext& ctx);
// Prints the text at design height y, its right end 5 units from the surface's right edge.
void PrintRightAligned(DrawContext& ctx, const std::string& text, float y);

}  // namespace plots
