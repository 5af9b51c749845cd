// The plot surface on any paint device through a painter: a PDF page, an SVG drawing, a
// printed page. The surface counts in its own pixels, the size it is made with, and measures
// fonts at 96 dots per inch as the image surface does, so the same calls lay out the same
// picture; the painter maps those pixels into an area of the device. Lines stay lines and text
// stays text, at the device's own resolution.
#pragma once

#include "plots/render/Surface.h"

#include <QImage>
#include <QRectF>

class QPainter;

namespace plots {

class PainterSurface : public Surface {
public:
    // Draws with a painter already begun on its device, into `area` (device coordinates).
    PainterSurface(QPainter& painter, int pixelWidth, int pixelHeight, const QRectF& area);
    ~PainterSurface() override;
    // A vector device keeps no picture of its own.
    QImage Picture() const override { return {}; }

protected:
    void FillPx(Colour c) override;
    void LinePx(QPointF a, QPointF b, Colour c, int style, int width, double dashOffset) override;
    void TextPx(QPointF topLeft, const QString& text, const QFont& font, Colour c, double angleDegrees) override;
    void PicturePx(const QImage& picture, const QRectF& target) override;
    QPaintDevice* MetricsDevice() const override;

private:
    // The font as the device must be given it to print as large as it measures at 96 dots per
    // inch.
    QFont DeviceFont(const QFont& font) const;

    QPainter& painter_;
    mutable QImage metrics_;
};

}  // namespace plots
