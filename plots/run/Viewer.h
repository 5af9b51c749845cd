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
#include "plots/run/RunState.h"
#include "plots/run/ViewerHost.h"

#include <string>

class QPrinter;

namespace plots {

class Viewer {
public:
    Viewer(ViewerHost& host, tk::Dialogs& dialogs, Surface& surface);

    PlotData Data;
    RunState Run;
    AxisState Axis;
    DisplaySettings Settings;  // kept in step with the Setup tab by the window

    PlotContext Context();
    Surface& Canvas() { return surface_; }
    ViewerHost& Host() { return host_; }
    tk::Dialogs& Messages() { return dialogs_; }

    // Run flow.
    void start();
    void ContinuePlots();
    void PlotNextStep();
    void cmdPlotResults_Click();
    void cmdNext_Click();
    void cmdQuit_Click();
    // The plot surface's background for a run: white in black-and-white mode.
    Colour RunBackground() const;

    // File location.
    void LocatePlotFile(const std::string& base);

    // File commands: existence test with the drive messages, open, save as bitmap, print.
    bool FileExists(const std::string& name);
    void FileOld();
    bool FileSaveAs();
    void cmdPrint_Click();
    // Prints the surface's picture on an already chosen printer; false when printing failed.
    bool PrintTo(QPrinter& printer);

private:
    ViewerHost& host_;
    tk::Dialogs& dialogs_;
    Surface& surface_;
};

// Path helpers of the viewer.
// The name after the last separator; `directory` receives the part before it, or the
// current directory when there is no separator.
std::string SplitPath(const std::string& path, std::string& directory);
// Rewrites the path to name the same file one directory up and tells whether it exists.
bool ExistsInParent(std::string& path);

}  // namespace plots
