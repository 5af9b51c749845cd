#include "plots/render/PainterSurface.h"

#include <QPainter>
#include <QPen>

namespace plots {

namespace {

constexpr int DotsPerMeter96 = 3780;  // 96 dots per inch

Qt::PenStyle QtDash(int style)
{
    switch (style) {
    case DashDash: return Qt::DashLine;
    case DashDot: return Qt::DotLine;
    case DashDashDot: return Qt::DashDotLine;
    case DashDashDotDot: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
    }
}

}  // namespace

PainterSurface::PainterSurface(QPainter& painter, int pixelWidth, int pixelHeight, const QRectF& area)
    : Surface(pixelWidth, pixelHeight), painter_(painter), metrics_(1, 1, QImage::Format_RGB32)
{
    metrics_.setDotsPerMeterX(DotsPerMeter96);
    metrics_.setDotsPerMeterY(DotsPerMeter96);
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
    QPen pen(ToQColor(c));
    pen.setWidthF(width);
    pen.setStyle(QtDash(style));
    pen.setCapStyle(Qt::FlatCap);
    if (dashOffset != 0) pen.setDashOffset(dashOffset);
    painter_.setPen(pen);
    painter_.drawLine(a, b);
}

void PainterSurface::TextPx(QPointF topLeft, const QString& text, const QFont& font, Colour c, double angleDegrees)
{
    painter_.save();
    painter_.setFont(DeviceFont(font));
    painter_.setPen(ToQColor(c));
    if (angleDegrees != 0) {
        painter_.translate(topLeft);
        painter_.rotate(-angleDegrees);  // counter-clockwise on a y-down device
        PaintTabbedText(painter_, QPointF(0, 0), text, font);
    } else {
        PaintTabbedText(painter_, topLeft, text, font);
    }
    painter_.restore();
}

void PainterSurface::PicturePx(const QImage& picture, const QRectF& target)
{
    painter_.save();
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    painter_.drawImage(target, picture);
    painter_.restore();
}

}  // namespace plots
