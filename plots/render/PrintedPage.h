// The printed page of a plot: the plot scaled into the printable area, keeping its shape, and
// one caption line under it.
#pragma once

#include <QImage>

#include <string>

class QPagedPaintDevice;

namespace plots {

// Prints the picture and its caption on one page of the device (a printer, a PDF writer);
// false when printing failed.
bool PrintPlotPage(QPagedPaintDevice& device, const QImage& picture, const std::string& caption);

}  // namespace plots
