// The boxes and output-box texts of a run's files, made once for the window and the export:
// the window shows the boxes, the export tells them on standard error.
#pragma once

#include "common/Message.h"
#include "plots/data/PlotReader.h"

#include <optional>
#include <string>

namespace plots {

// The box for a data file that could not be read; nothing for a read that needs none (a file
// that was read, is missing, or holds no data: that one ends the run).
std::optional<tk::MessageBoxCall> ReadFailureBox(const ReadOutcome& read, const std::string& plotBase);

// Neither the run's data file nor its picture is there.
tk::MessageBoxCall NoPlotFileBox();

// The run's source file is missing or broke off while it was read.
tk::MessageBoxCall SourceMissingBox(const std::string& plotBase);

// The turned title's font could not be given back.
tk::MessageBoxCall FontReleaseBox();

// What the output box gets for the run's output listing: the listing, or the notice that it is
// missing, or the lines read and the notice that it broke off. `complete` tells which. (The
// window reads it a part at a time, through ViewerHost::AppendListing, to the same text.)
std::string OutputListingText(const std::string& path, bool exists, bool& complete);

}  // namespace plots
