// The map of poles, zeros and doublets of the filter-matching runs.
#pragma once

#include "plots/render/DrawContext.h"

#include <string>
#include <vector>

namespace plots {

// A marker of the map: "X" a pole, "O" a zero, "dO" a doublet, at (omega, sigma) in data units.
struct MapMarker {
    std::string Text;
    double Omega, Sigma;
};
// Every marker of the map, in drawing order.
std::vector<MapMarker> MapMarkers(const PlotData& d);

void DrawPoleZeroMap(DrawContext& ctx);
void PlotMarker(DrawContext& ctx, const std::string& text, double omega, double sigma);

}  // namespace plots
