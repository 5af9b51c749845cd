// Everything one plot is drawn from, on a recording surface of a 1024 x 768 screen.
#pragma once

#include "common/Dialogs.h"
#include "plots/render/PlotContext.h"

#include <initializer_list>

namespace plots::test {

struct RenderRig {
    PlotData Data;
    RunState Run;
    AxisState Axis;
    DisplaySettings Settings;
    RecordingSurface Canvas{1024, 768};
    HeadlessHost Host;
    tk::ScriptedDialogs Messages;
    PlotContext Ctx{Data, Run, Axis, Settings, Canvas, Host, Messages};

    // Loads points as the reader would leave them.
    void SetPoints(std::initializer_list<double> x, std::initializer_list<double> y1,
                   std::initializer_list<double> y2)
    {
        Data.DataX = x;
        Data.DataY1 = y1;
        Data.DataY2 = y2;
        Data.PointCount = std::int16_t(x.size());
    }
    // Fills the curve arrays as the plot sequence does for the first line plot.
    void FirstPlotCurves()
    {
        Run.CurveKind = 1;
        Axis.CurveY1 = Data.DataY2;
        Axis.CurveY2 = Data.DataY1;
        Axis.CurveY3.assign(Data.DataY1.size(), 0.0);
        if (Data.PlotType == 110) {
            Axis.CurveY3 = Data.DataY2;
            for (std::size_t i = 0; i < Data.DataY1.size(); ++i) Axis.CurveY1[i] = Data.DataY1[i] + Data.DataY2[i];
        }
    }
};

}  // namespace plots::test
