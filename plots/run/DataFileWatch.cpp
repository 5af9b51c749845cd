#include "plots/run/DataFileWatch.h"

#include "common/Paths.h"

#include <QFile>

#include <sys/stat.h>

namespace plots {

DataFileWatch::DataFileWatch(std::function<void(const std::string&)> settled, QObject* parent)
    : QObject(parent), settled_(std::move(settled))
{
    settle_.setSingleShot(true);
    settle_.setInterval(SettleMs);
    connect(&settle_, &QTimer::timeout, this, &DataFileWatch::Check);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &DataFileWatch::Touched);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &DataFileWatch::Touched);
}

DataFileWatch::Signature DataFileWatch::SignatureOf(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return {true, (long long)st.st_size, (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec,
            (long long)st.st_ino};
}

void DataFileWatch::Watch(const std::string& path)
{
    settle_.stop();
    if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    path_ = path.empty() ? path : tk::ResolvePath(path);
    known_ = pending_ = SignatureOf(path_);
    if (path_.empty()) return;
    const std::string dir = tk::DirectoryPart(path_);
    watcher_.addPath(QFile::decodeName(QByteArray::fromStdString(dir.empty() ? "." : dir)));
    if (known_.Exists) watcher_.addPath(QFile::decodeName(QByteArray::fromStdString(path_)));
}

void DataFileWatch::Touched()
{
    if (path_.empty()) return;
    // A file replaced by another is no longer watched under its name; watch the new one.
    const QString file = QFile::decodeName(QByteArray::fromStdString(path_));
    if (!watcher_.files().contains(file) && SignatureOf(path_).Exists) watcher_.addPath(file);
    settle_.start();
}

void DataFileWatch::Check()
{
    const Signature now = SignatureOf(path_);
    if (now == known_) return;  // written and put back as it was, or another file of the directory
    if (!now.Exists || !(now == pending_)) {
        // Still being written (or gone for the moment): look again once it has been quiet.
        pending_ = now;
        settle_.start();
        return;
    }
    known_ = now;
    if (settled_) settled_(path_);
}

}  // namespace plots
