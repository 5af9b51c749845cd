#include "plots/data/PlotKind.h"

namespace plots {

std::int16_t CurveKindOf(PlotKind kind)
{
    switch (kind) {
    case PlotKind::PoleZeroMap:
    case PlotKind::FirstLinePlot: return 1;
    case PlotKind::CurveVersusData: return 2;
    case PlotKind::SideLobe: return 3;
    case PlotKind::GroupDelayRipple: return 4;
    case PlotKind::ImpulseResponse: return 5;
    case PlotKind::Picture: return 0;
    }
    return 0;
}

const char* PlotKindName(PlotKind kind)
{
    switch (kind) {
    case PlotKind::PoleZeroMap: return "pole-zero map";
    case PlotKind::FirstLinePlot: return "first line plot";
    case PlotKind::CurveVersusData: return "curve versus data";
    case PlotKind::SideLobe: return "side-lobe";
    case PlotKind::GroupDelayRipple: return "group-delay ripple";
    case PlotKind::ImpulseResponse: return "impulse response";
    case PlotKind::Picture: return "picture";
    }
    return "";
}

}  // namespace plots
