// Fuzz entry over the plot data reader: the input is written to a private file and read the
// way the viewer reads it, then every later curve block is asked for. A broken promise of the
// reader (an outcome that does not match what was read, data drawn from a failed read, arrays
// that disagree with the point count) aborts, so the fuzzer reports it like a crash.
#include "plots/data/PlotReader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

void Require(bool promise, const char* what)
{
    if (promise) return;
    std::fprintf(stderr, "reader broke its promise: %s\n", what);
    std::abort();
}

// One input file per process, in the temporary directory.
const std::string& InputBase()
{
    static const std::string base = [] {
        const char* tmp = std::getenv("TMPDIR");
        return std::string(tmp && *tmp ? tmp : "/tmp") + "/plotreader-fuzz-" + std::to_string(getpid());
    }();
    return base;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string base = InputBase();
    {
        std::ofstream out(base + ".plt", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    }
    plots::PlotData data;
    const plots::ReadOutcome read = plots::ReadPlotData(data, base + ".plt");
    const bool ok = read.Loaded();

    Require(read.Status != plots::ReadStatus::Missing && read.Status != plots::ReadStatus::Unreadable,
            "the file written is there and readable");
    Require((read.Status == plots::ReadStatus::Corrupted) == !read.Label.empty(), "a label exactly when corrupted");
    Require(read.Status != plots::ReadStatus::Corrupted || read.Line >= 1, "a corrupted file names its line");
    if (!ok) {
        Require(data.PointCount == -1, "nothing to draw after a failed read");
    } else {
        Require(data.PointCount > 0, "a successful read has points");
        const auto n = static_cast<std::size_t>(data.PointCount);
        Require(data.DataX.size() == n && data.DataY1.size() == n && data.DataY2.size() == n,
                "data columns hold the point count");
        if (data.PlotType >= plots::PlotType::Ode && data.PlotType <= plots::PlotType::ExponentialSineSeries)
            Require(data.TermCount >= 1 && data.ParamA.size() == std::size_t(data.TermCount),
                    "parameters hold the term count");
        if (plots::IsPoleZeroType(data.PlotType)) {
            Require(data.PoleRe.size() == std::size_t(data.PoleCount) && data.PoleIm.size() == data.PoleRe.size(),
                    "pole arrays hold the pole count");
            for (std::size_t i = 1; i < data.PoleIm.size(); ++i)
                Require(data.PoleIm[i - 1] <= data.PoleIm[i], "poles sorted by imaginary part");
            Require(data.ComplexZeroCount == data.ZeroPairCount + data.ZeroQuadCount, "complex zero count");
            if (data.ComplexZeroCount > 0)
                Require(data.ZeroRe.size() == std::size_t(data.ComplexZeroCount) &&
                            data.ZeroIm.size() == data.ZeroRe.size(),
                        "zero arrays hold the complex zero count");
            if (data.OmegaZeroCount > 0)
                Require(data.OmegaZeros.size() == std::size_t(data.OmegaZeroCount), "omega zeros");
        }
    }
    for (int block = 0; block < 4; ++block) {
        plots::ReadNextBlock(data);
        Require(data.PointCount >= 0, "a block never has a negative count");
        if (data.PointCount > 0)
            Require(data.DataX.size() == std::size_t(data.PointCount) && data.DataY2.size() == data.DataX.size(),
                    "block columns hold the block's count");
    }
    data.Close();
    std::remove((base + ".plt").c_str());
    return 0;
}
