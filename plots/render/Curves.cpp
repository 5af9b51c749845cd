// PLACEHOLDER until the rendering work lands.
#include "plots/render/Curves.h"

namespace plots {

void DrawLinePlot(PlotContext& ctx) { ctx.Canvas.Clear(); }
void DrawCurves(PlotContext&) {}
void DrawCurve(PlotContext&, const Series&, Colour) {}

}  // namespace plots
