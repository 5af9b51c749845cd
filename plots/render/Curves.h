// The line-plot driver and curve drawing.
#pragma once

#include "plots/render/PlotContext.h"

namespace plots {

void DrawLinePlot(PlotContext& ctx);
void DrawCurves(PlotContext& ctx);
void DrawCurve(PlotContext& ctx, const Series& curve, Colour colour);

}  // namespace plots
