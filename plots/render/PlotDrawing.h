// Drawing one plot: a function of the plot data, the plot's kind, the display settings and the
// facts its title states, on any surface. The same call draws the window, an export, a print
// and a test recording, at any size and as often as needed; it does not depend on what was
// drawn before.
#pragma once

#include "plots/data/PlotData.h"
#include "plots/data/PlotKind.h"
#include "plots/render/AxisState.h"
#include "plots/render/DisplaySettings.h"
#include "plots/render/Surface.h"
#include "plots/report/PlotTitle.h"

#include <QImage>

#include <string>

namespace plots {

// The user scale a plot ended in: where its plot units lie on the surface's pixels.
struct UserScale {
    double Left = 0, Top = 0, Width = 1, Height = 1;
    int PixelWidth = 1, PixelHeight = 1;
};

struct PlotDrawing {
    std::string Trace;               // the scaler's trace lines, as the output box takes them
    AxisState Axis;                  // the ranges and powers of ten the plot was drawn with
    bool FontReleaseFailed = false;  // the turned title's font could not be given back
    UserScale Scale;                 // the plot's own coordinates on the surface
};

// Draws a line plot or the pole-zero map (not a picture) on the whole surface.
PlotDrawing DrawPlot(const PlotData& data, PlotKind kind, const DisplaySettings& settings, const PlotFacts& facts,
                     Surface& surface);

// A picture plot stretched over the whole surface; a null picture leaves the surface as it was.
void DrawPicturePlot(const QImage& picture, Surface& surface);

}  // namespace plots
