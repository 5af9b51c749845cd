#include "plots/run/WholeSequence.h"

#include "common/Paths.h"
#include "common/Text.h"
#include "plots/run/Viewer.h"

#include <memory>

namespace plots {

namespace {

// Nothing a user could do ever makes a run longer than this; it only guards the loop.
constexpr int MostPlots = 200;

// A run without a window keeps what it would have shown in the output box and the fatal text
// that would have ended it; tabs, buttons and the caption have nowhere to go.
class OutputOnly : public ViewerHost {
public:
    std::string Output, FatalText;
    bool Exited = false;

    void ShowTab(int index) override { tab_ = index; }
    int CurrentTab() const override { return tab_; }
    void SetTabCaption(int, const std::string&) override {}
    void SetTabEnabled(int, bool) override {}
    void SetCommandEnabled(Command, bool) override {}
    void SetCommandVisible(Command, bool) override {}
    void FocusCommand(Command) override {}
    void ShowFilename() override {}
    void FatalExit(const std::string& text) override
    {
        Exited = true;
        FatalText = text;
    }
    bool Unloaded() const override { return Exited; }
    std::string OutputText() const override { return Output; }
    void SetOutputText(const std::string& text) override { Output = text; }
    void AppendOutput(const std::string& text) override { Output += text; }
    std::string InputText() const override { return {}; }
    void SetInputText(const std::string&) override {}
    void AppendInput(const std::string&) override {}
    void CloseViewer() override { Exited = true; }

private:
    int tab_ = TabSetup;
};

// The boxes of a run without a window are kept for its caller to tell, each answered with its
// first button; a dialog that would ask for a file or a colour is cancelled.
class KeptBoxes : public tk::Dialogs {
public:
    std::vector<tk::MessageBoxCall> Boxes;

    tk::MsgResult MsgBox(const tk::MessageBoxCall& call) override
    {
        Boxes.push_back(call);
        switch (call.Buttons) {
        case tk::MsgButtons::YesNo:
        case tk::MsgButtons::YesNoCancel: return tk::MsgResult::Yes;
        case tk::MsgButtons::RetryCancel: return tk::MsgResult::Retry;
        default: return tk::MsgResult::Ok;
        }
    }
    std::optional<std::string> OpenFile(const tk::FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> SaveFile(const tk::FileDialogRequest&) override { return std::nullopt; }
    std::optional<tk::FileChoice> SaveFileAs(const tk::FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::uint32_t> PickColour(std::uint32_t) override { return std::nullopt; }
    bool ChoosePrinter(QPrinter&, bool) override { return false; }
    void Beep() override {}
};

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
    OutputOnly host;
    KeptBoxes dialogs;
    std::unique_ptr<Surface> canvas;
    if (options.DrawPictures)
        canvas = std::make_unique<ImageSurface>(options.Width, options.Height);
    else
        canvas = std::make_unique<MeasuringSurface>(options.Width, options.Height);
    Surface& surface = *canvas;
    Viewer viewer(host, dialogs, surface);
    viewer.UseSettings(options.Settings);
    viewer.ApplyLoadStates();
    viewer.OnPlotDrawn = [&](PlotKind kind) {
        result.Plots.push_back(kind);
        if (onPlot && !onPlot(viewer, surface, kind, int(result.Plots.size()))) result.Stopped = true;
    };

    RunState& run = viewer.Run().State();
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
