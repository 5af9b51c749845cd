#include "plots/run/WholeSequence.h"

#include "plots/data/PlotReader.h"
#include "plots/run/Viewer.h"

namespace plots {

namespace {

// Nothing a user could do ever makes a run longer than this; it only guards the loop.
constexpr int MostPlots = 200;

std::string BaseOf(const std::string& plotFile)
{
    for (const char* ext : {".plt", ".gif", ".PLT", ".GIF"}) {
        const std::string e(ext);
        if (plotFile.size() > e.size() && plotFile.compare(plotFile.size() - e.size(), e.size(), e) == 0)
            return plotFile.substr(0, plotFile.size() - e.size());
    }
    return plotFile;
}

}  // namespace

SequenceResult RenderWholeSequence(const std::string& plotFile, const SequenceOptions& options,
                                   const std::function<void(const QImage&, int)>& onPlot)
{
    SequenceResult result;
    HeadlessHost host;
    tk::ScriptedDialogs dialogs;
    ImageSurface surface(options.Width, options.Height);
    Viewer viewer(host, dialogs, surface);
    viewer.Settings = options.Settings;
    viewer.ApplyLoadStates();
    viewer.OnPlotDrawn = [&] {
        result.Plots.push_back(surface.Picture());
        if (onPlot) onPlot(result.Plots.back(), int(result.Plots.size()));
    };

    RunState& run = viewer.Run;
    run.PlotBase = BaseOf(plotFile);
    std::string directory;
    SplitPath(run.PlotBase, directory);
    run.OpenDialogDir = directory;

    // As the viewer starts on a file: a data file starts the run at once, a picture is shown.
    if (viewer.FileExists(run.PlotBase + ".plt")) {
        result.Loaded = ReadPlotData(viewer.Data, run, run.PlotBase, ".plt", host, dialogs);
        if (result.Loaded && !host.Exited) viewer.start();
    } else if (viewer.FileExists(run.PlotBase + ".gif")) {
        result.Loaded = true;
        viewer.LocatePlotFile(run.PlotBase);
    }

    if (result.Loaded) {
        while (!host.Exited && host.Commands[int(Command::Next)].Enabled && int(result.Plots.size()) < MostPlots) {
            // The series ends with the second data file: a third one would only replay it.
            const std::string picture = run.PlotBase + "." + std::to_string(run.PictureIndex) + "if";
            if (run.FileIndex > 2 && viewer.SequenceEnded() && !viewer.FileExists(picture)) break;
            viewer.cmdNext_Click();
        }
    }

    result.OutputText = host.Output;
    result.Messages = dialogs.Boxes;
    result.Fatal = host.Exited;
    result.FatalText = host.FatalText;
    return result;
}

}  // namespace plots
