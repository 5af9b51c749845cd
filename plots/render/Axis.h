// Axis scaling: round ranges, a power of ten per axis, the user's overrides, and the trace
// lines the scaler writes.
#pragma once

#include "plots/render/DrawContext.h"

#include <cstdint>
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

// Replaces min and max by a round range of n intervals in units of 10^exponent and appends
// the trace lines to `trace`.
void ScaleAxis(double& min, double& max, std::int16_t intervals, std::int16_t& exponent, std::string& trace);
void ScaleXAxis(DrawContext& ctx);
void ScaleYAxis(DrawContext& ctx);

void PrepareXAxis(DrawContext& ctx);
void PrepareYAxis(DrawContext& ctx);

}  // namespace plots
