// The file commands: the path rules, the existence test and its error convention, open, save
// as bitmap and print.
#include "RunFixture.h"

#include "common/Paths.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

using namespace plots;
using namespace runtest;

namespace {

TEST(PlotPaths, SplitBaseProposedNameAndParent)
{
    const std::vector<std::tuple<std::string, std::string, std::string>> splits{
        {"/x/y.plt", "y.plt", "/x"}, {"/y.plt", "y.plt", "/"}, {"y.plt", "y.plt", tk::CurrentDirectory()}};
    for (const auto& [path, name, directory] : splits) {
        std::string d;
        EXPECT_EQ(SplitPath(path, d), name);
        EXPECT_EQ(d, directory);
    }
    // Plot base of a chosen file: a full stop in a directory name, or a leading one, is no
    // extension.
    const std::vector<std::pair<std::string, std::string>> bases{
        {"/runs/t-freq.plt", "/runs/t-freq"}, {"/runs/a.b.gif", "/runs/a.b"}, {"/rev.2/data", "/rev.2/data"},
        {"/runs/data", "/runs/data"}, {"/runs/.hidden", "/runs/.hidden"}, {"t-freq.plt", "t-freq"}};
    for (const auto& [path, base] : bases) EXPECT_EQ(PlotBaseOf(path), base);
    const std::vector<std::pair<std::string, std::string>> proposals{
        {"/runs/t-freq", "t-freq.bmp"}, {"/runs/rev.2/t-freq", "t-freq.bmp"}, {"/runs/.hidden", ".hidden.bmp"},
        {"/runs/a.b.c", "a.bmp"}};
    for (const auto& [base, name] : proposals) EXPECT_EQ(ProposedBitmapName(base), name);

    std::string bare = "no-such-source.qz";
    EXPECT_FALSE(ExistsInParent(bare));
    EXPECT_EQ(bare, "../no-such-source.qz");
    std::string nested = "/a/user/x.qz";
    ExistsInParent(nested);
    EXPECT_EQ(nested, "/a/user/../x.qz");
}

TEST(FileExistsTest, ListsLikeADirectoryListing)
{
    QTemporaryDir dir;
    const std::string d = dir.path().toStdString();
    WriteFile(d + "/T-Freq.PLT", "x");
    WriteFile(d + "/plain", "x");
    QDir(dir.path()).mkdir("folder.plt");
    tk::ScriptedDialogs dialogs;
    const std::vector<std::pair<std::string, bool>> cases{
        {d + "/t-freq.plt", true}, {d + "/*.plt", true}, {d + "/t-fre?.PLT", true}, {d + "/*.gif", false},
        {d + "/folder.plt", false}, {d + "/missing/x.plt", false}, {"", false}, {"*.*", false}};
    for (const auto& [name, found] : cases) EXPECT_EQ(FileExists(name, dialogs), found) << name;
    EXPECT_TRUE(dialogs.Boxes.empty());
    // A component that is an ordinary file makes the path missing.
    EXPECT_FALSE(FileExists(d + "/plain/x.plt", dialogs));
    ASSERT_EQ(dialogs.Boxes.size(), 1u);
    EXPECT_EQ(dialogs.Boxes[0].Text, "This drive or path does not exist: " + d + "/plain/x.plt");
    EXPECT_EQ(dialogs.Boxes[0].Title, "In 'FileExists' routine ...");
}

TEST(FileExistsTest, ErrorsFollowTheConvention)
{
    const std::string NotReady = "Put a floppy disk in the drive and cloce the drive door.";
    struct Case {
        std::vector<int> Errors;
        std::vector<tk::MsgResult> Answers;
        bool Found;
        int Listings;
        std::vector<std::string> Texts;  // "path" for the missing-path text
        tk::MsgIcon Icon;
        tk::MsgButtons Buttons;
    };
    const auto Ok = tk::MsgResult::Ok, Cancel = tk::MsgResult::Cancel;
    const auto Warn = tk::MsgIcon::Exclamation;
    const std::vector<Case> cases{
        {{ENOMEDIUM}, {Ok}, true, 2, {NotReady}, Warn, tk::MsgButtons::OkCancel},
        {{EBUSY}, {Cancel}, false, 1, {NotReady}, Warn, tk::MsgButtons::OkCancel},
        {{EAGAIN, EAGAIN}, {Ok, Ok}, false, 2, {NotReady, NotReady}, Warn, tk::MsgButtons::OkCancel},
        {{ENOTDIR}, {}, false, 1, {"path"}, Warn, tk::MsgButtons::Ok},
        {{ENODEV}, {}, false, 1, {"path"}, Warn, tk::MsgButtons::Ok},
        {{ECANCELED}, {}, false, 1, {}, Warn, tk::MsgButtons::Ok},
        {{EACCES}, {}, false, 1, {"Unexpected error # 13 occured: Permission denied"}, tk::MsgIcon::Critical,
         tk::MsgButtons::Ok},
    };
    QTemporaryDir dir;
    const std::string name = dir.path().toStdString() + "/here.plt";
    WriteFile(name, "x");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Errors[0]);
        FailingFiles files;
        files.ListErrors = c.Errors;
        tk::ScriptedDialogs dialogs;
        dialogs.Answers = c.Answers;
        EXPECT_EQ(FileExists(files, dialogs, name), c.Found);
        EXPECT_EQ(files.ListCalls, c.Listings);
        ASSERT_EQ(dialogs.Boxes.size(), c.Texts.size());
        for (std::size_t i = 0; i < c.Texts.size(); ++i) {
            EXPECT_EQ(dialogs.Boxes[i].Text, c.Texts[i] == "path" ? "This drive or path does not exist: " + name : c.Texts[i]);
            EXPECT_EQ(dialogs.Boxes[i].Title, "In 'FileExists' routine ...");
            EXPECT_EQ(dialogs.Boxes[i].Icon, c.Icon);
            EXPECT_EQ(dialogs.Boxes[i].Buttons, c.Buttons);
        }
    }
    EXPECT_EQ(UnexpectedErrorText(-7).rfind("Unexpected error #-7 occured: ", 0), 0u);
}

TEST_F(ViewerFixture, OpenReadsTheChosenRunAndRemembersItsDirectory)
{
    Write("t-freq.plt", PlotFileText(Kind(3)));
    host.Output = "old";
    host.TabEnabled[TabInput] = false;
    viewer.Run().State().OpenDialogDir = "/start/here";
    viewer.Run().State().FileIndex = 2;
    dialogs.FileAnswers = {std::nullopt, Path("t-freq.plt")};
    viewer.FileOld();  // cancelled: nothing changes
    EXPECT_EQ(host.Output, "old");
    viewer.FileOld();
    ASSERT_EQ(dialogs.FileRequests.size(), 2u);
    const tk::FileDialogRequest& r = dialogs.FileRequests[1];
    EXPECT_EQ(r.Title, "Open Response Input File");
    EXPECT_EQ(r.Filter, "All Files (*.*)|*.*|Plot Data Files (*.plt, *.gif)|*.plt;*.gif");
    EXPECT_EQ(r.FilterIndex, 2);
    EXPECT_EQ(r.InitialDir, "/start/here");
    EXPECT_EQ(viewer.Run().State().PlotBase, Path("t-freq"));
    EXPECT_EQ(viewer.Run().State().OpenDialogDir, dir.path().toStdString());
    EXPECT_EQ(viewer.Run().State().FileIndex, 1);
    EXPECT_EQ(host.Output, "");
    EXPECT_TRUE(host.TabEnabled[TabInput]);
    EXPECT_GT(viewer.Run().Data().PointCount, 0);
}

TEST_F(ViewerFixture, OpenKeepsANameWithoutExtensionWhole)
{
    QDir(dir.path()).mkdir("rev.2");
    Write("rev.2/data.plt", PlotFileText(Kind(3)));
    dialogs.FileAnswers = {Path("rev.2/data")};
    viewer.FileOld();
    EXPECT_FALSE(host.Exited);
    EXPECT_EQ(viewer.Run().State().PlotBase, Path("rev.2/data"));
    EXPECT_GT(viewer.Run().Data().PointCount, 0) << "data.plt beside it is found";
}

TEST_F(ViewerFixture, OpenDirectoryFailuresRetryOnceOrEndTheProgram)
{
    const std::vector<std::tuple<std::vector<int>, bool, bool, std::size_t>> cases{
        {{ENOENT}, true, false, 1}, {{ENOENT, ENOENT}, false, false, 2}, {{EACCES}, false, true, 1}};
    Write("t-freq.plt", PlotFileText(Kind(3)));
    for (const auto& [errors, opened, exited, boxes] : cases) {
        FailingFiles files;
        files.DirErrors = errors;
        viewer.UseFileAccess(files);
        viewer.Run().Data().PointCount = -1;
        host.Exited = false;
        dialogs.Boxes.clear();
        dialogs.FileAnswers = {Path("t-freq.plt")};
        viewer.FileOld();
        EXPECT_EQ(viewer.Run().Data().PointCount > 0, opened);
        EXPECT_EQ(host.Exited, exited);
        ASSERT_EQ(dialogs.Boxes.size(), boxes);
        EXPECT_EQ(dialogs.Boxes[0].Title, "In 'FileOld' routine ...");
        EXPECT_EQ(dialogs.Boxes[0].Text.find("This drive or path does not exist: "), exited ? std::string::npos : 0);
    }
}

class SaveAndPrint : public ViewerFixture {
protected:
    void SetUp() override
    {
        ViewerFixture::SetUp();
        viewer.Run().State().PlotBase = Path("rev.2/t-freq");
        surface.SetBackColour(Rgb(0, 0, 255));
        surface.Clear();
    }
    bool Written(const std::string& path) const { return QFileInfo(QString::fromStdString(path)).size() > 3; }
};

TEST_F(SaveAndPrint, SaveAsWritesARealBitmapOfTheSurface)
{
    dialogs.FileAnswers = {Path("saved.bmp")};
    EXPECT_TRUE(viewer.FileSaveAs());
    const tk::FileDialogRequest& r = dialogs.FileRequests.at(0);
    EXPECT_EQ(r.Title, "Save Plot File As ...");
    EXPECT_EQ(r.Filter, "All Files (*.*)|*.*|Bitmap (*.bmp)|*.bmp|PNG Picture (*.png)|*.png|"
                        "SVG Drawing (*.svg)|*.svg|PDF Document (*.pdf)|*.pdf");
    EXPECT_EQ(r.FilterIndex, 2);
    EXPECT_EQ(r.ProposedName, "t-freq.bmp");
    const QImage back(QString::fromStdString(Path("saved.bmp")), "BMP");
    EXPECT_EQ(back.size(), QSize(320, 240));
    EXPECT_EQ(QColor(back.pixel(300, 10)), QColor(0, 0, 255));
}

// The format follows a typed extension, else the filter chosen; the vector formats draw the
// plot again with its texts as text.
TEST_F(ViewerFixture, SaveAsWritesTheFormatOfTheExtensionOrTheFilter)
{
    Write("run.plt", PlotFileText(Kind(3)));
    StartOn("run");
    struct Case {
        const char* Typed;
        int Filter;
        const char* Written;  // the file that must be there
        const char* Starts;   // its first bytes
    } cases[] = {
        {"a.PNG", 2, "a.PNG", "\x89PNG"},     {"b", 3, "b.png", "\x89PNG"},  {"c.svg", 2, "c.svg", "<?xml"},
        {"d", 4, "d.svg", "<?xml"},            {"e", 5, "e.pdf", "%PDF"},      {"f.pdf", 1, "f.pdf", "%PDF"},
        {"g", 1, "g", "BM"},                   {"h.bmp", 5, "h.bmp", "BM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        dialogs.FileAnswers = {Path(c.Typed)};
        dialogs.FilterAnswers = {c.Filter};
        ASSERT_TRUE(viewer.FileSaveAs());
        QFile file(QString::fromStdString(Path(c.Written)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.startsWith(c.Starts));
        if (bytes.startsWith("<?xml")) {
            EXPECT_TRUE(bytes.contains("Error Amplitude")) << "the title is text in the drawing";
            EXPECT_TRUE(bytes.contains("<polyline") || bytes.contains("<path")) << "the curves are lines";
        }
    }
    EXPECT_TRUE(dialogs.Boxes.empty());
}

TEST_F(SaveAndPrint, SaveAsAsksBeforeReplacingAndNeedsANewName)
{
    const std::string target = Path("Old.BMP");
    const std::vector<std::tuple<std::optional<std::string>, tk::MsgResult, bool>> cases{
        {std::nullopt, tk::MsgResult::Yes, false}, {std::string("t-freq.bmp"), tk::MsgResult::Yes, false},
        {std::string(""), tk::MsgResult::Yes, false}, {target, tk::MsgResult::No, false},
        {target, tk::MsgResult::Yes, true}};
    for (const auto& [chosen, answer, saved] : cases) {
        WriteFile(target, "old");
        dialogs.Boxes.clear();
        dialogs.FileAnswers = {chosen};
        dialogs.Answers = {answer};
        EXPECT_EQ(viewer.FileSaveAs(), saved);
        EXPECT_EQ(Written(target), saved);
        if (chosen != target) continue;
        ASSERT_EQ(dialogs.Boxes.size(), 1u);
        EXPECT_EQ(dialogs.Boxes[0].Text, "File exists, want to replace it?");
        EXPECT_EQ(dialogs.Boxes[0].Title, "Replace " + QString::fromStdString(target).toLower().toStdString() + " file?");
        EXPECT_EQ(dialogs.Boxes[0].Icon, tk::MsgIcon::Question);
        EXPECT_EQ(dialogs.Boxes[0].Buttons, tk::MsgButtons::YesNo);
    }
}

TEST_F(SaveAndPrint, FailedWritesAreReportedAndNeverCountAsSaved)
{
    const std::vector<std::tuple<std::vector<int>, bool, int, std::string>> cases{
        {{ENOENT}, true, 2, "This drive or path does not exist: " + Path("out.bmp")},
        {{ENOENT, ENOENT}, false, 2, "This drive or path does not exist: " + Path("out.bmp")},
        {{ENOMEDIUM}, false, 1, "Put a floppy disk in the drive and cloce the drive door."},
        {{EROFS}, false, 1, "Unexpected error # 30 occured: Read-only file system"}};
    for (const auto& [errors, saved, writes, text] : cases) {
        FailingFiles files;
        files.WriteErrors = errors;
        viewer.UseFileAccess(files);
        dialogs.Boxes.clear();
        dialogs.FileAnswers = {Path("out.bmp")};
        dialogs.Answers = {tk::MsgResult::Cancel};
        EXPECT_EQ(viewer.FileSaveAs(), saved) << text;
        EXPECT_EQ(Written(Path("out.bmp")), saved) << text;
        EXPECT_EQ(files.WriteCalls, writes) << text;
        EXPECT_EQ(dialogs.Boxes.at(0).Text, text);
        EXPECT_EQ(dialogs.Boxes.at(0).Title, "In 'FileSaveAs' routine ...");
        EXPECT_FALSE(host.Exited) << "a failed save leaves the viewer running";
        QFile::remove(QString::fromStdString(Path("out.bmp")));
    }
}

TEST_F(SaveAndPrint, PrintsThePictureToAPdfFile)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(Path("page.pdf")));
    EXPECT_TRUE(viewer.PrintTo(printer));
    QFile pdf(QString::fromStdString(Path("page.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdf.read(4), QByteArray("%PDF"));
    EXPECT_GT(pdf.size(), 500);

    dialogs.PrinterAnswers = {false};  // a cancelled printer dialog prints nothing, silently
    viewer.cmdPrint_Click();
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(viewer.ProposedPdfPath())));
    EXPECT_EQ(viewer.ProposedPdfPath(), tk::CurrentDirectory() + "/t-freq.pdf");
    EXPECT_TRUE(dialogs.Boxes.empty());
}

}  // namespace
