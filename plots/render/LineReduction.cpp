#include "plots/render/LineReduction.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace plots {

namespace {

// How far the engine may fill beyond a line's rectangle, in pixels: across it up to 1/32
// (fixed-point rounding), along it up to half a pixel (short lines are lengthened). Measured
// on a million random lines of widths 2 and 3, from 0.01 to 1,000 pixels long.
constexpr double AcrossMargin = 1.0 / 16;
constexpr double AlongMargin = 0.5 + 1.0 / 16;
// Lines shorter than this, across and down, are stroked without looking.
constexpr double ShortLine = 4;

// The rows whose centres lie in the rectangle of a line (from a, along the unit vector u, of the
// given length and half width, running `extend` past both ends) on the vertical line x = cx.
bool RowsAt(QPointF a, QPointF u, double length, double halfWidth, double extend, double cx, int height, int& first,
            int& last)
{
    double lo = -1e300, hi = 1e300;
    // Both conditions are linear in y: c0 + c1 * y within [mn, mx].
    auto limit = [&](double c0, double c1, double mn, double mx) {
        if (c1 == 0) {
            if (c0 < mn || c0 > mx) lo = 1, hi = 0;
            return;
        }
        double y1 = (mn - c0) / c1, y2 = (mx - c0) / c1;
        if (y1 > y2) std::swap(y1, y2);
        lo = std::max(lo, y1);
        hi = std::min(hi, y2);
    };
    limit((cx - a.x()) * u.x() - a.y() * u.y(), u.y(), -extend, length + extend);  // along the line
    limit(-(cx - a.x()) * u.y() - a.y() * u.x(), u.x(), -halfWidth, halfWidth);   // across it
    if (!(lo <= hi)) return false;
    first = std::max(0, int(std::ceil(lo - 0.5)));
    last = std::min(height - 1, int(std::floor(hi - 0.5)));
    return first <= last;
}

// Rows of one pixel column known to hold the colour, one run per column, learnt from the image
// as lines are tried; nothing in the batch takes the colour away again.
class KnownRuns {
public:
    KnownRuns(const QImage& image, QRgb colour)
        : image_(image), colour_(colour), lo_(std::size_t(image.width()), 0), hi_(std::size_t(image.width()), -1)
    {
    }
    // True when every row from first to last of the column holds the colour.
    bool Holds(int x, int first, int last)
    {
        int& lo = lo_[std::size_t(x)];
        int& hi = hi_[std::size_t(x)];
        if (lo <= first && last <= hi) return true;
        if (lo > hi || last < lo - 1 || first > hi + 1) {
            // Apart from the run known so far: learn this one instead when it holds.
            for (int y = first; y <= last; ++y)
                if (Pixel(x, y) != colour_) return false;
            lo = first;
            hi = last;
            return true;
        }
        for (int y = lo - 1; y >= first; --y, --lo)
            if (Pixel(x, y) != colour_) return false;
        for (int y = hi + 1; y <= last; ++y, ++hi)
            if (Pixel(x, y) != colour_) return false;
        return true;
    }
    // The image changed where lines were just stroked: what failed may hold now.
    void Forget() {}

private:
    QRgb Pixel(int x, int y) const { return reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x]; }
    const QImage& image_;
    QRgb colour_;
    std::vector<int> lo_, hi_;
};

// Dashes lie within this many pixels of the image (the surface cuts its lines to the picture).
constexpr double FarthestDashPx = 1e7;

// std::floor of a coordinate within FarthestDashPx, without a call into the maths library.
double FloorOf(double v)
{
    const double whole = double(static_cast<long long>(v));
    return whole > v ? whole - 1 : whole;
}

// Whether the engine's rounding decides if a pixel whose centre lies at v is in or out.
bool NearCentre(double v) { return std::fabs(v - FloorOf(v) - 0.5) < 1e-6; }

// The pixels from the first whose centre lies after lo to the last whose centre lies at or
// before hi, within 0 and size.
void CentresIn(double lo, double hi, int size, int& first, int& last)
{
    first = std::max(0, int(FloorOf(lo + 0.5)));
    last = std::min(size - 1, int(FloorOf(hi - 0.5)));
}

}  // namespace

bool PaintAxisDashes(QImage& image, const QLineF& line, int width, const QList<qreal>& pattern, QRgb colour,
                     const std::function<void(const QLineF&)>& strokeLast)
{
    if (width < 2 || width > MostDashWidth || image.format() != QImage::Format_RGB32 || !image.isDetached())
        return false;
    if (line.p1() == line.p2()) return true;  // a flat-capped pen paints nothing there
    if (line.x1() != line.x2() && line.y1() != line.y2()) return false;
    const QRectF within(-FarthestDashPx, -FarthestDashPx, 2 * FarthestDashPx, 2 * FarthestDashPx);
    if (!within.contains(line.p1()) || !within.contains(line.p2())) return false;
    qreal patternLength = 0;
    for (const qreal step : pattern) patternLength += step;
    if (pattern.isEmpty() || !(patternLength > 0)) return false;

    // Along the line and across it; the engine walks the dashes as QLineF::setLength cuts them
    // off an axis-aligned line (exactly: its length is |along|, its direction +-1).
    const bool across = line.y1() == line.y2();  // runs across the image, else down it
    const double middle = across ? line.y1() : line.x1();
    const double end = across ? line.x2() : line.y2();
    double at = across ? line.x1() : line.y1();
    const double direction = end >= at ? 1 : -1;
    qreal length = std::fabs(end - at);
    if (length / (patternLength * width) > 1000) return false;
    const double side = middle - width / 2.0, otherSide = middle + width / 2.0;
    if (NearCentre(side) || NearCentre(otherSide)) return false;
    const int alongSize = across ? image.width() : image.height();
    int firstSide, lastSide;
    CentresIn(side, otherSide, across ? image.height() : image.width(), firstSide, lastSide);

    std::vector<std::pair<int, int>> dashes;  // first and last pixel along, of each whole dash
    std::optional<double> lastFrom;
    qsizetype step = 0;
    bool inDash = true;
    while (length > 0) {
        const qreal dash = pattern.at(step) * width;
        if (dash >= length) {
            if (inDash) lastFrom = at;
            break;
        }
        const double next = at + dash * direction;
        if (inDash) {
            const double lo = std::min(at, next), hi = std::max(at, next);
            if (NearCentre(lo) || NearCentre(hi)) return false;
            int first, last;
            CentresIn(lo, hi, alongSize, first, last);
            if (first <= last) dashes.emplace_back(first, last);
        }
        at = next;
        length -= dash;
        inDash = !inDash;
        if (++step >= pattern.size()) step = 0;
    }
    if (firstSide <= lastSide) {
        uchar* const bits = image.bits();
        const qsizetype stride = image.bytesPerLine();
        const auto row = [&](int y) { return reinterpret_cast<QRgb*>(bits + y * stride); };
        for (const auto& [first, last] : dashes) {
            if (across)
                for (int y = firstSide; y <= lastSide; ++y) std::fill(row(y) + first, row(y) + last + 1, colour);
            else
                for (int y = first; y <= last; ++y) std::fill(row(y) + firstSide, row(y) + lastSide + 1, colour);
        }
    }
    if (lastFrom) strokeLast(across ? QLineF(*lastFrom, middle, end, middle) : QLineF(middle, *lastFrom, middle, end));
    return true;
}

bool LineReductionApplies(int width) { return width == 2 || width == 3; }

bool ForEachPossibleColumn(const QLineF& line, int width, QSize image,
                           const std::function<bool(int, int, int)>& column)
{
    const double length = std::hypot(line.dx(), line.dy());
    const double halfWidth = width / 2.0 + AcrossMargin;
    if (!(length > 0)) return true;  // no rectangle: the engine fills nothing
    const QPointF u(line.dx() / length, line.dy() / length);
    const double reach = halfWidth + AlongMargin;
    const int x0 = std::max(0, int(std::ceil(std::min(line.x1(), line.x2()) - reach - 0.5)));
    const int x1 = std::min(image.width() - 1, int(std::floor(std::max(line.x1(), line.x2()) + reach - 0.5)));
    for (int x = x0; x <= x1; ++x) {
        int first, last;
        if (RowsAt(line.p1(), u, length, halfWidth, AlongMargin, x + 0.5, image.height(), first, last) &&
            !column(x, first, last))
            return false;
    }
    return true;
}

std::size_t StrokeCoveredLinesOnce(const std::vector<QLineF>& lines, int width, const QImage& image, QRgb colour,
                                   const std::function<void(const QLineF*, int)>& stroke)
{
    if (!LineReductionApplies(width) || image.format() != QImage::Format_RGB32 || image.isNull()) {
        if (!lines.empty()) stroke(lines.data(), int(lines.size()));
        return lines.size();
    }
    // A curve made mostly of lines too short to look at (a smooth curve of many points) gains
    // nothing from the looking at its few long ones: every line goes in one batch.
    const auto shortLines = std::count_if(lines.begin(), lines.end(), [](const QLineF& l) {
        return std::fabs(l.dy()) < ShortLine && std::fabs(l.dx()) < ShortLine;
    });
    if (std::size_t(shortLines) * 4 > lines.size() * 3) {
        if (!lines.empty()) stroke(lines.data(), int(lines.size()));
        return lines.size();
    }
    KnownRuns known(image, colour);
    std::vector<QLineF> pending;
    std::size_t stroked = 0;
    auto flush = [&] {
        if (pending.empty()) return false;
        stroke(pending.data(), int(pending.size()));
        stroked += pending.size();
        pending.clear();
        return true;
    };
    auto covered = [&](const QLineF& l) {
        return ForEachPossibleColumn(l, width, image.size(),
                                     [&](int x, int first, int last) { return known.Holds(x, first, last); });
    };
    // The lines that start in one pixel column are tried longest first: a few long ones paint
    // what the many short ones would, which then need not be stroked.
    std::vector<std::size_t> order(lines.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    auto extent = [&](std::size_t i) { return std::fabs(lines[i].dx()) + std::fabs(lines[i].dy()); };
    for (std::size_t from = 0; from < lines.size();) {
        const double column = std::floor(lines[from].x1());
        std::size_t to = from + 1;
        while (to < lines.size() && std::floor(lines[to].x1()) == column) ++to;
        if (to - from > 1)
            std::sort(order.begin() + std::ptrdiff_t(from), order.begin() + std::ptrdiff_t(to),
                      [&](std::size_t a, std::size_t b) { return extent(a) > extent(b); });
        from = to;
    }
    for (const std::size_t index : order) {
        const QLineF& l = lines[index];
        // A short line costs the engine less than the look.
        if ((std::fabs(l.dy()) < ShortLine && std::fabs(l.dx()) < ShortLine) || covered(l)) {
            if (std::fabs(l.dy()) < ShortLine && std::fabs(l.dx()) < ShortLine) pending.push_back(l);
            continue;
        }
        // What is still waiting to be stroked may paint it: stroke that and look again.
        if (flush() && covered(l)) continue;
        pending.push_back(l);
    }
    flush();
    return stroked;
}

}  // namespace plots
