#include "plots/render/TabbedText.h"

#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

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

// The characters of a text but its tabs, each once.
QString CharacterSet(QStringView text)
{
    std::vector<bool> seen(0x10000);
    std::vector<char32_t> wide;
    QString set;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            wide.push_back(QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
        } else if (c != QLatin1Char('\t') && !seen[c.unicode()]) {
            seen[c.unicode()] = true;
            set += c;
        }
    }
    std::sort(wide.begin(), wide.end());
    wide.erase(std::unique(wide.begin(), wide.end()), wide.end());
    for (const char32_t c : wide) set += QChar::fromUcs4(c);
    return set;
}

}  // namespace

QRectF TabbedTextInk(const QString& text, const QFontMetricsF& fm, double startX, double tabOrigin, double measureTo,
                     bool heightsBeyond, PieceMeasures* known)
{
    // A legend may list thousands of values, many of them alike: each distinct piece is shaped
    // once, and none past measureTo.
    PieceMeasures local;
    PieceMeasures& measured = known ? *known : local;
    if (measured.size() > PieceMeasuresKept) measured.clear();
    const double ascent = fm.ascent();
    QRectF ink;
    double x = startX;
    const double stop = TabStopWidth(fm);
    qsizetype from = 0;
    for (;;) {
        const qsizetype tab = text.indexOf(QLatin1Char('\t'), from);
        const QStringView view = QStringView(text).mid(from, tab < 0 ? -1 : tab - from);
        const bool beyond = !ink.isNull() && ink.right() > measureTo;
        if (beyond) {
            if (!heightsBeyond) break;
            // Each glyph's height is its own, and every piece's ink reaches the baseline: the
            // rest adds the height of its characters shaped once each.
            const QRectF height = fm.tightBoundingRect(CharacterSet(QStringView(text).mid(from)));
            if (!height.isNull()) {
                const QRectF piece = height.translated(0, ascent);
                ink.setTop(std::min(ink.top(), piece.top()));
                ink.setBottom(std::max(ink.bottom(), piece.bottom()));
            }
            break;
        } else {
            const QString pieceText = view.toString();
            auto piece = measured.find(pieceText);
            if (piece == measured.end())
                piece = measured.insert(pieceText, {pieceText.isEmpty() ? QRectF() : fm.tightBoundingRect(pieceText),
                                                    fm.horizontalAdvance(pieceText)});
            if (!pieceText.isEmpty()) ink |= piece->Ink.translated(x, ascent);
            x += piece->Advance;
        }
        if (tab < 0) break;
        x = tabOrigin + (std::floor((x - tabOrigin) / stop) + 1) * stop;
        from = tab + 1;
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
    // The pieces are taken one at a time: a legend line of thousands of values is cut only as
    // far as it shows.
    for (qsizetype from = 0; x <= far;) {
        const qsizetype tab = text.indexOf(QLatin1Char('\t'), from);
        const QString piece = text.mid(from, tab < 0 ? -1 : tab - from);
        p.drawText(QPointF(x, baseline), piece);
        if (tab < 0) break;
        x += fm.horizontalAdvance(piece);
        x = tabOrigin + (std::floor((x - tabOrigin) / stop) + 1) * stop;
        from = tab + 1;
    }
}

}  // namespace plots
