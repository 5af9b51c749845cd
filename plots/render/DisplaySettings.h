// What the drawing reads from the Setup tab: black-and-white mode, grid options, the six
// colour slots and the axis overrides. The window fills it from its controls before a plot.
#pragma once

#include "plots/render/Colour.h"

#include <array>
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
};

struct DisplaySettings {
    bool BlackAndWhite = false;
    int GridType = 2;   // 0 Solid, 1 Dashed, 2 Dotted, 3 Dashed-Dot-Dot
    int GridLines = 1;  // 0 none, 1 X & Y, 2 X only, 3 Y only
    std::array<Colour, 6> Colours = DefaultColours;
    AxisOverride X, Y;
    bool SmoothLines = false;  // anti-aliased curves, frame and grid

    // The colour a slot draws in: black in black-and-white mode.
    Colour SlotColour(int slot) const { return BlackAndWhite ? Black : Colours.at(slot); }
};

}  // namespace plots
