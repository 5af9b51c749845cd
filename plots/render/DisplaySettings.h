// What the drawing reads from the Setup tab: black-and-white mode, grid options, the six
// colour slots and the axis overrides. The window fills it from its controls before a plot.
#pragma once

#include "plots/render/Colour.h"

#include <array>
#include <optional>
#include <string>

namespace plots {

enum ColourSlot : int { SlotAxes = 0, SlotTitles = 1, SlotMiscInfo = 2, SlotCurve1 = 3, SlotCurve2 = 4, SlotBackground = 5 };

// Colours the swatches get when the user has no saved settings.
inline constexpr std::array<Colour, 6> DefaultColours = {0x6F6F6F, 0x8000FF, 0x000080, 0xFF0000, 0x00FFFF, 0xC0C0C0};
// Colours the window is designed with.
inline constexpr std::array<Colour, 6> DesignColours = {0x808080, 0xFF00FF, 0xFF8080, 0xFF0000, 0x80FFFF, 0x000000};

struct AxisOverride {
    bool Enabled = false;
    std::string MinText;
    std::string StepText;
    bool operator==(const AxisOverride&) const = default;
};

// A stretch of an axis in data units (before any power of ten), Min below Max.
struct AxisRange {
    double Min = 0, Max = 0;
    bool operator==(const AxisRange&) const = default;
};

// What exploring the shown plot changed: the stretch of each axis it is zoomed to. Each is an
// override of that axis for this plot alone, scaled like the Setup tab's boxes; an axis without
// one is drawn as the sequence draws it.
struct PlotZoom {
    std::optional<AxisRange> X, Y;
    bool IsZoomed() const { return X.has_value() || Y.has_value(); }
    bool operator==(const PlotZoom&) const = default;
};

// The grid lines' style and which axes get them, in the order of the Setup tab's buttons.
enum class GridStyle : int { Solid, Dashed, Dotted, DashDotDot };
enum class GridAxes : int { None, XAndY, XOnly, YOnly };

struct DisplaySettings {
    bool BlackAndWhite = false;
    GridStyle GridType = GridStyle::Dotted;
    GridAxes GridLines = GridAxes::XAndY;
    std::array<Colour, 6> Colours = DefaultColours;
    AxisOverride X, Y;
    bool SmoothLines = false;  // anti-aliased curves, frame and grid
    PlotZoom Zoom;  // none unless the shown plot is being explored
    bool operator==(const DisplaySettings&) const = default;

    // The colour a slot draws in: black in black-and-white mode.
    Colour SlotColour(int slot) const { return BlackAndWhite ? Black : Colours.at(slot); }
};

}  // namespace plots
