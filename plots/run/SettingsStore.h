// The Setup tab's settings in the user's settings store: black-and-white, smooth lines, the
// grid, the six colours and the fixed axis ranges, each under the value name it has always had,
// the grid choices as the index of their button and the colours as stored numbers.
#pragma once

#include "common/Registry.h"
#include "plots/render/DisplaySettings.h"

#include <string>

namespace plots {

// The settings kept under `key`, read over `shown` (what the Setup tab shows now). Without the
// key the colours go back to their defaults and both axis ranges are unticked and empty, the
// rest stays. With it every value is read, a missing one as 0, except that a grid choice out of
// range keeps the shown one, and a black "Titles:" colour (colours never chosen) keeps all six.
DisplaySettings LoadDisplaySettings(const tk::Registry& store, const std::string& key, DisplaySettings shown);

// Writes every setting under `key` (made when missing); the colours only while black-and-white
// is off, so that the chosen ones come back with it. Throws tk::RegistryError when the key
// cannot be made.
void SaveDisplaySettings(tk::Registry& store, const std::string& key, const DisplaySettings& settings);

}  // namespace plots
