// The plot data reader: fills the plot data from a .plt or .2lt file and reads the later
// curve blocks of the pole-zero kinds from the file it leaves open.
#pragma once

#include "common/Dialogs.h"
#include "plots/data/PlotData.h"
#include "plots/run/RunState.h"
#include "plots/run/ViewerHost.h"

#include <cstdint>
#include <optional>
#include <string>

namespace plots {

// Reads base + ext (".plt" or ".2lt"). Returns true when the file was read without a failure.
// A missing file returns false at once, without a message. A failure shows the corrupted-data
// box, clears the plot base and leaves PointCount at -1; a file without data points ends the
// viewer through host.FatalExit("No data in file").
bool ReadPlotData(PlotData& data, RunState& run, const std::string& base, const std::string& ext,
                  ViewerHost& host, tk::Dialogs& dialogs);

// Reads the next curve block into DataX, DataY2 and PointCount (0 when no point could be read).
void ReadNextBlock(PlotData& data);

// Status of ReadNumbers.
constexpr int ReadOk = 0;
constexpr int ReadFailed = -999;

// Reads one numeric record of at least `wanted` numbers from the open plot data file into
// target, re-created with every number taken (extra numbers on the last line included).
// ReadFailed leaves target as it was; the lines read so far stay consumed.
int ReadNumbers(PlotData& data, Series& target, int wanted);

// The next line of the open plot data file without leading and trailing spaces (tabs stay);
// nothing at the end of the file.
std::optional<std::string> ReadTrimmedLine(PlotData& data);

// A number read as a count, flag or code: rounded half to even; nothing when the rounded value
// does not fit a 16-bit signed integer.
std::optional<std::int16_t> RoundCount(double value);

}  // namespace plots
