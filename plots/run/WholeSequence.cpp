#include "plots/run/WholeSequence.h"

#include "common/Paths.h"
#include "common/Text.h"
#include "plots/run/Viewer.h"

#include <memory>

namespace plots {

namespace {

// Nothing a user could do ever makes a run longer than this; it only guards the loop.
constexpr int MostPlots = 200;

// The plot base of a run file: its .plt or .gif extension (in any letter case) dropped. Any
// other file that exists is itself the run's data file, whatever it is called.
std::string BaseOf(const std::string& plotFile, RunState& run)
{
    const std::string ext = tk::ExtensionOf(plotFile);
    if (tk::EqualsNoCase(ext, ".plt") || tk::EqualsNoCase(ext, ".gif")) return tk::WithoutExtension(plotFile);
    if (tk::IsFile(plotFile)) run.FirstFileExt.clear();
    return plotFile;
}

}  // namespace

SequenceResult RenderWholeSequence(const std::string& plotFile, const SequenceOptions& options, const PlotSink& onPlot)
{
    SequenceResult result;
    HeadlessHost host;
    tk::ScriptedDialogs dialogs;
    std::unique_ptr<Surface> canvas;
    if (options.DrawPictures)
        canvas = std::make_unique<ImageSurface>(options.Width, options.Height);
    else
        canvas = std::make_unique<MeasuringSurface>(options.Width, options.Height);
    Surface& surface = *canvas;
    Viewer viewer(host, dialogs, surface);
    viewer.Settings = options.Settings;
    viewer.ApplyLoadStates();
    viewer.OnPlotDrawn = [&](PlotKind kind) {
        result.Plots.push_back(kind);
        if (onPlot && !onPlot(viewer, surface, kind, int(result.Plots.size()))) result.Stopped = true;
    };

    RunState& run = viewer.Run;
    run.PlotBase = BaseOf(plotFile, run);
    std::string directory;
    SplitPath(run.PlotBase, directory);
    run.OpenDialogDir = directory;

    const StartOutcome start = viewer.StartOnFile(run.PlotBase, StartMode::Headless);
    result.Read = start.Read;
    result.Loaded = start.Picture || start.Read.Loaded();
    if (result.Loaded) {
        while (!host.Exited && !result.Stopped && int(result.Plots.size()) < MostPlots && !viewer.RunComplete())
            if (viewer.Next() != NextOutcome::Drew) break;
    }

    result.OutputText = host.Output;
    result.Messages = dialogs.Boxes;
    result.Fatal = host.Exited;
    result.FatalText = host.FatalText;
    return result;
}

}  // namespace plots
