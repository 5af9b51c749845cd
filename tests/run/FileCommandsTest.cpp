// The file commands: the existence test and its error convention, open, save as bitmap and
// print, and the path rules they use.
#include "RunFixture.h"

#include "common/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

using namespace plots;
using namespace runtest;

namespace {

// ---- path rules ---------------------------------------------------------------------------

TEST(PlotPaths, SplitPathAtTheLastSeparator)
{
    struct Case {
        std::string Path, Name, Directory;
    };
    const std::vector<Case> cases{
        {"/x/y.plt", "y.plt", "/x"},
        {"/runs/rev.2/t-freq", "t-freq", "/runs/rev.2"},
        {"/y.plt", "y.plt", "/"},
        {"a/", "", "a"},
        {"y.plt", "y.plt", tk::CurrentDirectory()},
    };
    for (const Case& c : cases) {
        std::string dir = "unchanged";
        EXPECT_EQ(SplitPath(c.Path, dir), c.Name) << c.Path;
        EXPECT_EQ(dir, c.Directory) << c.Path;
    }
}

TEST(PlotPaths, PlotBaseKeepsNamesWithoutExtension)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"/runs/t-freq.plt", "/runs/t-freq"},
        {"/runs/pic.gif", "/runs/pic"},
        {"/runs/a.b.plt", "/runs/a.b"},
        {"/rev.2/data", "/rev.2/data"},  // a full stop only in a directory name
        {"/runs/data", "/runs/data"},    // no full stop at all
        {"/runs/.hidden", "/runs/.hidden"},
        {"/runs/.hidden.plt", "/runs/.hidden"},
        {"t-freq.plt", "t-freq"},
    };
    for (const auto& [path, base] : cases) EXPECT_EQ(PlotBaseOf(path), base) << path;
}

TEST(PlotPaths, SaveAsProposesTheNameBeforeItsFirstFullStop)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"/runs/t-freq", "t-freq.bmp"},
        {"/runs/rev.2/t-freq", "t-freq.bmp"},
        {"/runs/.hidden", ".hidden.bmp"},
        {"/runs/a.b.c", "a.bmp"},
        {"t-freq", "t-freq.bmp"},
        {"", ".bmp"},
    };
    for (const auto& [base, name] : cases) EXPECT_EQ(ProposedBitmapName(base), name) << base;
}

TEST(PlotPaths, ExistsInParentRewritesTheCallersPath)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("user");
    WriteFile(dir.path() + "/x.qz", "source\r\n");
    std::string path = dir.path().toStdString() + "/user/x.qz";
    EXPECT_TRUE(ExistsInParent(path));
    EXPECT_EQ(path, dir.path().toStdString() + "/user/../x.qz");

    std::string bare = "no-such-source.qz";
    tk::ScriptedDialogs dialogs;
    EXPECT_FALSE(ExistsInParent(bare, dialogs));
    EXPECT_EQ(bare, "../no-such-source.qz");
    EXPECT_TRUE(dialogs.Boxes.empty());
}

// ---- FileExists ---------------------------------------------------------------------------

TEST(FileExistsTest, ListsLikeADirectoryListing)
{
    QTemporaryDir dir;
    const std::string d = dir.path().toStdString();
    WriteFile(dir.path() + "/T-Freq.PLT", "x");
    WriteFile(dir.path() + "/a.file", "x");
    QDir(dir.path()).mkdir("folder.plt");
    tk::ScriptedDialogs dialogs;
    const std::vector<std::pair<std::string, bool>> cases{
        {d + "/T-Freq.PLT", true},
        {d + "/t-freq.plt", true},  // made on a system that ignores letter case
        {d + "/*.plt", true},
        {d + "/t-fre?.plt", true},
        {d + "/*.gif", false},
        {d + "/folder.plt", false},  // directories do not count
        {d + "/missing/x.plt", false},
        {d + "/missing.plt", false},
    };
    for (const auto& [name, found] : cases) EXPECT_EQ(FileExists(name, dialogs), found) << name;
    EXPECT_TRUE(dialogs.Boxes.empty());
}

TEST(FileExistsTest, EmptyNameAndStarDotStarNeverTouchTheDisk)
{
    FailingFiles files;
    tk::ScriptedDialogs dialogs;
    EXPECT_FALSE(FileExists(files, dialogs, ""));
    EXPECT_FALSE(FileExists(files, dialogs, "*.*"));
    EXPECT_EQ(files.ListCalls, 0);
}

TEST(FileExistsTest, AComponentThatIsAFileIsAMissingPath)
{
    QTemporaryDir dir;
    WriteFile(dir.path() + "/plain", "x");
    const std::string name = dir.path().toStdString() + "/plain/t-freq.plt";
    tk::ScriptedDialogs dialogs;
    EXPECT_FALSE(FileExists(name, dialogs));
    ASSERT_EQ(dialogs.Boxes.size(), 1u);
    EXPECT_EQ(dialogs.Boxes[0].Text, "This drive or path does not exist: " + name);
    EXPECT_EQ(dialogs.Boxes[0].Title, "In 'FileExists' routine ...");
}

struct ErrorCase {
    const char* Name;
    std::vector<int> Errors;               // failures of the listing, in turn
    std::vector<tk::MsgResult> Answers;    // the user's answers
    bool Result;                           // what FileExists answers (the file exists)
    int ListCalls;
    std::vector<std::string> Texts;        // the boxes shown
    tk::MsgIcon Icon;
    tk::MsgButtons Buttons;
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.Name; }

class FileExistsErrors : public ::testing::TestWithParam<ErrorCase> {};

const std::string NotReady = "Put a floppy disk in the drive and cloce the drive door.";

TEST_P(FileExistsErrors, FollowTheErrorConvention)
{
    const ErrorCase& c = GetParam();
    QTemporaryDir dir;
    const std::string name = dir.path().toStdString() + "/here.plt";
    WriteFile(QString::fromStdString(name), "x");
    FailingFiles files;
    files.ListErrors = c.Errors;
    tk::ScriptedDialogs dialogs;
    dialogs.Answers = c.Answers;

    EXPECT_EQ(FileExists(files, dialogs, name), c.Result);
    EXPECT_EQ(files.ListCalls, c.ListCalls);
    ASSERT_EQ(dialogs.Boxes.size(), c.Texts.size());
    for (std::size_t i = 0; i < c.Texts.size(); ++i) {
        const std::string want = c.Texts[i] == "<path>" ? "This drive or path does not exist: " + name : c.Texts[i];
        EXPECT_EQ(dialogs.Boxes[i].Text, want);
        EXPECT_EQ(dialogs.Boxes[i].Title, "In 'FileExists' routine ...");
        EXPECT_EQ(dialogs.Boxes[i].Icon, c.Icon);
        EXPECT_EQ(dialogs.Boxes[i].Buttons, c.Buttons);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Convention, FileExistsErrors,
    ::testing::Values(
        ErrorCase{"notReadyRetried", {ENOMEDIUM}, {tk::MsgResult::Ok}, true, 2, {NotReady},
                  tk::MsgIcon::Exclamation, tk::MsgButtons::OkCancel},
        ErrorCase{"notReadyCancelled", {EBUSY}, {tk::MsgResult::Cancel}, false, 1, {NotReady},
                  tk::MsgIcon::Exclamation, tk::MsgButtons::OkCancel},
        ErrorCase{"notReadyTwiceGivesUp", {EAGAIN, EAGAIN}, {tk::MsgResult::Ok, tk::MsgResult::Ok}, false, 2,
                  {NotReady, NotReady}, tk::MsgIcon::Exclamation, tk::MsgButtons::OkCancel},
        ErrorCase{"pathMissing", {ENOTDIR}, {}, false, 1, {"<path>"}, tk::MsgIcon::Exclamation, tk::MsgButtons::Ok},
        ErrorCase{"deviceGone", {ENODEV}, {}, false, 1, {"<path>"}, tk::MsgIcon::Exclamation, tk::MsgButtons::Ok},
        ErrorCase{"cancelled", {ECANCELED}, {}, false, 1, {}, tk::MsgIcon::None, tk::MsgButtons::Ok},
        ErrorCase{"unexpected", {EACCES}, {}, false, 1, {"Unexpected error # 13 occured: Permission denied"},
                  tk::MsgIcon::Critical, tk::MsgButtons::Ok}),
    [](const ::testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.Name); });

TEST(FileExistsTest, UnexpectedErrorTextWritesTheNumberLikeStr)
{
    EXPECT_EQ(UnexpectedErrorText(13), "Unexpected error # 13 occured: Permission denied");
    EXPECT_EQ(UnexpectedErrorText(-7).rfind("Unexpected error #-7 occured: ", 0), 0u);
}

// ---- FileOld ------------------------------------------------------------------------------

class FileOldTest : public ViewerFixture {};

TEST_F(FileOldTest, OpensTheChosenRunAndRemembersItsDirectory)
{
    Write("t-freq.plt", PlotFileText(PlotFileSpec{}));
    host.Output = "old output";
    host.Input = "old input";
    host.TabEnabled[TabInput] = false;
    viewer.Run.OpenDialogDir = "/start/here";
    viewer.Run.FileIndex = 2;
    viewer.Run.PictureIndex = 5;
    dialogs.FileAnswers.push_back(Path("t-freq.plt"));
    viewer.FileOld();

    ASSERT_EQ(dialogs.FileRequests.size(), 1u);
    const tk::FileDialogRequest& r = dialogs.FileRequests[0];
    EXPECT_EQ(r.Title, "Open Response Input File");
    EXPECT_EQ(r.Filter, "All Files (*.*)|*.*|Plot Data Files (*.plt, *.gif)|*.plt;*.gif");
    EXPECT_EQ(r.FilterIndex, 2);
    EXPECT_EQ(r.InitialDir, "/start/here");

    EXPECT_EQ(viewer.Run.PlotBase, Path("t-freq"));
    EXPECT_EQ(viewer.Run.OpenDialogDir, dir.path().toStdString());
    EXPECT_EQ(viewer.Run.FileIndex, 1);
    EXPECT_EQ(viewer.Run.PictureIndex, 2);
    EXPECT_EQ(host.Output, "");
    EXPECT_TRUE(host.TabEnabled[TabInput]);
    EXPECT_GT(viewer.Data.PointCount, 0);
    EXPECT_TRUE(Enabled(Command::PlotResults));
    EXPECT_EQ(host.Focused, Command::PlotResults);
    EXPECT_GT(host.CaptionRefreshes, 0);
}

TEST_F(FileOldTest, CancelChangesNothingButTheClosedDataFile)
{
    Write("run.plt", PlotFileText(PlotFileSpec{}));
    StartOn("run");
    viewer.cmdQuit_Click();
    const RunState before = viewer.Run;
    host.Output = "kept";
    viewer.FileOld();
    EXPECT_EQ(viewer.Run.PlotBase, before.PlotBase);
    EXPECT_EQ(viewer.Run.OpenDialogDir, before.OpenDialogDir);
    EXPECT_EQ(host.Output, "kept");
    EXPECT_FALSE(viewer.Data.IsOpen());
}

TEST_F(FileOldTest, ANameWithoutExtensionKeepsItsWholeName)
{
    // A directory with a full stop in its name and a file without extension.
    QDir(dir.path()).mkdir("rev.2");
    Write("rev.2/data.plt", PlotFileText(PlotFileSpec{}));
    dialogs.FileAnswers.push_back(Path("rev.2/data"));
    viewer.FileOld();
    EXPECT_FALSE(host.Exited) << "the viewer goes on";
    EXPECT_EQ(viewer.Run.PlotBase, Path("rev.2/data"));
    EXPECT_GT(viewer.Data.PointCount, 0) << "data.plt beside it is found";
}

TEST_F(FileOldTest, DirectoryFailuresFollowTheConvention)
{
    struct Case {
        const char* Name;
        std::vector<int> Errors;
        bool Opened, Exited;
        std::size_t Boxes;
        tk::MsgIcon Icon;
    };
    const std::vector<Case> cases{
        {"missing once then fine", {ENOENT}, true, false, 1, tk::MsgIcon::Exclamation},
        {"missing twice abandons", {ENOENT, ENOENT}, false, false, 2, tk::MsgIcon::Exclamation},
        {"unexpected ends the program", {EACCES}, false, true, 1, tk::MsgIcon::Critical},
    };
    Write("t-freq.plt", PlotFileText(PlotFileSpec{}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        FailingFiles files;
        files.DirErrors = c.Errors;
        viewer.UseFileAccess(files);
        viewer.Data.PointCount = -1;
        viewer.Run.PlotBase.clear();
        host.Exited = false;
        dialogs.Boxes.clear();
        dialogs.FileAnswers = {Path("t-freq.plt")};
        viewer.FileOld();
        EXPECT_EQ(viewer.Data.PointCount > 0, c.Opened);
        EXPECT_EQ(host.Exited, c.Exited);
        ASSERT_EQ(dialogs.Boxes.size(), c.Boxes);
        EXPECT_EQ(dialogs.Boxes[0].Title, "In 'FileOld' routine ...");
        EXPECT_EQ(dialogs.Boxes[0].Icon, c.Icon);
        if (c.Icon == tk::MsgIcon::Exclamation) {
            EXPECT_EQ(dialogs.Boxes[0].Text, "This drive or path does not exist: " + Path("t-freq.plt"));
        }
    }
}

// ---- FileSaveAs ---------------------------------------------------------------------------

class SaveAsTest : public ViewerFixture {
protected:
    void SetUp() override
    {
        ViewerFixture::SetUp();
        viewer.Run.PlotBase = Path("rev.2/t-freq");
        surface.SetBackColour(Rgb(0, 0, 255));
        surface.Clear();
        surface.Line(0, 0, 100, 100, Red);
    }
};

TEST_F(SaveAsTest, WritesARealBitmapOfTheWholeSurface)
{
    const std::string target = Path("saved.bmp");
    dialogs.FileAnswers.push_back(target);
    EXPECT_TRUE(viewer.FileSaveAs());

    ASSERT_EQ(dialogs.FileRequests.size(), 1u);
    const tk::FileDialogRequest& r = dialogs.FileRequests[0];
    EXPECT_EQ(r.Title, "Save Plot File As ...");
    EXPECT_EQ(r.Filter, "All Files (*.*)|*.*|Bitmap (*.bmp)|*.bmp");
    EXPECT_EQ(r.FilterIndex, 2);
    EXPECT_EQ(r.ProposedName, "t-freq.bmp");

    QFile f(QString::fromStdString(target));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.read(2), QByteArray("BM"));
    const QImage back(QString::fromStdString(target), "BMP");
    EXPECT_EQ(back.size(), QSize(320, 240));
    EXPECT_EQ(QColor(back.pixel(300, 10)), QColor(0, 0, 255));
}

TEST_F(SaveAsTest, ReplaceQuestionAndUnchangedNames)
{
    struct Case {
        const char* Name;
        std::optional<std::string> Chosen;
        std::vector<tk::MsgResult> Answers;
        bool Existing;
        bool Result;
    };
    const std::string target = Path("Old.BMP");
    const std::vector<Case> cases{
        {"cancelled", std::nullopt, {}, false, false},
        {"unchanged proposal", std::string("t-freq.bmp"), {}, false, false},
        {"empty", std::string(""), {}, false, false},
        {"existing, answered No", target, {tk::MsgResult::No}, true, false},
        {"existing, answered Yes", target, {tk::MsgResult::Yes}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteFile(QString::fromStdString(target), "old");
        dialogs.Boxes.clear();
        dialogs.FileAnswers = {c.Chosen};
        dialogs.Answers = c.Answers;
        EXPECT_EQ(viewer.FileSaveAs(), c.Result);
        ASSERT_EQ(dialogs.Boxes.size(), c.Existing ? 1u : 0u);
        if (c.Existing) {
            EXPECT_EQ(dialogs.Boxes[0].Text, "File exists, want to replace it?");
            EXPECT_EQ(dialogs.Boxes[0].Title, "Replace " + QString::fromStdString(target).toLower().toStdString() + " file?");
            EXPECT_EQ(dialogs.Boxes[0].Icon, tk::MsgIcon::Question);
            EXPECT_EQ(dialogs.Boxes[0].Buttons, tk::MsgButtons::YesNo);
        }
        EXPECT_EQ(QFileInfo(QString::fromStdString(target)).size() > 3, c.Result) << "written only when True";
    }
}

TEST_F(SaveAsTest, WriteFailuresAreReportedAndNeverCountAsSaved)
{
    struct Case {
        const char* Name;
        std::vector<int> Errors;
        bool Result;
        int Writes;
        const char* Text;  // first box
    };
    const std::string target = Path("out.bmp");
    const std::vector<Case> cases{
        {"path missing once", {ENOENT}, true, 2, "This drive or path does not exist: "},
        {"path missing twice", {ENOENT, ENOENT}, false, 2, "This drive or path does not exist: "},
        {"not ready, cancelled", {ENOMEDIUM}, false, 1, "Put a floppy disk in the drive and cloce the drive door."},
        {"read-only place", {EROFS}, false, 1, "Unexpected error # 30 occured: Read-only file system"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        FailingFiles files;
        files.WriteErrors = c.Errors;
        viewer.UseFileAccess(files);
        dialogs.Boxes.clear();
        dialogs.FileAnswers = {target};
        dialogs.Answers = {tk::MsgResult::Cancel};
        if (c.Errors[0] != ENOMEDIUM) dialogs.Answers.clear();
        EXPECT_EQ(viewer.FileSaveAs(), c.Result);
        EXPECT_EQ(files.WriteCalls, c.Writes);
        ASSERT_FALSE(dialogs.Boxes.empty());
        EXPECT_EQ(dialogs.Boxes[0].Text.rfind(c.Text, 0), 0u) << dialogs.Boxes[0].Text;
        EXPECT_EQ(dialogs.Boxes[0].Title, "In 'FileSaveAs' routine ...");
        EXPECT_FALSE(host.Exited) << "a failed save leaves the viewer running";
        QFile::remove(QString::fromStdString(target));
    }
}

// ---- Print --------------------------------------------------------------------------------

TEST_F(SaveAsTest, PrintsThePictureToAPdfFile)
{
    const QString pdf = QString::fromStdString(Path("page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    EXPECT_TRUE(viewer.PrintTo(printer));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.read(4), QByteArray("%PDF"));
    EXPECT_GT(f.size(), 500);
}

TEST_F(SaveAsTest, CancelledPrinterDialogPrintsNothing)
{
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    dialogs.PrinterAnswers = {false};
    viewer.cmdPrint_Click();
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(viewer.ProposedPdfPath())));
    EXPECT_EQ(viewer.ProposedPdfPath(), dir.path().toStdString() + "/t-freq.pdf");
    EXPECT_TRUE(dialogs.Boxes.empty());
    QDir::setCurrent(before);
}

}  // namespace
