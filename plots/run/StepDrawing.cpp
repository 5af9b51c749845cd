#include "plots/run/StepDrawing.h"

#include "plots/render/PlotView.h"
#include "plots/render/Surface.h"
#include "plots/report/PlotTitle.h"

namespace plots {

std::optional<PlotDrawing> DrawStep(const RunStep& step, const DisplaySettings& settings, Surface& surface)
{
    if (step.Kind == StepKind::Plot && step.Data) return DrawPlot(*step.Data, step.Plot, settings, step.Facts, surface);
    surface.Clear();
    if (step.Kind == StepKind::Picture) DrawPicturePlot(step.Picture, surface);
    return std::nullopt;
}

std::string StepCurvesCsv(const RunStep& step)
{
    if (step.Kind != StepKind::Plot || !step.Data) return {};
    return CurvesCsv(ShownCurves(*step.Data, step.Plot));
}

std::string StepTitle(const RunStep& step, bool blackAndWhite)
{
    if (step.Kind != StepKind::Plot || !step.Data) return "Picture";
    std::string named;
    for (const std::string& part : PlotTitleFor(step.Plot, *step.Data, blackAndWhite).Parts) named += part;
    return named.empty() ? PlotKindName(step.Plot) : named;
}

Colour RunBackground(const DisplaySettings& settings)
{
    return settings.BlackAndWhite ? White : settings.Colours[SlotBackground];
}

}  // namespace plots
