// The plot window on a run with a very large output listing: how soon the window shows the
// start of the listing, the longest time it does not answer while the rest goes in, when the
// whole listing is in its box, and the peak memory of the process.
//
// usage: bench_listing [--whole] [MEGABYTES...]   (default 10 and 100, each in a process of its
// own; QT_QPA_PLATFORM=offscreen for no display). --whole reads the listing whole before any of
// it goes into the box, as the window once did, for a comparison on the same machine.
#include "common/Registry.h"
#include "plots/data/Listings.h"
#include "plots/run/Startup.h"
#include "plots/ui/frmPlots.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
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

// The window as it was before it read listings a part at a time: all of it, then the box.
class WholeListingWindow : public plots::frmPlots {
public:
    using frmPlots::frmPlots;
    void AppendListing(std::unique_ptr<plots::ListingReader> listing, std::function<std::string(bool)> end) override
    {
        ViewerHost::AppendListing(std::move(listing), std::move(end));
    }
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool whole = args.removeAll("--whole") > 0;
    if (args.size() != 1) {
        // Each size in a process of its own, so that each peak is its own.
        if (args.isEmpty()) args = {"10", "100"};
        for (const QString& size : args) {
            QProcess one;
            one.setProcessChannelMode(QProcess::ForwardedChannels);
            one.start(app.applicationFilePath(), whole ? QStringList{"--whole", size} : QStringList{size});
            one.waitForFinished(-1);
            if (one.exitCode() != 0) return 1;
        }
        return 0;
    }
    const std::size_t megabytes = args[0].toULong();
    QTemporaryDir dir;
    QFile::copy(TK_SOURCE_DIR "/samples/lorentz2.plt", dir.filePath("run.plt"));
    WriteListing(dir.filePath("run.out"), megabytes << 20);
    std::printf("listing: %zu MB%s; before the window: peak %.0f MiB\n", megabytes,
                whole ? ", read whole first" : "", PeakMiB());
    std::fflush(stdout);

    tk::Registry registry(dir.filePath("registry.ini").toStdString());
    const std::unique_ptr<plots::frmPlots> window(whole ? new WholeListingWindow(registry) : new plots::frmPlots(registry));
    plots::frmPlots& form = *window;
    form.WaitUntilShown();
    QElapsedTimer clock;
    clock.start();
    plots::Main(form.viewer(), form.registry(), dir.filePath("run.plt").toStdString());

    // The start is shown when the event loop first runs with text in the box; the longest gap
    // between its turns while the rest goes in is what a user would feel as a freeze.
    double started = -1;
    qint64 last = 0, longest = 0;
    QTimer beat;
    beat.setInterval(10);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
        if (started < 0 && !form.tbOutBox->document()->isEmpty()) started = double(clock.elapsed()) / 1000;
        if (!form.ListingsLoading()) app.quit();
    });
    beat.start();
    app.exec();
    const double in = double(clock.elapsed()) / 1000;
    std::printf("start shown after %.2f s, whole listing in after %.2f s, longest unanswered %.2f s, "
                "peak %.0f MiB, %d lines in the box\n",
                started, in, double(longest) / 1000, PeakMiB(), form.tbOutBox->document()->blockCount());
    return 0;
}
