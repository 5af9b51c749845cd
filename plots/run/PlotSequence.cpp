#include "plots/run/PlotSequence.h"

namespace plots {

std::vector<PlotKind> FilePlotSequence(const PlotData& data)
{
    const int type = data.PlotType;
    if (type == 0 || type == 110) return {PlotKind::FirstLinePlot};
    if (!IsPoleZeroType(type)) return {PlotKind::FirstLinePlot, PlotKind::CurveVersusData};

    std::vector<PlotKind> kinds{PlotKind::PoleZeroMap, PlotKind::FirstLinePlot, PlotKind::CurveVersusData};
    if (data.OmegaZeroCount > 1) kinds.push_back(PlotKind::SideLobe);
    const bool ripple = data.DelayMatched == 1;
    if (ripple) kinds.push_back(PlotKind::GroupDelayRipple);
    if (!(type == -2 && ripple)) kinds.push_back(PlotKind::ImpulseResponse);
    return kinds;
}

}  // namespace plots
