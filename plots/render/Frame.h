// The plot frame: surface preparation, text helpers, titles and scale block, axes, grid,
// ticks and axis labels.
#pragma once

#include "plots/render/DrawContext.h"

#include <QRectF>

#include <string>

namespace plots {

// Design-pixel factors and line widths of the surface a plot is drawn on.
float ScreenXFactor(const Surface& s);
float ScreenYFactor(const Surface& s);
int AxisLineWidth(const Surface& s);
int NormalLineWidth(const Surface& s);

void ResetSurface(DrawContext& ctx);
void SetTextColour(DrawContext& ctx, int slot);
void PrintAt(DrawContext& ctx, const std::string& text, float x, float y);
void PrintCentred(DrawContext& ctx, const std::string& text, float y);
void PrintCentredParts(DrawContext& ctx, const std::string& first, const std::string& middle,
                       const std::string& last, float y);
void DrawTitles(DrawContext& ctx);
// The frame (the axes' ranges) in pixels of the surface, as the user scale now places it.
QRectF FramePx(const DrawContext& ctx);
// While the plot is zoomed, the lines drawn next are cut to the frame.
void ClipToFrameWhileZoomed(DrawContext& ctx);
// The frame is the same for every kind of plot; only the ODE's Y axis stands at the left end.
void Grid(DrawContext& ctx, PlotType plotType, double xmin, double xmax, double ymin, double ymax);

}  // namespace plots
