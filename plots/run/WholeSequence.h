// Renders every plot that repeated clicks of "&Next >>" would show for a plot file and its
// second data file, without a window: the export command's engine. It walks the run's steps
// itself and keeps what a window would have shown of them (the output box, the boxes, the
// fatal text). Each picture is handed on as it is drawn and not kept, so a long run at a large
// size needs the memory of one picture.
#pragma once

#include "common/Message.h"
#include "plots/data/PlotKind.h"
#include "plots/data/PlotReader.h"
#include "plots/render/DisplaySettings.h"
#include "plots/run/PlotRun.h"

#include <functional>
#include <string>
#include <vector>

namespace plots {

class Surface;

struct SequenceOptions {
    int Width = 1024;   // surface size in pixels; also stands for the screen in the
    int Height = 768;   // design-pixel factors
    DisplaySettings Settings;
    // False when the pictures are drawn again as vectors: the run then draws on a surface that
    // only measures, and no picture of the whole size is held in memory.
    bool DrawPictures = true;
};

struct SequenceResult {
    bool Loaded = false;              // a plot data file or a picture was found and loaded
    ReadOutcome Read;                 // how the run's data file was read (Missing: there was none)
    std::vector<PlotKind> Plots;      // what was drawn, in the order shown
    std::string OutputText;           // the output box after the last plot (CR LF line ends)
    std::vector<tk::MessageBoxCall> Messages;  // every message box the run would have shown
    bool Fatal = false;               // the run ended with a fatal data message
    std::string FatalText;
    bool Stopped = false;             // the caller stopped the run
};

// A plot of the sequence as it was drawn, to be drawn again on another surface (a vector
// picture, a recording) or given as numbers.
class SequencePlot {
public:
    SequencePlot(const RunStep* step, const DisplaySettings& settings, const Surface& canvas)
        : step_(step), settings_(settings), canvas_(canvas)
    {
    }
    // Draws the plot again at the surface's size, on the run's background.
    void DrawShownOn(Surface& surface) const;
    // The plot's curves as comma-separated values; empty for a picture.
    std::string ShownCurvesCsv() const;

private:
    const RunStep* step_;  // nothing when the surface shows nothing
    const DisplaySettings& settings_;
    const Surface& canvas_;
};

// Sees each plot as it is drawn: the plot (which can be drawn again on another surface), the
// surface that holds its picture, the plot's kind and its number counted from 1. Returns false
// to stop the run.
using PlotSink = std::function<bool(const SequencePlot& plot, Surface& surface, PlotKind kind, int number)>;

// `plotFile` names a .plt or .gif file, or a plot base without extension. Relative names are
// taken from the current directory.
SequenceResult RenderWholeSequence(const std::string& plotFile, const SequenceOptions& options,
                                   const PlotSink& onPlot = {});

}  // namespace plots
