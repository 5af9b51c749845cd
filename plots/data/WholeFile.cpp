#include "plots/data/WholeFile.h"

#include <algorithm>

namespace plots {

namespace {

std::string Points(int read, int declared)
{
    return std::to_string(read) + " of its " + std::to_string(declared) + (declared == 1 ? " point" : " points") +
           (read == 1 ? " is there" : " are there");
}

}  // namespace

FileExtent MeasureFile(PlotData& data, const ReadOutcome& read, const std::vector<PlotKind>& blocks,
                       const std::vector<PlotKind>& sequence)
{
    FileExtent extent;
    extent.Line = read.Line;
    switch (read.Status) {
    case ReadStatus::Loaded: break;
    case ReadStatus::Missing: extent.Shortfall = "it is not there"; return extent;
    case ReadStatus::Unreadable: extent.Shortfall = "it cannot be opened"; return extent;
    case ReadStatus::NoData: extent.Shortfall = "no data point is there"; return extent;
    case ReadStatus::Corrupted:
        extent.Shortfall = "it cannot be read at " + read.Label + ", line " + std::to_string(read.Line);
        return extent;
    }
    if (data.PointCount < read.DeclaredPoints) {
        extent.Shortfall = Points(data.PointCount, read.DeclaredPoints);
        extent.Line = read.PointsEnd;
        return extent;
    }
    const auto shown = [&](PlotKind kind) { return std::find(sequence.begin(), sequence.end(), kind) != sequence.end(); };
    std::size_t needed = 0;  // blocks up to the last one shown must all be there
    for (std::size_t i = 0; i < blocks.size(); ++i)
        if (shown(blocks[i])) needed = i + 1;

    for (std::size_t i = 0; i < blocks.size(); ++i) {
        BlockExtent block{blocks[i], 0, 0, shown(blocks[i])};
        block.Declared = ReadNextBlock(data);
        block.Read = std::max<int>(data.PointCount, 0);
        extent.Blocks.push_back(block);
        if (i >= needed) continue;
        if (block.Declared > 0 && block.Read >= block.Declared) continue;
        const std::string name = "its " + std::string(PlotKindName(block.Kind)) + " block";
        extent.Shortfall = block.Declared > 0 ? name + ": " + Points(block.Read, block.Declared) : name + " is not there";
        extent.Line = FileLine(data);
        return extent;
    }
    return extent;
}

}  // namespace plots
