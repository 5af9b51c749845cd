// Notices when the run's plot data file is written again while it is shown (a solver tool
// finished another run under the same name), and tells once the writing has come to rest: the
// file's size, time and identity unchanged for a while. A file replaced by renaming a new one
// over it is noticed as well as one written in place.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <functional>
#include <string>

namespace plots {

class DataFileWatch : public QObject {
    Q_OBJECT
public:
    // `settled` is called with the path once a change has come to rest.
    explicit DataFileWatch(std::function<void(const std::string&)> settled, QObject* parent = nullptr);
    // Watches this file from its present state on; an empty path stops watching.
    void Watch(const std::string& path);
    const std::string& Path() const { return path_; }
    // How long the file must stay as it is before it counts as complete.
    static constexpr int SettleMs = 500;

private:
    struct Signature {
        bool Exists = false;
        long long Size = 0, ModifiedNs = 0, Inode = 0;
        bool operator==(const Signature&) const = default;
    };
    static Signature SignatureOf(const std::string& path);
    void Touched();
    void Check();

    std::function<void(const std::string&)> settled_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    std::string path_;
    Signature known_;    // as the viewer read it last
    Signature pending_;  // as it was at the last look while it changed
};

}  // namespace plots
