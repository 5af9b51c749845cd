// The viewer's command-line entry points. The program keeps its one-argument command line;
// an argument that begins with "--" is an option instead.
#pragma once

#include <string>
#include <vector>

namespace plots {

// --check FILE: reads a plot data file with the viewer's reader and no window.
int RunCheckCommand(const std::vector<std::string>& args);
// --export DIR [--size WxH] [--format png|bmp|pdf|svg|csv] [--x-range A:B] [--y-range C:D] FILE:
// renders the plot sequence to files, zoomed to the ranges given.
int RunExportCommand(const std::vector<std::string>& args);

}  // namespace plots
