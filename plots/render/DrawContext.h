// Everything the drawing of one plot works from and on, passed explicitly: the plot data and
// the plot's kind, the Setup tab's settings, the facts the title states, the surface, the axis
// state the drawing computes, and the trace text the scaler writes.
#pragma once

#include "plots/data/PlotData.h"
#include "plots/data/PlotKind.h"
#include "plots/render/AxisState.h"
#include "plots/render/DisplaySettings.h"
#include "plots/render/Surface.h"
#include "plots/report/PlotTitle.h"

#include <cstdint>
#include <string>

namespace plots {

struct DrawContext {
    const PlotData& Data;
    PlotKind Kind;
    const DisplaySettings& Settings;
    const PlotFacts& Facts;
    Surface& Canvas;
    AxisState& Axis;
    std::string& Trace;
    // The font made for the turned Y-axis title could not be given back.
    bool FontReleaseFailed = false;

    std::int16_t CurveKind() const { return CurveKindOf(Kind); }
};

}  // namespace plots
