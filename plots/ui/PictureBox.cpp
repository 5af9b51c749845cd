#include "plots/ui/PictureBox.h"

#include <QPainter>
#include <QResizeEvent>

#include <cmath>

namespace plots {

namespace {
// No wait: the surface is fitted as soon as the events waiting are handled, so the first size
// of a resize is drawn at once, and the sizes a dragged window edge sends while a picture is
// being drawn are gathered into the next one.
constexpr int FitDelayMs = 0;
}  // namespace

PictureBox::PictureBox(ImageSurface& surface, std::function<void()> redraw, QWidget* parent)
    : QWidget(parent), surface_(surface), redraw_(std::move(redraw))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.OnRefresh = [this] { update(); };
    fitTimer_.setSingleShot(true);
    fitTimer_.setInterval(FitDelayMs);
    connect(&fitTimer_, &QTimer::timeout, this, &PictureBox::FitSurface);
}

QSize PictureBox::SurfaceSize() const
{
    const double ratio = devicePixelRatioF();
    return QSize(int(std::lround(width() * ratio)), int(std::lround(height() * ratio)));
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // Device pixels one to one once fitted; scaled while a resize is coming to rest.
    p.setRenderHint(QPainter::SmoothPixmapTransform, surface_.Image().size() != SurfaceSize());
    p.drawImage(QRectF(rect()), surface_.Image());
}

void PictureBox::resizeEvent(QResizeEvent*) { ScheduleFit(); }

bool PictureBox::event(QEvent* event)
{
    // Moved to a screen of another pixel ratio: the surface needs the new number of pixels.
    if (event->type() == QEvent::ScreenChangeInternal)
        ScheduleFit();
    return QWidget::event(event);
}

void PictureBox::ScheduleFit()
{
    if (SurfaceSize() != surface_.Image().size()) fitTimer_.start();
}

void PictureBox::FitSurface()
{
    fitTimer_.stop();
    const QSize size = SurfaceSize();
    if (size.width() < 1 || size.height() < 1 || size == surface_.Image().size()) return;
    surface_.Resize(size.width(), size.height());
    if (redraw_) redraw_();
    update();
}

}  // namespace plots
