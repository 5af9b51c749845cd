// The plot data reader: fills the plot data from a .plt or .2lt file and reads the later
// curve blocks of the pole-zero kinds from the file it leaves open.
#pragma once

#include "common/Dialogs.h"
#include "plots/data/PlotData.h"
#include "plots/run/RunState.h"
#include "plots/run/ViewerHost.h"

#include <string>

namespace plots {

// Reads base + ext (".plt" or ".2lt"). Returns true when the file was read without a failure.
// A failure shows the corrupted-data box, clears the plot base and leaves PointCount at -1.
bool ReadPlotData(PlotData& data, RunState& run, const std::string& base, const std::string& ext,
                  ViewerHost& host, tk::Dialogs& dialogs);

// Reads the next curve block into DataX, DataY2 and PointCount (0 when no point could be read).
void ReadNextBlock(PlotData& data);

}  // namespace plots
