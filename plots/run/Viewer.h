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
    Nothing,  // nothing more to show: "&Next >>" disables itself
    Ended,    // the viewer ended with a fatal message
};

// How a start on a file treats a data file that could not be read.
enum class StartMode {
    Window,    // the run starts anyway, which asks once for another file
    Headless,  // nothing more happens
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

    // Starting on a plot base: its data file is read and the run started, or else its picture
    // is located and shown.
    StartOutcome StartOnFile(const std::string& base, StartMode mode = StartMode::Window);

    // Run flow.
    void start();
    void ContinuePlots();
    void PlotNextStep();
    void cmdPlotResults_Click();
    void cmdNext_Click();
    NextOutcome Next();
    void cmdQuit_Click();
    void cmdExit_Click();
    // The plot surface's background for a run: white in black-and-white mode.
    Colour RunBackground() const;

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

    // File location.
    void LocatePlotFile(const std::string& base);
    // The data file read last (the run's first or second), or nothing.
    const std::string& DataFileRead() const { return dataFileRead_; }
    // Called after every read of a data file, with its path.
    std::function<void(const std::string&)> OnDataFileRead;

    // The data file shown was written again (a solver finished once more): it is read afresh
    // and the plot of the same kind drawn from it, with a notice. A file that cannot be read
    // now gets its usual box, and the picture and the data shown stay. True when it was read.
    bool ReloadDataFile();

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
    void cmdOpen_Click() { FileOld(); }
    void cmdSaveAs_Click() { FileSaveAs(); }
    void cmdPrint_Click();
    // Prints the shown plot on an already chosen printer; false when printing failed.
    bool PrintTo(QPagedPaintDevice& printer);
    // Where printing to a PDF file proposes to write: the current directory, the plot's name.
    std::string ProposedPdfPath() const;

    // What the title of a plot drawn now states beyond the data: the date of the run's first
    // data file and, on a fitting run's first file, whether a second one follows.
    PlotFacts TitleFacts() const;

    // The summary of the loaded run in the output box, followed by the run's output listing.
    void WriteRunSummary();

    // True once the current data file's plot sequence has come to its end.
    bool SequenceEnded() const { return run_.SequenceEnded(); }

private:
    // What the surface shows, kept so that it can be drawn again at another size.
    struct Shown {
        PlotKind Kind = PlotKind::Picture;
        PlotFacts Facts;
        QImage Picture;  // a picture plot
    };

    void AppendLine(const std::string& line);
    void DrawPlotNow(PlotKind kind);
    void ShowPicture(const QImage& picture);
    void Drawn(PlotKind kind);
    // Puts a step of the run on the surface and in the output box, or ends the viewer.
    void TakeStep(const RunStep& step);
    ReadOutcome ReadDataFile(const std::string& base, const std::string& ext);
    // The box for a data file that could not be read (not for one without data).
    void ShowReadFailure(const ReadOutcome& read);
    bool WritePicture(const std::string& path, PictureFormat format);

    ViewerHost& host_;
    tk::Dialogs& dialogs_;
    Surface& surface_;
    std::unique_ptr<FileAccess> realFiles_;
    FileAccess* files_;
    PlotRun run_;
    DisplaySettings settings_;
    AxisState axis_;
    std::optional<Shown> shown_;
    std::string dataFileRead_;
};

}  // namespace plots
