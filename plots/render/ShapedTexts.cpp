#include "plots/render/ShapedTexts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace plots {

namespace {

// Enough for every marker and label of a picture; a legend of many values starts afresh.
constexpr qsizetype MostTexts = 512;

constexpr double FarestPx = 1e6;

// A coordinate as the text engine takes a drawing point: cut to 1/64 pixel towards zero.
double ToSixtyFourths(double v) { return double(int(v * 64.0)) / 64.0; }

}  // namespace

const QList<QGlyphRun>& ShapedTexts::Shaped(const QString& text, const QFont& font, const QPaintDevice* device)
{
    if (device != device_ || !(font == font_) || runs_.size() >= MostTexts) {
        runs_.clear();
        font_ = font;
        device_ = device;
        ascent_ = QFontMetricsF(font, const_cast<QPaintDevice*>(device)).ascent();
    }
    auto found = runs_.constFind(text);
    if (found != runs_.constEnd()) return *found;

    // Laid out as one line at the origin; the positions are then made relative to its baseline,
    // exactly, since the engine counts in 1/64 pixel.
    QTextLayout layout(text, font, const_cast<QPaintDevice*>(device));
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);  // as a painter draws text
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    QList<QGlyphRun> runs;
    if (line.isValid()) {
        line.setPosition(QPointF(0, 0));
        const double ascent = line.ascent();
        runs = layout.glyphRuns();
        for (QGlyphRun& run : runs) {
            QList<QPointF> positions = run.positions();
            for (QPointF& at : positions) at.ry() -= ascent;
            run.setPositions(positions);
        }
    }
    return *runs_.insert(text, runs);
}

bool ShapedTexts::Draw(QPainter& p, QPointF topLeft, const QString& text, const QFont& font,
                       const QPaintDevice* device)
{
    const QList<QGlyphRun>& runs = Shaped(text, font, device);
    const QPointF baseline(topLeft.x(), topLeft.y() + ascent_);
    // Far off the picture (where 1/64 pixels overflow the engine's counting) the painter's own
    // drawing is left to decide.
    if (!(std::abs(baseline.x()) < FarestPx && std::abs(baseline.y()) < FarestPx)) return false;
    if (text.isEmpty()) return true;
    const QPointF at(ToSixtyFourths(baseline.x()), ToSixtyFourths(baseline.y()));
    for (const QGlyphRun& run : runs) p.drawGlyphRun(at, run);
    return true;
}

}  // namespace plots
