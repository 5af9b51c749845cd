// Text with tab characters, each advancing to the next tab stop: stops every 14 average
// character widths, as a print zone has them. The plot surface and the printed page share it.
#pragma once

#include "plots/render/FontTexts.h"

#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>
#include <limits>

class QPainter;

namespace plots {

double TabStopWidth(const FontTexts& texts);
// The width of the text when its tab stops count from its own start.
double TabbedTextWidth(const QString& text, FontTexts& texts);
// Where the text ends when it starts at startX and its tab stops count from tabOrigin.
double TabbedTextEnd(const QString& text, FontTexts& texts, double startX, double tabOrigin);
// The pixels the text's glyphs cover when it starts at startX with its top at 0, its tab stops
// counted from tabOrigin. Once the ink reaches right of measureTo, the rest of the text is not
// measured (the right end is then somewhere beyond measureTo), or only adds its height.
QRectF TabbedTextInk(const QString& text, FontTexts& texts, double startX, double tabOrigin,
                     double measureTo = std::numeric_limits<double>::infinity(), bool heightsBeyond = true);
// Paints the text with its top-left corner at the point; the tab stops count from tabOrigin.
// Pieces that start beyond the device's right edge are not drawn: they would not show. Each
// piece is painted by `paint` at its baseline's left end, or else by the painter's drawText.
using PaintPiece = std::function<void(QPointF baseline, const QString& piece)>;
void PaintTextWithTabs(QPainter& p, QPointF topLeft, const QString& text, FontTexts& texts, double tabOrigin,
                       const PaintPiece& paint = {});

}  // namespace plots
