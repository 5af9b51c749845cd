// A run of the viewer as values: the loaded plot data, where the run stands, and the steps
// "&Next >>" takes through the picture series and the run's data files. It knows nothing of
// windows or message boxes: it says what comes next, and its callers draw it, show it or print
// it. Whether a file is there is asked through a probe, so the window can report a listing
// that fails while a headless run only needs the answer.
#pragma once

#include "plots/data/PlotData.h"
#include "plots/data/PlotKind.h"
#include "plots/report/PlotTitle.h"
#include "plots/run/RunState.h"

#include <QImage>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plots {

// Answers whether a file of the run is there.
using FileProbe = std::function<bool(const std::string& name)>;

// Where "&Next >>" takes the run from where it stands.
enum class Advance {
    Picture,     // the next picture of the series
    FirstFile,   // on through the run's first data file
    SecondFile,  // on through the second data file, which is read first when it is still pending
    Replay,      // a later data file is there after the second one's plots: the second file is
                 // read again and its plots shown anew (never the later file itself)
    End,         // nothing more to show
};

enum class StepKind {
    Plot,     // draw `Plot` from the loaded data
    Picture,  // show the picture file `Path`
    None,     // nothing to draw for this data file (it failed to load, or its plots are shown)
    Fatal,    // the run cannot go on: `Text` is the fatal message
    Refused,  // the step was not taken and nothing changed: `Text` says why
};

// One step of the run, with the lines it adds to the output box. A Plot or Picture step also
// holds what it puts on the surface (the values the plot is drawn from and the facts its title
// states, or the decoded picture), so that it can be shown again exactly as it was.
struct RunStep {
    StepKind Kind = StepKind::None;
    PlotKind Plot = PlotKind::Picture;
    std::string Path;
    std::string Text;
    std::vector<std::string> Lines;
    std::shared_ptr<const PlotData> Data;
    PlotFacts Facts;
    QImage Picture;

    // True for the steps that put something on the surface.
    bool Shows() const { return Kind == StepKind::Plot || Kind == StepKind::Picture; }
};

class PlotRun {
public:
    PlotData& Data() { return data_; }
    const PlotData& Data() const { return data_; }
    RunState& State() { return state_; }
    const RunState& State() const { return state_; }

    // The plots of the current data file, once its sequence has begun.
    const std::vector<PlotKind>& FileSequence() const { return sequence_; }
    // True once the current data file's plot sequence has come to its end.
    bool SequenceEnded() const { return sequenceEnded_; }

    // The next picture of the series: the plot base + ".2if", ".3if", ...
    std::string NextPictureName() const;
    // The data file "&Next >>" works on now: the first one, then ".2lt", ".3lt", ...
    std::string CurrentDataFile() const;

    // The one decision of where the run goes next; `exists` is asked in the order the window
    // has always asked it.
    Advance Ahead(const FileProbe& exists) const;
    // True when "&Next >>" has nothing new to show: every picture and the last data file's
    // plots have been shown (a third data file would only replay the second one's plots).
    bool Complete(const FileProbe& exists) const;

    // The next picture of the series is taken: its step, the series moved on.
    RunStep TakePicture();
    // The run's own picture (a run without a data file): its step.
    RunStep ShowPictureFile(const std::string& path);
    // The second data file is to be read (again) and its plots shown from the first.
    void BeginSecondFile();
    // The next plot of the current data file: the data it needs prepared (the curve against
    // the data sums two columns, a curve block is read from the open file), or the fatal
    // warning of an empty curve block.
    RunStep NextPlot();

    // A data file has been read afresh: its sequence begins anew.
    void DataFileRead() { sequenceEnded_ = false; }
    // The data file shown was read again: the fresh data replace the loaded data, and the plot
    // of the kind shown (when a plot is shown) is the step, with the file's sequence gone
    // through up to it (a curve block is read in its turn); the file's first plot when the new
    // file does not have that kind. Refused, the loaded data kept, when a curve block on the way
    // is empty.
    RunStep ReadAgain(PlotData fresh, std::optional<PlotKind> shown);

    // The settings key the run keeps its display settings under.
    void UseSettingsKey(const std::string& key) { state_.SettingsKey = key; }
    // The plot file without extension: the window's caption shows it.
    const std::string& PlotBase() const { return state_.PlotBase; }
    // The data file is let go (the window closes).
    void CloseData() { data_.Close(); }

    // The positions of a freshly loaded window: the first picture and the first file.
    void RewindFiles();
    // Quit: the data file closed, nothing loaded, the positions back at their start.
    void Quit();

    // What the title of a plot drawn now states beyond the data: the date of the run's first
    // data file and, on a fitting run's first file, whether a second one follows.
    PlotFacts TitleFacts() const;

    // The steps the run has shown (plots and pictures), in order, and which of them is shown
    // now. Going back shows a kept step again; "&Next >>" walks forward through the kept steps
    // before it takes a new one.
    const std::vector<RunStep>& Shown() const { return shown_; }
    std::size_t ShownAt() const { return shownAt_; }
    // True when the step shown is an earlier one and later ones are kept.
    bool WentBack() const { return shownAt_ + 1 < shown_.size(); }
    // Shows the kept step again: that step, or nothing for an index past the kept ones.
    const RunStep* Revisit(std::size_t index);
    // A new run begins: nothing has been shown.
    void ForgetShown() { shown_.clear(); shownAt_ = 0; }
    // Whether the steps shown are kept (a run through the whole sequence at once has no use
    // for them).
    void KeepShown(bool keep) { keepShown_ = keep; }

    // What a plot needs of the data before it is drawn. False when a curve block is empty.
    static bool PrepareDataFor(PlotKind kind, PlotData& data);

private:
    // A plot step of the loaded data: its values and title facts taken, the step kept.
    void TakePlot(RunStep& step, PlotKind kind);
    void Keep(const RunStep& step);

    PlotData data_;
    RunState state_;
    std::vector<PlotKind> sequence_;
    bool sequenceEnded_ = false;
    std::vector<RunStep> shown_;
    std::size_t shownAt_ = 0;
    bool keepShown_ = true;
};

}  // namespace plots
