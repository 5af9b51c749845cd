// Axis ranges, powers of ten and the curve arrays of the plot being drawn.
#pragma once

#include "plots/data/PlotData.h"

#include <cstdint>
#include <string>

namespace plots {

struct AxisState {
    double Xmin = 0, Xmax = 0, Ymin = 0, Ymax = 0;
    std::int16_t XExponent = 0, YExponent = 0;
    double XPower = 1, YPower = 1;  // 10^exponent, for placing pole-zero markers
    Series CurveX, CurveY1, CurveY2, CurveY3;
    std::string PlotTitle;
    float ScreenXFactor = 1.6f, ScreenYFactor = 1.6f;
};

}  // namespace plots
