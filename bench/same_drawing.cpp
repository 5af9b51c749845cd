// Checks that the ways a curve's lines can be stroked give the same pixels: every plot of the
// runs named is drawn with covered lines left out, with every line in one batch and with each
// line alone (as before batching), at each size, aliased and smooth, and the pictures are
// compared pixel for pixel. The export's own picture of each plot is compared too.
//
// usage: same_drawing [--size WxH]... PLOTFILE...    (default size 1024x768)
#include "plots/render/Surface.h"
#include "plots/run/WholeSequence.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

using namespace plots;

namespace {

long Differing(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) return long(a.width()) * a.height();
    long n = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) n += (p[x] & 0xFFFFFF) != (q[x] & 0xFFFFFF);
    }
    return n;
}

// The plot drawn each way; the pixels that differ from drawing each line alone.
long DifferingWays(const SequencePlot& plot, const QImage& exported, int width, int height)
{
    ImageSurface alone(width, height), together(width, height), reduced(width, height);
    alone.SetCurveLines(ImageSurface::CurveLines::OneByOne);
    together.SetCurveLines(ImageSurface::CurveLines::Together);
    for (ImageSurface* s : {&alone, &together, &reduced}) plot.DrawShownOn(*s);
    long n = Differing(alone.Image(), together.Image()) + Differing(alone.Image(), reduced.Image());
    if (!exported.isNull()) n += Differing(alone.Image(), exported.convertToFormat(QImage::Format_RGB32));
    return n;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    std::vector<std::pair<int, int>> sizes;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        int w = 0, h = 0;
        if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc && std::sscanf(argv[++i], "%dx%d", &w, &h) == 2)
            sizes.emplace_back(w, h);
        else
            files.emplace_back(argv[i]);
    }
    if (files.empty()) {
        std::fprintf(stderr, "usage: same_drawing [--size WxH]... PLOTFILE...\n");
        return 2;
    }
    if (sizes.empty()) sizes.emplace_back(1024, 768);
    int pictures = 0, differing = 0;
    for (const auto& [width, height] : sizes)
        for (const std::string& file : files)
            for (const bool smooth : {false, true}) {
                SequenceOptions options;
                options.Width = width;
                options.Height = height;
                options.Settings.SmoothLines = smooth;
                RenderWholeSequence(file, options, [&](const SequencePlot& plot, Surface& surface, PlotKind, int number) {
                    const long n = DifferingWays(plot, surface.Picture(), width, height);
                    pictures += 4;
                    if (n) {
                        ++differing;
                        std::printf("%dx%d %s%s plot %d: %ld pixels differ\n", width, height, file.c_str(),
                                    smooth ? " smooth" : "", number, n);
                    }
                    return true;
                });
            }
    std::printf("%d pictures compared, %d plots differ\n", pictures, differing);
    return differing == 0 ? 0 : 1;
}
