// What a report or legend test draws on and writes into: a viewer on a headless window with
// scripted message boxes (its listings and run summary), a drawing context over the viewer's
// plot data on the recording surface of a maximised window on a 640 x 480 screen (630 x 404
// pixels, where the design factors are 1), and a private directory for
// the run's files.
#pragma once

#include "common/Dialogs.h"
#include "plots/render/DrawContext.h"
#include "plots/run/Viewer.h"
#include "support/RecordingSurface.h"
#include "support/HeadlessHost.h"
#include "support/ScriptedDialogs.h"

#include <QTemporaryDir>

#include <fstream>
#include <string>

namespace reports_test {

struct Fixture {
    explicit Fixture(int width = 630, int height = 404) : Canvas(width, height) {}

    QTemporaryDir Dir;
    plots::RecordingSurface Canvas;
    plots::HeadlessHost Host;
    tk::ScriptedDialogs Messages;
    plots::Viewer Viewer{Host, Messages, Canvas};
    plots::PlotData& Data = Viewer.Run().Data();
    plots::RunState& Run = Viewer.Run().State();
    plots::DisplaySettings Settings;
    plots::PlotFacts Facts;
    plots::AxisState Axis;
    std::string Trace;

    // The drawing context of a plot of the given kind over the viewer's data.
    plots::DrawContext& Ctx(plots::PlotKind kind = plots::PlotKind::FirstLinePlot)
    {
        context.Kind = kind;
        return context;
    }
    std::string Path(const std::string& name) const { return Dir.path().toStdString() + "/" + name; }
    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }

private:
    plots::DrawContext context{Data, plots::PlotKind::FirstLinePlot, Settings, Facts, Canvas, Axis, Trace};
};

}  // namespace reports_test
