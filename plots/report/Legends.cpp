// PLACEHOLDER until the run reports land.
#include "plots/report/Legends.h"

namespace plots {

void DrawParameterLegend(PlotContext&) {}
void DrawPoleZeroLegend(PlotContext&) {}

}  // namespace plots
