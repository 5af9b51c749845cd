// The plot data reader: fills the plot data from a .plt or .2lt file and reads the later
// curve blocks of the pole-zero kinds from the file it leaves open. It returns what happened;
// showing it is the caller's business.
#pragma once

#include "plots/data/PlotData.h"

#include <cstdint>
#include <optional>
#include <string>

namespace plots {

enum class ReadStatus {
    Loaded,      // read without a failure; at least one data point
    Missing,     // no such ordinary file
    Unreadable,  // there, but could not be opened (Error holds the reason)
    Corrupted,   // a record of the header or the kind's section could not be read
    NoData,      // read to the data points, and not one of them could be read
};

struct ReadOutcome {
    ReadStatus Status = ReadStatus::Missing;
    std::string Label;  // Corrupted: the record's label ("modelX", "pImag", ...)
    int Line = 0;       // Corrupted: the line the reader stopped at, counted from 1
    int Error = 0;      // Unreadable: the system's error number
    int DeclaredPoints = 0;  // the header's point count, once the header was read
    int PointsEnd = 0;       // the line the data points ended at (the last one read, or past the end)

    bool Loaded() const { return Status == ReadStatus::Loaded; }
};

// Reads the file into the plot data and leaves it open for the curve blocks. After any
// outcome but Loaded, PointCount is -1 so that nothing of a half-read file is drawn or reported
// (the values read so far stay).
ReadOutcome ReadPlotData(PlotData& data, const std::string& path);

// Reads the next curve block into DataX, DataY2 and PointCount (0 when no point could be read).
// Returns the block's own point count (0 when its title or count line cannot be read).
int ReadNextBlock(PlotData& data);

// The line the open plot data file is at: the last one read, or the one after it at its end.
int FileLine(const PlotData& data);

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

// The corrupted-data message: the box's title and its text (CR LF between lines), for the
// plot base the user knows the run by.
std::string CorruptedTitle(const std::string& label);
std::string CorruptedText(const std::string& plotBase);

}  // namespace plots
