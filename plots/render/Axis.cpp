// Axis scaling: a round range and an even power of ten per axis.
#include "plots/render/Axis.h"

#include "plots/render/Frame.h"
#include "plots/report/Format.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plots {

namespace {

double FloorDecimal(double v) { return std::floor(SnapToWhole(v)); }

// Rounds to the nearest whole number, halves to even.
double RoundHalfEven(double v) { return std::nearbyint(v); }

// v / 10^exponent, multiplying by the exact power where that is the more exact way.
double DivideByPowerOfTen(double v, int exponent)
{
    if (exponent < 0 && exponent >= -300) return v * std::pow(10.0, -exponent);
    return v / std::pow(10.0, exponent);
}

struct Range {
    double Min, Max;
};

// Smallest and largest of the first n values (n ≥ 1 entries are read when present).
Range RangeOf(const Series& v, std::size_t n)
{
    n = std::min(n, v.size());
    if (n == 0) return {0, 0};
    Range r{v[0], v[0]};
    for (std::size_t i = 1; i < n; ++i) {
        r.Min = std::min(r.Min, v[i]);
        r.Max = std::max(r.Max, v[i]);
    }
    return r;
}

void Widen(Range& r, const Series& v, std::size_t n)
{
    n = std::min(n, v.size());
    for (std::size_t i = 0; i < n; ++i) {
        r.Min = std::min(r.Min, v[i]);
        r.Max = std::max(r.Max, v[i]);
    }
}

void DivideInPlace(Series& v, std::size_t n, int exponent)
{
    if (exponent == 0) return;
    n = std::min(n, v.size());
    for (std::size_t i = 0; i < n; ++i) v[i] = DivideByPowerOfTen(v[i], exponent);
}

// A number as the Ydot range shows it: general format, a blank in place of a plus sign.
std::string SignedGeneral(double v) { return (v < 0 ? "" : " ") + FormatGeneral(v); }

std::size_t PointsOf(const DrawContext& ctx) { return ctx.Data.PointCount > 0 ? std::size_t(ctx.Data.PointCount) : 0; }

}  // namespace

// Values the scaler rounds are decimals that binary arithmetic leaves a hair off a whole
// number (10 × 1.1 is 11.000000000000002); such a hair must not move a step or a minimum a
// whole unit, so a value within a few parts in 10^12 of a whole number counts as that number.
double SnapToWhole(double v)
{
    const double whole = std::nearbyint(v);
    return std::fabs(v - whole) <= 1e-12 * std::max(1.0, std::fabs(v)) ? whole : v;
}

// An override field is read for its leading number ("0.5abc" reads 0.5, an emptied field 0).
// A step that reads as 0 would leave the axis without width, so the computed range stays then.
namespace {
bool ApplyMinAndStep(double lo, double step, int steps, double& min, double& max)
{
    if (step == 0 || !std::isfinite(lo) || !std::isfinite(step)) return false;
    min = lo;
    max = lo + steps * step;
    return true;
}
}  // namespace

bool ApplyAxisOverride(const AxisOverride& o, int steps, double& min, double& max)
{
    if (!o.Enabled) return false;
    return ApplyMinAndStep(LeadingNumber(o.MinText), LeadingNumber(o.StepText), steps, min, max);
}

std::optional<AxisRange> ZoomOf(const DisplaySettings& settings, AxisName axis)
{
    const std::optional<AxisRange>& r = axis == AxisName::X ? settings.Zoom.X : settings.Zoom.Y;
    if (!r || !std::isfinite(r->Min) || !std::isfinite(r->Max) || !(r->Min < r->Max)) return std::nullopt;
    return r;
}

// A zoomed axis is overridden as a ticked box would override it: its minimum and ten X or five
// Y steps, in the units of the power of ten the scaler chose for the zoomed stretch.
bool ApplyOverrideOf(const DrawContext& ctx, AxisName axis, int exponent, double& min, double& max)
{
    const int steps = axis == AxisName::X ? 10 : 5;
    if (const auto zoom = ZoomOf(ctx.Settings, axis)) {
        const double lo = DivideByPowerOfTen(zoom->Min, exponent);
        const double hi = DivideByPowerOfTen(zoom->Max, exponent);
        return ApplyMinAndStep(lo, (hi - lo) / steps, steps, min, max);
    }
    return ApplyAxisOverride(axis == AxisName::X ? ctx.Settings.X : ctx.Settings.Y, steps, min, max);
}

double Log10(double x) { return std::log10(x); }

double Ceil(double x) { return -std::floor(-x); }

void ScaleAxis(double& min, double& max, std::int16_t intervals, std::int16_t& exponent, std::string& trace)
{
    const double n = intervals > 0 ? intervals : 1;
    // A range that is not a range (infinite ends, or upper below lower, as a map without
    // poles can give) is made one before it is rounded, instead of producing garbage.
    if (!std::isfinite(min) || !std::isfinite(max)) min = max = 0;
    if (max < min) std::swap(min, max);

    double s = (max - min) / n;
    if (!std::isfinite(s)) s = max / n - min / n;  // ends near the largest doubles
    if (!std::isfinite(s)) s = std::numeric_limits<double>::max();
    exponent = 0;
    if (s >= 100 || (s < 0.1 && s != 0)) {
        const double e = RoundHalfEven(Log10(s));
        const double t = e > 0 ? e : e - 1;
        exponent = std::int16_t(2 * std::floor(t / 2));
    }
    max = DivideByPowerOfTen(max, exponent);
    min = DivideByPowerOfTen(min, exponent);
    s = (max - min) / n;

    // Round the minimum down to one decimal when that widens the span by less than 10 %.
    const double a = std::fabs(min);
    double m = 0;
    if (a >= 0.1)
        m = FloorDecimal(10 * min) / 10;
    else if (a >= 0.01)
        m = std::floor(FloorDecimal(100 * min) / 10) / 10;
    if (m < min && 1.1 * n * s > max - m) min = m;

    s = (max - min) / n;
    if (s == 0) s = 1.1;
    // The step rounded up to two significant figures: r × q, r from 1.0 to 10.0.
    const double q = std::pow(10.0, std::floor(SnapToWhole(Log10(s))));
    const double r = Ceil(SnapToWhole(10 * s / q)) / 10;
    trace += "\r\n\t Min/Max/step=  " + FormatGeneral(min) + " " + FormatGeneral(max) + " " +
             FormatGeneral(r) + " " + FormatGeneral(q);
    if (min + n * q * r < max) trace += "\r\n\t step/min= " + FormatGeneral(q * r) + FormatGeneral(min);

    const double step = q * r;
    const double m2 = min + n * step;
    if (m2 >= max) max = m2;
    trace += "\r\n\t min/max/step= " + FormatGeneral(min) + " " + FormatGeneral(max) + " " + FormatGeneral(step);
}

void ScaleXAxis(DrawContext& ctx)
{
    ScaleAxis(ctx.Axis.Xmin, ctx.Axis.Xmax, 11, ctx.Axis.XExponent, ctx.Trace);
}

void ScaleYAxis(DrawContext& ctx)
{
    ScaleAxis(ctx.Axis.Ymin, ctx.Axis.Ymax, 6, ctx.Axis.YExponent, ctx.Trace);
}

void PrepareXAxis(DrawContext& ctx)
{
    AxisState& ax = ctx.Axis;
    const std::size_t n = std::min(PointsOf(ctx), ctx.Data.DataX.size());
    ax.CurveX.assign(ctx.Data.DataX.begin(), ctx.Data.DataX.begin() + std::ptrdiff_t(n));
    // The abscissa is ordered, so its ends are its first and last points.
    ax.Xmin = n > 0 ? ax.CurveX.front() : 0;
    ax.Xmax = n > 0 ? ax.CurveX.back() : 0;
    if (ax.Xmax < ax.Xmin) std::swap(ax.Xmin, ax.Xmax);
    // A zoomed axis takes the power of ten that its stretch calls for.
    if (const auto zoom = ZoomOf(ctx.Settings, AxisName::X)) ax.Xmin = zoom->Min, ax.Xmax = zoom->Max;
    ScaleXAxis(ctx);
    ax.XPower = std::pow(10.0, ax.XExponent);
    ApplyOverrideOf(ctx, AxisName::X, ax.XExponent, ax.Xmin, ax.Xmax);
    DivideInPlace(ax.CurveX, n, ax.XExponent);
}

void PrepareYAxis(DrawContext& ctx)
{
    AxisState& ax = ctx.Axis;
    const bool ode = ctx.Data.PlotType == PlotType::Ode;
    const bool twoCompartments = ctx.Data.PlotType == PlotType::TwoCompartment;
    const bool versusData = ctx.Kind == PlotKind::CurveVersusData;
    const std::size_t n = PointsOf(ctx);

    // The searches start from the first value; fixed seeds such as ±1E10 would leak into
    // the range of data that lies wholly beyond them.
    const Range a0 = RangeOf(ax.CurveY1, n);
    Range a = a0;
    Range b = a0;
    const bool ownRangeForY2 = ode || versusData;
    if (ownRangeForY2) {
        b = RangeOf(ax.CurveY2, n);
    } else if (twoCompartments) {
        Widen(a, ax.CurveY2, n);
        Widen(a, ax.CurveY3, n);
    }

    if (versusData) {
        ax.Ymin = std::min(a.Min, b.Min);
        ax.Ymax = std::max(a.Max, b.Max);
    } else if (ode) {
        ax.Ymin = b.Min;
        ax.Ymax = b.Max;
    } else {
        ax.Ymin = a.Min;
        ax.Ymax = a.Max;
    }

    if (const auto zoom = ZoomOf(ctx.Settings, AxisName::Y)) ax.Ymin = zoom->Min, ax.Ymax = zoom->Max;
    ScaleYAxis(ctx);
    ax.YPower = std::pow(10.0, ax.YExponent);
    ApplyOverrideOf(ctx, AxisName::Y, ax.YExponent, ax.Ymin, ax.Ymax);

    if (ode) {
        // A solution and its derivative on one axis: the derivative is mapped onto the
        // solution's range, and its own range is stated in the corner.
        ax.PlotTitle = "Min: " + SignedGeneral(a.Min) + "\tMax: " + SignedGeneral(a.Max);
        PrintAt(ctx, "Ydot Range... ", 15, 15);
        PrintAt(ctx, ax.PlotTitle, 15, 30);
        const double w = a.Max - a.Min != 0 ? a.Max - a.Min : 1;
        const std::size_t m = std::min(n, ax.CurveY1.size());
        for (std::size_t i = 0; i < m; ++i) {
            const double y = ax.CurveY1[i];
            ax.CurveY1[i] = ((y - a.Min) * b.Max + (a.Max - y) * b.Min) / w;
        }
    }

    DivideInPlace(ax.CurveY1, n, ax.YExponent);
    if (ownRangeForY2) {
        DivideInPlace(ax.CurveY2, n, ax.YExponent);
    } else if (twoCompartments) {
        DivideInPlace(ax.CurveY2, n, ax.YExponent);
        DivideInPlace(ax.CurveY3, n, ax.YExponent);
    }
}

}  // namespace plots
