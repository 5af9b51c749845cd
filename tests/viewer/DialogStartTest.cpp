// Where "&Open Plot File ..." and "Save &As ..." start: in the directory of the run being
// shown, else in the working directory; never at the file system's root, where Enter on the
// proposed bitmap name would try to write /NAME.bmp.
#include "StartupFixture.h"
#include "common/Dialogs.h"
#include "common/Registry.h"
#include "plots/render/Surface.h"
#include "plots/run/Startup.h"
#include "plots/run/Viewer.h"
#include "support/HeadlessHost.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <string>

using namespace plots;

namespace {

struct DialogCase {
    const char* Name;
    std::string Tail;      // the viewer's command tail
    std::string Opened;    // a plot file opened with "&Open Plot File ..." after the start, or ""
    std::string Expected;  // where both dialogs start
    bool RunShown;         // a run is shown, so Save As is offered
};

// A fresh account: no installation under the roots, a store that holds only the company key,
// the viewer started from the home directory.
class DialogStart : public viewertest::StartupFixture, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(DialogStart, BothDialogsStartWhereTheRunIs)
{
    const DialogCase& c = GetParam();
    for (const char* f : {"{TMP}/runs/t-freq.plt", "{TMP}/other/wave.plt"}) MakeFile(Expand(f));
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Expand("{TMP}/home"))));
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(Expand("{TMP}/home"))));
    tk::Registry store = MakeStore(true);
    HeadlessHost host;
    tk::ScriptedDialogs dialogs;
    ImageSurface surface(320, 240);
    Viewer viewer(host, dialogs, surface);
    Main(viewer, store, Expand(c.Tail));
    if (!c.Opened.empty()) {
        dialogs.FileAnswers = {Expand(c.Opened)};
        viewer.FileOld();
    }
    const std::string expected = Expand(c.Expected);

    dialogs.FileAnswers = {std::nullopt};
    viewer.FileOld();
    EXPECT_EQ(dialogs.FileRequests.back().InitialDir, expected) << "open dialog";
    if (!c.RunShown) return;

    // Enter on the proposed name: the real dialog answers with that name in its start directory.
    const std::size_t asked = dialogs.FileRequests.size();
    dialogs.FileAnswers = {expected + "/" + ProposedBitmapName(viewer.Run().State().PlotBase)};
    EXPECT_TRUE(viewer.FileSaveAs());
    ASSERT_EQ(dialogs.FileRequests.size(), asked + 1);
    const tk::FileDialogRequest& save = dialogs.FileRequests.back();
    EXPECT_EQ(save.InitialDir, expected) << "save dialog";
    QFileDialog dialog;
    tk::ConfigureFileDialog(dialog, save, true);
    ASSERT_FALSE(dialog.selectedFiles().isEmpty());
    EXPECT_EQ(dialog.selectedFiles().front().toStdString(), expected + "/" + save.ProposedName);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(expected + "/" + save.ProposedName)).isFile());
}

const DialogCase DialogCases[] = {
    {"StartedOnAPlotFile", "{TMP}/runs/t-freq.plt", "", "{TMP}/runs", true},
    {"RunOpenedFromTheOpenDialog", "{TMP}/runs/t-freq.plt", "{TMP}/other/wave.plt", "{TMP}/other", true},
    {"StartedOnADirectory", "{TMP}/runs", "", "{TMP}/runs", false},
    // No installation yet: the start-up cannot enter the tools' directory and shows no run.
    {"FreshAccountWithoutARun", "", "", "{TMP}/home", false},
};

INSTANTIATE_TEST_SUITE_P(Cases, DialogStart, ::testing::ValuesIn(DialogCases),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
