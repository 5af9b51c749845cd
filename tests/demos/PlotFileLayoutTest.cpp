// What the generator writes is what the viewer reads back: parameters, pole-zero lists, rate
// sums and curve blocks come out of the reader as the runs computed them, and the listings,
// sources and data files agree with the plot files.
#include "common/Dialogs.h"
#include "plots/data/PlotReader.h"
#include "plots/run/ViewerHost.h"
#include "tools/demogen/Examples.h"
#include "tools/demogen/PlotFileText.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

using namespace demogen;
namespace fs = std::filesystem;

namespace {

// Seven significant digits survive the file.
void ExpectClose(double read, double written, const std::string& what)
{
    EXPECT_NEAR(read, written, 1e-6 * std::max(1.0, std::fabs(written))) << what;
}

struct ReadBack {
    QTemporaryDir Dir;
    plots::PlotData Data;

    bool Read(const std::string& text, const std::string& ext = ".plt")
    {
        const std::string base = Dir.path().toStdString() + "/run";
        if (!WriteBytes(base + ext, text))
            return false;
        return plots::ReadPlotData(Data, base + ext).Loaded();
    }
};

std::string Slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(DemoPlotFiles, NumbersAreWrittenSoTheReaderTakesThemBack)
{
    struct Case {
        double Value;
        const char* Text;
    };
    const Case cases[] = {{0.0, "0"},          {-0.0, "0"},         {12, "12"},
                          {-0.5, "-0.5"},      {1.25e-3, "0.00125"}, {2.5e-7, "2.5E-07"},
                          {123456789, "1.234568E+08"}, {1e-310, "0"}};
    for (const Case& c : cases)
        EXPECT_EQ(Num(c.Value), c.Text) << c.Value;
}

TEST(DemoPlotFiles, FittedSeriesReadBackWithTheirParametersAndModel)
{
    for (const SeriesExample& ex : SeriesExamples()) {
        SCOPED_TRACE(ex.Stem);
        const SeriesRun run = RunSeriesExample(ex);
        ReadBack r;
        ASSERT_TRUE(r.Read(SeriesPlotFile(run, run.Fit.Params, run.Fit.SumSquares)));
        EXPECT_EQ(CodeOf(r.Data.PlotType), static_cast<int>(ex.Kind));
        EXPECT_EQ(r.Data.TermCount, ex.Terms);
        EXPECT_EQ(r.Data.DataFileName, ex.Stem + ".dat");
        ExpectClose(std::stod(r.Data.YOffsetText), run.Fit.Params[0], "y0");
        ExpectClose(std::stod(r.Data.ErrorSumText), run.Fit.SumSquares, "error sum");
        // The arrays the kind names, in the order the file lists them.
        const std::vector<std::string> names = TermParamNames(ex.Kind);
        const std::map<std::string, const plots::Series*> arrays = {
            {"A", &r.Data.ParamA},       {"B", &r.Data.ParamB},         {"C", &r.Data.ParamC},
            {"D", &r.Data.ParamD},       {"PW50", &r.Data.ParamPW50},   {"t0", &r.Data.ParamT0}};
        Vec params = {std::stod(r.Data.YOffsetText)};
        params.resize(run.Fit.Params.size());
        for (std::size_t j = 0; j < names.size(); ++j) {
            const plots::Series& a = *arrays.at(names[j]);
            ASSERT_EQ(a.size(), static_cast<std::size_t>(ex.Terms)) << names[j];
            for (int i = 0; i < ex.Terms; ++i) {
                ExpectClose(a[static_cast<std::size_t>(i)], run.Fit.Params[1 + i * names.size() + j], names[j]);
                params[1 + i * names.size() + j] = a[static_cast<std::size_t>(i)];
            }
        }
        // Column 2 is the measurement; adding column 3 gives the model of the printed values.
        ASSERT_EQ(static_cast<std::size_t>(r.Data.PointCount), run.T.size());
        for (std::size_t i = 0; i < run.T.size(); i += 10) {
            ExpectClose(r.Data.DataY1[i], run.Data[i], "data");
            EXPECT_NEAR(r.Data.DataY1[i] + r.Data.DataY2[i], SeriesValue(ex.Kind, r.Data.DataX[i], params),
                        1e-4 * (1 + std::fabs(r.Data.DataY1[i])));
        }
    }
}

TEST(DemoPlotFiles, FilterMatchesReadBackWithTheirPolesZerosAndBlocks)
{
    for (const FilterExample& ex : FilterExamples()) {
        SCOPED_TRACE(ex.Stem);
        const FilterRun run = RunFilterExample(ex);
        const PoleZeroSet& f = run.Filter;
        ReadBack r;
        ASSERT_TRUE(r.Read(FilterPlotFile(run)));
        EXPECT_EQ(CodeOf(r.Data.PlotType), ex.PlotType);
        EXPECT_EQ(r.Data.DelayMatched, ex.DelayMatched ? 1 : 0);
        EXPECT_EQ(r.Data.SigmaPoleCount, f.HasSigmaPole ? 1 : 0);
        ASSERT_EQ(r.Data.PoleRe.size(), f.PoleRe.size());
        for (std::size_t k = 0; k < f.PoleRe.size(); ++k) {
            ExpectClose(r.Data.PoleRe[k], f.PoleRe[k], "pole real part");
            ExpectClose(r.Data.PoleIm[k], f.PoleIm[k], "pole imaginary part");
        }
        EXPECT_EQ(r.Data.SigmaZeroCount, f.HasSigmaZero ? 1 : 0);
        EXPECT_EQ(static_cast<std::size_t>(r.Data.OmegaZeroCount), f.OmegaZeros.size());
        EXPECT_EQ(r.Data.ZeroQuadCount, f.ZeroQuadCount);
        ExpectClose(std::stod(r.Data.GainText), f.Gain, "gain");
        // The model column is the filter's own curve at each point.
        for (std::size_t i = 0; i < run.X.size(); i += 15)
            EXPECT_NEAR(r.Data.DataY1[i], FilterCurve(f, ex.PlotType, r.Data.DataX[i]),
                        1e-5 * (1 + std::fabs(r.Data.DataY1[i])));
        // The blocks in order: side lobes, delay ripple, impulse response.
        std::vector<std::pair<const Vec*, const Vec*>> blocks;
        if (f.OmegaZeros.size() > 1)
            blocks.push_back({&run.LobeX, &run.LobeDb});
        if (ex.DelayMatched)
            blocks.push_back({&run.DelayX, &run.DelayRipple});
        blocks.push_back({&run.ImpulseT, &run.Impulse});
        for (const auto& [x, y] : blocks) {
            plots::ReadNextBlock(r.Data);
            ASSERT_EQ(static_cast<std::size_t>(r.Data.PointCount), x->size());
            for (std::size_t i = 0; i < x->size(); i += 25) {
                ExpectClose(r.Data.DataX[i], (*x)[i], "block x");
                EXPECT_NEAR(r.Data.DataY2[i], (*y)[i], 1e-6 * std::max(1.0, std::fabs((*y)[i])));
            }
        }
    }
}

TEST(DemoPlotFiles, DosingAndOdeRunsReadBackWithTheirModel)
{
    for (const DosingExample& ex : DosingExamples()) {
        SCOPED_TRACE(ex.Stem);
        const DosingRun run = RunDosingExample(ex);
        ReadBack r;
        ASSERT_TRUE(r.Read(DosingPlotFile(run)));
        EXPECT_EQ(CodeOf(r.Data.PlotType), 110);
        const Vec sums = run.Rates.Sums();
        const std::string texts[] = {r.Data.A1kSumText, r.Data.A2kSumText, r.Data.A3kSumText, r.Data.A4kSumText};
        for (int k = 0; k < 4; ++k)
            ExpectClose(std::stod(texts[k]), sums[static_cast<std::size_t>(k)], "rate sum");
        ExpectClose(r.Data.AmountA1, ex.A1, "A1");
        ExpectClose(r.Data.AmountA2, ex.A2, "A2");
        ExpectClose(r.Data.DT50, run.DT50, "DT50");
    }
    for (const OdeExample& ex : OdeExamples()) {
        SCOPED_TRACE(ex.Stem);
        const OdeRun run = RunOdeExample(ex);
        ReadBack r;
        ASSERT_TRUE(r.Read(OdePlotFile(run)));
        EXPECT_EQ(CodeOf(r.Data.PlotType), 0);
        EXPECT_EQ(r.Data.OdeText + " ", ex.OdeText.substr(0, ex.OdeText.find('!')).substr(0, r.Data.OdeText.size() + 1));
        EXPECT_EQ(r.Data.OdeText.find('!'), std::string::npos);
        ASSERT_EQ(r.Data.ParamA.size(), ex.Params.size());
        for (std::size_t i = 0; i < ex.Params.size(); ++i)
            ExpectClose(r.Data.ParamA[i], ex.Params[i], ex.ParamNames[i]);
        // Column 3 is the derivative of column 2: compare with a central difference.
        // (from the fourth point on: the stiff example relaxes within the first interval)
        for (std::size_t i = 3; i + 1 < run.Path.T.size(); i += 7) {
            const double slope = (r.Data.DataY1[i + 1] - r.Data.DataY1[i - 1]) / (r.Data.DataX[i + 1] - r.Data.DataX[i - 1]);
            EXPECT_NEAR(r.Data.DataY2[i], slope, 0.05 * (1 + std::fabs(slope)) + 1e-9) << "t = " << r.Data.DataX[i];
        }
    }
}

TEST(DemoPlotFiles, ListingsSourcesAndDataFilesAgreeWithThePlotFiles)
{
    const fs::path all = fs::path(TK_SOURCE_DIR) / "Pitchwell" / "demos" / "all";
    // A source that reads a data file finds it beside itself.
    const std::regex dataFile("FROM \"([^\"]+)\"");
    for (const auto& e : fs::directory_iterator(all)) {
        if (e.path().extension() != ".qz")
            continue;
        const std::string text = Slurp(e.path());
        for (std::sregex_iterator m(text.begin(), text.end(), dataFile), end; m != end; ++m)
            EXPECT_TRUE(fs::exists(all / (*m)[1].str())) << e.path().filename() << " reads " << (*m)[1];
    }
    // A fitting run's listing reports the error sum its plot file holds.
    for (const SeriesExample& ex : SeriesExamples()) {
        const SeriesRun run = RunSeriesExample(ex);
        const std::string listing = Slurp(all / "answers" / (ex.Stem + ".out"));
        char expected[64];
        std::snprintf(expected, sizeof expected, "Error sum (final)        = %14.7E", run.Fit.SumSquares);
        EXPECT_NE(listing.find(expected), std::string::npos) << ex.Stem;
        const std::string source = Slurp(all / (ex.Stem + ".qz"));
        EXPECT_NE(source.find("\"" + ex.Title + "\""), std::string::npos) << ex.Stem << " title";
    }
}
