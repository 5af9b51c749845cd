#include "plots/render/PrintedPage.h"

#include "plots/render/PainterSurface.h"
#include "plots/render/TabbedText.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace plots {

bool PrintPlotPage(QPagedPaintDevice& device, QSize plotSize, const SurfaceDrawing& draw, const std::string& caption)
{
    if (plotSize.isEmpty() || !draw) return false;
    device.setPageOrientation(plotSize.width() > plotSize.height() ? QPageLayout::Landscape : QPageLayout::Portrait);

    QPainter p;
    if (!p.begin(&device)) return false;

    QFont font("Arial");
    font.setPointSizeF(11);
    p.setFont(font);
    FontTexts texts(font, p.device());
    const QFontMetricsF& fm = texts.Metrics();

    // The painter's origin is the printable area's top-left corner. The caption line is kept
    // inside the printable area, so a tall plot leaves room for it below.
    const QRectF area(QPointF(0, 0), device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    const double availableHeight = std::max(1.0, area.height() - fm.height());
    const double plotRatio = double(plotSize.width()) / plotSize.height();
    QSizeF size;
    if (plotRatio >= area.width() / availableHeight) size = QSizeF(area.width(), area.width() / plotRatio);
    else size = QSizeF(availableHeight * plotRatio, availableHeight);

    {
        PainterSurface surface(p, plotSize.width(), plotSize.height(), QRectF(area.topLeft(), size));
        draw(surface);
    }
    p.setPen(Qt::black);
    PaintTextWithTabs(p, QPointF(area.left(), area.top() + size.height()), QString::fromStdString(caption), texts,
                      area.left());
    return p.end();
}

}  // namespace plots
