#include "plots/run/Viewer.h"

#include "common/Paths.h"
#include "common/PrintFile.h"
#include "common/Text.h"
#include "plots/data/Listings.h"
#include "plots/render/PlotDrawing.h"
#include "plots/render/PrintedPage.h"
#include "plots/report/Format.h"
#include "plots/report/RunSummary.h"
#include "plots/run/CommandStates.h"
#include "plots/run/PictureFile.h"
#include "plots/run/PlotSequence.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cerrno>

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

// The fatal warning of a curve block that yields no point.
const char* EmptyBlockWarning(PlotKind kind)
{
    switch (kind) {
    case PlotKind::SideLobe: return "==Warning== No Sidelobe data in file";
    case PlotKind::GroupDelayRipple: return "==Warning== No Ripple data in file";
    default: return "==Warning== No h(t) data in file";
    }
}

bool IsCurveBlock(PlotKind kind)
{
    return kind == PlotKind::SideLobe || kind == PlotKind::GroupDelayRipple || kind == PlotKind::ImpulseResponse;
}

}  // namespace

Viewer::Viewer(ViewerHost& host, tk::Dialogs& dialogs, Surface& surface)
    : host_(host), dialogs_(dialogs), surface_(surface), realFiles_(std::make_unique<RealFileAccess>()),
      files_(realFiles_.get())
{
}

Viewer::~Viewer() = default;

void Viewer::ApplyLoadStates()
{
    host_.ShowTab(TabSetup);
    Run.PictureIndex = 2;
    Run.FileIndex = 1;
    ApplyCommandStates(host_, RunEvent::Loaded);
}

Colour Viewer::RunBackground() const
{
    return Settings.BlackAndWhite ? White : Settings.Colours[SlotBackground];
}

void Viewer::AppendLine(const std::string& line)
{
    host_.AppendOutput("\r\n\t" + line);
}

void Viewer::Drawn(PlotKind kind)
{
    Run.CurveKind = CurveKindOf(kind);
    if (shown_) {
        steps_.push_back(*shown_);
        stepAt_ = steps_.size() - 1;
    }
    if (OnPlotDrawn) OnPlotDrawn(kind);
}

// The title states the date of the run's first data file (also while its second one is shown)
// and, on a fitting run's first file, whether a second one follows.
PlotFacts Viewer::TitleFacts() const
{
    PlotFacts facts;
    struct stat st {};
    if (::stat(tk::ResolvePath(Run.PlotBase + Run.FirstFileExt).c_str(), &st) == 0)
        facts.FileDate = FormatFileDate(QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec));
    facts.InitialSettings = Run.FileIndex == 1 && tk::IsFile(Run.PlotBase + ".2lt");
    return facts;
}

void Viewer::DrawPlotNow(PlotKind kind)
{
    const PlotTitleText title = PlotTitleFor(kind, Data, Settings.BlackAndWhite);
    std::string named;
    for (const std::string& part : title.Parts) named += part;
    shown_ = Shown{kind, TitleFacts(), {}, std::make_shared<const PlotData>(Data.CopyOfValues()),
                   named.empty() ? PlotKindName(kind) : named};
    zoom_ = {};
    const PlotDrawing drawing = DrawPlot(Data, kind, Settings, shown_->Facts, surface_);
    SetLastDrawing(drawing);
    Axis = drawing.Axis;
    host_.AppendOutput(drawing.Trace);
    if (drawing.FontReleaseFailed) {
        dialogs_.Beep();
        dialogs_.Show("Error deleting font object.", "Graphel", tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
    }
}

void Viewer::ShowPicture(const QImage& picture)
{
    shown_ = Shown{PlotKind::Picture, {}, picture, nullptr, "Picture"};
    zoom_ = {};
    SetLastDrawing(std::nullopt);
    DrawPicturePlot(picture, surface_);
}

std::optional<PlotKind> Viewer::ShownKind() const
{
    if (!shown_) return std::nullopt;
    return shown_->Kind;
}

void Viewer::DrawShownOn(Surface& surface) const
{
    if (&surface != &surface_) surface.SetBackColour(surface_.BackColour());
    if (!shown_) {
        surface.Clear();
        return;
    }
    if (shown_->Kind == PlotKind::Picture) {
        surface.Clear();
        DrawPicturePlot(shown_->Picture, surface);
        return;
    }
    const PlotDrawing drawing = DrawPlot(ShownData(), shown_->Kind, ShownSettings(), shown_->Facts, surface);
    if (&surface == &surface_) SetLastDrawing(drawing);
}

void Viewer::Redraw() { DrawShownOn(surface_); }

DisplaySettings Viewer::ShownSettings() const
{
    DisplaySettings s = Settings;
    if (zoom_.IsZoomed()) s.Zoom = zoom_;
    return s;
}

void Viewer::SetShownZoom(const PlotZoom& zoom)
{
    if (!shown_ || shown_->Kind == PlotKind::Picture) return;
    zoom_ = zoom;
    Redraw();
}

void Viewer::SetLastDrawing(std::optional<PlotDrawing> drawing) const
{
    lastDrawing_ = std::move(drawing);
    view_.reset();
}

const PlotView* Viewer::ShownView() const
{
    if (!shown_ || shown_->Kind == PlotKind::Picture || !lastDrawing_) return nullptr;
    // Made once per drawing: the mouse asks for it at every move.
    if (!view_) view_ = std::make_unique<PlotView>(ShownData(), shown_->Kind, *lastDrawing_);
    return view_.get();
}

std::string Viewer::ShownCurvesCsv() const
{
    if (!shown_ || shown_->Kind == PlotKind::Picture) return {};
    return CurvesCsv(ShownCurves(ShownData(), shown_->Kind));
}

const PlotData& Viewer::ShownData() const { return shown_ && shown_->Data ? *shown_->Data : Data; }

std::vector<std::string> Viewer::StepTitles() const
{
    std::vector<std::string> titles;
    for (std::size_t i = 0; i < steps_.size(); ++i) titles.push_back(std::to_string(i + 1) + ". " + steps_[i].Title);
    return titles;
}

std::optional<std::size_t> Viewer::ShownStep() const
{
    if (!shown_ || steps_.empty()) return std::nullopt;
    return stepAt_;
}

bool Viewer::ShowStep(std::size_t index)
{
    if (index >= steps_.size() || !shown_) return false;
    stepAt_ = index;
    shown_ = steps_[index];
    zoom_ = {};
    SetLastDrawing(std::nullopt);
    host_.ShowTab(TabPlot);
    if (shown_->Kind == PlotKind::Picture)
        DrawPicturePlot(shown_->Picture, surface_);
    else
        Redraw();
    Run.CurveKind = CurveKindOf(shown_->Kind);
    // From an earlier plot "&Next >>" always has the later ones to show.
    if (stepAt_ + 1 < steps_.size()) host_.SetCommandEnabled(Command::Next, true);
    if (OnPlotDrawn) OnPlotDrawn(shown_->Kind);
    return true;
}

bool Viewer::CanShowPrevious() const { return shown_ && !steps_.empty() && stepAt_ > 0; }

void Viewer::cmdPrevious_Click()
{
    if (CanShowPrevious()) ShowStep(stepAt_ - 1);
}

// ---------------------------------------------------------------------------------------------
// Run flow

StartOutcome Viewer::StartOnFile(const std::string& base, StartMode mode)
{
    StartOutcome outcome;
    if (FileExists(base + Run.FirstFileExt)) {
        outcome.DataFile = true;
        outcome.Read = ReadDataFile(base, Run.FirstFileExt);
        if (host_.Unloaded()) return outcome;  // a fatal data message ended the viewer
        if (!outcome.Read.Loaded() && mode == StartMode::Headless) return outcome;
        host_.ShowFilename();
        start();
        return outcome;
    }
    if (FileExists(base + ".gif")) {
        outcome.Picture = true;
        LocatePlotFile(base);
        host_.ShowFilename();
    }
    return outcome;
}

void Viewer::start()
{
    steps_.clear();
    host_.EnableSettings(true);
    host_.SetCommandVisible(Command::SaveSettings, true);
    ApplyCommandStates(host_, RunEvent::RunStarted);
    Run.SecondFilePending = true;
    surface_.SetBackColour(RunBackground());

    if (Data.PointCount > 0) {
        WriteRunSummary();
    } else {
        if (tk::EndsWith(Run.PlotBase, ".plt")) Run.PlotBase.erase(Run.PlotBase.size() - 4);
        const std::string asked = Run.PlotBase;
        LocatePlotFile(Run.PlotBase);
        // A file opened from the dialog that a failed look-up brought up waits for "&Plot
        // results >>" like any opened file. When nothing could be loaded (the data file was
        // corrupted, the dialog was cancelled), looking again would only repeat the message
        // and the dialog, and the run would leave "&Open Plot File ..." disabled: it ends as
        // Quit ends it.
        if (Run.PlotBase != asked) return;
        if (Data.PointCount < 1) {
            cmdQuit_Click();
            return;
        }
    }
    ContinuePlots();
}

void Viewer::WriteRunSummary()
{
    host_.SetOutputText(RunSummaryText(Data, QDateTime::currentDateTime()));
    ReadOutputFile(Run.PlotBase + ".out");
    host_.SetTabEnabled(TabInput, false);
    host_.ShowTab(TabSetup);
}

void Viewer::cmdPlotResults_Click()
{
    host_.ShowFilename();
    start();
}

void Viewer::ContinuePlots()
{
    // Both tests are made, so each reports its own listing problems.
    const bool firstFile = Run.FileIndex == 1 && FileExists(Run.PlotBase + Run.FirstFileExt);
    const bool secondFile = Run.FileIndex > 1 && FileExists(Run.PlotBase + ".2lt");
    if (firstFile || secondFile)
        PlotNextStep();
    else
        LocatePlotFile(Run.PlotBase);
}

void Viewer::PlotNextStep()
{
    host_.ShowTab(TabPlot);
    host_.FocusCommand(Command::Next);
    // A file that failed to load has nothing to draw.
    if (Data.PointCount < 1) return;

    if (Run.PlotStep == 0) {
        sequenceEnded_ = false;
        fileSequence_ = FilePlotSequence(Data);
    }
    if (std::size_t(Run.PlotStep) >= fileSequence_.size()) return;
    const PlotKind kind = fileSequence_[std::size_t(Run.PlotStep)];

    if (!PrepareDataFor(kind, Data)) {
        host_.FatalExit(EmptyBlockWarning(kind));
        return;
    }

    AppendLine(SequenceLine(kind));
    ++Run.PlotStep;
    DrawPlotNow(kind);
    if (std::size_t(Run.PlotStep) == fileSequence_.size()) EndOfFileSequence();
    Drawn(kind);
}

// What a plot needs of the data: the curve against the data sums the two columns in the loaded
// data (as the run summary and the print see them afterwards); a curve block is read from the
// open file just before its plot.
bool Viewer::PrepareDataFor(PlotKind kind, PlotData& data)
{
    if (kind == PlotKind::CurveVersusData) AddInto(data.DataY2, data.DataY1, data.PointCount);
    if (!IsCurveBlock(kind)) return true;
    ReadNextBlock(data);
    return data.PointCount > 0;
}

void Viewer::EndOfFileSequence()
{
    ++Run.FileIndex;
    sequenceEnded_ = true;
}

std::string Viewer::NextPictureName() const
{
    return Run.PlotBase + "." + std::to_string(Run.PictureIndex) + "if";
}

bool Viewer::ShowNextPicture()
{
    const std::string picture = NextPictureName();
    if (!FileExists(picture)) return false;
    surface_.Clear();
    ++Run.PictureIndex;
    ShowPicture(LoadPicture(picture));
    surface_.Refresh();
    Drawn(PlotKind::Picture);
    return true;
}

NextOutcome Viewer::Next()
{
    const auto drew = [this] { return host_.Unloaded() ? NextOutcome::Ended : NextOutcome::Drew; };
    // Gone back to an earlier plot: the plots after it come again as they were shown.
    if (shown_ && stepAt_ + 1 < steps_.size()) {
        ShowStep(stepAt_ + 1);
        return NextOutcome::Drew;
    }
    if (ShowNextPicture()) return NextOutcome::Drew;

    if (Run.FileIndex == 1 && FileExists(Run.PlotBase + Run.FirstFileExt)) {
        surface_.Clear();
        ContinuePlots();
        return drew();
    }
    if (Run.FileIndex > 1 && FileExists(Run.PlotBase + "." + std::to_string(Run.FileIndex) + "lt")) {
        // The second data file is read once. A later file of the series is never read: when
        // one exists after the second file's plots have all been shown, the second file is
        // read again and its plots are shown anew, instead of asking it for curve blocks that
        // are not there.
        if (Run.SecondFilePending || sequenceEnded_) {
            Run.SecondFilePending = false;
            Run.PlotStep = 0;
            LocatePlotFile(Run.PlotBase);
        }
        host_.ShowFilename();
        ContinuePlots();
        return drew();
    }
    return NextOutcome::Nothing;
}

void Viewer::cmdNext_Click()
{
    if (Next() == NextOutcome::Nothing) host_.SetCommandEnabled(Command::Next, false);
}

bool Viewer::RunComplete() const
{
    if (tk::IsFile(NextPictureName())) return false;
    if (Run.FileIndex == 1) return !tk::IsFile(Run.PlotBase + Run.FirstFileExt);
    if (!tk::IsFile(Run.PlotBase + "." + std::to_string(Run.FileIndex) + "lt")) return true;
    // The second file is still to be read, or its plots are under way; after them a third
    // file would only replay them.
    return !Run.SecondFilePending && sequenceEnded_;
}

void Viewer::cmdQuit_Click()
{
    ApplyCommandStates(host_, RunEvent::Quit);
    host_.ShowTab(TabSetup);
    host_.FocusCommand(Command::OpenPlotFile);
    Data.Close();
    Data.PointCount = -1;
    Run.PictureIndex = 2;
    Run.FileIndex = 1;
    Run.PlotStep = 0;
    sequenceEnded_ = false;
    steps_.clear();
}

void Viewer::cmdExit_Click()
{
    host_.CloseViewer();
}

// ---------------------------------------------------------------------------------------------
// File location

void Viewer::ShowReadFailure(const ReadOutcome& read)
{
    if (read.Status == ReadStatus::Corrupted)
        dialogs_.Show(CorruptedText(Run.PlotBase), CorruptedTitle(read.Label), tk::MsgIcon::Exclamation,
                      tk::MsgButtons::Ok);
    else if (read.Status == ReadStatus::Unreadable)
        dialogs_.Show(UnexpectedErrorText(read.Error), RoutineTitle("ReadPlotData"), tk::MsgIcon::Critical,
                      tk::MsgButtons::Ok);
}

ReadOutcome Viewer::ReadDataFile(const std::string& base, const std::string& ext)
{
    sequenceEnded_ = false;
    const ReadOutcome read = ReadPlotData(Data, base + ext);
    if (read.Status == ReadStatus::Missing) return read;
    dataFileRead_ = base + ext;
    if (OnDataFileRead) OnDataFileRead(dataFileRead_);
    host_.ShowTab(TabInput);
    host_.SetTabCaption(TabInput, "Input");
    switch (read.Status) {
    case ReadStatus::Loaded:
    case ReadStatus::Missing:
        break;
    case ReadStatus::NoData:
        host_.FatalExit("No data in file");
        break;
    case ReadStatus::Corrupted:
    case ReadStatus::Unreadable:
        ShowReadFailure(read);
        Run.PlotBase.clear();
        host_.ShowFilename();
        break;
    }
    return read;
}

bool Viewer::ReloadDataFile()
{
    // After Quit the run is over: nothing is shown from its file any more.
    if (dataFileRead_.empty() || !Data.IsOpen()) return false;
    PlotData fresh;
    const ReadOutcome read = ReadPlotData(fresh, dataFileRead_);
    if (!read.Loaded()) {
        // Nothing of it is shown: the plot on the surface and the data behind it stay.
        if (read.Status == ReadStatus::NoData)
            dialogs_.Show("No data in file", "Graphel", tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
        else
            ShowReadFailure(read);
        return false;
    }

    // The plot of the same kind, with the file's sequence gone through up to it (a curve block
    // is read in its turn); the run's first plot when the new file does not have that kind.
    const std::vector<PlotKind> kinds = FilePlotSequence(fresh);
    const bool plotShown = shown_ && shown_->Kind != PlotKind::Picture && Data.PointCount > 0;
    std::size_t position = 0;
    if (plotShown) {
        const auto at = std::find(kinds.begin(), kinds.end(), shown_->Kind);
        if (at != kinds.end()) position = std::size_t(at - kinds.begin());
        for (std::size_t i = 0; i <= position; ++i) {
            if (PrepareDataFor(kinds[i], fresh)) continue;
            dialogs_.Show(EmptyBlockWarning(kinds[i]), "Graphel", tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
            return false;
        }
    }
    Data = std::move(fresh);
    fileSequence_ = kinds;
    host_.ShowNotice("The plot data file was written again; the plot was drawn anew from it.");
    AppendLine("Plot data read again from " + tk::DisplayName(dataFileRead_));
    if (!plotShown) return true;
    Run.PlotStep = std::int16_t(position + 1);
    AppendLine(SequenceLine(kinds[position]));
    DrawPlotNow(kinds[position]);
    Drawn(kinds[position]);
    return true;
}

void Viewer::LocatePlotFile(const std::string& base)
{
    surface_.Clear();
    shown_.reset();
    zoom_ = {};
    SetLastDrawing(std::nullopt);
    const bool firstFile = FileExists(base + Run.FirstFileExt);
    const bool secondFile = FileExists(base + ".2lt");

    if (Run.FileIndex == 1 && firstFile) {
        ApplyCommandStates(host_, RunEvent::DataLocated);
        host_.FocusCommand(Command::PlotResults);
        ReadDataFile(base, Run.FirstFileExt);
        host_.ShowTab(TabSetup);
        return;
    }
    if (Run.FileIndex > 1 && secondFile) {
        ReadDataFile(base, ".2lt");
        return;
    }
    if (FileExists(base + ".gif")) {
        Run.PictureIndex = 2;
        ShowPicturePlot(base + ".gif");
        ReadOutputFile(base + ".out");
        ReadSourceFile(base + ".qz");
        host_.ShowTab(TabPlot);
        Drawn(PlotKind::Picture);
        return;
    }
    dialogs_.Show("No plot file found, needs to be a *.GIF or *.plt file.", "Graphel", tk::MsgIcon::None,
                  tk::MsgButtons::Ok);
    FileOld();
}

// ---------------------------------------------------------------------------------------------
// The run's other files

void Viewer::ReadOutputFile(const std::string& path)
{
    if (!FileExists(path)) {
        host_.AppendOutput(OutputMissingNotice(path));
        return;
    }
    // The first line continues the box's last line: no break is put in front of it.
    const Listing listing = ReadListing(path);
    host_.AppendOutput(listing.Text);
    if (listing.Complete) return;
    host_.AppendOutput(OutputCorruptedNotice(path));
    host_.ShowFilename();
}

void Viewer::ReadSourceFile(const std::string& path)
{
    std::string source = path;
    const bool found = FileExists(source) || ExistsInParent(source, dialogs_);
    if (found) {
        const Listing listing = ReadListing(source);
        if (listing.Opened) {
            host_.ShowTab(TabInput);
            host_.SetTabCaption(TabInput, "Source");
            host_.AppendInput(listing.Text);
            if (listing.Complete) return;
        }
    }
    dialogs_.Show(Run.PlotBase + "\r\nSource file is missing or corrupted.", "Reading source file error",
                  tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
    Run.PlotBase.clear();
    host_.ShowFilename();
}

void Viewer::ShowPicturePlot(const std::string& path)
{
    host_.ShowTab(TabPlot);
    Run.PictureIndex = 2;
    // A picture that is missing or cannot be decoded leaves the surface as it was.
    if (FileExists(path)) ShowPicture(LoadPicture(path));
    ApplyCommandStates(host_, RunEvent::PictureShown);
    host_.FocusCommand(Command::Next);
    host_.ShowFilename();
}

// ---------------------------------------------------------------------------------------------
// File commands

bool Viewer::FileExists(const std::string& name)
{
    return plots::FileExists(*files_, dialogs_, name);
}

void Viewer::FileOld()
{
    tk::FileDialogRequest request;
    request.Title = "Open Response Input File";
    request.InitialDir = DialogStartDirectory(Run);
    request.Filter = "All Files (*.*)|*.*|Plot Data Files (*.plt, *.gif)|*.plt;*.gif";
    request.FilterIndex = 2;
    const std::optional<std::string> chosen = dialogs_.OpenFile(request);
    // A cancelled dialog leaves the loaded run as it was, its data file still open for the
    // curve blocks that "&Plot results >>" and "&Next >>" will read.
    if (!chosen || chosen->empty()) return;
    OpenChosenFile(*chosen);
}

void Viewer::OpenChosenFile(const std::string& chosen)
{
    Data.Close();

    Run.PlotBase = chosen;
    std::string directory;
    SplitPath(Run.PlotBase, directory);
    for (int attempt = 1;; ++attempt) {
        const int error = files_->CheckDirectory(directory);
        if (error == 0) break;
        const AfterFailure next = ReportFileError(dialogs_, FileRoutine::FileOld, error, Run.PlotBase, attempt);
        if (next == AfterFailure::Retry) continue;
        if (next == AfterFailure::GoOn) break;
        if (next == AfterFailure::CloseAll) host_.CloseViewer();
        return;
    }
    Run.OpenDialogDir = directory;

    Run.PlotBase = PlotBaseOf(Run.PlotBase);
    steps_.clear();
    Run.PictureIndex = 2;
    Run.FileIndex = 1;
    host_.SetInputText("");
    host_.SetOutputText("");
    ApplyCommandStates(host_, RunEvent::Opened);
    host_.SetTabEnabled(TabInput, true);
    LocatePlotFile(Run.PlotBase);
    host_.ShowFilename();
}

bool Viewer::FileSaveAs()
{
    // The bitmap stays the first choice; the plot can also be kept as a PNG picture, or drawn
    // as vectors into an SVG drawing or a PDF page. The format follows a typed extension, else
    // the chosen filter.
    static const PictureFormat FilterFormats[] = {PictureFormat::Bmp, PictureFormat::Bmp, PictureFormat::Png,
                                                  PictureFormat::Svg, PictureFormat::Pdf};
    tk::FileDialogRequest request;
    request.Title = "Save Plot File As ...";
    request.Filter = "All Files (*.*)|*.*|Bitmap (*.bmp)|*.bmp|PNG Picture (*.png)|*.png|"
                     "SVG Drawing (*.svg)|*.svg|PDF Document (*.pdf)|*.pdf";
    request.FilterIndex = 2;
    request.InitialDir = DialogStartDirectory(Run);
    request.ProposedName = ProposedBitmapName(Run.PlotBase);
    const std::optional<tk::FileChoice> choice = dialogs_.SaveFileAs(request);
    if (!choice || choice->Path.empty() || choice->Path == request.ProposedName) return false;
    std::string path = choice->Path;
    const int filter = choice->FilterIndex >= 1 && choice->FilterIndex <= 5 ? choice->FilterIndex : 2;
    std::optional<PictureFormat> format = PictureFormatOfName(path);
    if (!format) {
        format = FilterFormats[filter - 1];
        // A name typed without any extension gets the chosen kind's; under "All Files" it is
        // written as a bitmap under the name as typed.
        if (filter > 1 && tk::ExtensionOf(path).empty()) path += std::string(".") + PictureExtension(*format);
    }

    if (FileExists(path)) {
        const tk::MsgResult answer = dialogs_.Show("File exists, want to replace it?",
                                                   "Replace " + tk::Lower(path) + " file?", tk::MsgIcon::Question,
                                                   tk::MsgButtons::YesNo);
        if (answer != tk::MsgResult::Yes) return false;
    }
    return WritePicture(path, *format);
}

bool Viewer::ExportShownData()
{
    const std::string csv = ShownCurvesCsv();
    if (csv.empty()) return false;
    tk::FileDialogRequest request;
    request.Title = "Export Data ...";
    request.Filter = "All Files (*.*)|*.*|CSV Data (*.csv)|*.csv";
    request.FilterIndex = 2;
    request.InitialDir = DialogStartDirectory(Run);
    std::string proposed = ProposedBitmapName(Run.PlotBase);
    request.ProposedName = proposed.substr(0, proposed.size() - 4) + ".csv";
    const std::optional<std::string> chosen = dialogs_.SaveFile(request);
    if (!chosen || chosen->empty()) return false;
    std::string path = *chosen;
    if (tk::ExtensionOf(path).empty()) path += ".csv";
    if (FileExists(path)) {
        const tk::MsgResult answer = dialogs_.Show("File exists, want to replace it?",
                                                   "Replace " + tk::Lower(path) + " file?", tk::MsgIcon::Question,
                                                   tk::MsgButtons::YesNo);
        if (answer != tk::MsgResult::Yes) return false;
    }
    return WriteWhole(path, QByteArray::fromStdString(csv));
}

bool Viewer::WritePicture(const std::string& path, PictureFormat format)
{
    const QByteArray bytes = PictureBytes(*this, surface_, format, tk::NamePart(Run.PlotBase));
    if (bytes.isEmpty()) {
        dialogs_.Show(UnexpectedErrorText(EIO), RoutineTitle("FileSaveAs"), tk::MsgIcon::Critical, tk::MsgButtons::Ok);
        return false;
    }
    return WriteWhole(path, bytes);
}

bool Viewer::WriteWhole(const std::string& path, const QByteArray& bytes)
{
    for (int attempt = 1;; ++attempt) {
        const int error = files_->WriteFile(path, bytes);
        if (error == 0) return true;
        const AfterFailure next = ReportFileError(dialogs_, FileRoutine::FileSaveAs, error, path, attempt);
        if (next == AfterFailure::Retry) continue;
        // Nothing was written, whatever comes next: never report it as saved.
        if (next == AfterFailure::CloseAll) host_.CloseViewer();
        return false;
    }
}

std::string Viewer::ProposedPdfPath() const
{
    std::string name = tk::NamePart(Run.PlotBase);
    if (name.empty()) name = "plot";
    return tk::CurrentDirectory() + "/" + name + ".pdf";
}

void Viewer::cmdPrint_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    // Without an installed printer the platform's printer is a PDF file in the working
    // directory, which the printer dialog then offers.
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QFile::decodeName(QByteArray::fromStdString(ProposedPdfPath())));
    }
    if (!dialogs_.ChoosePrinter(printer, false)) return;
    // A printer that fails says nothing, as printing always did; a file that could not be
    // written whole is told, or the user would look for a page that is not there.
    const tk::PrintedFile printed = tk::PrintWhole(printer, [this](QPrinter& p) { return PrintTo(p); });
    if (!printed.Printed && !printed.File.empty())
        dialogs_.Show("The plot could not be written to\r\n" + printed.File + "\r\n" + printed.Reason + ".", "Graphel",
                      tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
}

bool Viewer::PrintTo(QPagedPaintDevice& printer)
{
    const QSize plotSize(surface_.PixelWidth(), surface_.PixelHeight());
    return PrintPlotPage(printer, plotSize, [this](Surface& page) { DrawShownOn(page); },
                         PrintCaption(Run.PlotBase, Data.ErrorSumText));
}

}  // namespace plots
