#include "plots/run/PlotSequence.h"

#include <algorithm>

namespace plots {

std::vector<PlotKind> CurveBlocksOf(const PlotData& data)
{
    if (!IsPoleZeroType(data.PlotType)) return {};
    std::vector<PlotKind> blocks;
    if (data.OmegaZeroCount > 1) blocks.push_back(PlotKind::SideLobe);
    if (data.DelayMatched == 1) blocks.push_back(PlotKind::GroupDelayRipple);
    blocks.push_back(PlotKind::ImpulseResponse);
    return blocks;
}

std::vector<PlotKind> FilePlotSequence(const PlotData& data)
{
    const PlotType type = data.PlotType;
    if (type == PlotType::Ode || type == PlotType::TwoCompartment) return {PlotKind::FirstLinePlot};
    if (!IsPoleZeroType(type)) return {PlotKind::FirstLinePlot, PlotKind::CurveVersusData};

    std::vector<PlotKind> kinds{PlotKind::PoleZeroMap, PlotKind::FirstLinePlot, PlotKind::CurveVersusData};
    for (const PlotKind block : CurveBlocksOf(data)) {
        const bool ripple = data.DelayMatched == 1;
        if (block == PlotKind::ImpulseResponse && type == PlotType::PoleZeroFrequency && ripple) continue;
        kinds.push_back(block);
    }
    return kinds;
}

bool IsCurveBlock(PlotKind kind)
{
    return kind == PlotKind::SideLobe || kind == PlotKind::GroupDelayRipple || kind == PlotKind::ImpulseResponse;
}

const char* EmptyBlockWarning(PlotKind kind)
{
    switch (kind) {
    case PlotKind::SideLobe: return "==Warning== No Sidelobe data in file";
    case PlotKind::GroupDelayRipple: return "==Warning== No Ripple data in file";
    default: return "==Warning== No h(t) data in file";
    }
}

}  // namespace plots
