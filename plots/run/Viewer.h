// The plot viewer's core: the run flow and plot sequence, locating a run's files, and the file
// commands. It owns the plot data, the run state and the axis state, and talks to its window
// only through ViewerHost and Dialogs, so every command can run headless and in tests.
#pragma once

#include "common/Dialogs.h"
#include "common/Registry.h"
#include "plots/data/PlotData.h"
#include "plots/render/AxisState.h"
#include "plots/render/DisplaySettings.h"
#include "plots/render/PlotContext.h"
#include "plots/render/Surface.h"
#include "plots/run/FileAccess.h"
#include "plots/run/PlotPaths.h"
#include "plots/run/RunState.h"
#include "plots/run/ViewerHost.h"

#include <functional>
#include <memory>
#include <string>

class QPrinter;

namespace plots {

class Viewer {
public:
    Viewer(ViewerHost& host, tk::Dialogs& dialogs, Surface& surface);
    ~Viewer();

    PlotData Data;
    RunState Run;
    AxisState Axis;
    DisplaySettings Settings;  // kept in step with the Setup tab by the window

    PlotContext Context();
    Surface& Canvas() { return surface_; }
    ViewerHost& Host() { return host_; }
    tk::Dialogs& Messages() { return dialogs_; }

    // Lists, checks and writes files through another file system (tests); the viewer keeps
    // using the real one otherwise. The object must outlive the viewer's use of it.
    void UseFileAccess(FileAccess& files) { files_ = &files; }

    // Called after every plot or picture the run puts on the surface (the export collects the
    // pictures this way).
    std::function<void()> OnPlotDrawn;

    // The command states, tab and indices of a freshly loaded window.
    void ApplyLoadStates();

    // Run flow.
    void start();
    void ContinuePlots();
    void PlotNextStep();
    void cmdPlotResults_Click();
    void cmdNext_Click();
    void cmdQuit_Click();
    void cmdExit_Click();
    // The plot surface's background for a run: white in black-and-white mode.
    Colour RunBackground() const;

    // File location.
    void LocatePlotFile(const std::string& base);

    // File commands: existence test with the drive messages, open, save as bitmap, print.
    bool FileExists(const std::string& name);
    void FileOld();
    bool FileSaveAs();
    void cmdOpen_Click() { FileOld(); }
    void cmdSaveAs_Click() { FileSaveAs(); }
    void cmdPrint_Click();
    // Prints the surface's picture on an already chosen printer; false when printing failed.
    bool PrintTo(QPrinter& printer);
    // Where printing to a PDF file proposes to write: the current directory, the plot's name.
    std::string ProposedPdfPath() const;

    // True once the current data file's plot sequence has come to its end.
    bool SequenceEnded() const { return sequenceEnded_; }

private:
    void AppendLine(const std::string& line);
    void Drawn();
    void ReadDataFile(const std::string& base, const std::string& ext);
    void FirstLinePlot();
    void CurveVersusData();
    // Reads the next curve block for a plot; false (after the fatal warning) when it is empty.
    bool ReadBlockFor(const char* warning);
    void EndOfFileSequence();
    bool ShowNextPicture();
    bool WriteBitmap(const std::string& path);

    ViewerHost& host_;
    tk::Dialogs& dialogs_;
    Surface& surface_;
    std::unique_ptr<FileAccess> realFiles_;
    FileAccess* files_;
    bool sequenceEnded_ = false;
};

}  // namespace plots
