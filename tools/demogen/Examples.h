// The computed demo content: every example whose answer has a plot or a picture, and the one
// call that writes all of their files below a directory (the examples directory: data files
// beside the sources, plot files, pictures and listings in its "answers" directory).
#pragma once

#include "tools/demogen/Compartments.h"
#include "tools/demogen/FilterMatch.h"
#include "tools/demogen/OdeRun.h"
#include "tools/demogen/Series.h"

#include <string>
#include <vector>

namespace demogen {

std::vector<SeriesExample> SeriesExamples();
std::vector<OdeExample> OdeExamples();
std::vector<DosingExample> DosingExamples();
std::vector<FilterExample> FilterExamples();

// Writes every generated file below dir; returns their paths relative to dir, in the order
// written. An empty list means a file could not be written.
std::vector<std::string> GenerateAll(const std::string& dir);

}  // namespace demogen
