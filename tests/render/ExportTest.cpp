#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ExportRun {
    int Exit;
    std::string Err;
};

ExportRun Export(const QStringList& args)
{
    QProcess p;
    p.start(TK_BINARY_DIR "/plots/plots", QStringList{"--export"} + args);
    p.waitForFinished(-1);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardError().toStdString()};
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
    {
        QFile f(garbage);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a plot file\r\n");
    }
    const QString lone = tmp.filePath("lone.2lt");
    ASSERT_TRUE(QFile::copy(Sample("expdecay.2lt"), lone));
    struct Case {
        const char* What;
        QStringList Args;
        int Exit;
        const char* InError;
    } cases[] = {
        {"missing file", {tmp.path(), tmp.filePath("none.plt")}, 1, "none.plt"},
        {"unreadable data: the reader's message", {tmp.path(), garbage}, 1, "Data file is corrupted"},
        {"second data file without its run's first", {tmp.path(), lone}, 1, "'lone.plt' is missing"},
        {"unknown option", {"--colour", "red", tmp.path(), Sample("sine2.plt")}, 2, "Usage: plots --export"},
        {"bad size", {"--size", "12by4", tmp.path(), Sample("sine2.plt")}, 2, "bad size"},
        {"zero size", {"--size", "0x768", tmp.path(), Sample("sine2.plt")}, 2, "bad size"},
        {"bad format", {"--format", "gif", tmp.path(), Sample("sine2.plt")}, 2, "bad format"},
        {"missing FILE", {tmp.path()}, 2, "missing FILE"},
        {"nothing at all", {}, 2, "missing DIR and FILE"},
        {"size without value", {tmp.path(), Sample("sine2.plt"), "--size"}, 2, "--size needs"},
    };
    for (const Case& c : cases) {
        const ExportRun r = Export(c.Args);
        EXPECT_EQ(r.Exit, c.Exit) << c.What << ": " << r.Err;
        EXPECT_NE(r.Err.find(c.InError), std::string::npos) << c.What << ": " << r.Err;
    }
    EXPECT_TRUE(QDir(tmp.path()).entryList({"*.png"}, QDir::Files).isEmpty());
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

}  // namespace
