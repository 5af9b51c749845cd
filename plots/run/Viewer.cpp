#include "plots/run/Viewer.h"

#include "common/Paths.h"
#include "common/PrintFile.h"
#include "common/Text.h"
#include "plots/data/Listings.h"
#include "plots/data/WholeFile.h"
#include "plots/render/PlotDrawing.h"
#include "plots/render/PrintedPage.h"
#include "plots/report/Format.h"
#include "plots/report/RunSummary.h"
#include "plots/run/CommandStates.h"
#include "plots/run/PictureFile.h"
#include "plots/run/PlotSequence.h"
#include "plots/run/RunBoxes.h"
#include "plots/run/StepDrawing.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cerrno>

#include <sys/stat.h>

namespace plots {

Viewer::Viewer(ViewerHost& host, tk::Dialogs& dialogs, Surface& surface)
    : host_(host), dialogs_(dialogs), surface_(surface), realFiles_(std::make_unique<RealFileAccess>()),
      files_(realFiles_.get())
{
}

Viewer::~Viewer() = default;

void Viewer::ApplyLoadStates()
{
    host_.ShowTab(TabSetup);
    run_.RewindFiles();
    ApplyCommandStates(host_, RunEvent::Loaded);
}

void Viewer::AppendLine(const std::string& line)
{
    host_.AppendOutput("\r\n\t" + line);
}

void Viewer::Drawn(PlotKind kind)
{
    ++drawnCount_;
    if (onPlotDrawn_) onPlotDrawn_(kind);
}

bool Viewer::PlotShown() const { return shown_ && shown_->Kind == StepKind::Plot; }

void Viewer::DrawPlotNow(const RunStep& step)
{
    shown_ = step;
    zoom_ = {};
    const PlotDrawing drawing = *DrawStep(step, settings_, surface_);
    SetLastDrawing(drawing);
    axis_ = drawing.Axis;
    host_.AppendOutput(drawing.Trace);
    if (drawing.FontReleaseFailed) {
        dialogs_.Beep();
        dialogs_.MsgBox(FontReleaseBox());
    }
}

void Viewer::ShowPicture(const RunStep& step)
{
    shown_ = step;
    zoom_ = {};
    SetLastDrawing(std::nullopt);
    DrawPicturePlot(step.Picture, surface_);
}

std::optional<PlotKind> Viewer::ShownKind() const
{
    if (!shown_) return std::nullopt;
    return PlotShown() ? shown_->Plot : PlotKind::Picture;
}

void Viewer::DrawShownOn(Surface& surface) const
{
    if (&surface != &surface_) surface.SetBackColour(surface_.BackColour());
    if (!shown_) {
        surface.Clear();
        return;
    }
    const std::optional<PlotDrawing> drawing = DrawStep(*shown_, ShownSettings(), surface);
    if (drawing && &surface == &surface_) SetLastDrawing(drawing);
}

void Viewer::Redraw() { DrawShownOn(surface_); }

DisplaySettings Viewer::ShownSettings() const
{
    DisplaySettings s = settings_;
    if (zoom_.IsZoomed()) s.Zoom = zoom_;
    return s;
}

void Viewer::SetShownZoom(const PlotZoom& zoom)
{
    if (!PlotShown()) return;
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
    if (!PlotShown() || !lastDrawing_) return nullptr;
    // Made once per drawing: the mouse asks for it at every move.
    if (!view_) view_ = std::make_unique<PlotView>(ShownData(), shown_->Plot, *lastDrawing_);
    return view_.get();
}

std::string Viewer::ShownCurvesCsv() const { return shown_ ? StepCurvesCsv(*shown_) : std::string(); }

const PlotData& Viewer::ShownData() const { return shown_ && shown_->Data ? *shown_->Data : run_.Data(); }

std::vector<std::string> Viewer::StepTitles() const
{
    std::vector<std::string> titles;
    const std::vector<RunStep>& steps = run_.Shown();
    for (std::size_t i = 0; i < steps.size(); ++i)
        titles.push_back(std::to_string(i + 1) + ". " + StepTitle(steps[i], settings_.BlackAndWhite));
    return titles;
}

std::optional<std::size_t> Viewer::ShownStep() const
{
    if (!shown_ || run_.Shown().empty()) return std::nullopt;
    return run_.ShownAt();
}

bool Viewer::ShowStep(std::size_t index)
{
    if (!shown_) return false;
    const RunStep* step = run_.Revisit(index);
    if (!step) return false;
    shown_ = *step;
    zoom_ = {};
    SetLastDrawing(std::nullopt);
    host_.ShowTab(TabPlot);
    if (shown_->Kind == StepKind::Picture)
        DrawPicturePlot(shown_->Picture, surface_);
    else
        Redraw();
    // From an earlier plot "&Next >>" always has the later ones to show.
    if (run_.WentBack()) host_.SetCommandEnabled(Command::Next, true);
    if (onPlotDrawn_) onPlotDrawn_(*ShownKind());
    return true;
}

bool Viewer::CanShowPrevious() const { return ShownStep().value_or(0) > 0; }

void Viewer::cmdPrevious_Click()
{
    if (CanShowPrevious()) ShowStep(run_.ShownAt() - 1);
}

// ---------------------------------------------------------------------------------------------
// Run flow

StartOutcome Viewer::StartOnFile(const std::string& base)
{
    StartOutcome outcome;
    if (FileExists(base + run_.State().FirstFileExt)) {
        outcome.DataFile = true;
        outcome.Read = ReadDataFile(base, run_.State().FirstFileExt);
        if (host_.Unloaded()) return outcome;  // a fatal data message ended the viewer
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
    run_.ForgetShown();
    host_.EnableSettings(true);
    host_.SetCommandVisible(Command::SaveSettings, true);
    ApplyCommandStates(host_, RunEvent::RunStarted);
    run_.State().SecondFilePending = true;
    surface_.SetBackColour(RunBackground(settings_));

    if (run_.Data().PointCount > 0) {
        WriteRunSummary();
    } else {
        if (tk::EndsWith(run_.State().PlotBase, ".plt")) run_.State().PlotBase.erase(run_.State().PlotBase.size() - 4);
        const std::string asked = run_.State().PlotBase;
        LocatePlotFile(run_.State().PlotBase);
        // A file opened from the dialog that a failed look-up brought up waits for "&Plot
        // results >>" like any opened file. When nothing could be loaded (the data file was
        // corrupted, the dialog was cancelled), looking again would only repeat the message
        // and the dialog, and the run would leave "&Open Plot File ..." disabled: it ends as
        // Quit ends it.
        if (run_.State().PlotBase != asked) return;
        if (run_.Data().PointCount < 1) {
            cmdQuit_Click();
            return;
        }
    }
    ContinuePlots();
}

void Viewer::WriteRunSummary()
{
    host_.SetOutputText(RunSummaryText(run_.Data(), QDateTime::currentDateTime()));
    ReadOutputFile(run_.State().PlotBase + ".out");
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
    const bool firstFile = run_.State().FileIndex == 1 && FileExists(run_.State().PlotBase + run_.State().FirstFileExt);
    const bool secondFile = run_.State().FileIndex > 1 && FileExists(run_.State().PlotBase + ".2lt");
    if (firstFile || secondFile)
        PlotNextStep();
    else
        LocatePlotFile(run_.State().PlotBase);
}

void Viewer::PlotNextStep()
{
    host_.ShowTab(TabPlot);
    host_.FocusCommand(Command::Next);
    TakeStep(run_.NextPlot());
}

void Viewer::TakeStep(const RunStep& step)
{
    switch (step.Kind) {
    case StepKind::None:
    case StepKind::Refused: return;  // nothing changed; the reload's caller says why
    case StepKind::Fatal: host_.FatalExit(step.Text); return;
    case StepKind::Picture:
        surface_.Clear();
        ShowPicture(step);
        surface_.Refresh();
        Drawn(PlotKind::Picture);
        return;
    case StepKind::Plot:
        for (const std::string& line : step.Lines) AppendLine(line);
        DrawPlotNow(step);
        Drawn(step.Plot);
        return;
    }
}

NextOutcome Viewer::Next()
{
    // Gone back to an earlier plot: the plots after it come again as they were shown.
    if (shown_ && run_.WentBack()) {
        ShowStep(run_.ShownAt() + 1);
        return NextOutcome::Drew;
    }
    const std::size_t drawnBefore = drawnCount_;
    const auto drew = [&] {
        if (host_.Unloaded()) return NextOutcome::Ended;
        return drawnCount_ > drawnBefore ? NextOutcome::Drew : NextOutcome::Failed;
    };
    switch (run_.Ahead([this](const std::string& name) { return FileExists(name); })) {
    case Advance::Picture: TakeStep(run_.TakePicture()); return drew();
    case Advance::FirstFile:
        surface_.Clear();
        ContinuePlots();
        return drew();
    case Advance::SecondFile:
    case Advance::Replay:
        // The second data file is read once. A later file of the series is never read: when
        // one exists after the second file's plots have all been shown, the second file is
        // read again and its plots are shown anew, instead of asking it for curve blocks that
        // are not there.
        if (run_.State().SecondFilePending || run_.SequenceEnded()) {
            run_.BeginSecondFile();
            LocatePlotFile(run_.State().PlotBase);
        }
        host_.ShowFilename();
        ContinuePlots();
        return drew();
    case Advance::End: break;
    }
    return NextOutcome::Nothing;
}

void Viewer::cmdNext_Click()
{
    if (Next() == NextOutcome::Nothing) host_.SetCommandEnabled(Command::Next, false);
}

bool Viewer::RunComplete() const
{
    // The same decision as "&Next >>" makes, asked quietly: nothing is reported here.
    return run_.Complete([this](const std::string& name) {
        bool any = false;
        return !name.empty() && files_->List(name, any) == 0 && any;
    });
}

void Viewer::cmdQuit_Click()
{
    ApplyCommandStates(host_, RunEvent::Quit);
    host_.ShowTab(TabSetup);
    host_.FocusCommand(Command::OpenPlotFile);
    run_.Quit();
}

void Viewer::cmdExit_Click()
{
    host_.CloseViewer();
}

// ---------------------------------------------------------------------------------------------
// File location

void Viewer::ShowReadFailure(const ReadOutcome& read)
{
    if (const auto box = ReadFailureBox(read, run_.State().PlotBase)) dialogs_.MsgBox(*box);
}

ReadOutcome Viewer::ReadDataFile(const std::string& base, const std::string& ext)
{
    run_.DataFileRead();
    const ReadOutcome read = ReadPlotData(run_.Data(), base + ext);
    if (read.Status == ReadStatus::Missing) return read;
    dataFileRead_ = base + ext;
    if (onDataFileRead_) onDataFileRead_(dataFileRead_);
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
        run_.State().PlotBase.clear();
        host_.ShowFilename();
        break;
    }
    return read;
}

bool Viewer::ReloadDataFile()
{
    // After Quit the run is over: nothing is shown from its file any more.
    if (dataFileRead_.empty() || !run_.Data().IsOpen()) return false;
    PlotData fresh;
    const ReadOutcome read = ReadPlotData(fresh, dataFileRead_);
    if (!read.Loaded()) {
        // Nothing of it is shown: the plot on the surface and the data behind it stay.
        DataFileStalled(MeasureFile(fresh, read, {}, {}).Shortfall);
        return false;
    }

    const bool plotShown = PlotShown() && run_.Data().PointCount > 0;
    const RunStep step = run_.ReadAgain(std::move(fresh), plotShown ? std::optional(shown_->Plot) : std::nullopt);
    if (step.Kind == StepKind::Refused) {
        DataFileStalled(step.Text);
        return false;
    }
    host_.ShowNotice("The plot data file was written again; the plot was drawn anew from it.");
    AppendLine("Plot data read again from " + tk::DisplayName(dataFileRead_));
    TakeStep(step);
    return true;
}

void Viewer::DataFileStalled(const std::string& lacks)
{
    host_.ShowStandingNotice("The plot data file was written again but is not whole (" + lacks +
                             "); the plot shown is from before.");
}

void Viewer::LocatePlotFile(const std::string& base)
{
    surface_.Clear();
    shown_.reset();
    zoom_ = {};
    SetLastDrawing(std::nullopt);
    const bool firstFile = FileExists(base + run_.State().FirstFileExt);
    const bool secondFile = FileExists(base + ".2lt");

    if (run_.State().FileIndex == 1 && firstFile) {
        ApplyCommandStates(host_, RunEvent::DataLocated);
        host_.FocusCommand(Command::PlotResults);
        ReadDataFile(base, run_.State().FirstFileExt);
        host_.ShowTab(TabSetup);
        return;
    }
    if (run_.State().FileIndex > 1 && secondFile) {
        ReadDataFile(base, ".2lt");
        return;
    }
    if (FileExists(base + ".gif")) {
        run_.State().PictureIndex = 2;
        ShowPicturePlot(base + ".gif");
        ReadOutputFile(base + ".out");
        ReadSourceFile(base + ".qz");
        host_.ShowTab(TabPlot);
        Drawn(PlotKind::Picture);
        return;
    }
    dialogs_.MsgBox(NoPlotFileBox());
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
    // The first line continues the box's last line: no break is put in front of it. A large
    // listing may still be going in when this returns.
    host_.AppendListing(std::make_unique<ListingReader>(path), [this, path](bool complete) {
        if (complete) return std::string();
        host_.ShowFilename();
        return OutputCorruptedNotice(path);
    });
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
    dialogs_.MsgBox(SourceMissingBox(run_.State().PlotBase));
    run_.State().PlotBase.clear();
    host_.ShowFilename();
}

void Viewer::ShowPicturePlot(const std::string& path)
{
    host_.ShowTab(TabPlot);
    run_.State().PictureIndex = 2;
    // A picture that is missing or cannot be decoded leaves the surface as it was.
    if (FileExists(path)) ShowPicture(run_.ShowPictureFile(path));
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
    request.InitialDir = DialogStartDirectory(run_.State());
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
    run_.Data().Close();

    run_.State().PlotBase = chosen;
    std::string directory;
    SplitPath(run_.State().PlotBase, directory);
    for (int attempt = 1;; ++attempt) {
        const int error = files_->CheckDirectory(directory);
        if (error == 0) break;
        const AfterFailure next = ReportFileError(dialogs_, FileRoutine::FileOld, error, run_.State().PlotBase, attempt);
        if (next == AfterFailure::Retry) continue;
        if (next == AfterFailure::GoOn) break;
        if (next == AfterFailure::CloseAll) host_.CloseViewer();
        return;
    }
    run_.State().OpenDialogDir = directory;

    run_.State().PlotBase = PlotBaseOf(run_.State().PlotBase);
    run_.ForgetShown();
    run_.State().PictureIndex = 2;
    run_.State().FileIndex = 1;
    host_.SetInputText("");
    host_.SetOutputText("");
    ApplyCommandStates(host_, RunEvent::Opened);
    host_.SetTabEnabled(TabInput, true);
    LocatePlotFile(run_.State().PlotBase);
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
    request.InitialDir = DialogStartDirectory(run_.State());
    request.ProposedName = ProposedBitmapName(run_.State().PlotBase);
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
    request.InitialDir = DialogStartDirectory(run_.State());
    std::string proposed = ProposedBitmapName(run_.State().PlotBase);
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
    const QByteArray bytes = PictureBytes([this](Surface& target) { DrawShownOn(target); }, surface_, format, tk::NamePart(run_.State().PlotBase));
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
    std::string name = tk::NamePart(run_.State().PlotBase);
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
                         PrintCaption(run_.State().PlotBase, run_.Data().ErrorSumText));
}

}  // namespace plots
