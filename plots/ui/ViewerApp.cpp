// The windowed viewer: the plot window is built and loaded, the start-up finds and loads the
// plot file, and the window's event loop runs until the window unloads.
#include "plots/ui/ViewerApp.h"

#include "common/FormResizer.h"

#include "plots/run/Startup.h"
#include "plots/ui/frmPlots.h"

#include <QApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <functional>
#include <memory>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace plots {

namespace {

constexpr int EndingSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The write end of the pipe the signal handler reports into. A handler can reach nothing
// else; it is set once, before any handler is installed.
int signalWriteEnd = -1;

extern "C" void ReportSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalWriteEnd, &byte, 1);
    errno = saved;
}

// Logging out (SIGHUP), kill (SIGTERM) and Ctrl+C in a terminal (SIGINT) end the viewer the way
// "E&xit Plots" does, so the hand-over name serves one run also then. The handler only writes
// into a pipe; the event loop reads it and ends the viewer. A signal that comes before the
// loop runs waits in the pipe. A second signal ends the program at once.
class EndOnSignals {
public:
    EndOnSignals()
    {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds_) != 0) return;
        ::fcntl(fds_[1], F_SETFL, O_NONBLOCK);
        signalWriteEnd = fds_[1];
        struct sigaction action {};
        action.sa_handler = ReportSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART | SA_RESETHAND;
        for (int s : EndingSignals) ::sigaction(s, &action, nullptr);
    }

    ~EndOnSignals()
    {
        for (int s : EndingSignals) ::signal(s, SIG_DFL);
        notifier_.reset();
        for (int fd : fds_)
            if (fd >= 0) ::close(fd);
    }

    EndOnSignals(const EndOnSignals&) = delete;
    EndOnSignals& operator=(const EndOnSignals&) = delete;

    // From now on a signal calls `end` from the event loop, also from a loop that a message box
    // or a dialog runs.
    void Then(std::function<void()> end)
    {
        if (fds_[0] < 0) return;
        notifier_ = std::make_unique<QSocketNotifier>(fds_[0], QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this, end = std::move(end)] {
            notifier_->setEnabled(false);
            end();
        });
    }

private:
    int fds_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace

int RunViewer(int argc, char** argv, const std::string& commandTail)
{
    EndOnSignals endOnSignals;
    QApplication app(argc, argv);
    QApplication::setApplicationName("plots");
    tk::ScaleIndicatorsWithText();
    // A store that could not be read at all is set aside and a fresh one seeded before anything
    // reads it, so that the start is not taken for a missing installation; the user is told once.
    tk::Registry store = tk::Registry::ForUser();
    const std::string keptAs = store.RecoverDamagedStore();
    frmPlots form(std::move(store));
    endOnSignals.Then([&form] {
        form.viewer().cmdExit_Click();
        // A message box or dialog that is open keeps its own loop running: end every loop.
        QCoreApplication::exit(0);
    });
    form.WaitUntilShown();
    if (!keptAs.empty())
        form.viewer().Messages().Show(tk::DamagedStoreNotice(keptAs), tk::DamagedStoreTitle, tk::MsgIcon::Exclamation,
                                      tk::MsgButtons::Ok);
    // A store that cannot be used is named once here; the start goes on without it.
    if (const std::string problem = form.registry().StoreProblem(); !problem.empty())
        form.viewer().Messages().Show(problem, tk::DamagedStoreTitle, tk::MsgIcon::Exclamation, tk::MsgButtons::Ok);
    Main(form.viewer(), form.registry(), commandTail);
    // A fatal data message during start-up has closed the window already.
    if (form.Unloaded()) return form.EndedByFatalExit() ? 1 : 0;
    const int rc = app.exec();
    return form.EndedByFatalExit() ? 1 : rc;
}

}  // namespace plots
