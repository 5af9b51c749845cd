// A drawn plot as the user explores it: where its data lie on the surface's pixels, the values
// under a pixel as its labels write them, the nearest point of its curves, the ranges a dragged
// box, a wheel turn or a pan zoom it to, and its curves as a table of numbers.
#pragma once

#include "plots/data/PlotData.h"
#include "plots/data/PlotKind.h"
#include "plots/render/DisplaySettings.h"
#include "plots/render/PlotDrawing.h"

#include <QPointF>
#include <QRectF>

#include <optional>
#include <string>
#include <vector>

namespace plots {

// The curves a plot shows, in the order they are drawn, named as its titles name them, in data
// units against the common X column. On the pole-zero map the rows are the markers, each with
// its value in the column of its kind (poles, zeroes, doublets) and NaN in the others.
struct NamedCurve {
    std::string Name;
    Series Y;
};
struct CurveTable {
    std::string XName;
    Series X;
    std::vector<NamedCurve> Curves;
};
CurveTable ShownCurves(const PlotData& data, PlotKind kind);

// The table as comma-separated values: a header of the names, the X column first, every number
// with the digits that read back to the same value, an empty cell for a value a row lacks.
std::string CurvesCsv(const CurveTable& table);

// A value under the mouse in an axis' label format ("###.#" across, "###.##" up) at the
// precision the labels have, written in data units (the axis' power of ten applied).
std::string AxisValueText(double shown, int exponent, int labelDecimals);

// The data point the mouse snapped to.
struct SnapPoint {
    std::string Curve;
    int Index = 0;  // from 1, as the data file counts its points
    double X = 0, Y = 0;
    QPointF Pixel;
};

class PlotView {
public:
    PlotView(const PlotData& data, PlotKind kind, const PlotDrawing& drawing);

    // Surface pixels to data units and back.
    QPointF ToData(QPointF px) const;
    QPointF ToPixel(QPointF data) const;
    // The frame (the axes' ranges) in pixels.
    QRectF FramePx() const;
    // The ranges shown now, in data units.
    AxisRange ShownX() const;
    AxisRange ShownY() const;

    // "X: 12.5   Y: .37": the data coordinates under a pixel.
    std::string Readout(QPointF px) const;
    // The nearest point of the nearest curve within `withinPx` pixels, if any.
    std::optional<SnapPoint> Snap(QPointF px, double withinPx) const;
    // "Model  #12   X: 1.5   Y: .52".
    std::string SnapReadout(const SnapPoint& p) const;

    // Ranges to explore: the box dragged between two pixels (an axis on which the box is
    // thinner than a few pixels keeps its range), the view scaled by `factor` about a pixel
    // (below 1 zooms in), and the view moved so that the data under `from` comes under `to`.
    // Nothing when the result cannot be drawn (an empty box, a stretch too fine for the numbers).
    std::optional<PlotZoom> ZoomedToBox(QPointF a, QPointF b) const;
    std::optional<PlotZoom> ZoomedAbout(QPointF px, double factor) const;
    std::optional<PlotZoom> Panned(QPointF from, QPointF to) const;

private:
    struct DrawnCurve {
        std::string Name;
        Series X, Y;        // as plotted, in plot units
        Series DataX, DataY;  // in data units
    };
    std::optional<PlotZoom> Checked(AxisRange x, AxisRange y) const;

    UserScale scale_;
    double xPower_ = 1, yPower_ = 1;
    int xExponent_ = 0, yExponent_ = 0;
    double xmin_ = 0, xmax_ = 0, ymin_ = 0, ymax_ = 0;  // the frame in plot units
    std::vector<DrawnCurve> curves_;
};

}  // namespace plots
