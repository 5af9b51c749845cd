// The header and the kind-specific sections of every plot type, the pole sort, the data points
// and the later curve blocks.
#include "ReaderFixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace plots;
using readertest::Lines;
using readertest::PlotFiles;

namespace {

struct KindCase {
    const char* Name;
    std::string Text;
    std::function<void(const PlotData&)> Check;
};

const std::vector<KindCase> kindCases = {
    {"power series of the format's example",
     Lines({"power fit", " 1.5E-02", "anything", " 4  1  3 ", "poly.dat", ".5", " 2 ", " 0  1  .1 ", " 1  2 -.1 ",
            " 2  3  0 "}),
     [](const PlotData& d) {
         EXPECT_EQ(CodeOf(d.PlotType), 4);
         EXPECT_EQ(d.TermCount, 1);
         EXPECT_EQ(d.PointCount, 3);
         EXPECT_EQ(d.ErrorSumText, "1.5E-02");
         EXPECT_EQ(d.DataFileName, "poly.dat");
         EXPECT_EQ(d.YOffsetText, ".5");
         EXPECT_EQ(d.ParamA, Series{2});
         EXPECT_EQ(d.DataX, (Series{0, 1, 2}));
         EXPECT_EQ(d.DataY1, (Series{1, 2, 3}));
     }},
    {"header with a fourth number",
     Lines({"t", "e", "x", " 0  3  2  7 ", "y' = -y", " 1  2  3 ", " 0 1 -1 ", " 1 .5 -.5 "}),
     [](const PlotData& d) {
         EXPECT_EQ(CodeOf(d.PlotType), 0);
         EXPECT_EQ(d.TermCount, 3);
         EXPECT_EQ(d.PointCount, 2);
     }},
    {"header counts rounded half to even",
     Lines({"t", "e", "x", " 4  2.5  3.5 ", "f", "0", " 1 2 ", "0 0 0", "1 1 1", "2 2 2", "3 3 3"}),
     [](const PlotData& d) {
         EXPECT_EQ(d.TermCount, 2);
         EXPECT_EQ(d.PointCount, 4);
     }},
    {"ODE text cut at the remark",
     Lines({"osc", "0", "x", " 0 2 1", "  y'' + 4*y = 0     ! spring  ", " 1 4 ", "0 1 0"}),
     [](const PlotData& d) {
         EXPECT_EQ(d.OdeText, "y'' + 4*y = 0");
         EXPECT_EQ(d.ParamA, (Series{1, 4}));
     }},
    {"ODE text without a remark taken whole",
     Lines({"osc", "0", "x", " 0 1 1", "  dy/dt = -k*y  ", " 3 ", "0 1 0"}),
     [](const PlotData& d) { EXPECT_EQ(d.OdeText, "dy/dt = -k*y"); }},
    {"Lorentzian series",
     Lines({"lor", "1E-3", "x", "1 2 1", "peaks.dat", " .05", " 1.2 .75", " 1.5 .8 ", " 3.25 6.5 9", "0 1 2"}),
     [](const PlotData& d) {
         EXPECT_EQ(d.ParamA, (Series{1.2, 0.75}));
         EXPECT_EQ(d.ParamPW50, (Series{1.5, 0.8}));
         EXPECT_EQ(d.ParamT0, (Series{3.25, 6.5})) << "the extra number is not kept";
     }},
    {"modified Lorentzian series",
     Lines({"m", "e", "x", "2 1 1", "f", "-.1", "2", ".5", "1.25", ".5", "0 1 2"}),
     [](const PlotData& d) {
         EXPECT_EQ(d.ParamA, Series{2});
         EXPECT_EQ(d.ParamB, Series{0.5});
         EXPECT_EQ(d.ParamPW50, Series{1.25});
         EXPECT_EQ(d.ParamT0, Series{0.5});
     }},
    {"exponential series",
     Lines({"m", "e", "x", "3 2 1", "f", ".4", "2.5 2", "-1 -.2", "0 1 2"}),
     [](const PlotData& d) {
         EXPECT_EQ(d.ParamA, (Series{2.5, 2}));
         EXPECT_EQ(d.ParamB, (Series{-1, -0.2}));
     }},
    {"sine series",
     Lines({"m", "e", "x", "5 1 1", "f", "0", "1", "1.5", ".785", "0 1 2"}),
     [](const PlotData& d) {
         EXPECT_EQ(d.ParamC, Series{0.785});
     }},
    {"exponential times sine series",
     Lines({"m", "e", "x", "6 1 1", "f", "0", "2", "3", ".5", "-.35", "0 1 2"}),
     [](const PlotData& d) {
         EXPECT_EQ(d.ParamA, Series{2});
         EXPECT_EQ(d.ParamD, Series{-0.35});
     }},
    {"two-compartment equations",
     Lines({"dose", "0", "x", "110 2 1", "not used", "-.45 .05 .3 -.08", "100 0 9.78", "0 100 0"}),
     [](const PlotData& d) {
         EXPECT_EQ(d.A1kSumText, "-0.45");
         EXPECT_EQ(d.A2kSumText, "0.05");
         EXPECT_EQ(d.A4kSumText, "-0.08");
         EXPECT_EQ(d.AmountA1, 100);
         EXPECT_EQ(d.AmountA2, 0);
         EXPECT_EQ(d.DT50, 9.78);
     }},
    {"unknown type without a kind section",
     Lines({"logistic", "e", "x", "7 1 2", "0 1 2", "1 2 3"}),
     [](const PlotData& d) {
         EXPECT_EQ(CodeOf(d.PlotType), 7);
         EXPECT_EQ(d.PointCount, 2);
         EXPECT_EQ(d.DataX, (Series{0, 1}));
     }},
    {"unknown type with no terms at all",
     Lines({"other", "e", "x", "8 0 1", "0 1 2"}),
     [](const PlotData& d) { EXPECT_EQ(d.PointCount, 1); }},
    {"truncated data points are kept without a message",
     Lines({"p", "e", "x", "4 1 5", "f", "0", "1", "0 0 0", "1 1 1", "2 2 2"}),
     [](const PlotData& d) {
         EXPECT_EQ(d.PointCount, 3);
         EXPECT_EQ(d.DataX.size(), 3u);
     }},
    {"a bad data record ends the points",
     Lines({"p", "e", "x", "4 1 5", "f", "0", "1", "0 0 0", "1 1", "2 2 x", "3 3 3"}),
     [](const PlotData& d) {
         EXPECT_EQ(d.PointCount, 1);
         EXPECT_EQ(d.DataX, Series{0});
     }},
    {"the format's smallest pole-zero example",
     Lines({"pulse", "e", "x", "-1 2 1", "1 0 0 0", "0 2", "-1 -2", "3 1", "0", "1 0 0", "2.5", ".75", "0 0",
            "0 1 2"}),
     [](const PlotData& d) {
         EXPECT_EQ(d.DelayMatched, 1);
         EXPECT_EQ(d.PoleCount, 2);
         EXPECT_EQ(d.PoleRe, (Series{-2, -1}));
         EXPECT_EQ(d.PoleIm, (Series{1, 3}));
         EXPECT_EQ(d.SigmaZeroCount, 0);
         EXPECT_EQ(d.OmegaZeros, Series{2.5});
         EXPECT_EQ(d.ComplexZeroCount, 0);
         EXPECT_EQ(d.GainText, ".75");
         EXPECT_EQ(d.PointCount, 1);
     }},
    {"poles sorted by imaginary part",
     Lines({"pz", "e", "x", "-2 3 1", "0 0 0 0", "0 3", "-1 -3 -2", "2 -2 0", "0", "0 0 0", "1", "0 0", "0 1 2"}),
     [](const PlotData& d) {
         EXPECT_EQ(d.PoleRe, (Series{-3, -2, -1}));
         EXPECT_EQ(d.PoleIm, (Series{-2, 0, 2}));
     }},
    {"sigma pole, paired doublet, zero pairs and a quad",
     Lines({"pz", "e", "x", "-1 1 1", "1 .5 1 0", "1 1", " -1.2 ", "-.5", "1", "1", "-2.5 1 1", "0 2 1",
            ".5 -.25 1", "4 5.5 2", "gain 1", "0 0", "0 1 2"}),
     [](const PlotData& d) {
         EXPECT_EQ(d.SigmaPoleCount, 1);
         EXPECT_EQ(d.SigmaPole, -1.2);
         EXPECT_EQ(d.SigmaZero, -2.5);
         EXPECT_EQ(d.SigmaZeroOrder, 1);
         EXPECT_EQ(d.SigmaZeroPaired, 1);
         EXPECT_EQ(d.ZeroPairCount, 2);
         EXPECT_EQ(d.ZeroQuadCount, 1);
         EXPECT_EQ(d.ComplexZeroCount, 3);
         EXPECT_EQ(d.ZeroRe, (Series{0.5, -0.25, 1}));
         EXPECT_EQ(d.ZeroIm, (Series{4, 5.5, 2}));
         EXPECT_EQ(d.GainText, "gain 1");
     }},
    {"unused last pole-zero record may be unreadable",
     Lines({"pz", "e", "x", "-2 1 1", "0 0 0 0", "0 1", "-1", "1", "0", "0 0 0", "1", "n/a", "0 1 2"}),
     [](const PlotData& d) {
         EXPECT_EQ(d.PointCount, 1) << "the unused record swallowed nothing but its own line";
     }},
    {"no poles and no zeros, written as blank lines",
     Lines({"pz", "e", "x", "-2 0 1", "0 0 0 0", "0 0", "", "", "0", "0 0 0", "1", "0 0", "0 1 2"}),
     [](const PlotData& d) {
         EXPECT_EQ(d.PoleCount, 0);
         EXPECT_TRUE(d.PoleRe.empty());
         EXPECT_EQ(d.PointCount, 1);
     }},
};

class KindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(KindTest, ReadsTheSection)
{
    PlotFiles files;
    const auto r = files.Read(GetParam().Text);
    ASSERT_TRUE(r->Ok) << r->Failure();
    EXPECT_TRUE(r->Data.IsOpen()) << "the file stays open for the curve blocks";
    GetParam().Check(r->Data);
}

INSTANTIATE_TEST_SUITE_P(Kinds, KindTest, ::testing::ValuesIn(kindCases), [](const auto& info) {
    std::string name;
    for (const char ch : std::string(info.param.Name)) name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    return name;
});

// Arrays the new file's type does not name keep what the earlier file left.
TEST(ReadPlotData, SecondFileReplacesTheOpenFileAndKeepsOtherArrays)
{
    PlotFiles files;
    files.Write("first.plt", Lines({"lor", "e", "x", "1 1 1", "f", "0", "1", "2", "3", "0 1 2"}));
    files.Write("first.2lt", Lines({"pow", "e", "x", "4 1 2", "f", "0", "9", "5 6 7", "8 9 10", "tail 1", "1", "1 1"}));
    auto r = PlotFiles::ReadExisting(files.Dir() + "/first");
    ASSERT_TRUE(r->Ok);
    ASSERT_TRUE(ReadPlotData(r->Data, files.Dir() + "/first.2lt").Loaded());
    EXPECT_EQ(CodeOf(r->Data.PlotType), 4);
    EXPECT_EQ(r->Data.ParamA, Series{9});
    EXPECT_EQ(r->Data.ParamT0, Series{3}) << "kept from the .plt file";
    EXPECT_EQ(r->Data.DataX, (Series{5, 8}));
    ReadNextBlock(r->Data);
    EXPECT_EQ(r->Data.PointCount, 1) << "later reads continue in the second file";
}

TEST(ReadPlotData, MissingFileReturnsWithoutAnything)
{
    PlotFiles files;
    auto r = PlotFiles::ReadExisting(files.Dir() + "/absent");
    EXPECT_EQ(r->Outcome.Status, ReadStatus::Missing);
    EXPECT_EQ(r->Data.PointCount, -1);
}

TEST(ReadPlotData, FindsTheFileWithoutRegardToCase)
{
    PlotFiles files;
    files.Write("RUN.PLT", Lines({"t", "e", "x", "7 1 1", "0 1 2"}));
    auto r = PlotFiles::ReadExisting(files.Dir() + "/run");
    EXPECT_TRUE(r->Ok);
    EXPECT_EQ(r->Data.PointCount, 1);
}

struct BlockCase {
    const char* Name;
    std::string Text;  // what follows the data points
    int PointCount;
    Series DataX, DataY2;
};

const std::vector<BlockCase> blockCases = {
    {"a whole block", Lines({"Impulse", " 3 ", "0 1", ".5 -.5", "1 1.25E-03"}), 3, {0, 0.5, 1}, {1, -0.5, 1.25e-3}},
    {"a count rounded half to even", Lines({"Ripple", "2.5", "0 1", "1 2", "2 3"}), 2, {0, 1}, {1, 2}},
    {"a block cut short", Lines({"Sidelobe", "4", "0 1", "1 2"}), 2, {0, 1}, {1, 2}},
    {"extra numbers of a point ignored", Lines({"B", "1", "0 1 99"}), 1, {0}, {1}},
    {"a block without points", Lines({"B", "3"}), 0, {}, {}},
    {"no block at all", "", 0, {}, {}},
    {"title without a count line", Lines({"B"}), 0, {}, {}},
    {"a count that is not a number", Lines({"B", "many", "0 1"}), 0, {}, {}},
    {"a count of zero", Lines({"B", "0", "0 1"}), 0, {}, {}},
    {"a negative count", Lines({"B", "-3", "0 1"}), 0, {}, {}},
    {"a count beyond sixteen bits", Lines({"B", "70000", "0 1"}), 0, {}, {}},
};

TEST(ReadNextBlock, ReadsEachBlockOrYieldsNoPoint)
{
    for (const BlockCase& c : blockCases) {
        PlotFiles files;
        auto r = files.Read(Lines({"pz", "e", "x", "-1 1 2", "0 0 0 0", "0 1", "-1", "1", "0", "0 0 0", "1", "0 0",
                                   "7 8 9", "10 11 12"}) +
                            c.Text);
        ASSERT_TRUE(r->Ok) << c.Name;
        ReadNextBlock(r->Data);
        EXPECT_EQ(r->Data.PointCount, c.PointCount) << c.Name;
        if (c.PointCount > 0) {
            EXPECT_EQ(r->Data.DataX, c.DataX) << c.Name;
            EXPECT_EQ(r->Data.DataY2, c.DataY2) << c.Name;
        }
        EXPECT_EQ(r->Data.DataY1, (Series{8, 11})) << c.Name << ": DataY1 stays as read";
    }
}

TEST(ReadNextBlock, WithoutAnOpenFileYieldsNoPoint)
{
    PlotData data;
    data.PointCount = 5;
    ReadNextBlock(data);
    EXPECT_EQ(data.PointCount, 0);
}

// Every bundled sample reads completely, with the blocks its counts promise.
struct SampleCase {
    const char* File;
    int PlotType, TermCount, PointCount;
    std::vector<int> BlockPoints;
};

TEST(Samples, EverySampleReads)
{
    const SampleCase cases[] = {
        {"lorentz2.plt", 1, 2, 100, {}},  {"modlor1.plt", 2, 1, 61, {}},   {"expdecay.plt", 3, 2, 41, {}},
        {"expdecay.2lt", 3, 2, 41, {}},   {"power3.plt", 4, 3, 41, {}},    {"sine2.plt", 5, 2, 81, {}},
        {"dampsine.plt", 6, 1, 101, {}},  {"logistic7.plt", 7, 1, 30, {}}, {"oscill.plt", 0, 3, 121, {}},
        {"dosivo.plt", 110, 2, 97, {}},   {"tunewave.plt", -2, 2, 61, {61, 41, 81}},
        {"pulseqz.plt", -1, 6, 61, {41, 81}}, {"tunepulse.plt", -1, 2, 41, {81}},
    };
    for (const SampleCase& c : cases) {
        const std::string path = std::string(TK_SOURCE_DIR) + "/samples/" + c.File;
        const std::string name(c.File);
        auto r = PlotFiles::ReadExisting(path.substr(0, path.size() - 4), path.substr(path.size() - 4));
        ASSERT_TRUE(r->Ok) << c.File << ": " << r->Failure();
        EXPECT_EQ(CodeOf(r->Data.PlotType), c.PlotType) << c.File;
        EXPECT_EQ(r->Data.TermCount, c.TermCount) << c.File;
        EXPECT_EQ(r->Data.PointCount, c.PointCount) << c.File;
        for (const int points : c.BlockPoints) {
            ReadNextBlock(r->Data);
            EXPECT_EQ(r->Data.PointCount, points) << c.File;
        }
        ReadNextBlock(r->Data);
        EXPECT_EQ(r->Data.PointCount, 0) << c.File << ": nothing after the last block";
    }
}

TEST(Samples, PoleZeroSampleHoldsEveryKindOfZero)
{
    const std::string base = std::string(TK_SOURCE_DIR) + "/samples/pulseqz";
    auto r = PlotFiles::ReadExisting(base);
    ASSERT_TRUE(r->Ok);
    const PlotData& d = r->Data;
    EXPECT_EQ(d.SigmaPoleCount, 1);
    EXPECT_EQ(d.SigmaZeroOrder, 1);
    EXPECT_EQ(d.SigmaZeroPaired, 1);
    EXPECT_EQ(d.ZeroPairCount, 2);
    EXPECT_EQ(d.ZeroQuadCount, 1);
    EXPECT_TRUE(std::is_sorted(d.PoleIm.begin(), d.PoleIm.end()));
    EXPECT_EQ(d.PoleRe.front(), -0.9) << "the pole (-.9, .6) moved to the front with its imaginary part";
}

}  // namespace
