#include "plots/ui/PlotExplorer.h"

#include "plots/run/Viewer.h"
#include "plots/ui/PictureBox.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QRubberBand>
#include <QWheelEvent>

#include <cmath>

namespace plots {

namespace {
// One notch of the wheel shows this part of the range (in), or its inverse (out).
constexpr double WheelStep = 0.8;
}  // namespace

PlotExplorer::PlotExplorer(PictureBox& box, Viewer& viewer, QLabel& statusLine, QObject* parent)
    : QObject(parent), box_(box), viewer_(viewer), status_(statusLine),
      band_(new QRubberBand(QRubberBand::Rectangle, &box))
{
    box_.setMouseTracking(true);
    box_.installEventFilter(this);
    snapTimer_.setSingleShot(true);
    snapTimer_.setInterval(SnapRestMs);
    connect(&snapTimer_, &QTimer::timeout, this, [this] {
        if (hasMouse_ && drag_ == Drag::None) SnapNow();
    });
}

QPointF PlotExplorer::SurfacePoint(QPointF widgetPos) const
{
    // The surface has the widget's size in device pixels once fitted, and is shown scaled while a
    // resize comes to rest; either way the picture covers the whole widget.
    const QSize picture = box_.SurfaceSize();
    const double sx = box_.width() > 0 ? double(picture.width()) / box_.width() : 1;
    const double sy = box_.height() > 0 ? double(picture.height()) / box_.height() : 1;
    return {widgetPos.x() * sx, widgetPos.y() * sy};
}

void PlotExplorer::Sync()
{
    // A plot drawn since (Next, Open) has no zoom of its own yet.
    if (viewer_.ShownZoom() != history_.Current()) history_.Reset();
}

void PlotExplorer::NewPlot()
{
    history_.Reset();
    drag_ = Drag::None;
    band_->hide();
    status_.clear();
    if (OnChanged) OnChanged();
}

bool PlotExplorer::IsZoomed() const { return viewer_.ShownZoom().IsZoomed(); }

void PlotExplorer::Apply(const std::optional<PlotZoom>& zoom, bool remember)
{
    if (!zoom) return;
    viewer_.SetShownZoom(*zoom);
    if (remember) history_.Push(*zoom);
    if (hasMouse_) ShowReadout(lastAt_);  // the data under the mouse has changed
    if (OnChanged) OnChanged();
}

void PlotExplorer::Home()
{
    Sync();
    if (history_.Home()) Apply(history_.Current(), false);
}

void PlotExplorer::Back()
{
    Sync();
    if (history_.Back()) Apply(history_.Current(), false);
}

void PlotExplorer::Forward()
{
    Sync();
    if (history_.Forward()) Apply(history_.Current(), false);
}

void PlotExplorer::ShowReadout(QPointF widgetPos)
{
    const PlotView* view = viewer_.ShownView();
    if (!view) {
        status_.clear();
        return;
    }
    status_.setText(QString::fromStdString(view->Readout(SurfacePoint(widgetPos))));
}

void PlotExplorer::SnapNow()
{
    const PlotView* view = viewer_.ShownView();
    if (!view) return;
    const QPointF at = hasMouse_ ? SurfacePoint(lastAt_) : view->FramePx().center();
    // Near enough on the screen, whatever the pixel ratio; from the keyboard, anywhere.
    const double within = hasMouse_ ? SnapWithinPx * box_.devicePixelRatioF() : 1e9;
    if (const auto point = view->Snap(at, within)) status_.setText(QString::fromStdString(view->SnapReadout(*point)));
}

void PlotExplorer::ZoomByKey(double notches)
{
    const auto view = viewer_.ShownView();
    if (!view) return;
    Sync();
    const QPointF at = hasMouse_ ? SurfacePoint(lastAt_) : view->FramePx().center();
    Apply(view->ZoomedAbout(at, std::pow(WheelStep, notches)), true);
}

void PlotExplorer::PanByKey(double right, double up)
{
    const auto view = viewer_.ShownView();
    if (!view) return;
    Sync();
    // The plot moves under a fixed window: taking the range right drags the picture left.
    const QRectF frame = view->FramePx();
    const QPointF from = frame.center();
    const QPointF to = from - QPointF(right * frame.width(), -up * frame.height());
    Apply(view->Panned(from, to), true);
}

bool PlotExplorer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &box_) return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        Sync();
        pressAt_ = lastAt_ = e->position();
        const bool pan = e->button() == Qt::MiddleButton ||
                         (e->button() == Qt::LeftButton && (e->modifiers() & Qt::ShiftModifier));
        if (pan) {
            pressView_.reset();
            if (const PlotView* view = viewer_.ShownView()) pressView_ = *view;
            drag_ = pressView_ ? Drag::Pan : Drag::None;
        } else if (e->button() == Qt::LeftButton && viewer_.ShownView()) {
            drag_ = Drag::Box;
            band_->setGeometry(QRect(pressAt_.toPoint(), QSize()));
            band_->show();
        }
        return drag_ != Drag::None;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        lastAt_ = e->position();
        hasMouse_ = true;
        if (drag_ == Drag::Box) band_->setGeometry(QRect(pressAt_.toPoint(), lastAt_.toPoint()).normalized());
        if (drag_ == Drag::Pan) Apply(pressView_->Panned(SurfacePoint(pressAt_), SurfacePoint(lastAt_)), false);
        ShowReadout(lastAt_);
        snapTimer_.start();
        return drag_ != Drag::None;
    }
    case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        lastAt_ = e->position();
        const Drag was = drag_;
        drag_ = Drag::None;
        band_->hide();
        if (was == Drag::Box) {
            if (const auto view = viewer_.ShownView()) Apply(view->ZoomedToBox(SurfacePoint(pressAt_), SurfacePoint(lastAt_)), true);
        } else if (was == Drag::Pan) {
            Apply(pressView_->Panned(SurfacePoint(pressAt_), SurfacePoint(lastAt_)), true);
            pressView_.reset();
        }
        return was != Drag::None;
    }
    case QEvent::Wheel: {
        auto* e = static_cast<QWheelEvent*>(event);
        const double notches = e->angleDelta().y() / 120.0;
        const auto view = viewer_.ShownView();
        if (notches == 0 || !view) return false;
        Sync();
        Apply(view->ZoomedAbout(SurfacePoint(e->position()), std::pow(WheelStep, notches)), true);
        ShowReadout(e->position());
        return true;
    }
    case QEvent::Leave:
        hasMouse_ = false;
        snapTimer_.stop();
        if (drag_ == Drag::None) status_.clear();
        return false;
    default: return false;
    }
}

}  // namespace plots
