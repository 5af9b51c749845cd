#include "plots/run/DataFileWatch.h"

#include "common/Paths.h"
#include "plots/data/WholeFile.h"
#include "plots/run/PlotSequence.h"

#include <QFile>
#include <QSocketNotifier>

#include <cstring>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plots {

DataFileWatch::DataFileWatch(Settled settled, Stalled stalled, QObject* parent)
    : QObject(parent), settled_(std::move(settled)), stalled_(std::move(stalled))
{
    settle_.setSingleShot(true);
    stall_.setSingleShot(true);
    stall_.setInterval(DefaultStallMs);
    connect(&settle_, &QTimer::timeout, this, &DataFileWatch::Check);
    connect(&stall_, &QTimer::timeout, this, &DataFileWatch::Stall);
    StartInotify();
    if (notifier_) return;
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &DataFileWatch::Touched);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &DataFileWatch::Touched);
}

DataFileWatch::~DataFileWatch()
{
    notifier_.reset();
    if (inotify_ >= 0) ::close(inotify_);
}

void DataFileWatch::StartInotify()
{
    inotify_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (inotify_ < 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(inotify_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &DataFileWatch::ReadInotify);
}

DataFileWatch::Signature DataFileWatch::SignatureOf(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return {true, (long long)st.st_size, (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec,
            (long long)st.st_ino};
}

std::string DataFileWatch::Lacks(const std::string& path)
{
    PlotData data;
    const ReadOutcome read = ReadPlotData(data, path);
    return MeasureFile(data, read, CurveBlocksOf(data), FilePlotSequence(data)).Shortfall;
}

void DataFileWatch::Watch(const std::string& path)
{
    settle_.stop();
    stall_.stop();
    told_.clear();
    closed_ = false;
    if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    if (dirWatch_ >= 0) ::inotify_rm_watch(inotify_, dirWatch_);
    dirWatch_ = -1;
    path_ = path.empty() ? path : tk::ResolvePath(path);
    known_ = pending_ = SignatureOf(path_);
    if (path_.empty()) return;
    std::string dir = tk::DirectoryPart(path_);
    if (dir.empty()) dir = ".";
    name_ = path_.substr(path_.find_last_of('/') == std::string::npos ? 0 : path_.find_last_of('/') + 1);
    if (notifier_) {
        // The directory, not the file: a file replaced by renaming stays watched under its name.
        dirWatch_ = ::inotify_add_watch(inotify_, dir.c_str(),
                                        IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE |
                                            IN_MOVED_FROM | IN_ATTRIB);
        if (dirWatch_ >= 0) return;
    }
    watcher_.addPath(QFile::decodeName(QByteArray::fromStdString(dir)));
    if (known_.Exists) watcher_.addPath(QFile::decodeName(QByteArray::fromStdString(path_)));
}

void DataFileWatch::ReadInotify()
{
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t got = ::read(inotify_, buffer, sizeof buffer);
        if (got <= 0) return;
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            if (event->wd != dirWatch_ || event->len == 0 || name_ != event->name) continue;
            Changed((event->mask & (IN_CLOSE_WRITE | IN_MOVED_TO)) != 0);
        }
    }
}

void DataFileWatch::Touched()
{
    if (path_.empty()) return;
    // A file replaced by another is no longer watched under its name; watch the new one.
    const QString file = QFile::decodeName(QByteArray::fromStdString(path_));
    if (!watcher_.files().contains(file) && SignatureOf(path_).Exists) watcher_.addPath(file);
    Changed(false);
}

void DataFileWatch::Changed(bool closed)
{
    if (path_.empty()) return;
    closed_ = closed;
    stall_.start();
    if (closed) {
        // The writer is done with it: look at once.
        settle_.stop();
        pending_ = SignatureOf(path_);
        Check();
        return;
    }
    settle_.start(SeesCloses() ? OpenWriterMs : SettleMs);
}

void DataFileWatch::Check()
{
    const Signature now = SignatureOf(path_);
    if (now == known_) {
        // Written and put back as it was, or another file of the directory.
        stall_.stop();
        return;
    }
    if (!now.Exists) return;  // gone for the moment; the stall timer runs
    if (!closed_ && !SeesCloses() && !(now == pending_)) {
        // Still being written: look again once it has been quiet.
        pending_ = now;
        settle_.start(SeesCloses() ? OpenWriterMs : SettleMs);
        return;
    }
    if (!Lacks(path_).empty()) return;  // a writer that is not done yet; the stall timer runs
    known_ = now;
    stall_.stop();
    told_.clear();
    if (settled_) settled_(path_);
}

void DataFileWatch::Stall()
{
    if (path_.empty() || SignatureOf(path_) == known_) return;
    const std::string lacks = Lacks(path_);
    if (lacks.empty()) {
        // Whole, but its writer holds it open and it changed just now: the quiet rule decides.
        return;
    }
    if (lacks == told_) return;
    told_ = lacks;
    if (stalled_) stalled_(path_, lacks);
}

}  // namespace plots
