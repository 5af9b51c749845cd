// plots --check FILE: reads a plot data file with the viewer's own reader, without a window,
// and says in one line what the viewer would find in it. Solver-tool authors use it to
// validate the files their tools write.
#include "common/Dialogs.h"
#include "common/Paths.h"
#include "plots/cli/Commands.h"
#include "plots/data/PlotReader.h"
#include "plots/run/ViewerHost.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace plots {

namespace {

std::string ToolName(int plotType)
{
    switch (plotType) {
    case -2: return "Tunewave";
    case -1: return "Tunepulse";
    case 0: return "Derivex";
    case 110: return "Dosivo";
    default: return "Fitmora";
    }
}

// Message texts join their lines with CR LF; a terminal wants plain line feeds.
std::string PlainLines(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i] == '\r' ? '\n' : text[i];
    }
    return out;
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

// The curve blocks after the data points, read in the order the plot sequence reads them.
// A block the viewer would read and find empty is the viewer's fatal warning.
bool DescribeBlocks(PlotData& data, std::string& description, std::string& failure)
{
    struct Block {
        bool Present;
        const char* Name;
        const char* Warning;
    };
    const bool ripple = data.DelayMatched == 1;
    const Block blocks[] = {
        {data.OmegaZeroCount > 1, "side-lobe", "==Warning== No Sidelobe data in file"},
        {ripple, "ripple", "==Warning== No Ripple data in file"},
        {true, "impulse response", "==Warning== No h(t) data in file"},
    };
    // Frequency runs with a matched delay end their sequence after the ripple plot.
    const bool impulseShown = !(data.PlotType == -2 && ripple);
    std::vector<std::string> found;
    for (const Block& block : blocks) {
        if (!block.Present) continue;
        const bool shown = block.Name != std::string("impulse response") || impulseShown;
        ReadNextBlock(data);
        if (data.PointCount <= 0) {
            if (!shown) continue;
            failure = block.Warning;
            return false;
        }
        found.push_back(std::string(block.Name) + " (" + Plural(data.PointCount, "point", "points") +
                        (shown ? ")" : ", not shown)"));
    }
    description = "; blocks: ";
    for (std::size_t i = 0; i < found.size(); ++i) description += (i ? ", " : "") + found[i];
    if (found.empty()) description += "none";
    return true;
}

void SplitExtension(const std::string& path, std::string& base, std::string& ext)
{
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        base = path;
        ext.clear();
        return;
    }
    base = path.substr(0, dot);
    ext = path.substr(dot);
}

}  // namespace

int RunCheckCommand(const std::vector<std::string>& args)
{
    if (args.size() != 1 || args[0].empty()) {
        std::fprintf(stderr, "Usage: plots --check FILE\n");
        return 2;
    }
    const std::string& path = args[0];
    if (!tk::IsFile(path)) {
        std::fprintf(stderr, "plots: no plot data file '%s'\n", path.c_str());
        return 1;
    }

    PlotData data;
    RunState run;
    HeadlessHost host;
    tk::ScriptedDialogs dialogs;
    std::string base, ext;
    SplitExtension(path, base, ext);
    run.PlotBase = base;

    const bool read = ReadPlotData(data, run, base, ext, host, dialogs);
    if (!read) {
        if (!dialogs.Boxes.empty()) {
            const tk::MessageBoxCall& box = dialogs.Boxes.front();
            std::fprintf(stderr, "%s\n%s\n", box.Title.c_str(), PlainLines(box.Text).c_str());
        } else if (host.Exited) {
            std::fprintf(stderr, "Must exit!\n%s\n", host.FatalText.c_str());
        } else {
            std::fprintf(stderr, "plots: '%s' could not be read\n", path.c_str());
        }
        return 1;
    }

    std::ostringstream line;
    line << path << ": plot type " << data.PlotType << " (" << ToolName(data.PlotType) << "), "
         << Plural(data.TermCount, "term", "terms") << ", " << Plural(data.PointCount, "point", "points");
    if (data.PlotType == -1 || data.PlotType == -2) {
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
