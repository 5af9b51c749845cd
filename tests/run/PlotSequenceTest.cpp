// The plot sequence of every plot type, the second data file, the picture series, the third
// data file's replay and the fatal block warnings, over generated plot files.
#include "RunFixture.h"

#include "plots/run/WholeSequence.h"

#include <QRegularExpression>

using namespace plots;
using namespace runtest;

namespace {

struct SequenceCase {
    const char* Name;
    PlotFileRecipe File;
    std::vector<PlotKind> Plots;  // one per plot drawn
};
void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.Name; }

class PlotSequence : public ViewerFixture, public ::testing::WithParamInterface<SequenceCase> {};

TEST_P(PlotSequence, EachKindShowsItsPlotsInOrderThenNextDisablesItself)
{
    const SequenceCase& c = GetParam();
    Write("run.plt", PlotFileText(c.File));
    StartOn("run");
    ASSERT_GT(viewer.Run().Data().PointCount, 0) << "the plot file was not read";
    NextUntilDisabled();
    EXPECT_FALSE(host.Exited) << host.FatalText;
    EXPECT_EQ(drawn, c.Plots);
    EXPECT_EQ(viewer.FileSequence(), c.Plots) << "the sequence value and the clicks agree";
    EXPECT_EQ(viewer.Run().State().FileIndex, 2);
    EXPECT_FALSE(Enabled(Command::Next));
    EXPECT_TRUE(dialogs.Boxes.empty());
}

const std::vector<PlotKind> Fitting{First, Second};

INSTANTIATE_TEST_SUITE_P(
    AllKinds, PlotSequence,
    ::testing::Values(
        SequenceCase{"ode", Kind(0), {First}}, SequenceCase{"dosivo", Kind(110), {First}},
        SequenceCase{"lorentz", Kind(1), Fitting}, SequenceCase{"modLorentz", Kind(2), Fitting},
        SequenceCase{"exponential", Kind(3), Fitting}, SequenceCase{"power", Kind(4), Fitting},
        SequenceCase{"sine", Kind(5), Fitting}, SequenceCase{"expSine", Kind(6), Fitting},
        SequenceCase{"type7", Kind(7), Fitting}, SequenceCase{"type8", Kind(8), Fitting},
        SequenceCase{"unknownType", Kind(42), Fitting},
        SequenceCase{"pulseAll", Kind(-1, 3, 1), {Map, First, Second, SideLobe, Ripple, Impulse}},
        SequenceCase{"pulseNoSideLobe", Kind(-1, 1, 1), {Map, First, Second, Ripple, Impulse}},
        SequenceCase{"pulseNoRipple", Kind(-1, 2, 0), {Map, First, Second, SideLobe, Impulse}},
        SequenceCase{"pulseImpulseOnly", Kind(-1, 0, 0), {Map, First, Second, Impulse}},
        SequenceCase{"waveEndsAtRipple", Kind(-2, 3, 1), {Map, First, Second, SideLobe, Ripple}},
        SequenceCase{"waveNoRipple", Kind(-2, 2, 0), {Map, First, Second, SideLobe, Impulse}},
        SequenceCase{"waveImpulseOnly", Kind(-2, 0, 0), {Map, First, Second, Impulse}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ViewerFixture, CurvesComeFromTheColumnsTheKindNames)
{
    // Drawing scales the curves of one plot by one power of ten, so ratios tell what they hold.
    auto ratios = [&](const Series& a, const Series& b) {
        std::vector<double> r;
        for (std::size_t i = 0; i < a.size(); ++i) r.push_back(a.at(i) / b.at(i));
        return r;
    };
    Write("fit.plt", PlotFileText(Kind(3)));
    Write("dose.plt", PlotFileText(Kind(110)));
    StartOn("fit");
    const Series y1 = viewer.Run().Data().DataY1, y2 = viewer.Run().Data().DataY2;
    std::vector<double> want, sum;
    for (int i = 0; i < 4; ++i) {
        want.push_back(y2[i] / y1[i]);
        sum.push_back(y1[i] + y2[i]);
    }
    EXPECT_EQ(ratios(viewer.Axis().CurveY1, viewer.Axis().CurveY2), want) << "first plot: column 3 over column 2";
    viewer.cmdNext_Click();
    EXPECT_EQ(viewer.Run().Data().DataY2, sum) << "curve vs. data sums the columns in the loaded data";
    EXPECT_EQ(ratios(viewer.Axis().CurveY1, viewer.Axis().CurveY2), ratios(sum, y1));

    viewer.cmdQuit_Click();
    StartOn("dose");
    EXPECT_EQ(ratios(viewer.Axis().CurveY1, viewer.Axis().CurveY3), ratios(sum, y2)) << "both compartments added";
}

TEST_F(ViewerFixture, SecondDataFileIsReadOnceAndStartsAtItsFirstPlot)
{
    PlotFileRecipe fitted = Kind(3);
    fitted.YOffset = 100;
    Write("t-freq.plt", PlotFileText(Kind(3)));
    Write("t-freq.2lt", PlotFileText(fitted));
    StartOn("t-freq");
    viewer.cmdNext_Click();
    EXPECT_TRUE(viewer.Run().State().SecondFilePending);
    viewer.cmdNext_Click();
    EXPECT_FALSE(viewer.Run().State().SecondFilePending);
    EXPECT_EQ(viewer.Run().Data().DataY1.at(0), 102.0) << "the second file's data are loaded";
    // A second read of the now unreadable file would fail: the last plot comes from memory.
    Write("t-freq.2lt", "garbage\r\n");
    NextUntilDisabled();
    EXPECT_EQ(drawn, (std::vector<PlotKind>{First, Second, First, Second}));
    EXPECT_EQ(viewer.Run().Data().DataY1.at(0), 102.0);
    EXPECT_EQ(viewer.Run().State().FileIndex, 3);
    EXPECT_TRUE(dialogs.Boxes.empty());
}

TEST_F(ViewerFixture, PicturesOfTheSeriesComeFirstOnePerClickStretchedOverTheSurface)
{
    Write("run.plt", PlotFileText(Kind(4)));
    WritePicture(Path("run.2if"), Qt::red);
    WritePicture(Path("run.3if"), Qt::blue);
    StartOn("run");
    for (QColor colour : {QColor(Qt::red), QColor(Qt::blue)}) {
        viewer.cmdNext_Click();
        const QImage shown = surface.Picture();
        for (QPoint p : {QPoint(1, 1), QPoint(160, 120), QPoint(318, 238)}) EXPECT_EQ(QColor(shown.pixel(p)), colour);
    }
    EXPECT_EQ(viewer.Run().State().PictureIndex, 4);
    NextUntilDisabled();
    EXPECT_EQ(drawn, (std::vector<PlotKind>{First, Picture, Picture, Second}));
}

TEST_F(ViewerFixture, ThirdDataFileIsNeverReadAndReplaysTheSecondFilesPlots)
{
    PlotFileRecipe fitted = Kind(3);
    fitted.YOffset = 100;
    Write("t-freq.plt", PlotFileText(Kind(3)));
    Write("t-freq.2lt", PlotFileText(fitted));
    Write("t-freq.3lt", PlotFileText(Kind(0)));
    StartOn("t-freq");
    NextUntilDisabled();
    EXPECT_FALSE(host.Exited) << host.FatalText;
    EXPECT_EQ(drawn, (std::vector<PlotKind>{First, Second, First, Second, First, Second}));
    EXPECT_EQ(viewer.Run().Data().PlotType, 3);
    EXPECT_EQ(viewer.Run().Data().DataY1.at(0), 102.0) << "the replay shows the data as read, not summed twice";
}

TEST_F(ViewerFixture, MissingCurveBlockEndsTheViewerWithItsWarning)
{
    const std::vector<std::tuple<bool, bool, const char*, std::size_t>> cases{
        {false, false, "==Warning== No Sidelobe data in file", 3},
        {true, false, "==Warning== No Ripple data in file", 4},
        {true, true, "==Warning== No h(t) data in file", 5},
    };
    for (const auto& [side, ripple, warning, plots] : cases) {
        PlotFileRecipe s = Kind(-1, 3, 1);
        s.SideLobeBlock = side;
        s.RippleBlock = ripple;
        s.ImpulseBlock = false;
        Write("pz.plt", PlotFileText(s));
        viewer.cmdQuit_Click();
        drawn.clear();
        host.Exited = false;
        StartOn("pz");
        NextUntilDisabled();
        EXPECT_TRUE(host.Exited);
        EXPECT_EQ(host.FatalText, warning);
        EXPECT_EQ(drawn.size(), plots) << warning << ": nothing more is drawn";
    }
}

TEST(WholeSequence, RendersEveryPlotOfTheFileAndItsSecondFile)
{
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString() + "/";
    WriteFile(base + "t-freq.plt", PlotFileText(Kind(3)));
    WriteFile(base + "t-freq.2lt", PlotFileText(Kind(3)));
    WriteFile(base + "t-freq.3lt", "");
    WriteFile(base + "pulse.plt", PlotFileText(Kind(-1, 3, 1)));
    SequenceOptions options;
    options.Width = 200;
    options.Height = 150;
    int seen = 0;
    const SequenceResult r =
        RenderWholeSequence(base + "t-freq.plt", options, [&](const SequencePlot&, Surface& surface, PlotKind, int n) {
            EXPECT_EQ(n, ++seen);
            EXPECT_EQ(surface.Picture().size(), QSize(200, 150));
            return true;
        });
    EXPECT_TRUE(r.Loaded);
    EXPECT_EQ(r.Plots, (std::vector<PlotKind>{First, Second, First, Second}))
        << "the third file's replay is no part of the export";
    EXPECT_NE(r.OutputText.find("Calling 2nd line plot ... Curve vs. Data plot"), std::string::npos);
    EXPECT_EQ(RenderWholeSequence(base + "pulse", options).Plots.size(), 6u);
    EXPECT_FALSE(RenderWholeSequence(base + "absent.plt", options).Loaded);
}

// The export walks the run's steps itself; it goes where the window's "&Next >>" goes, with the
// same plots, the same output box and the same boxes, also where a file fails.
TEST_F(ViewerFixture, TheExportGoesWhereNextGoes)
{
    PlotFileRecipe noImpulse = Kind(-1, 3, 1);
    noImpulse.ImpulseBlock = false;
    const std::string corrupted = "title\r\nsum\r\nx\r\n1 one 3\r\n";
    const struct {
        const char* What;
        std::vector<std::pair<std::string, std::string>> Files;  // name, text ("picture": a picture)
        const char* Start;
    } cases[] = {
        {"a fitting run and its second file", {{"r.plt", PlotFileText(Kind(3))}, {"r.2lt", PlotFileText(Kind(3))}, {"r.out", "listing\r\n"}}, "r.plt"},
        {"every curve block", {{"r.plt", PlotFileText(Kind(-1, 3, 1))}}, "r.plt"},
        {"an empty curve block", {{"r.plt", PlotFileText(noImpulse)}}, "r.plt"},
        {"a corrupted second file", {{"r.plt", PlotFileText(Kind(3))}, {"r.2lt", corrupted}}, "r.plt"},
        {"pictures of the series", {{"r.plt", PlotFileText(Kind(4))}, {"r.2if", "picture"}, {"r.3if", "picture"}}, "r.plt"},
        {"a picture run without its source", {{"r.gif", "picture"}, {"r.2if", "picture"}, {"r.out", "listing\r\n"}}, "r.gif"},
    };
    // The run summary states the time it is made.
    const auto timeless = [](std::string text) {
        return QString::fromStdString(text).replace(QRegularExpression("\\d+:\\d\\d(:\\d\\d)?"), "T").toStdString();
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        QTemporaryDir run;
        const std::string at = run.path().toStdString() + "/";
        for (const auto& [name, text] : c.Files) {
            if (text == "picture")
                WritePicture(at + name, Qt::red);
            else
                WriteFile(at + name, text);
        }
        const SequenceResult exported = RenderWholeSequence(at + c.Start, {});

        HeadlessHost window;
        tk::ScriptedDialogs boxes;
        RecordingSurface canvas(320, 240);
        Viewer next(window, boxes, canvas);
        std::vector<PlotKind> shown;
        next.OnPlotDrawn = [&](PlotKind kind) { shown.push_back(kind); };
        next.ApplyLoadStates();
        next.Run().State().PlotBase = at + "r";
        next.StartOnFile(at + "r");
        while (!window.Exited && shown.size() < 50 && !next.RunComplete())
            if (next.Next() != NextOutcome::Drew) break;

        EXPECT_EQ(exported.Plots, shown);
        EXPECT_EQ(timeless(exported.OutputText), timeless(window.Output));
        EXPECT_EQ(exported.Fatal, window.Exited);
        EXPECT_EQ(exported.FatalText, window.FatalText);
        ASSERT_EQ(exported.Messages.size(), boxes.Boxes.size());
        for (std::size_t i = 0; i < boxes.Boxes.size(); ++i)
            EXPECT_EQ(exported.Messages[i].Title + ": " + exported.Messages[i].Text,
                      boxes.Boxes[i].Title + ": " + boxes.Boxes[i].Text);
    }
}

}  // namespace
