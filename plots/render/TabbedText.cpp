#include "plots/render/TabbedText.h"

#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QStringList>

#include <cmath>
#include <limits>

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

namespace {

// A piece of text that starts this far right of what can be seen paints nothing there: no
// glyph reaches further left of its start than a glyph is wide.
double PaintsNothingFrom(double visibleRight, const QFontMetricsF& fm) { return visibleRight + fm.maxWidth(); }

// The right edge of the painter's device in the painter's coordinates; none when the
// coordinates are turned or mirrored.
double VisibleRight(const QPainter& p)
{
    const QTransform t = p.combinedTransform();
    if (!p.device() || t.type() > QTransform::TxScale || t.m11() <= 0) return std::numeric_limits<double>::infinity();
    return t.inverted().map(QPointF(p.device()->width(), 0)).x();
}

}  // namespace

QRectF TabbedTextInk(const QString& text, const QFontMetricsF& fm, double startX, double tabOrigin)
{
    // A legend may list thousands of values, many of them alike: each distinct piece is shaped
    // once.
    struct Measured {
        QRectF Ink;
        double Advance;
    };
    QHash<QString, Measured> measured;
    QRectF ink;
    double x = startX;
    const double stop = TabStopWidth(fm);
    const QStringList pieces = text.split('\t');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        auto piece = measured.find(pieces[i]);
        if (piece == measured.end())
            piece = measured.insert(pieces[i], {pieces[i].isEmpty() ? QRectF() : fm.tightBoundingRect(pieces[i]),
                                                fm.horizontalAdvance(pieces[i])});
        if (!pieces[i].isEmpty()) ink |= piece->Ink.translated(x, fm.ascent());
        x += piece->Advance;
        if (i + 1 < pieces.size()) x = tabOrigin + (std::floor((x - tabOrigin) / stop) + 1) * stop;
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
    const double far = PaintsNothingFrom(VisibleRight(p), fm);
    double x = topLeft.x();
    const QStringList pieces = text.split('\t');
    for (qsizetype i = 0; i < pieces.size() && x <= far; ++i) {
        p.drawText(QPointF(x, baseline), pieces[i]);
        x += fm.horizontalAdvance(pieces[i]);
        if (i + 1 < pieces.size()) x = tabOrigin + (std::floor((x - tabOrigin) / stop) + 1) * stop;
    }
}

}  // namespace plots
