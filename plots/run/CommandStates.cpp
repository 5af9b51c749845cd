#include "plots/run/CommandStates.h"

namespace plots {

const std::vector<std::pair<Command, bool>>& CommandStatesAfter(RunEvent event)
{
    using C = Command;
    static const std::vector<std::pair<Command, bool>> loaded{
        {C::OpenPlotFile, true}, {C::PlotResults, false}, {C::Next, false},   {C::SaveAs, false}, {C::Print, false},
        {C::Quit, false},        {C::SaveSettings, true}, {C::ExitPlots, true}, {C::About, true}};
    static const std::vector<std::pair<Command, bool>> dataLocated{{C::PlotResults, true}};
    static const std::vector<std::pair<Command, bool>> runStarted{
        {C::SaveSettings, false}, {C::OpenPlotFile, false}, {C::SaveAs, true}, {C::Quit, true},
        {C::Print, true},         {C::PlotResults, false},  {C::Next, true}};
    static const std::vector<std::pair<Command, bool>> pictureShown{
        {C::PlotResults, false}, {C::Quit, true}, {C::SaveAs, true}, {C::Print, true}, {C::Next, true}};
    static const std::vector<std::pair<Command, bool>> opened{
        {C::SaveAs, true}, {C::Quit, true}, {C::Print, true}, {C::Next, true}, {C::PlotResults, false}};
    static const std::vector<std::pair<Command, bool>> quit{
        {C::OpenPlotFile, true}, {C::SaveSettings, true}, {C::PlotResults, false}, {C::Next, false},
        {C::ExitPlots, true}};
    switch (event) {
    case RunEvent::Loaded: return loaded;
    case RunEvent::DataLocated: return dataLocated;
    case RunEvent::RunStarted: return runStarted;
    case RunEvent::PictureShown: return pictureShown;
    case RunEvent::Opened: return opened;
    case RunEvent::Quit: return quit;
    }
    return loaded;
}

void ApplyCommandStates(ViewerHost& host, RunEvent event)
{
    for (const auto& [command, enabled] : CommandStatesAfter(event)) host.SetCommandEnabled(command, enabled);
}

}  // namespace plots
