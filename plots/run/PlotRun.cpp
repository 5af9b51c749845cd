#include "plots/run/PlotRun.h"

#include "common/Paths.h"
#include "plots/data/Listings.h"
#include "plots/data/PlotReader.h"
#include "plots/report/Format.h"
#include "plots/run/PlotSequence.h"

#include <QDateTime>

#include <algorithm>

#include <sys/stat.h>

namespace plots {

namespace {

// Element-wise sum over the entries both columns have.
void AddInto(Series& target, const Series& addend, int count)
{
    const std::size_t n = std::min({target.size(), addend.size(), std::size_t(std::max(count, 0))});
    for (std::size_t i = 0; i < n; ++i) target[i] += addend[i];
}

// The line the output box gets for each plot of the sequence.
const char* SequenceLine(PlotKind kind)
{
    switch (kind) {
    case PlotKind::PoleZeroMap: return "Plotting -Map of Poles & Zeros-";
    case PlotKind::FirstLinePlot: return "Calling 1st line plot";
    case PlotKind::CurveVersusData: return "Calling 2nd line plot ... Curve vs. Data plot";
    case PlotKind::SideLobe: return "Calling 3rd line plot ... Sidelobe plot";
    case PlotKind::GroupDelayRipple: return "Calling 3rd or 4th plot ... Ripple plot";
    case PlotKind::ImpulseResponse: return "Calling 4th or 5th plot ... h(t) response";
    case PlotKind::Picture: break;
    }
    return "";
}

}  // namespace

std::string PlotRun::NextPictureName() const
{
    return state_.PlotBase + "." + std::to_string(state_.PictureIndex) + "if";
}

std::string PlotRun::CurrentDataFile() const
{
    if (state_.FileIndex == 1) return state_.PlotBase + state_.FirstFileExt;
    return state_.PlotBase + "." + std::to_string(state_.FileIndex) + "lt";
}

Advance PlotRun::Ahead(const FileProbe& exists) const
{
    if (exists(NextPictureName())) return Advance::Picture;
    if (!exists(CurrentDataFile())) return Advance::End;
    if (state_.FileIndex == 1) return Advance::FirstFile;
    if (state_.SecondFilePending) return Advance::SecondFile;
    return sequenceEnded_ ? Advance::Replay : Advance::SecondFile;
}

bool PlotRun::Complete(const FileProbe& exists) const
{
    const Advance next = Ahead(exists);
    return next == Advance::End || next == Advance::Replay;
}

RunStep PlotRun::TakePicture()
{
    RunStep step = ShowPictureFile(NextPictureName());
    ++state_.PictureIndex;
    return step;
}

RunStep PlotRun::ShowPictureFile(const std::string& path)
{
    RunStep step;
    step.Kind = StepKind::Picture;
    step.Path = path;
    step.Picture = LoadPicture(path);
    Keep(step);
    return step;
}

void PlotRun::TakePlot(RunStep& step, PlotKind kind)
{
    step.Kind = StepKind::Plot;
    step.Plot = kind;
    step.Lines.push_back(SequenceLine(kind));
    step.Data = std::make_shared<const PlotData>(data_.CopyOfValues());
    step.Facts = TitleFacts();
    Keep(step);
}

void PlotRun::Keep(const RunStep& step)
{
    if (!keepShown_) return;
    shown_.push_back(step);
    shownAt_ = shown_.size() - 1;
}

const RunStep* PlotRun::Revisit(std::size_t index)
{
    if (index >= shown_.size()) return nullptr;
    shownAt_ = index;
    return &shown_[index];
}

// The title states the date of the run's first data file (also while its second one is shown)
// and, on a fitting run's first file, whether a second one follows.
PlotFacts PlotRun::TitleFacts() const
{
    PlotFacts facts;
    struct stat st {};
    if (::stat(tk::ResolvePath(state_.PlotBase + state_.FirstFileExt).c_str(), &st) == 0)
        facts.FileDate = FormatFileDate(QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec));
    facts.InitialSettings = state_.FileIndex == 1 && tk::IsFile(state_.PlotBase + ".2lt");
    return facts;
}

void PlotRun::BeginSecondFile()
{
    state_.SecondFilePending = false;
    state_.PlotStep = 0;
}

RunStep PlotRun::NextPlot()
{
    RunStep step;
    // A file that failed to load has nothing to draw.
    if (data_.PointCount < 1) return step;
    if (state_.PlotStep == 0) {
        sequenceEnded_ = false;
        sequence_ = FilePlotSequence(data_);
    }
    if (std::size_t(state_.PlotStep) >= sequence_.size()) return step;
    const PlotKind kind = sequence_[std::size_t(state_.PlotStep)];
    if (!PrepareDataFor(kind, data_)) {
        step.Kind = StepKind::Fatal;
        step.Text = EmptyBlockWarning(kind);
        return step;
    }
    ++state_.PlotStep;
    if (std::size_t(state_.PlotStep) == sequence_.size()) {
        ++state_.FileIndex;
        sequenceEnded_ = true;
    }
    // Taken after the file has moved on: the last plot of the first file no longer says that a
    // second one follows, as the window has always drawn it.
    TakePlot(step, kind);
    return step;
}

RunStep PlotRun::ReadAgain(PlotData fresh, std::optional<PlotKind> shown)
{
    RunStep step;
    std::vector<PlotKind> kinds = FilePlotSequence(fresh);
    std::size_t position = 0;
    if (shown) {
        const auto at = std::find(kinds.begin(), kinds.end(), *shown);
        if (at != kinds.end()) position = std::size_t(at - kinds.begin());
        for (std::size_t i = 0; i <= position; ++i) {
            if (PrepareDataFor(kinds[i], fresh)) continue;
            step.Kind = StepKind::Refused;
            step.Text = EmptyBlockWarning(kinds[i]);
            return step;
        }
    }
    data_ = std::move(fresh);
    sequence_ = std::move(kinds);
    if (!shown) return step;
    state_.PlotStep = std::int16_t(position + 1);
    TakePlot(step, sequence_[position]);
    return step;
}

void PlotRun::RewindFiles()
{
    state_.PictureIndex = 2;
    state_.FileIndex = 1;
}

void PlotRun::Quit()
{
    data_.Close();
    data_.PointCount = -1;
    RewindFiles();
    state_.PlotStep = 0;
    sequenceEnded_ = false;
    ForgetShown();
}

// What a plot needs of the data: the curve against the data sums the two columns in the loaded
// data (as the run summary and the print see them afterwards); a curve block is read from the
// open file just before its plot.
bool PlotRun::PrepareDataFor(PlotKind kind, PlotData& data)
{
    if (kind == PlotKind::CurveVersusData) AddInto(data.DataY2, data.DataY1, data.PointCount);
    if (!IsCurveBlock(kind)) return true;
    ReadNextBlock(data);
    return data.PointCount > 0;
}

}  // namespace plots
