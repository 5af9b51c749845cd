// What the viewer shows for each way its data file can fail to load: the reader returns the
// outcome, the viewer turns it into its box, its tab and its caption.
#include "RunFixture.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace plots;
using namespace runtest;

namespace {

TEST_F(ViewerFixture, EachFailedReadGetsItsOwnMessageAndLeavesNothingToDraw)
{
    struct Case {
        const char* What;
        std::string Text;
        const char* Title;  // of the one box, "" for the fatal exit
        std::string Text_;
    };
    const std::string base = Path("run");
    const std::vector<Case> cases{
        {"corrupted header", "title\r\nsum\r\nx\r\n1 one 3\r\n", "Reading data file error at --> modelX.",
         base + "\r\nData file is corrupted; you must rerun problem to create a \r\n"
                "new data file.  If this problem continues, Please notify\r\n"
                "us via e-mail and attach your input file for us to see the\r\nsame results."},
        {"no data point", "title\r\nsum\r\nx\r\n7 1 3\r\n", "", "No data in file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        Write("run.plt", c.Text);
        dialogs.Boxes.clear();
        host.Exited = false;
        host.CaptionRefreshes = 0;
        viewer.Run().State().FileIndex = 1;
        viewer.Run().State().PlotBase = base;
        viewer.LocatePlotFile(base);
        EXPECT_EQ(viewer.Run().Data().PointCount, -1);
        EXPECT_EQ(host.TabCaptions[TabInput], "Input");
        if (!*c.Title) {
            EXPECT_TRUE(host.Exited);
            EXPECT_EQ(host.FatalText, c.Text_);
            EXPECT_TRUE(dialogs.Boxes.empty());
            continue;
        }
        ASSERT_EQ(dialogs.Boxes.size(), 1u);
        EXPECT_EQ(dialogs.Boxes[0].Title, c.Title);
        EXPECT_EQ(dialogs.Boxes[0].Text, c.Text_);
        EXPECT_EQ(dialogs.Boxes[0].Icon, tk::MsgIcon::Exclamation);
        EXPECT_EQ(viewer.Run().State().PlotBase, "") << "the run's name is forgotten";
        EXPECT_EQ(host.CaptionRefreshes, 1);
        EXPECT_FALSE(host.Exited);
    }
}

// "&Next >>" says what it did: a plot drawn, a data file that failed (its box shown, nothing
// drawn), the run's end, or the viewer ended.
TEST_F(ViewerFixture, NextSaysWhetherItDrew)
{
    PlotFileRecipe noImpulse = Kind(-1, 0, 0);
    noImpulse.ImpulseBlock = false;
    const struct {
        const char* What;
        std::string First, Second;  // the run's .plt and .2lt ("": none)
        int Presses;                // before the one looked at
        NextOutcome Said;
    } cases[] = {
        {"a plot follows", PlotFileText(Kind(3)), "", 0, NextOutcome::Drew},
        {"the run's end", PlotFileText(Kind(3)), "", 1, NextOutcome::Nothing},
        {"the second data file is corrupted", PlotFileText(Kind(3)), "title\r\nsum\r\nx\r\n1 one 3\r\n", 1,
         NextOutcome::Failed},
        {"an empty curve block", PlotFileText(noImpulse), "", 2, NextOutcome::Ended},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        viewer.cmdQuit_Click();
        host.Exited = false;
        QFile::remove(QString::fromStdString(Path("run.2lt")));
        Write("run.plt", c.First);
        if (!c.Second.empty()) Write("run.2lt", c.Second);
        StartOn("run");
        for (int i = 0; i < c.Presses; ++i) ASSERT_EQ(viewer.Next(), NextOutcome::Drew);
        const std::size_t before = drawn.size();
        EXPECT_EQ(viewer.Next(), c.Said);
        EXPECT_EQ(drawn.size() > before, c.Said == NextOutcome::Drew);
    }
}

TEST_F(ViewerFixture, AFileThatCannotBeOpenedIsReportedWithItsCauseNotAsCorrupted)
{
    Write("locked.plt", PlotFileText(Kind(3)));
    ASSERT_EQ(::chmod(dir.path().toUtf8().constData(), 0755), 0);
    ASSERT_EQ(::chmod(Path("locked.plt").c_str(), 0), 0);
    // Root reads any file, so the viewer runs as an ordinary user in a child process.
    const bool asRoot = geteuid() == 0;
    const pid_t child = asRoot ? fork() : 0;
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool dropped = !asRoot || (setgid(65534) == 0 && setuid(65534) == 0);
        viewer.Run().State().PlotBase = Path("locked");
        viewer.LocatePlotFile(viewer.Run().State().PlotBase);
        const bool shown = dropped && dialogs.Boxes.size() == 1 &&
                           dialogs.Boxes[0].Title == "In 'ReadPlotData' routine ..." &&
                           dialogs.Boxes[0].Text == "Unexpected error # 13 occured: Permission denied" &&
                           viewer.Run().State().PlotBase.empty() && viewer.Run().Data().PointCount == -1;
        if (asRoot) _exit(shown ? 0 : 1);
        EXPECT_TRUE(shown) << (dialogs.Boxes.empty() ? "no box" : dialogs.Boxes[0].Title + ": " + dialogs.Boxes[0].Text);
        return;
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
