// The line-plot driver and curve drawing.
#pragma once

#include "plots/render/DrawContext.h"

namespace plots {

// Fills the curve arrays for the plot's kind from the plot data, as the plot sequence left it.
void FillCurves(DrawContext& ctx);
void DrawLinePlot(DrawContext& ctx);
void DrawCurves(DrawContext& ctx);
void DrawCurve(DrawContext& ctx, const Series& curve, Colour colour);

}  // namespace plots
