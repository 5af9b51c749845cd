// Whether a plot data file is whole. A solver writes its file over seconds; until it is done the
// file reads without a failure but ends early: fewer data points than its header declares, or a
// curve block that the plot sequence shows still missing or short. The viewer reads such a file
// silently; live reload waits for the rest and --check refuses it.
#pragma once

#include "plots/data/PlotData.h"
#include "plots/data/PlotKind.h"
#include "plots/data/PlotReader.h"

#include <string>
#include <vector>

namespace plots {

// One curve block after the data points, as far as it was read.
struct BlockExtent {
    PlotKind Kind = PlotKind::ImpulseResponse;
    int Declared = 0;  // the block's own count (0: its title or count line is not there)
    int Read = 0;      // the points read
    bool Shown = false;  // the plot sequence shows it
};

struct FileExtent {
    std::vector<BlockExtent> Blocks;  // in file order, up to the first that falls short
    // Empty when whole; otherwise what ends early, in words ("65 of its 100 points are there").
    std::string Shortfall;
    int Line = 0;  // where the reader stopped in the part that falls short

    bool Whole() const { return Shortfall.empty(); }
};

// Measures a file that ReadPlotData has just read into `data` (with outcome `read`) against
// what it declares: the data points, then its curve blocks (`blocks`, in file order) up to the
// last one that `sequence` (the file's plot sequence) shows. The blocks are read from the open file, so
// `data` ends up holding the last one read. A file that did not load falls short as a whole.
FileExtent MeasureFile(PlotData& data, const ReadOutcome& read, const std::vector<PlotKind>& blocks,
                       const std::vector<PlotKind>& sequence);

}  // namespace plots
