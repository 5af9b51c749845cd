// A plot as a vector file: one PDF page or one SVG drawing the size of a surface of W x H
// pixels at 96 to the inch, its lines as lines and its texts as text. The file's bytes are
// returned, so the caller writes them whole or not at all.
#pragma once

#include "plots/render/Surface.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace plots {

using SurfaceDrawing = std::function<void(Surface&)>;

// The bytes of the file; empty when the device could not be made or finished.
QByteArray DrawPdf(int width, int height, const SurfaceDrawing& draw, const QString& title = {});
QByteArray DrawSvg(int width, int height, const SurfaceDrawing& draw, const QString& title = {});

}  // namespace plots
