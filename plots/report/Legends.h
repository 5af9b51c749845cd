// The legends beside the curves: fitted parameters, the side-lobe banner, poles and zeros.
#pragma once

#include "plots/render/PlotContext.h"

namespace plots {

void DrawParameterLegend(PlotContext& ctx);
void DrawPoleZeroLegend(PlotContext& ctx);

}  // namespace plots
