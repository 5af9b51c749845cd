// Times the plot window on a real display: from the start of the process to the first plot
// painted in the window, and from a resize of the window to the last picture it paints for the
// new size. The program is the viewer's own, laid out as it is (bench/CMakeLists.txt): the
// program's entry loads the window's library, here with a watch built in, which looks on from
// outside the window by an event filter: a picture counts when the plot control has painted a
// plot drawn at the control's size.
//
// usage: BENCH_START_NS=... [BENCH_RESIZES=N] window_times PLOTFILE   (default 10 resizes; 0: the
//   first plot only, then the viewer ends)
//   BENCH_START_NS: the monotonic clock, in nanoseconds, when the process was started (the
//   driver bench/window.sh sets it); without it the time counts from the window's start.
// Prints "first plot MS" and one "resize MS" line per resize, then ends the viewer.
#include "plots/ui/PictureBox.h"
#include "plots/ui/frmPlots.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace plots;

namespace {

// The monotonic clock, the one the benchmark script reads when it starts the process.
double NowMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double startMs = 0;
int resizes = 10;

class Watch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<PictureBox*>(watched);
        if (!box || event->type() != QEvent::Paint) return false;
        // Painted first, then looked at: the time is when the picture is on the window.
        watched->event(event);
        const double now = NowMs();
        frmPlots* form = qobject_cast<frmPlots*>(box->window());
        if (!form || !form->viewer().ShownKind()) return true;
        if (box->SurfaceSize() != form->viewer().Canvas().Picture().size()) return true;  // shown scaled
        if (!firstDone_) {
            firstDone_ = true;
            std::printf("first plot %.1f\n", now - startMs);
            std::fflush(stdout);
            if (resizes > 0)
                QTimer::singleShot(500, this, [this, form] { Resize(form); });
            else
                QTimer::singleShot(0, form, [] { QCoreApplication::exit(0); });
        } else if (resizeAt_ > 0 && box->size() != sizeBefore_) {
            std::printf("resize %.1f\n", now - resizeAt_);
            std::fflush(stdout);
            resizeAt_ = 0;
            if (++done_ < resizes)
                QTimer::singleShot(300, this, [this, form] { Resize(form); });
            else
                QTimer::singleShot(100, form, [] { QCoreApplication::exit(0); });
        }
        return true;
    }

private:
    void Resize(frmPlots* form)
    {
        sizeBefore_ = form->picBox->size();
        // A size not shown before each time, as a dragged edge gives: the texts, which scale
        // with the plot, come in sizes not drawn before.
        const QSize size = form->size() - QSize(30 + done_, 20 + done_);
        resizeAt_ = NowMs();
        form->resize(size);
    }

    bool firstDone_ = false;
    int done_ = 0;
    double resizeAt_ = 0;
    QSize sizeBefore_;
};

Watch* watch = nullptr;

void WatchPaints()
{
    const char* started = std::getenv("BENCH_START_NS");
    startMs = started ? std::strtod(started, nullptr) / 1e6 : NowMs();
    if (const char* n = std::getenv("BENCH_RESIZES")) resizes = std::atoi(n);
    watch = new Watch;
    qApp->installEventFilter(watch);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchPaints)
