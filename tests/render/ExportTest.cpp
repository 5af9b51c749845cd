#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QXmlStreamReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct ExportRun {
    int Exit;
    std::string Err;
};

ExportRun RunPlots(const QStringList& args)
{
    QProcess p;
    p.start(TK_BINARY_DIR "/plots/plots", args);
    p.waitForFinished(-1);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardError().toStdString()};
}

ExportRun Export(const QStringList& args) { return RunPlots(QStringList{"--export"} + args); }

bool WriteText(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}




QString Sample(const char* name) { return QString(TK_SOURCE_DIR "/samples/") + name; }

TEST(ExportCommand, WritesNumberedImagesOfTheRequestedSize)
{
    struct Case {
        const char* What;
        const char* File;
        QStringList Options;
        QStringList Expected;
        QSize Size;
    } cases[] = {
        {"fitting run: first line plot, then curve vs. data", "sine2.plt", {},
         {"sine2-01.png", "sine2-02.png", "sine2-summary.txt"}, {1024, 768}},
        {"pole-zero run: map first, then every line plot", "tunewave.plt", {"--size", "800x600"},
         {"tunewave-01.png", "tunewave-02.png", "tunewave-03.png", "tunewave-04.png", "tunewave-05.png",
          "tunewave-summary.txt"},
         {800, 600}},
        {"bitmap of an ODE run's one plot", "oscill.plt", {"--format", "bmp", "--size=640x480"},
         {"oscill-01.bmp", "oscill-summary.txt"}, {640, 480}},
        {"second data file: the whole run, from its first file", "expdecay.2lt", {},
         {"expdecay-01.png", "expdecay-02.png", "expdecay-03.png", "expdecay-04.png", "expdecay-summary.txt"},
         {1024, 768}},
    };
    for (const Case& c : cases) {
        QTemporaryDir tmp;
        const QString out = tmp.filePath("made/here");  // created when missing
        const ExportRun r = Export(c.Options + QStringList{out, Sample(c.File)});
        EXPECT_EQ(r.Exit, 0) << c.What << ": " << r.Err;
        const QStringList files = QDir(out).entryList(QDir::Files, QDir::Name);
        EXPECT_EQ(files, c.Expected) << c.What;
        for (const QString& f : files) {
            if (f.endsWith(".txt")) {
                QFile summary(QDir(out).filePath(f));
                ASSERT_TRUE(summary.open(QIODevice::ReadOnly)) << c.What;
                const QByteArray text = summary.readAll();
                EXPECT_TRUE(text.contains("================ Summary of Run =================")) << c.What;
                EXPECT_TRUE(text.contains("Calling 1st line plot")) << c.What;
                EXPECT_FALSE(text.contains('\r')) << c.What << ": the summary has plain line feeds";
                continue;
            }
            const QImage image(QDir(out).filePath(f));
            EXPECT_EQ(image.size(), c.Size) << c.What << " " << f.toStdString();
        }
    }
}

// "--smooth" draws curves, frame and grid anti-aliased: their edges blend into the background
// in many shades. Without it the lines keep their hard edges.
TEST(ExportCommand, SmoothLinesAreAntiAliasedOnlyWhenAsked)
{
    const auto shades = [](const QImage& image) {
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
        return colours.size();
    };
    QTemporaryDir plain, smooth;
    ASSERT_EQ(Export({"--size", "640x480", plain.path(), Sample("sine2.plt")}).Exit, 0);
    ASSERT_EQ(Export({"--size", "640x480", "--smooth", smooth.path(), Sample("sine2.plt")}).Exit, 0);
    const QImage hard(plain.filePath("sine2-02.png")), soft(smooth.filePath("sine2-02.png"));
    ASSERT_EQ(hard.size(), soft.size());
    EXPECT_NE(hard, soft);
    EXPECT_GT(shades(soft), shades(hard) + 50);
}

TEST(ExportCommand, PdfIsOnePagePerPlot)
{
    QTemporaryDir tmp;
    const ExportRun r = Export({"--format", "pdf", tmp.path(), Sample("lorentz2.plt")});
    ASSERT_EQ(r.Exit, 0) << r.Err;
    QFile pdf(tmp.filePath("lorentz2-01.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 1);
}

TEST(ExportCommand, ExitCodesForBadInput)
{
    QTemporaryDir tmp;
    const QString garbage = tmp.filePath("garbage.plt");
    ASSERT_TRUE(WriteText(garbage, "not a plot file\r\n"));
    const QString lone = tmp.filePath("lone.2lt");
    ASSERT_TRUE(QFile::copy(Sample("expdecay.2lt"), lone));
    struct Case {
        const char* What;
        QStringList Args;
        int Exit;
        const char* InError;
    } cases[] = {
        {"missing file", {tmp.path(), tmp.filePath("none.plt")}, 1, "none.plt"},
        {"a relative name longer than a path may be", {tmp.path(), QString("d/").repeated(2100) + "x.plt"}, 1,
         "File name too long"},
        {"unreadable data: the reader's message", {tmp.path(), garbage}, 1, "Data file is corrupted"},
        {"second data file without its run's first", {tmp.path(), lone}, 1, "'lone.plt' is missing"},
        {"unknown option", {"--colour", "red", tmp.path(), Sample("sine2.plt")}, 2, "Usage: plots --export"},
        {"bad size", {"--size", "12by4", tmp.path(), Sample("sine2.plt")}, 2, "bad size"},
        {"zero size", {"--size", "0x768", tmp.path(), Sample("sine2.plt")}, 2, "bad size"},
        {"bad format", {"--format", "gif", tmp.path(), Sample("sine2.plt")}, 2, "bad format"},
        {"missing FILE", {tmp.path()}, 2, "missing FILE"},
        {"nothing at all", {}, 2, "missing DIR and FILE"},
        {"size without value", {tmp.path(), Sample("sine2.plt"), "--size"}, 2, "--size needs"},
        {"range upside down", {"--x-range", "5:1", tmp.path(), Sample("sine2.plt")}, 2, "bad range"},
        {"range not numbers", {"--y-range=a:b", tmp.path(), Sample("sine2.plt")}, 2, "bad range"},
        {"check and export at once", {"--check", tmp.path(), Sample("sine2.plt")}, 2, "exclude each other"},
    };
    for (const Case& c : cases) {
        const ExportRun r = Export(c.Args);
        EXPECT_EQ(r.Exit, c.Exit) << c.What << ": " << r.Err;
        EXPECT_NE(r.Err.find(c.InError), std::string::npos) << c.What << ": " << r.Err;
    }
    EXPECT_TRUE(QDir(tmp.path()).entryList({"*.png"}, QDir::Files).isEmpty());
}

TEST(ExportCommand, CsvHoldsEachPlotsCurvesAndRangesZoomEveryPlot)
{
    QTemporaryDir tmp;
    ASSERT_EQ(Export({"--format", "csv", tmp.path(), Sample("tunewave.plt")}).Exit, 0);
    const QStringList files = QDir(tmp.path()).entryList({"*.csv"}, QDir::Files);
    ASSERT_GE(files.size(), 3);
    QFile map(tmp.filePath("tunewave-01.csv")), first(tmp.filePath("tunewave-02.csv"));
    ASSERT_TRUE(map.open(QIODevice::ReadOnly) && first.open(QIODevice::ReadOnly));
    EXPECT_TRUE(map.readLine().startsWith("Frequency,Poles,Zeroes,Doublets"));
    EXPECT_TRUE(first.readLine().startsWith("Frequency,Error"));

    const QString whole = tmp.filePath("whole"), zoomed = tmp.filePath("zoomed");
    ASSERT_EQ(Export({"--size", "640x480", whole, Sample("sine2.plt")}).Exit, 0);
    ASSERT_EQ(Export({"--size", "640x480", "--x-range", "1:2", "--y-range", "-0.5:0.5", zoomed, Sample("sine2.plt")}).Exit, 0);
    EXPECT_NE(QImage(whole + "/sine2-01.png"), QImage(zoomed + "/sine2-01.png"));
}

// What --check reads, --export exports, under one rule for the base name: extensions compared
// without regard to case, a file named without one (or named ".plt") is itself the data file,
// and a user's "%1" in a name is only a name.
const std::string LongName = std::string(251, 'n') + ".plt";
const std::string LongPicture = std::string(255 - std::string("-summary.txt").size(), 'n') + "-01.png";

TEST(ExportCommand, NamesTheFilesAfterTheRunWhateverItIsCalled)
{
    struct Case {
        const char* Name;
        const char* First;  // the first picture written
    } cases[] = {
        {"mixed.Plt", "mixed-01.png"}, {"NOEXT", "NOEXT-01.png"}, {".plt", ".plt-01.png"}, {"a%1b.plt", "a%1b-01.png"},
        {"rev.2.plt", "rev.2-01.png"},
        // A name that fills a directory entry: the files' names are cut to fit.
        {LongName.c_str(), LongPicture.c_str()},
    };
    for (const Case& c : cases) {
        QTemporaryDir tmp;
        const QString file = tmp.filePath(c.Name);
        ASSERT_TRUE(QFile::copy(Sample("sine2.plt"), file));
        EXPECT_EQ(RunPlots({"--check", file}).Exit, 0) << c.Name;
        const ExportRun r = Export({tmp.filePath("out"), file});
        EXPECT_EQ(r.Exit, 0) << c.Name << ": " << r.Err;
        EXPECT_TRUE(QFileInfo::exists(tmp.filePath("out/") + c.First)) << c.Name << ": "
                                                                        << QDir(tmp.filePath("out")).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString();
    }
}

// Runs plots with arguments that are the file system's bytes (Qt's own process and file classes
// would turn a name that is not UTF-8 into another one).
ExportRun RunWithBytes(const std::vector<std::string>& args)
{
    int err[2];
    if (::pipe(err) != 0) return {-1, "pipe"};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(err[1], 2);
        ::close(err[0]);
        std::vector<char*> argv{const_cast<char*>(TK_BINARY_DIR "/plots/plots")};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(err[1]);
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = ::read(err[0], buf, sizeof buf)) > 0;) text.append(buf, std::size_t(n));
    ::close(err[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
}

std::vector<std::string> Listing(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Names from the solver tools and old archives are Windows-1252: the file is found, the output
// goes into the directory named, and messages show the name readably.
TEST(ExportCommand, NamesThatAreNotUtf8ArriveAsTheirBytes)
{
    QTemporaryDir tmp;
    const std::string dir = tmp.path().toStdString();
    const std::string file = dir + "/caf\xe9.plt";
    std::filesystem::copy_file(Sample("sine2.plt").toStdString(), file);
    const ExportRun check = RunWithBytes({"--check", file});
    EXPECT_EQ(check.Exit, 0) << check.Err;
    const std::string out = dir + "/out\xff";
    const ExportRun r = RunWithBytes({"--export", out, file});
    EXPECT_EQ(r.Exit, 0) << r.Err;
    EXPECT_EQ(Listing(out), (std::vector<std::string>{"caf\xe9-01.png", "caf\xe9-02.png", "caf\xe9-summary.txt"}));
    EXPECT_EQ(Listing(dir), (std::vector<std::string>{"caf\xe9.plt", "out\xff"})) << "no other directory was made";
    const ExportRun missing = RunWithBytes({"--export", out, dir + "/r\xe9sum\xe9.plt"});
    EXPECT_EQ(missing.Exit, 1);
    EXPECT_NE(missing.Err.find("r\xc3\xa9sum\xc3\xa9.plt"), std::string::npos) << "shown as the user reads it: " << missing.Err;
}

// The export names the real cause, as the check does.
TEST(ExportCommand, SaysWhyAFileCannotBeRead)
{
    QTemporaryDir tmp;
    const QString empty = tmp.filePath("empty.plt");
    ASSERT_TRUE(WriteText(empty, "title\r\nsum\r\nx\r\n7 1 3\r\n"));
    const ExportRun noData = Export({tmp.filePath("out"), empty});
    EXPECT_EQ(noData.Exit, 1);
    EXPECT_NE(noData.Err.find("No data in file"), std::string::npos) << noData.Err;
    EXPECT_EQ(noData.Err.find("as plot data"), std::string::npos) << noData.Err;

    // A file that cannot be opened for lack of permission is not called corrupted. Root reads any
    // file, so there the export runs as an ordinary user.
    QDir(tmp.path()).mkdir("open");
    QFile::setPermissions(tmp.path(), QFileDevice::Permissions(0x7777));
    const QString locked = tmp.filePath("open/locked.plt");
    ASSERT_TRUE(QFile::copy(Sample("sine2.plt"), locked));
    QFile::setPermissions(tmp.filePath("open"), QFileDevice::Permissions(0x7777));
    QFile::setPermissions(locked, QFileDevice::Permissions());
    const QStringList asUser = geteuid() == 0 ? QStringList{"--reuid=65534", "--regid=65534", "--clear-groups"} : QStringList{};
    QProcess p;
    if (geteuid() == 0)
        p.start("setpriv", asUser + QStringList{TK_BINARY_DIR "/plots/plots", "--export", "/tmp", locked});
    else
        p.start(TK_BINARY_DIR "/plots/plots", {"--export", tmp.filePath("out"), locked});
    p.waitForFinished(-1);
    const std::string err = p.readAllStandardError().toStdString();
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_NE(err.find("Permission denied"), std::string::npos) << err;
    EXPECT_EQ(err.find("corrupted"), std::string::npos) << err;
}

// Vector exports keep their text as text: an SVG drawing's text elements, a PDF's text read back.
TEST(ExportCommand, VectorFilesHoldRealText)
{
    QTemporaryDir tmp;
    ASSERT_EQ(Export({"--format", "svg", tmp.filePath("svg"), Sample("tunewave.plt")}).Exit, 0);
    ASSERT_EQ(Export({"--format", "pdf", tmp.filePath("pdf"), Sample("tunewave.plt")}).Exit, 0);
    const QString svgFile = tmp.filePath("svg/tunewave-02.svg");
    QFile svg(svgFile);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    QStringList texts;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", tmp.filePath("pdf/tunewave-02.pdf"), "-"});
    pdftotext.waitForFinished(-1);
    const QString pdfText = QString::fromUtf8(pdftotext.readAllStandardOutput());
    // The title, the legend's labels and every Y label whole.
    for (const QString& wanted : {QString("Tunewave (tm)"), QString("Error Amplitude"), QString("Gain:"),
                                  QString("Real Pole Loc.s:"), QString("-.25"), QString("-.41"), QString(".43")}) {
        EXPECT_TRUE(texts.contains(wanted) || texts.join('|').contains(wanted)) << "svg: " << wanted.toStdString();
        EXPECT_TRUE(pdfText.contains(wanted)) << "pdf: " << wanted.toStdString() << "\n" << pdfText.toStdString();
    }
}

// Pictures are written while the next plot is drawn. A picture that cannot be written is told
// and ends the run as before: the plot drawn meanwhile is not written, nor the summary.
TEST(ExportCommand, APictureThatCannotBeWrittenStopsTheRunWithNothingWrittenAfterIt)
{
    QTemporaryDir tmp;
    const QString out = tmp.filePath("out");
    ASSERT_TRUE(QDir().mkpath(out + "/tunewave-02.png"));  // a directory in the way

    const ExportRun r = Export({out, Sample("tunewave.plt")});
    EXPECT_EQ(r.Exit, 1) << r.Err;
    EXPECT_EQ(r.Err, "plots: cannot write '" + (out + "/tunewave-02.png").toStdString() + "': Is a directory\n");
    EXPECT_FALSE(QImage(out + "/tunewave-01.png").isNull()) << "the picture before it is whole";
    const QStringList left = QDir(out).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    EXPECT_EQ(left, QStringList{"tunewave-01.png"}) << "no later picture, summary or temporary file";
}

// Waits at most a minute: a program stuck on a FIFO fails the test instead of hanging it.
ExportRun RunPlotsBriefly(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(TK_BINARY_DIR "/plots/plots", args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished(-1);
        return {-1, "still running after a minute"};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardError().toStdString()};
}

// A FIFO named as the plot file is said to be no file; nothing waits on it.
TEST(ExportCommand, AFifoIsNoPlotFile)
{
    QTemporaryDir tmp;
    ASSERT_EQ(::mkfifo(tmp.filePath("run.plt").toLocal8Bit().constData(), 0600), 0);
    const ExportRun r = RunPlotsBriefly({"--export", tmp.filePath("out"), tmp.filePath("run.plt")});
    EXPECT_EQ(r.Exit, 1) << r.Err;
    EXPECT_NE(r.Err.find("run.plt': not a regular file"), std::string::npos) << r.Err;
}

// In a shared folder such as /tmp another user may plant a link under a picture's name; the
// export refuses to write through it rather than replace the file it points to.
TEST(ExportCommand, AnotherUsersLinkInASharedFolderIsNotWrittenThrough)
{
    if (::geteuid() != 0) GTEST_SKIP() << "giving a link another owner needs root";
    QTemporaryDir tmp;
    const std::string shared = tmp.filePath("shared").toStdString(), victim = tmp.filePath("precious.txt").toStdString();
    ASSERT_TRUE(QDir().mkpath(tmp.filePath("shared")));
    ::chmod(shared.c_str(), 01777);
    ASSERT_TRUE(WriteText(tmp.filePath("precious.txt"), "mine"));
    for (const char* name : {"/sine2-01.png", "/sine2-summary.txt"}) {
        std::filesystem::create_symlink(victim, shared + name);
        ASSERT_EQ(::lchown((shared + name).c_str(), 65534, 65534), 0);
    }
    const ExportRun r = RunPlotsBriefly({"--export", tmp.filePath("shared"), Sample("sine2.plt")});
    EXPECT_EQ(r.Exit, 1) << r.Err;
    EXPECT_NE(r.Err.find("sine2-01.png': Permission denied (a symbolic link another user made"), std::string::npos) << r.Err;
    QFile kept(tmp.filePath("precious.txt"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "mine");
    EXPECT_EQ(Listing(shared), (std::vector<std::string>{"sine2-01.png", "sine2-summary.txt"}));
}

// Without a session's runtime directory the export makes a private one in the temporary
// directory; one of that name that another user made first is not taken, and Qt has nothing
// to warn about.
TEST(ExportCommand, AnotherUsersRuntimeDirectoryIsNotAdopted)
{
    if (::geteuid() != 0) GTEST_SKIP() << "giving a directory another owner needs root";
    QTemporaryDir tmp;
    const QString squatted = tmp.filePath("runtime-plots-0");
    ASSERT_TRUE(QDir().mkpath(squatted));
    ::chmod(tmp.path().toLocal8Bit().constData(), 01777);
    ASSERT_EQ(::chown(squatted.toLocal8Bit().constData(), 65534, 65534), 0);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("XDG_RUNTIME_DIR");
    env.insert("TMPDIR", tmp.path());
    const ExportRun r = RunPlotsBriefly({"--export", tmp.filePath("out"), Sample("sine2.plt")}, env);
    EXPECT_EQ(r.Exit, 0) << r.Err;
    EXPECT_EQ(r.Err.find("runtime"), std::string::npos) << r.Err;
    EXPECT_TRUE(QDir(squatted).isEmpty());
    EXPECT_EQ(QDir(tmp.path()).entryList({"runtime-plots-0-*"}, QDir::AllEntries | QDir::System), QStringList{})
        << "the run's own directory goes with it";
}

}  // namespace
