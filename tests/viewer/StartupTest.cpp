// The viewer's start-up: hand-over values and command tails decide the working directory and
// the plot base; a tool's fresh output is copied under the handed-over name; the plot file is
// read and the run started; every problem ends in its own box.
#include "Pitchwell/mdlQZ.h"
#include "StartupFixture.h"
#include "common/Dialogs.h"
#include "common/Registry.h"
#include "plots/render/Surface.h"
#include "plots/run/Startup.h"
#include "plots/run/Viewer.h"
#include "support/HeadlessHost.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plots;
using viewertest::Slurp;
using viewertest::StartupFixture;

// The case table names only the fields a case needs; this compiler warns about the others even
// though they have default values.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

struct ExpectedCopy {
    std::string Source, Destination;
    bool Copied;
};

struct StartupCase {
    const char* Name;
    bool CompanyKey = true;
    std::string FileIn, ActivePath, ProgramPath, Tail;
    // Files made before the start: plot files get a valid plot, others a line of text.
    std::vector<std::string> Files;
    std::vector<std::string> Directories;
    std::string WorkDir, PlotBase;
    std::vector<ExpectedCopy> Copies;
    std::string Read;        // the plot file handed to the reader
    bool Picture = false;    // the picture was located instead
    std::string CurrentDir;  // "" when the directory must not have changed from {TMP}
    std::string BoxTitle, BoxText;  // the first box; both empty when none may show
};

class StartupTest : public StartupFixture, public ::testing::WithParamInterface<StartupCase> {};

TEST_P(StartupTest, ResolvesCopiesReadsAndReports)
{
    const StartupCase& c = GetParam();
    for (const std::string& d : c.Directories) QDir().mkpath(QString::fromStdString(Expand(d)));
    for (const std::string& f : c.Files) MakeFile(Expand(f));
    tk::Registry store = MakeStore(c.CompanyKey);
    if (c.CompanyKey) {
        store.SetText(tk::CompanyKey, "fileIn", Expand(c.FileIn));
        store.SetText(tk::CompanyKey, "ActivePath", Expand(c.ActivePath));
        store.SetText(tk::CompanyKey, "ProgramPath", c.ProgramPath);
    }
    ASSERT_EQ(store.KeyExists(tk::HKEY_CURRENT_USER, tk::CompanyKey), c.CompanyKey);

    HeadlessHost host;
    tk::ScriptedDialogs dialogs;
    ImageSurface surface(640, 480);
    Viewer viewer(host, dialogs, surface);
    const StartupResult r = Main(viewer, store, Expand(c.Tail));

    EXPECT_EQ(r.Paths.WorkDir, Expand(c.WorkDir));
    EXPECT_EQ(r.Paths.PlotBase, c.PlotBase);
    // Locating a picture may rename the base; otherwise the run keeps the one resolved here.
    if (!c.Picture) {
        EXPECT_EQ(viewer.Run().State().PlotBase, c.PlotBase);
    }
    ASSERT_EQ(r.Copies.size(), c.Copies.size());
    for (std::size_t i = 0; i < c.Copies.size(); ++i) {
        const std::string source = Expand(c.Copies[i].Source), destination = Expand(c.Copies[i].Destination);
        EXPECT_EQ(r.Copies[i].Source, source);
        EXPECT_EQ(r.Copies[i].Destination, destination);
        EXPECT_EQ(r.Copies[i].Copied, c.Copies[i].Copied) << destination;
        if (c.Copies[i].Copied) {
            EXPECT_EQ(Slurp(destination), Slurp(source)) << destination;
        }
    }
    EXPECT_EQ(r.ReadFile, c.Read);
    EXPECT_EQ(r.Started, !c.Read.empty());
    if (!c.Read.empty()) {
        EXPECT_GT(viewer.Run().Data().PointCount, 0) << "the plot file was read";
    }
    EXPECT_EQ(r.LocatedPicture, c.Picture);
    EXPECT_EQ(QDir::currentPath().toStdString(), Expand(c.CurrentDir.empty() ? "{TMP}" : c.CurrentDir));
    if (c.BoxTitle.empty()) {
        EXPECT_TRUE(dialogs.Boxes.empty()) << dialogs.Boxes.front().Title << ": " << dialogs.Boxes.front().Text;
    } else {
        ASSERT_FALSE(dialogs.Boxes.empty());
        EXPECT_EQ(dialogs.Boxes.front().Title, c.BoxTitle);
        EXPECT_EQ(dialogs.Boxes.front().Text, Expand(c.BoxText));
        EXPECT_EQ(dialogs.Boxes.front().Icon, tk::MsgIcon::Exclamation);
        EXPECT_EQ(dialogs.Boxes.front().Buttons, tk::MsgButtons::Ok);
    }
    if (!r.PathError && !r.RegistryMissing) {
        EXPECT_EQ(viewer.Run().State().OpenDialogDir, QDir::currentPath().toStdString());
    }
    EXPECT_TRUE(Leftovers(QDir::currentPath().toStdString()).isEmpty());
}

const std::string PathError = "Graphel in Error?";

const StartupCase StartupCases[] = {
    {.Name = "DataFileOnTheTailWithBlanksAround", .Tail = "   {TMP}/jobs/run1/t-freq.plt  ",
     .Files = {"{TMP}/jobs/run1/t-freq.plt"}, .WorkDir = "{TMP}/jobs/run1/", .PlotBase = "t-freq",
     .Read = "t-freq.plt", .CurrentDir = "{TMP}/jobs/run1"},
    {.Name = "QuotedDataFileOnTheTailIsTheSameFile", .Tail = "\"{TMP}/jobs/run1/t-freq.plt\"",
     .Files = {"{TMP}/jobs/run1/t-freq.plt"}, .WorkDir = "{TMP}/jobs/run1/", .PlotBase = "t-freq",
     .Read = "t-freq.plt", .CurrentDir = "{TMP}/jobs/run1"},
    {.Name = "ShortTailMeansTheInstallationRoot", .FileIn = "t-freq.plt", .Tail = "/s",
     .Files = {"{ROOT}/t-freq.plt"}, .WorkDir = "{ROOT}", .PlotBase = "t-freq", .Read = "t-freq.plt",
     .CurrentDir = "{ROOT}"},
    {.Name = "ShortTailNamingAFileHereIsThatFile", .FileIn = "other.plt", .Tail = "a.plt", .Files = {"{TMP}/a.plt"},
     .WorkDir = "", .PlotBase = "a", .Read = "a.plt"},
    {.Name = "PlotFileWithoutDirectoryIsReadHere", .Tail = "lorentz2.plt", .Files = {"{TMP}/lorentz2.plt"},
     .WorkDir = "", .PlotBase = "lorentz2", .Read = "lorentz2.plt"},
    {.Name = "DirectoryOnTheTailOpensEmptyThere", .Tail = "{TMP}/jobs", .Directories = {"{TMP}/jobs"},
     .WorkDir = "{TMP}/jobs", .PlotBase = "", .CurrentDir = "{TMP}/jobs"},
    {.Name = "DirectoryWithAFullStopNearItsEndIsADirectory", .Tail = "{TMP}/run.1", .Directories = {"{TMP}/run.1"},
     .WorkDir = "{TMP}/run.1", .PlotBase = "", .CurrentDir = "{TMP}/run.1"},
    {.Name = "OtherExtensionOnTheTailLooksInNoToolsDirectory", .Tail = "{TMP}/jobs/answer.out",
     .Files = {"{TMP}/jobs/answer.out"}, .WorkDir = "{ROOT}none/user/", .PlotBase = "answer", .BoxTitle = PathError,
     .BoxText = "Error in PathName ... '{ROOT}none/user/'\r\nIf this continues, please let us know.  Thanks.\r\n"},
    {.Name = "HandedOverPlotFileInTheToolsWorkingDirectory", .FileIn = "t-freq.plt", .ActivePath = "{TMP}/work/",
     .ProgramPath = "\\tunewv.hz", .Files = {"{TMP}/work/t-freq.plt"}, .WorkDir = "{TMP}/work/", .PlotBase = "t-freq",
     .Read = "t-freq.plt", .CurrentDir = "{TMP}/work"},
    {.Name = "HandedOverPictureIsLocated", .FileIn = "wave3.gif", .ActivePath = "{TMP}/pics/",
     .Files = {"{TMP}/pics/wave3.gif", "{TMP}/pics/wave3.qz", "{TMP}/pics/wave3.out"}, .WorkDir = "{TMP}/pics/",
     .PlotBase = "wave3", .Picture = true, .CurrentDir = "{TMP}/pics"},
    {.Name = "HandedOverWorkingDirectoryThatIsMissing", .FileIn = "t-freq.plt", .ActivePath = "{TMP}/missing/",
     .WorkDir = "{TMP}/missing/", .PlotBase = "t-freq", .BoxTitle = PathError,
     .BoxText = "Error in PathName ... '{TMP}/missing/'\r\nIf this continues, please let us know.  Thanks.\r\n"},
    // Extensions are compared without regard to case: a handed-over T-FREQ.PLT is the plot file
    // in the tool's working directory, not a name for the tool's fresh output.
    {.Name = "CapitalExtensionIsThePlotFileInTheToolsWorkingDirectory", .FileIn = "T-FREQ.PLT",
     .ActivePath = "{TMP}/work/", .ProgramPath = "\\fitmora", .Files = {"{TMP}/work/T-FREQ.PLT"},
     .Directories = {"{ROOT}/fitmora/user"}, .WorkDir = "{TMP}/work/", .PlotBase = "T-FREQ", .Read = "T-FREQ.plt",
     .CurrentDir = "{TMP}/work"},
    {.Name = "CapitalPlotFileTypedInItsDirectory", .Tail = "RUN1.PLT", .Files = {"{TMP}/RUN1.PLT"}, .WorkDir = "",
     .PlotBase = "RUN1", .Read = "RUN1.plt"},
    {.Name = "CapitalPlotFileSentByTheFileManager", .Tail = "{TMP}/jobs/RUN1.PLT", .Files = {"{TMP}/jobs/RUN1.PLT"},
     .WorkDir = "{TMP}/jobs/", .PlotBase = "RUN1", .Read = "RUN1.plt", .CurrentDir = "{TMP}/jobs"},
    {.Name = "CapitalPictureTypedInItsDirectory", .Tail = "pic.GIF",
     .Files = {"{TMP}/pic.GIF", "{TMP}/pic.qz", "{TMP}/pic.out"}, .WorkDir = "", .PlotBase = "pic", .Picture = true},
    {.Name = "SecondDataFileOpensItsRunFromThePltBeside", .Tail = "run.2lt", .Files = {"{TMP}/run.plt", "{TMP}/run.2lt"},
     .WorkDir = "", .PlotBase = "run", .Read = "run.plt"},
    {.Name = "CapitalSecondDataFileSentByTheFileManager", .Tail = "{TMP}/jobs/RUN.2LT",
     .Files = {"{TMP}/jobs/RUN.PLT", "{TMP}/jobs/RUN.2LT"}, .WorkDir = "{TMP}/jobs/", .PlotBase = "RUN",
     .Read = "RUN.plt", .CurrentDir = "{TMP}/jobs"},
    {.Name = "HandedOverSecondDataFileOpensItsRun", .FileIn = "t-freq.2lt", .ActivePath = "{TMP}/work/",
     .ProgramPath = "\\tunewv.hz", .Files = {"{TMP}/work/t-freq.plt", "{TMP}/work/t-freq.2lt"},
     .WorkDir = "{TMP}/work/", .PlotBase = "t-freq", .Read = "t-freq.plt", .CurrentDir = "{TMP}/work"},
    {.Name = "SecondDataFileWithoutItsPltSaysSo", .Tail = "{TMP}/jobs/run.2lt",
     .Files = {"{TMP}/jobs/run.2lt", "{TMP}/jobs/run.gif"}, .WorkDir = "{TMP}/jobs/", .PlotBase = "run",
     .CurrentDir = "{TMP}/jobs", .BoxTitle = PathError,
     .BoxText = "The run of '{TMP}/jobs/run.2lt' cannot be shown:\r\nits first data file '{TMP}/jobs/run.plt' is missing."},
    {.Name = "ThreeLetterNameWithoutDirectoryUsesTheProgramDirectory", .FileIn = "abc", .ProgramPath = "\\plots",
     .Directories = {"{ROOT}/plots"}, .WorkDir = "{ROOT}/plots/", .PlotBase = "abc", .CurrentDir = "{ROOT}/plots"},
    {.Name = "ShortNameKeepsTheHandedOverDirectory", .FileIn = "ab", .ActivePath = "{TMP}/work/",
     .ProgramPath = "\\plots", .Directories = {"{TMP}/work"}, .WorkDir = "{TMP}/work/", .PlotBase = "ab",
     .CurrentDir = "{TMP}/work"},
    {.Name = "TunewaveOutputIsAdoptedBeforeReading", .FileIn = "filter7", .ProgramPath = "\\tunewv.hz",
     .Files = {"{ROOT}/tunewv.hz/user/~tnwvFrq.out", "{ROOT}/tunewv.hz/user/~4plots.plt"},
     .WorkDir = "{ROOT}/tunewv.hz/user/", .PlotBase = "filter7",
     .Copies = {{"{ROOT}/tunewv.hz/user/~tnwvFrq.out", "{ROOT}/tunewv.hz/user/filter7.out", true},
                {"{ROOT}/tunewv.hz/user/~4plots.plt", "{ROOT}/tunewv.hz/user/filter7.plt", true}}, .Read = "filter7.plt",
     .CurrentDir = "{ROOT}/tunewv.hz/user"},
    {.Name = "ProgramPathIsComparedWithoutRegardToCase", .FileIn = "filter7.dat", .ProgramPath = "\\TuneWV.HZ",
     .Files = {"{ROOT}/TuneWV.HZ/user/~tnwvFrq.out", "{ROOT}/TuneWV.HZ/user/~4plots.plt"},
     .WorkDir = "{ROOT}/TuneWV.HZ/user/", .PlotBase = "filter7",
     .Copies = {{"{ROOT}/TuneWV.HZ/user/~tnwvFrq.out", "{ROOT}/TuneWV.HZ/user/filter7.out", true},
                {"{ROOT}/TuneWV.HZ/user/~4plots.plt", "{ROOT}/TuneWV.HZ/user/filter7.plt", true}}, .Read = "filter7.plt",
     .CurrentDir = "{ROOT}/TuneWV.HZ/user"},
    {.Name = "FitmoraOutputWithEquationsIsAdopted", .FileIn = "curve9.txt", .ProgramPath = "\\fitmora",
     .Files = {"{ROOT}/fitmora/user/~fitmora.out", "{ROOT}/fitmora/user/~4plots.plt", "{ROOT}/fitmora/user/~equ.txt"},
     .WorkDir = "{ROOT}/fitmora/user/", .PlotBase = "curve9",
     .Copies = {{"{ROOT}/fitmora/user/~fitmora.out", "{ROOT}/fitmora/user/curve9.out", true},
                {"{ROOT}/fitmora/user/~4plots.plt", "{ROOT}/fitmora/user/curve9.plt", true},
                {"{ROOT}/fitmora/user/~equ.txt", "{ROOT}/fitmora/user/curve9.equ", true}}, .Read = "curve9.plt",
     .CurrentDir = "{ROOT}/fitmora/user"},
    {.Name = "FitmoraEquationsAloneAreStillCopied", .FileIn = "curve9", .ProgramPath = "\\fitmora",
     .Files = {"{ROOT}/fitmora/user/~equ.txt"}, .WorkDir = "{ROOT}/fitmora/user/", .PlotBase = "curve9",
     .Copies = {{"{ROOT}/fitmora/user/~equ.txt", "{ROOT}/fitmora/user/curve9.equ", true}},
     .CurrentDir = "{ROOT}/fitmora/user"},
    {.Name = "PlotsProgramPathAdoptsFromTheDeveloperRoot", .FileIn = "sample1", .ProgramPath = "\\plots",
     .Files = {"{DEV}/plots/~plots.out", "{DEV}/plots/~4plots.plt"}, .WorkDir = "{DEV}/plots/", .PlotBase = "sample1",
     .Copies = {{"{DEV}/plots/~plots.out", "{DEV}/plots/sample1.out", true},
                {"{DEV}/plots/~4plots.plt", "{DEV}/plots/sample1.plt", true}}, .Read = "sample1.plt",
     .CurrentDir = "{DEV}/plots"},
    {.Name = "ToolDirectorySpeltInAnotherCaseOnDiskIsAdopted", .FileIn = "filter7", .ProgramPath = "\\tunewv.hz",
     .Files = {"{ROOT}/tunewv.hz/User/~tnwvFrq.out", "{ROOT}/tunewv.hz/User/~4plots.plt"},
     .WorkDir = "{ROOT}/tunewv.hz/user/", .PlotBase = "filter7",
     .Copies = {{"{ROOT}/tunewv.hz/User/~tnwvFrq.out", "{ROOT}/tunewv.hz/User/filter7.out", true},
                {"{ROOT}/tunewv.hz/User/~4plots.plt", "{ROOT}/tunewv.hz/User/filter7.plt", true}}, .Read = "filter7.plt",
     .CurrentDir = "{ROOT}/tunewv.hz/User"},
    {.Name = "CopyThatFailsIsReported", .FileIn = "filter7", .ProgramPath = "\\tunewv.hz",
     .Files = {"{ROOT}/tunewv.hz/user/~tnwvFrq.out", "{ROOT}/tunewv.hz/user/~4plots.plt"},
     .Directories = {"{ROOT}/tunewv.hz/user/filter7.plt"}, .WorkDir = "{ROOT}/tunewv.hz/user/", .PlotBase = "filter7",
     .Copies = {{"{ROOT}/tunewv.hz/user/~tnwvFrq.out", "{ROOT}/tunewv.hz/user/filter7.out", true},
                {"{ROOT}/tunewv.hz/user/~4plots.plt", "{ROOT}/tunewv.hz/user/filter7.plt", false}},
     .CurrentDir = "{ROOT}/tunewv.hz/user", .BoxTitle = "File not copied.",
     .BoxText = "\"{ROOT}/tunewv.hz/user/~4plots.plt\" could not be copied to \"{ROOT}/tunewv.hz/user/filter7.plt\": "
                "Is a directory."},
    {.Name = "MissingToolPlotFileIsReportedAndNothingRead", .FileIn = "filter7", .ProgramPath = "\\tunewv.hz",
     .Files = {"{ROOT}/tunewv.hz/user/~tnwvFrq.out"}, .WorkDir = "{ROOT}/tunewv.hz/user/", .PlotBase = "filter7",
     .Copies = {{"{ROOT}/tunewv.hz/user/~tnwvFrq.out", "{ROOT}/tunewv.hz/user/filter7.out", true},
                {"{ROOT}/tunewv.hz/user/~4plots.plt", "{ROOT}/tunewv.hz/user/filter7.plt", false}},
     .CurrentDir = "{ROOT}/tunewv.hz/user", .BoxTitle = "File not copied.",
     .BoxText = "\"{ROOT}/tunewv.hz/user/~4plots.plt\" is not a valid file name."},
    {.Name = "WithoutTheToolsOutputNothingIsCopied", .FileIn = "filter7", .ProgramPath = "\\tunewv.hz",
     .Files = {"{ROOT}/tunewv.hz/user/~4plots.plt"}, .WorkDir = "{ROOT}/tunewv.hz/user/", .PlotBase = "filter7",
     .CurrentDir = "{ROOT}/tunewv.hz/user"},
    {.Name = "ToolUserDirectoryThatIsMissing", .FileIn = "filter7", .ProgramPath = "\\tunewv.hz",
     .WorkDir = "{ROOT}/tunewv.hz/user/", .PlotBase = "filter7", .BoxTitle = PathError,
     .BoxText = "Error in PathName ... '{ROOT}/tunewv.hz/user/'\r\nIf this continues, please let us know.  Thanks.\r\n"},
    {.Name = "NoCompanyKeyShowsTheRegistryMessage", .CompanyKey = false, .Tail = "{TMP}/jobs/run1/t-freq.plt",
     .Files = {"{TMP}/jobs/run1/t-freq.plt"}, .WorkDir = "", .PlotBase = "", .BoxTitle = PathError,
     .BoxText = "Error in your Registry ... No 'Tavrick ...' entry found.\r\n"
     "Let us know if you get this message and if you had our Plots program\r\n"
     " work okay on previous sessions."},
};

INSTANTIATE_TEST_SUITE_P(Cases, StartupTest, ::testing::ValuesIn(StartupCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// View Answer hands over an answer plot by its name on disk, often in capitals: the launcher's
// own hand-over is written, then the viewer starts on the plot file's full path.
struct AnswerCase {
    const char* Name;
    std::vector<std::string> Files;  // in the answers directory
    std::string HandedOver;          // the file the launcher hands over
    bool Read;                       // the data file was read and the run started
};

class ViewAnswerHandOver : public StartupFixture, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(ViewAnswerHandOver, ShowsTheAnswerPlot)
{
    const AnswerCase& c = GetParam();
    const std::string answers = Expand("{TMP}/demos/all/Answers");
    for (const std::string& f : c.Files) MakeFile(answers + "/" + f);
    tk::Registry store = MakeStore(true);
    pitchwell::SavePlotRequest(store, c.HandedOver, answers, "/Pitchwell");

    HeadlessHost host;
    tk::ScriptedDialogs dialogs;
    ImageSurface surface(640, 480);
    Viewer viewer(host, dialogs, surface);
    const StartupResult r = Main(viewer, store, answers + "/" + c.HandedOver);

    EXPECT_TRUE(dialogs.Boxes.empty()) << dialogs.Boxes.front().Title << ": " << dialogs.Boxes.front().Text;
    EXPECT_EQ(r.CurrentDir, answers);
    EXPECT_EQ(r.Paths.PlotBase, "DAMPER");
    EXPECT_EQ(r.Started, c.Read);
    EXPECT_EQ(r.LocatedPicture, !c.Read);
    if (c.Read) {
        EXPECT_GT(viewer.Run().Data().PointCount, 0);
    } else {
        EXPECT_EQ(viewer.ShownKind(), PlotKind::Picture);
    }
}

const AnswerCase AnswerCases[] = {
    {"DataFileInCapitals", {"DAMPER.PLT", "DAMPER.OUT"}, "DAMPER.PLT", true},
    {"PictureWithTheDataFileBesideReadsTheData", {"DAMPER.GIF", "DAMPER.PLT"}, "DAMPER.GIF", true},
    {"PictureAloneIsShown", {"DAMPER.GIF", "DAMPER.OUT", "DAMPER.QZ"}, "DAMPER.GIF", false},
};

INSTANTIATE_TEST_SUITE_P(Cases, ViewAnswerHandOver, ::testing::ValuesIn(AnswerCases),
                         [](const auto& info) { return std::string(info.param.Name); });

struct PathCase {
    const char* Name;
    std::string FileIn, ActivePath, ProgramPath, Tail;
    std::string WorkDir, PlotBase;
    bool Adopt;
};

class StartupPathsTest : public ::testing::TestWithParam<PathCase> {};

// The path rules alone, with what the installation root stands for filled in.
TEST_P(StartupPathsTest, FollowsTheHandOverRules)
{
    const PathCase& c = GetParam();
    const StartupPaths p = ResolveStartupPaths(c.FileIn, c.ActivePath, c.ProgramPath, c.Tail);
    std::string expected = c.WorkDir;
    if (expected.rfind("{ROOT}", 0) == 0) expected = InstallationRoot() + expected.substr(6);
    EXPECT_EQ(p.WorkDir, expected);
    EXPECT_EQ(p.PlotBase, c.PlotBase);
    EXPECT_EQ(p.AdoptToolOutput, c.Adopt);
}

const PathCase PathCases[] = {
    {"GifOnTheTailDropsTheExtension", "", "", "", "/data/runs/wave3.gif", "/data/runs/", "wave3", false},
    {"ToolsBackslashesBecomeSeparators", "t-freq.plt", "C:\\jobs\\", "\\plots", "", "C:/jobs/", "t-freq", false},
    {"EmptyHandOverUsesTheRoot", "", "", "", "", "{ROOT}/", "", false},
    {"TailSetsTheProgramPathToNone", "longname", "", "\\fitmora", "/data/runs/", "{ROOT}none/user/", "longname", true},
    {"FullStopBeforeTheLastFiveIsKept", "ab.cdefgh", "", "\\fitmora", "", "{ROOT}/fitmora/user/", "ab.cdefgh", true},
    {"NameOfFourCharactersIsKeptWhole", "ab.c", "/w/", "\\fitmora", "", "/w/", "ab.c", false},
    {"ExtensionLikeEndingWithoutFullStop", "runplt", "/w/", "", "", "/w/", "ru", false},
};

INSTANTIATE_TEST_SUITE_P(Cases, StartupPathsTest, ::testing::ValuesIn(PathCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(HandOver, ClearedOnlyWhereTheCompanyKeyExists)
{
    QTemporaryDir tmp;
    tk::Registry store(tmp.path().toStdString() + "/registry.ini");
    store.SetText(tk::CompanyKey, "fileIn", "t-freq.plt");
    ASSERT_EQ(store.GetText(tk::CompanyKey, "fileIn"), "t-freq.plt");
    ClearHandOver(store);
    EXPECT_EQ(store.GetText(tk::CompanyKey, "fileIn", "unset"), "unset") << "an empty text reads as the default";
    EXPECT_EQ(store.GetText(tk::CompanyKey, "fileIn"), "");
}

}  // namespace
