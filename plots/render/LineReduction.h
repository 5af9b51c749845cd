// Drawing fewer lines for the same pixels. A curve of tens of thousands of points crosses each
// pixel column many times; most of its lines only paint pixels that its other lines paint too.
#pragma once

#include <QImage>
#include <QLineF>

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

}  // namespace plots
