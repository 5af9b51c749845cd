// The catalogue's buttons and "View Answer" over installation trees: which buttons a selection
// enables, what the editor and the viewer are started on, and what is handed over.
#include "CatalogueTestSupport.h"
#include "Pitchwell/LauncherCommands.h"
#include "common/Paths.h"

#include <gtest/gtest.h>

using namespace pitchwell;
using namespace cataloguetest;

namespace {

struct ViewCase {
    const char* Name;
    std::vector<std::string> Files;  // relative to the launcher's directory; "../plots" is the viewer
    std::string Selected;
    bool EditEnabled;
    bool ViewEnabled;
    std::string Editor;  // relative to the launcher's directory; "" when not started
    std::string Viewer;  // "" when not started
    std::string FileIn;  // handed over; "" when nothing is (a viewer then finds the name cleared)
};

const ViewCase kViewCases[] = {
    {"source only: edit but no answer", {"demos/all/ACmotor.qz"}, "ACmotor.qz", true, false,
     "demos/all/Answers/ACmotor.out", "", ""},
    {"picture before data",
     {"demos/all/ACmotor.qz", "demos/all/answers/ACmotor.out", "demos/all/answers/ACmotor.gif",
      "demos/all/answers/ACmotor.plt", "../plots"},
     "ACmotor.qz", true, true, "demos/all/answers/ACmotor.out", "demos/all/answers/ACmotor.gif", "ACmotor.gif"},
    {"data file when there is no picture",
     {"demos/all/Beam.qz", "demos/all/answers/Beam.out", "demos/all/answers/Beam.plt", "../plots"}, "Beam.qz", true,
     true, "demos/all/answers/Beam.out", "demos/all/answers/Beam.plt", "Beam.plt"},
    {"no viewer installed: editor only",
     {"demos/all/Beam.qz", "demos/all/answers/Beam.out", "demos/all/answers/Beam.plt"}, "Beam.qz", true, true,
     "demos/all/answers/Beam.out", "", ""},
    {"text example without a plot: viewer on the answers directory",
     {"demos/all/~FIND-stmt.txt", "demos/all/answers/~FIND-stmt.txt", "../plots"}, "~FIND-stmt.txt", true, true,
     "demos/all/answers/~FIND-stmt.txt", "demos/all/answers/", ""},
    {"hyphen kept in answer and stem",
     {"demos/all/Pharm-IP.qz", "demos/all/answers/Pharm-IP.out", "demos/all/answers/Pharm-IP.plt", "../plots"},
     "Pharm-IP.qz", true, true, "demos/all/answers/Pharm-IP.out", "demos/all/answers/Pharm-IP.plt", "Pharm-IP.plt"},
    {"capitalised answers directory and picture name found as on disk",
     {"demos/all/Fin.qz", "demos/all/Answers/Fin.out", "demos/all/Answers/Fin.GIF", "../plots"}, "Fin.qz", true, true,
     "demos/all/Answers/Fin.out", "demos/all/Answers/Fin.GIF", "Fin.GIF"},
    {"missing source and answer", {"../plots"}, "Orbit.qz", false, false, "demos/all/Answers/Orbit.out",
     "demos/all/answers/", ""},
    {"every .qz becomes .out", {"demos/all/a.qz.qz", "demos/all/answers/a.out.out"}, "a.qz.qz", true, true,
     "demos/all/answers/a.out.out", "", ""},
    {"capital extension is no example", {"demos/all/X.QZ", "demos/all/answers/X.QZ", "../plots"}, "X.QZ", true, true,
     "", "", ""},
    {"other extension", {"demos/all/notes.doc", "../plots"}, "notes.doc", true, false, "", "", ""},
    {"empty selection", {"../plots"}, "", false, false, "", "", ""},
};

class ViewAnswerTable : public ::testing::TestWithParam<ViewCase> {};

TEST_P(ViewAnswerTable, ButtonsStartsAndHandOverFollowTheFiles)
{
    const ViewCase& c = GetParam();
    Installation inst;
    for (const std::string& f : c.Files)
        WriteFile(inst.Paths.OwnDir + "/" + f);
    const ExampleButtonStates states = SetExampleButtons(inst.Recording, c.Selected);
    EXPECT_EQ(states.EditDemo, c.EditEnabled);
    EXPECT_EQ(states.ViewAnswer, c.ViewEnabled);

    // What the viewer finds handed over at the moment it starts. An earlier example's name
    // left in the store ("before", as a viewer still open would leave it) never reaches a
    // viewer started on the answers directory alone.
    std::vector<std::string> handedOver;
    inst.Recorder.OnStart = [&] { handedOver.push_back(inst.Store.GetText(tk::CompanyKey, "fileIn")); };
    const std::string leftInStore = c.Viewer.empty() ? "before" : "";
    // Twice in a row does the same thing twice.
    for (int round = 0; round < 2; ++round) {
        inst.Recorder.Starts.clear();
        handedOver.clear();
        inst.Store.SetText(tk::CompanyKey, "fileIn", "before");
        ViewAnswer(inst.Recording, c.Selected);
        if (!c.Viewer.empty()) {
            EXPECT_EQ(handedOver.back(), c.FileIn.empty() ? leftInStore : c.FileIn);
        }
        std::vector<RecordingStarter::Call> expected;
        if (!c.Editor.empty())
            expected.push_back({RecordingStarter::EditorName, {inst.Paths.OwnDir + "/" + c.Editor}});
        if (!c.Viewer.empty())
            expected.push_back({inst.Paths.OwnDir + "/../plots", {inst.Paths.OwnDir + "/" + c.Viewer}});
        ASSERT_EQ(inst.Recorder.Starts.size(), expected.size()) << "round " << round;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(inst.Recorder.Starts[i].Program, expected[i].Program);
            EXPECT_EQ(inst.Recorder.Starts[i].Args, expected[i].Args);
        }
        if (c.FileIn.empty()) {
            EXPECT_EQ(inst.Store.GetText(tk::CompanyKey, "fileIn"), leftInStore);
        } else {
            EXPECT_EQ(inst.Store.GetText(tk::CompanyKey, "fileIn"), c.FileIn);
            EXPECT_EQ(inst.Store.GetText(tk::CompanyKey, "ActivePath"),
                      inst.Paths.OwnDir + "/" + tk::DirectoryPart(c.Viewer) + "/");
            EXPECT_EQ(inst.Store.GetText(tk::CompanyKey, "ProgramPath"), "/Pitchwell");
        }
    }
    EXPECT_TRUE(inst.Dialogs.Boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Catalogue, ViewAnswerTable, ::testing::ValuesIn(kViewCases),
                         [](const auto& info) { return CaseName(info.param.Name); });

TEST(SetExampleButtons, LooksInTheProgramDirectoryNotTheOwnDirectory)
{
    Installation inst;
    WriteFile(inst.Base + "/Pitchwell/demos/all/Beam.qz");
    inst.Paths.OwnDir = inst.Base + "/elsewhere";
    EXPECT_TRUE(SetExampleButtons(inst.Recording, "Beam.qz").EditDemo);
}

TEST(EditDemo, EmptySelectionAsksForAFileName)
{
    Installation inst;
    EditDemo(inst.Recording, "");
    ASSERT_EQ(inst.Dialogs.Boxes.size(), 1u);
    const tk::MessageBoxCall& box = inst.Dialogs.Boxes[0];
    EXPECT_EQ(box.Text, "Please select a file name BEFORE \r\nclicking on the Edit or View buttons");
    EXPECT_EQ(box.Title, "Example Files");
    EXPECT_EQ(box.Icon, tk::MsgIcon::Exclamation);
    EXPECT_EQ(box.Buttons, tk::MsgButtons::Ok);
    EXPECT_TRUE(inst.Recorder.Starts.empty());
}

TEST(EditDemo, OpensTheSourceInTheEditor)
{
    Installation inst;
    WriteFile(inst.Examples() + "/Beam.qz");
    EditDemo(inst.Recording, "Beam.qz");
    ASSERT_EQ(inst.Recorder.Starts.size(), 1u);
    EXPECT_EQ(inst.Recorder.Starts[0].Program, RecordingStarter::EditorName);
    EXPECT_EQ(inst.Recorder.Starts[0].Args, std::vector<std::string> {inst.Examples() + "/Beam.qz"});
}

struct FailureCase {
    const char* Name;
    bool ViewerPresent;
    std::vector<std::string> Titles;  // the boxes shown, in order
    std::size_t Starts;
};

TEST(ViewAnswer, ProgramsThatCannotStartAreReportedByName)
{
    const FailureCase cases[] = {
        {"editor and viewer fail", true, {"Text editor not started", "Plot viewer not started"}, 2},
        {"editor fails, no viewer", false, {"Text editor not started"}, 1},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Installation inst;
        WriteFile(inst.Answers() + "/Beam.out");
        WriteFile(inst.Answers() + "/Beam.plt");
        if (c.ViewerPresent)
            WriteFile(inst.Viewer());
        inst.Recorder.StartResult = false;
        ViewAnswer(inst.Recording, "Beam.qz");
        EXPECT_EQ(inst.Recorder.Starts.size(), c.Starts);
        ASSERT_EQ(inst.Dialogs.Boxes.size(), c.Titles.size());
        for (std::size_t i = 0; i < c.Titles.size(); ++i) {
            EXPECT_EQ(inst.Dialogs.Boxes[i].Title, c.Titles[i]);
            EXPECT_EQ(inst.Dialogs.Boxes[i].Icon, tk::MsgIcon::Exclamation);
            EXPECT_NE(inst.Dialogs.Boxes[i].Text.find("it is not there"), std::string::npos);
        }
        if (c.ViewerPresent) {
            EXPECT_NE(inst.Dialogs.Boxes[1].Text.find(inst.Answers() + "/Beam.plt"), std::string::npos);
        }
    }
}

// The real starter and fake programs: every path reaches them as exactly one argument, and
// nothing in a name is run by a shell.
struct HostileCase {
    const char* Name;
    std::string BaseName;  // the installation's base directory
    std::string Example;
};

TEST(ViewAnswer, HostileNamesReachTheProgramsAsOneArgument)
{
    const HostileCase cases[] = {
        {"plain", "base", "Beam.qz"},
        {"blanks and quotes", "my \"tools\" 'dir'", "Beam one.qz"},
        {"shell characters", "b;touch PWNED;$(touch PWNED2)`touch PWNED3`", "x;rm -rf ~;$(id).qz"},
        {"newline and glob", "line\nbreak *", "a\nb * ?.qz"},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Installation inst(c.BaseName);
        const std::string stem = PlotStem(c.Example);
        WriteFile(inst.Examples() + "/" + c.Example);
        WriteFile(inst.Answers() + "/" + stem + ".out");
        WriteFile(inst.Answers() + "/" + stem + ".plt");
        const std::string editorRecord = inst.Record("editor.rec"), viewerRecord = inst.Record("viewer.rec");
        const std::string editorProgram = inst.Record("fake editor");
        WriteRecorder(editorProgram, editorRecord);
        WriteRecorder(inst.Viewer(), viewerRecord);
        ScopedEnv editor("QZ_EDITOR", "\"" + editorProgram + "\" --wait");

        ViewAnswer(inst.Real, c.Example);
        EXPECT_EQ(WaitForRecord(editorRecord), (std::vector<std::string> {"--wait", inst.Answers() + "/" + stem + ".out"}));
        EXPECT_EQ(WaitForRecord(viewerRecord), std::vector<std::string> {inst.Answers() + "/" + stem + ".plt"});
        EXPECT_TRUE(inst.Dialogs.Boxes.empty());

        std::filesystem::remove(editorRecord);
        EditDemo(inst.Real, c.Example);
        EXPECT_EQ(WaitForRecord(editorRecord), (std::vector<std::string> {"--wait", inst.Examples() + "/" + c.Example}));
        for (const char* trap : {"PWNED", "PWNED2", "PWNED3"})
            EXPECT_FALSE(std::filesystem::exists(tk::CurrentDirectory() + "/" + trap));
    }
}

TEST(ViewAnswer, ViewerOnTheAnswersDirectoryReceivesItWithATrailingSeparator)
{
    Installation inst;
    WriteFile(inst.Answers() + "/~FIND-stmt.txt");
    const std::string viewerRecord = inst.Record("viewer.rec");
    WriteRecorder(inst.Viewer(), viewerRecord);
    ScopedEnv editor("QZ_EDITOR", "true");
    ViewAnswer(inst.Real, "~FIND-stmt.txt");
    EXPECT_EQ(WaitForRecord(viewerRecord), std::vector<std::string> {inst.Answers() + "/"});
}

}  // namespace
