// Times the redraw of every plot of a run at one size, as the window redraws it (zoom, pan, a
// resize), with covered lines left out and with every line stroked, and checks that both ways
// give the same pixels. Also with the X axis set to a part of the range, which puts most points
// outside the frame.
//
// usage: curve_redraw PLOTFILE [WxH] [ROUNDS]    (default 1280x1024, 30 rounds)
#include "plots/render/Surface.h"
#include "plots/run/Viewer.h"
#include "plots/run/WholeSequence.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace plots;

namespace {

double MedianMs(const SequencePlot& viewer, ImageSurface& surface, int rounds)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        viewer.DrawShownOn(surface);
        (void)surface.Image();  // the painter ends: everything is on the image
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: curve_redraw PLOTFILE [WxH] [ROUNDS]\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    int width = 1280, height = 1024;
    if (argc > 2) std::sscanf(argv[2], "%dx%d", &width, &height);
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 30;
    int differing = 0;
    for (const bool zoomed : {false, true}) {
        SequenceOptions options;
        options.Width = width;
        options.Height = height;
        if (zoomed) options.Settings.X = AxisOverride{true, "-.2", ".05"};
        RenderWholeSequence(argv[1], options, [&](const SequencePlot& viewer, Surface&, PlotKind, int number) {
            ImageSurface reduced(width, height), every(width, height);
            every.SetLeaveOutCoveredLines(false);
            const double fast = MedianMs(viewer, reduced, rounds);
            const double slow = MedianMs(viewer, every, rounds);
            const QImage a = reduced.Image(), b = every.Image();
            long pixels = 0;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) pixels += a.pixel(x, y) != b.pixel(x, y);
            differing += pixels != 0;
            std::printf("plot %d%s: %.1f ms with covered lines left out, %.1f ms with every line; %ld pixels differ\n",
                        number, zoomed ? " (X axis from -.2 by .05)" : "", fast, slow, pixels);
            return true;
        });
    }
    return differing == 0 ? 0 : 1;
}
