#include "plots/render/FontTexts.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace plots {

namespace {

constexpr double FarthestPx = 1e6;

// A coordinate as the text engine takes a drawing point: cut to 1/64 pixel towards zero.
double ToSixtyFourths(double v) { return double(int(v * 64.0)) / 64.0; }

}  // namespace

FontTexts::FontTexts(const QFont& font, const QPaintDevice* device)
    : request_(font), dpi_(device->logicalDpiY()), font_(font, device), metrics_(font_),
      ascent_(metrics_.ascent()), height_(metrics_.height()), averageCharWidth_(metrics_.averageCharWidth())
{
}

FontTexts::Text& FontTexts::Find(const QString& text)
{
    auto found = texts_.find(text);
    if (found != texts_.end()) return *found;
    if (texts_.size() >= MostTexts) texts_.clear();
    return *texts_.insert(text, {});
}

double FontTexts::Advance(const QString& text)
{
    Text& t = Find(text);
    if (!t.Advance) t.Advance = metrics_.horizontalAdvance(text);
    return *t.Advance;
}

QRectF FontTexts::Ink(const QString& text)
{
    Text& t = Find(text);
    if (!t.Ink) t.Ink = metrics_.tightBoundingRect(text);
    return *t.Ink;
}

bool FontTexts::Shapes(QStringView text)
{
    // A text with right-to-left letters or digits is left to the painter, which orders its runs
    // by the text's own first strong direction.
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        const QChar::Direction d = c.direction();
        return c.isPrint() && c.category() != QChar::Separator_Line && c.category() != QChar::Separator_Paragraph &&
               c != QChar::ObjectReplacementCharacter && d != QChar::DirR && d != QChar::DirAL && d != QChar::DirAN;
    });
}

QList<QGlyphRun> FontTexts::Shape(const QString& text) const
{
    // Laid out as one line at the origin, left to right as a painter draws text; the positions
    // are then made relative to its baseline, exactly, since the engine counts in 1/64 pixel.
    QTextLayout layout(text, font_);
    layout.setCacheEnabled(true);  // the glyphs shaped for the line are the ones asked for below
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) return {};
    line.setPosition(QPointF(0, 0));
    const double ascent = line.ascent();
    QList<QGlyphRun> runs = layout.glyphRuns();
    for (QGlyphRun& run : runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& at : positions) at.ry() -= ascent;
        run.setPositions(positions);
    }
    return runs;
}

bool FontTexts::Draw(QPainter& p, QPointF baseline, const QString& text)
{
    // Far off the picture (where 1/64 pixels overflow the engine's counting) the painter's own
    // drawing is left to decide.
    if (!(std::abs(baseline.x()) < FarthestPx && std::abs(baseline.y()) < FarthestPx)) return false;
    if (text.isEmpty()) return true;
    Text& t = Find(text);
    if (!t.Runs) t.Runs = Shape(text);
    const QPointF at(ToSixtyFourths(baseline.x()), ToSixtyFourths(baseline.y()));
    for (const QGlyphRun& run : *t.Runs) p.drawGlyphRun(at, run);
    return true;
}

std::shared_ptr<FontTexts> TextStore::For(const QFont& font, const QPaintDevice* device)
{
    const int dpi = device->logicalDpiY();
    auto found = std::find_if(fonts_.rbegin(), fonts_.rend(), [&](const auto& f) { return f->IsFor(font, dpi); });
    if (found != fonts_.rend()) {
        std::rotate(found.base() - 1, found.base(), fonts_.end());
        return fonts_.back();
    }
    if (fonts_.size() >= MostFonts) fonts_.erase(fonts_.begin());
    fonts_.push_back(std::make_shared<FontTexts>(font, device));
    return fonts_.back();
}

}  // namespace plots
