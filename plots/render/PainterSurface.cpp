#include "plots/render/PainterSurface.h"

#include <QPainter>
#include <QPen>

namespace plots {


PainterSurface::PainterSurface(QPainter& painter, int pixelWidth, int pixelHeight, const QRectF& area)
    : Surface(pixelWidth, pixelHeight), painter_(painter), metrics_(ImageAt96Dpi(1, 1))
{
    painter_.save();
    painter_.translate(area.topLeft());
    painter_.scale(area.width() / PixelWidth(), area.height() / PixelHeight());
    painter_.setClipRect(QRectF(0, 0, PixelWidth(), PixelHeight()));
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
}

PainterSurface::~PainterSurface() { painter_.restore(); }

QPaintDevice* PainterSurface::MetricsDevice() const { return &metrics_; }

QFont PainterSurface::DeviceFont(const QFont& font) const
{
    QFont f = font;
    if (font.pixelSize() > 0) return f;  // pixels of the surface, which the painter maps
    f.setPointSizeF(font.pointSizeF() * 96.0 / painter_.device()->logicalDpiY());
    return f;
}

void PainterSurface::FillPx(Colour c) { painter_.fillRect(QRectF(0, 0, PixelWidth(), PixelHeight()), ToQColor(c)); }

void PainterSurface::LinePx(QPointF a, QPointF b, Colour c, int style, int width, double dashOffset)
{
    painter_.setPen(LinePen(c, style, width, dashOffset));
    painter_.drawLine(a, b);
}

void PainterSurface::TextPx(QPointF topLeft, const QString& text, const QFont& font, Colour c, double angleDegrees)
{
    PaintText(painter_, topLeft, text, font, DeviceFont(font), c, angleDegrees);
}

void PainterSurface::PicturePx(const QImage& picture, const QRectF& target) { PaintPicture(painter_, picture, target); }

}  // namespace plots
