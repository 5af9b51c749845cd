#include "plots/run/Viewer.h"

#include "common/Paths.h"
#include "plots/data/Listings.h"
#include "plots/data/PlotReader.h"
#include "plots/render/Curves.h"
#include "plots/render/PoleZeroMap.h"
#include "plots/report/RunSummary.h"

#include <QBuffer>
#include <QImageReader>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cctype>

namespace plots {

namespace {

bool IsPoleZeroKind(int plotType)
{
    return plotType == -1 || plotType == -2;
}

bool IsFittingKind(int plotType)
{
    return plotType >= 1 && plotType <= 8;
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Element-wise sum over the entries both columns have.
void AddInto(Series& target, const Series& addend, int count)
{
    const std::size_t n = std::min({target.size(), addend.size(), std::size_t(std::max(count, 0))});
    for (std::size_t i = 0; i < n; ++i) target[i] += addend[i];
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

QImage LoadPicture(const std::string& path)
{
    // The numbered pictures of a series are GIF files whatever their extension says.
    QImageReader reader(QString::fromStdString(tk::ResolvePath(path)));
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

}  // namespace

Viewer::Viewer(ViewerHost& host, tk::Dialogs& dialogs, Surface& surface)
    : host_(host), dialogs_(dialogs), surface_(surface), realFiles_(std::make_unique<RealFileAccess>()),
      files_(realFiles_.get())
{
}

Viewer::~Viewer() = default;

PlotContext Viewer::Context()
{
    return PlotContext{Data, Run, Axis, Settings, surface_, host_, dialogs_};
}

void Viewer::ApplyLoadStates()
{
    host_.ShowTab(TabSetup);
    Run.PictureIndex = 2;
    Run.FileIndex = 1;
    host_.SetCommandEnabled(Command::SaveAs, false);
    host_.SetCommandEnabled(Command::OpenPlotFile, true);
    host_.SetCommandEnabled(Command::Quit, false);
    host_.SetCommandEnabled(Command::Print, false);
    host_.SetCommandEnabled(Command::PlotResults, false);
    host_.SetCommandEnabled(Command::Next, false);
    host_.SetCommandEnabled(Command::SaveSettings, true);
    host_.SetCommandEnabled(Command::ExitPlots, true);
    host_.SetCommandEnabled(Command::About, true);
}

Colour Viewer::RunBackground() const
{
    return Settings.BlackAndWhite ? White : Settings.Colours[SlotBackground];
}

void Viewer::AppendLine(const std::string& line)
{
    host_.AppendOutput("\r\n\t" + line);
}

void Viewer::Drawn()
{
    if (OnPlotDrawn) OnPlotDrawn();
}

// ---------------------------------------------------------------------------------------------
// Run flow

void Viewer::start()
{
    host_.EnableSettings(true);
    host_.SetCommandVisible(Command::SaveSettings, true);
    host_.SetCommandEnabled(Command::SaveSettings, false);
    host_.SetCommandEnabled(Command::OpenPlotFile, false);
    host_.SetCommandEnabled(Command::SaveAs, true);
    host_.SetCommandEnabled(Command::Quit, true);
    host_.SetCommandEnabled(Command::Print, true);
    host_.SetCommandEnabled(Command::PlotResults, false);
    host_.SetCommandEnabled(Command::Next, true);
    Run.SecondFilePending = true;
    surface_.SetBackColour(RunBackground());

    if (Data.PointCount > 0) {
        PlotContext ctx = Context();
        WriteRunSummary(ctx);
    } else {
        if (EndsWith(Run.PlotBase, ".plt")) Run.PlotBase.erase(Run.PlotBase.size() - 4);
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

void Viewer::cmdPlotResults_Click()
{
    host_.ShowFilename();
    start();
}

void Viewer::ContinuePlots()
{
    // Both tests are made, so each reports its own listing problems.
    const bool firstFile = Run.FileIndex == 1 && FileExists(Run.PlotBase + ".plt");
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
        const std::size_t n = std::size_t(Data.PointCount);
        Axis.CurveY1 = Data.DataY2;
        Axis.CurveY2 = Data.DataY1;
        Axis.CurveY3.assign(n, 0.0);
        Run.CurveKind = 1;
        if (Data.PlotType == 110) {
            Axis.CurveY3 = Data.DataY2;
            AddInto(Axis.CurveY1, Data.DataY1, Data.PointCount);
        }
        if (IsPoleZeroKind(Data.PlotType)) {
            AppendLine("Plotting -Map of Poles & Zeros-");
            PlotContext ctx = Context();
            DrawPoleZeroMap(ctx);
            Run.PlotStep = 1;
            Drawn();
            return;
        }
    }

    switch (Run.PlotStep) {
    case 0:
    case 1:
        FirstLinePlot();
        return;
    case 2:
        CurveVersusData();
        return;
    default:
        break;
    }

    // The curve blocks of the pole-zero kinds; a row whose block is absent falls through.
    if (Run.PlotStep == 3) {
        if (Data.OmegaZeroCount > 1) {
            if (!ReadBlockFor("==Warning== No Sidelobe data in file")) return;
            AppendLine("Calling 3rd line plot ... Sidelobe plot");
            Run.CurveKind = 3;
            Run.PlotStep = 4;
            PlotContext ctx = Context();
            DrawLinePlot(ctx);
            Drawn();
            return;
        }
        Run.PlotStep = 4;
    }
    if (Run.PlotStep == 4) {
        if (Data.DelayMatched == 1) {
            if (!ReadBlockFor("==Warning== No Ripple data in file")) return;
            AppendLine("Calling 3rd or 4th plot ... Ripple plot");
            Run.CurveKind = 4;
            Run.PlotStep = 5;
            PlotContext ctx = Context();
            DrawLinePlot(ctx);
            if (Data.PlotType == -2) EndOfFileSequence();
            Drawn();
            return;
        }
        Run.PlotStep = 5;
    }
    if (!ReadBlockFor("==Warning== No h(t) data in file")) return;
    AppendLine("Calling 4th or 5th plot ... h(t) response");
    Run.CurveKind = 5;
    Run.PlotStep = 6;
    PlotContext ctx = Context();
    DrawLinePlot(ctx);
    Run.PlotStep = 0;
    EndOfFileSequence();
    Drawn();
}

void Viewer::FirstLinePlot()
{
    AppendLine("Calling 1st line plot");
    Run.CurveKind = 1;
    PlotContext ctx = Context();
    DrawLinePlot(ctx);
    Run.PlotStep = 2;
    if (Data.PlotType == 0 || Data.PlotType == 110) EndOfFileSequence();
    Drawn();
}

void Viewer::CurveVersusData()
{
    // The sum is made in the loaded data, as the run summary and the print see it afterwards.
    AddInto(Data.DataY2, Data.DataY1, Data.PointCount);
    if (IsFittingKind(Data.PlotType)) {
        Axis.CurveY1 = Data.DataY2;
        Axis.CurveY2 = Data.DataY1;
    } else {
        Axis.CurveY1 = Data.DataY1;
        Axis.CurveY2 = Data.DataY2;
    }
    AppendLine("Calling 2nd line plot ... Curve vs. Data plot");
    Run.CurveKind = 2;
    Run.PlotStep = 3;
    PlotContext ctx = Context();
    DrawLinePlot(ctx);
    if (!IsPoleZeroKind(Data.PlotType)) EndOfFileSequence();
    Drawn();
}

bool Viewer::ReadBlockFor(const char* warning)
{
    ReadNextBlock(Data);
    if (Data.PointCount <= 0) {
        host_.FatalExit(warning);
        return false;
    }
    Axis.CurveY1 = Data.DataY2;
    return true;
}

void Viewer::EndOfFileSequence()
{
    ++Run.FileIndex;
    sequenceEnded_ = true;
}

bool Viewer::ShowNextPicture()
{
    const std::string picture = Run.PlotBase + "." + std::to_string(Run.PictureIndex) + "if";
    if (!FileExists(picture)) return false;
    surface_.Clear();
    const QImage image = LoadPicture(picture);
    ++Run.PictureIndex;
    if (!image.isNull()) {
        surface_.DrawPicture(image, surface_.ScaleLeft(), surface_.ScaleTop(), surface_.ScaleWidth(),
                             surface_.ScaleHeight());
    }
    surface_.Refresh();
    Drawn();
    return true;
}

void Viewer::cmdNext_Click()
{
    if (ShowNextPicture()) return;

    if (Run.FileIndex == 1 && FileExists(Run.PlotBase + ".plt")) {
        surface_.Clear();
        ContinuePlots();
        return;
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
        return;
    }
    host_.SetCommandEnabled(Command::Next, false);
}

void Viewer::cmdQuit_Click()
{
    host_.SetCommandEnabled(Command::OpenPlotFile, true);
    host_.SetCommandEnabled(Command::SaveSettings, true);
    host_.SetCommandEnabled(Command::PlotResults, false);
    host_.SetCommandEnabled(Command::Next, false);
    host_.ShowTab(TabSetup);
    host_.SetCommandEnabled(Command::ExitPlots, true);
    host_.FocusCommand(Command::OpenPlotFile);
    Data.Close();
    Data.PointCount = -1;
    Run.PictureIndex = 2;
    Run.FileIndex = 1;
    Run.PlotStep = 0;
    sequenceEnded_ = false;
}

void Viewer::cmdExit_Click()
{
    host_.CloseViewer();
}

// ---------------------------------------------------------------------------------------------
// File location

void Viewer::ReadDataFile(const std::string& base, const std::string& ext)
{
    sequenceEnded_ = false;
    ReadPlotData(Data, Run, base, ext, host_, dialogs_);
}

void Viewer::LocatePlotFile(const std::string& base)
{
    surface_.Clear();
    const bool firstFile = FileExists(base + ".plt");
    const bool secondFile = FileExists(base + ".2lt");

    if (Run.FileIndex == 1 && firstFile) {
        surface_.Clear();
        host_.SetCommandEnabled(Command::PlotResults, true);
        host_.FocusCommand(Command::PlotResults);
        ReadDataFile(base, ".plt");
        host_.ShowTab(TabSetup);
        return;
    }
    if (Run.FileIndex > 1 && secondFile) {
        surface_.Clear();
        ReadDataFile(base, ".2lt");
        return;
    }
    if (FileExists(base + ".gif")) {
        surface_.Clear();
        Run.PictureIndex = 2;
        host_.SetCommandEnabled(Command::PlotResults, false);
        host_.SetCommandEnabled(Command::Quit, true);
        PlotContext ctx = Context();
        ShowPicturePlot(ctx, base + ".gif");
        ReadOutputFile(ctx, base + ".out");
        ReadSourceFile(ctx, base + ".qz");
        host_.ShowTab(TabPlot);
        Drawn();
        return;
    }
    dialogs_.Show("No plot file found, needs to be a *.GIF or *.plt file.", "Graphel", tk::MsgIcon::None,
                  tk::MsgButtons::Ok);
    FileOld();
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
    request.InitialDir = Run.OpenDialogDir;
    request.Filter = "All Files (*.*)|*.*|Plot Data Files (*.plt, *.gif)|*.plt;*.gif";
    request.FilterIndex = 2;
    const std::optional<std::string> chosen = dialogs_.OpenFile(request);
    // A cancelled dialog leaves the loaded run as it was, its data file still open for the
    // curve blocks that "&Plot results >>" and "&Next >>" will read.
    if (!chosen || chosen->empty()) return;
    Data.Close();

    Run.PlotBase = *chosen;
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
    Run.PictureIndex = 2;
    Run.FileIndex = 1;
    host_.SetInputText("");
    host_.SetOutputText("");
    host_.SetCommandEnabled(Command::SaveAs, true);
    host_.SetCommandEnabled(Command::Quit, true);
    host_.SetCommandEnabled(Command::Print, true);
    host_.SetCommandEnabled(Command::Next, true);
    host_.SetCommandEnabled(Command::PlotResults, false);
    host_.SetTabEnabled(TabInput, true);
    LocatePlotFile(Run.PlotBase);
    host_.ShowFilename();
}

bool Viewer::FileSaveAs()
{
    tk::FileDialogRequest request;
    request.Title = "Save Plot File As ...";
    request.Filter = "All Files (*.*)|*.*|Bitmap (*.bmp)|*.bmp";
    request.FilterIndex = 2;
    request.ProposedName = ProposedBitmapName(Run.PlotBase);
    const std::optional<std::string> chosen = dialogs_.SaveFile(request);
    if (!chosen || chosen->empty() || *chosen == request.ProposedName) return false;
    const std::string& path = *chosen;

    if (FileExists(path)) {
        const tk::MsgResult answer = dialogs_.Show("File exists, want to replace it?",
                                                   "Replace " + Lower(path) + " file?", tk::MsgIcon::Question,
                                                   tk::MsgButtons::YesNo);
        if (answer != tk::MsgResult::Yes) return false;
    }
    return WriteBitmap(path);
}

bool Viewer::WriteBitmap(const std::string& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!surface_.Picture().save(&buffer, "BMP")) return false;
    buffer.close();

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
        printer.setOutputFileName(QString::fromStdString(ProposedPdfPath()));
    }
    if (!dialogs_.ChoosePrinter(printer, false)) return;
    PrintTo(printer);
}

bool Viewer::PrintTo(QPrinter& printer)
{
    return PrintPlotPage(printer, surface_.Picture(), Run.PlotBase, Data.ErrorSumText);
}

}  // namespace plots
