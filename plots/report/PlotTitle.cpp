#include "plots/report/PlotTitle.h"

namespace plots {

std::string ToolName(PlotType plotType, const PlotFacts& facts)
{
    switch (plotType) {
    case PlotType::PoleZeroFrequency: return "Tunewave (tm)";
    case PlotType::PoleZeroTime: return "Tunepulse (tm)";
    case PlotType::Ode: return "Derivex (tm)";
    case PlotType::TwoCompartment: return "Dosivo (tm)";
    default: return facts.InitialSettings ? "Fitmora (tm) with Initial Settings" : "Fitmora (tm)";
    }
}

PlotTitleText PlotTitleFor(PlotKind kind, const PlotData& data, bool blackAndWhite)
{
    const auto single = [](const std::string& title) { return PlotTitleText{{title}, title}; };
    const PlotTitleText versusData{{"DATA(", blackAndWhite ? "- - -" : "----", ") vs. Model"}, "DATA(----) vs. MODEL"};
    switch (kind) {
    case PlotKind::PoleZeroMap:
        return single(data.PlotType == PlotType::PoleZeroFrequency ? "Poles (X), Zeroes (O) and Doublets (D)" : "Error Amplitude");
    case PlotKind::FirstLinePlot:
        // A filter-matching run's first line plot follows its map and shows the error.
        if (data.PlotType == PlotType::Ode) return {{"Y(", "----", ") and Ydot"}, "Y(----) and Ydot"};
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

std::string XAxisTitle(PlotType plotType, PlotKind kind)
{
    return plotType == PlotType::PoleZeroFrequency || kind == PlotKind::SideLobe ? "Frequency" : "Time";
}

}  // namespace plots
