// The plot sequence of every plot type, the second data file, the picture series, the third
// data file's replay and the fatal block warnings, over generated plot files.
#include "RunFixture.h"

#include "plots/run/WholeSequence.h"

using namespace plots;
using namespace runtest;

namespace {

struct SequenceCase {
    const char* Name;
    PlotFileSpec File;
    std::vector<std::string> Lines;  // one per plot drawn
    std::vector<int> Kinds;
    int FileIndexAtEnd;
};

void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.Name; }

class PlotSequence : public ViewerFixture, public ::testing::WithParamInterface<SequenceCase> {};

TEST_P(PlotSequence, EachKindShowsItsPlotsInOrder)
{
    const SequenceCase& c = GetParam();
    Write("run.plt", PlotFileText(c.File));
    StartOn("run");
    ASSERT_GT(viewer.Data.PointCount, 0) << "the plot file was not read";
    NextUntilDisabled();

    EXPECT_FALSE(host.Exited) << host.FatalText;
    EXPECT_EQ(Lines(), c.Lines);
    EXPECT_EQ(Kinds(), c.Kinds);
    EXPECT_EQ(viewer.Run.FileIndex, c.FileIndexAtEnd);
    EXPECT_FALSE(Enabled(Command::Next)) << "the run should end by disabling Next";
    EXPECT_TRUE(dialogs.Boxes.empty());
}

PlotFileSpec Kind(int type, int omegaZeros = 0, int delayMatched = 0)
{
    PlotFileSpec s;
    s.PlotType = type;
    s.OmegaZeroCount = omegaZeros;
    s.DelayMatched = delayMatched;
    return s;
}

const std::vector<std::string> FittingLines{First, Second};
const std::vector<int> FittingKinds{1, 2};

INSTANTIATE_TEST_SUITE_P(
    AllKinds, PlotSequence,
    ::testing::Values(
        SequenceCase{"ode", Kind(0), {First}, {1}, 2},
        SequenceCase{"dosivo", Kind(110), {First}, {1}, 2},
        SequenceCase{"lorentz", Kind(1), FittingLines, FittingKinds, 2},
        SequenceCase{"modlorentz", Kind(2), FittingLines, FittingKinds, 2},
        SequenceCase{"exponential", Kind(3), FittingLines, FittingKinds, 2},
        SequenceCase{"power", Kind(4), FittingLines, FittingKinds, 2},
        SequenceCase{"sine", Kind(5), FittingLines, FittingKinds, 2},
        SequenceCase{"expsine", Kind(6), FittingLines, FittingKinds, 2},
        SequenceCase{"type7", Kind(7), FittingLines, FittingKinds, 2},
        SequenceCase{"type8", Kind(8), FittingLines, FittingKinds, 2},
        SequenceCase{"unknownType", Kind(42), FittingLines, FittingKinds, 2},
        SequenceCase{"pulseAllBlocks", Kind(-1, 3, 1),
                     {Map, First, Second, SideLobe, Ripple, Impulse}, {1, 1, 2, 3, 4, 5}, 2},
        SequenceCase{"pulseNoSideLobe", Kind(-1, 1, 1), {Map, First, Second, Ripple, Impulse}, {1, 1, 2, 4, 5}, 2},
        SequenceCase{"pulseNoRipple", Kind(-1, 2, 0), {Map, First, Second, SideLobe, Impulse}, {1, 1, 2, 3, 5}, 2},
        SequenceCase{"pulseImpulseOnly", Kind(-1, 0, 0), {Map, First, Second, Impulse}, {1, 1, 2, 5}, 2},
        SequenceCase{"waveRippleEnds", Kind(-2, 3, 1), {Map, First, Second, SideLobe, Ripple}, {1, 1, 2, 3, 4}, 2},
        SequenceCase{"waveNoRipple", Kind(-2, 2, 0), {Map, First, Second, SideLobe, Impulse}, {1, 1, 2, 3, 5}, 2},
        SequenceCase{"waveImpulseOnly", Kind(-2, 0, 0), {Map, First, Second, Impulse}, {1, 1, 2, 5}, 2}),
    [](const ::testing::TestParamInfo<SequenceCase>& info) { return std::string(info.param.Name); });

// ---------------------------------------------------------------------------------------------

TEST_F(ViewerFixture, FittingCurvesSwapThenSumTheColumns)
{
    PlotFileSpec s = Kind(3);
    s.Points = 3;
    Write("fit.plt", PlotFileText(s));
    StartOn("fit");
    ASSERT_EQ(viewer.Data.PointCount, 3);
    const Series y1 = viewer.Data.DataY1, y2 = viewer.Data.DataY2;
    // Drawing scales both curves by one power of ten, so their ratio tells what they hold.
    ASSERT_EQ(viewer.Axis.CurveY1.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(viewer.Axis.CurveY1[i] / viewer.Axis.CurveY2[i], y2[i] / y1[i], 1e-9) << i;

    viewer.cmdNext_Click();
    ASSERT_EQ(viewer.Run.CurveKind, 2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(viewer.Data.DataY2[i], y1[i] + y2[i]) << "summed in the loaded data, " << i;
        EXPECT_NEAR(viewer.Axis.CurveY1[i] / viewer.Axis.CurveY2[i], (y1[i] + y2[i]) / y1[i], 1e-9) << i;
    }
}

TEST_F(ViewerFixture, DosivoFirstPlotAddsBothCompartments)
{
    PlotFileSpec s = Kind(110);
    s.Points = 3;
    Write("dose.plt", PlotFileText(s));
    viewer.Run.PlotBase = Path("dose");
    viewer.LocatePlotFile(viewer.Run.PlotBase);
    ASSERT_EQ(viewer.Data.PointCount, 3);
    const Series y1 = viewer.Data.DataY1, y2 = viewer.Data.DataY2;
    viewer.PlotNextStep();
    ASSERT_EQ(viewer.Axis.CurveY1.size(), 3u);
    ASSERT_EQ(viewer.Axis.CurveY3.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(viewer.Axis.CurveY1[i] / viewer.Axis.CurveY3[i], (y1[i] + y2[i]) / y2[i], 1e-9) << i;
}

TEST_F(ViewerFixture, SecondDataFileIsReadOnceAndStartsAtItsFirstPlot)
{
    PlotFileSpec initial = Kind(3), fitted = Kind(3);
    fitted.YOffset = 100;
    Write("t-freq.plt", PlotFileText(initial));
    Write("t-freq.2lt", PlotFileText(fitted));
    StartOn("t-freq");
    ASSERT_GT(viewer.Data.PointCount, 0);
    viewer.cmdNext_Click();  // curve vs. data of the .plt
    EXPECT_EQ(viewer.Run.FileIndex, 2);
    EXPECT_TRUE(viewer.Run.SecondFilePending);

    viewer.cmdNext_Click();  // reads the .2lt and shows its first plot
    EXPECT_FALSE(viewer.Run.SecondFilePending);
    EXPECT_DOUBLE_EQ(viewer.Data.DataY1.at(0), 102.0) << "the second file's data are loaded";
    const int captions = host.CaptionRefreshes;

    // Make the .2lt unreadable: a second read would now fail, so the next plot proves it is
    // drawn from memory.
    Write("t-freq.2lt", "garbage\r\n");
    viewer.cmdNext_Click();
    EXPECT_EQ(Lines(), (std::vector<std::string>{First, Second, First, Second}));
    EXPECT_EQ(viewer.Run.FileIndex, 3);
    EXPECT_DOUBLE_EQ(viewer.Data.DataY1.at(0), 102.0);
    EXPECT_GT(host.CaptionRefreshes, captions);
    viewer.cmdNext_Click();
    EXPECT_FALSE(Enabled(Command::Next));
    EXPECT_TRUE(dialogs.Boxes.empty());
}

TEST_F(ViewerFixture, PicturesOfTheSeriesComeFirstOnePerClick)
{
    Write("run.plt", PlotFileText(Kind(4)));
    WritePicture(QString::fromStdString(Path("run.2if")), Qt::red);
    WritePicture(QString::fromStdString(Path("run.3if")), Qt::blue);
    StartOn("run");

    viewer.cmdNext_Click();
    EXPECT_EQ(viewer.Run.PictureIndex, 3);
    EXPECT_EQ(surface.Calls.back().Type, DrawCall::Picture);
    const QImage first = surface.Picture();
    EXPECT_EQ(QColor(first.pixel(160, 120)), QColor(Qt::red)) << "stretched over the whole surface";
    EXPECT_EQ(QColor(first.pixel(2, 2)), QColor(Qt::red));
    EXPECT_EQ(QColor(first.pixel(317, 237)), QColor(Qt::red));

    viewer.cmdNext_Click();
    EXPECT_EQ(viewer.Run.PictureIndex, 4);
    EXPECT_EQ(QColor(surface.Picture().pixel(160, 120)), QColor(Qt::blue));

    viewer.cmdNext_Click();  // the series is over: the plots go on
    EXPECT_EQ(drawn.back().Line, Second);
    EXPECT_EQ(drawn.size(), 4u);
}

TEST_F(ViewerFixture, ThirdDataFileReplaysTheSecondFilesPlots)
{
    PlotFileSpec fitted = Kind(3);
    fitted.YOffset = 100;
    Write("t-freq.plt", PlotFileText(Kind(3)));
    Write("t-freq.2lt", PlotFileText(fitted));
    Write("t-freq.3lt", PlotFileText(Kind(0)));  // never read
    StartOn("t-freq");
    NextUntilDisabled();

    EXPECT_FALSE(host.Exited) << host.FatalText;
    EXPECT_EQ(Lines(), (std::vector<std::string>{First, Second, First, Second, First, Second}));
    EXPECT_EQ(viewer.Data.PlotType, 3) << "the .3lt (type 0) must not be read";
    EXPECT_DOUBLE_EQ(viewer.Data.DataY1.at(0), 102.0);
    EXPECT_EQ(viewer.Run.FileIndex, 4);
}

struct BlockWarningCase {
    const char* Name;
    PlotFileSpec File;
    const char* Warning;
    std::size_t PlotsBefore;
};

void PrintTo(const BlockWarningCase& c, std::ostream* os) { *os << c.Name; }

class BlockWarnings : public ViewerFixture, public ::testing::WithParamInterface<BlockWarningCase> {};

TEST_P(BlockWarnings, MissingCurveBlockEndsTheViewerWithItsWarning)
{
    Write("pz.plt", PlotFileText(GetParam().File));
    StartOn("pz");
    NextUntilDisabled();
    EXPECT_TRUE(host.Exited);
    EXPECT_EQ(host.FatalText, GetParam().Warning);
    EXPECT_EQ(drawn.size(), GetParam().PlotsBefore) << "nothing more is drawn";
}

PlotFileSpec Without(PlotFileSpec s, bool side, bool ripple, bool impulse)
{
    s.SideLobeBlock = side;
    s.RippleBlock = ripple;
    s.ImpulseBlock = impulse;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    PoleZero, BlockWarnings,
    ::testing::Values(
        BlockWarningCase{"sideLobe", Without(Kind(-1, 3, 1), false, false, false), "==Warning== No Sidelobe data in file", 3},
        BlockWarningCase{"ripple", Without(Kind(-1, 3, 1), true, false, false), "==Warning== No Ripple data in file", 4},
        BlockWarningCase{"impulse", Without(Kind(-1, 3, 1), true, true, false), "==Warning== No h(t) data in file", 5}),
    [](const ::testing::TestParamInfo<BlockWarningCase>& info) { return std::string(info.param.Name); });

TEST(WholeSequence, RendersEveryPlotOfTheFileAndItsSecondFile)
{
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString() + "/t-freq";
    PlotFileSpec fitted = Kind(3);
    fitted.YOffset = 100;
    WriteFile(QString::fromStdString(base + ".plt"), PlotFileText(Kind(3)));
    WriteFile(QString::fromStdString(base + ".2lt"), PlotFileText(fitted));
    WriteFile(QString::fromStdString(base + ".3lt"), PlotFileText(Kind(3)));

    SequenceOptions options;
    options.Width = 200;
    options.Height = 150;
    int seen = 0;
    const SequenceResult r = RenderWholeSequence(base + ".plt", options, [&](const QImage& image, int number) {
        EXPECT_EQ(number, ++seen);
        EXPECT_EQ(image.size(), QSize(200, 150));
    });
    EXPECT_TRUE(r.Loaded);
    EXPECT_FALSE(r.Fatal);
    EXPECT_EQ(r.Plots.size(), 4u) << "the third file's replay is not part of the export";
    EXPECT_EQ(seen, 4);
    EXPECT_NE(r.OutputText.find(Second), std::string::npos);
}

TEST(WholeSequence, PoleZeroRunAndMissingFile)
{
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString() + "/pulse";
    WriteFile(QString::fromStdString(base + ".plt"), PlotFileText(Kind(-1, 3, 1)));
    const SequenceResult r = RenderWholeSequence(base, SequenceOptions{});
    EXPECT_EQ(r.Plots.size(), 6u);

    const SequenceResult none = RenderWholeSequence(dir.path().toStdString() + "/absent.plt", SequenceOptions{});
    EXPECT_FALSE(none.Loaded);
    EXPECT_TRUE(none.Plots.empty());
}

}  // namespace
