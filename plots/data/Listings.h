// The run's other files shown as they are: the output listing, the source and a picture plot.
#pragma once

#include "plots/render/PlotContext.h"

#include <string>

namespace plots {

void ReadOutputFile(PlotContext& ctx, const std::string& path);
void ReadSourceFile(PlotContext& ctx, const std::string& path);
void ShowPicturePlot(PlotContext& ctx, const std::string& path);

}  // namespace plots
