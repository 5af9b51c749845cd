// The run summary in the output box, the title of every plot, and the printed page.
#pragma once

#include "plots/render/PlotContext.h"

#include <QImage>
#include <string>

class QPrinter;

namespace plots {

std::string RightAlignText(const std::string& text, int width);
void WriteRunSummary(PlotContext& ctx);
void DrawPlotTitle(PlotContext& ctx);
void PrintRightAligned(PlotContext& ctx, const std::string& text, float y);
// Prints the picture and its caption on one page; false when printing failed.
bool PrintPlotPage(QPrinter& printer, const QImage& picture, const std::string& plotBase,
                   const std::string& errorSumText);

}  // namespace plots
