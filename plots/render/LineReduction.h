// Drawing fewer lines for the same pixels. A curve of tens of thousands of points crosses each
// pixel column many times; most of its lines only paint pixels that its other lines paint too.
#pragma once

#include <QImage>
#include <QLineF>
#include <QList>

#include <functional>
#include <vector>

namespace plots {

// The widths whose aliased, solid, flat-capped lines the raster paint engine fills as the
// pixels whose centres lie in the line's rectangle (up to its rounding); other widths are
// stroked otherwise.
bool LineReductionApplies(int width);

// The pixels a line of that kind may paint: per pixel column met, the first and last row whose
// centre lies in its rectangle widened for the engine's rounding. Calls `column(x, first, last)`
// for each column of the image it meets and stops early when that returns false.
bool ForEachPossibleColumn(const QLineF& line, int width, QSize image,
                           const std::function<bool(int, int, int)>& column);

// Strokes such lines, of one colour and width, into `image` through `stroke`, leaving out every
// line whose possible pixels all hold that colour already: the picture comes out exactly as if
// every line were stroked, in any order. The lines that start in one pixel column are tried
// longest first, so that a few long ones paint what the many short ones would. Returns the
// number of lines stroked.
std::size_t StrokeCoveredLinesOnce(const std::vector<QLineF>& lines, int width, const QImage& image, QRgb colour,
                                   const std::function<void(const QLineF*, int)>& stroke);

// A dotted or dashed grid line is a few hundred dashes, each of which the engine rasterizes as
// a line of its own; an axis-aligned dash of an aliased, flat-capped pen is only the pixels whose
// centres lie in its rectangle (an edge before a centre leaves it out, one after or on it takes it
// in). Paints an axis-aligned line of such a pen, `width` (2 to MostDashWidth) pixels wide, with
// the pen's dash pattern (in pen widths) starting at the line's start, into an RGB32 image as the
// engine strokes it: every whole dash is filled here, the one cut short at the end is left to
// `strokeLast` (stroked solid, it is that dash). False, with nothing painted, where the engine's
// rounding would decide (a dash edge within a millionth of a pixel of a centre) or the line is
// not of this kind.
constexpr int MostDashWidth = 8;
bool PaintAxisDashes(QImage& image, const QLineF& line, int width, const QList<qreal>& pattern, QRgb colour,
                     const std::function<void(const QLineF&)>& strokeLast);

}  // namespace plots
