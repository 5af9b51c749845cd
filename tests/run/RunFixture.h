// Shared pieces of the viewer-core tests: small plot files written into a temporary directory,
// a viewer on a headless host with scripted dialogs, and a file system that fails on cue.
#pragma once

#include "plots/run/Viewer.h"
#include "support/RecordingSurface.h"
#include "support/HeadlessHost.h"
#include "support/ScriptedDialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>

namespace runtest {

struct PlotFileRecipe {
    int PlotType = 3;
    int OmegaZeroCount = 0;  // pole-zero kinds: above 1 brings a side-lobe block
    int DelayMatched = 0;    // pole-zero kinds: 1 brings a ripple block
    bool SideLobeBlock = true, RippleBlock = true, ImpulseBlock = true;
    double YOffset = 0;      // added to column 2, so two files of one run can be told apart
};

// A valid plot data file of the given kind with four points, in the solver tools' layout.
inline std::string PlotFileText(const PlotFileRecipe& s)
{
    std::ostringstream out;
    out << "Test run\r\n1.5E-03\r\nunused\r\n" << s.PlotType << " 1 4\r\n";
    // Parameter records of the fitting kinds 1 to 6, one term each.
    const int fittingRecords[] = {3, 4, 2, 1, 3, 4};
    if (s.PlotType == 0) out << "y' = -y ! decay\r\n1\r\n";
    if (s.PlotType == 110) out << "rates\r\n1 2 3 4\r\n5 6 7\r\n";
    if (s.PlotType >= 1 && s.PlotType <= 6) {
        out << "data.dat\r\n0.5\r\n";
        for (int i = 0; i < fittingRecords[s.PlotType - 1]; ++i) out << (i + 2) << "\r\n";
    }
    const bool poleZero = s.PlotType == -1 || s.PlotType == -2;
    if (poleZero) {
        out << s.DelayMatched << " 0 0 0\r\n0 2\r\n-1 -1\r\n-2 2\r\n0\r\n" << s.OmegaZeroCount << " 0 0\r\n";
        for (int i = 1; i <= s.OmegaZeroCount; ++i) out << (i * 3) << (i == s.OmegaZeroCount ? "\r\n" : " ");
        out << "1.0\r\n0 0\r\n";
    }
    for (int i = 1; i <= 4; ++i) out << i << " " << (i * 2 + s.YOffset) << " " << (i * 0.5) << "\r\n";
    auto block = [&](const char* title, int n) {
        out << title << "\r\n" << n << "\r\n";
        for (int i = 1; i <= n; ++i) out << i << " " << (i * 0.25) << "\r\n";
    };
    if (poleZero && s.OmegaZeroCount > 1 && s.SideLobeBlock) block("Sidelobe", 3);
    if (poleZero && s.DelayMatched == 1 && s.RippleBlock) block("Ripple", 5);
    if (poleZero && s.ImpulseBlock) block("h(t)", 7);
    return out.str();
}

inline PlotFileRecipe Kind(int type, int omegaZeros = 0, int delayMatched = 0)
{
    PlotFileRecipe s;
    s.PlotType = type;
    s.OmegaZeroCount = omegaZeros;
    s.DelayMatched = delayMatched;
    return s;
}

inline void WriteFile(const std::string& path, const std::string& text)
{
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path;
    f.write(text.data(), qint64(text.size()));
}

// A one-colour picture. Qt cannot write GIF; PNG content under a picture name loads the same.
inline void WritePicture(const std::string& path, Qt::GlobalColor colour)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(QString::fromStdString(path), "PNG"));
}

// A file system whose operations first answer with the queued error numbers, then work.
class FailingFiles : public plots::FileAccess {
public:
    std::vector<int> ListErrors, DirErrors, WriteErrors;
    int ListCalls = 0, WriteCalls = 0;

    int List(const std::string& pattern, bool& any) override
    {
        ++ListCalls;
        any = false;
        return Take(ListErrors) ? last_ : real_.List(pattern, any);
    }
    int CheckDirectory(const std::string& dir) override { return Take(DirErrors) ? last_ : real_.CheckDirectory(dir); }
    int WriteFile(const std::string& path, const QByteArray& bytes) override
    {
        ++WriteCalls;
        return Take(WriteErrors) ? last_ : real_.WriteFile(path, bytes);
    }

private:
    bool Take(std::vector<int>& queue)
    {
        if (queue.empty()) return false;
        last_ = queue.front();
        queue.erase(queue.begin());
        return true;
    }
    int last_ = 0;
    plots::RealFileAccess real_;
};

// A viewer on a headless host in a temporary directory; every plot drawn is noted with its kind.
class ViewerFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    plots::HeadlessHost host;
    tk::ScriptedDialogs dialogs;
    plots::RecordingSurface surface{320, 240};
    plots::Viewer viewer{host, dialogs, surface};
    std::vector<plots::PlotKind> drawn;

    void SetUp() override
    {
        viewer.ApplyLoadStates();
        viewer.WhenPlotDrawn([this](plots::PlotKind kind) { drawn.push_back(kind); });
    }

    std::string Path(const std::string& name) const { return dir.path().toStdString() + "/" + name; }
    void Write(const std::string& name, const std::string& text) { WriteFile(Path(name), text); }

    // Locates the run and presses "&Plot results >>".
    void StartOn(const std::string& base)
    {
        viewer.Run().State().PlotBase = Path(base);
        viewer.LocatePlotFile(viewer.Run().State().PlotBase);
        viewer.cmdPlotResults_Click();
    }

    // Presses "&Next >>" until it disables itself. The run is complete exactly when a press has
    // nothing new to show (it draws nothing, or only replays the second file's plots).
    void NextUntilDisabled()
    {
        for (int i = 0; i < 20 && Enabled(plots::Command::Next) && !host.Exited; ++i) {
            const bool complete = viewer.RunComplete();
            const std::size_t before = drawn.size();
            viewer.cmdNext_Click();
            if (!complete) {
                EXPECT_TRUE(drawn.size() > before || host.Exited) << "press " << i + 1;
            }
            if (drawn.size() == before && !host.Exited) {
                EXPECT_TRUE(complete) << "press " << i + 1;
            }
        }
    }

    bool Enabled(plots::Command c) const { return host.Commands[int(c)].Enabled; }
};

inline constexpr plots::PlotKind Map = plots::PlotKind::PoleZeroMap;
inline constexpr plots::PlotKind First = plots::PlotKind::FirstLinePlot;
inline constexpr plots::PlotKind Second = plots::PlotKind::CurveVersusData;
inline constexpr plots::PlotKind SideLobe = plots::PlotKind::SideLobe;
inline constexpr plots::PlotKind Ripple = plots::PlotKind::GroupDelayRipple;
inline constexpr plots::PlotKind Impulse = plots::PlotKind::ImpulseResponse;
inline constexpr plots::PlotKind Picture = plots::PlotKind::Picture;

}  // namespace runtest
