#include "plots/render/TabbedText.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace plots {

double TabStopWidth(const FontTexts& texts) { return 14.0 * texts.AverageCharWidth(); }

namespace {

// Where text goes on after a tab at x: the next stop, counted from the tab origin.
double NextTabStop(double x, double tabOrigin, double stop)
{
    return tabOrigin + (std::floor((x - tabOrigin) / stop) + 1) * stop;
}

}  // namespace

double TabbedTextWidth(const QString& text, FontTexts& texts) { return TabbedTextEnd(text, texts, 0, 0); }

double TabbedTextEnd(const QString& text, FontTexts& texts, double startX, double tabOrigin)
{
    if (!text.contains(QLatin1Char('\t'))) return startX + texts.Advance(text);
    const double stop = TabStopWidth(texts);
    double x = startX;
    for (qsizetype from = 0;;) {
        const qsizetype tab = text.indexOf(QLatin1Char('\t'), from);
        x += texts.Advance(text.mid(from, tab < 0 ? -1 : tab - from));
        if (tab < 0) break;
        x = NextTabStop(x, tabOrigin, stop);
        from = tab + 1;
    }
    return x;
}

namespace {

// A piece of text that starts this far right of what can be seen paints nothing there: no
// glyph reaches further left of its start than a glyph is wide.
double PaintsNothingFrom(double visibleRight, const FontTexts& texts) { return visibleRight + texts.Metrics().maxWidth(); }

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

QRectF TabbedTextInk(const QString& text, FontTexts& texts, double startX, double tabOrigin, double measureTo,
                     bool heightsBeyond)
{
    // A legend may list thousands of values, many of them alike: each distinct piece is shaped
    // once, and none past measureTo.
    const double ascent = texts.Ascent();
    QRectF ink;
    double x = startX;
    const double stop = TabStopWidth(texts);
    for (qsizetype from = 0;;) {
        const qsizetype tab = text.indexOf(QLatin1Char('\t'), from);
        if (!ink.isNull() && ink.right() > measureTo) {
            if (!heightsBeyond) break;
            // Each glyph's height is its own, and every piece's ink reaches the baseline: the
            // rest adds the height of its characters shaped once each.
            const QString rest = CharacterSet(QStringView(text).mid(from));
            const QRectF height = rest.isEmpty() ? QRectF() : texts.Ink(rest);
            if (!height.isNull()) {
                const QRectF piece = height.translated(0, ascent);
                ink.setTop(std::min(ink.top(), piece.top()));
                ink.setBottom(std::max(ink.bottom(), piece.bottom()));
            }
            break;
        }
        const QString piece = text.mid(from, tab < 0 ? -1 : tab - from);
        if (!piece.isEmpty()) ink |= texts.Ink(piece).translated(x, ascent);
        x += texts.Advance(piece);
        if (tab < 0) break;
        x = NextTabStop(x, tabOrigin, stop);
        from = tab + 1;
    }
    return ink;
}

void PaintTextWithTabs(QPainter& p, QPointF topLeft, const QString& text, FontTexts& texts, double tabOrigin,
                       const PaintPiece& paint)
{
    const auto paintPiece = [&](QPointF baseline, const QString& piece) {
        if (paint) paint(baseline, piece);
        else p.drawText(baseline, piece);
    };
    const double baseline = topLeft.y() + texts.Ascent();
    if (!text.contains(QLatin1Char('\t'))) {
        paintPiece(QPointF(topLeft.x(), baseline), text);
        return;
    }
    const double stop = TabStopWidth(texts);
    const double far = PaintsNothingFrom(VisibleRight(p), texts);
    double x = topLeft.x();
    // The pieces are taken one at a time: a legend line of thousands of values is cut only as
    // far as it shows.
    for (qsizetype from = 0; x <= far;) {
        const qsizetype tab = text.indexOf(QLatin1Char('\t'), from);
        const QString piece = text.mid(from, tab < 0 ? -1 : tab - from);
        paintPiece(QPointF(x, baseline), piece);
        if (tab < 0) break;
        x += texts.Advance(piece);
        x = NextTabStop(x, tabOrigin, stop);
        from = tab + 1;
    }
}

}  // namespace plots
