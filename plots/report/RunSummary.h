// The run summary in the output box and the caption of the printed page, as text.
#pragma once

#include "plots/data/PlotData.h"

#include <string>

class QDateTime;

namespace plots {

// The text with leading and trailing spaces removed, spaces in front so that it is width - 1
// characters long.
std::string RightAlignText(const std::string& text, int width);

// The summary of the loaded plot data, stamped with the time it is written; lines after the
// first start with CR LF and a tab. The run's output listing follows it in the box.
std::string RunSummaryText(const PlotData& data, const QDateTime& now);

// The line printed under the plot on the printed page.
std::string PrintCaption(const std::string& plotBase, const std::string& errorSumText);

}  // namespace plots
