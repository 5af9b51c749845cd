// Everything one plot is drawn from, passed explicitly to the drawing code: the plot data, the
// run state, the axis state, the Setup tab's settings, the surface, the window (for the trace
// lines of the output box) and the message boxes.
#pragma once

#include "common/Dialogs.h"
#include "plots/data/PlotData.h"
#include "plots/render/AxisState.h"
#include "plots/render/DisplaySettings.h"
#include "plots/render/Surface.h"
#include "plots/run/RunState.h"
#include "plots/run/ViewerHost.h"

namespace plots {

struct PlotContext {
    PlotData& Data;
    RunState& Run;
    AxisState& Axis;
    const DisplaySettings& Settings;
    Surface& Canvas;
    ViewerHost& Host;
    tk::Dialogs& Messages;
};

}  // namespace plots
