// Shared pieces of the viewer-core tests: small plot files written into a temporary directory,
// a viewer on a headless host with scripted dialogs, and a file system that fails on cue.
#pragma once

#include "plots/run/Viewer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace runtest {

// What goes into a generated plot file.
struct PlotFileSpec {
    int PlotType = 3;
    int Points = 4;
    int OmegaZeroCount = 0;  // pole-zero kinds: above 1 brings a side-lobe block
    int DelayMatched = 0;    // pole-zero kinds: 1 brings a ripple block
    bool SideLobeBlock = true, RippleBlock = true, ImpulseBlock = true;
    double YOffset = 0;      // added to column 2, so two files of one run can be told apart
};

inline std::string Points(int n, double yOffset)
{
    std::ostringstream out;
    for (int i = 1; i <= n; ++i) out << i << " " << (i * 2 + yOffset) << " " << (i * 0.5) << "\r\n";
    return out.str();
}

inline std::string Block(const char* title, int n)
{
    std::ostringstream out;
    out << title << "\r\n" << n << "\r\n";
    for (int i = 1; i <= n; ++i) out << i << " " << (i * 0.25) << "\r\n";
    return out.str();
}

// A valid plot data file of the given kind, in the solver tools' layout.
inline std::string PlotFileText(const PlotFileSpec& s)
{
    std::ostringstream out;
    out << "Test run\r\n1.5E-03\r\nunused\r\n" << s.PlotType << " 1 " << s.Points << "\r\n";
    switch (s.PlotType) {
    case 0: out << "y' = -y ! decay\r\n1\r\n"; break;
    case 1: out << "data.dat\r\n0.5\r\n2\r\n3\r\n4\r\n"; break;
    case 2: out << "data.dat\r\n0.5\r\n2\r\n3\r\n4\r\n5\r\n"; break;
    case 3: out << "data.dat\r\n0.5\r\n2\r\n3\r\n"; break;
    case 4: out << "data.dat\r\n0.5\r\n2\r\n"; break;
    case 5: out << "data.dat\r\n0.5\r\n2\r\n3\r\n4\r\n"; break;
    case 6: out << "data.dat\r\n0.5\r\n2\r\n3\r\n4\r\n5\r\n"; break;
    case 110: out << "rates\r\n1 2 3 4\r\n5 6 7\r\n"; break;
    case -1:
    case -2: {
        out << s.DelayMatched << " 0 0 0\r\n0 2\r\n-1 -1\r\n-2 2\r\n0\r\n" << s.OmegaZeroCount << " 0 0\r\n";
        if (s.OmegaZeroCount > 0) {
            for (int i = 1; i <= s.OmegaZeroCount; ++i) out << (i * 3) << " ";
            out << "\r\n";
        }
        out << "1.0\r\n0 0\r\n";
        break;
    }
    default: break;
    }
    out << Points(s.Points, s.YOffset);
    if (s.PlotType == -1 || s.PlotType == -2) {
        if (s.OmegaZeroCount > 1 && s.SideLobeBlock) out << Block("Sidelobe", 3);
        if (s.DelayMatched == 1 && s.RippleBlock) out << Block("Ripple", 5);
        if (s.ImpulseBlock) out << Block("h(t)", 7);
    }
    return out.str();
}

inline void WriteFile(const QString& path, const std::string& text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(text.data(), qint64(text.size()));
}

// A small GIF picture of the given colour.
inline void WritePicture(const QString& path, Qt::GlobalColor colour, int w = 40, int h = 30)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    // GIF may be missing from the image plugins; PNG content under a GIF name loads the same.
    if (!image.save(path, "GIF")) {
        ASSERT_TRUE(image.save(path, "PNG"));
    }
}

// A file system that fails on cue: the next calls of each operation answer with the queued
// error numbers, then fall through to the real one.
class FailingFiles : public plots::FileAccess {
public:
    std::vector<int> ListErrors, DirErrors, WriteErrors;
    int ListCalls = 0, DirCalls = 0, WriteCalls = 0;

    int List(const std::string& pattern, bool& anyFile) override
    {
        ++ListCalls;
        if (int e = Take(ListErrors)) return anyFile = false, e;
        return real_.List(pattern, anyFile);
    }
    int CheckDirectory(const std::string& directory) override
    {
        ++DirCalls;
        if (int e = Take(DirErrors)) return e;
        return real_.CheckDirectory(directory);
    }
    int WriteFile(const std::string& path, const QByteArray& bytes) override
    {
        ++WriteCalls;
        if (int e = Take(WriteErrors)) return e;
        return real_.WriteFile(path, bytes);
    }

private:
    static int Take(std::vector<int>& queue)
    {
        if (queue.empty()) return 0;
        const int e = queue.front();
        queue.erase(queue.begin());
        return e;
    }
    plots::RealFileAccess real_;
};

// One drawn plot as the run saw it.
struct DrawnPlot {
    std::string Line;  // the last line appended to the output box
    int CurveKind = 0;
    int FileIndex = 0;
};

// A viewer on a headless host in a temporary working directory.
class ViewerFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    plots::HeadlessHost host;
    tk::ScriptedDialogs dialogs;
    plots::RecordingSurface surface{320, 240};
    plots::Viewer viewer{host, dialogs, surface};
    std::vector<DrawnPlot> drawn;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        viewer.ApplyLoadStates();
        viewer.OnPlotDrawn = [this] {
            drawn.push_back({LastLine(host.Output), viewer.Run.CurveKind, viewer.Run.FileIndex});
        };
    }

    std::string Path(const std::string& name) const { return dir.path().toStdString() + "/" + name; }
    void Write(const std::string& name, const std::string& text) { WriteFile(QString::fromStdString(Path(name)), text); }

    // The last line the sequence appended (the drawing code appends trace lines of its own).
    static std::string LastLine(const std::string& text)
    {
        const auto calling = text.rfind("\r\n\tCalling ");
        const auto plotting = text.rfind("\r\n\tPlotting ");
        auto at = calling == std::string::npos ? plotting
                  : plotting == std::string::npos ? calling : std::max(calling, plotting);
        if (at == std::string::npos) return {};
        at += 3;
        const auto end = text.find("\r\n", at);
        return text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    }

    // Starts as the viewer does on a data file given on its command line.
    void StartOn(const std::string& base)
    {
        viewer.Run.PlotBase = Path(base);
        viewer.LocatePlotFile(viewer.Run.PlotBase);
        viewer.cmdPlotResults_Click();
    }

    // Clicks "&Next >>" while it is enabled (at most `limit` times).
    void NextUntilDisabled(int limit = 20)
    {
        for (int i = 0; i < limit && Enabled(plots::Command::Next) && !host.Exited; ++i) viewer.cmdNext_Click();
    }

    bool Enabled(plots::Command c) const { return host.Commands[int(c)].Enabled; }
    bool Visible(plots::Command c) const { return host.Commands[int(c)].Visible; }

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> out;
        for (const DrawnPlot& d : drawn) out.push_back(d.Line);
        return out;
    }
    std::vector<int> Kinds() const
    {
        std::vector<int> out;
        for (const DrawnPlot& d : drawn) out.push_back(d.CurveKind);
        return out;
    }
};

inline const std::string Map = "Plotting -Map of Poles & Zeros-";
inline const std::string First = "Calling 1st line plot";
inline const std::string Second = "Calling 2nd line plot ... Curve vs. Data plot";
inline const std::string SideLobe = "Calling 3rd line plot ... Sidelobe plot";
inline const std::string Ripple = "Calling 3rd or 4th plot ... Ripple plot";
inline const std::string Impulse = "Calling 4th or 5th plot ... h(t) response";

}  // namespace runtest
