// Fuzz entry over the plot data reader: the input is written to a private file and read the
// way the viewer reads it, then every later curve block is asked for. Boxes are counted, not
// shown. A broken promise of the reader (data drawn from a failed read, arrays that disagree
// with the point count) aborts, so the fuzzer reports it like a crash.
#include "common/Dialogs.h"
#include "plots/data/PlotReader.h"
#include "plots/run/RunState.h"
#include "plots/run/ViewerHost.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

class CountingDialogs : public tk::Dialogs {
public:
    int Boxes = 0;
    tk::MsgResult MsgBox(const tk::MessageBoxCall&) override
    {
        ++Boxes;
        return tk::MsgResult::Ok;
    }
    std::optional<std::string> OpenFile(const tk::FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> SaveFile(const tk::FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::uint32_t> PickColour(std::uint32_t) override { return std::nullopt; }
    bool ChoosePrinter(QPrinter&, bool) override { return false; }
    void Beep() override {}
};

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
    plots::RunState run;
    run.PlotBase = base;
    plots::HeadlessHost host;
    CountingDialogs dialogs;
    const bool ok = plots::ReadPlotData(data, run, base, ".plt", host, dialogs);

    Require(ok == (dialogs.Boxes == 0 && !host.Exited), "success exactly when nothing was reported");
    Require(dialogs.Boxes + (host.Exited ? 1 : 0) <= 1, "at most one message per read");
    if (!ok) {
        Require(data.PointCount == -1, "nothing to draw after a failed read");
    } else {
        Require(data.PointCount > 0, "a successful read has points");
        const auto n = static_cast<std::size_t>(data.PointCount);
        Require(data.DataX.size() == n && data.DataY1.size() == n && data.DataY2.size() == n,
                "data columns hold the point count");
        if (data.PlotType >= 0 && data.PlotType <= 6)
            Require(data.TermCount >= 1 && data.ParamA.size() == std::size_t(data.TermCount),
                    "parameters hold the term count");
        if (data.PlotType == -1 || data.PlotType == -2) {
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
