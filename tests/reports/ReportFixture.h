// What a report or legend test draws on and writes into: plot data, run and axis state, a
// recording surface the size of a 640 x 480 screen, a headless window, scripted message boxes
// and a private directory for the run's files.
#pragma once

#include "common/Dialogs.h"
#include "plots/render/PlotContext.h"

#include <QTemporaryDir>

#include <fstream>
#include <functional>
#include <string>

namespace reports_test {

struct Fixture {
    explicit Fixture(int width = 640, int height = 480)
        : Canvas(width, height), context{Data, Run, Axis, Settings, Canvas, Host, Messages}
    {
    }

    QTemporaryDir Dir;
    plots::PlotData Data;
    plots::RunState Run;
    plots::AxisState Axis;
    plots::DisplaySettings Settings;
    plots::RecordingSurface Canvas;
    plots::HeadlessHost Host;
    tk::ScriptedDialogs Messages;

    plots::PlotContext& Ctx() { return context; }
    std::string Path(const std::string& name) const { return Dir.path().toStdString() + "/" + name; }
    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }

private:
    plots::PlotContext context;
};

}  // namespace reports_test
