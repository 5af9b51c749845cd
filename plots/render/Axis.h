// Axis scaling: round ranges, a power of ten per axis, the user's overrides, and the trace
// lines the scaler writes.
#pragma once

#include "plots/render/DrawContext.h"

#include <cstdint>
#include <optional>
#include <string>

namespace plots {

double Log10(double x);
double Ceil(double x);
// A value within a few parts in 10^12 of a whole number, as that number (decimal steps and
// ends that binary arithmetic left a hair off).
double SnapToWhole(double v);

// Replaces min and max by the override's range (its minimum and `steps` of its step) when the
// override is ticked and its step is a non-zero number; returns whether it did.
bool ApplyAxisOverride(const AxisOverride& o, int steps, double& min, double& max);

// The axes as the drawing sees them: the zoom's range where the plot is zoomed, otherwise the
// Setup tab's box. `exponent` is the axis' power of ten, in whose units the range is set.
enum class AxisName { X, Y };
bool ApplyOverrideOf(const DrawContext& ctx, AxisName axis, int exponent, double& min, double& max);
// The zoom's range of an axis when it is one that can be drawn (finite, Min below Max).
std::optional<AxisRange> ZoomOf(const DisplaySettings& settings, AxisName axis);

// Replaces min and max by a round range of n intervals in units of 10^exponent and appends
// the trace lines to `trace`.
void ScaleAxis(double& min, double& max, std::int16_t intervals, std::int16_t& exponent, std::string& trace);
void ScaleXAxis(DrawContext& ctx);
void ScaleYAxis(DrawContext& ctx);

void PrepareXAxis(DrawContext& ctx);
void PrepareYAxis(DrawContext& ctx);

}  // namespace plots
