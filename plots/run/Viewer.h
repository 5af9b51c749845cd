// The plot viewer's core: the run flow and plot sequence, locating a run's files, and the file
// commands. It owns the plot data, the run state and the display settings, turns what the
// reader, the reports and the drawing return into message boxes, tabs, command states and the
// output box's lines, and talks to its window only through ViewerHost and Dialogs, so every
// command can run headless and in tests.
#pragma once

#include "common/Dialogs.h"
#include "plots/data/PlotData.h"
#include "plots/data/PlotKind.h"
#include "plots/data/PlotReader.h"
#include "plots/render/AxisState.h"
#include "plots/render/DisplaySettings.h"
#include "plots/render/PlotDrawing.h"
#include "plots/render/PlotView.h"
#include "plots/render/Surface.h"
#include "plots/report/PlotTitle.h"
#include "plots/run/FileAccess.h"
#include "plots/run/PictureFile.h"
#include "plots/run/PlotPaths.h"
#include "plots/run/PlotRun.h"
#include "plots/run/RunState.h"
#include "plots/run/ViewerHost.h"

#include <QImage>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPrinter;

namespace plots {

// What a press of "&Next >>" did.
enum class NextOutcome {
    Drew,     // a plot or a picture is on the surface
    Failed,   // nothing was drawn: a data file failed to load or could not be found, which the
              // window has said (a box, the open dialog)
    Nothing,  // nothing more to show: "&Next >>" disables itself
    Ended,    // the viewer ended with a fatal message
};

// What a start on a plot base found.
struct StartOutcome {
    bool DataFile = false;  // its data file was there and was read
    ReadOutcome Read;       // how that read went
    bool Picture = false;   // there was no data file, and its picture was located
};

class Viewer {
public:
    Viewer(ViewerHost& host, tk::Dialogs& dialogs, Surface& surface);
    ~Viewer();

    // The run: its data, where it stands, its steps.
    PlotRun& Run() { return run_; }
    const PlotRun& Run() const { return run_; }
    // The display settings plots are drawn with, kept in step with the Setup tab by the window.
    const DisplaySettings& Settings() const { return settings_; }
    void UseSettings(const DisplaySettings& settings) { settings_ = settings; }
    // The ranges and powers of ten of the last plot drawn (the Setup tab fills empty axis
    // fields from them).
    const AxisState& Axis() const { return axis_; }
    // Takes the ranges of a plot drawn elsewhere as the last plot's.
    void UseAxis(const AxisState& axis) { axis_ = axis; }

    Surface& Canvas() { return surface_; }
    ViewerHost& Host() { return host_; }
    tk::Dialogs& Messages() { return dialogs_; }

    // Lists, checks and writes files through another file system (tests); the viewer keeps
    // using the real one otherwise. The object must outlive the viewer's use of it.
    void UseFileAccess(FileAccess& files) { files_ = &files; }

    // Called after every plot or picture the run puts on the surface, with its kind.
    std::function<void(PlotKind)> OnPlotDrawn;

    // The command states, tab and indices of a freshly loaded window.
    void ApplyLoadStates();

    // Starting on a plot base: its data file is read and the run started (a file that could not
    // be read asks once for another), or else its picture is located and shown.
    StartOutcome StartOnFile(const std::string& base);

    // Run flow.
    void start();
    void ContinuePlots();
    void PlotNextStep();
    void cmdPlotResults_Click();
    void cmdNext_Click();
    NextOutcome Next();
    void cmdQuit_Click();
    void cmdExit_Click();

    // The plots of the current data file, and the kind of what the surface shows now.
    const std::vector<PlotKind>& FileSequence() const { return run_.FileSequence(); }
    std::optional<PlotKind> ShownKind() const;
    // True when "&Next >>" has nothing new to show: the last data file's plots and every
    // picture have been shown (a third data file would only replay the second one's plots).
    bool RunComplete() const;
    // Draws what the surface shows (a plot or a picture) again, on the given surface or the
    // viewer's own, at that surface's size.
    void DrawShownOn(Surface& surface) const;
    void Redraw();

    // The run's plots and pictures in the order they were shown, by title ("1. Error Amplitude"),
    // and which of them the surface shows now.
    std::vector<std::string> StepTitles() const;
    std::optional<std::size_t> ShownStep() const;
    // Shows a plot the run has already shown: the same picture that was drawn there, without
    // reading anything or touching the output box. Previous shows the one before the shown one;
    // "&Next >>" shows the one after it while there is one.
    bool ShowStep(std::size_t index);
    bool CanShowPrevious() const;
    void cmdPrevious_Click();

    // Exploring the shown plot: the range it is zoomed to (an axis override for it alone, gone
    // with the next plot), and where its data lie on the viewer's surface as last drawn.
    const PlotZoom& ShownZoom() const { return zoom_; }
    void SetShownZoom(const PlotZoom& zoom);
    // Nothing while a picture or nothing is shown; valid until the next drawing.
    const PlotView* ShownView() const;
    // The shown plot's curves as comma-separated values; empty when a picture is shown.
    std::string ShownCurvesCsv() const;

    // File location.
    void LocatePlotFile(const std::string& base);
    // The data file read last (the run's first or second), or nothing.
    const std::string& DataFileRead() const { return dataFileRead_; }
    // Called after every read of a data file, with its path.
    std::function<void(const std::string&)> OnDataFileRead;

    // The data file shown was written again (a solver finished once more) and is whole: it is
    // read afresh and the plot of the same kind drawn from it, with a notice. A file that cannot
    // be read now is told in the notice line (no box: nobody asked for it), and the picture and
    // the data shown stay. True when it was read.
    bool ReloadDataFile();
    // The data file shown was written again and has stayed short of whole (a solver that
    // stopped half way): told in the notice line until the next notice; the plot stays.
    void DataFileStalled(const std::string& lacks);

    // The run's other files, shown as they are.
    void ReadOutputFile(const std::string& path);
    void ReadSourceFile(const std::string& path);
    void ShowPicturePlot(const std::string& path);

    // File commands: existence test with the drive messages, open, save as bitmap, print.
    bool FileExists(const std::string& name);
    void FileOld();
    // What the open command does with a chosen file (also a file dropped on the window).
    void OpenChosenFile(const std::string& path);
    bool FileSaveAs();
    // "Export data ...": the shown plot's curves as a CSV file the user names. True when written.
    bool ExportShownData();
    void cmdOpen_Click() { FileOld(); }
    void cmdSaveAs_Click() { FileSaveAs(); }
    void cmdPrint_Click();
    // Prints the shown plot on an already chosen printer; false when printing failed.
    bool PrintTo(QPagedPaintDevice& printer);
    // Where printing to a PDF file proposes to write: the current directory, the plot's name.
    std::string ProposedPdfPath() const;

    // What the title of a plot drawn now states beyond the data.
    PlotFacts TitleFacts() const { return run_.TitleFacts(); }

    // The summary of the loaded run in the output box, followed by the run's output listing.
    void WriteRunSummary();

    // True once the current data file's plot sequence has come to its end.
    bool SequenceEnded() const { return run_.SequenceEnded(); }

private:
    // The data the shown plot is drawn from.
    const PlotData& ShownData() const;

    void AppendLine(const std::string& line);
    void DrawPlotNow(const RunStep& step);
    // The display settings with the shown plot's zoom.
    DisplaySettings ShownSettings() const;
    void ShowPicture(const RunStep& step);
    void Drawn(PlotKind kind);
    // True when the shown step is a plot (not a picture, not nothing).
    bool PlotShown() const;
    // Puts a step of the run on the surface and in the output box, or ends the viewer.
    void TakeStep(const RunStep& step);
    ReadOutcome ReadDataFile(const std::string& base, const std::string& ext);
    // The box for a data file that could not be read (not for one without data).
    void ShowReadFailure(const ReadOutcome& read);
    bool WritePicture(const std::string& path, PictureFormat format);
    // Writes a file whole, with the save command's messages when it cannot.
    bool WriteWhole(const std::string& path, const QByteArray& bytes);

    ViewerHost& host_;
    tk::Dialogs& dialogs_;
    Surface& surface_;
    std::unique_ptr<FileAccess> realFiles_;
    FileAccess* files_;
    PlotRun run_;
    DisplaySettings settings_;
    AxisState axis_;
    std::optional<RunStep> shown_;  // what the surface shows, kept to draw it again at another size
    PlotZoom zoom_;
    std::size_t drawnCount_ = 0;  // steps put on the surface, so "&Next >>" can tell whether it drew
    mutable std::optional<PlotDrawing> lastDrawing_;  // of the shown plot, on the viewer's surface
    mutable std::unique_ptr<PlotView> view_;          // made from it when first asked for
    void SetLastDrawing(std::optional<PlotDrawing> drawing) const;
    std::string dataFileRead_;
};

}  // namespace plots
