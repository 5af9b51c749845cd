// Everything one plot is drawn from, on the recording surface of a maximised window on a
// 1024 x 768 screen (1008 x 646 pixels, where the design factors are 1.6).
#pragma once

#include "plots/render/DrawContext.h"
#include "support/RecordingSurface.h"

#include <initializer_list>

namespace plots::test {

struct RenderRig {
    PlotData Data;
    PlotKind Kind = PlotKind::FirstLinePlot;
    DisplaySettings Settings;
    PlotFacts Facts;
    RecordingSurface Canvas{1008, 646};
    AxisState Axis;
    std::string Trace;
    DrawContext Ctx{Data, Kind, Settings, Facts, Canvas, Axis, Trace};

    // The plot's kind, as the drawing sees it.
    void SetKind(PlotKind kind) { Ctx.Kind = Kind = kind; }

    // Loads points as the reader would leave them.
    void SetPoints(std::initializer_list<double> x, std::initializer_list<double> y1,
                   std::initializer_list<double> y2)
    {
        Data.DataX = x;
        Data.DataY1 = y1;
        Data.DataY2 = y2;
        Data.PointCount = std::int16_t(x.size());
    }
    // Fills the curve arrays as the drawing does for the first line plot.
    void FirstPlotCurves()
    {
        SetKind(PlotKind::FirstLinePlot);
        FillCurves(Ctx);
    }

private:
    static void FillCurves(DrawContext& ctx);
};

}  // namespace plots::test

#include "plots/render/Curves.h"

inline void plots::test::RenderRig::FillCurves(DrawContext& ctx) { plots::FillCurves(ctx); }
