#include "plots/run/WholeSequence.h"

#include "common/Paths.h"
#include "common/Text.h"
#include "plots/data/Listings.h"
#include "plots/render/Surface.h"
#include "plots/report/RunSummary.h"
#include "plots/run/FileAccess.h"
#include "plots/run/PlotPaths.h"
#include "plots/run/RunBoxes.h"
#include "plots/run/StepDrawing.h"

#include <QDateTime>

#include <memory>

namespace plots {

void SequencePlot::DrawShownOn(Surface& surface) const
{
    if (&surface != &canvas_) surface.SetBackColour(canvas_.BackColour());
    if (!step_) {
        surface.Clear();
        return;
    }
    DrawStep(*step_, settings_, surface);
}

std::string SequencePlot::ShownCurvesCsv() const { return step_ ? StepCurvesCsv(*step_) : std::string(); }

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

// A box that asks, in a run without a window, is taken as answered with its first choice.
tk::MsgResult FirstChoice(tk::MsgButtons buttons)
{
    switch (buttons) {
    case tk::MsgButtons::YesNo:
    case tk::MsgButtons::YesNoCancel: return tk::MsgResult::Yes;
    case tk::MsgButtons::RetryCancel: return tk::MsgResult::Retry;
    default: return tk::MsgResult::Ok;
    }
}

// The run taken step by step as "&Next >>" takes it in the window, from a start on the plot
// file to the run's end: each step's plot drawn on the canvas and handed on, the output box's
// text and every box kept. The window's own decisions (where the run goes, what a step draws,
// the boxes' texts) are PlotRun's and the shared ones; what is left here is the order in which
// the window asks them.
class Walk {
public:
    Walk(const SequenceOptions& options, const PlotSink& onPlot, Surface& canvas, SequenceResult& result)
        : options_(options), onPlot_(onPlot), canvas_(canvas), result_(result)
    {
        run_.KeepShown(false);
        run_.RewindFiles();
    }

    void Start(const std::string& plotFile)
    {
        RunState& state = run_.State();
        state.PlotBase = BaseOf(plotFile, state);
        const std::string base = state.PlotBase;
        if (Exists(base + state.FirstFileExt)) {
            result_.Read = ReadDataFile(base, state.FirstFileExt);
            result_.Loaded = result_.Read.Loaded();
            if (Ended() || !result_.Loaded) return;
            state.SecondFilePending = true;
            canvas_.SetBackColour(RunBackground(options_.Settings));
            output_ = RunSummaryText(run_.Data(), QDateTime::currentDateTime());
            ReadOutputFile(state.PlotBase + ".out");
            ContinuePlots();
        } else if (Exists(base + ".gif")) {
            result_.Loaded = true;
            LocatePlotFile(base);
        }
    }

    void ToTheEnd()
    {
        const FileProbe quietly = [this](const std::string& name) {
            bool any = false;
            return !name.empty() && files_.List(name, any) == 0 && any;
        };
        while (!Ended() && int(result_.Plots.size()) < MostPlots && !run_.Complete(quietly))
            if (!Next()) break;
    }

    void Finish()
    {
        result_.OutputText = output_;
        result_.Fatal = fatal_;
        result_.FatalText = fatalText_;
    }

private:
    bool Ended() const { return fatal_ || result_.Stopped; }

    void EndWith(const std::string& text)
    {
        fatal_ = true;
        fatalText_ = text;
    }

    // The window's existence test; a listing that fails is told as the window tells it.
    bool Exists(const std::string& name)
    {
        return FileExists(files_, [this](const tk::MessageBoxCall& box) { return Tell(box); }, name);
    }

    tk::MsgResult Tell(const tk::MessageBoxCall& box)
    {
        result_.Messages.push_back(box);
        return FirstChoice(box.Buttons);
    }

    // One press of "&Next >>": true when it drew.
    bool Next()
    {
        const std::size_t before = result_.Plots.size();
        switch (run_.Ahead([this](const std::string& name) { return Exists(name); })) {
        case Advance::Picture: Take(run_.TakePicture()); break;
        case Advance::FirstFile:
            canvas_.Clear();
            ContinuePlots();
            break;
        case Advance::SecondFile:
        case Advance::Replay:
            if (run_.State().SecondFilePending || run_.SequenceEnded()) {
                run_.BeginSecondFile();
                LocatePlotFile(run_.State().PlotBase);
            }
            ContinuePlots();
            break;
        case Advance::End: return false;
        }
        return !fatal_ && result_.Plots.size() > before;
    }

    void ContinuePlots()
    {
        const RunState& state = run_.State();
        // Both tests are made, so each reports its own listing problems.
        const bool firstFile = state.FileIndex == 1 && Exists(state.PlotBase + state.FirstFileExt);
        const bool secondFile = state.FileIndex > 1 && Exists(state.PlotBase + ".2lt");
        if (firstFile || secondFile)
            Take(run_.NextPlot());
        else
            LocatePlotFile(state.PlotBase);
    }

    void LocatePlotFile(const std::string& base)
    {
        canvas_.Clear();
        shown_.reset();
        RunState& state = run_.State();
        const bool firstFile = Exists(base + state.FirstFileExt);
        const bool secondFile = Exists(base + ".2lt");
        if (state.FileIndex == 1 && firstFile) {
            ReadDataFile(base, state.FirstFileExt);
            return;
        }
        if (state.FileIndex > 1 && secondFile) {
            ReadDataFile(base, ".2lt");
            return;
        }
        if (Exists(base + ".gif")) {
            state.PictureIndex = 2;
            if (Exists(base + ".gif")) Show(run_.ShowPictureFile(base + ".gif"));
            ReadOutputFile(base + ".out");
            ReadSourceFile(base + ".qz");
            Drawn(PlotKind::Picture);
            return;
        }
        // The window would ask for another file here; a run without one has none to give.
        Tell(NoPlotFileBox());
    }

    ReadOutcome ReadDataFile(const std::string& base, const std::string& ext)
    {
        run_.DataFileRead();
        const ReadOutcome read = ReadPlotData(run_.Data(), base + ext);
        if (read.Status == ReadStatus::NoData) EndWith("No data in file");
        if (const auto box = ReadFailureBox(read, run_.State().PlotBase)) {
            Tell(*box);
            run_.State().PlotBase.clear();
        }
        return read;
    }

    void ReadOutputFile(const std::string& path)
    {
        bool complete = false;
        output_ += OutputListingText(path, Exists(path), complete);
    }

    void ReadSourceFile(const std::string& path)
    {
        std::string source = path;
        const bool found =
            Exists(source) || ExistsInParent(source, [this](const std::string& name) { return Exists(name); });
        if (found) {
            const Listing listing = ReadListing(source);
            if (listing.Opened && listing.Complete) return;
        }
        Tell(SourceMissingBox(run_.State().PlotBase));
        run_.State().PlotBase.clear();
    }

    void Take(const RunStep& step)
    {
        switch (step.Kind) {
        case StepKind::None:
        case StepKind::Refused: return;
        case StepKind::Fatal: EndWith(step.Text); return;
        case StepKind::Picture:
            canvas_.Clear();
            Show(step);
            canvas_.Refresh();
            Drawn(PlotKind::Picture);
            return;
        case StepKind::Plot:
            for (const std::string& line : step.Lines) output_ += "\r\n\t" + line;
            shown_ = step;
            if (const auto drawing = DrawStep(step, options_.Settings, canvas_)) {
                output_ += drawing->Trace;
                if (drawing->FontReleaseFailed) Tell(FontReleaseBox());
            }
            Drawn(step.Plot);
            return;
        }
    }

    void Show(const RunStep& picture)
    {
        shown_ = picture;
        DrawPicturePlot(picture.Picture, canvas_);
    }

    void Drawn(PlotKind kind)
    {
        result_.Plots.push_back(kind);
        const SequencePlot plot(shown_ ? &*shown_ : nullptr, options_.Settings, canvas_);
        if (onPlot_ && !onPlot_(plot, canvas_, kind, int(result_.Plots.size()))) result_.Stopped = true;
    }

    const SequenceOptions& options_;
    const PlotSink& onPlot_;
    Surface& canvas_;
    SequenceResult& result_;
    PlotRun run_;
    RealFileAccess files_;
    std::optional<RunStep> shown_;
    std::string output_;
    bool fatal_ = false;
    std::string fatalText_;
};

}  // namespace

SequenceResult RenderWholeSequence(const std::string& plotFile, const SequenceOptions& options, const PlotSink& onPlot)
{
    SequenceResult result;
    std::unique_ptr<Surface> canvas;
    if (options.DrawPictures)
        canvas = std::make_unique<ImageSurface>(options.Width, options.Height);
    else
        canvas = std::make_unique<MeasuringSurface>(options.Width, options.Height);
    Walk walk(options, onPlot, *canvas, result);
    walk.Start(plotFile);
    if (result.Loaded) walk.ToTheEnd();
    walk.Finish();
    return result;
}

}  // namespace plots
