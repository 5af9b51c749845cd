#include "plots/ui/PictureBox.h"

#include <QPainter>
#include <QResizeEvent>

namespace plots {

PictureBox::PictureBox(ImageSurface& surface, QWidget* parent) : QWidget(parent), surface_(surface)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.OnRefresh = [this] { update(); };
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(rect(), surface_.Image());
}

void PictureBox::resizeEvent(QResizeEvent*) { FitSurface(); }

void PictureBox::FitSurface()
{
    const QSize size = this->size();
    if (size.width() < 1 || size.height() < 1 || size == surface_.Image().size()) return;
    // What is on the surface stays in view, stretched to the new size, until the next plot
    // is drawn at the new size. The surface's scale is kept for drawing that continues.
    const QImage previous = surface_.Image().copy();
    const bool pixels = surface_.IsPixelScale();
    const double left = surface_.ScaleLeft(), top = surface_.ScaleTop();
    const double width = surface_.ScaleWidth(), height = surface_.ScaleHeight();
    surface_.Resize(size.width(), size.height());
    surface_.SetPixelScale();
    surface_.DrawPicture(previous, 0, 0, size.width(), size.height());
    if (!pixels) surface_.SetUserScale(left, top, width, height);
}

}  // namespace plots
