#include "plots/render/VectorPicture.h"

#include "plots/render/PainterSurface.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace plots {

QByteArray DrawPdf(int width, int height, const SurfaceDrawing& draw, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(96);
        pdf.setTitle(title);
        pdf.setCreator("plots");
        pdf.setPageSize(QPageSize(QSizeF(width * 72.0 / 96, height * 72.0 / 96), QPageSize::Point, QString(),
                                  QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter p;
        if (!p.begin(&pdf)) return {};
        {
            PainterSurface surface(p, width, height, QRectF(0, 0, pdf.width(), pdf.height()));
            draw(surface);
        }
        if (!p.end()) return {};
    }
    return bytes;
}

QByteArray DrawSvg(int width, int height, const SurfaceDrawing& draw, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(width, height));
    svg.setViewBox(QRect(0, 0, width, height));
    svg.setResolution(96);
    svg.setTitle(title);
    QPainter p;
    if (!p.begin(&svg)) return {};
    {
        PainterSurface surface(p, width, height, QRectF(0, 0, width, height));
        draw(surface);
    }
    if (!p.end()) return {};
    return bytes;
}

}  // namespace plots
