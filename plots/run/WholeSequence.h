// Renders every plot that repeated clicks of "&Next >>" would show for a plot file and its
// second data file, without a window: the export command's engine. Each picture is handed on
// as it is drawn and not kept, so a long run at a large size needs the memory of one picture.
#pragma once

#include "common/Dialogs.h"
#include "plots/data/PlotKind.h"
#include "plots/data/PlotReader.h"
#include "plots/render/DisplaySettings.h"

#include <functional>
#include <string>
#include <vector>

namespace plots {

class Surface;
class Viewer;

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

// Sees each plot as it is drawn: the viewer (whose surface holds the picture, and which can
// draw it again on another surface), the plot's kind and its number counted from 1. Returns
// false to stop the run.
using PlotSink = std::function<bool(const Viewer& viewer, Surface& surface, PlotKind kind, int number)>;

// `plotFile` names a .plt or .gif file, or a plot base without extension. Relative names are
// taken from the current directory.
SequenceResult RenderWholeSequence(const std::string& plotFile, const SequenceOptions& options,
                                   const PlotSink& onPlot = {});

}  // namespace plots
