// The printed page of a plot: the plot drawn as vectors into the printable area, keeping its
// shape, and one caption line under it.
#pragma once

#include "plots/render/VectorPicture.h"

#include <QSize>

#include <string>

class QPagedPaintDevice;

namespace plots {

// Prints the plot (drawn on a surface of `plotSize` pixels, scaled to the page at the device's
// resolution) and the caption on one page of the device (a printer, a PDF writer); false when
// printing failed.
bool PrintPlotPage(QPagedPaintDevice& device, QSize plotSize, const SurfaceDrawing& draw, const std::string& caption);

}  // namespace plots
