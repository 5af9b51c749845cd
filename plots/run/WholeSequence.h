// Renders every plot that repeated clicks of "&Next >>" would show for a plot file and its
// second data file, without a window: the export command's engine.
#pragma once

#include "common/Dialogs.h"
#include "plots/render/DisplaySettings.h"

#include <QImage>
#include <functional>
#include <string>
#include <vector>

namespace plots {

struct SequenceOptions {
    int Width = 1024;   // surface size in pixels; also stands for the screen in the
    int Height = 768;   // design-pixel factors
    DisplaySettings Settings;
};

struct SequenceResult {
    bool Loaded = false;              // a plot data file or a picture was found and loaded
    std::vector<QImage> Plots;        // one image per plot or picture, in the order shown
    std::string OutputText;           // the output box after the last plot (CR LF line ends)
    std::vector<tk::MessageBoxCall> Messages;  // every message box the run would have shown
    bool Fatal = false;               // the run ended with a fatal data message
    std::string FatalText;
};

// `plotFile` names a .plt or .gif file, or a plot base without extension. Relative names are
// taken from the current directory. `onPlot` (optional) sees each image as it is drawn, with
// its number counted from 1.
SequenceResult RenderWholeSequence(const std::string& plotFile, const SequenceOptions& options,
                                   const std::function<void(const QImage&, int)>& onPlot = {});

}  // namespace plots
