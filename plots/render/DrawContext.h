// Everything the drawing of one plot works from and on, passed explicitly: the plot data and
// the plot's kind, the Setup tab's settings, the facts the title states, the surface, the axis
// state the drawing computes, and the trace text the scaler writes.
#pragma once

#include "plots/data/PlotData.h"
#include "plots/data/PlotKind.h"
#include "plots/render/AxisState.h"
#include "plots/render/DisplaySettings.h"
#include "plots/render/Surface.h"
#include "plots/report/PlotTitle.h"

#include <QRectF>

#include <algorithm>

#include <cstdint>
#include <string>
#include <vector>

namespace plots {

// Where a plot's Y-axis labels land, in pixels, learnt by a first pass over the plot, so that
// the titles keep clear of them.
struct LabelLayout {
    std::vector<QRectF> YLabels;
    // The left edge of the labels' column; the surface's width when there are none.
    double ColumnLeft(double surfaceWidth) const
    {
        double left = surfaceWidth;
        for (const QRectF& r : YLabels) left = std::min(left, r.left());
        return left;
    }
};

struct DrawContext {
    DrawContext(const PlotData& data, PlotKind kind, const DisplaySettings& settings, const PlotFacts& facts,
                Surface& canvas, AxisState& axis, std::string& trace)
        : Data(data), Kind(kind), Settings(settings), Facts(facts), Canvas(canvas), Axis(axis), Trace(trace)
    {
    }

    const PlotData& Data;
    PlotKind Kind;
    const DisplaySettings& Settings;
    const PlotFacts& Facts;
    Surface& Canvas;
    AxisState& Axis;
    std::string& Trace;
    // The font made for the turned Y-axis title could not be given back.
    bool FontReleaseFailed = false;
    // A pass that only learns where the texts land: the curves, drawn last, are left out.
    bool TextsOnly = false;
    // Where the Y labels land (known on the second pass), and where this pass put them.
    LabelLayout Labels;
    LabelLayout LabelsDrawn;
    // The pixels of the titles and legends printed so far.
    std::vector<QRectF> TextsDrawn;
};

}  // namespace plots
