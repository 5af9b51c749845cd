#include "plots/render/TabbedText.h"

#include <QPainter>
#include <QStringList>

#include <cmath>

namespace plots {

double TabStopWidth(const QFontMetricsF& fm) { return 14.0 * fm.averageCharWidth(); }

double TabbedTextWidth(const QString& text, const QFontMetricsF& fm)
{
    if (!text.contains('\t')) return fm.horizontalAdvance(text);
    const double stop = TabStopWidth(fm);
    double x = 0;
    const QStringList pieces = text.split('\t');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        x += fm.horizontalAdvance(pieces[i]);
        if (i + 1 < pieces.size()) x = (std::floor(x / stop) + 1) * stop;
    }
    return x;
}

double TabbedTextEnd(const QString& text, const QFontMetricsF& fm, double startX, double tabOrigin)
{
    if (!text.contains('\t')) return startX + fm.horizontalAdvance(text);
    const double stop = TabStopWidth(fm);
    double x = startX;
    const QStringList pieces = text.split('\t');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        x += fm.horizontalAdvance(pieces[i]);
        if (i + 1 < pieces.size()) x = tabOrigin + (std::floor((x - tabOrigin) / stop) + 1) * stop;
    }
    return x;
}

QRectF TabbedTextInk(const QString& text, const QFontMetricsF& fm, double startX, double tabOrigin)
{
    QRectF ink;
    double x = startX;
    const QStringList pieces = text.split('\t');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (!pieces[i].isEmpty()) ink |= fm.tightBoundingRect(pieces[i]).translated(x, fm.ascent());
        x = TabbedTextEnd(pieces[i] + (i + 1 < pieces.size() ? "\t" : ""), fm, x, tabOrigin);
    }
    return ink;
}

void PaintTextWithTabs(QPainter& p, QPointF topLeft, const QString& text, const QFontMetricsF& fm, double tabOrigin)
{
    const double baseline = topLeft.y() + fm.ascent();
    if (!text.contains('\t')) {
        p.drawText(QPointF(topLeft.x(), baseline), text);
        return;
    }
    const double stop = TabStopWidth(fm);
    double x = topLeft.x();
    const QStringList pieces = text.split('\t');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        p.drawText(QPointF(x, baseline), pieces[i]);
        x += fm.horizontalAdvance(pieces[i]);
        if (i + 1 < pieces.size()) x = tabOrigin + (std::floor((x - tabOrigin) / stop) + 1) * stop;
    }
}

}  // namespace plots
