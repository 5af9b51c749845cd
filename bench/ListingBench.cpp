// The plot window on a run with a very large output listing: how soon the window shows the
// start of the listing, the longest time it does not answer while the rest goes in, when the
// whole listing is in its box, and the peak memory of the process.
//
// usage: bench_listing [MEGABYTES]   (default 100; QT_QPA_PLATFORM=offscreen for no display)
#include "common/Registry.h"
#include "plots/run/Startup.h"
#include "plots/ui/frmPlots.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <sys/resource.h>

namespace {

// A listing as the solver tools write it: numbered iterations with columns of numbers.
void WriteListing(const QString& path, std::size_t bytes)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly)) std::exit(1);
    std::string block;
    for (int i = 0; block.size() < (1 << 20); ++i)
        block += " Iteration " + std::to_string(i) + "   Error sum = 1.366664E-03   Step =  .5   Lambda = 2.5E-02  \r\n";
    for (std::size_t written = 0; written < bytes; written += block.size()) out.write(block.data(), qint64(block.size()));
}

double PeakMiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100;
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QFile::copy(TK_SOURCE_DIR "/samples/lorentz2.plt", dir.filePath("run.plt"));
    WriteListing(dir.filePath("run.out"), megabytes << 20);
    std::printf("listing: %zu MB; before the window: peak %.0f MiB\n", megabytes, PeakMiB());

    plots::frmPlots form(tk::Registry(dir.filePath("registry.ini").toStdString()));
    form.WaitUntilShown();
    QElapsedTimer clock;
    clock.start();
    plots::Main(form.viewer(), form.registry(), dir.filePath("run.plt").toStdString());
    // The event loop's first turn paints the window and puts the listing's start in its box.
    QCoreApplication::processEvents();
    const double started = double(clock.elapsed()) / 1000;
    const bool someShown = !form.tbOutBox->document()->isEmpty();

    // The event loop's longest gap while the rest goes in: what a user would feel as a freeze.
    qint64 last = clock.elapsed(), longest = 0;
    QTimer beat;
    beat.setInterval(10);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
        if (!form.ListingsLoading()) app.quit();
    });
    beat.start();
    app.exec();
    const double whole = double(clock.elapsed()) / 1000;
    std::printf("start shown after %.2f s (%s), whole listing in after %.2f s, longest unanswered %.2f s, "
                "peak %.0f MiB, %d lines in the box\n",
                started, someShown ? "text in the box" : "box empty", whole, double(longest) / 1000, PeakMiB(),
                form.tbOutBox->document()->blockCount());
    return 0;
}
