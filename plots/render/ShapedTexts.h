// Short texts shaped once and drawn as glyph runs. A pole-zero map prints the same marker letter
// a hundred thousand times; laying it out again for every marker costs more than drawing it.
// What is drawn is what QPainter::drawText draws for the same text, font and point.
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QPointF>
#include <QString>

class QPainter;
class QPaintDevice;

namespace plots {

class ShapedTexts {
public:
    // Texts this long or shorter, without tabs, are kept; others are not worth keeping.
    static constexpr qsizetype Longest = 16;
    static bool Keeps(const QString& text) { return text.size() <= Longest && !text.contains(QLatin1Char('\t')); }

    // Draws a kept text with its top-left corner at the point, in the painter's pen, with the
    // font as measured on the device; false (nothing drawn) when the point lies too far off.
    bool Draw(QPainter& p, QPointF topLeft, const QString& text, const QFont& font, const QPaintDevice* device);

private:
    const QList<QGlyphRun>& Shaped(const QString& text, const QFont& font, const QPaintDevice* device);

    // The texts of one font on one device; a new font starts afresh.
    QFont font_;
    const QPaintDevice* device_ = nullptr;
    double ascent_ = 0;
    QHash<QString, QList<QGlyphRun>> runs_;
};

}  // namespace plots
