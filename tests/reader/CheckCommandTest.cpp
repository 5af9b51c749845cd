// plots --check: what a solver-tool author sees for good and broken plot files.
#include "ReaderFixture.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using readertest::Lines;
using readertest::PlotFiles;

namespace {

struct Outcome {
    int ExitCode = -1;
    std::string Out, Err;
};

Outcome RunPlots(const QStringList& args)
{
    QProcess process;
    process.start(QString(TK_BINARY_DIR "/plots/plots"), args);
    Outcome o;
    if (!process.waitForFinished(-1)) return o;
    o.ExitCode = process.exitCode();
    o.Out = process.readAllStandardOutput().toStdString();
    o.Err = process.readAllStandardError().toStdString();
    return o;
}

QString Sample(const char* name)
{
    return QString(TK_SOURCE_DIR "/samples/") + name;
}

struct GoodCase {
    const char* File;
    const char* Says;  // the part of the line after the file name
};

TEST(CheckCommand, DescribesAGoodFileInOneLine)
{
    const GoodCase cases[] = {
        {"lorentz2.plt", "plot type 1 (Fitmora), 2 terms, 100 points"},
        {"logistic7.plt", "plot type 7 (Fitmora), 1 term, 30 points"},
        {"oscill.plt", "plot type 0 (Derivex), 3 terms, 121 points"},
        {"dosivo.plt", "plot type 110 (Dosivo), 2 terms, 97 points"},
        {"tunewave.plt", "plot type -2 (Tunewave), 2 terms, 61 points, poles: 1 on the sigma axis + 2 pairs; "
                         "zeros: 2 on the omega axis; blocks: side-lobe (61 points), ripple (41 points), "
                         "impulse response (81 points, not shown)"},
        {"pulseqz.plt", "plot type -1 (Tunepulse), 6 terms, 61 points, poles: 1 on the sigma axis + 6 pairs; "
                        "zeros: sigma-axis doublet pair, 2 pairs, 1 quad; blocks: ripple (41 points), "
                        "impulse response (81 points)"},
        {"tunepulse.plt", "plot type -1 (Tunepulse), 2 terms, 41 points, poles: 2 pairs; zeros: 1 on the omega "
                          "axis; blocks: impulse response (81 points)"},
    };
    for (const GoodCase& c : cases) {
        const Outcome o = RunPlots({"--check", Sample(c.File)});
        EXPECT_EQ(o.ExitCode, 0) << c.File << o.Err;
        EXPECT_EQ(o.Out, Sample(c.File).toStdString() + ": " + c.Says + "\n");
        EXPECT_EQ(o.Err, "");
    }
}

struct BadCase {
    const char* Name;
    std::string Text;
    int ExitCode;
    const char* FirstErrLine;
};

TEST(CheckCommand, ReportsABrokenFileOnStandardError)
{
    const BadCase cases[] = {
        {"corrupted", Lines({"fit", "e", "x", "1 1 3", "f", "0", "1", "2", "x"}), 1,
         "Reading data file error at --> t0."},
        {"no points", Lines({"fit", "e", "x", "7 1 3"}), 1, "Must exit!"},
        {"empty side-lobe block",
         Lines({"pz", "e", "x", "-1 1 1", "0 0 0 0", "0 1", "-1", "1", "0", "2 0 0", "1 2", "1", "0 0", "0 1 2",
                "Sidelobe", "0"}),
         1, "Must exit!"},
    };
    for (const BadCase& c : cases) {
        PlotFiles files;
        const std::string path = files.Write("bad.plt", c.Text);
        const Outcome o = RunPlots({"--check", QString::fromStdString(path)});
        EXPECT_EQ(o.ExitCode, c.ExitCode) << c.Name;
        EXPECT_EQ(o.Out, "") << c.Name;
        EXPECT_EQ(o.Err.substr(0, o.Err.find('\n')), c.FirstErrLine) << c.Name;
        EXPECT_EQ(o.Err.find('\r'), std::string::npos) << c.Name << ": plain line ends on a terminal";
    }
}

std::string SampleBytes(const char* name)
{
    QFile file(Sample(name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

// A file cut short while its solver wrote it reads without a failure, but is not valid: it
// ends before the points (or the curve block) it declares, and --check says where.
TEST(CheckCommand, RefusesAFileThatEndsBeforeItsDeclaredPoints)
{
    const std::string tunewave = SampleBytes("tunewave.plt");
    struct Case {
        const char* What;
        std::string Bytes;
        const char* Says;
        int Line;
    } cases[] = {
        {"cut in the data points", SampleBytes("lorentz2.plt").substr(0, 2000), "(65 of its 100 points are there)", 75},
        {"cut in the side-lobe block", tunewave.substr(0, tunewave.find("Sidelobe") + 400),
         "(its side-lobe block: 21 of its 61 points are there)", 99},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        PlotFiles files;
        const std::string path = files.Write("cut.plt", c.Bytes);
        const Outcome o = RunPlots({"--check", QString::fromStdString(path)});
        EXPECT_EQ(o.ExitCode, 1);
        EXPECT_EQ(o.Out, "");
        EXPECT_NE(o.Err.find("'" + path + "' ends before its declared points " + c.Says + "\n"), std::string::npos)
            << o.Err;
        EXPECT_NE(o.Err.find("stopped at line " + std::to_string(c.Line) + " of"), std::string::npos) << o.Err;
    }
}

// Its one line stays one line whatever the file is called.
TEST(CheckCommand, WritesLineBreaksInTheNameEscaped)
{
    PlotFiles files;
    const std::string path = files.Write("two\nlines\r.plt", SampleBytes("lorentz2.plt"));
    const Outcome o = RunPlots({"--check", QString::fromStdString(path)});
    EXPECT_EQ(o.ExitCode, 0) << o.Err;
    EXPECT_EQ(o.Out, files.Dir() + "/two\\nlines\\r.plt: plot type 1 (Fitmora), 2 terms, 100 points\n");
}

TEST(CheckCommand, CorruptedFileShowsTheWholeBox)
{
    PlotFiles files;
    const std::string path = files.Write("bad.plt", Lines({"pz", "e", "x", "-1 2 1", "0 0 0 0", "0 2", "-1 -2", "3"}));
    const Outcome o = RunPlots({"--check", QString::fromStdString(path)});
    EXPECT_EQ(o.ExitCode, 1);
    EXPECT_EQ(o.Err, "Reading data file error at --> pImag.\n" + files.Dir() + "/bad\n"
                     "Data file is corrupted; you must rerun problem to create a \n"
                     "new data file.  If this problem continues, Please notify\n"
                     "us via e-mail and attach your input file for us to see the\n"
                     "same results.\n"
                     "plots: the reader stopped at line 9 of '" + path + "'\n");
}

TEST(CheckCommand, UsageErrorsAndMissingFiles)
{
    struct Case {
        QStringList Args;
        int ExitCode;
        const char* ErrStart;
        const char* Why = "";
    };
    const Case cases[] = {
        {{"--check"}, 2, "Usage: plots --check FILE"},
        {{"--check", Sample("lorentz2.plt"), "extra"}, 2, "Usage: plots --check FILE"},
        {{"--check", Sample("absent.plt")}, 1, "plots: no plot data file"},
        {{"--check", QString(TK_SOURCE_DIR "/samples")}, 1, "plots: no plot data file"},
        // A relative name longer than a path may be is no missing file.
        {{"--check", QString("d/").repeated(2100) + "x.plt"}, 1, "plots: cannot read 'd/d/", "File name too long"},
        // After "--" a name that begins with a dash is a file; before it, an unknown option is told.
        {{"--check", "--", "-absent.plt"}, 1, "plots: no plot data file '-absent.plt'"},
        {{"--check", "--bogus", Sample("lorentz2.plt")}, 2, "plots: unknown option '--bogus'", "Usage: plots --check FILE"},
    };
    for (const Case& c : cases) {
        const Outcome o = RunPlots(c.Args);
        EXPECT_EQ(o.ExitCode, c.ExitCode) << c.Args.join(' ').toStdString();
        EXPECT_EQ(o.Err.rfind(c.ErrStart, 0), 0u) << o.Err;
        EXPECT_NE(o.Err.find(c.Why), std::string::npos) << o.Err;
        EXPECT_EQ(o.Out, "");
    }
}

}  // namespace
