// plots --check FILE: reads a plot data file with the viewer's own reader, without a window,
// and says in one line what the viewer would find in it. Solver-tool authors use it to
// validate the files their tools write.
#include "common/Paths.h"
#include "common/Text.h"
#include "plots/cli/Commands.h"
#include "plots/data/PlotReader.h"
#include "plots/data/WholeFile.h"
#include "plots/run/PlotSequence.h"

#include <algorithm>
#include <cstring>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace plots {

namespace {

std::string ShortToolName(PlotType plotType)
{
    switch (plotType) {
    case PlotType::PoleZeroFrequency: return "Tunewave";
    case PlotType::PoleZeroTime: return "Tunepulse";
    case PlotType::Ode: return "Derivex";
    case PlotType::TwoCompartment: return "Dosivo";
    default: return "Fitmora";
    }
}

std::string Plural(int n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string DescribePolesAndZeros(const PlotData& data)
{
    std::ostringstream out;
    out << ", poles: " << (data.SigmaPoleCount > 0 ? "1 on the sigma axis + " : "")
        << Plural(data.PoleCount, "pair", "pairs");
    std::vector<std::string> zeros;
    if (data.SigmaZeroCount > 0) {
        std::string kind = data.SigmaZeroOrder > 0 ? "doublet" : "single";
        zeros.push_back("sigma-axis " + kind + (data.SigmaZeroPaired == 1 ? " pair" : ""));
    }
    if (data.OmegaZeroCount > 0) zeros.push_back(std::to_string(data.OmegaZeroCount) + " on the omega axis");
    if (data.ZeroPairCount > 0) zeros.push_back(Plural(data.ZeroPairCount, "pair", "pairs"));
    if (data.ZeroQuadCount > 0) zeros.push_back(Plural(data.ZeroQuadCount, "quad", "quads"));
    out << "; zeros: ";
    if (zeros.empty()) out << "none";
    for (std::size_t i = 0; i < zeros.size(); ++i) out << (i ? ", " : "") << zeros[i];
    return out.str();
}

std::string DescribeBlocks(const std::vector<BlockExtent>& blocks)
{
    std::string description = "; blocks: ";
    bool any = false;
    for (const BlockExtent& block : blocks) {
        if (block.Read <= 0) continue;
        const std::string name = block.Kind == PlotKind::GroupDelayRipple ? "ripple" : PlotKindName(block.Kind);
        description += (any ? ", " : "") + name + " (" + Plural(block.Read, "point", "points") +
                       (block.Shown ? ")" : ", not shown)");
        any = true;
    }
    return description + (any ? "" : "none");
}

// A name on one line of output: line breaks in it are written as \n and \r.
std::string OneLineName(const std::string& path)
{
    std::string out;
    for (const char c : tk::DisplayName(path)) {
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else out += c;
    }
    return out;
}

}  // namespace

int RunCheckCommand(const std::vector<std::string>& args)
{
    if (args.size() != 1 || args[0].empty()) {
        std::fprintf(stderr, "Usage: plots --check FILE\n");
        return 2;
    }
    const std::string& path = args[0];
    const std::string shown = OneLineName(path);
    PlotData data;
    const ReadOutcome read = ReadPlotData(data, path);
    switch (read.Status) {
    case ReadStatus::Loaded: break;
    case ReadStatus::Missing:
        std::fprintf(stderr, "plots: no plot data file '%s'\n", shown.c_str());
        return 1;
    case ReadStatus::Unreadable:
        std::fprintf(stderr, "plots: cannot read '%s': %s\n", shown.c_str(), std::strerror(read.Error));
        return 1;
    case ReadStatus::Corrupted:
        std::fprintf(stderr, "%s\n%s\n", CorruptedTitle(read.Label).c_str(),
                     tk::WithLineFeeds(CorruptedText(tk::WithoutExtension(shown))).c_str());
        std::fprintf(stderr, "plots: the reader stopped at line %d of '%s'\n", read.Line, shown.c_str());
        return 1;
    case ReadStatus::NoData:
        std::fprintf(stderr, "Must exit!\nNo data in file\n");
        return 1;
    }

    const FileExtent extent = MeasureFile(data, read, CurveBlocksOf(data), FilePlotSequence(data));
    if (!extent.Whole()) {
        const BlockExtent* empty = extent.Blocks.empty() ? nullptr : &extent.Blocks.back();
        if (empty && empty->Read == 0) {
            // What the viewer itself would stop at.
            std::fprintf(stderr, "Must exit!\n%s\n", EmptyBlockWarning(empty->Kind));
        } else {
            std::fprintf(stderr, "plots: '%s' ends before its declared points (%s)\n", shown.c_str(),
                         extent.Shortfall.c_str());
        }
        std::fprintf(stderr, "plots: the reader stopped at line %d of '%s'\n", extent.Line, shown.c_str());
        return 1;
    }

    std::ostringstream line;
    line << shown << ": plot type " << CodeOf(data.PlotType) << " (" << ShortToolName(data.PlotType) << "), "
         << Plural(data.TermCount, "term", "terms") << ", " << Plural(read.DeclaredPoints, "point", "points");
    if (IsPoleZeroType(data.PlotType)) line << DescribePolesAndZeros(data) << DescribeBlocks(extent.Blocks);
    std::printf("%s\n", line.str().c_str());
    return 0;
}

}  // namespace plots
