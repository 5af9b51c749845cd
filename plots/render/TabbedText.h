// Text with tab characters, each advancing to the next tab stop: stops every 14 average
// character widths, as a print zone has them. The plot surface and the printed page share it.
#pragma once

#include <QFontMetricsF>
#include <QHash>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <limits>

class QPainter;

namespace plots {

double TabStopWidth(const QFontMetricsF& fm);
// The width of the text when its tab stops count from its own start.
double TabbedTextWidth(const QString& text, const QFontMetricsF& fm);
// Where the text ends when it starts at startX and its tab stops count from tabOrigin.
double TabbedTextEnd(const QString& text, const QFontMetricsF& fm, double startX, double tabOrigin);
// The pixels the text's glyphs cover when it starts at startX with its top at 0, its tab stops
// counted from tabOrigin. Once the ink reaches right of measureTo, the rest of the text is not
// measured (the right end is then somewhere beyond measureTo), or only adds its height.
// Pieces already measured in one font on one device, given on from call to call (a legend line
// is measured to fit and again where it is printed); at most PieceMeasuresKept are kept.
struct PieceMeasure {
    QRectF Ink;
    double Advance;
};
using PieceMeasures = QHash<QString, PieceMeasure>;
constexpr qsizetype PieceMeasuresKept = 100000;
QRectF TabbedTextInk(const QString& text, const QFontMetricsF& fm, double startX, double tabOrigin,
                     double measureTo = std::numeric_limits<double>::infinity(), bool heightsBeyond = true,
                     PieceMeasures* known = nullptr);
// Paints the text with its top-left corner at the point; the tab stops count from tabOrigin.
// Pieces that start beyond the device's right edge are not drawn: they would not show.
void PaintTextWithTabs(QPainter& p, QPointF topLeft, const QString& text, const QFontMetricsF& fm, double tabOrigin);

}  // namespace plots
