// PLACEHOLDER until the run flow lands.
#include "plots/run/Viewer.h"

namespace plots {

Viewer::Viewer(ViewerHost& host, tk::Dialogs& dialogs, Surface& surface)
    : host_(host), dialogs_(dialogs), surface_(surface)
{
}

PlotContext Viewer::Context()
{
    return PlotContext{Data, Run, Axis, Settings, surface_, host_, dialogs_};
}

void Viewer::start() {}
void Viewer::ContinuePlots() {}
void Viewer::PlotNextStep() {}
void Viewer::cmdPlotResults_Click() {}
void Viewer::cmdNext_Click() {}
void Viewer::cmdQuit_Click() {}
Colour Viewer::RunBackground() const { return Settings.BlackAndWhite ? White : Settings.Colours[SlotBackground]; }
void Viewer::LocatePlotFile(const std::string&) {}
bool Viewer::FileExists(const std::string&) { return false; }
void Viewer::FileOld() {}
bool Viewer::FileSaveAs() { return false; }
void Viewer::cmdPrint_Click() {}
bool Viewer::PrintTo(QPrinter&) { return false; }
std::string SplitPath(const std::string& path, std::string& directory)
{
    directory.clear();
    return path;
}
bool ExistsInParent(std::string&) { return false; }

}  // namespace plots
