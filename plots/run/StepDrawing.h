// A step of the run on a surface: a plot drawn from the values it was taken with, or its
// picture stretched over the surface. The window, its Previous command and the export draw
// through these, so a step shown again is the picture it was.
#pragma once

#include "plots/render/Colour.h"
#include "plots/render/DisplaySettings.h"
#include "plots/render/PlotDrawing.h"
#include "plots/run/PlotRun.h"

#include <optional>
#include <string>

namespace plots {

class Surface;

// Draws the step at the surface's size: a plot's drawing is returned; a picture is drawn on a
// cleared surface, and a step that shows nothing only clears it.
std::optional<PlotDrawing> DrawStep(const RunStep& step, const DisplaySettings& settings, Surface& surface);

// The step's curves as comma-separated values; empty for a picture.
std::string StepCurvesCsv(const RunStep& step);

// The step's title in the list of the run's plots ("Error Amplitude", "Picture").
std::string StepTitle(const RunStep& step, bool blackAndWhite);

// The plot surface's background for a run: white in black-and-white mode.
Colour RunBackground(const DisplaySettings& settings);

}  // namespace plots
