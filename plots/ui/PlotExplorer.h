// Exploring the shown plot with the mouse and keys: a dragged box zooms into its range, the
// wheel zooms about the cursor, Shift+drag or the middle button pans, and the zoom history
// walks home, back and forward. A status line shows the data under the mouse, and the nearest
// point of the nearest curve once the mouse rests over a curve (or on a key). The zoomed range
// is the viewer's axis override for the shown plot; this class only turns gestures into it.
#pragma once

#include "plots/render/PlotView.h"
#include "plots/run/ZoomHistory.h"

#include <QObject>
#include <QPointF>
#include <QTimer>

#include <functional>
#include <optional>

class QLabel;
class QRubberBand;

namespace plots {

class PictureBox;
class Viewer;

class PlotExplorer : public QObject {
    Q_OBJECT
public:
    PlotExplorer(PictureBox& box, Viewer& viewer, QLabel& statusLine, QObject* parent = nullptr);

    // Called for each new plot: its history starts unzoomed.
    void NewPlot();
    // History commands; each redraws when it changes the zoom.
    void Home();
    void Back();
    void Forward();
    bool CanBack() const { return history_.CanBack(); }
    bool CanForward() const { return history_.CanForward(); }
    bool IsZoomed() const;
    // Shows the nearest curve point to the mouse (or to the middle of the plot) in the status line.
    void SnapNow();
    // The keyboard's zoom and pan: zooms by wheel notches about the mouse (or the middle of the
    // plot), and moves the shown range by a share of the frame (positive: right and up).
    void ZoomByKey(double notches);
    void PanByKey(double right, double up);
    // Told after every change of the zoom or its history (the window's buttons follow).
    std::function<void()> OnChanged;

    // How long the mouse rests over a curve before the readout snaps to it, and how near it
    // must be, in pixels of the screen.
    static constexpr int SnapRestMs = 400;
    static constexpr double SnapWithinPx = 10;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Drag { None, Box, Pan };
    // A position in the widget as pixels of the plot surface.
    QPointF SurfacePoint(QPointF widgetPos) const;
    void Apply(const std::optional<PlotZoom>& zoom, bool remember);
    void ShowReadout(QPointF widgetPos);
    void Sync();

    PictureBox& box_;
    Viewer& viewer_;
    QLabel& status_;
    QRubberBand* band_;
    ZoomHistory history_;
    Drag drag_ = Drag::None;
    QPointF pressAt_, lastAt_;
    std::optional<PlotView> pressView_;  // the plot as it was when a pan began
    bool hasMouse_ = false;
    QTimer snapTimer_;
};

}  // namespace plots
