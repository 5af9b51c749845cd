// The viewer's command-line entry points. The program keeps its one-argument command line;
// an argument that begins with "--" is an option instead.
#pragma once

#include "plots/render/DisplaySettings.h"
#include "plots/run/PictureFile.h"

#include <string>
#include <vector>

namespace plots {

// Reads a command line whose first argument is an option (--check, --export, --help,
// --version) and runs it; the exit code. Usage errors say why on standard error, exit 2.
int RunOptions(const std::vector<std::string>& args);

// --check FILE: reads a plot data file with the viewer's reader and no window.
int RunCheckCommand(const std::vector<std::string>& args);

// What --export is asked to do.
struct ExportOptions {
    std::string Directory, File;
    int Width = 1024, Height = 768;
    PictureFormat Format = PictureFormat::Png;
    bool Smooth = false;  // anti-aliased lines, as the "Smooth lines" setting draws them
    bool Csv = false;     // the plots' curves as numbers instead of pictures
    PlotZoom Zoom;
};

// --export DIR [--size WxH] [--format png|bmp|pdf|svg|csv] [--x-range A:B] [--y-range C:D] FILE:
// renders the plot sequence to files, zoomed to the ranges given.
int RunExportCommand(const ExportOptions& options);
// The same from the arguments after --export, read as the command line reads them.
int RunExportCommand(const std::vector<std::string>& args);

}  // namespace plots
