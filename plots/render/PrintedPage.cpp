#include "plots/render/PrintedPage.h"

#include "plots/render/TabbedText.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace plots {

bool PrintPlotPage(QPagedPaintDevice& device, const QImage& picture, const std::string& caption)
{
    if (picture.isNull()) return false;
    device.setPageOrientation(picture.width() > picture.height() ? QPageLayout::Landscape : QPageLayout::Portrait);

    QPainter p;
    if (!p.begin(&device)) return false;

    QFont font("Arial");
    font.setPointSizeF(11);
    p.setFont(font);
    const QFontMetricsF fm(font, p.device());

    // The painter's origin is the printable area's top-left corner. The caption line is kept
    // inside the printable area, so a tall picture leaves room for it below.
    const QRectF area(QPointF(0, 0), device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    const double availableHeight = std::max(1.0, area.height() - fm.height());
    const double pictureRatio = double(picture.width()) / picture.height();
    QSizeF size;
    if (pictureRatio >= area.width() / availableHeight) size = QSizeF(area.width(), area.width() / pictureRatio);
    else size = QSizeF(availableHeight * pictureRatio, availableHeight);

    p.drawImage(QRectF(area.topLeft(), size), picture);
    p.setPen(Qt::black);
    PaintTextWithTabs(p, QPointF(area.left(), area.top() + size.height()), QString::fromStdString(caption), fm,
                      area.left());
    return p.end();
}

}  // namespace plots
