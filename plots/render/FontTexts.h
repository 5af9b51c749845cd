// Texts measured and shaped once per font. A plot measures the same few texts again and again
// (to centre them, to fit a legend, to keep the titles clear of the labels), in the first pass
// that learns where they land and again as it draws, on every picture of a run; and each measure
// makes Qt's text engine shape the text anew. Here each text is shaped once per font and
// resolution for each thing asked of it: its advance, the pixels its glyphs cover, the glyphs
// that draw it. Every value is the one QFontMetricsF gives, and the glyphs are drawn where
// QPainter::drawText draws them.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringView>

#include <memory>
#include <optional>
#include <vector>

class QPainter;
class QPaintDevice;

namespace plots {

// The texts of one font measured on devices of one resolution.
class FontTexts {
public:
    FontTexts(const QFont& font, const QPaintDevice* device);
    FontTexts(const FontTexts&) = delete;
    FontTexts& operator=(const FontTexts&) = delete;

    // Whether these are the texts of that font on a device of that resolution.
    bool IsFor(const QFont& font, int dpi) const { return dpi == dpi_ && font == request_; }

    const QFontMetricsF& Metrics() const { return metrics_; }
    double Ascent() const { return ascent_; }
    double Height() const { return height_; }
    double AverageCharWidth() const { return averageCharWidth_; }

    // As QFontMetricsF::horizontalAdvance and QFontMetricsF::tightBoundingRect.
    double Advance(const QString& text);
    QRectF Ink(const QString& text);

    // Whether a text is drawn from its glyphs shaped here: one of printable characters only
    // (no tab, line or paragraph break, control or format character, nor one beyond the basic
    // plane) and none written right to left, which the painter lays out on one line, left to
    // right, as a text layout does.
    static bool Shapes(QStringView text);
    // Draws such a text with its baseline's left end at the point, in the painter's pen, as
    // drawText draws it there; false (nothing drawn) when the point lies too far off.
    bool Draw(QPainter& p, QPointF baseline, const QString& text);

    // At most this many texts are kept; then the font starts afresh (a legend of thousands of
    // values; a window zoomed again and again, each zoom with labels of its own, which would
    // otherwise keep every label's glyphs for as long as it runs: some hundreds of bytes each).
    static constexpr qsizetype MostTexts = 20000;

private:
    struct Text {
        std::optional<double> Advance;
        std::optional<QRectF> Ink;
        std::optional<QList<QGlyphRun>> Runs;
    };
    Text& Find(const QString& text);
    QList<QGlyphRun> Shape(const QString& text) const;

    QFont request_;  // the font asked for
    int dpi_;
    QFont font_;  // that font at the device's resolution
    QFontMetricsF metrics_;
    double ascent_, height_, averageCharWidth_;
    QHash<QString, Text> texts_;
};

// The texts of the fonts a surface measures in, shared with the pass that measures before it
// draws. The fonts asked for least recently are let go beyond a few dozen (a window resized
// again and again asks for new sizes).
class TextStore {
public:
    std::shared_ptr<FontTexts> For(const QFont& font, const QPaintDevice* device);

    static constexpr std::size_t MostFonts = 32;

private:
    std::vector<std::shared_ptr<FontTexts>> fonts_;  // the one asked for last at the end
};

}  // namespace plots
