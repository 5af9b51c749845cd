// The window's command states and tab after each event of a run, and which of a run's files
// is shown, on a headless host.
#include "RunFixture.h"

using namespace plots;
using namespace runtest;

namespace {

TEST_F(ViewerFixture, CommandStatesThroughLoadOpenRunQuitAndPicture)
{
    Write("t-freq.plt", PlotFileText(Kind(3)));
    WritePicture(Path("pic.gif"), Qt::green);
    Write("pic.out", "output listing\r\n");
    Write("pic.qz", "source\r\n");
    auto open = [&](const std::string& name) {
        dialogs.FileAnswers.push_back(Path(name));
        viewer.cmdOpen_Click();
    };
    // Enabled states, in the order Open, Plot results, Next, Save As and Print, Quit, Save
    // Settings; then the tab and the focused command.
    struct Step {
        const char* Event;
        std::function<void()> Do;
        const char* States;
        int Tab;
        Command Focus;
    };
    const std::vector<Step> steps{
        {"load", [] {}, "E----E", TabSetup, Command::OpenPlotFile},
        {"open a data file", [&] { open("t-freq.plt"); }, "EEEEEE", TabSetup, Command::PlotResults},
        {"start", [&] { viewer.cmdPlotResults_Click(); }, "--EEE-", TabPlot, Command::Next},
        {"next", [&] { viewer.cmdNext_Click(); }, "--EEE-", TabPlot, Command::Next},
        {"next finds nothing", [&] { viewer.cmdNext_Click(); }, "---EE-", TabPlot, Command::Next},
        {"quit", [&] { viewer.cmdQuit_Click(); }, "E--EEE", TabSetup, Command::OpenPlotFile},
        {"open a picture", [&] { open("pic.gif"); }, "E-EEEE", TabPlot, Command::Next},
    };
    const Command order[] = {Command::OpenPlotFile, Command::PlotResults, Command::Next,
                             Command::SaveAs, Command::Quit, Command::SaveSettings};
    for (const Step& s : steps) {
        s.Do();
        std::string states;
        for (Command c : order) states += Enabled(c) ? 'E' : '-';
        EXPECT_EQ(states, s.States) << s.Event;
        EXPECT_EQ(Enabled(Command::Print), Enabled(Command::SaveAs)) << s.Event;
        EXPECT_TRUE(Enabled(Command::ExitPlots)) << s.Event;
        EXPECT_TRUE(host.Commands[int(Command::SaveSettings)].Visible) << s.Event;
        EXPECT_EQ(host.Tab, s.Tab) << s.Event;
        EXPECT_EQ(host.Focused, s.Focus) << s.Event;
    }
    EXPECT_TRUE(host.SettingsEnabled) << "a run enables the settings";
    EXPECT_NE(host.Output.find("output listing"), std::string::npos);
    EXPECT_TRUE(dialogs.Boxes.empty());
    viewer.cmdExit_Click();
    EXPECT_TRUE(host.Exited);
}

TEST_F(ViewerFixture, QuitResetsTheRunAndARunPaintsItsBackground)
{
    Write("run.plt", PlotFileText(Kind(3)));
    DisplaySettings settings = viewer.Settings();
    settings.Colours[SlotBackground] = 0x123456;
    viewer.UseSettings(settings);
    StartOn("run");
    EXPECT_EQ(surface.BackColour(), Colour(0x123456));
    viewer.cmdNext_Click();
    viewer.cmdQuit_Click();
    EXPECT_FALSE(viewer.Run().Data().IsOpen());
    EXPECT_EQ(viewer.Run().Data().PointCount, -1);
    EXPECT_EQ(viewer.Run().State().PictureIndex, 2);
    EXPECT_EQ(viewer.Run().State().FileIndex, 1);
    EXPECT_EQ(viewer.Run().State().PlotStep, 0);

    settings.BlackAndWhite = true;
    viewer.UseSettings(settings);
    StartOn("run");
    EXPECT_EQ(surface.BackColour(), White);
}

TEST_F(ViewerFixture, LocateShowsTheDataFileBeforeThePicture)
{
    struct Case {
        std::vector<std::string> Files;
        int FileIndex;
        const char* Shown;  // "plt", "2lt", "gif" or "none"
    };
    const std::vector<Case> cases{
        {{"a.plt", "a.gif", "a.qz"}, 1, "plt"},
        {{"b.plt", "b.2lt"}, 2, "2lt"},
        {{"c.plt", "c.gif", "c.qz"}, 2, "gif"},
        {{"d.plt"}, 2, "none"},
    };
    PlotFileRecipe second = Kind(3);
    second.YOffset = 100;
    for (const Case& c : cases) {
        for (const std::string& f : c.Files) {
            if (f.ends_with(".gif")) WritePicture(Path(f), Qt::green);
            else Write(f, f.ends_with(".qz") ? "source" : PlotFileText(f.ends_with(".2lt") ? second : Kind(3)));
        }
        const std::string shown = c.Shown;
        SCOPED_TRACE(shown);
        dialogs.Boxes.clear();
        viewer.Run().Data().PointCount = -1;
        host.Tab = TabInput;
        viewer.Run().State().FileIndex = std::int16_t(c.FileIndex);
        viewer.LocatePlotFile(Path(c.Files[0].substr(0, 1)));
        const double firstY = viewer.Run().Data().PointCount > 0 ? viewer.Run().Data().DataY1.at(0) : 0;
        EXPECT_EQ(firstY, shown == "plt" ? 2.0 : shown == "2lt" ? 102.0 : 0.0);
        EXPECT_EQ(host.Tab, shown == "plt" ? TabSetup : shown == "gif" ? TabPlot : TabInput);
        if (shown != "none") {
            EXPECT_TRUE(dialogs.Boxes.empty());
            continue;
        }
        ASSERT_EQ(dialogs.Boxes.size(), 1u);
        EXPECT_EQ(dialogs.Boxes[0].Text, "No plot file found, needs to be a *.GIF or *.plt file.");
        EXPECT_EQ(dialogs.Boxes[0].Title, "Graphel");
        EXPECT_EQ(dialogs.Boxes[0].Icon, tk::MsgIcon::None);
        EXPECT_EQ(dialogs.FileRequests.back().Title, "Open Response Input File") << "the open dialog follows";
    }
}

}  // namespace

namespace {

// A run started on a data file that could not be read asks once for another file; cancelling
// the dialog ends the run so that another file can be opened, and a file chosen there waits
// for "&Plot results >>" like any opened file.
TEST_F(ViewerFixture, RunOnACorruptedFileAsksOnceForAnother)
{
    struct Case {
        const char* Answer;  // the open dialog's answer, "" for Cancel
        const char* States;  // Open, Plot results, Next enabled (as after Open)
        int Tab;
        Command Focus;
    };
    const std::vector<Case> cases{
        {"", "E--", TabSetup, Command::OpenPlotFile},
        {"good.plt", "-EE", TabSetup, Command::PlotResults},
    };
    Write("bad.plt", "garbage\r\n");
    Write("good.plt", PlotFileText(Kind(3)));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("dialog answer '") + c.Answer + "'");
        viewer.cmdQuit_Click();
        dialogs.Boxes.clear();
        dialogs.FileRequests.clear();
        drawn.clear();
        if (*c.Answer) dialogs.FileAnswers.push_back(Path(c.Answer));
        else dialogs.FileAnswers.push_back(std::nullopt);

        StartOn("bad");
        ASSERT_EQ(dialogs.Boxes.size(), 2u);
        EXPECT_EQ(dialogs.Boxes[0].Title, "Reading data file error at --> modelX.");
        EXPECT_EQ(dialogs.Boxes[1].Text, "No plot file found, needs to be a *.GIF or *.plt file.");
        EXPECT_EQ(dialogs.FileRequests.size(), 1u) << "the open dialog comes once";
        EXPECT_TRUE(drawn.empty()) << "nothing is drawn";
        std::string states;
        for (Command cmd : {Command::OpenPlotFile, Command::PlotResults, Command::Next})
            states += Enabled(cmd) ? 'E' : '-';
        EXPECT_EQ(states, c.States);
        EXPECT_EQ(host.Tab, c.Tab);
        EXPECT_EQ(host.Focused, c.Focus);
        EXPECT_FALSE(host.Exited);
    }
    // The file chosen in the dialog then runs as usual.
    viewer.cmdPlotResults_Click();
    EXPECT_EQ(drawn, std::vector<PlotKind>{First});
    EXPECT_EQ(dialogs.Boxes.size(), 2u);
}

}  // namespace

namespace {

// Cancelling the open dialog keeps the loaded run whole: its later curve blocks are still read
// from the data file, as they are when the dialog was never opened.
TEST_F(ViewerFixture, CancelledOpenKeepsTheLoadedRunsCurveBlocks)
{
    struct Case {
        const char* Name;
        int OpenCancelled;  // how often the open dialog is opened and cancelled before the run
    };
    const std::vector<Case> cases{{"no open dialog", 0}, {"open cancelled once", 1}, {"open cancelled twice", 2}};
    Write("pz.plt", PlotFileText(Kind(-1, 3, 1)));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        viewer.cmdQuit_Click();
        drawn.clear();
        dialogs.Boxes.clear();
        dialogs.FileAnswers.push_back(Path("pz.plt"));
        viewer.cmdOpen_Click();
        for (int i = 0; i < c.OpenCancelled; ++i) {
            dialogs.FileAnswers.push_back(std::nullopt);
            viewer.cmdOpen_Click();
        }
        EXPECT_TRUE(viewer.Run().Data().IsOpen());
        EXPECT_TRUE(Enabled(Command::PlotResults));
        viewer.cmdPlotResults_Click();
        NextUntilDisabled();
        EXPECT_FALSE(host.Exited) << host.FatalText;
        EXPECT_EQ(drawn, (std::vector<PlotKind>{Map, First, Second, SideLobe, Ripple, Impulse}));
        EXPECT_TRUE(dialogs.Boxes.empty());
    }
}

}  // namespace
