#include "plots/report/PlotTitle.h"

namespace plots {

std::string ToolName(int plotType, const PlotFacts& facts)
{
    switch (plotType) {
    case -2: return "Tunewave (tm)";
    case -1: return "Tunepulse (tm)";
    case 0: return "Derivex (tm)";
    case 110: return "Dosivo (tm)";
    default: return facts.InitialSettings ? "Fitmora (tm) with Initial Settings" : "Fitmora (tm)";
    }
}

PlotTitleText PlotTitleFor(PlotKind kind, const PlotData& data, bool blackAndWhite)
{
    const auto single = [](const std::string& title) { return PlotTitleText{{title}, title}; };
    const PlotTitleText versusData{{"DATA(", blackAndWhite ? "- - -" : "----", ") vs. Model"}, "DATA(----) vs. MODEL"};
    switch (kind) {
    case PlotKind::PoleZeroMap:
        return single(data.PlotType == -2 ? "Poles (X), Zeroes (O) and Doublets (D)" : "Error Amplitude");
    case PlotKind::FirstLinePlot:
        // A filter-matching run's first line plot follows its map and shows the error.
        if (data.PlotType == 0) return {{"Y(", "----", ") and Ydot"}, "Y(----) and Ydot"};
        return single("Error Amplitude");
    case PlotKind::CurveVersusData:
    case PlotKind::ImpulseResponse:
        return versusData;
    case PlotKind::SideLobe:
        return data.OmegaZeroCount > 1 ? single("Sidelobe: Equal Ripple?") : PlotTitleText{};
    case PlotKind::GroupDelayRipple:
        return data.DelayMatched == 1 ? single("Group Delay Ripple") : PlotTitleText{};
    case PlotKind::Picture:
        break;
    }
    return {};
}

std::string XAxisTitle(int plotType, PlotKind kind)
{
    return plotType == -2 || kind == PlotKind::SideLobe ? "Frequency" : "Time";
}

}  // namespace plots
