#include "plots/data/PlotKind.h"

namespace plots {

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
