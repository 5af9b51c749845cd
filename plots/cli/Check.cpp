// plots --check FILE: reads a plot data file with the viewer's own reader, without a window,
// and says in one line what the viewer would find in it. Solver-tool authors use it to
// validate the files their tools write.
#include "common/Paths.h"
#include "common/Text.h"
#include "plots/cli/Commands.h"
#include "plots/data/PlotReader.h"
#include "plots/run/PlotSequence.h"

#include <algorithm>
#include <cstring>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace plots {

namespace {

std::string ShortToolName(int plotType)
{
    switch (plotType) {
    case -2: return "Tunewave";
    case -1: return "Tunepulse";
    case 0: return "Derivex";
    case 110: return "Dosivo";
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

// The curve blocks after the data points, read in the order the plot sequence reads them. A
// block the viewer would read and find empty is the viewer's fatal warning.
bool DescribeBlocks(PlotData& data, std::string& description, std::string& failure)
{
    const std::vector<PlotKind> sequence = FilePlotSequence(data);
    std::vector<std::string> found;
    for (const PlotKind block : CurveBlocksOf(data)) {
        const bool shown = std::find(sequence.begin(), sequence.end(), block) != sequence.end();
        ReadNextBlock(data);
        if (data.PointCount <= 0) {
            if (!shown) continue;
            failure = EmptyBlockWarning(block);
            return false;
        }
        const std::string name = block == PlotKind::GroupDelayRipple ? "ripple" : PlotKindName(block);
        found.push_back(name + " (" + Plural(data.PointCount, "point", "points") + (shown ? ")" : ", not shown)"));
    }
    description = "; blocks: ";
    for (std::size_t i = 0; i < found.size(); ++i) description += (i ? ", " : "") + found[i];
    if (found.empty()) description += "none";
    return true;
}

}  // namespace

int RunCheckCommand(const std::vector<std::string>& args)
{
    if (args.size() != 1 || args[0].empty()) {
        std::fprintf(stderr, "Usage: plots --check FILE\n");
        return 2;
    }
    const std::string& path = args[0];
    const std::string shown = tk::DisplayName(path);
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

    std::ostringstream line;
    line << shown << ": plot type " << data.PlotType << " (" << ShortToolName(data.PlotType) << "), "
         << Plural(data.TermCount, "term", "terms") << ", " << Plural(data.PointCount, "point", "points");
    if (IsPoleZeroType(data.PlotType)) {
        line << DescribePolesAndZeros(data);
        std::string blocks, failure;
        if (!DescribeBlocks(data, blocks, failure)) {
            std::fprintf(stderr, "Must exit!\n%s\n", failure.c_str());
            return 1;
        }
        line << blocks;
    }
    std::printf("%s\n", line.str().c_str());
    return 0;
}

}  // namespace plots
