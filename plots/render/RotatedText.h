// Text turned by an angle: the Y-axis title of the line plots.
#pragma once

#include "common/Dialogs.h"
#include "plots/render/Surface.h"

#include <string>

namespace plots {

// Angle text in whole degrees ("90"); a text that is not a number draws at angle 0.
void RotatedText(Surface& surface, tk::Dialogs& dialogs, const std::string& text,
                 const std::string& angleText, float x, float y);

}  // namespace plots
