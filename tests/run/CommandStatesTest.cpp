// The window's command states and tab after each event of a run, on a headless host.
#include "RunFixture.h"

using namespace plots;
using namespace runtest;

namespace {

// Expected states: a string per command, "E" enabled, "-" disabled, "?" not checked; focus
// and tab are checked when given.
struct Expect {
    const char* Event;
    const char* Open;
    const char* PlotResults;
    const char* Next;
    const char* SaveAsPrint;
    const char* Quit;
    const char* SaveSettings;  // "E"/"-" enabled, with "v" appended when it must be visible
    int Tab;
    Command Focus;
    bool CheckFocus;
};

class CommandStates : public ViewerFixture {
protected:
    void Check(const Expect& e)
    {
        SCOPED_TRACE(e.Event);
        auto state = [&](Command c, const char* want, const char* name) {
            if (want[0] == '?') return;
            EXPECT_EQ(Enabled(c), want[0] == 'E') << name;
            if (want[0] != '\0' && want[1] == 'v') {
                EXPECT_TRUE(Visible(c)) << name << " visible";
            }
        };
        state(Command::OpenPlotFile, e.Open, "Open");
        state(Command::PlotResults, e.PlotResults, "Plot results");
        state(Command::Next, e.Next, "Next");
        state(Command::SaveAs, e.SaveAsPrint, "Save As");
        state(Command::Print, e.SaveAsPrint, "Print");
        state(Command::Quit, e.Quit, "Quit");
        state(Command::SaveSettings, e.SaveSettings, "Save Settings");
        EXPECT_TRUE(Enabled(Command::ExitPlots)) << "Exit is always available";
        EXPECT_EQ(host.Tab, e.Tab);
        if (e.CheckFocus) {
            EXPECT_EQ(int(host.Focused), int(e.Focus));
        }
    }
};

TEST_F(CommandStates, ThroughLoadOpenRunQuitAndPicture)
{
    PlotFileSpec fit;
    fit.PlotType = 3;
    Write("t-freq.plt", PlotFileText(fit));
    WritePicture(QString::fromStdString(Path("pic.gif")), Qt::green);
    Write("pic.out", "output listing\r\n");
    Write("pic.qz", "source\r\n");

    const std::vector<std::pair<std::function<void()>, Expect>> steps{
        {[] {}, {"load", "E", "-", "-", "-", "-", "E", TabSetup, Command::OpenPlotFile, false}},
        {[&] {
             dialogs.FileAnswers.push_back(Path("t-freq.plt"));
             viewer.cmdOpen_Click();
         },
         {"open a data file", "E", "E", "E", "E", "E", "E", TabSetup, Command::PlotResults, true}},
        {[&] { viewer.cmdPlotResults_Click(); },
         {"start", "-", "-", "E", "E", "E", "-v", TabPlot, Command::Next, true}},
        {[&] { viewer.cmdNext_Click(); }, {"next", "-", "-", "E", "E", "E", "-v", TabPlot, Command::Next, true}},
        {[&] { viewer.cmdNext_Click(); },
         {"next finds nothing more", "-", "-", "-", "E", "E", "-v", TabPlot, Command::Next, true}},
        {[&] { viewer.cmdQuit_Click(); },
         {"quit", "E", "-", "-", "E", "E", "E", TabSetup, Command::OpenPlotFile, true}},
        {[&] {
             dialogs.FileAnswers.push_back(Path("pic.gif"));
             viewer.cmdOpen_Click();
         },
         {"open a picture", "E", "-", "E", "E", "E", "E", TabPlot, Command::Next, true}},
    };
    for (const auto& [event, expect] : steps) {
        event();
        Check(expect);
    }
    EXPECT_TRUE(host.SettingsEnabled) << "a run enables the settings";
    EXPECT_TRUE(host.TabEnabled[TabInput]);
    EXPECT_NE(host.Output.find("output listing"), std::string::npos);
    EXPECT_NE(host.Input.find("source"), std::string::npos);
    EXPECT_TRUE(dialogs.Boxes.empty());

    viewer.cmdExit_Click();
    EXPECT_TRUE(host.Exited);
}

TEST_F(CommandStates, QuitResetsTheRunAndClosesTheDataFile)
{
    Write("run.plt", PlotFileText(PlotFileSpec{}));
    StartOn("run");
    viewer.cmdNext_Click();
    viewer.cmdQuit_Click();
    EXPECT_FALSE(viewer.Data.IsOpen());
    EXPECT_EQ(viewer.Data.PointCount, -1);
    EXPECT_EQ(viewer.Run.PictureIndex, 2);
    EXPECT_EQ(viewer.Run.FileIndex, 1);
    EXPECT_EQ(viewer.Run.PlotStep, 0);
    EXPECT_FALSE(Enabled(Command::PlotResults)) << "Quit alone does not offer the plots again";
}

TEST_F(CommandStates, RunBackgroundIsWhiteInBlackAndWhite)
{
    Write("run.plt", PlotFileText(PlotFileSpec{}));
    viewer.Settings.Colours[SlotBackground] = 0x123456;
    StartOn("run");
    EXPECT_EQ(surface.BackColour(), Colour(0x123456));
    viewer.cmdQuit_Click();

    viewer.Settings.BlackAndWhite = true;
    StartOn("run");
    EXPECT_EQ(surface.BackColour(), White);
}

struct LocateCase {
    const char* Name;
    std::vector<std::string> Files;
    int FileIndex;
    const char* Expect;  // "plt", "2lt", "gif" or "none"
};

void PrintTo(const LocateCase& c, std::ostream* os) { *os << c.Name; }

class LocateKinds : public ViewerFixture, public ::testing::WithParamInterface<LocateCase> {};

TEST_P(LocateKinds, DataFileWinsOverPicture)
{
    const LocateCase& c = GetParam();
    PlotFileSpec first, second;
    second.YOffset = 100;
    for (const std::string& f : c.Files) {
        if (f == "t-freq.gif")
            WritePicture(QString::fromStdString(Path(f)), Qt::green);
        else if (f == "t-freq.qz")
            Write(f, "source\r\n");
        else
            Write(f, PlotFileText(f == "t-freq.2lt" ? second : first));
    }
    viewer.Run.FileIndex = std::int16_t(c.FileIndex);
    viewer.LocatePlotFile(Path("t-freq"));

    const std::string expect = c.Expect;
    if (expect == "plt") {
        EXPECT_DOUBLE_EQ(viewer.Data.DataY1.at(0), 2.0);
        EXPECT_TRUE(Enabled(Command::PlotResults));
        EXPECT_EQ(host.Tab, TabSetup);
    } else if (expect == "2lt") {
        EXPECT_DOUBLE_EQ(viewer.Data.DataY1.at(0), 102.0);
    } else if (expect == "gif") {
        EXPECT_EQ(host.Tab, TabPlot);
        EXPECT_EQ(viewer.Data.PointCount, -1);
        EXPECT_EQ(drawn.size(), 1u);
    } else {
        ASSERT_EQ(dialogs.Boxes.size(), 1u);
        EXPECT_EQ(dialogs.Boxes[0].Text, "No plot file found, needs to be a *.GIF or *.plt file.");
        EXPECT_EQ(dialogs.Boxes[0].Title, "Graphel");
        EXPECT_EQ(dialogs.Boxes[0].Icon, tk::MsgIcon::None);
        ASSERT_EQ(dialogs.FileRequests.size(), 1u) << "the open dialog follows";
        EXPECT_EQ(dialogs.FileRequests[0].Title, "Open Response Input File");
    }
    if (expect != "none") {
        EXPECT_TRUE(dialogs.Boxes.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, LocateKinds,
    ::testing::Values(LocateCase{"dataAndPicture", {"t-freq.plt", "t-freq.gif"}, 1, "plt"},
                      LocateCase{"secondFile", {"t-freq.plt", "t-freq.2lt"}, 2, "2lt"},
                      LocateCase{"secondMissingPictureShown", {"t-freq.plt", "t-freq.gif", "t-freq.qz"}, 2, "gif"},
                      LocateCase{"secondMissingNothingElse", {"t-freq.plt"}, 2, "none"},
                      LocateCase{"nothing", {}, 1, "none"}),
    [](const ::testing::TestParamInfo<LocateCase>& info) { return std::string(info.param.Name); });

}  // namespace
